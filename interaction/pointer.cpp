#include "app/form1.h"

// The three canvas handlers. Figure mode drags the figure; the memo pen and the
// straight-line tool take the same events while one of them is on.

void Form1::gamen_MouseDown(int button, int shift, float x, float y) {
    (void)shift;
    if (button == 1 && figureMode()) PickHandle(x, y);
    if (button == 1 && !figureMode()) ToolPress(x, y);
    if (button == 2) {
        gamen.clear();
        DrawFigure();
    }
    lastX = x;
    lastY = y;
}

void Form1::gamen_MouseMove(int button, int shift, float x, float y) {
    (void)button;
    (void)shift;
    MoveEraserRing(x, y);
    if (figureMode()) {
        DragFigure(x, y);
    } else {
        ToolMove(x, y);
    }
    lastX = x;
    lastY = y;
}

void Form1::gamen_MouseUp(int button, int shift, float x, float y) {
    (void)button;
    (void)shift;
    // Any release ends a drag of the figure, also when a tool was switched on
    // while the button was held: otherwise the next plain movement after the tool
    // is switched off would still drag.
    dragTarget = 0;
    if (!figureMode()) ToolRelease(x, y);
}

// A movement shows only while something follows the pointer: a dragged handle, the
// memo pen, a straight line being pulled or the eraser ring.
bool Form1::MoveChangesView() const {
    if (marks.Shape1.visible) return true;
    if (figureMode()) return dragTarget != 0;
    return penDown == 1 || lineDragging == 1;
}
