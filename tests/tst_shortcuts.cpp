// The window's shortcuts: pictures of the drawing area and of the window on the
// clipboard, saving the drawing area as PNG, printing, the help on F1, and the keys
// that must not reset or end a lesson.
#include "canvastesting.h"
#include "formprobe.h"

#include "app/menubar.h"
#include "widgets/aboutbox.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Answers the save dialog with a fixed path and remembers what it was offered.
class FixedSave : public SavePrompt {
  public:
    explicit FixedSave(QString answer) : answer_(std::move(answer)) {}
    QString ask(QWidget*, const QString& title, const QString& suggested) override {
        asked = title;
        offered = suggested;
        return answer_;
    }
    QString asked, offered;

  private:
    QString answer_;
};

class CountingPrompt : public NamePrompt {
  public:
    QString ask(QWidget*, const QString&, const QString&) override {
        ++count;
        return QString();
    }
    int count = 0;
};

void showActive(Form1& form) {
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

// A lesson figure with marks, readouts, a trace, a straight line and ink.
void lessonFigure(Form1& form) {
    for (CheckBox* box : {form.Check6, form.Check7, form.Check2[1], form.Check8, form.Check2[0], form.Check5})
        box->setValue(1);
    form.Command7_Click(0);
    probe::dragPTo(form, 150);
    form.Command5_Click();
    canvastesting::pull(form, 60, 560, 300, 610);
    form.Command3_Click();
    canvastesting::pull(form, 700, 100, 800, 150);
    form.Command3_Click();
}

} // namespace

// Lets unsaved changes go when the window is left, and counts the questions.
class DiscardingPrompt : public LessonPrompt {
  public:
    int count = 0;
    Unsaved askUnsaved(QWidget*, const QString&) override {
        ++count;
        return Unsaved::Discard;
    }
};

class TestShortcuts : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void copyDrawingArea_data();
    void copyDrawingArea();
    void copyWholeWindow();
    void saveDrawingArea_data();
    void saveDrawingArea();
    void saveFailureIsReported();
    void saveDialogIsJapanese();
    void ctrlPPrints();
    void helpListsTheKeys();
    void menuEntriesDoWhatTheirButtonsDo_data();
    void menuEntriesDoWhatTheirButtonsDo();
    void strayKeysKeepTheLesson_data();
    void strayKeysKeepTheLesson();

  private:
    QTemporaryDir dir_;
};

void TestShortcuts::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(dir_.isValid());
}

void TestShortcuts::copyDrawingArea_data() {
    QTest::addColumn<bool>("lesson");
    QTest::addColumn<bool>("focused"); // the focus ring shows on the widget
    QTest::newRow("initial screen") << false << false;
    QTest::newRow("lesson figure") << true << false;
    QTest::newRow("with the focus ring") << true << true;
}

// Ctrl+C: the drawing area as the widget shows it, marks and all, 875 x 625, never the ring.
void TestShortcuts::copyDrawingArea() {
    QFETCH(bool, lesson);
    QFETCH(bool, focused);
    Form1 form;
    if (lesson) lessonFigure(form);
    showActive(form);
    const QImage shown = probe::shown(form).copy(CanvasWidget::kDrawingOffset, CanvasWidget::kDrawingOffset,
                                                 Canvas::kWidth, Canvas::kHeight);
    if (focused) {
        form.gamenView->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(form.gamenView->hasFocus());
        QVERIFY(probe::shown(form).copy(2, 2, 875, 625) != shown);
    }
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&form, Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copied.size(), QSize(875, 625));
    QCOMPARE(copied, shown);
    if (lesson) {
        // The marks are in it, not only the canvas drawing: the trace's green chord.
        QVERIFY(copied != form.gamen.image());
        QCOMPARE(copied.pixel(qRound((form.marks.Line5[0].x1 + form.marks.Line5[0].x2) / 2),
                              qRound((form.marks.Line5[0].y1 + form.marks.Line5[0].y2) / 2)),
                 probe::kTraceGreen);
    }
}

