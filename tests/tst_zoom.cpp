#include "app/form1.h"
#include "app/menubar.h"
#include "app/zoomoption.h"
#include "widgets/aboutbox.h"
#include "widgets/lessonprompt.h"
#include "widgets/saveprompt.h"
#include "widgets/zoomsteps.h"

#include <QAbstractItemView>
#include <QCommandLineParser>
#include <QFile>
#include <QHelpEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <cmath>
#include <memory>
#include <utility>

namespace {

// The program's settings, where the test has put them (testsettings.cpp).
QSettings programSettings() {
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("enshukaku"),
                     QStringLiteral("enshukaku"));
}

class FixedPrompt : public NamePrompt {
  public:
    QString ask(QWidget*, const QString&, const QString&) override { return QStringLiteral("Hanako"); }
};

// Keeps the page as the real printer would render it.
class RecordingPrinter : public WindowPrinter {
  public:
    Outcome print(QWidget& window, const QString&) override {
        page = QImage(window.size(), QImage::Format_RGB32);
        window.render(&page);
        return Outcome::Printed;
    }
    QImage page;
};

// Counts the paints of a widget.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QImage shown(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The widget pixel at a canvas point, for the view's zoom.
QPoint at(const CanvasWidget& view, double x, double y) {
    return QPoint(static_cast<int>(std::lround(view.drawingOffset() + x * view.zoom())),
                  static_cast<int>(std::lround(view.drawingOffset() + y * view.zoom())));
}

QScreen* screenNamed(const char* name) {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == QLatin1String(name)) return screen;
    return nullptr;
}

// The height of the first line of text in a widget: its first run of rows with ink,
// `inset` pixels within its edges (a tip's frame is not text).
int firstLineHeight(QWidget* widget, int inset = 0) {
    const QImage image = widget->grab().toImage();
    int first = -1, last = -1;
    for (int y = inset; y < image.height() - inset; ++y) {
        bool ink = false;
        for (int x = inset; x < image.width() - inset && !ink; ++x) ink = qGray(image.pixel(x, y)) < 100;
        if (ink && first < 0) first = y;
        if (ink) last = y;
        if (!ink && first >= 0) break;
    }
    return first < 0 ? 0 : last - first + 1;
}

// Whether the file list of a file dialog shows the whole name of the file `name` in it,
// once the folder has been read.
bool showsWholeName(QWidget* dialog, const QString& name) {
    for (auto* view : dialog->findChildren<QAbstractItemView*>()) {
        // The list of the folder's files, in its detail or its icon view.
        const bool files = view->objectName() == "treeView" || view->objectName() == "listView";
        if (!files || !view->isVisibleTo(dialog) || !view->model()) continue;
        QModelIndex item;
        const bool read = QTest::qWaitFor([&] {
            const QModelIndexList found = view->model()->match(view->model()->index(0, 0, view->rootIndex()),
                                                               Qt::DisplayRole, name, 1, Qt::MatchExactly);
            item = found.value(0);
            return item.isValid();
        });
        if (!read) return false;
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.font = view->font();
        const int icon = view->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
        option.decorationSize = view->iconSize().isValid() ? view->iconSize() : QSize(icon, icon);
        option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
        const int needed = view->itemDelegateForIndex(item)->sizeHint(option, item).width();
        const QRect cell = view->visualRect(item);
        return cell.width() >= needed && cell.left() >= 0 && cell.right() < view->viewport()->width();
    }
    return false;
}

