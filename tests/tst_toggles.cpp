// The seven display boxes: their cascades, the marks they show and hide, and
// what lands on the canvas.
#include "formprobe.h"

#include <QStringList>
#include <QtTest>

class TestToggles : public QObject {
    Q_OBJECT

  private slots:
    void cascades_data();
    void cascades();
    void dotOfPPlacedByTickAndUntick();
    void letterOfPStandsByTheCircleForAFreeP();
    void pixels_marksOfTheBoxes();
    void arcBoxErasesInkButKeepsMarks();
    void pixels_drawnAngleMarks();
    void auxiliaryLineRunsThroughAFreeP();
};

namespace {

CheckBox* box(Form1& form, const QString& name) {
    if (name == "6") return form.Check6;
    if (name == "7") return form.Check7;
    if (name == "8") return form.Check8;
    if (name == "20") return form.Check2[0];
    if (name == "21") return form.Check2[1];
    if (name == "5") return form.Check5;
    if (name == "4") return form.Check4;
    if (name == "9") return form.Check9;
    return nullptr;
}

// "+6" ticks Check6 as a click would (the box must be enabled), "-6" unticks it,
// "reset" presses "初期画面", "out" drags P to a place outside the circle.
bool play(Form1& form, const QString& script) {
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
        if (step == "reset") {
            form.Command1_Click();
            continue;
        }
        if (step == "out") {
            probe::drag(form, form.pX, form.pY, 560, 40);
            continue;
        }
        CheckBox* target = box(form, step.mid(1));
        if (target == nullptr || !target->isEnabled()) return false;
        target->setValue(step.startsWith('+') ? 1 : 0);
    }
    return true;
}

QString values(Form1& form) {
    QString result;
    for (const char* name : {"6", "7", "21", "8", "20", "4", "9"})
        result += QString::number(box(form, name)->value());
    return result;
}

QString enabled(Form1& form) {
    QString result;
    for (const char* name : {"7", "21", "20"}) result += box(form, name)->isEnabled() ? '1' : '0';
    return result;
}

QString shownMarks(Form1& form) {
    const CanvasMarks& m = form.marks;
    QStringList shown;
    auto note = [&](bool visible, const char* name) {
        if (visible) shown << name;
    };
    note(m.Shape4.visible, "dotP");
    note(m.Shape5.visible, "dotO");
    note(m.Shape6[0].visible, "dotA");
    note(m.Shape6[1].visible, "dotB");
    note(m.Line1[0].visible && m.Line1[1].visible, "radii");
    note(m.Line1[0].visible != m.Line1[1].visible, "oneRadius");
    note(m.Line1[2].visible, "aux");
    note(m.Line1[3].visible && m.Line1[4].visible, "chords");
    note(m.Line1[3].visible != m.Line1[4].visible, "oneChord");
    note(m.Label2[0].visible, "letP");
    note(m.Label2[4].visible, "letC");
    for (int i = 0; i < 2; ++i) {
        const bool readout = !form.Label5[i]->isHidden();
        note(readout && !form.Label6[i]->isHidden(), i == 0 ? "read0" : "read1");
        note(readout != !form.Label6[i]->isHidden(), "halfReadout");
    }
    return shown.join(' ');
}

} // namespace

