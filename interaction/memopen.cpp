#include "app/form1.h"

#include "canvas/palette.h"

namespace {

// The pen buttons' rows: ink colour and pen width; the erasers show the ring.
struct PenRow {
    int colour;
    int width;
    bool eraser;
};
constexpr PenRow kPenRows[8] = {
    {12, 3, false}, {10, 3, false}, {9, 3, false}, {15, 15, true}, // thin
    {12, 6, false}, {10, 6, false}, {9, 6, false}, {15, 20, true}, // thick
};

// The ring shows the eraser's reach at the pointer; it is the same for both erasers.
constexpr float kEraserRingWidth = 15;

} // namespace

void Form1::Command3_Click() {
    if (memoMode == 0) {
        for (OptionButton* pen : Option1) pen->setEnabled(true);
        for (OptionButton* colour : Option2) colour->setEnabled(false);
        // Always the thin red row, even when it was the selected button already.
        Option1[0]->select();
        memoMode = 1;
        Command3->setBoldCaption(true);
        Command5->setBoldCaption(false);
    } else {
        for (OptionButton* pen : Option1) pen->setEnabled(false);
        memoMode = 0;
        Command3->setBoldCaption(false);
        marks.Shape1.visible = false;
    }
    // A press left over from the other tool must not write or pull anything.
    penDown = 0;
    lineDragging = 0;
    lineMode = 0;
}

void Form1::Option1_Click(int index) {
    if (index < 0 || index >= 8) return;
    marks.Shape1.visible = false;
    const PenRow& row = kPenRows[index];
    penColour = row.colour;
    gamen.setPenWidth(row.width);
    if (row.eraser) {
        marks.Shape1.visible = true;
        marks.Shape1.width = kEraserRingWidth;
    }
}

// The ring follows the pointer in every mode, shown or not, so that it appears at
// the right place the moment an eraser is chosen.
void Form1::MoveEraserRing(float x, float y) {
    marks.Shape1.top = y - marks.Shape1.height / 2;
    marks.Shape1.left = x - marks.Shape1.width / 2;
}

// The memo steps of the pointer handlers; the line steps are in straightlines.cpp.
void Form1::ToolPress(float x, float y) {
    if (memoMode == 1) {
        penDown = 1;
        // A click without movement leaves a dot of the pen's width.
        gamen.segment(x, y, x, y, palette::rgb(penColour));
    }
    if (lineMode == 1) StartStraightLine(x, y);
}

void Form1::ToolMove(float x, float y) {
    if (memoMode == 1 && penDown == 1) gamen.segment(lastX, lastY, x, y, palette::rgb(penColour));
    if (lineMode == 1 && lineDragging == 1) PullStraightLine(x, y);
}

void Form1::ToolRelease(float x, float y) {
    if (memoMode == 1 && penDown == 1) penDown = 0;
    if (lineMode == 1 && lineDragging == 1) FinishStraightLine(x, y);
}
