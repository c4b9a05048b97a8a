#include "app/form1.h"

#include "figure/geometry.h"
#include "figure/markplacement.h"

#include <algorithm>
#include <cmath>

using geometry::kInnerRadius;
using geometry::kMinimumArc;
using geometry::kOuterRadius;
using geometry::toSingle;
using namespace placement;

namespace {

constexpr float kPointReach = 50;  // half the side of the pick box of P, A and B
constexpr float kHandleReach = 20; // half the side of the pick box of the radius handle
// A finger covers about a centimetre: a touch this far from a handle still takes it.
constexpr double kFingerReachMm = 10;

bool within(double x, double y, double centreX, double centreY, double reach) {
    return std::abs(x - centreX) <= reach && std::abs(y - centreY) <= reach;
}

} // namespace

// Every box is tested; where boxes overlap the later one wins, so the radius
// handle beats B, B beats A and A beats P. A finger's boxes reach at least a finger's
// width on the screen at any zoom; the mouse's stay as they are.
void Form1::PickHandle(float x, float y) {
    double pointReach = kPointReach;
    double handleReach = kHandleReach;
    if (gamenView->pressedByTouch()) {
        const double finger = gamenView->canvasPixels(kFingerReachMm);
        pointReach = std::max(pointReach, finger);
        handleReach = std::max(handleReach, finger);
    }
    dragTarget = 0;
    if (within(x, y, pX, pY, pointReach)) dragTarget = 1;
    if (within(x, y, aX, aY, pointReach)) dragTarget = 2;
    if (within(x, y, bX, bY, pointReach)) dragTarget = 3;
    if (within(x, y, handleX, handleY, handleReach)) dragTarget = 4;
}

void Form1::DragFigure(float x, float y) {
    // A pointer position that is not a number would spread into every coordinate.
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    MoveHandle(dragTarget, geometry::pointerAngle(oX, oY, x, y), x, y);
}

// One movement of a handle to the pointer angle `angle` at the pointer (x, y): the
// drags and the arrow keys both come here, so the limits and the redraw are the same.
void Form1::MoveHandle(int target, double angle, float x, float y, bool keepShown) {
    if (!std::isfinite(angle) || !std::isfinite(x) || !std::isfinite(y)) return;
    switch (target) {
    case 1: {
        angleP = angle;
        if (Check9->value() == 1) {
            const geometry::Point p = geometry::pointOnCircle(oX, oY, radius, angleP);
            pX = p.x;
            pY = p.y;
            placeLetter(marks.Label2[0], geometry::letterCorner(oX, oY, radius, angleP, 40));
            const double opposite = angleP + 180;
            placeLetter(marks.Label2[4], geometry::letterCorner(oX, oY, radius, opposite));
            const geometry::Point c = geometry::pointOnCircle(oX, oY, radius, opposite);
            placeEnd2(marks.Line1[2], c.x, c.y);
            placeEnd1(marks.Line1[2], pX, pY);
        } else {
            pX = x;
            pY = y;
            marks.Label2[0].left = toSingle(pX - 6);
            marks.Label2[0].top = toSingle(pY - 45);
        }
        placeEnd1(marks.Line1[3], pX, pY);
        placeEnd1(marks.Line1[4], pX, pY);
        if (Check3->value() == 0) gamen.clear();
        // The dot follows P whenever it may be shown: "点Ｐ" and unticking
        // "∠ＡＰＢ" can both show it, and a shown dot must stand at P.
        placeDot(marks.Shape4, pX, pY);
        UpdateReadouts();
        DrawFigure();
        break;
    }
    case 2: {
        // A stays above 0 degrees and at least 15 below B; outside that it keeps its place.
        if (angle > 0 && angle < angleB - kMinimumArc) angleA = angle;
        const geometry::Point a = geometry::pointOnCircle(oX, oY, radius, angleA);
        aX = a.x;
        aY = a.y;
        placeEnd2(marks.Line1[0], aX, aY);
        placeEnd2(marks.Line1[3], aX, aY);
        placeLetter(marks.Label2[1], geometry::letterCorner(oX, oY, radius, angleA));
        placeDot(marks.Shape6[0], aX, aY);
        if (Check3->value() == 0) gamen.clear();
        UpdateReadouts();
        DrawFigure();
        break;
    }
    case 3: {
        if (angle > angleA + kMinimumArc && angle < 360) angleB = angle;
        const geometry::Point b = geometry::pointOnCircle(oX, oY, radius, angleB);
        bX = b.x;
        bY = b.y;
        placeEnd2(marks.Line1[1], bX, bY);
        placeEnd2(marks.Line1[4], bX, bY);
        placeLetter(marks.Label2[2], geometry::letterCorner(oX, oY, radius, angleB));
        placeDot(marks.Shape6[1], bX, bY);
        if (Check3->value() == 0) gamen.clear();
        UpdateReadouts();
        DrawFigure();
        break;
    }
    case 4: {
        // Only the pointer's x counts: the handle runs along the diagonal from O.
        const double reach = static_cast<double>(x) - oX;
        if (!(reach > kInnerRadius && reach < kOuterRadius)) break;
        const float before = radius;
        handleX = x;
        radius = std::abs(handleX - static_cast<float>(oX));
        handleY = static_cast<float>(oY) + radius;
        if (keepShown) {
            LayoutShownFigure(before);
        } else {
            LayoutFigure();
        }
        break;
    }
    default:
        break;
    }
}