// The first line's height of a dialog's text at `zoom`; `onScreen` tells whether the
// dialog lay within the screen, `wholeName` whether the file list showed a whole name.
int dialogLineHeight(Form1& form, const QString& dialog, double zoom, bool& onScreen,
                     bool* wholeName = nullptr) {
    form.setWindowZoom(zoom);
    const QString fileName = QStringLiteral("afternoon-lesson-circle2.enshu"); // 30 characters
    QTemporaryDir folder;
    QFile(folder.filePath(fileName)).open(QIODevice::WriteOnly);
    int height = 0;
    auto measure = [&](QWidget* shown) {
        auto* text = shown->findChild<QLabel*>(QStringLiteral("fileNameLabel"));
        if (!text) text = shown->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        const bool tip = text == nullptr && shown->inherits("QTipLabel");
        if (tip) text = qobject_cast<QLabel*>(shown);
        height = firstLineHeight(text ? text : shown->findChild<QLabel*>(), tip ? 2 : 0);
        onScreen = form.screen()->availableGeometry().contains(shown->frameGeometry());
        if (wholeName) *wholeName = showsWholeName(shown, fileName);
        shown->close();
    };
    auto whenShown = [&] { QTimer::singleShot(0, [&] { measure(QApplication::activeModalWidget()); }); };
    NamePrompt name;
    SavePrompt save;
    LessonPrompt lesson;
    name.setZoom(zoom);
    save.setZoom(zoom);
    lesson.setZoom(zoom);
    if (dialog == "help") form.ShowHelp(), measure(form.helpWindow);
    if (dialog == "about") form.menuBar->ShowAbout(), measure(form.menuBar->aboutBox());
    if (dialog == "name box") whenShown(), name.ask(&form, QStringLiteral("印刷"), QStringLiteral("名前"));
    if (dialog == "save dialog")
        whenShown(), save.ask(&form, QStringLiteral("保存"), QStringLiteral("/tmp/a.png"));
    if (dialog == "open dialog") whenShown(), lesson.askOpen(&form, folder.path());
    if (dialog == "unsaved question") whenShown(), lesson.askUnsaved(&form, QStringLiteral("授業"));
    if (dialog == "error message")
        whenShown(), lesson.tell(&form, QStringLiteral("授業ファイルの保存"),
                                 QStringLiteral("保存できませんでした。"));
    if (dialog == "replace question")
        whenShown(), save.confirmReplace(&form, QStringLiteral("保存"), folder.filePath(fileName));
    if (dialog == "tooltip") {
        // The tip shows as the pointer rests on 印刷.
        QHelpEvent rest(QEvent::ToolTip, QPoint(8, 8), form.Command6->mapToGlobal(QPoint(8, 8)));
        QApplication::sendEvent(form.Command6, &rest);
        QWidget* tip = nullptr;
        const bool tipShown = QTest::qWaitFor([&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->inherits("QTipLabel") && top->isVisible()) tip = top;
            return tip != nullptr;
        });
        if (tipShown) measure(tip);
        QToolTip::hideText();
    }
    return height;
}

void showActive(Form1& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

} // namespace

class TestZoom : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        programSettings().clear();
    }
    void steps_data();
    void steps();
    void fitting_data();
    void fitting();
    void commandLine_data();
    void commandLine();
    void keysStepAndComeBackToTheDesign();
    void startFitsTheScreen();
    void unreadableRememberedZoom_data();
    void unreadableRememberedZoom();
    void dialogsFollowTheZoom_data();
    void dialogsFollowTheZoom();
    void fingerTakesTheHandles();
    void pointerMapsAtTwice();
    void marksAtDeviceResolution();
    void gridLinesAlike_data();
    void gridLinesAlike();
    void printsTheDesignSize();
    void picturesAtTheDesignSize();
    void idleMovementRepaintsNothing();
};

void TestZoom::steps_data() {
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("larger");
    QTest::addColumn<double>("smaller");
    QTest::newRow("100 %") << 1.0 << 1.25 << 0.75;
    QTest::newRow("smallest") << 0.5 << 0.75 << 0.5;
    QTest::newRow("largest") << 3.0 << 3.0 << 2.75;
    QTest::newRow("between steps") << 1.4 << 1.5 << 1.25;
    QTest::newRow("a fit between steps") << 0.93 << 1.0 << 0.75;
    QTest::newRow("below the range") << 0.1 << 0.75 << 0.5;
    QTest::newRow("not a number") << std::nan("") << 1.25 << 0.75;
}

void TestZoom::steps() {
    QFETCH(double, from);
    QFETCH(double, larger);
    QFETCH(double, smaller);
    QCOMPARE(zoomsteps::larger(from), larger);
    QCOMPARE(zoomsteps::smaller(from), smaller);
}

