#include "app/form1.h"

namespace {
constexpr int kLineColours[4] = {12, 10, 9, 0}; // red, green, blue, black
}

void Form1::Command5_Click() {}

void Form1::Option2_Click(int index) {
    if (index < 0 || index >= 4) return;
    marks.Shape1.visible = false;
    lineColour = kLineColours[index];
}

void Form1::Check1_Click(int) {}
void Form1::ToolPress(float, float) {}
void Form1::ToolMove(float, float) {}
void Form1::ToolRelease(float, float) {}
