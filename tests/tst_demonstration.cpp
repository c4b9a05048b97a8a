// A demonstration: where the motion puts the handle at a time, the limits it keeps, the
// readouts while it runs, every frame against the same drag in a second window, traces
// every 60 degrees, the radius keeping the figure, why a run does not start, and what ends a
// run (and does nothing else).
#include "aids/demonstration.h"
#include "app/menubar.h"
#include "formprobe.h"
#include "lesson/lessonfiles.h"
#include "widgets/notice.h"

#include <QtTest>
#include <qpa/qwindowsysteminterface.h>

using Mover = DemoMotion::Mover;
using Speed = DemoMotion::Speed;

namespace {

// The figure at start-up (A 220, B 320, P 110, radius 250 about (425, 325)).
DemoMotion::Figure startFigure(double angleA = 220) {
    return {425, 325, 250, angleA, 320, 110, 0, 0, true};
}

// A window whose demonstration runs on a clock the test turns.
struct Demo {
    Form1 form;
    double now = 0;
    Demo(Mover mover, Speed speed) {
        form.demonstration->setClock([this] { return now; });
        form.demonstration->choose(mover);
        form.demonstration->choose(speed);
    }
    void runTo(double seconds) {
        now = seconds;
        form.demonstration->frame();
    }
};

} // namespace

class TestDemonstration : public QObject {
    Q_OBJECT
  private slots:
    void motion_data();
    void motion();
    void readoutsWhileRunning();
    void framesAreDrags_data();
    void framesAreDrags();
    void tracesEverySixtyDegrees();
    void radiusKeepsTheFigure();
    void startsOrSaysWhy_data();
    void startsOrSaysWhy();
    void stops_data();
    void stops();
};

void TestDemonstration::motion_data() {
    QTest::addColumn<int>("mover");
    QTest::addColumn<int>("speed");
    QTest::addColumn<double>("angleA");
    QTest::addColumn<double>("freePY"); // P off the circle at (425, freePY); 0: P on it at 110
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("value"); // angle, or radius
    QTest::addColumn<double>("within");
    const int p = 1, a = 2, b = 3, r = 4, slow = 0, normal = 1, fast = 2;
    QTest::newRow("P 110 normal, 2 s: 150") << p << normal << 220.0 << 0.0 << 2.0 << 150.0 << 0.5;
    QTest::newRow("P slow, 1.5 s") << p << slow << 220.0 << 0.0 << 1.5 << 125.0 << 1e-9;
    QTest::newRow("P fast, a full turn in 8 s") << p << fast << 220.0 << 0.0 << 8.0 << 110.0 << 1e-9;
    QTest::newRow("P past 360") << p << fast << 220.0 << 0.0 << 6.0 << 20.0 << 1e-9;
    QTest::newRow("free P below O keeps its distance")
        << p << normal << 220.0 << 425.0 << 1.0 << 290.0 << 1e-9;
    QTest::newRow("A to 15 before B") << a << normal << 220.0 << 0.0 << 4.2495 << 304.99 << 1e-6;
    QTest::newRow("A back down") << a << normal << 220.0 << 0.0 << 6.0 << 269.98 << 1e-6;
    QTest::newRow("A back past its start, turned") << a << normal << 220.0 << 0.0 << 8.5 << 220.02 << 1e-6;
    QTest::newRow("A near the limit swings 30") << a << normal << 300.0 << 0.0 << 1.7495 << 274.99 << 1e-6;
    QTest::newRow("B to 15 after A") << b << normal << 220.0 << 0.0 << 4.2495 << 235.01 << 1e-6;
    QTest::newRow("B back") << b << fast << 220.0 << 0.0 << 3.0 << 285.02 << 1e-6;
    QTest::newRow("radius up to its limit") << r << normal << 220.0 << 0.0 << 0.62475 << 274.99 << 1e-6;
    QTest::newRow("radius down to the other") << r << normal << 220.0 << 0.0 << 5.62425 << 75.01 << 1e-6;
    QTest::newRow("radius fast, long after") << r << fast << 220.0 << 0.0 << 100.0 << 99.1 << 1e-6;
}

