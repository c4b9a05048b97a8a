// Lessons: a state captured from a window reached by random events comes back on a
// fresh window to the pixel, directly and through a lesson file; bad files are refused
// with their reason and leave the window as it was; saves that fail say why and keep
// the old file; unsaved changes are asked about, and only changes are; the last figure
// of the previous run stays within reach; a lesson is once in the recent files.
// (e2e/lastfigure.sh keeps the last figure through a real crash.)
#include "app/commandline.h"
#include "app/form1.h"
#include "lesson/lessonfile.h"
#include "lesson/lessonstate.h"
#include "lesson/regularfile.h"
#include "lesson/strictjson.h"
#include "tests/randomevents.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#include <sys/sysmacros.h>
#endif

class TestLesson : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void statesComeBack_data();
    void statesComeBack();
    void badFilesAreRefused_data();
    void badFilesAreRefused();
    void unsavedChangesAreAsked_data();
    void unsavedChangesAreAsked();
    void failedSavesKeepTheOldFile_data();
    void failedSavesKeepTheOldFile();
    void savesKeepTheFilesPermissions_data();
    void savesKeepTheFilesPermissions();
    void unusualButSoundFilesOpen_data();
    void unusualButSoundFilesOpen();
    void strictJsonKeepsToTheGrammar_data();
    void strictJsonKeepsToTheGrammar();
    void lastFigureOfThePreviousRunStays_data();
    void lastFigureOfThePreviousRunStays();
    void aLessonIsOnceInRecentFiles_data();
    void aLessonIsOnceInRecentFiles();

  private:
    QTemporaryDir dir_;
};

namespace {

// Answers every question of the lesson files at once and keeps what it was told.
class FixedAnswers : public LessonPrompt {
  public:
    QString open, save;
    Unsaved unsaved = Unsaved::Cancel;
    int unsavedAsked = 0, saveAsked = 0;
    QStringList told;
    QString askOpen(QWidget*, const QString&) override { return open; }
    QString askSave(QWidget*, const QString&) override {
        ++saveAsked;
        return save;
    }
    bool confirmReplace(QWidget*, const QString&) override { return true; }
    Unsaved askUnsaved(QWidget*, const QString&) override {
        ++unsavedAsked;
        return unsaved;
    }
    void tell(QWidget*, const QString&, const QString& message) override { told << message; }
};

FixedAnswers& answers(Form1& form) {
    auto prompt = std::make_unique<FixedAnswers>();
    FixedAnswers& fixed = *prompt;
    form.lessonFiles->prompt = std::move(prompt);
    return fixed;
}

class FixedPicturePath : public SavePrompt {
  public:
    explicit FixedPicturePath(QString path) : path_(std::move(path)) {}
    QString ask(QWidget*, const QString&, const QString&) override { return path_; }
    bool confirmReplace(QWidget*, const QString&, const QString&) override { return true; }

  private:
    QString path_;
};

QImage windowGrab(Form1& form) {
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) count += rowA[x] != rowB[x];
    }
    return count;
}

// A lesson as a teacher prepares it: P with its angle and readout, a trace, memo ink.
void prepareLesson(Form1& form) {
    EventRun run(form, 99);
    for (int n = 0; n < 400; ++n) run.step();
    form.Check6->setValue(1);
    form.Command7_Click(0);
}

// The pointer on the drawing area, as the window receives it.
void canvasMouse(Form1& form, QEvent::Type type, QPointF at) {
    const QPointF local = at + QPointF(CanvasWidget::kDrawingOffset, CanvasWidget::kDrawingOffset);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, local, form.gamenView->mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(form.gamenView, &event);
}

// What a teacher does in a row of a table: "点Ｐ" clicks that box, "hover" moves the
// pointer over the figure, "empty" clicks an empty spot of the drawing area, "key:A"
// chooses A for the arrow keys, "undo" is Ctrl+Z, "open:<path>" opens a lesson file.
void teacher(Form1& form, const QString& action) {
    if (action == QStringLiteral("点Ｐ"))
        return QTest::mouseClick(form.Check6, Qt::LeftButton, {}, QPoint(8, 8));
    if (action == QLatin1String("hover")) {
        for (int x = 100; x <= 700; x += 40) canvasMouse(form, QEvent::MouseMove, QPointF(x, 280 + x % 90));
        return;
    }
    if (action == QLatin1String("empty")) {
        canvasMouse(form, QEvent::MouseButtonPress, {30, 30});
        canvasMouse(form, QEvent::MouseButtonRelease, {30, 30});
        return;
    }
    if (action == QLatin1String("key:A")) return QTest::keyClick(form.gamenView, Qt::Key_A);
    if (action == QLatin1String("undo")) return form.undo->undoAction()->trigger();
    if (action.startsWith(QLatin1String("open:"))) {
        form.lessonFiles->OpenFile(action.mid(5));
        return;
    }
    QFAIL(qPrintable(QStringLiteral("no action ") + action));
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

#ifdef Q_OS_UNIX
// A file by its name's bytes, which need not be UTF-8. QTemporaryDir cannot name it to
// remove it, so it goes when the test function ends.
bool writeSystemName(const QByteArray& name, const QByteArray& bytes) {
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), bytes.size()) == bytes.size();
    if (fd >= 0) ::close(fd);
    return written;
}
#endif

QString pngBase64(const QImage& image, const char* format = "PNG") {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return QString::fromLatin1(bytes.toBase64());
}

// PNG chunks of the test's own making, with their checksums (CRC-32 of ISO 3309).
QByteArray pngChunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type, 4) + data;
    quint32 crc = 0xffffffffU;
    for (const char byte : body) {
        crc ^= static_cast<uchar>(byte);
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xedb88320U ^ (crc >> 1) : crc >> 1;
    }
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    chunk += body + QByteArray(4, '\0');
    qToBigEndian<quint32>(crc ^ 0xffffffffU, chunk.data() + chunk.size() - 4);
    return chunk;
}