void TestZoom::fitting_data() {
    QTest::addColumn<double>("wanted");
    QTest::addColumn<int>("frameHeight");
    QTest::addColumn<int>("availableWidth");
    QTest::addColumn<int>("availableHeight");
    QTest::addColumn<double>("fits");
    QTest::newRow("1280 x 680 projector") << 1.0 << 0 << 1280 << 680 << 0.97;
    QTest::newRow("exactly 700 high") << 1.0 << 0 << 1014 << 700 << 1.0;
    QTest::newRow("one pixel short") << 1.0 << 0 << 1013 << 700 << 0.99;
    QTest::newRow("title bar counts") << 1.5 << 30 << 1920 << 1080 << 1.5;
    QTest::newRow("title bar too tall") << 1.5 << 31 << 1920 << 1080 << 1.49;
    QTest::newRow("fit on a 4K screen") << 3.0 << 48 << 3840 << 2100 << 2.93;
    QTest::newRow("1024 x 768, 40-px task bar") << 3.0 << 48 + 25 << 1024 << 728 << 0.93;
    QTest::newRow("nothing fits") << 1.0 << 0 << 300 << 200 << 0.5;
}

void TestZoom::fitting() {
    QFETCH(double, wanted);
    QFETCH(int, frameHeight);
    QFETCH(int, availableWidth);
    QFETCH(int, availableHeight);
    QFETCH(double, fits);
    QCOMPARE(zoomsteps::fitting(wanted, 1014, 700, 0, frameHeight, availableWidth, availableHeight), fits);
    // Full screen takes the largest factor, not a step: the height bounds a 16:9 screen.
    QCOMPARE(zoomsteps::filling(1014, 700, 1920, 1080), 1080.0 / 700);
}

void TestZoom::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("understood");
    QTest::addColumn<double>("zoom");
    QTest::newRow("none") << QStringList{} << true << -1.0;
    QTest::newRow("factor") << QStringList{"--zoom", "1.5"} << true << 1.5;
    QTest::newRow("fit") << QStringList{"--zoom=fit"} << true << 0.0;
    QTest::newRow("too large") << QStringList{"--zoom", "7"} << false << 0.0;
    QTest::newRow("not a number") << QStringList{"--zoom", "big"} << false << 0.0;
}

void TestZoom::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, understood);
    QFETCH(double, zoom);
    QCommandLineParser parser;
    zoomoption::add(parser);
    QVERIFY(parser.parse(QStringList{"enshukaku"} + arguments));
    QString error;
    const std::optional<double> got = zoomoption::requested(parser, &error);
    QCOMPARE(got.has_value(), understood);
    if (got) QCOMPARE(*got, zoom);
    QCOMPARE(error.isEmpty(), understood);
}