void TestDemonstration::motion() {
    QFETCH(int, mover);
    QFETCH(int, speed);
    QFETCH(double, angleA);
    QFETCH(double, freePY);
    QFETCH(double, seconds);
    QFETCH(double, within);
    DemoMotion::Figure figure = startFigure(angleA);
    if (freePY != 0) {
        figure.pOnCircle = false;
        figure.pX = 425;
        figure.pY = freePY;
    }
    const DemoMotion motion(Mover(mover), Speed(speed), figure);
    // A minute of frames keeps the drag's limits and reaches them.
    const double low = mover == 2   ? 0
                       : mover == 3 ? angleA + 15
                                    : 75,
                 high = mover == 2   ? 305
                        : mover == 3 ? 360
                                     : 275;
    double least = 1e9, most = -1e9;
    for (int frame = 0; mover > 1 && frame < 60 * 60; ++frame) {
        const double at = motion.at(frame / 60.0).value;
        QVERIFY2(at > low && at < high, qPrintable(QString::number(at)));
        least = std::min(least, at), most = std::max(most, at);
    }
    QVERIFY(mover == 1 || std::abs(mover == 2 ? most - high : least - low) < 1.6);
    QVERIFY(mover != 4 || most > 273.4);
    QFETCH(double, value);
    const DemoMotion::Place place = motion.at(seconds);
    QVERIFY2(std::abs(place.value - value) <= within, qPrintable(QString::number(place.value, 'f', 6)));
    if (mover == 4) {
        QCOMPARE(place.x, 425 + place.value);
        return;
    }
    // The pointer of the drag: its angle is the handle's, at the handle's distance.
    QVERIFY(std::abs(geometry::pointerAngle(425, 325, place.x, place.y) - place.value) < 1e-9);
    const double distance = freePY != 0 ? freePY - 325 : 250;
    QVERIFY(std::abs(std::hypot(place.x - 425, place.y - 325) - distance) < 1e-9);
}

// P from 110 at ふつう: 150 after 2 s; ∠APB reads 50 on the major arc and 130 on the minor.
void TestDemonstration::readoutsWhileRunning() {
    Demo demo(Mover::P, Speed::Normal);
    Form1& form = demo.form;
    for (CheckBox* box : {form.Check6, form.Check7, form.Check2[1]}) box->setValue(1);
    form.demonstration->start();
    QVERIFY(form.demonstration->running());
    bool sawMinorArc = false;
    for (int frame = 1; frame <= 60 * 16; ++frame) {
        demo.runTo(frame / 60.0);
        if (frame == 120)
            QVERIFY2(std::abs(form.angleP - 150) < 0.5, qPrintable(QString::number(form.angleP)));
        const double nearest = std::min({std::abs(form.angleP - 220), std::abs(form.angleP - 320)});
        if (nearest < 1) continue; // P on A or B: no angle to read
        const bool minor = form.angleP > 220 && form.angleP < 320;
        sawMinorArc |= minor;
        QCOMPARE(form.Label5[1]->text(), minor ? QStringLiteral("130") : QStringLiteral("50"));
    }
    QVERIFY(sawMinorArc);
}

void TestDemonstration::framesAreDrags_data() {
    QTest::addColumn<int>("mover");
    QTest::addColumn<bool>("nonClear");
    QTest::addColumn<bool>("freeP");
    QTest::newRow("P") << 1 << false << false;
    QTest::newRow("P, nonClear") << 1 << true << false;
    QTest::newRow("free P") << 1 << false << true;
    QTest::newRow("A, nonClear") << 2 << true << false;
    QTest::newRow("B") << 3 << false << false;
    QTest::newRow("radius, nonClear") << 4 << true << false;
    QTest::newRow("radius") << 4 << false << false;
    QTest::newRow("radius, free P") << 4 << false << true;
}

