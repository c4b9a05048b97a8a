#include "app/form1.h"

#include "app/menubar.h"
#include "app/zoomeddialogs.h"
#include "widgets/zoomsteps.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr int kDesignWidth = 1014;
constexpr int kDesignHeight = 700;
// Room for a title bar and borders while the window's own frame is not known yet
// (before it is first shown).
constexpr int kFrameAllowanceWidth = 16;
constexpr int kFrameAllowanceHeight = 48;

const QString kZoomKey = QStringLiteral("window/zoom");

QSettings remembered() {
    // The system's own place (the registry on Windows); tests put INI files of their own there.
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("enshukaku"),
                     QStringLiteral("enshukaku"));
}

void remember(double factor) {
    remembered().setValue(kZoomKey, factor);
}

// The remembered zoom; nothing when none is remembered or what is there is not a
// positive number (an edited or damaged settings file).
std::optional<double> rememberedZoom() {
    bool number = false;
    const double factor = remembered().value(kZoomKey).toDouble(&number);
    if (!number || !std::isfinite(factor) || factor <= 0) return std::nullopt;
    return zoomsteps::wholePercent(factor);
}

// How long a shown window waits for its frame before it takes it to have none.
constexpr int kFrameWaitMs = 300;

} // namespace

QString Form1::lineBoxStyleSheet(double factor) {
    // The line boxes are narrow: a tighter gap keeps their digits readable.
    return QStringLiteral("QCheckBox { spacing: %1px; }").arg(std::max(1, zoomsteps::scaled(1, factor)));
}

void Form1::createZoomKeys() {
    zoomStyle_ = new ZoomStyle;
    zoomStyle_->setParent(this);
    new ZoomedDialogs(*this);
    // The zoom keys and F11 are the menu bar's entries; Esc is taken only in full
    // screen, elsewhere it stays with the focused control.
    leaveKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(leaveKey_, &QShortcut::activated, this, &Form1::LeaveFullScreen);
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

int Form1::menuBarHeight() const {
    return fullScreenView_ ? 0 : menuBar->sizeHint().height();
}

// Outside full screen the client area stands right under the menu bar; in full screen
// it is centred on the whole screen.
void Form1::centreClientArea() {
    if (!fullScreenView_) {
        menuBar->setGeometry(0, 0, width(), menuBarHeight());
        clientArea->move(0, menuBarHeight());
        return;
    }
    clientArea->move((width() - clientArea->width()) / 2, (height() - clientArea->height()) / 2);
    menuBar->placeInFullScreen();
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
    // The menu bar keeps its height at every zoom: it counts as part of the frame.
    return zoomsteps::fitting(wanted, kDesignWidth, kDesignHeight, frame.width(),
                              frame.height() + menuBarHeight(), available.width(), available.height());
}

void Form1::setWindowZoom(double factor) {
    windowZoom_ = zoomsteps::wholePercent(factor);
    if (fullScreenView_) return;
    applyZoom(windowZoom_);
    setFixedSize(clientArea->width(), clientArea->height() + menuBarHeight());
    centreClientArea();
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

// With nothing remembered a large screen starts at a larger step, as a projector shows it;
// smaller screens start at 100 %, fitted as ever.
double Form1::firstZoom() const {
    const QScreen* where = screen();
    if (!where) return 1;
    const QRect available = where->availableGeometry();
    return zoomsteps::comfortable(kDesignWidth, kDesignHeight, available.width(), available.height());
}

void Form1::StartZoom(double requested) {
    double wanted = zoomsteps::nearest(requested);
    if (requested == 0) wanted = zoomsteps::kLargest;
    if (requested < 0) wanted = rememberedZoom().value_or(firstZoom());
    startWanted_ = wanted;
    setWindowZoom(fittingZoom(wanted));
}

// Before the window is first shown its frame is a guess; once the real frame is
// known (or, without a window manager, known to be none), the start's zoom is fitted
// again, unless the zoom was changed meanwhile.
bool Form1::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (startWanted_ > 0 && (event->type() == QEvent::Show || event->type() == QEvent::Move)) {
        if (frameGeometry().size() != size()) {
            fitStartAgain();
        } else if (event->type() == QEvent::Show) {
            QTimer::singleShot(kFrameWaitMs, this, &Form1::fitStartAgain);
        }
    }
    return handled;
}

void Form1::fitStartAgain() {
    if (startWanted_ <= 0 || !isVisible()) return;
    const double wanted = std::exchange(startWanted_, 0);
    if (!fullScreenView_) setWindowZoom(fittingZoom(wanted));
}

void Form1::FitToScreen() {
    if (fullScreenView_) return;
    startWanted_ = 0;
    setWindowZoom(fittingZoom(zoomsteps::kLargest));
    remember(windowZoom_);
}

void Form1::ZoomIn() {
    if (fullScreenView_) return;
    startWanted_ = 0;
    const double next = zoomsteps::larger(windowZoom_);
    // The window never grows past the screen's available area.
    if (fittingZoom(next) != next) return;
    setWindowZoom(next);
    remember(windowZoom_);
}

void Form1::ZoomOut() {
    if (fullScreenView_) return;
    startWanted_ = 0;
    setWindowZoom(zoomsteps::smaller(windowZoom_));
    remember(windowZoom_);
}

void Form1::ZoomReset() {
    if (fullScreenView_) return;
    startWanted_ = 0;
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
    // The figure takes the whole screen; the bar comes down only while in use, and F11
    // or Esc bring it back above the client area.
    menuBar->setFullScreen(true);
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
    menuBar->setFullScreen(false);
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