// Ctrl+Shift+C: the whole window, 1014 x 700, as it shows.
void TestShortcuts::copyWholeWindow() {
    Form1 form;
    lessonFigure(form);
    showActive(form);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&form, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copied.size(), QSize(1014, 700));
    QCOMPARE(copied, form.clientArea->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

void TestShortcuts::saveDrawingArea_data() {
    QTest::addColumn<QString>("answer"); // relative to the test folder; empty: cancelled
    QTest::addColumn<QString>("written");
    QTest::newRow("png name") << "figure.png"
                              << "figure.png";
    QTest::newRow("no suffix") << "figure"
                               << "figure.png";
    QTest::newRow("other suffix") << "figure.jpg"
                                  << "figure.jpg.png";
    QTest::newRow("dotted name") << "lesson-2026.12.08"
                                 << "lesson-2026.12.08.png";
    QTest::newRow("pasted newline") << "fig\nure.png"
                                    << "figure.png";
    QTest::newRow("Japanese name") << "円周角の図.PNG"
                                   << "円周角の図.PNG";
    QTest::newRow("cancelled") << ""
                               << "";
}

// Ctrl+Shift+E: the dialog offers a dated name that any file system takes; the file decodes
// to the picture Ctrl+C gives.
void TestShortcuts::saveDrawingArea() {
    QFETCH(QString, answer);
    QFETCH(QString, written);
    Form1 form;
    lessonFigure(form);
    showActive(form);
    QDir folder(dir_.filePath(QString::number(QRandomGenerator::global()->generate())));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    auto prompt = std::make_unique<FixedSave>(answer.isEmpty() ? QString() : folder.filePath(answer));
    FixedSave* save = prompt.get();
    form.savePrompt = std::move(prompt);

    QTest::keyClick(&form, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(save->asked, QStringLiteral("図を画像として書き出す"));
    const QString name = QFileInfo(save->offered).fileName();
    QVERIFY2(QRegularExpression(QStringLiteral("^enshukaku_\\d{4}-\\d{2}-\\d{2}_\\d{6}\\.png$"))
                 .match(name)
                 .hasMatch(),
             qPrintable(name));
    QVERIFY(name.contains(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    if (written.isEmpty()) {
        QCOMPARE(folder.entryList(QDir::Files).size(), 0);
        return;
    }
    QCOMPARE(folder.entryList(QDir::Files), QStringList{written});
    QImage saved(folder.filePath(written), "PNG");
    QCOMPARE(saved.size(), QSize(875, 625));
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), form.DrawingAreaImage());
}

// A file that cannot be written is reported, never passed over in silence.
void TestShortcuts::saveFailureIsReported() {
    Form1 form;
    showActive(form);
    form.savePrompt = std::make_unique<FixedSave>(QStringLiteral("/nonexistent/enshukaku/figure.png"));
    QString message;
    QTimer::singleShot(0, [&message] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        message = box->text();
        box->reject();
    });
    form.SaveDrawingArea();
    QVERIFY2(message.startsWith(QStringLiteral("保存できませんでした。")), qPrintable(message));
}

// The real dialog: Qt's own, in Japanese, with the offered name filled in.
void TestShortcuts::saveDialogIsJapanese() {
    SavePrompt prompt;
    QString accept, fileName, title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        title = dialog->windowTitle();
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            accept = buttons->button(QDialogButtonBox::Save) ? buttons->button(QDialogButtonBox::Save)->text()
                                                             : buttons->buttons().value(0)->text();
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            fileName = name->text();
        dialog->reject();
    });
    const QString answer = prompt.ask(nullptr, QStringLiteral("図を画像として書き出す"),
                                      dir_.filePath(QStringLiteral("enshukaku_2026-01-02_030405.png")));
    QCOMPARE(answer, QString());
    QCOMPARE(title, QStringLiteral("図を画像として書き出す"));
    QVERIFY2(accept.contains(QStringLiteral("保存")), qPrintable(accept));
    QCOMPARE(fileName, QStringLiteral("enshukaku_2026-01-02_030405.png"));
    // The translation is gone with the dialog.
    QCOMPARE(QCoreApplication::translate("QFileDialog", "&Save"), QStringLiteral("&Save"));
}

