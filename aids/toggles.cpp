#include "app/form1.h"

#include "figure/geometry.h"
#include "figure/markplacement.h"

using geometry::toSingle;
using namespace placement;

// "点Ｐ": the dot and letter of P. Unticking takes "∠ＡＰＢ" (and through it
// "円周角") down first.
void Form1::Check6_Click() {
    if (Check6->value() != 0) {
        Check7->setEnabled(true);
        placeDot(marks.Shape4, pX, pY);
        marks.Shape4.visible = true;
        // By the circle in P's direction, also while P stands off the circle.
        const geometry::Point corner = geometry::letterCorner(oX, oY, radius, angleP, 40);
        marks.Label2[0].left = toSingle(corner.x);
        marks.Label2[0].top = toSingle(corner.y);
        marks.Label2[0].visible = true;
        return;
    }
    if (Check7->value() != 0) {
        Check7->setValue(0);
        Check7->setEnabled(false);
    }
    marks.Shape4.visible = false;
    marks.Label2[0].visible = false;
}

// "∠ＡＰＢ": the chords from P and the mark of the inscribed angle.
void Form1::Check7_Click() {
    if (Check7->value() != 0) {
        marks.Shape4.visible = false;
        marks.Shape6[0].visible = false;
        marks.Shape6[1].visible = false;
        marks.Line1[3].visible = true;
        marks.Line1[4].visible = true;
        placeSegment(marks.Line1[3], pX, pY, aX, aY);
        placeSegment(marks.Line1[4], pX, pY, bX, bY);
        Check2[1]->setEnabled(true);
        DrawFigure();
        return;
    }
    gamen.clear();
    DrawFigure();
    if (Check2[1]->value() != 0) Check2[1]->setValue(0);
    Check2[1]->setEnabled(false);
    placeDot(marks.Shape4, pX, pY);
    marks.Shape4.visible = true;
    // The dots of A and B stay hidden while the central angle shows its radii.
    if (Check8->value() == 0) {
        placeDot(marks.Shape6[0], aX, aY);
        placeDot(marks.Shape6[1], bX, bY);
        marks.Shape6[0].visible = true;
        marks.Shape6[1].visible = true;
    }
    marks.Line1[3].visible = false;
    marks.Line1[4].visible = false;
}

// "∠ＡＯＢ": the radii to A and B and the mark of the central angle.
void Form1::Check8_Click() {
    if (Check8->value() != 0) {
        marks.Shape5.visible = false;
        marks.Shape6[0].visible = false;
        marks.Shape6[1].visible = false;
        marks.Line1[0].visible = true;
        marks.Line1[1].visible = true;
        placeSegment(marks.Line1[0], oX, oY, aX, aY);
        placeSegment(marks.Line1[1], oX, oY, bX, bY);
        Check2[0]->setEnabled(true);
        DrawFigure();
        return;
    }
    gamen.clear();
    DrawFigure();
    if (Check2[0]->value() != 0) Check2[0]->setValue(0);
    Check2[0]->setEnabled(false);
    marks.Shape5.visible = true;
    if (Check7->value() == 0) {
        placeDot(marks.Shape6[0], aX, aY);
        placeDot(marks.Shape6[1], bX, bY);
        marks.Shape6[0].visible = true;
        marks.Shape6[1].visible = true;
    }
    marks.Line1[0].visible = false;
    marks.Line1[1].visible = false;
}

// "中心角" (0) and "円周角" (1): the readout of the angle and its degree sign.
void Form1::Check2_Click(int index) {
    if (index < 0 || index > 1) return;
    if (Check2[index]->value() == 1) {
        Label5[index]->show();
        Label6[index]->show();
        DrawFigure();
        return;
    }
    Label5[index]->hide();
    Label6[index]->hide();
}

// "弧ＡＢ": the drawing reads the box, so both ways clear and draw again.
void Form1::Check5_Click() {
    gamen.clear();
    DrawFigure();
}

// "補助線": the diameter through P. It needs P on the circle, so it holds P there.
void Form1::Check4_Click() {
    const bool shown = Check4->value() != 0;
    if (shown) {
        // P may have been let go off the circle since the line was last placed:
        // the line always starts at P and runs through O to C.
        const double opposite = angleP + 180;
        const geometry::Point c = geometry::pointOnCircle(oX, oY, radius, opposite);
        placeSegment(marks.Line1[2], pX, pY, c.x, c.y);
        placeLetter(marks.Label2[4], geometry::letterCorner(oX, oY, radius, opposite));
    }
    marks.Line1[2].visible = shown;
    marks.Label2[4].visible = shown;
    if (shown) Check9->setValue(1);
}

// "円周上": read while dragging; letting P go takes the auxiliary line away. The
// readout of ∠APB switches at once between the theorem and the measured angle, so a
// P that stands off the circle goes onto it at its angle, as a drag there puts it:
// the readout tells of the P that is drawn.
void Form1::Check9_Click() {
    if (Check9->value() == 1) {
        const geometry::Point on = geometry::pointOnCircle(oX, oY, radius, angleP);
        if (pX != on.x || pY != on.y) {
            MoveHandle(1, angleP, toSingle(on.x), toSingle(on.y));
            return;
        }
    } else {
        Check4->setValue(0);
    }
    UpdateReadouts();
}
