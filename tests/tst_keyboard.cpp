// The keys on the drawing area: choosing P, A, B and the radius handle, every arrow
// and modifier, the limits, the picture against the equivalent drag, the focus ring,
// Tab through the window and the keys that must do nothing (and say why).
#include "formprobe.h"
#include "widgets/notice.h"

#include <QtTest>

#include <memory>

namespace {

struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

// The figure with every angle mark, both readouts and the arc, so that a wrong
// redraw shows in many pixels.
void showEverything(Form1& form) {
    form.Check6->setValue(1);
    form.Check7->setValue(1);
    form.Check2[1]->setValue(1);
    form.Check8->setValue(1);
    form.Check2[0]->setValue(1);
    form.Check5->setValue(1);
}

void press(Form1& form, Qt::Key key, Qt::KeyboardModifiers modifiers = {}, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(form.gamenView, key, modifiers);
}

// The form shown, active, with the keyboard focus on the drawing area.
void focusCanvas(Form1& form) {
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.gamenView->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(form.gamenView->hasFocus());
}

Qt::Key targetKey(int target) {
    constexpr Qt::Key keys[5] = {Qt::Key_unknown, Qt::Key_P, Qt::Key_A, Qt::Key_B, Qt::Key_R};
    return keys[target];
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

  private slots:
    void chooseTarget_data();
    void chooseTarget();
    void arrows_data();
    void arrows();
    void limits_data();
    void limits();
    void keysDrawWhatTheDragDraws_data();
    void keysDrawWhatTheDragDraws();
    void focusRingOnlyAboveTheCanvas();
    void tabEntersCyclesAndLeaves();
    void clickGivesFocusWithoutRing();
    void toolsHoldTheFigure();
};

void TestKeyboard::chooseTarget_data() {
    QTest::addColumn<QString>("keys"); // letters, '>' Tab, '<' Shift+Tab
    QTest::addColumn<int>("target");
    QTest::newRow("none yet") << "" << 0;
    QTest::newRow("P") << "p" << 1;
    QTest::newRow("A") << "a" << 2;
    QTest::newRow("B") << "b" << 3;
    QTest::newRow("R") << "r" << 4;
    QTest::newRow("B then P") << "bp" << 1;
    QTest::newRow("Tab from none") << ">" << 1;
    QTest::newRow("Tab from P") << "p>" << 2;
    QTest::newRow("Tab twice from A") << "a>>" << 4;
    QTest::newRow("Shift+Tab from none") << "<" << 4;
    QTest::newRow("Shift+Tab from B") << "b<" << 2;
    QTest::newRow("other letters choose nothing") << "xqc" << 0;
}

void TestKeyboard::chooseTarget() {
    QFETCH(QString, keys);
    QFETCH(int, target);
    Form1 form;
    focusCanvas(form);
    for (QChar key : keys) {
        if (key == '>')
            QTest::keyClick(form.gamenView, Qt::Key_Tab);
        else if (key == '<')
            QTest::keyClick(form.gamenView, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(form.gamenView, key.toLatin1());
    }
    QCOMPARE(form.keyTarget, std::int16_t(target));
    QVERIFY(form.gamenView->hasFocus());
}

void TestKeyboard::arrows_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("free"); // "円周上" unticked
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("times");
    QTest::addColumn<double>("angle"); // of the target, or the radius for R
    QTest::addColumn<double>("dx");    // free P: movement of P
    QTest::addColumn<double>("dy");
    QTest::addColumn<QString>("central"); // readouts afterwards
    QTest::addColumn<QString>("inscribed");
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, none = 0;
    const int right = Qt::Key_Right, left = Qt::Key_Left, up = Qt::Key_Up, down = Qt::Key_Down;

    QTest::newRow("P →") << 1 << false << right << none << 1 << 111.0 << 0.0 << 0.0 << "100"
                         << "50";
    QTest::newRow("P ←") << 1 << false << left << none << 1 << 109.0 << 0.0 << 0.0 << "100"
                         << "50";
    QTest::newRow("P ↑") << 1 << false << up << none << 1 << 111.0 << 0.0 << 0.0 << "100"
                         << "50";
    QTest::newRow("P ↓") << 1 << false << down << none << 1 << 109.0 << 0.0 << 0.0 << "100"
                         << "50";
    QTest::newRow("P Shift+→") << 1 << false << right << shift << 1 << 115.0 << 0.0 << 0.0 << "100"
                               << "50";
    QTest::newRow("P Ctrl+→") << 1 << false << right << ctrl << 1 << 110.1 << 0.0 << 0.0 << "100"
                              << "50";
    QTest::newRow("P Shift+↑ onto the arc") << 1 << false << up << shift << 32 << 270.0 << 0.0 << 0.0 << "260"
                                            << "130";
    QTest::newRow("P ten Ctrl+→") << 1 << false << right << ctrl << 10 << 111.0 << 0.0 << 0.0 << "100"
                                  << "50";
    QTest::newRow("P past 360") << 1 << false << left << shift << 23 << 355.0 << 0.0 << 0.0 << "100"
                                << "50";
    QTest::newRow("A →") << 2 << false << right << none << 1 << 221.0 << 0.0 << 0.0 << "99"
                         << "49.5";
    QTest::newRow("A ←") << 2 << false << left << none << 1 << 219.0 << 0.0 << 0.0 << "101"
                         << "50.5";
    QTest::newRow("A ↑") << 2 << false << up << none << 1 << 221.0 << 0.0 << 0.0 << "99"
                         << "49.5";
    QTest::newRow("A ↓ Shift") << 2 << false << down << shift << 1 << 215.0 << 0.0 << 0.0 << "105"
                               << "52.5";
    QTest::newRow("A Ctrl+→ ten") << 2 << false << right << ctrl << 10 << 221.0 << 0.0 << 0.0 << "99"
                                  << "49.5";
    QTest::newRow("A Ctrl+←") << 2 << false << left << ctrl << 1 << 219.9 << 0.0 << 0.0 << "101"
                              << "50.5";
    QTest::newRow("B →") << 3 << false << right << none << 1 << 321.0 << 0.0 << 0.0 << "101"
                         << "50.5";
    QTest::newRow("B ←") << 3 << false << left << none << 1 << 319.0 << 0.0 << 0.0 << "99"
                         << "49.5";
    QTest::newRow("B ↑ Shift") << 3 << false << up << shift << 1 << 325.0 << 0.0 << 0.0 << "105"
                               << "52.5";
    QTest::newRow("B ↓") << 3 << false << down << none << 1 << 319.0 << 0.0 << 0.0 << "99"
                         << "49.5";
    // The readouts cut the angles down to whole degrees: 319.9 counts as 319.
    QTest::newRow("B Ctrl+↓") << 3 << false << down << ctrl << 1 << 319.9 << 0.0 << 0.0 << "99"
                              << "49.5";
    QTest::newRow("R →") << 4 << false << right << none << 1 << 251.0 << 0.0 << 0.0 << "100"
                         << "50";
    QTest::newRow("R ←") << 4 << false << left << none << 1 << 249.0 << 0.0 << 0.0 << "100"
                         << "50";
    QTest::newRow("R ↑") << 4 << false << up << none << 1 << 251.0 << 0.0 << 0.0 << "100"
                         << "50";
    QTest::newRow("R ↓ Shift") << 4 << false << down << shift << 1 << 245.0 << 0.0 << 0.0 << "100"
                               << "50";
    QTest::newRow("R Shift+→") << 4 << false << right << shift << 1 << 255.0 << 0.0 << 0.0 << "100"
                               << "50";
    QTest::newRow("R Ctrl+→ one unit") << 4 << false << right << ctrl << 1 << 251.0 << 0.0 << 0.0 << "100"
                                       << "50";
    QTest::newRow("free P →") << 1 << true << right << none << 1 << -1.0 << 1.0 << 0.0 << "100"
                              << "";
    QTest::newRow("free P ←") << 1 << true << left << none << 1 << -1.0 << -1.0 << 0.0 << "100"
                              << "";
    QTest::newRow("free P ↑") << 1 << true << up << none << 1 << -1.0 << 0.0 << -1.0 << "100"
                              << "";
    QTest::newRow("free P ↓ ten") << 1 << true << down << none << 10 << -1.0 << 0.0 << 10.0 << "100"
                                  << "";
    QTest::newRow("free P Shift+→") << 1 << true << right << shift << 1 << -1.0 << 5.0 << 0.0 << "100"
                                    << "";
    QTest::newRow("free P Ctrl+←") << 1 << true << left << ctrl << 1 << -1.0 << -0.1 << 0.0 << "100"
                                   << "";
    // Keys keep a free P inside the drawing area (0..874, 0..624), where it shows; at
    // the bottom it stands beyond the chord AB.
    const geometry::Point p = geometry::pointOnCircle(425, 325, 250, 110);
    QTest::newRow("free P Shift+→ stops at the right edge")
        << 1 << true << right << shift << 200 << -1.0 << 874 - p.x << 0.0 << "100"
        << "";
    QTest::newRow("free P Shift+↑ stops at the top edge")
        << 1 << true << up << shift << 200 << -1.0 << 0.0 << -p.y << "100"
        << "";
    QTest::newRow("free P Shift+↓ stops at the bottom edge")
        << 1 << true << down << shift << 200 << -1.0 << 0.0 << 624 - p.y << "260"
        << "";
}

void TestKeyboard::arrows() {
    QFETCH(int, target);
    QFETCH(bool, free);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, times);
    QFETCH(double, angle);
    QFETCH(double, dx);
    QFETCH(double, dy);
    QFETCH(QString, central);
    QFETCH(QString, inscribed);
    Form1 form;
    showEverything(form);
    if (free) form.Check9->setValue(0);
    const double pX = form.pX, pY = form.pY;
    press(form, targetKey(target));
    press(form, Qt::Key(key), Qt::KeyboardModifiers(modifiers), times);