// Frames at uneven times against a second window dragged with the pointer handlers
// through the same places: the same state, the same canvas, the same picture.
void TestDemonstration::framesAreDrags() {
    QFETCH(int, mover);
    QFETCH(bool, nonClear);
    QFETCH(bool, freeP);
    Demo demo(Mover(mover), Speed::Fast);
    Form1 twin;
    auto boxes = [](Form1& form) {
        return QList<CheckBox*>{form.Check6,    form.Check7, form.Check2[1], form.Check8,
                                form.Check2[0], form.Check5, form.Check4};
    };
    for (Form1* form : {&demo.form, &twin}) {
        for (CheckBox* box : boxes(*form)) box->setValue(1);
        form->Check3->setValue(nonClear ? 1 : 0);
        if (freeP) {
            form->Check9->setValue(0);
            probe::drag(*form, form->pX, form->pY, 380, 260);
        }
    }
    const DemoMotion motion(Mover(mover), Speed::Fast, [&] {
        DemoMotion::Figure f = startFigure();
        f.pOnCircle = !freeP;
        f.pX = twin.pX, f.pY = twin.pY;
        return f;
    }());
    const geometry::Point handle[5] = {
        {}, {twin.pX, twin.pY}, {twin.aX, twin.aY}, {twin.bX, twin.bY}, {twin.handleX, twin.handleY}};
    QList<CheckBox*> ticked; // what shows when the run starts
    for (CheckBox* box : boxes(twin))
        if (box->value() == 1) ticked << box;
    twin.gamen_MouseDown(1, 0, static_cast<float>(handle[mover].x), static_cast<float>(handle[mover].y));
    QCOMPARE(static_cast<int>(twin.dragTarget), mover);
    demo.form.demonstration->start();
    for (double t : {0.0, 1 / 60.0, 2 / 60.0, 0.25, 0.26, 1.7, 2.9, 3.0, 7.35}) {
        demo.runTo(t);
        const DemoMotion::Place place = motion.at(t);
        twin.gamen_MouseMove(1, 0, static_cast<float>(place.x), static_cast<float>(place.y));
        // The hand's drag of the radius unticks the figure; the run keeps it, as if each
        // box were ticked again in its order.
        if (mover == 4) {
            QCOMPARE(twin.Check7->value(), 0);
            for (CheckBox* box : ticked) box->setValue(1);
        }
    }
    auto state = [](const Form1& f) {
        return QList<double>{f.aX,
                             f.aY,
                             f.bX,
                             f.bY,
                             f.pX,
                             f.pY,
                             f.angleA,
                             f.angleB,
                             f.angleP,
                             f.radius,
                             f.handleX,
                             f.handleY,
                             double(f.dirPA),
                             f.dirPB};
    };
    QCOMPARE(state(demo.form), state(twin));
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(boxes(demo.form)[i]->value(), ticked.contains(boxes(twin)[i]) ? 1 : 0);
        QCOMPARE(boxes(demo.form)[i]->value(), boxes(twin)[i]->value());
        QCOMPARE(boxes(demo.form)[i]->isEnabled(), boxes(twin)[i]->isEnabled());
    }
    QVERIFY(demo.form.gamen.image() == twin.gamen.image());
    QVERIFY(probe::shown(demo.form) == probe::shown(twin));
    QCOMPARE(demo.form.Label5[1]->text(), twin.Label5[1]->text());
    QCOMPARE(demo.form.Label5[0]->text(), twin.Label5[0]->text());
    twin.gamen_MouseUp(1, 0, 0, 0);
}

