#include "lesson/lessonstate.h"

#include "app/form1.h"
#include "figure/geometry.h"
#include "figure/markplacement.h"

#include <QSignalBlocker>

#include <cmath>

using namespace placement;

namespace {

// A straight line taken off the figure waits right of the drawing area, as do free
// trace slots; the widget paints nothing of them.
constexpr float kParkedLineX = 1000;
constexpr float kFreeTraceX = 1100;

std::array<CheckBox*, LessonState::kBoxCount> boxesOf(const Form1& f) {
    return {f.Check6, f.Check7, f.Check2[1], f.Check8,    f.Check2[0], f.Check5,    f.Check4,
            f.Check9, f.Check3, f.Check1[0], f.Check1[1], f.Check1[2], f.Check1[3], f.Check1[4]};
}

template <size_t N> int selectedOption(const std::array<OptionButton*, N>& options) {
    for (size_t i = 0; i < N; ++i)
        if (options[i]->isChecked()) return static_cast<int>(i);
    return 0;
}

template <size_t N> void setOptions(const std::array<OptionButton*, N>& options, int selected, bool enabled) {
    for (size_t i = 0; i < N; ++i) {
        const QSignalBlocker quiet(options[i]);
        if (static_cast<int>(i) == selected) options[i]->setChecked(true);
        options[i]->setEnabled(enabled);
    }
}

QPointF start(const SegmentMark& line) {
    return {line.x1, line.y1};
}

QPointF end(const SegmentMark& line) {
    return {line.x2, line.y2};
}

void placeSegment(SegmentMark& line, QPointF from, QPointF to) {
    placement::placeSegment(line, from.x(), from.y(), to.x(), to.y());
}

// The marks that follow the figure, placed as the layout, the drags and the boxes'
// handlers place them; only their showing is read from the boxes.
void placeFigureMarks(Form1& f, const LessonState& s) {
    CanvasMarks& m = f.marks;
    const auto ticked = [&](LessonState::Box box) { return s.boxes[box].ticked; };
    m.Shape2.top = geometry::toSingle(f.oY - f.radius);
    m.Shape2.left = geometry::toSingle(f.oX - f.radius);
    m.Shape2.width = 2 * f.radius;
    m.Shape2.height = 2 * f.radius;
    m.Shape3.left = f.handleX;
    m.Shape3.top = f.handleY;

    placeDot(m.Shape4, f.pX, f.pY);
    m.Shape4.visible = s.pDotShown;
    placeDot(m.Shape5, f.oX, f.oY);
    m.Shape5.visible = !ticked(LessonState::AngleAOB);
    placeDot(m.Shape6[0], f.aX, f.aY);
    placeDot(m.Shape6[1], f.bX, f.bY);
    const bool endDots = !ticked(LessonState::AngleAPB) && !ticked(LessonState::AngleAOB);
    m.Shape6[0].visible = m.Shape6[1].visible = endDots;

    m.Label2[0].left = geometry::toSingle(s.pLetter.x());
    m.Label2[0].top = geometry::toSingle(s.pLetter.y());
    m.Label2[0].visible = ticked(LessonState::PointP);
    placeLetter(m.Label2[1], geometry::letterCorner(f.oX, f.oY, f.radius, f.angleA));
    placeLetter(m.Label2[2], geometry::letterCorner(f.oX, f.oY, f.radius, f.angleB));
    m.Label2[3].left = geometry::toSingle(f.oX - 53);
    m.Label2[3].top = geometry::toSingle(f.oY - 20);
    const double opposite = f.angleP + 180;
    placeLetter(m.Label2[4], geometry::letterCorner(f.oX, f.oY, f.radius, opposite));
    m.Label2[4].visible = ticked(LessonState::AuxiliaryLine);

    const geometry::Point c = geometry::pointOnCircle(f.oX, f.oY, f.radius, opposite);
    placement::placeSegment(m.Line1[0], f.oX, f.oY, f.aX, f.aY);
    placement::placeSegment(m.Line1[1], f.oX, f.oY, f.bX, f.bY);
    placement::placeSegment(m.Line1[2], f.pX, f.pY, c.x, c.y);
    placement::placeSegment(m.Line1[3], f.pX, f.pY, f.aX, f.aY);
    placement::placeSegment(m.Line1[4], f.pX, f.pY, f.bX, f.bY);
    m.Line1[0].visible = m.Line1[1].visible = ticked(LessonState::AngleAOB);
    m.Line1[2].visible = ticked(LessonState::AuxiliaryLine);
    m.Line1[3].visible = m.Line1[4].visible = ticked(LessonState::AngleAPB);
}

void placeLinesAndTraces(Form1& f, const LessonState& s) {
    CanvasMarks& m = f.marks;
    for (SegmentMark& line : m.Line2) line.visible = s.gridShown;
    for (SegmentMark& line : m.Line3) line.visible = s.gridShown;
    for (int i = 0; i < 5; ++i) {
        const LessonState::StraightLine& line = s.lines[i];
        SegmentMark& mark = m.Line4[i];
        placeSegment(mark, line.from, line.to);
        if (!line.shown) mark.x1 = mark.x2 = kParkedLineX;
        mark.colour = QColor::fromRgb(line.colour);
    }
    for (int k = 0; k < 5; ++k) {
        SegmentMark& toA = m.Line5[2 * k];
        SegmentMark& toB = m.Line5[2 * k + 1];
        LetterMark& letter = m.Label3[k];
        LetterMark& number = m.Label3[k + 5];
        if (k < s.traceCount) {
            const LessonState::Trace& trace = s.traces[k];
            placeSegment(toA, trace.p, trace.a);
            placeSegment(toB, trace.p, trace.b);
            letter.left = geometry::toSingle(trace.letter.x());
            letter.top = geometry::toSingle(trace.letter.y());
            number.left = letter.left + 16;
            number.top = letter.top + 16;
        } else {
            toA.x1 = toA.x2 = toB.x1 = toB.x2 = kFreeTraceX;
            letter.left = number.left = kFreeTraceX;
        }
    }
    // The eraser ring stands at the pointer; it shows while an eraser is the pen.
    const bool eraser = s.memoMode && (s.penOption == 3 || s.penOption == 7);
    if (eraser) m.Shape1.width = 15;
    m.Shape1.left = geometry::toSingle(s.pointer.x() - m.Shape1.width / 2.0);
    m.Shape1.top = geometry::toSingle(s.pointer.y() - m.Shape1.height / 2.0);
    m.Shape1.visible = eraser;
}

} // namespace