void TestZoom::keysStepAndComeBackToTheDesign() {
    Form1 form;
    showActive(form);
    form.Check6->setValue(1);
    form.Command4_Click();
    const QImage design = shown(form);
    QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(form.clientArea->size(), QSize(1521, 1050));
    QCOMPARE(form.size(), QSize(1521, 1050 + form.menuBar->height()));
    QCOMPARE(form.gamenView->geometry(), QRect(24, 84, 1317, 945));
    QCOMPARE(form.Check6->font().pixelSize(), 29);
    QCOMPARE(programSettings().value("window/zoom").toDouble(), 1.5);
    // 175 % would not fit the screen.
    QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(form.windowZoom(), 1.5);
    QTest::keyClick(&form, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(form.clientArea->size(), QSize(1014, 700));
    QVERIFY(shown(form) == design);
    QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(form.clientArea->size(), QSize(761, 525));

    // The next start takes the remembered zoom.
    Form1 next;
    next.StartZoom();
    QCOMPARE(next.windowZoom(), 0.75);
}

void TestZoom::startFitsTheScreen() {
    Form1 form;
    // Before it shows, the window keeps room for a title bar (48) and has its menu bar:
    // the largest whole percent at which 700 high fits what is left of 1080.
    const double fit = std::floor((1080.0 - 48 - form.menuBar->height()) / 700 * 100) / 100;
    form.StartZoom(0);
    QCOMPARE(form.windowZoom(), fit);
    form.StartZoom(2);
    QCOMPARE(form.windowZoom(), fit);
    form.StartZoom(0.5);
    QCOMPARE(form.clientArea->size(), QSize(507, 350));

    // A 1024 x 768 projector less a 40-pixel task bar: about 93 %, not the 75 % step.
    programSettings().remove(QStringLiteral("window/zoom"));
    Form1 projected;
    projected.setScreen(screenNamed("projector"));
    projected.StartZoom();
    const double zoom = projected.windowZoom();
    QVERIFY2(zoom >= 0.92 && zoom <= 0.95, qPrintable(QString::number(zoom)));
    QVERIFY(projected.height() + 48 <= 728);
    QVERIFY(zoomsteps::scaled(700, zoom + 0.01) + projected.menuBar->height() + 48 > 728);
    // Once shown (here without a frame) it fits again: the width bounds it now.
    projected.show();
    QTRY_COMPARE(projected.windowZoom(), 1.0);
}

void TestZoom::unreadableRememberedZoom_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<double>("zoom");
    QTest::newRow("a step") << "panel" << QVariant(QStringLiteral("0.75")) << 0.75;
    QTest::newRow("too large to fit") << "panel" << QVariant(QStringLiteral("7")) << 3.0;
    QTest::newRow("not a number") << "panel" << QVariant(QStringLiteral("big")) << 1.0;
    QTest::newRow("empty") << "panel" << QVariant(QString()) << 1.0;
    QTest::newRow("negative") << "panel" << QVariant(QStringLiteral("-1.5")) << 1.0;
    QTest::newRow("garbage bytes") << "panel" << QVariant(QByteArray("\xff\xfe\x00\x81", 4)) << 1.0;
    QTest::newRow("nothing remembered") << "panel" << QVariant() << 1.0;
    // A 3840 x 2160 panel shows the window as a projector would, two thirds of it at most.
    QTest::newRow("nothing remembered, 4K") << "uhd" << QVariant() << 2.0;
    QTest::newRow("not a number, 4K") << "uhd" << QVariant(QStringLiteral("big")) << 2.0;
    QTest::newRow("100 % remembered, 4K") << "uhd" << QVariant(QStringLiteral("1")) << 1.0;
    QTest::newRow("275 % remembered, 4K") << "uhd" << QVariant(QStringLiteral("2.75")) << 2.75;
}

// What the settings file holds cannot be read: the window starts as if nothing were
// remembered, at 100 % where that fits (not at the smallest step), or larger on a large
// screen; a zoom remembered wins.
void TestZoom::unreadableRememberedZoom() {
    QFETCH(QString, screen);
    QFETCH(QVariant, stored);
    QFETCH(double, zoom);
    QSettings settings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("enshukaku"),
                       QStringLiteral("enshukaku"));
    if (stored.isValid()) settings.setValue(QStringLiteral("window/zoom"), stored);
    settings.sync();
    Form1 form;
    form.setScreen(screenNamed(qPrintable(screen)));
    form.StartZoom();
    settings.remove(QStringLiteral("window/zoom"));
    const int available = screenNamed(qPrintable(screen))->availableGeometry().height();
    QCOMPARE(form.windowZoom(),
             std::min(zoom, std::floor((available - 48.0 - form.menuBar->height()) / 700 * 100) / 100));
    // Asked for on the command line, a zoom wins as well.
    form.StartZoom(1);
    QCOMPARE(form.windowZoom(), 1.0);
}

void TestZoom::dialogsFollowTheZoom_data() {
    QTest::addColumn<QString>("dialog");
    QTest::newRow("help") << "help";
    QTest::newRow("name box") << "name box";
    QTest::newRow("save dialog") << "save dialog";
    QTest::newRow("about box") << "about";
    QTest::newRow("open dialog") << "open dialog";
    QTest::newRow("unsaved question") << "unsaved question";
    QTest::newRow("error message") << "error message";
    QTest::newRow("replace question") << "replace question";
    QTest::newRow("tooltip") << "tooltip";
}