void TestShortcuts::ctrlPPrints() {
    Form1 form;
    showActive(form);
    auto prompt = std::make_unique<CountingPrompt>();
    CountingPrompt* asked = prompt.get();
    form.namePrompt = std::move(prompt);
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(asked->count, 1);
    // Also while the drawing area has the keys: Ctrl+P is not the key P.
    form.gamenView->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(form.gamenView->hasFocus());
    QTest::keyClick(form.gamenView, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(asked->count, 2);
    QCOMPARE(form.keyTarget, std::int16_t(0));
}

void TestShortcuts::helpListsTheKeys() {
    Form1 form;
    showActive(form);
    QVERIFY(form.helpWindow == nullptr);
    QTest::keyClick(&form, Qt::Key_F1);
    QVERIFY(form.helpWindow != nullptr);
    QVERIFY(form.helpWindow->isVisible());
    QVERIFY(!form.helpWindow->isModal());
    QCOMPARE(form.helpWindow->windowTitle(), QStringLiteral("使い方"));
    const QString text = form.helpWindow->text();
    for (const char* key :
         {"Tab",          "P / A / B / R", "Shift",        "Ctrl",    "Ctrl+P",     "印刷", "Ctrl+C",
          "Ctrl+Shift+C", "Ctrl+S",        "Ctrl+Shift+E", "Ctrl+O",  "PNG",        "F5",   "動き",
          "F11",          "全画面表示",    "拡大",         "縮小",    "元の大きさ", "F1",   "初期画面",
          "Ctrl+Z",       "元に戻す",      "Ctrl+Y",       "やり直し"})
        QVERIFY2(text.contains(QString::fromUtf8(key)), key);
    // It teaches: the mouse, lessons, undo, the demonstration, full screen and zoom.
    for (const char* topic : {"ドラッグ", "青い四角", "授業ファイル", "保存", "最近使ったファイル",
                              "前回の図を開く", "元に戻す（Ctrl+Z）", "動き", "ゆっくり・ふつう・はやく",
                              "跡を残しながら", "全画面と拡大", "画面に合わせる"})
        QVERIFY2(text.contains(QString::fromUtf8(topic)), topic);
    // All of it shows, or scrolls where the screen is too small: no line is cut at the side.
    QVERIFY(form.helpWindow->width() <= form.screen()->availableGeometry().width());
    const auto* area = form.helpWindow->findChild<QScrollArea*>();
    QVERIFY(area != nullptr && area->horizontalScrollBar()->maximum() == 0);
    // The lesson goes on beside it: the window still takes clicks.
    form.Command7[0]->click();
    QCOMPARE(form.traceCount, std::int16_t(1));
}

void TestShortcuts::menuEntriesDoWhatTheirButtonsDo_data() {
    QTest::addColumn<QString>("entry"); // menu (its first letters), entry, key shown
    for (const char* entry :
         {"ファイル|図を画像として書き出す…|Ctrl+Shift+E", "ファイル|印刷…|Ctrl+P", "ファイル|終了|",
          "編集|元に戻す|Ctrl+Z", "編集|やり直し|Ctrl+Y", "編集|図をコピー|Ctrl+C",
          "編集|ウィンドウをコピー|Ctrl+Shift+C", "編集|初期画面に戻す|", "表示|拡大|Ctrl++",
          "表示|縮小|Ctrl+-", "表示|元の大きさ|Ctrl+0", "表示|画面に合わせる|", "表示|全画面表示|F11",
          "表示|方眼|", "ヘルプ|使い方|F1", "ヘルプ|このプログラムについて|"})
        QTest::newRow(entry) << QString::fromUtf8(entry);
}

// Each entry, triggered as a click in its menu would, does what its button or key does
// and nothing else.
void TestShortcuts::menuEntriesDoWhatTheirButtonsDo() {
    QFETCH(QString, entry);
    const QStringList parts = entry.split(QLatin1Char('|'));
    const QString name = parts[1];
    Form1 form;
    showActive(form);
    MenuBar& bar = *form.menuBar;
    QMenu* menu = nullptr;
    for (QMenu* each : {bar.file(), bar.edit(), bar.view(), bar.help()})
        if (each->title().startsWith(parts[0])) menu = each;
    QAction* action = bar.entry(menu, name);
    QVERIFY(action != nullptr);
    QCOMPARE(action->shortcut().toString(), parts[2]);
    QCOMPARE(form.Command6->toolTip(), QStringLiteral("名前を入れてウィンドウを印刷する (Ctrl+P)"));

    auto save = std::make_unique<FixedSave>(QString());
    FixedSave* saved = save.get();
    form.savePrompt = std::move(save);
    auto prompt = std::make_unique<CountingPrompt>();
    CountingPrompt* asked = prompt.get();
    form.namePrompt = std::move(prompt);
    auto lessonPrompt = std::make_unique<DiscardingPrompt>();
    DiscardingPrompt* lessonAsked = lessonPrompt.get();
    form.lessonFiles->prompt = std::move(lessonPrompt);
    bool quit = false;
    connect(&form, &Form1::quitRequested, this, [&quit] { quit = true; });
    probe::dragPTo(form, 150);
    form.Check6->click(); // a step to undo
    form.setWindowZoom(0.75);
    QGuiApplication::clipboard()->clear();

    action->trigger();
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(saved->asked.isEmpty(), name != "図を画像として書き出す…");
    QCOMPARE(asked->count, name == "印刷…" ? 1 : 0);
    QCOMPARE(quit, name == "終了");
    // The changed figure has no file: 終了 asks before it goes.
    QCOMPARE(lessonAsked->count, name == "終了" ? 1 : 0);
    QCOMPARE(copied.isNull(), !name.endsWith("コピー"));
    if (!copied.isNull())
        QCOMPARE(copied, name == "図をコピー" ? form.DrawingAreaImage() : form.WindowImage());
    QCOMPARE(form.angleP == 110, name == "初期画面に戻す");
    QCOMPARE(form.Check6->value() == 0, name == "初期画面に戻す" || name == "元に戻す");
    const double fit = std::floor((1080.0 - form.menuBar->height()) / 700 * 100) / 100;
    const QMap<QString, double> zooms{{"拡大", 1}, {"縮小", 0.5}, {"元の大きさ", 1}, {"画面に合わせる", fit}};
    QCOMPARE(form.windowZoom(), zooms.value(name, 0.75));
    QCOMPARE(form.isFullScreenView(), name == "全画面表示");
    QCOMPARE(action->isChecked(), name == "全画面表示" || name == "方眼");
    QCOMPARE(form.gridShown, name == "方眼" ? 1 : 0);
    QCOMPARE(form.helpWindow != nullptr && form.helpWindow->isVisible(), name == "使い方");
    AboutBox* about = bar.aboutBox();
    QCOMPARE(about != nullptr && about->isVisible(), name == "このプログラムについて");
    if (about)
        for (const char* part : {"円周角の定理", ENSHUKAKU_VERSION, "MIT", QT_VERSION_STR,
                                 "https://github.com/enshukaku/enshukaku"})
            QVERIFY2(about->text().contains(QString::fromUtf8(part)), part);
    if (name == "全画面表示") {
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isFullScreenView() && form.menuBar->isVisible());
    }
}

