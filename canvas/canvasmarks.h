#pragma once
#include "canvas/marks.h"

#include <array>
#include <vector>

// Every mark of the canvas, named as the figure routines know them. The canvas
// widget paints them in layers; the window's routines move, show and hide them.
struct CanvasMarks {
    RingMark Shape1;                   // eraser ring following the pointer
    RingMark Shape2;                   // the circle of the figure
    SquareMark Shape3;                 // radius handle
    DotMark Shape4;                    // point P
    DotMark Shape5;                    // centre O
    std::array<DotMark, 2> Shape6;     // points A and B
    std::array<LetterMark, 5> Label2;  // "Ｐ", "Ａ", "Ｂ", "O", "Ｃ"
    std::array<LetterMark, 10> Label3; // trace letters 0..4, trace numbers 5..9
    LetterMark Label7;                 // the pupil's name, for the printout
    std::array<SegmentMark, 5> Line1;  // radii OA, OB; auxiliary diameter; chords PA, PB
    std::vector<SegmentMark> Line2;    // horizontal grid lines
    std::vector<SegmentMark> Line3;    // vertical grid lines
    std::array<SegmentMark, 5> Line4;  // straight lines of the line tool
    std::array<SegmentMark, 10> Line5; // chords of the kept traces

    CanvasMarks();
};
