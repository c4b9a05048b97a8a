#pragma once
// Placing marks at figure coordinates: every coordinate handed to a mark is
// converted to single precision.
#include "canvas/marks.h"
#include "figure/geometry.h"

namespace placement {

// A 9 x 9 dot centred on its point: its box starts 5 pixels left of and above it.
inline void placeDot(DotMark& dot, double x, double y) {
    dot.left = geometry::toSingle(x - 5);
    dot.top = geometry::toSingle(y - 5);
}

inline void placeLetter(LetterMark& letter, geometry::Point corner) {
    letter.left = geometry::toSingle(corner.x);
    letter.top = geometry::toSingle(corner.y);
}

inline void placeEnd1(SegmentMark& line, double x, double y) {
    line.x1 = geometry::toSingle(x);
    line.y1 = geometry::toSingle(y);
}

inline void placeEnd2(SegmentMark& line, double x, double y) {
    line.x2 = geometry::toSingle(x);
    line.y2 = geometry::toSingle(y);
}

inline void placeSegment(SegmentMark& line, double x1, double y1, double x2, double y2) {
    placeEnd1(line, x1, y1);
    placeEnd2(line, x2, y2);
}

} // namespace placement