void TestShortcuts::strayKeysKeepTheLesson_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0;
    QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+W") << int(Qt::Key_W) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+N") << int(Qt::Key_N) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+R") << int(Qt::Key_R) << int(Qt::ControlModifier);
    QTest::newRow("F5") << int(Qt::Key_F5) << 0;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0;
    QTest::newRow("Home") << int(Qt::Key_Home) << 0;
    QTest::newRow("Return") << int(Qt::Key_Return) << 0;
    QTest::newRow("Space") << int(Qt::Key_Space) << 0;
}

// No key resets the figure or ends the program: not on the window, not on the
// drawing area (where Return and Space press nothing either).
void TestShortcuts::strayKeysKeepTheLesson() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Form1 form;
    showActive(form);
    bool quit = false;
    connect(&form, &Form1::quitRequested, this, [&quit] { quit = true; });
    probe::drag(form, form.aX, form.aY, probe::onCircle(form, 200).x, probe::onCircle(form, 200).y);
    form.Check6->setValue(1);
    const double angleA = form.angleA;
    for (QWidget* target : {static_cast<QWidget*>(&form), static_cast<QWidget*>(form.gamenView)}) {
        target->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    }
    QCOMPARE(form.angleA, angleA);
    QCOMPARE(form.Check6->value(), 1);
    QVERIFY(form.isVisible());
    QVERIFY(!quit);
}

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