// A trace each 60 degrees of P, exactly there even across a late frame, five at most.
void TestDemonstration::tracesEverySixtyDegrees() {
    Demo demo(Mover::P, Speed::Normal);
    Form1& form = demo.form;
    form.Check6->setValue(1);
    form.demonstration->setKeepsTraces(true);
    form.demonstration->start();
    for (double t : {1.0, 2.9, 6.5, 6.6, 9.2, 30.0}) {
        demo.runTo(t);
        const int expected = std::min(5, static_cast<int>(t * 20 / 60));
        QCOMPARE(static_cast<int>(form.traceCount), expected);
    }
    for (int k = 0; k < 5; ++k) {
        const double angle = geometry::turnedAngle(110, 60 * (k + 1));
        const geometry::Point corner = geometry::letterCorner(425, 325, 250, angle, 40);
        QVERIFY(std::abs(form.marks.Label3[k].left - corner.x) < 0.01);
        QVERIFY(std::abs(form.marks.Label3[k].top - corner.y) < 0.01);
    }
    QVERIFY(std::abs(form.angleP - geometry::turnedAngle(110, 600)) < 1e-4); // and on at 30 s

    // Ticked at 140 degrees on: nothing behind P, the first at 180.
    Demo late(Mover::P, Speed::Normal);
    late.form.Check6->setValue(1);
    late.form.demonstration->start();
    late.runTo(7);
    late.form.demonstration->setKeepsTraces(true);
    late.runTo(8.9);
    QCOMPARE(static_cast<int>(late.form.traceCount), 0);
    late.runTo(9.1);
    QCOMPARE(static_cast<int>(late.form.traceCount), 1);
}

// The radius running keeps the whole figure shown and true: the boxes stay ticked, the
// readouts keep their values, the chords end at P, A and B on the circle of the moment,
// the marks show at P and at O, and the traces stay chords of that circle.
void TestDemonstration::radiusKeepsTheFigure() {
    Demo demo(Mover::Radius, Speed::Normal);
    Form1& form = demo.form;
    for (CheckBox* box : {form.Check6, form.Check7, form.Check2[1], form.Check8, form.Check2[0], form.Check5})
        box->setValue(1);
    double traced[2] = {form.angleP, 0};
    form.Command7[0]->click(); // a trace at 110
    probe::dragPTo(form, 150);
    traced[1] = form.angleP;
    form.Command7[0]->click(); // and one at about 150
    probe::dragPTo(form, 110);
    const double angleP = form.angleP;
    const QImage before = probe::shown(form);
    const QRgb atO = probe::shownAt(before, 425, 340); // the central angle's mark, below O
    QVERIFY(atO != probe::kWhite);
    QVERIFY(probe::countShown(before, form.pX, form.pY, 20, probe::kRed) > 40);
    form.demonstration->start();
    for (double t : {0.5, 1.0, 3.0}) {
        demo.runTo(t);
        QVERIFY2(std::abs(form.radius - (250 + 40 * t > 275 ? 550 - 250 - 40 * t : 250 + 40 * t)) < 0.1,
                 qPrintable(QString::number(form.radius)));
        for (CheckBox* box :
             {form.Check6, form.Check7, form.Check2[1], form.Check8, form.Check2[0], form.Check5})
            QCOMPARE(box->value(), 1);
        QVERIFY(form.Label5[0]->isVisibleTo(&form) && form.Label5[1]->isVisibleTo(&form));
        QCOMPARE(form.Label5[0]->text(), QStringLiteral("100"));
        QCOMPARE(form.Label5[1]->text(), QStringLiteral("50"));
        const geometry::Point p = probe::onCircle(form, angleP), a = probe::onCircle(form, 220);
        QVERIFY(form.marks.Line1[3].visible && form.marks.Line1[0].visible);
        QCOMPARE(form.marks.Line1[3].x1, float(p.x));
        QCOMPARE(form.marks.Line1[3].x2, float(a.x));
        QCOMPARE(form.marks.Line1[0].y2, float(a.y));
        QVERIFY(form.marks.Label2[0].visible);
        const QImage shown = probe::shown(form);
        QVERIFY(probe::countShown(shown, p.x, p.y, 20, probe::kRed) > 40);
        QCOMPARE(probe::shownAt(shown, 425, 340), atO);
        for (int k = 0; k < 2; ++k) {
            const geometry::Point trace = probe::onCircle(form, traced[k]);
            QVERIFY(std::abs(form.marks.Line5[2 * k].x1 - trace.x) < 0.01);
            QVERIFY(std::abs(form.marks.Line5[2 * k + 1].y1 - trace.y) < 0.01);
            QCOMPARE(form.marks.Line5[2 * k + 1].x2, float(form.bX));
            const geometry::Point letter = geometry::letterCorner(425, 325, form.radius, traced[k], 40);
            QVERIFY(std::abs(form.marks.Label3[k].left - letter.x) < 0.01);
        }
        QCOMPARE(int(form.traceCount), 2);
    }
    form.demonstration->stop();
    QCOMPARE(form.undo->undoText(), QStringLiteral("元に戻す：動きの再生"));
    form.undo->undo();
    QCOMPARE(form.radius, 250.0f);
    QCOMPARE(form.Label5[1]->text(), QStringLiteral("50"));
}

