#include "canvas/canvaswidget.h"

#include "canvas/canvas.h"
#include "canvas/canvasmarks.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QRegion>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

int buttonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

QPen segmentPen(const SegmentMark& mark) {
    return QPen(mark.colour, mark.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A thin line along an axis (the grid) in widget pixels. It covers whole canvas pixels
// from end to end, and it is as thick as the zoom rounded, wherever it lies: at a zoom
// such as 1.25 the grid lines all look alike.
QRect thinBox(const QTransform& toWidget, const SegmentMark& mark) {
    const QPointF from = toWidget.map(QPointF(std::min(mark.x1, mark.x2), std::min(mark.y1, mark.y2)));
    const QPointF to = toWidget.map(QPointF(std::max(mark.x1, mark.x2) + 1, std::max(mark.y1, mark.y2) + 1));
    const int thick = std::max(1, static_cast<int>(std::lround(toWidget.m11())));
    const int left = static_cast<int>(std::floor(from.x()));
    const int top = static_cast<int>(std::floor(from.y()));
    if (mark.y1 == mark.y2) return QRect(left, top, static_cast<int>(std::floor(to.x())) - left, thick);
    return QRect(left, top, thick, static_cast<int>(std::floor(to.y())) - top);
}

void paintDot(QPainter& painter, const DotMark& mark) {
    if (!mark.visible) return;
    painter.setPen(QPen(mark.outline, 1));
    painter.setBrush(mark.body);
    painter.drawEllipse(QRectF(mark.left, mark.top, mark.width - 1, mark.height - 1));
}

} // namespace

// Paints the visible segments in order. Runs of one look go to the painter together:
// the grid alone has 61 lines.
template <typename Segments> void CanvasWidget::paintSegments(QPainter& painter, const Segments& marks) {
    SegmentRun& run = segmentRun_;
    auto flush = [&] {
        if (!run.lines.empty()) {
            painter.setPen(segmentPen(*run.look));
            painter.drawLines(run.lines.data(), static_cast<int>(run.lines.size()));
        }
        if (!run.boxes.empty()) {
            painter.save();
            painter.resetTransform();
            for (const QRect& box : run.boxes) painter.fillRect(box, run.look->colour);
            painter.restore();
        }
        run.lines.clear();
        run.boxes.clear();
    };
    run.look = nullptr;
    for (const SegmentMark& mark : marks) {
        if (!mark.visible) continue;
        // Parked segments stand beyond the right edge: nothing of them shows.
        if (std::min(mark.x1, mark.x2) > Canvas::kWidth + mark.width) continue;
        if (mark.x1 == mark.x2 && mark.y1 == mark.y2) {
            // Qt paints nothing for a zero-length round-capped line; a line pulled
            // without moving still shows as a dot of its width.
            flush();
            painter.setPen(Qt::NoPen);
            painter.setBrush(mark.colour);
            const double half = mark.width / 2.0;
            painter.drawEllipse(QPointF(mark.x1, mark.y1), half, half);
            continue;
        }
        // A thin line along an axis covers whole pixels: filled as a box it is the
        // same at zoom 1 and stays sharp at any zoom.
        const bool thin = mark.width == 1 && (mark.x1 == mark.x2 || mark.y1 == mark.y2);
        if (run.look &&
            (run.look->colour != mark.colour || run.look->width != mark.width || thin != run.lines.empty()))
            flush();
        run.look = &mark;
        if (thin) {
            run.boxes.push_back(thinBox(painter.worldTransform(), mark));
        } else {
            run.lines.emplace_back(mark.x1, mark.y1, mark.x2, mark.y2);
        }
    }
    flush();
}

CanvasWidget::CanvasWidget(const Canvas& canvas, const CanvasMarks& marks, QWidget* parent)
    : QFrame(parent), canvas_(canvas), marks_(marks) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kDrawingOffset);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::setZoom(double factor) {
    zoom_ = factor;
    setLineWidth(std::max(1, static_cast<int>(std::lround(kDrawingOffset * factor))));
    update();
}

void CanvasWidget::refresh() {
    update(contentsRect());
}

