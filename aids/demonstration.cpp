#include "aids/demonstration.h"

#include "access/figureaccess.h"
#include "app/form1.h"
#include "app/menubar.h"
#include "figure/geometry.h"
#include "widgets/notice.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTraceTurn = 60;       // degrees of P between two traces
constexpr int kTraceSlots = 5;          // as many as "跡を残す" keeps
constexpr double kReadoutHearing = 1.0; // seconds at least between two readouts heard

const QString kMoverNames[4] = {QStringLiteral("点Ｐ"), QStringLiteral("点Ａ"), QStringLiteral("点Ｂ"),
                                QStringLiteral("半径")};
const QString kSpeedNames[3] = {QStringLiteral("ゆっくり"), QStringLiteral("ふつう"),
                                QStringLiteral("はやく")};

const QString kStart = QStringLiteral("開始");
const QString kStop = QStringLiteral("停止");

bool isModifierOnly(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock;
}

} // namespace

Demonstration::Demonstration(Form1& form) : QObject(&form), form_(form) {
    steady_.start();
    clock_ = [this] { return static_cast<double>(steady_.nsecsElapsed()) / 1e9; };
    frames_.setTimerType(Qt::PreciseTimer);
    connect(&frames_, &QTimer::timeout, this, &Demonstration::frame);
    // Another program taking the focus ends a run; a dialog of this program does not.
    // (Held by the drawing area, which goes first when the window closes.)
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, form_.gamenView,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive) stop();
            });
    createActions();
    if (form_.menuBar != nullptr) {
        QMenu* menu = form_.menuBar->insertMenuBefore(form_.menuBar->help(), QStringLiteral("動き(&M)"));
        for (QAction* action : menuActions_) {
            if (action == nullptr) {
                menu->addSeparator();
            } else {
                menu->addAction(action);
            }
        }
    }
}

Demonstration::~Demonstration() {
    qApp->removeEventFilter(this);
}

void Demonstration::createActions() {
    auto group = [this](const QString* names, int count, int chosen) {
        auto* actions = new QActionGroup(this);
        actions->setExclusive(true);
        for (int i = 0; i < count; ++i) {
            QAction* action = actions->addAction(names[i]);
            action->setCheckable(true);
            action->setChecked(i == chosen);
            action->setData(i);
            menuActions_ << action;
        }
        menuActions_ << nullptr;
        return actions;
    };
    movers_ = group(kMoverNames, 4, 0);
    speeds_ = group(kSpeedNames, 3, 1);
    // Chosen while running: another handle moves on from where the figure stands; another
    // speed carries the same motion on from where it has got to.
    connect(movers_, &QActionGroup::triggered, this, [this] {
        if (!running()) return;
        if (mover() == DemoMotion::Mover::P && !form_.PointPShown()) {
            stop();
            form_.TellPointPHidden();
            return;
        }
        restart();
    });
    connect(speeds_, &QActionGroup::triggered, this, [this] {
        if (!running()) return;
        const double now = clock_();
        const double gone = (now - startTime_) * motion_->rate();
        const DemoMotion::Figure begun = motion_->start();
        motion_.emplace(mover(), speed(), begun);
        startTime_ = now - gone / motion_->rate();
        lastFrame_ = -1;
    });

    traces_ = new QAction(QStringLiteral("跡を残しながら"), this);
    traces_->setCheckable(true);
    // Ticked while running: the next trace at the next 60 degrees from here, none behind.
    connect(traces_, &QAction::toggled, this, [this](bool on) {
        if (on && running())
            turnsKept_ = static_cast<int>((clock_() - startTime_) * motion_->rate() / kTraceTurn);
    });
    // The entry names what it will do: 開始 while still, 停止 while running.
    startStop_ = new QAction(kStart, this);
    // F5 works wherever the focus is in the window, also in full screen without the menu
    // bar; Space and Enter belong to the focused control and Ctrl+Space to the input method.
    startStop_->setShortcut(QKeySequence(Qt::Key_F5));
    startStop_->setShortcutContext(Qt::WindowShortcut);
    connect(startStop_, &QAction::triggered, this, &Demonstration::toggle);
    form_.addAction(startStop_);
    menuActions_ << traces_ << nullptr << startStop_;
}

QList<QAction*> Demonstration::menuActions() const {
    return menuActions_;
}

DemoMotion::Mover Demonstration::mover() const {
    return static_cast<DemoMotion::Mover>(movers_->checkedAction()->data().toInt() + 1);
}

DemoMotion::Speed Demonstration::speed() const {
    return static_cast<DemoMotion::Speed>(speeds_->checkedAction()->data().toInt());
}

void Demonstration::choose(DemoMotion::Mover mover) {
    movers_->actions().at(static_cast<int>(mover) - 1)->trigger();
}

void Demonstration::choose(DemoMotion::Speed speed) {
    speeds_->actions().at(static_cast<int>(speed))->trigger();
}

int Demonstration::frameInterval() const {
    const QScreen* screen = form_.screen();
    const double rate = screen != nullptr && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
    return std::clamp(static_cast<int>(std::lround(1000 / rate)), 4, 100);
}

