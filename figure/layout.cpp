#include "app/form1.h"

#include "figure/geometry.h"
#include "figure/markplacement.h"

using geometry::toSingle;
using namespace placement;

// A clear canvas with P, A and B on the circle of this radius, the dots of O, A and B,
// the circle and the radius handle placed: what every layout starts from.
void Form1::PlaceOnCircle() {
    gamen.clear();
    const geometry::Point p = geometry::pointOnCircle(oX, oY, radius, angleP);
    pX = p.x;
    pY = p.y;
    const geometry::Point a = geometry::pointOnCircle(oX, oY, radius, angleA);
    aX = a.x;
    aY = a.y;
    const geometry::Point b = geometry::pointOnCircle(oX, oY, radius, angleB);
    bX = b.x;
    bY = b.y;
    placeDot(marks.Shape5, oX, oY);
    placeDot(marks.Shape6[0], aX, aY);
    placeDot(marks.Shape6[1], bX, bY);
    marks.Shape2.top = toSingle(oY - radius);
    marks.Shape2.left = toSingle(oX - radius);
    marks.Shape2.width = 2 * radius;
    marks.Shape2.height = 2 * radius;
    marks.Shape3.left = handleX;
    marks.Shape3.top = handleY;
}

void Form1::LayoutFigure() {
    PlaceOnCircle();

    Check5->setValue(0);
    Check6->setValue(0);
    // "∠ＡＰＢ" may be ticked while "点Ｐ" is not, and then unticking "点Ｐ" does
    // not reach it: untick it here so that its chords and readout go too.
    Check7->setValue(0);
    Check8->setValue(0);
    marks.Shape4.visible = false;
    marks.Label2[0].visible = false;

    Check7->setEnabled(false);
    Check2[1]->setEnabled(false);
    Check2[0]->setEnabled(false);

    const double oppositeAngle = angleP + 180;
    placeLetter(marks.Label2[1], geometry::letterCorner(oX, oY, radius, angleA));
    placeLetter(marks.Label2[2], geometry::letterCorner(oX, oY, radius, angleB));
    placeLetter(marks.Label2[4], geometry::letterCorner(oX, oY, radius, oppositeAngle));
    marks.Label2[3].left = toSingle(oX - 53);
    marks.Label2[3].top = toSingle(oY - 20);

    const geometry::Point c = geometry::pointOnCircle(oX, oY, radius, oppositeAngle);
    SegmentMark& auxiliary = marks.Line1[2];
    placeSegment(auxiliary, pX, pY, c.x, c.y);

    for (int i = 0; i < 5; ++i) {
        // The auxiliary diameter stays shown at its new place while "補助線" is ticked.
        if (i != 2 || Check4->value() == 0) marks.Line1[i].visible = false;
        marks.Line4[i].x1 = 1000;
        marks.Line4[i].x2 = 1000;
    }
    ClearTraces();
    UpdateReadouts();
    DrawFigure();
}

// The circle at a new radius (`before` the one it had) with every part that shows kept shown and placed
// anew: the chords, radii, marks, arc and readouts are those of the figure at this
// radius, as the boxes ticked again after LayoutFigure would make them.
void Form1::LayoutShownFigure(float before) {
    PlaceOnCircle();

    placeDot(marks.Shape4, pX, pY);

    const double oppositeAngle = angleP + 180;
    placeLetter(marks.Label2[0], geometry::letterCorner(oX, oY, radius, angleP, 40));
    placeLetter(marks.Label2[1], geometry::letterCorner(oX, oY, radius, angleA));
    placeLetter(marks.Label2[2], geometry::letterCorner(oX, oY, radius, angleB));
    placeLetter(marks.Label2[4], geometry::letterCorner(oX, oY, radius, oppositeAngle));
    const geometry::Point c = geometry::pointOnCircle(oX, oY, radius, oppositeAngle);
    placeSegment(marks.Line1[0], oX, oY, aX, aY);
    placeSegment(marks.Line1[1], oX, oY, bX, bY);
    placeSegment(marks.Line1[2], pX, pY, c.x, c.y);
    placeSegment(marks.Line1[3], pX, pY, aX, aY);
    placeSegment(marks.Line1[4], pX, pY, bX, bY);
    ScaleTraces(before);
    UpdateReadouts();
    DrawFigure();
}

void Form1::ClearTraces() {
    for (int i = 0; i < 10; ++i) {
        marks.Line5[i].x1 = 1100;
        marks.Line5[i].x2 = 1100;
        marks.Label3[i].left = 1200;
    }
    traceCount = 0;
}