// The canvas PNG of `root` changed as `how` says: extra chunks after its header (many
// small texts, or texts that inflate to hundreds of megabytes), or its header's checksum broken.
QString brokenCanvas(const QJsonObject& root, const QString& how) {
    QByteArray png = QByteArray::fromBase64(root.value(QLatin1String("canvas")).toString().toLatin1());
    constexpr int kAfterHeader = 8 + 25;
    QByteArray extra;
    if (how == QLatin1String("texts"))
        for (int i = 0; i < 3000; ++i) extra += pngChunk("tEXt", "Comment" + QByteArray(1, '\0') + "x");
    if (how == QLatin1String("bomb")) {
        // 7 MB of text each, under the decoder's own limit for one chunk.
        const QByteArray inflating =
            QByteArray("Comment") + '\0' + '\0' + qCompress(QByteArray(7 * 1000 * 1000, 'a'), 9).mid(4);
        for (int i = 0; i < 40; ++i) extra += pngChunk("zTXt", inflating);
    }
    png.insert(kAfterHeader, extra);
    if (how == QLatin1String("bad checksum")) png[kAfterHeader - 1] = char(png[kAfterHeader - 1] ^ 0x55);
    return QString::fromLatin1(png.toBase64());
}

// Opens `path` with OpenFile (or the open routine, or as the command line names it)
// while a watchdog makes sure a FIFO cannot keep the test waiting: after 3 s it opens
// the FIFO's other end and closes it, which ends a read that hangs.
bool openWithin(Form1& form, FixedAnswers& answers, const QByteArray& systemName, const QString& route) {
    const QString path = RegularFile::pathOf(systemName);
    std::atomic<bool> done = false;
    std::thread watchdog([&done, name = systemName] {
        for (int i = 0; i < 300 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
#ifdef Q_OS_UNIX
        while (!done) {
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
#endif
    });
    bool opened = false;
    if (route == QLatin1String("dialog")) {
        answers.open = path;
        opened = form.lessonFiles->Open();
    } else if (route == QLatin1String("command line")) {
#ifdef Q_OS_WIN
        // Windows gives a program its arguments in the local code page.
        QByteArray program = "enshukaku", name = path.toLocal8Bit();
#else
        QByteArray program = "enshukaku", name = systemName;
#endif
        char* argv[] = {program.data(), name.data(), nullptr};
        CommandLine commandLine;
        if (!commandLine.read(2, argv))
            opened = form.lessonFiles->OpenFile(commandLine.lessonFile(), commandLine.lessonFileName());
    } else {
        opened = form.lessonFiles->OpenFile(path);
    }
    done = true;
    watchdog.join();
    return opened;
}

} // namespace

void TestLesson::initTestCase() {
    QVERIFY(dir_.isValid());
    QStandardPaths::setTestModeEnabled(true);
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toUtf8());
}

void TestLesson::statesComeBack_data() {
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<bool>("throughFile");
    for (quint64 seed : {20261208ULL, 7ULL, 31337ULL, 5550123ULL}) {
        QTest::addRow("seed %llu", seed) << seed << false;
        QTest::addRow("seed %llu, saved and opened", seed + 1000) << seed + 1000 << true;
    }
}

// Each row 25 states, from a few events to a few thousand deep: 100 captured and put
// back, 100 saved to a file and dropped on a fresh window.
void TestLesson::statesComeBack() {
    QFETCH(quint64, seed);
    QFETCH(bool, throughFile);
    Form1 source;
    FixedAnswers& saving = answers(source);
    EventRun run(source, seed);
    int traces = 0, lines = 0, freeP = 0, memo = 0;
    for (int state = 0; state < 25; ++state) {
        const int events = 20 + (state * 37) % 160;
        for (int n = 0; n < events; ++n) run.step();
        const LessonState lesson = CaptureLesson(source);
        traces += lesson.traceCount > 0;
        lines += lesson.lines[0].shown;
        freeP += !lesson.boxes[LessonState::OnCircle].ticked;
        memo += lesson.memoMode;
        Form1 fresh;
        if (throughFile) {
            saving.save = dir_.filePath(QStringLiteral("state-%1-%2").arg(seed).arg(state));
            QVERIFY(source.lessonFiles->SaveAs());
            // Opened by a drop on the window, as from the file manager.
            answers(fresh);
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(source.lessonFiles->filePath())});
            QDragEnterEvent enter(QPoint(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&fresh, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&fresh, &drop);
            QTRY_COMPARE(fresh.lessonFiles->filePath(), source.lessonFiles->filePath());
            QCOMPARE(fresh.lessonFiles->recentFiles().value(0), fresh.lessonFiles->filePath());
        } else {
            ApplyLesson(fresh, lesson);
        }
        const int differing = differingPixels(windowGrab(source), windowGrab(fresh));
        QVERIFY2(differing == 0,
                 qPrintable(QStringLiteral("state %1: %2 pixels differ").arg(state).arg(differing)));
        QVERIFY2(CaptureLesson(fresh) == lesson,
                 qPrintable(QStringLiteral("state %1 captured again differs").arg(state)));
    }
    // The states are those of a lesson: traces, straight lines, a free P, the memo pen.
    QVERIFY(traces > 0 && lines > 0 && freeP > 0 && memo > 0);
}