void Demonstration::start() {
    if (running()) return;
    // The figure holds still while a tool is on or a drag has it, as it does for the keys.
    if (form_.memoMode != 0) {
        form_.ShowReason(
            QStringLiteral("メモを使っている間は動きを始められません。「メモ」を押して終えてください"));
        return;
    }
    if (form_.lineMode != 0) {
        form_.ShowReason(
            QStringLiteral("直線を引いている間は動きを始められません。「直線」を押して終えてください"));
        return;
    }
    // A P that does not show would move unseen.
    if (mover() == DemoMotion::Mover::P && !form_.PointPShown()) {
        form_.TellPointPHidden();
        return;
    }
    if (form_.dragTarget != 0) return;
    if (form_.notice != nullptr) form_.notice->hide(); // a reason that no longer holds
    emit runStarted();
    restart();
    heardReadouts_ = QString();
    qApp->installEventFilter(this);
    frames_.start(frameInterval());
    startStop_->setText(kStop);
    say(QStringLiteral("動きを開始：%1、%2")
            .arg(kMoverNames[static_cast<int>(mover()) - 1], kSpeedNames[static_cast<int>(speed())]));
}

void Demonstration::stop() {
    if (!running()) return;
    frames_.stop();
    qApp->removeEventFilter(this);
    motion_.reset();
    startStop_->setText(kStart);
    emit runStopped();
    say(QStringLiteral("動きを停止。") + form_.FigureDescription());
}

void Demonstration::restart() {
    DemoMotion::Figure figure;
    figure.oX = form_.oX;
    figure.oY = form_.oY;
    figure.radius = form_.radius;
    figure.angleA = form_.angleA;
    figure.angleB = form_.angleB;
    figure.angleP = form_.angleP;
    figure.pX = form_.pX;
    figure.pY = form_.pY;
    figure.pOnCircle = form_.Check9->value() == 1;
    motion_.emplace(mover(), speed(), figure);
    startTime_ = clock_();
    lastFrame_ = -1;
    turnsKept_ = 0;
    heardAt_ = 0;
}

void Demonstration::frame() {
    if (!motion_) return;
    const double seconds = clock_() - startTime_;
    if (seconds == lastFrame_) return;
    lastFrame_ = seconds;
    keepTracesUpTo(seconds);
    moveTo(seconds);
    form_.gamenView->refresh();
    announceReadouts(seconds);
}

// The frame is a drag: the pointer put where the motion says, its angle read as a drag reads it.
// The radius keeps what the class sees at every size, where a hand's drag lays the figure out afresh.
void Demonstration::moveTo(double seconds) {
    const DemoMotion::Place place = motion_->at(seconds);
    const float x = geometry::toSingle(place.x);
    const float y = geometry::toSingle(place.y);
    form_.MoveHandle(static_cast<int>(mover()), geometry::pointerAngle(form_.oX, form_.oY, x, y), x, y, true);
}

// Every 60 degrees of P a trace, taken with P exactly there even when a frame came late.
void Demonstration::keepTracesUpTo(double seconds) {
    if (!traces_->isChecked()) return;
    while (form_.traceCount < kTraceSlots) {
        const double when = motion_->timeOfTurn(kTraceTurn * (turnsKept_ + 1));
        if (when < 0 || when > seconds) return;
        moveTo(when);
        form_.Command7_Click(0);
        ++turnsKept_;
    }
}

// Screen readers hear the figure when a shown readout changes, not every frame.
void Demonstration::announceReadouts(double seconds) {
    QString shown;
    for (const ReadoutLabel* readout : form_.Label5) {
        if (readout->isVisibleTo(&form_)) shown += readout->text() + QLatin1Char(' ');
    }
    if (heardReadouts_.isNull()) heardReadouts_ = shown;
    if (shown == heardReadouts_ || seconds - heardAt_ < kReadoutHearing) return;
    heardReadouts_ = shown;
    heardAt_ = seconds;
    form_.figureAccess().FigureChanged();
}

void Demonstration::say(const QString& text) {
    form_.figureAccess().Say(text);
}

// While running: a press in the client area ends the run before it acts, a key there ends
// it instead of acting;
// Esc ends it anywhere in the window and does nothing else (not even leave full screen).
bool Demonstration::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                       type == QEvent::TouchBegin || type == QEvent::TabletPress;
    if (!press && type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != form_.window()) return false;
    const bool inClientArea = widget == form_.clientArea || form_.clientArea->isAncestorOf(widget);
    if (press) {
        if (inClientArea) stop();
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
        // Taken from the full-screen shortcut, so that it comes as a key press, which ends the run.
        if (type == QEvent::ShortcutOverride) {
            event->accept();
        } else {
            stop();
        }
        return true;
    }
    // The key that ends the run does nothing else: no arrow moves, no box is ticked.
    if (type == QEvent::KeyPress && inClientArea && !isModifierOnly(key)) {
        stop();
        return true;
    }
    return false;
}
