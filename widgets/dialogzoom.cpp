#include "widgets/dialogzoom.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace dialogzoom {

namespace {

const char* const kDesignFont = "enshukakuDesignFont";

} // namespace

QFont scaledFont(QFont font, double factor) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * factor))));
    } else {
        font.setPointSizeF(font.pointSizeF() * factor);
    }
    return font;
}

bool zoomed(const QWidget& dialog) {
    return dialog.property(kDesignFont).isValid();
}

void apply(QWidget& dialog, double factor) {
    if (factor == 1 && !dialog.property(kDesignFont).isValid()) return;
    QList<QWidget*> widgets{&dialog};
    for (QWidget* child : dialog.findChildren<QWidget*>())
        if (child->testAttribute(Qt::WA_SetFont) || child->property(kDesignFont).isValid()) widgets << child;
    // The design is read before any font changes, since fonts pass down to children.
    for (QWidget* widget : widgets)
        if (!widget->property(kDesignFont).isValid()) widget->setProperty(kDesignFont, widget->font());
    for (QWidget* widget : widgets)
        widget->setFont(scaledFont(widget->property(kDesignFont).value<QFont>(), factor));
    dialog.adjustSize();
    keepOnScreen(dialog);
}

void keepOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (window.parentWidget()) screen = window.parentWidget()->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    const QSize frame = window.isVisible() ? window.frameGeometry().size() - window.size() : QSize(0, 0);
    window.resize(window.size().boundedTo(available.size() - frame));
    if (!window.isVisible()) return;
    const QRect outer = window.frameGeometry();
    const int left = std::clamp(outer.left(), available.left(), available.right() + 1 - outer.width());
    const int top = std::clamp(outer.top(), available.top(), available.bottom() + 1 - outer.height());
    window.move(window.pos() + QPoint(left - outer.left(), top - outer.top()));
}

} // namespace dialogzoom