void TestLesson::badFilesAreRefused_data() {
    QTest::addColumn<QString>("change"); // what is done to a good lesson file
    QTest::addColumn<QString>("reason"); // part of the message
    QTest::newRow("not JSON") << "text:円周角"
                              << "JSON として読めません";
    QTest::newRow("cut short") << "cut"
                               << "途中で切れています";
    QTest::newRow("another format") << "format=other"
                                    << "授業ファイル（enshukaku-lesson）ではありません";
    QTest::newRow("newer version") << "version=2"
                                   << "新しい版（2）";
    QTest::newRow("radius out of limits") << "figure.radius=275"
                                          << "figure.radius";
    // JSON has no infinite numbers: one written out is refused as JSON.
    QTest::newRow("angle not finite") << "raw:\"angleA\": 1e999"
                                      << "JSON として読めません";
    QTest::newRow("A too close to B") << "figure.angleB=225"
                                      << "A + 15 ≦ B";
    QTest::newRow("wrong type") << "boxes.pointP=\"yes\""
                                << "「boxes.pointP」の型が違います";
    QTest::newRow("missing field") << "tools.penWidth="
                                   << "「tools.penWidth」がありません";
    QTest::newRow("readout without its angle") << "boxes.angleAPB={\"ticked\":false,\"enabled\":true}"
                                               << "角の大きさの表示";
    QTest::newRow("picture of another size") << "canvas=small"
                                             << "875 × 625";
    QTest::newRow("picture not a PNG") << "canvas=jpeg"
                                       << "PNG ではありません";
    QTest::newRow("over 20 MB") << "huge"
                                << "大きすぎます";
    QTest::newRow("one byte over 20 MB") << "pad:20000001"
                                         << "大きすぎます（20 MB まで）";
    QTest::newRow("a folder") << "folder"
                              << "フォルダです";
    QTest::newRow("no such file") << "missing"
                                  << "ファイルがありません";
    // Nothing may keep the window waiting: a FIFO is refused without reading it.
    QTest::newRow("a FIFO") << "fifo"
                            << "パイプ（FIFO）です";
    QTest::newRow("a FIFO chosen in the open dialog") << "fifo:dialog"
                                                      << "パイプ（FIFO）です";
    QTest::newRow("a FIFO named on the command line") << "fifo:command line"
                                                      << "パイプ（FIFO）です";
    // Pictures that would cost more than reading them: refused before they are decoded.
    QTest::newRow("canvas with 3000 text chunks") << "canvas=texts"
                                                  << "テキストなどの付け足しが多すぎます";
    QTest::newRow("canvas inflating to 280 MB") << "canvas=bomb"
                                                << "テキストなどの付け足しが多すぎます";
    QTest::newRow("six traces") << "traces=six"
                                << "「traces」の数が多すぎます（5 まで）";
    // Every value the format forbids.
    QTest::newRow("angleA 0") << "figure.angleA=0"
                              << "0 < A";
    QTest::newRow("line colour #123456") << "swap:\"#ff0000\"=>\"#123456\""
                                         << "「lines[0].colour」は直線の色";
    QTest::newRow("line colour red") << "swap:\"#ff0000\"=>\"red\""
                                     << "「lines[0].colour」は直線の色";
    QTest::newRow("fractional penWidth") << "tools.penWidth=3.5"
                                         << "「penWidth」が整数で書かれていません";
    QTest::newRow("penWidth written 3.99999999999999999")
        << "re:\"penWidth\": [0-9]+=>\"penWidth\": 3.99999999999999999"
        << "「penWidth」が整数で書かれていません";
    QTest::newRow("fractional directionPB") << "figure.directionPB=316.5"
                                            << "「directionPB」が整数で書かれていません";
    QTest::newRow("補助線 without 円周上") << "boxes.auxiliaryLine={\"ticked\":true,\"enabled\":true} ; "
                                              "boxes.onCircle={\"ticked\":false,\"enabled\":true}"
                                           << "「補助線」が「円周上」なしに";
    QTest::newRow("preview not a PNG") << "preview=\"aGVsbG8=\""
                                       << "プレビューの画像（preview）が PNG ではありません";
    QTest::newRow("a second format") << "swap:{\n=>{\"format\": \"other\",\n"
                                     << "「format」が二度書かれています";
    QTest::newRow("number -.5") << "re:\"pointer\": \\[\\s*[0-9.e+-]+=>\"pointer\": [-.5"
                                << "数の書き方が JSON ではありません";
    QTest::newRow("number 1.") << "raw:\"angleA\": 221."
                               << "数の書き方が JSON ではありません";
    QTest::newRow("radius 75.00001") << "figure.radius=75.00001"
                                     << "75.00001 は、窓では半径 75 になります";
    QTest::newRow("radius 274.99999") << "figure.radius=274.99999"
                                      << "274.99999 は、窓では半径 275 になります";
    // Reasons that say what is wrong.
    QTest::newRow("a stray byte at the end") << "append:x"
                                             << "JSON の後に余分なデータがあります";
    QTest::newRow("canvas with a bad checksum") << "canvas=bad checksum"
                                                << "チェックサムが合いません";
    QTest::newRow("a symlink loop") << "loop"
                                    << "シンボリックリンクが循環しています";
    QTest::newRow("in a folder that cannot be searched") << "locked"
                                                         << "開く許可がありません";
    QTest::newRow("a name that is not UTF-8") << "not UTF-8"
                                              << "名前に文字として読めないバイトがあります";
}