void TestToggles::cascades_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("values"); // 点Ｐ ∠ＡＰＢ 円周角 ∠ＡＯＢ 中心角 補助線 円周上
    QTest::addColumn<QString>("enabled"); // ∠ＡＰＢ 円周角 中心角
    QTest::addColumn<QString>("shown");

    QTest::newRow("start-up") << ""
                              << "0000001"
                              << "000"
                              << "dotO dotA dotB";
    QTest::newRow("tick P") << "+6"
                            << "1000001"
                            << "100"
                            << "dotP dotO dotA dotB letP";
    QTest::newRow("inscribed readout shown") << "+6 +7 +21"
                                             << "1110001"
                                             << "110"
                                             << "dotO chords letP read1";
    QTest::newRow("untick P with APB and readout ticked") << "+6 +7 +21 -6"
                                                          << "0000001"
                                                          << "000"
                                                          << "dotO dotA dotB";
    QTest::newRow("untick inscribed readout") << "+6 +7 +21 -21"
                                              << "1100001"
                                              << "110"
                                              << "dotO chords letP";
    QTest::newRow("untick APB unticks its readout") << "+6 +7 +21 -7"
                                                    << "1000001"
                                                    << "100"
                                                    << "dotP dotO dotA dotB letP";
    QTest::newRow("A and B stay hidden while AOB shows") << "+6 +7 +8 -7"
                                                         << "1001001"
                                                         << "101"
                                                         << "dotP radii letP";
    QTest::newRow("A and B back after AOB too") << "+6 +7 +8 -7 -8"
                                                << "1000001"
                                                << "100"
                                                << "dotP dotO dotA dotB letP";
    QTest::newRow("A and B stay hidden while APB shows") << "+6 +7 +8 -8"
                                                         << "1100001"
                                                         << "110"
                                                         << "dotO chords letP";
    QTest::newRow("untick AOB shows O again") << "+8 -8"
                                              << "0000001"
                                              << "000"
                                              << "dotO dotA dotB";
    QTest::newRow("untick AOB unticks its readout") << "+8 +20 -8"
                                                    << "0000001"
                                                    << "000"
                                                    << "dotO dotA dotB";
    QTest::newRow("central readout shown") << "+8 +20"
                                           << "0001101"
                                           << "001"
                                           << "radii read0";
    QTest::newRow("both readouts") << "+6 +7 +21 +8 +20"
                                   << "1111101"
                                   << "111"
                                   << "radii chords letP read0 read1";
    QTest::newRow("untick P without APB keeps APB enabled") << "+6 -6"
                                                            << "0000001"
                                                            << "100"
                                                            << "dotO dotA dotB";
    QTest::newRow("APB ticked after P unticked keeps P's dot hidden") << "+6 -6 +7"
                                                                      << "0100001"
                                                                      << "110"
                                                                      << "dotO chords";
    QTest::newRow("auxiliary line ticks on-circle") << "-9 +4"
                                                    << "0000011"
                                                    << "000"
                                                    << "dotO dotA dotB aux letC";
    QTest::newRow("releasing P takes the auxiliary line") << "+4 -9"
                                                          << "0000000"
                                                          << "000"
                                                          << "dotO dotA dotB";
    QTest::newRow("untick auxiliary line") << "+4 -4"
                                           << "0000001"
                                           << "000"
                                           << "dotO dotA dotB";
    QTest::newRow("on-circle ticked again takes a free P onto the circle") << "+6 -9 out +9"
                                                                           << "1000001"
                                                                           << "100"
                                                                           << "dotP dotO dotA dotB letP";
    QTest::newRow("arc box changes no mark") << "+5"
                                             << "0000001"
                                             << "000"
                                             << "dotO dotA dotB";
    QTest::newRow("reset unticks APB ticked without P") << "+6 -6 +7 +21 reset"
                                                        << "0000001"
                                                        << "000"
                                                        << "dotO dotA dotB";
    QTest::newRow("reset brings the initial screen back") << "+6 +7 +21 +8 +20 +4 +5 reset"
                                                          << "0000001"
                                                          << "000"
                                                          << "dotO dotA dotB";
}

void TestToggles::cascades() {
    QFETCH(QString, script);
    Form1 form;
    QVERIFY2(play(form, script), "a step clicked a disabled box");
    QTEST(values(form), "values");
    QTEST(enabled(form), "enabled");
    QTEST(shownMarks(form), "shown");

    // Whatever the steps, a ticked "円周上" has P drawn on the ring, and the readouts
    // tell the angles of the figure drawn.
    if (form.Check9->value() == 1) {
        QVERIFY(std::abs(std::hypot(form.pX - form.oX, form.pY - form.oY) - form.radius) < 0.01);
        if (form.marks.Shape4.visible) {
            QCOMPARE(probe::countShown(probe::shown(form), form.pX - 1, form.pY - 1, 1, probe::kRed), 9);
            QCOMPARE(form.marks.Shape4.left, geometry::toSingle(form.pX - 5));
        }
    }
    const double ax = form.aX - form.pX, ay = form.aY - form.pY, bx = form.bX - form.pX,
                 by = form.bY - form.pY;
    const double atP = std::acos((ax * bx + ay * by) / std::hypot(ax, ay) / std::hypot(bx, by)) * 180 / M_PI;
    QVERIFY2(std::abs(form.Label5[1]->text().toDouble() - atP) < 1.2, qPrintable(form.Label5[1]->text()));
    QCOMPARE(form.Label5[0]->text(),
             QString::number(geometry::subtendedCentralAngle(
                 geometry::figureCaseOfSide({form.aX, form.aY}, {form.bX, form.bY}, {form.pX, form.pY}),
                 form.angleA, form.angleB)));
}