bool LessonState::operator==(const LessonState& other) const {
    return radius == other.radius && angleA == other.angleA && angleB == other.angleB &&
           angleP == other.angleP && p == other.p && pLetter == other.pLetter &&
           pDotShown == other.pDotShown && directionPA == other.directionPA &&
           directionPB == other.directionPB && boxes == other.boxes && penOption == other.penOption &&
           pensEnabled == other.pensEnabled && colourOption == other.colourOption &&
           coloursEnabled == other.coloursEnabled && memoMode == other.memoMode &&
           lineMode == other.lineMode && lineSlot == other.lineSlot && penColour == other.penColour &&
           penWidth == other.penWidth && lineColour == other.lineColour && pointer == other.pointer &&
           keyTarget == other.keyTarget && gridShown == other.gridShown && lines == other.lines &&
           traceCount == other.traceCount &&
           std::equal(traces.begin(), traces.begin() + std::clamp(traceCount, 0, 5), other.traces.begin()) &&
           picture == other.picture;
}

bool SameLesson(const LessonState& a, LessonState b) {
    b.pointer = a.pointer;
    b.keyTarget = a.keyTarget;
    return a == b;
}

LessonState CaptureLesson(const Form1& f) {
    LessonState s;
    const CanvasMarks& m = f.marks;
    s.radius = f.radius;
    s.angleA = f.angleA;
    s.angleB = f.angleB;
    s.angleP = f.angleP;
    s.p = {f.pX, f.pY};
    s.pLetter = {m.Label2[0].left, m.Label2[0].top};
    s.pDotShown = m.Shape4.visible;
    s.directionPA = f.dirPA;
    s.directionPB = f.dirPB;

    const auto boxes = boxesOf(f);
    for (int i = 0; i < LessonState::kBoxCount; ++i)
        s.boxes[i] = {boxes[i]->value() != 0, boxes[i]->isEnabled()};
    s.penOption = selectedOption(f.Option1);
    s.pensEnabled = f.Option1[0]->isEnabled();
    s.colourOption = selectedOption(f.Option2);
    s.coloursEnabled = f.Option2[0]->isEnabled();

    s.memoMode = f.memoMode != 0;
    s.lineMode = f.lineMode != 0;
    s.lineSlot = f.lineSlot;
    s.penColour = f.penColour;
    s.penWidth = f.gamen.penWidth();
    s.lineColour = f.lineColour;
    s.pointer = {m.Shape1.left + m.Shape1.width / 2.0, m.Shape1.top + m.Shape1.height / 2.0};
    s.keyTarget = f.keyTarget;

    s.gridShown = f.gridShown != 0;
    for (int i = 0; i < 5; ++i) {
        const SegmentMark& mark = m.Line4[i];
        s.lines[i] = {!(mark.x1 == kParkedLineX && mark.x2 == kParkedLineX), start(mark), end(mark),
                      mark.colour.rgb()};
    }
    s.traceCount = std::clamp<int>(f.traceCount, 0, 5);
    for (int k = 0; k < s.traceCount; ++k) {
        s.traces[k] = {start(m.Line5[2 * k]), end(m.Line5[2 * k]), end(m.Line5[2 * k + 1]),
                       QPointF(m.Label3[k].left, m.Label3[k].top)};
    }
    s.picture = f.gamen.image();
    return s;
}