// Nothing is half-applied: the window, its title and its lesson stay exactly as they were.
void TestLesson::badFilesAreRefused() {
    QFETCH(QString, change);
    QFETCH(QString, reason);
    Form1 form;
    prepareLesson(form);
    Form1 lesson;
    lesson.Check6->setValue(1);
    lesson.Check7->setValue(1);
    lesson.Check2[1]->setValue(1);
    QByteArray bytes = LessonFile::encode(CaptureLesson(lesson), QImage());
    QJsonObject root = QJsonDocument::fromJson(bytes).object();
    QString path = dir_.filePath(QStringLiteral("bad-%1.enshu").arg(QTest::currentDataTag()));
    for (const QString& one : change.split(QStringLiteral(" ; "))) {
        if (one.startsWith(QLatin1String("text:"))) bytes = one.mid(5).toUtf8();
        if (one == QLatin1String("cut")) bytes.truncate(bytes.size() / 2);
        if (one.startsWith(QLatin1String("raw:"))) {
            bytes = QString::fromUtf8(bytes)
                        .replace(QRegularExpression(QStringLiteral("\"angleA\": [0-9.e+-]+")), one.mid(4))
                        .toUtf8();
        }
        if (one.startsWith(QLatin1String("swap:"))) {
            const QStringList parts = one.mid(5).split(QStringLiteral("=>"));
            const qsizetype at = bytes.indexOf(parts[0].toUtf8());
            QVERIFY(at >= 0);
            bytes.replace(at, parts[0].toUtf8().size(), parts[1].toUtf8());
        }
        if (one.startsWith(QLatin1String("re:"))) {
            const QStringList parts = one.mid(3).split(QStringLiteral("=>"));
            bytes = QString::fromUtf8(bytes).replace(QRegularExpression(parts[0]), parts[1]).toUtf8();
        }
        if (one.startsWith(QLatin1String("append:"))) bytes += one.mid(7).toUtf8();
        if (one.startsWith(QLatin1String("pad:")))
            bytes += QByteArray(one.mid(4).toInt() - bytes.size(), ' ');
        if (one.contains(QLatin1Char('=')) && !one.startsWith(QLatin1String("raw:")) &&
            !one.startsWith(QLatin1String("swap:")) && !one.startsWith(QLatin1String("re:"))) {
            const QString key = one.section(QLatin1Char('='), 0, 0),
                          value = one.section(QLatin1Char('='), 1, -1);
            QJsonValue json = QJsonDocument::fromJson("[" + value.toUtf8() + "]").array().at(0);
            if (value == QLatin1String("small")) json = pngBase64(QImage(100, 100, QImage::Format_RGB32));
            if (value == QLatin1String("jpeg")) json = pngBase64(lesson.gamen.image(), "JPEG");
            if (key == QLatin1String("canvas") && json.isUndefined()) json = brokenCanvas(root, value);
            if (value == QLatin1String("six")) {
                const QJsonObject trace{{"p", QJsonArray{339.58, 90.08}},
                                        {"a", QJsonArray{233.18, 485.32}},
                                        {"b", QJsonArray{616.37, 485.72}},
                                        {"letter", QJsonArray{318, 34}}};
                json = QJsonArray{trace, trace, trace, trace, trace, trace};
            }
            if (key.contains(QLatin1Char('.'))) {
                const QString outer = key.section(QLatin1Char('.'), 0, 0),
                              inner = key.section(QLatin1Char('.'), 1);
                QJsonObject object = root.value(outer).toObject();
                if (value.isEmpty())
                    object.remove(inner);
                else
                    object.insert(inner, json);
                root.insert(outer, object);
            } else {
                root.insert(key, json);
            }
            bytes = QJsonDocument(root).toJson();
        }
    }
    if (change == QLatin1String("huge")) bytes = bytes + QByteArray(LessonFile::kLargestFile, ' ');
    const QString route = change.section(QLatin1Char(':'), 1);
#ifdef Q_OS_UNIX
    const QByteArray oddName = QFile::encodeName(dir_.path()) + "/bad-\xff\xfe.enshu";
    const auto removeOddName = qScopeGuard([&oddName] { ::unlink(oddName.constData()); });
    if (change.startsWith(QLatin1String("fifo"))) QCOMPARE(::mkfifo(QFile::encodeName(path), 0644), 0);
    if (change == QLatin1String("loop")) QVERIFY(QFile::link(QFileInfo(path).fileName(), path));
    if (change == QLatin1String("locked")) {
        const QString folder = dir_.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(folder));
        path = folder + QStringLiteral("/lesson.enshu");
        QVERIFY(writeAll(path, bytes));
        QVERIFY(QFile::setPermissions(folder, {}));
    }
    if (change == QLatin1String("not UTF-8")) {
        // The name's bytes as the system keeps them; as text the bad byte becomes U+FFFD.
        QVERIFY(writeSystemName(oddName, bytes));
        path = QFile::decodeName(oddName);
    }
#else
    if (change.startsWith(QLatin1String("fifo")) || change == QLatin1String("loop") ||
        change == QLatin1String("locked") || change == QLatin1String("not UTF-8"))
        QSKIP("FIFOs, permissions and names that are not UTF-8 are Unix matters");