    const double values[5] = {0, form.angleP, form.angleA, form.angleB, form.radius};
    if (free) {
        QVERIFY(std::abs(form.pX - (pX + dx)) < 1e-4);
        QVERIFY(std::abs(form.pY - (pY + dy)) < 1e-4);
        QCOMPARE(form.angleP, geometry::pointerAngle(form.oX, form.oY, form.pX, form.pY));
        QVERIFY(!form.Label5[1]->text().isEmpty());
    } else {
        QCOMPARE(values[target], angle);
        QCOMPARE(form.Label5[1]->text(), inscribed);
    }
    QCOMPARE(form.Label5[0]->text(), central);
    if (target == 4) {
        // The handle stays on its diagonal, and the layout has run as for a drag.
        QCOMPARE(form.handleX, float(form.oX) + form.radius);
        QCOMPARE(form.handleY, float(form.oY) + form.radius);
        QCOMPARE(form.Check6->value(), 0);
    }
    QCOMPARE(form.dragTarget, std::int16_t(0));
}

void TestKeyboard::limits_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<QList<int>>("presses"); // pairs: key, modifiers, repeated by `times`
    QTest::addColumn<int>("times");
    QTest::addColumn<double>("stop");
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, none = 0;
    const int right = Qt::Key_Right, left = Qt::Key_Left;
    // A runs up towards B (320) and stops short of 305 whatever the step.
    QTest::newRow("A by fives up to B - 15") << 2 << QList<int>{right, shift} << 40 << 300.0;
    QTest::newRow("A by ones up to B - 15") << 2 << QList<int>{right, shift, right, none} << 20 << 304.0;
    QTest::newRow("A by tenths up to B - 15")
        << 2 << QList<int>{right, shift, right, none, right, ctrl} << 30 << 304.9;
    QTest::newRow("B down to A + 15") << 3 << QList<int>{left, shift, left, none, left, ctrl} << 30 << 235.1;
    // A never reaches 0 and B never 360: the angle wraps and is refused.
    QTest::newRow("A down to 0") << 2 << QList<int>{left, shift, left, none, left, ctrl} << 60 << 0.1;
    QTest::newRow("B up to 360") << 3 << QList<int>{right, shift, right, none, right, ctrl} << 60 << 359.9;
    QTest::newRow("radius up to 275") << 4 << QList<int>{right, shift, right, none} << 10 << 274.0;
    QTest::newRow("radius down to 75") << 4 << QList<int>{left, shift, left, none} << 40 << 76.0;
    // P has no limit: it goes round the circle.
    QTest::newRow("P round and round") << 1 << QList<int>{right, shift} << 72 << 110.0;
}

