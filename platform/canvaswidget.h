#pragma once
#include <QFrame>
#include <QRectF>

#include <functional>
#include <optional>

class Canvas;
struct CanvasMarks;

// Shows the canvas drawing with the marks above it in a sunken frame, and turns
// Qt's mouse events into canvas-pixel pointer events (left 1, right 2, middle 4).
// It takes the keyboard focus by Tab or a click and hands the keys to the window.
class CanvasWidget : public QFrame {
    Q_OBJECT
  public:
    // Offset of the drawing area's origin inside the frame.
    static constexpr int kDrawingOffset = 2;

    CanvasWidget(const Canvas& canvas, const CanvasMarks& marks, QWidget* parent = nullptr);

    // While printing, the name label is painted black so that it shows on the page.
    void setPrinting(bool printing) { printing_ = printing; }

    // Keys pressed while the area has focus, with the same shift code as the pointer
    // events; the handler returns whether it used the key. Tab and Shift+Tab come here
    // first too: a key the handler leaves moves the focus on as usual.
    void setKeyHandler(std::function<bool(int key, int shift)> handler) { keyHandler_ = std::move(handler); }
    // The box, in canvas pixels, of the ring that shows what the keys move; painted
    // above everything while the area has focus, never on a page.
    void setFocusRing(std::function<std::optional<QRectF>()> ring) { focusRing_ = std::move(ring); }

  signals:
    void pointerPressed(int button, int shift, float x, float y);
    void pointerMoved(int button, int shift, float x, float y);
    void pointerReleased(int button, int shift, float x, float y);
    // The area got (true) or lost the focus; `reason` is the Qt::FocusReason.
    void focusChanged(bool in, int reason);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    const Canvas& canvas_;
    const CanvasMarks& marks_;
    bool printing_ = false;
    std::function<bool(int, int)> keyHandler_;
    std::function<std::optional<QRectF>()> focusRing_;
};