#endif
    const bool madeAbove = change.startsWith(QLatin1String("fifo")) || change == QLatin1String("loop") ||
                           change == QLatin1String("locked") || change == QLatin1String("not UTF-8");
    if (change == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (change != QLatin1String("missing") && !madeAbove)
        QVERIFY(writeAll(path, bytes));
#ifdef Q_OS_LINUX
    // Root may search any folder; the file system's user of this thread is nobody meanwhile.
    const bool asNobody = change == QLatin1String("locked") && ::geteuid() == 0;
#elif defined(Q_OS_UNIX)
    if (change == QLatin1String("locked") && ::geteuid() == 0) QSKIP("root may search any folder");
    [[maybe_unused]] const bool asNobody = false;
#else
    [[maybe_unused]] const bool asNobody = false;
#endif

    FixedAnswers& told = answers(form);
    told.unsaved = LessonPrompt::Unsaved::Discard; // the prepared figure has no file
    const LessonState before = CaptureLesson(form);
    const QImage grabbed = windowGrab(form);
    const QString title = form.windowTitle();
    QElapsedTimer clock;
    clock.start();
#ifdef Q_OS_LINUX
    if (asNobody) ::setfsuid(65534);
#endif
    // A name that is not UTF-8 comes as text with U+FFFD, as a dialog or a drop gives it.
    const bool opened = openWithin(form, told, RegularFile::systemName(path), route);
#ifdef Q_OS_LINUX
    if (asNobody) ::setfsuid(0);
#endif
    const qint64 took = clock.elapsed();
    if (change == QLatin1String("locked"))
        QFile::setPermissions(QFileInfo(path).absolutePath(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!opened);
    QVERIFY2(took < 2000, qPrintable(QStringLiteral("refused after %1 ms").arg(took)));
    QCOMPARE(told.told.size(), 1);
    QVERIFY2(told.told[0].contains(QFileInfo(path).fileName()) && told.told[0].contains(reason),
             qPrintable(told.told[0]));
    QVERIFY(CaptureLesson(form) == before);
    QCOMPARE(differingPixels(windowGrab(form), grabbed), 0);
    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(form.lessonFiles->filePath(), QString());
}

void TestLesson::unsavedChangesAreAsked_data() {
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<int>("answer"); // LessonPrompt::Unsaved
    QTest::addColumn<int>("asked");  // questions, on opening and on closing
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("fileHasChange");
    const QStringList pointP{"点Ｐ"};
    const int save = int(LessonPrompt::Unsaved::Save), discard = int(LessonPrompt::Unsaved::Discard),
              cancel = int(LessonPrompt::Unsaved::Cancel);
    QTest::newRow("保存") << pointP << true << save << 1 << true << true;
    QTest::newRow("保存しない") << pointP << true << discard << 1 << true << false;
    QTest::newRow("キャンセル") << pointP << true << cancel << 1 << false << false;
    QTest::newRow("hover, then a click on an empty spot")
        << QStringList{"hover", "empty"} << true << cancel << 0 << true << false;
    QTest::newRow("arrow keys given a handle")
        << QStringList{"key:A"} << true << cancel << 0 << true << false;
    QTest::newRow("undone back to the file")
        << QStringList{"点Ｐ", "hover", "undo"} << true << cancel << 0 << true << false;
    QTest::newRow("a change just before closing")
        << QStringList{"点Ｐ", "at once"} << true << save << 1 << true << true;
    QTest::newRow("never saved: asked too") << pointP << false << cancel << 1 << false << false;
    QTest::newRow("never saved, 保存しない") << pointP << false << discard << 1 << true << false;
    QTest::newRow("never saved, hover and a click only")
        << QStringList{"hover", "empty"} << false << cancel << 0 << true << false;
    QTest::newRow("never saved, a lesson opened over it")
        << QStringList{"点Ｐ", "open:"} << false << cancel << 2 << false << false;
    QTest::newRow("never saved, a change just before closing")
        << QStringList{"点Ｐ", "at once"} << false << cancel << 1 << false << false;
}

// A window that differs from its file, or from the start screen when it has none, marks
// the title (when it has a file) and is asked about on opening another lesson and on
// closing; where the pointer stands or which handle the keys move is no change.
void TestLesson::unsavedChangesAreAsked() {
    QFETCH(QStringList, actions);
    QFETCH(bool, hasFile);
    QFETCH(int, answer);
    QFETCH(int, asked);
    QFETCH(bool, closes);
    QFETCH(bool, fileHasChange);
    const QString other = dir_.filePath(QStringLiteral("other.enshu"));
    if (!QFileInfo::exists(other)) {
        Form1 lesson;
        lesson.Check8->setValue(1);
        QVERIFY(LessonFile::write(other, LessonFile::encode(CaptureLesson(lesson), QImage())).isEmpty());
    }
    Form1 form;
    FixedAnswers& answered = answers(form);
    answered.unsaved = LessonPrompt::Unsaved(answer);
    answered.save = dir_.filePath(QStringLiteral("unsaved-%1").arg(QTest::currentDataTag()));
    const QString path = answered.save + QStringLiteral(".enshu");
    if (hasFile) {
        QVERIFY(form.lessonFiles->Save());
        QVERIFY(form.windowTitle().startsWith(QFileInfo(path).completeBaseName() + QStringLiteral("[*]")));
    }
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const QString& action : actions) {
        if (action == QLatin1String("at once")) continue;
        teacher(form, action == QLatin1String("open:") ? action + other : action);
    }
    if (!actions.contains(QStringLiteral("at once"))) {
        const bool changed = asked > 0;
        QTRY_COMPARE(form.lessonFiles->isModified(), changed);
        QTest::qWait(LessonFiles::kCheckDelayMs + 100);
        QCOMPARE(form.lessonFiles->isModified(), changed);
        QCOMPARE(form.isWindowModified(), hasFile && changed);
    }

    QCOMPARE(form.close(), closes);
    QCOMPARE(answered.unsavedAsked, asked);
    if (hasFile) {
        const LessonFile::Outcome kept = LessonFile::read(path);
        QVERIFY(kept.lesson);
        QCOMPARE(kept.lesson->boxes[LessonState::PointP].ticked, fileHasChange);
    }
}

void TestLesson::failedSavesKeepTheOldFile_data() {
    QTest::addColumn<bool>("picture");
    QTest::addColumn<QString>("target"); // what stands where the file is saved
    QTest::addColumn<QString>("reason");
    QTest::newRow("lesson, full disk") << false << "full disk"
                                       << "ディスクの空きが足りません";
    QTest::newRow("picture, full disk") << true << "full disk"
                                        << "ディスクの空きが足りません";
    // The start screen's lesson, preview and all, is smaller than the write buffer.
    QTest::newRow("small lesson, full disk") << false << "small, full disk"
                                             << "ディスクの空きが足りません";
    QTest::newRow("lesson, missing folder") << false << "missing folder"
                                            << "保存先のフォルダがありません";
    QTest::newRow("picture, missing folder") << true << "missing folder"
                                             << "保存先のフォルダがありません";
    // Only a plain file is replaced: nothing else a name can stand for.
    QTest::newRow("lesson onto a FIFO") << false << "FIFO"
                                        << "保存先が普通のファイルではありません";
    QTest::newRow("picture onto a FIFO") << true << "FIFO"
                                         << "保存先が普通のファイルではありません";
    QTest::newRow("lesson onto a device") << false << "device"
                                          << "保存先が普通のファイルではありません";
    QTest::newRow("lesson onto a link to a device") << false << "link to a device"
                                                    << "保存先が普通のファイルではありません";
    QTest::newRow("picture onto a link to a device") << true << "link to a device"
                                                     << "保存先が普通のファイルではありません";
}

