#include "platform/canvaswidget.h"

#include "platform/canvas.h"
#include "platform/canvasmarks.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

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

void paintSegment(QPainter& painter, const SegmentMark& mark) {
    if (!mark.visible) return;
    if (mark.x1 == mark.x2 && mark.y1 == mark.y2) {
        // Qt paints nothing for a zero-length round-capped line; a line pulled
        // without moving still shows as a dot of its width.
        painter.setPen(Qt::NoPen);
        painter.setBrush(mark.colour);
        const double half = mark.width / 2.0;
        painter.drawEllipse(QPointF(mark.x1, mark.y1), half, half);
        return;
    }
    painter.setPen(QPen(mark.colour, mark.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(mark.x1, mark.y1), QPointF(mark.x2, mark.y2));
}

void paintRing(QPainter& painter, const RingMark& mark) {
    if (!mark.visible) return;
    // The outline lies inside the ring's box, as a shape's border does.
    const double inset = mark.outlineWidth / 2.0;
    painter.setPen(QPen(mark.outline, mark.outlineWidth));
    painter.setBrush(Qt::NoBrush);
    // A ring shows as a circle whose diameter is the smaller side of its box.
    const double side = std::min(mark.width, mark.height);
    const double cx = mark.left + mark.width / 2.0, cy = mark.top + mark.height / 2.0;
    const double r = side / 2.0 - inset;
    painter.drawEllipse(QPointF(cx, cy), r, r);
}

void paintDot(QPainter& painter, const DotMark& mark) {
    if (!mark.visible) return;
    painter.setPen(QPen(mark.outline, 1));
    painter.setBrush(mark.body);
    painter.drawEllipse(QRectF(mark.left, mark.top, mark.width - 1, mark.height - 1));
}

void paintLetter(QPainter& painter, const LetterMark& mark, QColor text) {
    if (!mark.visible || mark.caption.isEmpty()) return;
    const QFontMetricsF metrics(mark.font);
    const QRectF box(mark.left, mark.top, metrics.horizontalAdvance(mark.caption), metrics.height());
    painter.fillRect(box, mark.box);
    painter.setFont(mark.font);
    painter.setPen(text);
    painter.drawText(QPointF(mark.left, mark.top + metrics.ascent()), mark.caption);
}

} // namespace

CanvasWidget::CanvasWidget(const Canvas& canvas, const CanvasMarks& marks, QWidget* parent)
    : QFrame(parent), canvas_(canvas), marks_(marks) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kDrawingOffset);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.save();
    // The frame's inside is one row taller than the image: the grid's bottom line
    // (y = 625) shows in that row.
    painter.setClipRect(contentsRect());
    painter.translate(kDrawingOffset, kDrawingOffset);

    // Layers, bottom to top.
    painter.drawImage(0, 0, canvas_.image());
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const SegmentMark& line : marks_.Line2) paintSegment(painter, line);
    for (const SegmentMark& line : marks_.Line3) paintSegment(painter, line);
    for (const SegmentMark& line : marks_.Line1) paintSegment(painter, line);
    for (const SegmentMark& line : marks_.Line5) paintSegment(painter, line);
    for (const SegmentMark& line : marks_.Line4) paintSegment(painter, line);

    painter.setRenderHint(QPainter::Antialiasing, true);
    paintRing(painter, marks_.Shape2);
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
    paintRing(painter, marks_.Shape1);

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
    drawFrame(&painter);
    (void)event;
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position() - QPointF(kDrawingOffset, kDrawingOffset);
    emit pointerPressed(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
    update();
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position() - QPointF(kDrawingOffset, kDrawingOffset);
    emit pointerMoved(buttonCode(event->buttons()), shiftCode(event->modifiers()), at.x(), at.y());
    update();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position() - QPointF(kDrawingOffset, kDrawingOffset);
    emit pointerReleased(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
    update();
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