// The dot of P is placed where P is now, both by "点Ｐ" and by unticking "∠ＡＰＢ".
void TestToggles::dotOfPPlacedByTickAndUntick() {
    Form1 form;
    form.Check6->setValue(1);
    form.Check7->setValue(1);
    probe::dragPTo(form, 200);
    form.Check7->setValue(0);
    QCOMPARE(form.marks.Shape4.left, geometry::toSingle(form.pX - 5));
    QCOMPARE(form.marks.Shape4.top, geometry::toSingle(form.pY - 5));
    QVERIFY(form.marks.Shape4.visible);
    // The chords follow A, B and P as they stood when "∠ＡＰＢ" was ticked.
    form.Check7->setValue(1);
    QCOMPARE(form.marks.Line1[3].x1, geometry::toSingle(form.pX));
    QCOMPARE(form.marks.Line1[4].y2, geometry::toSingle(form.bY));
}

// With P off the circle, ticking "点Ｐ" still puts the letter by the circle in P's direction.
void TestToggles::letterOfPStandsByTheCircleForAFreeP() {
    Form1 form;
    form.Check9->setValue(0);
    probe::drag(form, form.pX, form.pY, 500, 200);
    QCOMPARE(form.pX, 500.0);
    form.Check6->setValue(0);
    form.Check6->setValue(1);
    const double reach = form.radius + 40;
    const double theta = form.angleP * 3.14 / 180;
    QCOMPARE(form.marks.Label2[0].left, geometry::toSingle(form.oX + reach * std::cos(theta) - 12));
    QCOMPARE(form.marks.Label2[0].top, geometry::toSingle(form.oY - reach * std::sin(theta) - 15));
    QCOMPARE(form.marks.Shape4.left, 495.0f);
}

// Marks as they show on the widget: dots, chords, radii, auxiliary line.
void TestToggles::pixels_marksOfTheBoxes() {
    Form1 form;
    const double pX = form.pX, pY = form.pY;
    const double midAx = (pX + form.aX) / 2, midAy = (pY + form.aY) / 2;
    const double radiusMidX = (form.oX + form.bX) / 2, radiusMidY = (form.oY + form.bY) / 2;
    // The dot's box is 9 wide from x - 5: its middle is one pixel up and left of the point.
    QCOMPARE(probe::countShown(probe::shown(form), pX - 1, pY - 1, 2, probe::kRed), 0);

    QCOMPARE(probe::shownAt(probe::shown(form), form.aX - 3, form.aY), probe::kBlack);
    form.Check6->setValue(1);
    QImage image = probe::shown(form);
    QCOMPARE(probe::countShown(image, pX - 1, pY - 1, 1, probe::kRed), 9);
    QVERIFY(probe::countDark(image, form.marks.Label2[0].left, form.marks.Label2[0].top, 24, 30) > 20);

    form.Check7->setValue(1);
    image = probe::shown(form);
    QCOMPARE(probe::shownAt(image, midAx, midAy), probe::kBlack);
    QCOMPARE(probe::countShown(image, pX - 1, pY - 1, 1, probe::kRed), 0);
    // Inside A's dot, just off the chord's end.
    QVERIFY(probe::shownAt(image, form.aX - 3, form.aY) != probe::kBlack);

    form.Check8->setValue(1);
    image = probe::shown(form);
    QCOMPARE(probe::shownAt(image, radiusMidX, radiusMidY), probe::kBlue);
    QCOMPARE(probe::countShown(image, form.oX - 1, form.oY - 1, 1, probe::kBlack), 0); // O's dot hidden

    form.Check6->setValue(0); // takes "∠ＡＰＢ" down: chords gone, dots at A and B stay hidden
    image = probe::shown(form);
    QVERIFY(probe::shownAt(image, midAx, midAy) != probe::kBlack);
    QCOMPARE(probe::countShown(image, pX - 1, pY - 1, 1, probe::kRed), 0);
    QVERIFY(probe::countShown(image, form.bX - 1, form.bY - 1, 1, probe::kBlack) < 9);

    form.Check8->setValue(0);
    image = probe::shown(form);
    QVERIFY(probe::shownAt(image, radiusMidX, radiusMidY) != probe::kBlue);
    QCOMPARE(probe::countShown(image, form.bX - 1, form.bY - 1, 1, probe::kBlack), 9);
    QCOMPARE(probe::countShown(image, form.oX - 1, form.oY - 1, 1, probe::kBlack), 9);

    // The auxiliary diameter runs from P through O: red between them.
    const double auxX = (pX + form.oX) / 2, auxY = (pY + form.oY) / 2;
    form.Check4->setValue(1);
    QCOMPARE(probe::shownAt(probe::shown(form), auxX, auxY), probe::kRed);
    form.Check9->setValue(0);
    QVERIFY(probe::shownAt(probe::shown(form), auxX, auxY) != probe::kRed);
}