// On a small file system that fills up: the message names the reason, the old file is
// whole, and no partial file is left beside it. A FIFO or a device (made in the test's
// own folder) stays what it was.
void TestLesson::failedSavesKeepTheOldFile() {
    QFETCH(bool, picture);
    QFETCH(QString, target);
    QFETCH(QString, reason);
    const bool fullDisk = target.endsWith(QLatin1String("full disk"));
    const QString mountPoint = dir_.filePath(QStringLiteral("small-%1").arg(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(mountPoint));
    if (fullDisk) {
#ifdef Q_OS_WIN
        QSKIP("the small file system that fills up is made with mount(8), which Windows has not");
#endif
        QProcess mount;
        mount.start(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=192k", "tmpfs", mountPoint});
        if (!mount.waitForFinished() || mount.exitCode() != 0) {
            if (qEnvironmentVariable("CI") == QLatin1String("true")) QFAIL("cannot mount a small tmpfs");
            QSKIP("a small tmpfs cannot be mounted here (needs root)");
        }
    }
    const auto unmount = qScopeGuard([&] {
        if (fullDisk) QProcess::execute(QStringLiteral("umount"), {mountPoint});
    });
    const QString folder =
        target == QLatin1String("missing folder") ? mountPoint + QStringLiteral("/missing") : mountPoint;
    const QString path = folder + (picture ? QStringLiteral("/figure.png") : QStringLiteral("/lesson.enshu"));
    const QByteArray old(20000, 'o');
    if (fullDisk) {
        QVERIFY(writeAll(path, old));
        // Fill what is left (but 4 KiB for the larger lesson): the new file cannot finish.
        QFile filler(mountPoint + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        filler.write(QByteArray(1024 * 1024, 'f'));
        filler.flush();
        if (!target.startsWith(QLatin1String("small"))) QVERIFY(filler.resize(filler.size() - 4096));
    }
    QStringList expected{QFileInfo(path).fileName()};
#ifdef Q_OS_UNIX
    const bool node = target.contains(QLatin1String("device"));
    if (node && ::geteuid() != 0) QSKIP("making a device node needs root");
    const QByteArray nodeName =
        QFile::encodeName(target.startsWith(QLatin1String("link")) ? folder + QStringLiteral("/node") : path);
    if (target == QLatin1String("FIFO")) QCOMPARE(::mkfifo(nodeName, 0644), 0);
    // A device like /dev/null, in the test's own folder.
    if (node) QCOMPARE(::mknod(nodeName, S_IFCHR | 0644, makedev(1, 3)), 0);
    if (target.startsWith(QLatin1String("link"))) {
        QVERIFY(QFile::link(QStringLiteral("node"), path));
        expected << QStringLiteral("node");
    }
    const auto kindOf = [](const QByteArray& name) {
        struct stat status {};
        return ::lstat(name.constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
    };
    const auto nodeKind = kindOf(nodeName), pathKind = kindOf(QFile::encodeName(path));
#else
    if (!fullDisk && target != QLatin1String("missing folder"))
        QSKIP("FIFOs and device nodes are Unix matters");
#endif
    Form1 form;
    if (!target.startsWith(QLatin1String("small"))) prepareLesson(form);
    QString message;
    if (picture) {
        form.savePrompt = std::make_unique<FixedPicturePath>(path);
        QTimer::singleShot(0, [&message] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = box->text();
                box->reject();
            }
        });
        form.SaveDrawingArea();
    } else {
        FixedAnswers& told = answers(form);
        told.save = path;
        QVERIFY(!form.lessonFiles->SaveAs());
        message = told.told.value(0);
        QCOMPARE(form.lessonFiles->filePath(), QString());
    }
    QVERIFY2(message.contains(reason), qPrintable(message));
    if (target == QLatin1String("missing folder")) {
        QVERIFY(!QFileInfo::exists(folder));
        return;
    }
    if (fullDisk) {
        QCOMPARE(readAll(path), old);
        expected << QStringLiteral("filler");
    }
#ifdef Q_OS_UNIX
    else {
        QCOMPARE(kindOf(nodeName), nodeKind);
        QCOMPARE(kindOf(QFile::encodeName(path)), pathKind);
    }
#endif
    expected.sort();
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                    QDir::Name),
             expected);
}

void TestLesson::savesKeepTheFilesPermissions_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("how");
    QTest::newRow("read-only, as root") << 0444 << "root";
    QTest::newRow("readable by the group") << 0640 << "";
    QTest::newRow("someone else's, as root") << 0664 << "root, owned by nobody";
    // A link to a plain file stays a link: the file it names is replaced.
    QTest::newRow("through a link") << 0604 << "link";
}