// At 300 % on a 3840 x 2160 panel the dialogs' text (and a tip's) is read from the back
// of the room, and the dialogs stay within the screen.
void TestZoom::dialogsFollowTheZoom() {
    QFETCH(QString, dialog);
    Form1 form;
    form.setScreen(screenNamed("uhd"));
    form.move(screenNamed("uhd")->geometry().topLeft());
    bool onScreen = false;
    const int design = dialogLineHeight(form, dialog, 1, onScreen);
    QVERIFY(design > 5);
    bool wholeName = false;
    const int zoomed = dialogLineHeight(form, dialog, 3, onScreen, &wholeName);
    QVERIFY2(zoomed >= 2.5 * design, qPrintable(QStringLiteral("%1 -> %2").arg(design).arg(zoomed)));
    QVERIFY(onScreen);
    // The file list too: a name of 30 characters shows whole, not cut in its middle.
    if (dialog == "open dialog") QVERIFY(wholeName);
    // And back at 100 % as designed.
    QCOMPARE(dialogLineHeight(form, dialog, 1, onScreen), design);
}

// A finger reaches the handlers as the mouse does: it drags P along the circle and
// writes with the memo pen. At 50 % a touch 10 mm beside the radius handle takes it,
// where the mouse's box is only 20 canvas pixels across.
void TestZoom::fingerTakesTheHandles() {
    Form1 form;
    form.setWindowZoom(0.5);
    showActive(form);
    CanvasWidget& view = *form.gamenView;
    QPointingDevice* finger = QTest::createTouchDevice();
    auto touchDrag = [&](QPointF from, QPointF to) {
        QTest::touchEvent(&view, finger).press(0, at(view, from.x(), from.y()));
        for (double step : {0.25, 0.5, 0.75, 1.0})
            QTest::touchEvent(&view, finger)
                .move(0, at(view, from.x() + (to - from).x() * step, from.y() + (to - from).y() * step));
        QTest::touchEvent(&view, finger).release(0, at(view, to.x(), to.y()));
    };
    const QPointF to(425 + 250 * std::cos(150 * 3.14 / 180), 325 - 250 * std::sin(150 * 3.14 / 180));
    touchDrag(QPointF(form.pX, form.pY), to);
    QVERIFY(std::abs(form.pX - to.x()) <= 2 && std::abs(form.pY - to.y()) <= 2);
    form.Command3_Click();
    touchDrag(QPointF(600, 60), QPointF(760, 60));
    QCOMPARE(form.gamen.image().pixel(680, 60), qRgb(255, 0, 0));
    form.Command3_Click();

    const QPoint beside =
        at(view, form.handleX + 10 / 25.4 * form.screen()->physicalDotsPerInch() / 0.5 - 1, form.handleY);
    QTest::mousePress(&view, Qt::LeftButton, {}, beside);
    QCOMPARE(int(form.dragTarget), 0);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, beside);
    QTest::touchEvent(&view, finger).press(0, beside);
    QCOMPARE(int(form.dragTarget), 4);
    QTest::touchEvent(&view, finger).release(0, beside);
}

void TestZoom::pointerMapsAtTwice() {
    Form1 form;
    form.setWindowZoom(2);
    CanvasWidget& view = *form.gamenView;
    QTest::mousePress(&view, Qt::LeftButton, {}, at(view, form.pX, form.pY));
    QCOMPARE(int(form.dragTarget), 1);
    const QPointF to(425 + 250 * std::cos(150 * 3.14 / 180), 325 - 250 * std::sin(150 * 3.14 / 180));
    QTest::mouseMove(&view, at(view, to.x(), to.y()));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(view, to.x(), to.y()));
    QVERIFY(std::abs(form.pX - to.x()) <= 1 && std::abs(form.pY - to.y()) <= 1);
}

void TestZoom::marksAtDeviceResolution() {
    Form1 form;
    form.Command4_Click();
    form.setWindowZoom(2);
    const QImage view = shown(*form.gamenView);
    // The grid line at y = 100 crossing canvas column 12: two device rows of grey,
    // white on both sides, nothing in between.
    const int x = form.gamenView->drawingOffset() + 2 * 12;
    const int y = form.gamenView->drawingOffset() + 2 * 100;
    const QRgb white = 0xffffffff, grey = 0xffc0c0c0;
    const QRgb profile[6] = {white, white, grey, grey, white, white};
    for (int i = 0; i < 6; ++i) QCOMPARE(view.pixel(x, y - 2 + i), profile[i]);

    // The letter "O": ink in its box, and detail finer than a canvas pixel, which an
    // image scaled up from the canvas could not have.
    const LetterMark& o = form.marks.Label2[3];
    int ink = 0, finerThanCanvas = 0;
    for (int cy = static_cast<int>(o.top); cy < o.top + 28; ++cy)
        for (int cx = static_cast<int>(o.left); cx < o.left + 20; ++cx) {
            const QPoint d = at(*form.gamenView, cx, cy);
            const QRgb p = view.pixel(d);
            ink += qGray(p) < 100 ? 1 : 0;
            if (view.pixel(d + QPoint(1, 0)) != p || view.pixel(d + QPoint(0, 1)) != p ||
                view.pixel(d + QPoint(1, 1)) != p)
                ++finerThanCanvas;
        }
    QVERIFY2(ink > 50, qPrintable(QString::number(ink)));
    QVERIFY2(finerThanCanvas > 20, qPrintable(QString::number(finerThanCanvas)));
}

