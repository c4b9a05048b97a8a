#include "app/form1.h"

#include "figure/geometry.h"
#include "figure/markplacement.h"

using geometry::toSingle;

namespace {

constexpr int kTraceSlots = 5;
constexpr float kFreeSlot = 1100; // x beyond the right edge of the drawing area

} // namespace

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