// Each key of the list is pressed `times` times in turn; every press keeps the
// limits, and the end is the last value inside them.
void TestKeyboard::limits() {
    QFETCH(int, target);
    QFETCH(QList<int>, presses);
    QFETCH(int, times);
    QFETCH(double, stop);
    Form1 form;
    press(form, targetKey(target));
    for (qsizetype i = 0; i < presses.size(); i += 2) {
        for (int n = 0; n < times; ++n) {
            press(form, Qt::Key(presses[i]), Qt::KeyboardModifiers(presses[i + 1]));
            QVERIFY(form.angleA > 0 && form.angleA < form.angleB - 15);
            QVERIFY(form.angleB < 360);
            QVERIFY(form.radius > 75 && form.radius < 275);
        }
    }
    const double values[5] = {0, form.angleP, form.angleA, form.angleB, form.radius};
    QCOMPARE(values[target], stop);
}

void TestKeyboard::keysDrawWhatTheDragDraws_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("free");
    QTest::addColumn<bool>("nonClear");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("times");
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("P ten →") << 1 << false << false << int(Qt::Key_Right) << 0 << 10;
    QTest::newRow("P Shift+↑ onto the arc") << 1 << false << false << int(Qt::Key_Up) << shift << 32;
    QTest::newRow("P Ctrl+← three") << 1 << false << false << int(Qt::Key_Left) << ctrl << 3;
    QTest::newRow("A Shift+→") << 2 << false << false << int(Qt::Key_Right) << shift << 1;
    QTest::newRow("A Ctrl+← seven") << 2 << false << false << int(Qt::Key_Left) << ctrl << 7;
    QTest::newRow("B ← four") << 3 << false << false << int(Qt::Key_Left) << 0 << 4;
    QTest::newRow("B Shift+↑") << 3 << false << false << int(Qt::Key_Up) << shift << 1;
    QTest::newRow("radius Shift+←") << 4 << false << false << int(Qt::Key_Left) << shift << 1;
    QTest::newRow("radius → three") << 4 << false << false << int(Qt::Key_Right) << 0 << 3;
    QTest::newRow("free P ↓ twenty") << 1 << true << false << int(Qt::Key_Down) << 0 << 20;
    QTest::newRow("free P Shift+← eight") << 1 << true << false << int(Qt::Key_Left) << shift << 8;
    QTest::newRow("P nonClear, one step") << 1 << false << true << int(Qt::Key_Right) << shift << 1;
}

