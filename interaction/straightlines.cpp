#include "app/form1.h"

#include "canvas/palette.h"

namespace {
constexpr int kLineColours[4] = {12, 10, 9, 0}; // red, green, blue, black
// A line taken off the figure waits right of the 875-pixel drawing area.
constexpr float kParkedX = 1000;

// Number (1..5) of the first slot whose box is unticked; 0 when all are used.
int firstFreeSlot(const std::array<CheckBox*, 5>& boxes) {
    for (int i = 0; i < 5; ++i) {
        if (boxes[i]->value() == 0) return i + 1;
    }
    return 0;
}
} // namespace

void Form1::Command5_Click() {
    if (lineMode == 0) {
        lineSlot = firstFreeSlot(Check1);
        // With all five lines drawn the tool stays off, and a memo pen stays on.
        if (lineSlot == 0) return;
        for (OptionButton* colour : Option2) colour->setEnabled(true);
        for (OptionButton* pen : Option1) pen->setEnabled(false);
        Option2[0]->select();
        lineMode = 1;
        Command5->setBoldCaption(true);
        Command3->setBoldCaption(false);
        marks.Shape1.visible = false;
        memoMode = 0;
        penDown = 0;
    } else {
        for (OptionButton* colour : Option2) colour->setEnabled(false);
        lineMode = 0;
        lineDragging = 0;
        Command5->setBoldCaption(false);
    }
}

void Form1::Option2_Click(int index) {
    if (index < 0 || index >= 4) return;
    marks.Shape1.visible = false;
    lineColour = kLineColours[index];
}

// Unticking a box takes its line off the figure; ticking one by hand only uses the slot.
void Form1::Check1_Click(int index) {
    if (index < 0 || index >= 5 || Check1[index]->value() != 0) return;
    marks.Line4[index].x1 = kParkedX;
    marks.Line4[index].x2 = kParkedX;
}

void Form1::StartStraightLine(float x, float y) {
    if (lineSlot < 1 || lineSlot > 5) return;
    lineDragging = 1;
    SegmentMark& line = marks.Line4[lineSlot - 1];
    line.colour = palette::colour(lineColour);
    line.x1 = x;
    line.y1 = y;
    line.x2 = x;
    line.y2 = y;
}

void Form1::PullStraightLine(float x, float y) {
    SegmentMark& line = marks.Line4[lineSlot - 1];
    line.x2 = x;
    line.y2 = y;
}

void Form1::FinishStraightLine(float x, float y) {
    PullStraightLine(x, y);
    Check1[lineSlot - 1]->setValue(1);
    lineDragging = 0;
    lineSlot = firstFreeSlot(Check1);
    // The fifth line used the last slot: the tool switches itself off.
    if (lineSlot == 0) Command5_Click();
}
