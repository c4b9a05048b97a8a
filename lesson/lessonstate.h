#pragma once
#include <QImage>
#include <QPointF>
#include <QRgb>

#include <array>
#include <cstdint>

class Form1;

// Everything a lesson needs to come back exactly as it was left: the figure by its
// angles and P's place, every box and option, the tools, the grid, the straight lines,
// the traces and the canvas picture. Marks that always follow the figure (dots, radii,
// chords, letters of A and B) are placed again from these values; only what depends on
// the order of past clicks is kept outright. A plain value: copies share the picture.
struct LessonState {
    // The check boxes, in the order of the panel.
    enum Box {
        PointP,           // "点Ｐ"
        AngleAPB,         // "∠ＡＰＢ"
        InscribedReadout, // "円周角"
        AngleAOB,         // "∠ＡＯＢ"
        CentralReadout,   // "中心角"
        ArcAB,            // "弧ＡＢ"
        AuxiliaryLine,    // "補助線"
        OnCircle,         // "円周上"
        NonClear,         // "nonClear"
        Line1,            // straight-line boxes "1".."5"
        Line2,
        Line3,
        Line4,
        Line5,
        kBoxCount
    };
    struct BoxState {
        bool ticked = false;
        bool enabled = true;
        bool operator==(const BoxState&) const = default;
    };
    struct StraightLine {
        bool shown = false; // false: parked off the drawing area
        QPointF from, to;
        QRgb colour = 0xffff0000;
        bool operator==(const StraightLine&) const = default;
    };
    // A kept position of P: chords from P to A and to B, and the letter "Ｐ" with its number.
    struct Trace {
        QPointF p, a, b;
        QPointF letter; // top-left corner of the letter
        bool operator==(const Trace&) const = default;
    };

    // The figure.
    float radius = 250;
    double angleA = 220, angleB = 320, angleP = 110;
    QPointF p;              // where P stands, on the circle or free
    QPointF pLetter;        // top-left corner of the letter "Ｐ"
    bool pDotShown = false; // the dot of P (its showing depends on the order of clicks)
    int directionPA = 0;    // the directions from P, kept while P stands on A or B
    float directionPB = 0;

    std::array<BoxState, kBoxCount> boxes{};
    // Option buttons: the pen rows 0..7 and the line colours 0..3, with whether each
    // group can be chosen now.
    int penOption = 0;
    bool pensEnabled = false;
    int colourOption = 0;
    bool coloursEnabled = false;

    // The tools.
    bool memoMode = false;
    bool lineMode = false;
    int lineSlot = 0;   // 1..5: slot of the next straight line; 0 none
    int penColour = 12; // palette index of the memo ink
    int penWidth = 3;   // the canvas pen, as the pen row or the last drawing left it
    int lineColour = 15;
    QPointF pointer;   // latest pointer position: the eraser ring stands there
    int keyTarget = 0; // what the arrow keys move: 0 none, 1 P, 2 A, 3 B, 4 radius

    bool gridShown = false;
    std::array<StraightLine, 5> lines{};
    int traceCount = 0;
    std::array<Trace, 5> traces{};

    // The canvas drawing, 875 x 625: the figure's fills, memo writing, nonClear fans.
    QImage picture;

    bool operator==(const LessonState& other) const;
};

// Whether `a` and `b` show the pupil the same lesson: where the pointer stands and which
// handle the arrow keys move are no part of it (a hover or a Tab is not a change).
bool SameLesson(const LessonState& a, LessonState b);

// The window's lesson as it stands.
LessonState CaptureLesson(const Form1& form);
// Puts `state` on the window as it was captured: values are set without running the
// click handlers (nothing is cleared, nothing cascades), the marks are placed again
// and the picture is put back. A press in progress is let go.
void ApplyLesson(Form1& form, const LessonState& state);
