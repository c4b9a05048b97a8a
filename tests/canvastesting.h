#pragma once
// Helpers shared by the canvas tests: strokes through the pointer handlers and
// reading pixels of the drawing and of the widget that shows the marks.
#include "app/form1.h"

#include <QImage>

namespace canvastesting {

// A left-button press at (x1, y1), a movement to (x2, y2) and the release there.
inline void pull(Form1& form, float x1, float y1, float x2, float y2) {
    form.gamen_MouseDown(1, 0, x1, y1);
    form.gamen_MouseMove(1, 0, x2, y2);
    form.gamen_MouseUp(1, 0, x2, y2);
}

// The canvas widget as it shows now, drawing and marks together.
inline QImage view(Form1& form) {
    return form.gamenView->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The colour of canvas pixel (x, y) as the widget shows it.
inline QRgb shown(const QImage& view, int x, int y) {
    return view.pixel(x + CanvasWidget::kDrawingOffset, y + CanvasWidget::kDrawingOffset);
}

// Length of the run of `colour` through (x, y) along the column x.
inline int runDown(const Canvas& canvas, int x, int y, QRgb colour) {
    if (canvas.pixel(x, y) != colour) return 0;
    int top = y, bottom = y;
    while (top > 0 && canvas.pixel(x, top - 1) == colour) --top;
    while (bottom + 1 < Canvas::kHeight && canvas.pixel(x, bottom + 1) == colour) ++bottom;
    return bottom - top + 1;
}

} // namespace canvastesting