void TestDemonstration::startsOrSaysWhy_data() {
    QTest::addColumn<int>("mover");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("reason"); // empty: it runs
    const int p = 1, a = 2, r = 4;
    QTest::newRow("P shown") << p << "点Ｐ"
                             << "";
    QTest::newRow("memo pen on") << p << "点Ｐ メモ"
                                 << "メモを使っている間は動きを始められません";
    QTest::newRow("straight-line tool on") << a << "直線"
                                           << "直線を引いている間は動きを始められません";
    QTest::newRow("P not shown") << p << ""
                                 << "点Ｐが表示されていないので動かせません";
    QTest::newRow("P's diameter shown") << p << "補助線"
                                        << "";
    QTest::newRow("A with P not shown") << a << ""
                                        << "";
    QTest::newRow("radius with P not shown") << r << ""
                                             << "";
    QTest::newRow("P chosen while the radius runs, P not shown") << r << "then P"
                                                                 << "点Ｐが表示されていないので動かせません";
}

// F5 either starts the run or leaves everything still and says why, on the screen over
// the drawing area (not in its pictures) and to screen readers.
void TestDemonstration::startsOrSaysWhy() {
    QFETCH(int, mover);
    QFETCH(QString, setting);
    QFETCH(QString, reason);
    Demo demo(Mover(mover), Speed::Normal);
    Form1& form = demo.form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    if (setting.contains("点Ｐ")) form.Check6->setValue(1);
    if (setting.contains("補助線")) form.Check4->setValue(1);
    if (setting.contains("メモ")) form.Command3->click();
    if (setting.contains("直線")) form.Command5->click();
    const QImage picture = form.DrawingAreaImage();
    QCOMPARE(form.demonstration->startStopAction()->text(), QStringLiteral("開始"));
    QTest::keyClick(&form, Qt::Key_F5);
    if (setting == "then P") {
        QVERIFY(form.demonstration->running());
        form.demonstration->choose(Mover::P);
    }
    QCOMPARE(form.demonstration->running(), reason.isEmpty());
    QCOMPARE(form.notice != nullptr && form.notice->isVisible(), !reason.isEmpty());
    QCOMPARE(form.demonstration->startStopAction()->text(),
             reason.isEmpty() ? QStringLiteral("停止") : QStringLiteral("開始"));
    if (reason.isEmpty()) return;
    QVERIFY2(form.notice->text().startsWith(reason), qPrintable(form.notice->text()));
    QCOMPARE(form.figureAccess().latestAnnouncement(), form.notice->text());
    // Over the drawing area, readable, and in none of its pictures.
    const QRect area(form.gamenView->mapTo(&form, QPoint(0, 0)), form.gamenView->size());
    QVERIFY(area.contains(form.notice->geometry()));
    QVERIFY(form.notice->height() > 15);
    QVERIFY(form.DrawingAreaImage() == picture);
    demo.runTo(2);
    QCOMPARE(form.angleP, 110.0);
    QCOMPARE(form.angleA, 220.0);
    // Once the reason is gone, F5 starts the run and the message goes.
    if (setting.contains("メモ")) {
        form.Command3->click();
        QTest::keyClick(&form, Qt::Key_F5);
        QVERIFY(form.demonstration->running());
        QVERIFY(!form.notice->isVisible());
    }
}