// Saving over a lesson replaces its contents, not what the file is: the mode (and, as
// root, the owner) stay, and a link stays a link.
void TestLesson::savesKeepTheFilesPermissions() {
    QFETCH(int, mode);
    QFETCH(QString, how);
#ifdef Q_OS_UNIX
    if (how.startsWith(QLatin1String("root")) && ::geteuid() != 0) QSKIP("needs root");
    const QString folder = dir_.filePath(QStringLiteral("modes-%1").arg(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/lesson.enshu");
    const QString path = how == QLatin1String("link") ? folder + QStringLiteral("/link.enshu") : file;
    QVERIFY(writeAll(file, "old"));
    QCOMPARE(::chmod(QFile::encodeName(file), mode_t(mode)), 0);
    if (how.contains(QLatin1String("nobody"))) QCOMPARE(::chown(QFile::encodeName(file), 65534, 65534), 0);
    if (how == QLatin1String("link")) QVERIFY(QFile::link(QStringLiteral("lesson.enshu"), path));
    struct stat before {};
    QCOMPARE(::stat(QFile::encodeName(file), &before), 0);

    Form1 form;
    form.Check6->setValue(1);
    answers(form).save = path;
    QVERIFY(form.lessonFiles->SaveAs());
    struct stat after {};
    QCOMPARE(::stat(QFile::encodeName(file), &after), 0);
    QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(QFileInfo(path).isSymLink(), how == QLatin1String("link"));
    const LessonFile::Outcome saved = LessonFile::read(file);
    QVERIFY2(saved.lesson, qPrintable(saved.reason));
    QVERIFY(saved.lesson->boxes[LessonState::PointP].ticked);
#else
    Q_UNUSED(mode);
    Q_UNUSED(how);
    QSKIP("file modes and owners are Unix matters");
#endif
}

void TestLesson::unusualButSoundFilesOpen_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("exactly 20 MB") << "20 MB";
    QTest::newRow("a name that is not UTF-8, on the command line") << "not UTF-8";
    // 円周上 makes the readout the theorem's value: P goes on the circle at its angle.
    QTest::newRow("P inside the circle with 円周上") << "P inside";
    // The package's check opens this one through the desktop's file type.
    QTest::newRow("the sample lesson of the package") << "sample";
}

void TestLesson::unusualButSoundFilesOpen() {
    QFETCH(QString, kind);
    Form1 lesson;
    lesson.Check6->setValue(1);
    QByteArray bytes = LessonFile::encode(CaptureLesson(lesson), QImage());
    QByteArray name = RegularFile::systemName(dir_.filePath(QStringLiteral("sound-%1.enshu").arg(kind)));
    if (kind == QLatin1String("20 MB")) bytes += QByteArray(20000000 - bytes.size(), ' ');
    if (kind == QLatin1String("sample"))
        bytes = readAll(QStringLiteral(ENSHUKAKU_TEST_DATA "/initial-screen.enshu"));
    if (kind == QLatin1String("P inside")) {
        QJsonObject root = QJsonDocument::fromJson(bytes).object();
        QJsonObject figure = root.value(QLatin1String("figure")).toObject();
        figure.insert(QLatin1String("p"), QJsonArray{425, 325});
        root.insert(QLatin1String("figure"), figure);
        bytes = QJsonDocument(root).toJson();
    }
    QVERIFY(!bytes.isEmpty());
#ifdef Q_OS_UNIX
    // Shift_JIS for 授業, as an older system may have named it.
    if (kind == QLatin1String("not UTF-8")) name = QFile::encodeName(dir_.path()) + "/\x8e\xf6\x8b\xc6.enshu";
    const auto removeIt = qScopeGuard([&name] { ::unlink(name.constData()); });
    QVERIFY(writeSystemName(name, bytes));
#else
    if (kind == QLatin1String("not UTF-8")) QSKIP("names are UTF-16 on this system");
    QVERIFY(writeAll(RegularFile::pathOf(name), bytes));
#endif
    Form1 form;
    FixedAnswers& told = answers(form);
    QVERIFY2(openWithin(form, told, name, QStringLiteral("command line")), qPrintable(told.told.join('\n')));
    if (kind == QLatin1String("sample")) return;
    QVERIFY(CaptureLesson(form) == CaptureLesson(lesson));
    QCOMPARE(differingPixels(windowGrab(form), windowGrab(lesson)), 0);
}

void TestLesson::strictJsonKeepsToTheGrammar_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("fault"); // part of the reason; empty for sound JSON
    const QString number = QStringLiteral("数の書き方");
    const QString twice = QStringLiteral("が二度書かれています");
    for (const char* sound : {"0", "-0", "12", "-1.5e-3", "1E+5", "0.25", "[1, 2.5, -3]", "\"a\\\"b\""})
        QTest::addRow("%s", sound) << QByteArray(sound) << QString();
    for (const char* bad : {"-", "-.5", "1.", "1.e5", "01", "-01", "1e", "1e+", "[1, -.5]"})
        QTest::addRow("%s", bad) << QByteArray(bad) << number;
    QTest::newRow("one key in two objects")
        << QByteArray("[{\"a\": 1}, {\"a\": 1}, {\"b\": {\"a\": 2}, \"a\": 3}]") << QString();
    QTest::newRow("a key twice") << QByteArray("{\"a\": 1, \"b\": 2, \"a\": 1}") << twice;
    QTest::newRow("a key twice, escaped") << QByteArray("{\"a\": 1, \"\\u0061\": 1}") << twice;
    QTest::newRow("a key twice, deep") << QByteArray("{\"x\": [{\"y\": {\"a\": [], \"a\": {}}}]}") << twice;
    QTest::newRow("a tab in a string") << QByteArray("[\"a\tb\"]") << QStringLiteral("制御文字");
    QTest::newRow("a whole number as whole") << QByteArray("{\"penWidth\": 4}") << QString();
    QTest::newRow("a whole number with a fraction")
        << QByteArray("{\"penWidth\": 4.0}") << QStringLiteral("「penWidth」が整数で書かれていません");
    QTest::newRow("a whole number with an exponent")
        << QByteArray("{\"penWidth\": 4e0}") << QStringLiteral("「penWidth」が整数で書かれていません");
    QTest::newRow("another number with a fraction") << QByteArray("{\"angleA\": 4.0}") << QString();
}

