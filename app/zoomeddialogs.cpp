#include "app/zoomeddialogs.h"

#include "app/form1.h"
#include "widgets/dialogzoom.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QToolTip>

namespace {
// The tips' font as the desktop gives it, before any zoom.
QFont designTipFont() {
    static const QFont design = QToolTip::font();
    return design;
}
} // namespace

ZoomedDialogs::ZoomedDialogs(Form1& form) : QObject(&form), form_(form) {
    designTipFont();
    qApp->installEventFilter(this);
}

bool ZoomedDialogs::eventFilter(QObject* watched, QEvent* event) {
    // A dialog is laid out for its fonts while it shows: the zoom comes first.
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !dialogzoom::zoomed(*dialog) && ofWindow(dialog))
            dialogzoom::apply(*dialog, form_.zoom());
    } else if (event->type() == QEvent::ToolTip) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const QFont tip = dialogzoom::scaledFont(designTipFont(), form_.zoom());
        if (widget && ofWindow(widget) && QToolTip::font() != tip) QToolTip::setFont(tip);
    }
    return false;
}

bool ZoomedDialogs::ofWindow(const QWidget* widget) const {
    for (const QWidget* up = widget; up; up = up->parentWidget())
        if (up == &form_) return true;
    return false;
}