// "弧ＡＢ" clears the canvas both ways: memo ink goes, marks stay, and two clicks
// give the same picture.
void TestToggles::arcBoxErasesInkButKeepsMarks() {
    Form1 form;
    form.Command7_Click(0);
    const QImage before = form.gamen.image().copy();
    form.gamen.setPenWidth(3);
    form.gamen.segment(20, 600, 120, 600, palette::rgb(10));
    QCOMPARE(form.gamen.pixel(70, 600), palette::rgb(10));
    form.Check5->setValue(1);
    form.Check5->setValue(0);
    QCOMPARE(form.gamen.pixel(70, 600), probe::kWhite);
    QVERIFY(form.gamen.image() == before);
    const SegmentMark& trace = form.marks.Line5[0];
    QCOMPARE(probe::shownAt(probe::shown(form), (trace.x1 + trace.x2) / 2, (trace.y1 + trace.y2) / 2),
             probe::kTraceGreen);
}

// The angle marks drawn into the canvas appear and disappear with their boxes.
// Needs the figure drawing.
void TestToggles::pixels_drawnAngleMarks() {
    Form1 form;
    // Start-up figure: the inscribed angle's seed 20 px from P at 280 degrees, the
    // central angle's 10 px below O.
    const double seedX = form.pX + 20 * std::cos(280 * 3.14 / 180);
    const double seedY = form.pY - 20 * std::sin(280 * 3.14 / 180);
    const int px = static_cast<int>(geometry::roundHalfEven(seedX));
    const int py = static_cast<int>(geometry::roundHalfEven(seedY));
    QCOMPARE(form.gamen.pixel(px, py), probe::kWhite);

    form.Check6->setValue(1);
    form.Check7->setValue(1);
    QCOMPARE(form.gamen.pixel(px, py), palette::rgb(12));
    form.Check8->setValue(1);
    QCOMPARE(form.gamen.pixel(425, 335), palette::rgb(9));
    // Ticking the readout redraws over the marks without a clear: they keep their
    // colours and no fill leaks out of them.
    form.Check2[1]->setValue(1);
    QCOMPARE(form.gamen.pixel(px, py), palette::rgb(12));
    QCOMPARE(form.gamen.pixel(425, 335), palette::rgb(9));
    QCOMPARE(form.gamen.pixel(425, 420), probe::kWhite);
    QCOMPARE(form.gamen.pixel(100, 100), probe::kWhite);
    QCOMPARE(form.gamen.pixel(800, 600), probe::kWhite);

    form.Check6->setValue(0);
    QCOMPARE(form.gamen.pixel(px, py), probe::kWhite);
    QCOMPARE(form.gamen.pixel(425, 335), palette::rgb(9));
    form.Check8->setValue(0);
    QCOMPARE(form.gamen.pixel(425, 335), probe::kWhite);
}

// A P let go off the circle and then given its auxiliary line: "円周上" comes back
// with the line and takes P onto the circle at its angle; the line starts at P and
// passes through O.
void TestToggles::auxiliaryLineRunsThroughAFreeP() {
    Form1 form;
    form.Check9->setValue(0);
    form.gamen_MouseDown(1, 0, 340, 90);
    form.gamen_MouseMove(1, 0, 520, 200);
    form.gamen_MouseUp(1, 0, 520, 200);
    QCOMPARE(form.pX, 520.0);
    form.Check4->setValue(1);
    const SegmentMark& line = form.marks.Line1[2];
    QVERIFY(line.visible);
    QCOMPARE(form.Check9->value(), 1);
    QCOMPARE(form.angleP, geometry::pointerAngle(form.oX, form.oY, 520, 200));
    QCOMPARE(line.x1, geometry::toSingle(form.pX));
    QCOMPARE(line.y1, geometry::toSingle(form.pY));
    const double cross =
        (line.x2 - line.x1) * (form.oY - line.y1) - (line.y2 - line.y1) * (form.oX - line.x1);
    const double length = std::hypot(line.x2 - line.x1, line.y2 - line.y1);
    // With 3.14 for pi, C is a fraction of a pixel off the exact opposite point.
    QVERIFY2(std::abs(cross) / length < 0.5, "O lies off the auxiliary line");
    QVERIFY(form.marks.Label2[4].visible);
}

QTEST_MAIN(TestToggles)
#include "tst_toggles.moc"
