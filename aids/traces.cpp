#include "app/form1.h"

#include "figure/geometry.h"
#include "figure/markplacement.h"

#include <cmath>

using geometry::toSingle;

namespace {

constexpr int kTraceSlots = 5;
constexpr float kFreeSlot = 1100; // x beyond the right edge of the drawing area

} // namespace

// The traces follow the circle from radius `from` to the present one: a trace taken on
// the circle stays on it at its angle, with its letter by the circle; one of a free P
// keeps its direction from O and its share of the radius. Both stay chords to A and B.
void Form1::ScaleTraces(float from) {
    if (!(from > 0)) return;
    const double share = radius / static_cast<double>(from);
    for (int k = 0; k < traceCount && k < kTraceSlots; ++k) {
        SegmentMark& toA = marks.Line5[2 * k];
        SegmentMark& toB = marks.Line5[2 * k + 1];
        const double dx = toA.x1 - oX, dy = oY - toA.y1;
        const double distance = std::hypot(dx, dy);
        // The angle in the figure's own degrees, so that pointOnCircle gives it back.
        const double angle = geometry::toDegrees(std::atan2(dy, dx));
        const bool onCircle = std::abs(distance - from) < 0.01;
        const float reach = onCircle ? radius : toSingle(distance * share);
        const geometry::Point at = geometry::pointOnCircle(oX, oY, reach, angle);
        placement::placeSegment(toA, at.x, at.y, aX, aY);
        placement::placeSegment(toB, at.x, at.y, bX, bY);
        LetterMark& letter = marks.Label3[k];
        if (onCircle) {
            placement::placeLetter(letter, geometry::letterCorner(oX, oY, radius, angle, 40));
        } else {
            letter.left = toSingle(at.x - 6);
            letter.top = toSingle(at.y - 45);
        }
        marks.Label3[k + kTraceSlots].left = letter.left + 16;
        marks.Label3[k + kTraceSlots].top = letter.top + 16;
    }
}

// Index 0 keeps the current angle at P as a trace; any other index erases the
// newest one. Traces are copies: later drags do not move them.
void Form1::Command7_Click(int index) {
    if (index == 0) {
        if (traceCount >= kTraceSlots || traceCount < 0) return;
        const int k = traceCount;
        SegmentMark& toA = marks.Line5[2 * k];
        SegmentMark& toB = marks.Line5[2 * k + 1];
        placement::placeSegment(toA, pX, pY, aX, aY);
        placement::placeSegment(toB, pX, pY, bX, bY);

        LetterMark& letter = marks.Label3[k];
        if (Check9->value() != 0) {
            const geometry::Point corner = geometry::letterCorner(oX, oY, radius, angleP, 40);
            placement::placeLetter(letter, corner);
        } else {
            // A free P has no place by the circle: the letter stands just above it.
            letter.left = toSingle(pX - 6);
            letter.top = toSingle(pY - 45);
        }
        LetterMark& number = marks.Label3[k + kTraceSlots];
        number.left = letter.left + 16;
        number.top = letter.top + 16;
        traceCount = static_cast<std::int16_t>(k + 1);
        return;
    }
    if (traceCount <= 0 || traceCount > kTraceSlots) return;
    const int n = traceCount;
    for (SegmentMark* chord : {&marks.Line5[2 * n - 2], &marks.Line5[2 * n - 1]}) {
        chord->x1 = kFreeSlot;
        chord->x2 = kFreeSlot;
    }
    marks.Label3[n - 1].left = kFreeSlot;
    marks.Label3[n + 4].left = kFreeSlot;
    traceCount = static_cast<std::int16_t>(n - 1);
}