// The keys on one window, one drag to the same place on another: the same canvas
// drawing, the same marks on the widget, the same readouts.
void TestKeyboard::keysDrawWhatTheDragDraws() {
    QFETCH(int, target);
    QFETCH(bool, free);
    QFETCH(bool, nonClear);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, times);
    Form1 keys, drag;
    for (Form1* form : {&keys, &drag}) {
        showEverything(*form);
        if (free) form->Check9->setValue(0);
        form->Check3->setValue(nonClear ? 1 : 0);
    }
    press(keys, targetKey(target));
    press(keys, Qt::Key(key), Qt::KeyboardModifiers(modifiers), times);

    const geometry::Point handles[5] = {
        {0, 0}, {drag.pX, drag.pY}, {drag.aX, drag.aY}, {drag.bX, drag.bY}, {drag.handleX, drag.handleY}};
    geometry::Point to{keys.pX, keys.pY};
    if (target == 2) to = probe::singlePointerFor(drag, keys.angleA, drag.radius);
    if (target == 3) to = probe::singlePointerFor(drag, keys.angleB, drag.radius);
    if (target == 4) to = {keys.handleX, keys.handleY};
    if (target == 1 && !free) to = probe::singlePointerFor(drag, keys.angleP, drag.radius);
    probe::drag(drag, handles[target].x, handles[target].y, to.x, to.y);

    // The pointer of the drag is single precision: its angle differs in the fifth decimal.
    QVERIFY2(std::abs(keys.angleP - drag.angleP) < 1e-3,
             qPrintable(QStringLiteral("%1 %2").arg(keys.angleP, 0, 'f', 9).arg(drag.angleP, 0, 'f', 9)));
    QVERIFY(std::abs(keys.angleA - drag.angleA) < 1e-3);
    QVERIFY(std::abs(keys.angleB - drag.angleB) < 1e-3);
    QCOMPARE(keys.radius, drag.radius);
    QCOMPARE(keys.Label5[0]->text(), drag.Label5[0]->text());
    QCOMPARE(keys.Label5[1]->text(), drag.Label5[1]->text());
    QCOMPARE(keys.gamen.image(), drag.gamen.image());
    QCOMPARE(probe::shown(keys), probe::shown(drag));
}