void TestDemonstration::stops_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"F5 again", "Esc in full screen", "press on the canvas", "click on a control",
                            "key on the canvas", "→ on the canvas", "Space on a box", "menu entry",
                            "printing", "opening a lesson", "another program"})
        QTest::newRow(how) << QString::fromUtf8(how);
}

// Whatever ends the run, the figure stays where the last frame left it and is a drag's.
void TestDemonstration::stops() {
    QFETCH(QString, how);
    Demo demo(Mover::P, Speed::Normal);
    Form1& form = demo.form;
    form.Check6->setValue(1);
    form.Check7->setValue(1);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.gamenView->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(form.gamenView, Qt::Key_P); // the arrows would move P
    QTest::keyClick(form.Check8, Qt::Key_F5);
    QVERIFY(form.demonstration->running());
    QCOMPARE(form.demonstration->startStopAction()->text(), QStringLiteral("停止"));
    demo.runTo(1.5);
    const double stoppedAt = form.angleP;
    QVERIFY(std::abs(stoppedAt - 140) < 1e-4);
    if (how == "F5 again") QTest::keyClick(form.gamenView, Qt::Key_F5);
    if (how == "Esc in full screen") {
        form.ToggleFullScreen();
        QTest::keyClick(form.Check8, Qt::Key_Escape); // stops, and the view stays
    }
    if (how == "press on the canvas") QTest::mouseClick(form.gamenView, Qt::LeftButton, {}, QPoint(800, 40));
    if (how == "click on a control") QTest::mouseClick(form.Check5, Qt::LeftButton);
    if (how == "key on the canvas") QTest::keyClick(form.gamenView, Qt::Key_X);
    // The key that ends the run does only that.
    if (how == "→ on the canvas") QTest::keyClick(form.gamenView, Qt::Key_Right);
    if (how == "Space on a box") QTest::keyClick(form.Check8, Qt::Key_Space);
    if (how == "menu entry") { // 動き, between 表示 and ヘルプ
        const QList<QAction*> menus = form.menuBar->actions();
        const qsizetype view = menus.indexOf(form.menuBar->view()->menuAction());
        QCOMPARE(menus.at(view + 1)->text(), QStringLiteral("動き(&M)"));
        QCOMPARE(menus.at(view + 2), form.menuBar->help()->menuAction());
        menus.at(view + 1)->menu()->actions().last()->trigger();
    }
    if (how == "printing") {
        struct Cancelled : NamePrompt {
            QString ask(QWidget*, const QString&, const QString&) override { return {}; }
        };
        form.namePrompt = std::make_unique<Cancelled>();
        QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    }
    if (how == "opening a lesson") { // the open box cancelled
        struct Cancelled : LessonPrompt {
            QString askOpen(QWidget*, const QString&) override { return {}; }
        };
        form.lessonFiles->prompt = std::make_unique<Cancelled>();
        form.lessonFiles->Open();
    }
    if (how == "another program") {
        QWindowSystemInterface::handleApplicationStateChanged<QWindowSystemInterface::SynchronousDelivery>(
            Qt::ApplicationInactive);
    }
    QVERIFY(!form.demonstration->running());
    QCOMPARE(form.demonstration->startStopAction()->text(), QStringLiteral("開始"));
    QCOMPARE(form.Check8->value(), 0);
    demo.runTo(3);
    QCOMPARE(form.angleP, stoppedAt);
    QCOMPARE(form.Label5[1]->text(), QStringLiteral("50"));
    QCOMPARE(form.isFullScreenView(), how == "Esc in full screen");
    // The whole run is one step of the undo history (after the click's own step).
    if (how == "click on a control") form.undo->undo();
    QCOMPARE(form.undo->undoText(), QStringLiteral("元に戻す：動きの再生"));
    form.undo->undo();
    QCOMPARE(form.angleP, 110.0);
}

QTEST_MAIN(TestDemonstration)
#include "tst_demonstration.moc"