QPointF CanvasWidget::toCanvas(QPointF widgetPosition) const {
    const double offset = drawingOffset();
    return QPointF((widgetPosition.x() - offset) / zoom_, (widgetPosition.y() - offset) / zoom_);
}

// The ring of the figure is large and costs much to stroke smoothly; it is stroked once
// into an image of its own and blended from there while it keeps its size, colour
// and place relative to the pixel grid. Blending the smooth edge from the image gives
// the same pixels as stroking it in place.
void CanvasWidget::paintRing(QPainter& painter, const RingMark& mark, RingSprite& sprite) {
    if (!mark.visible) return;
    // The outline lies inside the ring's box, as a shape's border does.
    const double inset = mark.outlineWidth / 2.0;
    // A ring shows as a circle whose diameter is the smaller side of its box.
    const double side = std::min(mark.width, mark.height);
    const QPointF centre(mark.left + mark.width / 2.0, mark.top + mark.height / 2.0);
    const double r = side / 2.0 - inset;

    // Widget pixels lie a whole number of pixels from device pixels.
    const QTransform toWidget = painter.worldTransform();
    const double reach = (r + inset) * std::max(toWidget.m11(), toWidget.m22()) + 2;
    const QPointF widgetCentre = toWidget.map(centre);
    const QPoint corner(static_cast<int>(std::floor(widgetCentre.x() - reach)),
                        static_cast<int>(std::floor(widgetCentre.y() - reach)));
    const QPointF phase = widgetCentre - QPointF(corner);
    if (sprite.image.isNull() || sprite.phase != phase || sprite.radius != r ||
        sprite.width != mark.outlineWidth || sprite.colour != mark.outline || sprite.m11 != toWidget.m11() ||
        sprite.m22 != toWidget.m22()) {
        const int size = static_cast<int>(std::ceil(2 * reach)) + 1;
        sprite.image = QImage(size, size, QImage::Format_ARGB32_Premultiplied);
        sprite.image.fill(Qt::transparent);
        QPainter stroke(&sprite.image);
        stroke.setRenderHint(QPainter::Antialiasing, true);
        stroke.setTransform(toWidget * QTransform::fromTranslate(-corner.x(), -corner.y()));
        stroke.setPen(QPen(mark.outline, mark.outlineWidth));
        stroke.setBrush(Qt::NoBrush);
        stroke.drawEllipse(centre, r, r);
        sprite.phase = phase;
        sprite.radius = r;
        sprite.width = mark.outlineWidth;
        sprite.colour = mark.outline;
        sprite.m11 = toWidget.m11();
        sprite.m22 = toWidget.m22();
    }
    painter.save();
    painter.resetTransform();
    painter.drawImage(corner, sprite.image);
    painter.restore();
}

const CanvasWidget::LetterLook& CanvasWidget::lookOf(const LetterMark& mark) {
    LetterLook& look = letterLooks_[&mark];
    if (look.caption != mark.caption || look.font != mark.font || look.height == 0) {
        const QFontMetricsF metrics(mark.font);
        look.caption = mark.caption;
        look.font = mark.font;
        look.width = metrics.horizontalAdvance(mark.caption);
        look.height = metrics.height();
        look.ascent = metrics.ascent();
    }
    return look;
}

