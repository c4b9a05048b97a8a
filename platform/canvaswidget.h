#pragma once
#include <QFrame>

class Canvas;
struct CanvasMarks;

// Shows the canvas drawing with the marks above it in a sunken frame, and turns
// Qt's mouse events into canvas-pixel pointer events (left 1, right 2, middle 4).
class CanvasWidget : public QFrame {
    Q_OBJECT
  public:
    // Offset of the drawing area's origin inside the frame.
    static constexpr int kDrawingOffset = 2;

    CanvasWidget(const Canvas& canvas, const CanvasMarks& marks, QWidget* parent = nullptr);

    // While printing, the name label is painted black so that it shows on the page.
    void setPrinting(bool printing) { printing_ = printing; }

  signals:
    void pointerPressed(int button, int shift, float x, float y);
    void pointerMoved(int button, int shift, float x, float y);
    void pointerReleased(int button, int shift, float x, float y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const Canvas& canvas_;
    const CanvasMarks& marks_;
    bool printing_ = false;
};
