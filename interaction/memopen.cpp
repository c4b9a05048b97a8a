#include "app/form1.h"

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

} // namespace

void Form1::Command3_Click() {}

void Form1::Option1_Click(int index) {
    if (index < 0 || index >= 8) return;
    marks.Shape1.visible = false;
    const PenRow& row = kPenRows[index];
    penColour = row.colour;
    gamen.setPenWidth(row.width);
    if (row.eraser) {
        marks.Shape1.visible = true;
        marks.Shape1.width = 15;
    }
}

void Form1::MoveEraserRing(float, float) {}