void CanvasWidget::paintLetter(QPainter& painter, const LetterMark& mark, QColor text) {
    if (!mark.visible || mark.caption.isEmpty()) return;
    // Parked letters stand beyond the right edge: nothing of them shows.
    if (mark.left > Canvas::kWidth) return;
    const LetterLook& look = lookOf(mark);
    painter.fillRect(QRectF(mark.left, mark.top, look.width, look.height), mark.box);
    if (painter.font() != look.font) painter.setFont(look.font);
    painter.setPen(text);
    painter.drawText(QPointF(mark.left, mark.top + look.ascent), mark.caption);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const int offset = drawingOffset();
    // The drawing is opaque: only the part of the frame's inside that it leaves
    // uncovered (the bottom row at zoom 1) is cleared first.
    const QRect drawn(offset, offset, static_cast<int>(Canvas::kWidth * zoom_),
                      static_cast<int>(Canvas::kHeight * zoom_));
    for (const QRect& uncovered : QRegion(contentsRect()).subtracted(drawn))
        painter.fillRect(uncovered, Qt::white);
    painter.save();
    // The frame's inside is one row taller than the image: the grid's bottom line
    // (y = 625) shows in that row.
    painter.setClipRect(contentsRect());
    painter.translate(offset, offset);
    // Above the drawing everything is painted in canvas pixels, at the screen's resolution.
    if (zoom_ != 1) painter.scale(zoom_, zoom_);

    // Layers, bottom to top.
    painter.drawImage(0, 0, canvas_.image());
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintSegments(painter, marks_.Line2);
    paintSegments(painter, marks_.Line3);
    paintSegments(painter, marks_.Line1);
    paintSegments(painter, marks_.Line5);
    paintSegments(painter, marks_.Line4);

    painter.setRenderHint(QPainter::Antialiasing, true);
    paintRing(painter, marks_.Shape2, figureRing_);
    paintDot(painter, marks_.Shape5);
    for (const DotMark& dot : marks_.Shape6) paintDot(painter, dot);
    paintDot(painter, marks_.Shape4);

    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const LetterMark& letter : marks_.Label2) paintLetter(painter, letter, letter.text);
    for (const LetterMark& letter : marks_.Label3) paintLetter(painter, letter, letter.text);
    // The name is white on white on the screen, where its box would only blot out the
    // ink and the grid in the corner; it is painted, in black, for the page alone.
    if (printing_) paintLetter(painter, marks_.Label7, Qt::black);

    painter.setRenderHint(QPainter::Antialiasing, false);
    if (marks_.Shape3.visible) {
        painter.fillRect(
            QRectF(marks_.Shape3.left, marks_.Shape3.top, marks_.Shape3.size, marks_.Shape3.size),
            marks_.Shape3.colour);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintRing(painter, marks_.Shape1, eraserRing_);

    // What the keys move: a thin ring over everything, only on the screen.
    if (hasFocus() && !printing_ && focusRing_) {
        if (const std::optional<QRectF> ring = focusRing_()) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(*ring);
        }
    }
    painter.restore();
    // A repaint of the drawing alone leaves the frame as it stands.
    if (!contentsRect().contains(event->rect())) drawFrame(&painter);
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    // A finger on a touch screen or whiteboard comes as a mouse event that Qt (or the
    // system) made from the touch.
    const QPointingDevice* device = event->pointingDevice();
    pressedByTouch_ = event->source() != Qt::MouseEventNotSynthesized ||
                      (device && device->type() == QInputDevice::DeviceType::TouchScreen);
    const QPointF at = toCanvas(event->position());
    emit pointerPressed(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
    refresh();
}

// The window repaints when a movement changed what shows: most movements without a
// drag change nothing.
void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = toCanvas(event->position());
    emit pointerMoved(buttonCode(event->buttons()), shiftCode(event->modifiers()), at.x(), at.y());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = toCanvas(event->position());
    emit pointerReleased(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
    refresh();
}

double CanvasWidget::canvasPixels(double millimetres) const {
    const QScreen* where = screen();
    const double dotsPerInch = where ? where->physicalDotsPerInch() : 96;
    return millimetres / 25.4 * dotsPerInch / zoom_;
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    if (keyHandler_ && keyHandler_(event->key(), shiftCode(event->modifiers()))) {
        update();
        return;
    }
    QFrame::keyPressEvent(event);
}

void CanvasWidget::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    emit focusChanged(true, event->reason());
    update();
}

void CanvasWidget::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    emit focusChanged(false, event->reason());
    update();
}

bool CanvasWidget::focusNextPrevChild(bool next) {
    if (hasFocus() && keyHandler_ && keyHandler_(next ? Qt::Key_Tab : Qt::Key_Backtab, next ? 0 : 1)) {
        update();
        return true;
    }
    return QFrame::focusNextPrevChild(next);
}
