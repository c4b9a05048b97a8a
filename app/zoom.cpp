#include "app/form1.h"

#include "widgets/zoomsteps.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QShortcut>

#include <algorithm>

namespace {

constexpr int kDesignWidth = 1014;
constexpr int kDesignHeight = 700;
// Room for a title bar and borders while the window's own frame is not known yet
// (before it is first shown).
constexpr int kFrameAllowanceWidth = 16;
constexpr int kFrameAllowanceHeight = 48;

const QString kZoomKey = QStringLiteral("window/zoom");

QSettings remembered() {
    return QSettings(QStringLiteral("enshukaku"), QStringLiteral("enshukaku"));
}

void remember(double factor) {
    remembered().setValue(kZoomKey, factor);
}

} // namespace

QString Form1::lineBoxStyleSheet(double factor) {
    // The line boxes are narrow: a tighter gap keeps their digits readable.
    return QStringLiteral("QCheckBox { spacing: %1px; }").arg(std::max(1, zoomsteps::scaled(1, factor)));
}

void Form1::createZoomKeys() {
    zoomStyle_ = new ZoomStyle;
    zoomStyle_->setParent(this);
    auto key = [this](const QList<QKeySequence>& keys, void (Form1::*handler)()) {
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, this, handler);
        return shortcut;
    };
    // "+" is also taken unshifted, from the "=" key, and from the keypad.
    key({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &Form1::ZoomIn);
    key({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &Form1::ZoomOut);
    key({QKeySequence(Qt::CTRL | Qt::Key_0)}, &Form1::ZoomReset);
    key({QKeySequence(Qt::Key_F11)}, &Form1::ToggleFullScreen);
    // Esc is taken only in full screen; elsewhere it stays with the focused control.
    leaveKey_ = key({QKeySequence(Qt::Key_Escape)}, &Form1::LeaveFullScreen);
    leaveKey_->setEnabled(false);
}

void Form1::applyZoom(double factor) {
    zoom_ = factor;
    // At 1 the controls keep the plain style, so that nothing differs from the design.
    const bool plain = factor == 1;
    zoomStyle_->setFactor(factor);
    if (plain == controlsZoomStyled_) {
        for (QAbstractButton* control : clientArea->findChildren<QAbstractButton*>())
            control->setStyle(plain ? nullptr : zoomStyle_);
        controlsZoomStyled_ = !plain;
    }
    for (CheckBox* line : Check1) line->setStyleSheet(lineBoxStyleSheet(factor));
    panel_.apply(factor);
    gamenView->setZoom(factor);
    clientArea->resize(zoomsteps::scaled(kDesignWidth, factor), zoomsteps::scaled(kDesignHeight, factor));
    centreClientArea();
}

void Form1::centreClientArea() {
    clientArea->move((width() - clientArea->width()) / 2, (height() - clientArea->height()) / 2);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (fullScreenView_) {
        applyZoom(zoomsteps::filling(kDesignWidth, kDesignHeight, width(), height()));
    } else {
        centreClientArea();
    }
}

double Form1::fittingZoom(double wanted) const {
    const QScreen* where = screen();
    if (!where) return zoomsteps::nearest(wanted);
    const QRect available = where->availableGeometry();
    QSize frame = frameGeometry().size() - size();
    if (!isVisible()) frame = QSize(kFrameAllowanceWidth, kFrameAllowanceHeight);
    return zoomsteps::fitting(wanted, kDesignWidth, kDesignHeight, frame.width(), frame.height(),
                              available.width(), available.height());
}

void Form1::setWindowZoom(double factor) {
    windowZoom_ = zoomsteps::nearest(factor);
    if (fullScreenView_) return;
    applyZoom(windowZoom_);
    setFixedSize(clientArea->size());
    // A window that grew past the screen's available area is moved back into it.
    if (const QScreen* where = screen()) {
        const QRect available = where->availableGeometry();
        const QRect outer = frameGeometry();
        if (!available.contains(outer)) {
            const int left =
                std::max(available.left(), std::min(outer.left(), available.right() + 1 - outer.width()));
            const int top =
                std::max(available.top(), std::min(outer.top(), available.bottom() + 1 - outer.height()));
            move(pos() + QPoint(left - outer.left(), top - outer.top()));
        }
    }
}

void Form1::StartZoom(double requested) {
    double wanted = requested;
    if (requested == 0) wanted = zoomsteps::kLargest;
    if (requested < 0) wanted = remembered().value(kZoomKey, 1.0).toDouble();
    setWindowZoom(fittingZoom(zoomsteps::nearest(wanted)));
}

void Form1::ZoomIn() {
    if (fullScreenView_) return;
    const double next = zoomsteps::larger(windowZoom_);
    // The window never grows past the screen's available area.
    if (fittingZoom(next) != next) return;
    setWindowZoom(next);
    remember(windowZoom_);
}

void Form1::ZoomOut() {
    if (fullScreenView_) return;
    setWindowZoom(zoomsteps::smaller(windowZoom_));
    remember(windowZoom_);
}

void Form1::ZoomReset() {
    if (fullScreenView_) return;
    setWindowZoom(fittingZoom(1));
    remember(windowZoom_);
}

void Form1::ToggleFullScreen() {
    if (fullScreenView_) {
        LeaveFullScreen();
        return;
    }
    normalPosition_ = pos();
    fullScreenView_ = true;
    leaveKey_->setEnabled(true);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect whole = screen() ? screen()->geometry() : geometry();
    showFullScreen();
    // A window manager gives a full-screen window the whole screen; without one the
    // window takes it itself.
    setGeometry(whole);
}

void Form1::LeaveFullScreen() {
    if (!fullScreenView_) return;
    fullScreenView_ = false;
    leaveKey_->setEnabled(false);
    showNormal();
    setWindowZoom(windowZoom_);
    move(normalPosition_);
}

void Form1::AtDesignSize(const std::function<void(QWidget& clientArea)>& work) {
    ShowDesignSize(true);
    work(*clientArea);
    ShowDesignSize(false);
}

void Form1::ShowDesignSize(bool design) {
    if (design && zoom_ != 1 && zoomBeforeDesignSize_ == 0) {
        zoomBeforeDesignSize_ = zoom_;
        applyZoom(1);
    } else if (!design && zoomBeforeDesignSize_ != 0) {
        applyZoom(zoomBeforeDesignSize_);
        zoomBeforeDesignSize_ = 0;
    }
}
