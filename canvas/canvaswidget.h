#pragma once
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QLineF>
#include <QRect>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

class Canvas;
struct CanvasMarks;
struct LetterMark;
struct RingMark;
struct SegmentMark;

// Shows the canvas drawing with the marks above it in a sunken frame, and turns
// Qt's mouse events into canvas-pixel pointer events (left 1, right 2, middle 4).
// It takes the keyboard focus by Tab or a click and hands the keys to the window.
// At a zoom other than 1 the drawing is scaled up and the marks are painted at the
// screen's own resolution; pointer positions are turned back into canvas pixels.
class CanvasWidget : public QFrame {
    Q_OBJECT
  public:
    // Offset of the drawing area's origin inside the frame, at zoom 1.
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

    // The window's zoom; the frame grows with it. Geometry is the window's business.
    void setZoom(double factor);
    double zoom() const { return zoom_; }
    // Offset of the drawing area's origin inside the widget, in widget pixels.
    int drawingOffset() const { return lineWidth(); }
    // Repaints the drawing and the marks after they changed; the frame stays.
    void refresh();
    // The canvas point under a widget position.
    QPointF toCanvas(QPointF widgetPosition) const;
    // Whether the latest press came from a finger rather than a mouse or pen.
    bool pressedByTouch() const { return pressedByTouch_; }
    // Canvas pixels that measure `millimetres` on the screen at the present zoom.
    double canvasPixels(double millimetres) const;

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
    // What painting a letter needs from its caption and font, kept between paints.
    struct LetterLook {
        QString caption;
        QFont font;
        qreal width = 0, height = 0, ascent = 0;
    };
    const LetterLook& lookOf(const LetterMark& mark);
    // A ring stroked once, kept while its size, colour and place in the pixel grid stay.
    struct RingSprite {
        QImage image;
        QPointF phase;
        double radius = 0, m11 = 0, m22 = 0;
        int width = 0;
        QColor colour;
    };
    void paintRing(QPainter& painter, const RingMark& mark, RingSprite& sprite);
    void paintLetter(QPainter& painter, const LetterMark& mark, QColor text);

    const Canvas& canvas_;
    const CanvasMarks& marks_;
    bool printing_ = false;
    std::function<bool(int, int)> keyHandler_;
    std::function<std::optional<QRectF>()> focusRing_;
    double zoom_ = 1;
    bool pressedByTouch_ = false;
    std::unordered_map<const LetterMark*, LetterLook> letterLooks_;
    RingSprite figureRing_, eraserRing_;
    // Segments waiting to be painted together: lines of one look, or thin lines along
    // an axis as boxes of widget pixels.
    struct SegmentRun {
        std::vector<QLineF> lines;
        std::vector<QRect> boxes;
        const SegmentMark* look = nullptr;
    };
    template <typename Segments> void paintSegments(QPainter& painter, const Segments& marks);
    SegmentRun segmentRun_;
};