// The parser takes each of these texts; the scanner finds what JSON forbids in them.
void TestLesson::strictJsonKeepsToTheGrammar() {
    QFETCH(QByteArray, text);
    QFETCH(QString, fault);
    QJsonParseError parse{};
    QJsonDocument::fromJson("[" + text + "]", &parse);
    QVERIFY2(parse.error == QJsonParseError::NoError || !fault.isEmpty(), qPrintable(parse.errorString()));
    const QString found = StrictJson::fault(text, {QStringLiteral("penWidth")});
    QVERIFY2(fault.isEmpty() ? found.isEmpty() : found.contains(fault), qPrintable(found));
}

void TestLesson::lastFigureOfThePreviousRunStays_data() {
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<bool>("moved"); // the previous run's figure went to last-figure-previous.enshu
    QTest::newRow("a click on an empty spot") << QStringList{"hover", "empty"} << false;
    QTest::newRow("the arrow keys given a handle") << QStringList{"key:A"} << false;
    QTest::newRow("a real change") << QStringList{"hover", "点Ｐ"} << true;
    QTest::newRow("lesson X opened") << QStringList{"open:"} << true;
}

// The last figure of a run that crashed is there until this run really changes
// something, and 前回の図を開く brings it back after as before, untitled: 保存 asks for
// a name and never writes over lesson X.
void TestLesson::lastFigureOfThePreviousRunStays() {
    QFETCH(QStringList, actions);
    QFETCH(bool, moved);
    const QString last = LessonFiles::lastFigurePath(), previous = LessonFiles::lastFigurePreviousPath();
    QFile::remove(last);
    QFile::remove(previous);
    const auto tidy = qScopeGuard([&] {
        QFile::remove(last);
        QFile::remove(previous);
    });
    QVERIFY(QDir().mkpath(QFileInfo(last).absolutePath()));
    Form1 crashed;
    prepareLesson(crashed);
    const LessonState crashedLesson = CaptureLesson(crashed);
    const QByteArray crashedFile = LessonFile::encode(crashedLesson, QImage());
    QVERIFY(writeAll(last, crashedFile));
    const QString lessonX = dir_.filePath(QStringLiteral("lesson-x.enshu"));
    Form1 x;
    x.Check8->setValue(1);
    QVERIFY(LessonFile::write(lessonX, LessonFile::encode(CaptureLesson(x), QImage())).isEmpty());
    const QByteArray lessonXFile = readAll(lessonX);

    Form1 form;
    FixedAnswers& answered = answers(form);
    answered.unsaved = LessonPrompt::Unsaved::Discard;
    form.lessonFiles->keepLastFigure(true);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const QString& action : actions)
        teacher(form, action == QLatin1String("open:") ? action + lessonX : action);
    QTest::qWait(LessonFiles::kCheckDelayMs + 200);
    if (moved) {
        QVERIFY2(readAll(previous) == crashedFile, "the crashed figure was not moved aside");
        QVERIFY(readAll(last) != crashedFile);
    } else {
        QVERIFY2(readAll(last) == crashedFile, "the crashed figure was written over");
        QVERIFY(!QFileInfo::exists(previous));
    }

    QVERIFY(form.lessonFiles->OpenLastFigure());
    QVERIFY(SameLesson(CaptureLesson(form), crashedLesson));
    QCOMPARE(form.lessonFiles->filePath(), QString());
    QVERIFY(!form.windowTitle().contains(QStringLiteral("lesson-x")));
    QTest::qWait(LessonFiles::kCheckDelayMs + 200);
    // Reached again after its own reopening has been kept as this run's figure.
    QVERIFY(form.lessonFiles->OpenLastFigure());
    QVERIFY(SameLesson(CaptureLesson(form), crashedLesson));
    form.lessonFiles->saveAction->trigger();
    QCOMPARE(answered.saveAsked, 1);
    QCOMPARE(readAll(lessonX), lessonXFile);
}

void TestLesson::aLessonIsOnceInRecentFiles_data() {
    QTest::addColumn<QString>("again"); // how the lesson is named the second time
    QTest::newRow("the same path") << "lesson.enshu";
    QTest::newRow("through a folder and back") << "folder/../lesson.enshu";
    QTest::newRow("through a link") << "link.enshu";
}

void TestLesson::aLessonIsOnceInRecentFiles() {
    QFETCH(QString, again);
#ifdef Q_OS_WIN
    if (again.startsWith(QLatin1String("link")))
        QSKIP("a link here is a shortcut file, not another name of the same file");
#endif
    QTemporaryDir place;
    QVERIFY(place.isValid());
    const QDir folder(place.path());
    QVERIFY(folder.mkdir(QStringLiteral("folder")));
    const QString lesson = folder.filePath(QStringLiteral("lesson.enshu"));
    Form1 form;
    answers(form);
    QVERIFY(LessonFile::write(lesson, LessonFile::encode(CaptureLesson(form), QImage())).isEmpty());
    QVERIFY(QFile::link(lesson, folder.filePath(QStringLiteral("link.enshu"))));
    const QString other = folder.filePath(QStringLiteral("other.enshu"));
    QVERIFY(QFile::copy(lesson, other));
    QVERIFY(form.lessonFiles->OpenFile(lesson));
    QVERIFY(form.lessonFiles->OpenFile(other));
    QVERIFY(form.lessonFiles->OpenFile(folder.filePath(again)));
    const QStringList recent = form.lessonFiles->recentFiles();
    QCOMPARE(recent.size() >= 2 ? recent.mid(1, 1) : recent, QStringList{other});
    QCOMPARE(recent.filter(place.path()).size(), 2);
    QCOMPARE(form.lessonFiles->recentMenu->actions().size(), recent.size());
}

QTEST_MAIN(TestLesson)
#include "tst_lesson.moc"
