#include "widgets/notice.h"

#include "canvas/fonts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPoints = 12; // the readable size of the panel's captions, at 100 %
constexpr int kBottomGap = 16; // from the foot of the drawing area, at 100 %

} // namespace

Notice::Notice(QWidget& parent, QWidget& area) : QLabel(&parent), area_(area) {
    setObjectName(QStringLiteral("notice"));
    // Dark on pale yellow with a frame: read as a passing message, not part of the figure.
    setStyleSheet(QStringLiteral("QLabel#notice { color: #000000; background: #ffffe0;"
                                 " border: 1px solid #808080; padding: 0.4em 0.8em; }"));
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    shown_.setSingleShot(true);
    shown_.setInterval(kShownMs);
    connect(&shown_, &QTimer::timeout, this, &QWidget::hide);
}

void Notice::tell(const QString& text, double factor) {
    setFont(fonts::gothic(kPoints * factor));
    setText(text);
    adjustSize();
    // Centred at the foot of the area, in the window's coordinates; never wider than the area.
    const QRect area(area_.mapTo(parentWidget(), QPoint(0, 0)), area_.size());
    resize(std::min(width(), area.width()), height());
    const int gap = static_cast<int>(std::lround(kBottomGap * factor));
    move(area.center().x() - width() / 2, area.bottom() - gap - height());
    raise();
    show();
    shown_.start();
}