void ApplyLesson(Form1& f, const LessonState& s) {
    const auto boxes = boxesOf(f);
    for (int i = 0; i < LessonState::kBoxCount; ++i) {
        const QSignalBlocker quiet(boxes[i]);
        boxes[i]->setValue(s.boxes[i].ticked ? 1 : 0);
        boxes[i]->setEnabled(s.boxes[i].enabled);
    }
    setOptions(f.Option1, s.penOption, s.pensEnabled);
    setOptions(f.Option2, s.colourOption, s.coloursEnabled);

    // The radius as the handle gives it: the handle's x less O's.
    f.handleX = s.radius + static_cast<float>(f.oX);
    f.radius = std::abs(f.handleX - static_cast<float>(f.oX));
    f.handleY = f.radius + static_cast<float>(f.oY);
    f.angleA = s.angleA;
    f.angleB = s.angleB;
    f.angleP = s.angleP;
    const geometry::Point a = geometry::pointOnCircle(f.oX, f.oY, f.radius, f.angleA);
    const geometry::Point b = geometry::pointOnCircle(f.oX, f.oY, f.radius, f.angleB);
    f.aX = a.x;
    f.aY = a.y;
    f.bX = b.x;
    f.bY = b.y;
    f.pX = s.p.x();
    f.pY = s.p.y();
    f.dirPA = s.directionPA;
    f.dirPB = s.directionPB;

    f.memoMode = s.memoMode ? 1 : 0;
    f.lineMode = s.lineMode ? 1 : 0;
    f.lineSlot = s.lineSlot;
    f.penColour = s.penColour;
    f.lineColour = s.lineColour;
    f.gridShown = s.gridShown ? 1 : 0;
    f.traceCount = static_cast<std::int16_t>(std::clamp(s.traceCount, 0, 5));
    f.keyTarget = static_cast<std::int16_t>(s.keyTarget);
    // Nothing is held: the next press starts afresh.
    f.dragTarget = 0;
    f.penDown = 0;
    f.lineDragging = 0;
    f.lastX = geometry::toSingle(s.pointer.x());
    f.lastY = geometry::toSingle(s.pointer.y());

    placeFigureMarks(f, s);
    placeLinesAndTraces(f, s);
    f.Command3->setBoldCaption(s.memoMode);
    f.Command4->setBoldCaption(s.gridShown);
    f.Command5->setBoldCaption(s.lineMode);
    for (int i = 0; i < 2; ++i) {
        const bool shown = f.Check2[i]->value() != 0;
        f.Label5[i]->setVisible(shown);
        f.Label6[i]->setVisible(shown);
    }
    f.UpdateReadouts();

    f.gamen.restore(s.picture);
    f.gamen.setPenWidth(s.penWidth);
    f.gamenView->update();
}