// The ring stands round the chosen point on the widget while the area has focus; the
// canvas drawing never has it, and a picture of the area leaves it out.
void TestKeyboard::focusRingOnlyAboveTheCanvas() {
    Form1 form;
    showEverything(form);
    const QImage drawing = form.gamen.image().copy();
    const QImage before = probe::shown(form);
    focusCanvas(form);
    QCOMPARE(probe::shown(form), before); // focus alone: no ring

    const QRgb ring = form.gamenView->palette().color(QPalette::Highlight).rgb();
    const std::pair<Qt::Key, geometry::Point> targets[4] = {
        {Qt::Key_P, {form.pX, form.pY}},
        {Qt::Key_A, {form.aX, form.aY}},
        {Qt::Key_B, {form.bX, form.bY}},
        {Qt::Key_R, {form.handleX + 4, form.handleY + 4}}};
    for (const auto& [key, at] : targets) {
        press(form, key);
        // Every changed pixel is of the ring: 11 to 13 pixels from the point, in the
        // highlight colour, and it goes all round.
        const QImage shown = probe::shown(form);
        const QPoint centre = probe::widgetPoint(at.x, at.y);
        int ringPixels = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                if (shown.pixel(x, y) == before.pixel(x, y)) continue;
                const double distance = std::hypot(x - centre.x(), y - centre.y());
                QVERIFY2(distance > 10 && distance < 14, qPrintable(QStringLiteral("%1 %2").arg(x).arg(y)));
                QCOMPARE(shown.pixel(x, y), ring);
                ++ringPixels;
            }
        QVERIFY(ringPixels > 50);
        QCOMPARE(form.gamen.image(), drawing);
        QCOMPARE(form.DrawingAreaImage(), before.copy(2, 2, 875, 625));
    }
    form.gamenView->clearFocus();
    QTRY_VERIFY(!form.gamenView->hasFocus());
    QCOMPARE(probe::shown(form), before);
}

