// Lessons: a state captured from a window reached by random events comes back on a
// fresh window to the pixel, directly and through a lesson file; bad files are refused
// with their reason and leave the window as it was; saves that fail say why and keep
// the old file; unsaved changes are asked about. (e2e/lastfigure.sh keeps the last figure.)
#include "app/form1.h"
#include "lesson/lessonfile.h"
#include "lesson/lessonstate.h"
#include "tests/randomevents.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

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

  private:
    QTemporaryDir dir_;
};

namespace {

// Answers every question of the lesson files at once and keeps what it was told.
class FixedAnswers : public LessonPrompt {
  public:
    QString open, save;
    Unsaved unsaved = Unsaved::Cancel;
    int unsavedAsked = 0;
    QStringList told;
    QString askOpen(QWidget*, const QString&) override { return open; }
    QString askSave(QWidget*, const QString&) override { return save; }
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

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString pngBase64(const QImage& image, const char* format = "PNG") {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return QString::fromLatin1(bytes.toBase64());
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
    QTest::newRow("a folder") << "folder"
                              << "フォルダです";
    QTest::newRow("no such file") << "missing"
                                  << "ファイルがありません";
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
    const QString path = dir_.filePath(QStringLiteral("bad-%1.enshu").arg(QTest::currentDataTag()));
    if (change.startsWith(QLatin1String("text:"))) bytes = change.mid(5).toUtf8();
    if (change == QLatin1String("cut")) bytes.truncate(bytes.size() / 2);
    if (change.startsWith(QLatin1String("raw:"))) {
        bytes = QString::fromUtf8(bytes)
                    .replace(QRegularExpression(QStringLiteral("\"angleA\": [0-9.e+-]+")), change.mid(4))
                    .toUtf8();
    }
    if (change.contains(QLatin1Char('=')) && !change.startsWith(QLatin1String("raw:"))) {
        const QString key = change.section(QLatin1Char('='), 0, 0),
                      value = change.section(QLatin1Char('='), 1);
        QJsonValue json = QJsonDocument::fromJson("[" + value.toUtf8() + "]").array().at(0);
        if (value == QLatin1String("small")) json = pngBase64(QImage(100, 100, QImage::Format_RGB32));
        if (value == QLatin1String("jpeg")) json = pngBase64(lesson.gamen.image(), "JPEG");
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
    if (change == QLatin1String("huge")) bytes = bytes + QByteArray(LessonFile::kLargestFile, ' ');
    if (change == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (change != QLatin1String("missing"))
        QVERIFY(writeAll(path, bytes));

    FixedAnswers& told = answers(form);
    const LessonState before = CaptureLesson(form);
    const QImage grabbed = windowGrab(form);
    const QString title = form.windowTitle();
    QVERIFY(!form.lessonFiles->OpenFile(path));
    QCOMPARE(told.told.size(), 1);
    QVERIFY2(told.told[0].contains(QFileInfo(path).fileName()) && told.told[0].contains(reason),
             qPrintable(told.told[0]));
    QVERIFY(CaptureLesson(form) == before);
    QCOMPARE(differingPixels(windowGrab(form), grabbed), 0);
    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(form.lessonFiles->filePath(), QString());
}

void TestLesson::unsavedChangesAreAsked_data() {
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<int>("answer"); // LessonPrompt::Unsaved
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("fileHasChange");
    QTest::newRow("保存") << true << int(LessonPrompt::Unsaved::Save) << true << true;
    QTest::newRow("保存しない") << true << int(LessonPrompt::Unsaved::Discard) << true << false;
    QTest::newRow("キャンセル") << true << int(LessonPrompt::Unsaved::Cancel) << false << false;
    QTest::newRow("never saved: quits at once")
        << false << int(LessonPrompt::Unsaved::Cancel) << true << false;
}

// A change to a lesson with a file marks the title and is asked about on closing.
void TestLesson::unsavedChangesAreAsked() {
    QFETCH(bool, hasFile);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(bool, fileHasChange);
    Form1 form;
    FixedAnswers& asked = answers(form);
    asked.unsaved = LessonPrompt::Unsaved(answer);
    asked.save = dir_.filePath(QStringLiteral("unsaved-%1").arg(QTest::currentDataTag()));
    const QString path = asked.save + QStringLiteral(".enshu");
    if (hasFile) {
        QVERIFY(form.lessonFiles->Save());
        QVERIFY(form.windowTitle().startsWith(QFileInfo(path).completeBaseName() + QStringLiteral("[*]")));
    }
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.Check6, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(form.Check6->value(), 1);
    QTRY_COMPARE(form.isWindowModified(), hasFile);

    QCOMPARE(form.close(), closes);
    QCOMPARE(asked.unsavedAsked, hasFile ? 1 : 0);
    if (hasFile) {
        const LessonFile::Outcome kept = LessonFile::read(path);
        QVERIFY(kept.lesson);
        QCOMPARE(kept.lesson->boxes[LessonState::PointP].ticked, fileHasChange);
    }
}

void TestLesson::failedSavesKeepTheOldFile_data() {
    QTest::addColumn<bool>("picture");
    QTest::addColumn<bool>("fullDisk"); // otherwise the folder is missing
    QTest::addColumn<QString>("reason");
    QTest::newRow("lesson, full disk") << false << true << "ディスクの空きが足りません";
    QTest::newRow("picture, full disk") << true << true << "ディスクの空きが足りません";
    QTest::newRow("lesson, missing folder") << false << false << "保存先のフォルダがありません";
    QTest::newRow("picture, missing folder") << true << false << "保存先のフォルダがありません";
}

// On a small file system that fills up: the message names the reason, the old file is
// whole, and no partial file is left beside it.
void TestLesson::failedSavesKeepTheOldFile() {
    QFETCH(bool, picture);
    QFETCH(bool, fullDisk);
    QFETCH(QString, reason);
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
    const QString folder = fullDisk ? mountPoint : mountPoint + QStringLiteral("/missing");
    const QString path = folder + (picture ? QStringLiteral("/figure.png") : QStringLiteral("/lesson.enshu"));
    const QByteArray old(20000, 'o');
    if (fullDisk) {
        QVERIFY(writeAll(path, old));
        // Fill what is left but 4 KiB: the new file starts and cannot finish.
        QFile filler(mountPoint + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        filler.write(QByteArray(1024 * 1024, 'f'));
        filler.flush();
        QVERIFY(filler.resize(filler.size() - 4096));
    }
    Form1 form;
    prepareLesson(form);
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
    if (fullDisk) {
        QCOMPARE(readAll(path), old);
        QStringList expected{QFileInfo(path).fileName(), QStringLiteral("filler")};
        expected.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name), expected);
    } else {
        QVERIFY(!QFileInfo::exists(folder));
    }
}

QTEST_MAIN(TestLesson)
#include "tst_lesson.moc"