void TestZoom::gridLinesAlike_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("thickness");
    QTest::newRow("100 %") << 1.0 << 1;
    QTest::newRow("125 %") << 1.25 << 1;
    QTest::newRow("150 %") << 1.5 << 2;
    QTest::newRow("275 %") << 2.75 << 3;
}

// At every zoom the 26 horizontal grid lines are equally thick: none blurs, none
// doubles where the zoom falls between pixels.
void TestZoom::gridLinesAlike() {
    QFETCH(double, zoom);
    QFETCH(int, thickness);
    Form1 form;
    form.Command4_Click();
    form.setWindowZoom(zoom);
    const QImage view = shown(*form.gamenView);
    const int x = at(*form.gamenView, 12, 0).x();
    QList<int> runs;
    for (int y = 0, run = 0; y < view.height(); ++y) {
        const bool grey = view.pixel(x, y) == 0xffc0c0c0;
        if (grey) ++run;
        if (!grey && run > 0) runs << std::exchange(run, 0);
    }
    QCOMPARE(runs, QList<int>(26, thickness));
}

void TestZoom::printsTheDesignSize() {
    Form1 form;
    form.namePrompt = std::make_unique<FixedPrompt>();
    auto printer = std::make_unique<RecordingPrinter>();
    RecordingPrinter& pages = *printer;
    form.windowPrinter = std::move(printer);
    form.Command6_Click();
    const QImage atDesign = pages.page;
    form.setWindowZoom(2);
    form.Command6_Click();
    QCOMPARE(pages.page.size(), QSize(1014, 700));
    QVERIFY(pages.page == atDesign);
    // The window is back at its zoom.
    QCOMPARE(form.gamenView->size(), QSize(1756, 1260));
}

// Pictures for worksheets are the drawing area and the window at their design size,
// pixel for pixel the same at every zoom, and the window stays at its zoom.
void TestZoom::picturesAtTheDesignSize() {
    Form1 form;
    form.Check6->setValue(1);
    form.Check7->setValue(1);
    form.Command4_Click();
    const QImage area = form.DrawingAreaImage();
    const QImage window = form.WindowImage();
    QCOMPARE(area.size(), QSize(875, 625));
    QCOMPARE(window.size(), QSize(1014, 700));
    form.setWindowZoom(2);
    QVERIFY(form.DrawingAreaImage() == area);
    QVERIFY(form.WindowImage() == window);
    QCOMPARE(form.gamenView->size(), QSize(1756, 1260));
}

void TestZoom::idleMovementRepaintsNothing() {
    Form1 form;
    showActive(form);
    PaintCounter counter;
    CanvasWidget& view = *form.gamenView;
    view.installEventFilter(&counter);
    QTest::mouseMove(&view, at(view, 100, 100));
    QTest::mouseMove(&view, at(view, 120, 110));
    QCoreApplication::processEvents();
    counter.paints = 0;
    QTest::mouseMove(&view, at(view, 140, 120));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);
    // A drag of P repaints.
    QTest::mousePress(&view, Qt::LeftButton, {}, at(view, form.pX, form.pY));
    QCoreApplication::processEvents();
    counter.paints = 0;
    QTest::mouseMove(&view, at(view, form.pX + 30, form.pY));
    QCoreApplication::processEvents();
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(view, form.pX, form.pY));
    QVERIFY(counter.paints > 0);
}

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