// Tab comes to the drawing area after "方眼", chooses P, A, B and the handle in turn
// and then goes on to "点Ｐ"; Shift+Tab comes back in at the handle.
void TestKeyboard::tabEntersCyclesAndLeaves() {
    Form1 form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.Command4->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(form.Command4->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(form.gamenView->hasFocus());
    QCOMPARE(form.keyTarget, std::int16_t(1));
    for (int target : {2, 3, 4}) {
        QTest::keyClick(form.gamenView, Qt::Key_Tab);
        QCOMPARE(form.keyTarget, std::int16_t(target));
        QVERIFY(form.gamenView->hasFocus());
    }
    QTest::keyClick(form.gamenView, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.Check6);
    QTest::keyClick(form.Check6, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(form.gamenView->hasFocus());
    QCOMPARE(form.keyTarget, std::int16_t(4));
    for (int i = 0; i < 4; ++i) QTest::keyClick(form.gamenView, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form.Command4);

    // The whole chain from "初期画面" reads the window top row first, then down the right.
    form.Command1->setFocus(Qt::OtherFocusReason);
    QList<QWidget*> reached;
    do {
        reached << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    } while (QApplication::focusWidget() != form.Command1 && reached.size() < 60);
    const QList<QWidget*> expected{
        form.Command1,    form.Command6,  form.Command5, form.Check1[0], form.Check1[1], form.Check1[2],
        form.Check1[3],   form.Check1[4], form.Command3, form.Command4,  form.gamenView, form.gamenView,
        form.gamenView,   form.gamenView, form.Check6,   form.Check7,    form.Check8,    form.Command7[0],
        form.Command7[1], form.Check4,    form.Check9,   form.Check3,    form.Command2};
    // Disabled boxes are passed over; the area is visited once per handle.
    QCOMPARE(reached.mid(0, 10), expected.mid(0, 10));
    QVERIFY(reached.contains(form.Check6) && reached.contains(form.Command2));
    QVERIFY(reached.indexOf(form.gamenView) < reached.indexOf(form.Check6));
    QVERIFY(reached.indexOf(form.Check6) < reached.indexOf(form.Command7[0]));
    QVERIFY(reached.indexOf(form.Command7[1]) < reached.indexOf(form.Command2));
}

// A click gives the area the focus but chooses nothing: the mouse alone never shows a ring.
void TestKeyboard::clickGivesFocusWithoutRing() {
    Form1 form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const QImage before = probe::shown(form);
    QTest::mouseClick(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(800, 100));
    QVERIFY(form.gamenView->hasFocus());
    QCOMPARE(form.keyTarget, std::int16_t(0));
    QCOMPARE(probe::shown(form), before);
    press(form, Qt::Key_Right);
    QCOMPARE(form.angleP, 110.0);
    press(form, Qt::Key_A);
    press(form, Qt::Key_Right);
    QCOMPARE(form.angleA, 221.0);
}

// With the memo pen or the straight-line tool on, the arrows move nothing, as the pointer doesn't.
void TestKeyboard::toolsHoldTheFigure() {
    Form1 form;
    focusCanvas(form);
    press(form, Qt::Key_A);
    QVERIFY(form.FocusRing().has_value());
    form.Command3_Click();
    QVERIFY(!form.FocusRing().has_value()); // no ring where nothing can move
    press(form, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(form.angleA, 220.0);
    form.Command5_Click();
    press(form, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(form.angleA, 220.0);
    form.Command5_Click();
    press(form, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(form.angleA, 225.0);

    // A P that does not show stays where it is, and the window says why, on the screen
    // and to screen readers; shown, it moves.
    QVERIFY(form.notice == nullptr || !form.notice->isVisible());
    press(form, Qt::Key_P);
    press(form, Qt::Key_Right);
    QCOMPARE(form.angleP, 110.0);
    QVERIFY(form.notice != nullptr && form.notice->isVisible());
    QVERIFY(form.notice->text().startsWith(QStringLiteral("点Ｐが表示されていないので動かせません")));
    QCOMPARE(form.figureAccess().latestAnnouncement(), form.notice->text());
    form.Check6->setValue(1);
    press(form, Qt::Key_Right);
    QCOMPARE(form.angleP, 111.0);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
