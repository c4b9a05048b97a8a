#include "access/figureaccess.h"

#include "access/announceraccessible.h"
#include "access/drawingareaaccessible.h"
#include "access/handleaccessible.h"
#include "access/readoutaccessible.h"
#include "app/form1.h"
#include "figure/geometry.h"
#include "widgets/pushbuttonaccessible.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kDragPauseMs = 1000;
constexpr double kRingRadius = 12; // the focus ring about a handle, in canvas pixels
constexpr float kHandleHalf = 4;   // half the side of the radius handle
constexpr double kInnerRadius = 75, kOuterRadius = 275;

const char* const kHandleNames[FigureAccess::kHandles + 1] = {"", "点Ｐ", "点Ａ", "点Ｂ", "半径"};
const char* const kReadoutNames[2] = {"中心角", "円周角"};

// Degrees or pixels to one decimal, without a trailing ".0".
QString number(double value) {
    QString text = QString::number(std::round(value * 10) / 10, 'f', 1);
    if (text.endsWith(QStringLiteral(".0"))) text.chop(2);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

std::vector<FigureAccess*>& windows() {
    static std::vector<FigureAccess*> all;
    return all;
}

QAccessibleInterface* factory(const QString&, QObject* object) {
    return FigureAccess::interfaceFor(object);
}

void send(QAccessibleEvent&& event) {
    QAccessible::updateAccessibility(&event);
}

} // namespace

FigureAccess::FigureAccess(Form1& form) : form_(form) {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
    windows().push_back(this);
    for (int target = 1; target <= kHandles; ++target) {
        handles_[target] = new HandleAccessible(*this, target);
        QAccessible::registerAccessibleInterface(handles_[target]);
    }
    announcer_ = new AnnouncerAccessible(*this);
    QAccessible::registerAccessibleInterface(announcer_);

    dragPause_.setSingleShot(true);
    dragPause_.setInterval(kDragPauseMs);
    connect(&dragPause_, &QTimer::timeout, this, [this] { sayChanges(dragged_); });
}

void FigureAccess::LessonPut() {
    sayChanges(0);
}

void FigureAccess::FollowFigure() {
    // After the window's own handlers, which are connected first.
    CanvasWidget* area = form_.gamenView;
    connect(area, &CanvasWidget::pointerPressed, this,
            [this] { dragged_ = form_.figureMode() ? form_.dragTarget : 0; });
    // A movement costs one test here; the words wait for the pause.
    connect(area, &CanvasWidget::pointerMoved, this, [this] {
        if (dragged_ != 0 && !dragPause_.isActive()) dragPause_.start();
    });
    connect(area, &CanvasWidget::pointerReleased, this, [this] {
        dragPause_.stop();
        sayChanges(dragged_);
        dragged_ = 0;
    });
    for (QAbstractButton* control : form_.clientArea->findChildren<QAbstractButton*>())
        connect(control, &QAbstractButton::clicked, this, [this] { sayChanges(0); });
    heard_ = now();
}

FigureAccess::~FigureAccess() {
    std::erase(windows(), this);
    for (QAccessibleInterface* iface : handles_)
        if (iface) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(announcer_));
}

QAccessibleInterface* FigureAccess::interfaceFor(QObject* object) {
    for (FigureAccess* access : windows()) {
        Form1& form = access->form_;
        if (object == &form) return new QAccessibleWidget(&form, QAccessible::Window);
        if (object == form.gamenView && object) return new DrawingAreaAccessible(form.gamenView, *access);
        for (int i = 0; i < 2; ++i)
            if (object == form.Label5[i] && object) return new ReadoutAccessible(form.Label5[i], *access, i);
    }
    return PushButtonAccessible::create(object);
}

void FigureAccess::KeyUsed() {
    if (!QAccessible::isActive()) return;
    if (form_.keyTarget != focusedTarget_) {
        focusedTarget_ = form_.keyTarget;
        sendFocus();
        return;
    }
    sayChanges(form_.keyTarget);
}

// The window's own focus event for the area goes out after this: the handle's
// follows it.
void FigureAccess::FocusEntered() {
    focusedTarget_ = form_.keyTarget;
    QMetaObject::invokeMethod(
        this, [this] { sendFocus(); }, Qt::QueuedConnection);
}

// A handle chosen takes the focus within the area; with none chosen the area's own
// focus event has said it.
void FigureAccess::sendFocus() {
    const int target = form_.keyTarget;
    if (!QAccessible::isActive() || !drawingArea()->hasFocus() || target < 1 || target > kHandles) return;
    send(QAccessibleEvent(handles_[target], QAccessible::Focus));
    heard_ = now();
}

FigureAccess::Heard FigureAccess::now() const {
    Heard heard;
    for (int target = 1; target <= kHandles; ++target) heard.values[target] = handleValue(target);
    for (int i = 0; i < 2; ++i)
        if (!form_.Label5[i]->isHidden()) heard.readouts[i] = form_.Label5[i]->text();
    return heard;
}

void FigureAccess::sayChanges(int moved) {
    if (!QAccessible::isActive()) return;
    const Heard current = now();
    const bool valueChanged = moved >= 1 && moved <= kHandles && current.values[moved].has_value() &&
                              current.values[moved] != heard_.values[moved];
    QStringList words;
    for (int i = 0; i < 2; ++i) {
        if (current.readouts[i].isEmpty() || current.readouts[i] == heard_.readouts[i]) continue;
        // The label itself tells of its new name (QLabel::setText).
        words << QStringLiteral("%1 %2 度").arg(QString::fromUtf8(kReadoutNames[i]), current.readouts[i]);
    }
    if (valueChanged && (!words.isEmpty() || !handleFocused(moved)))
        words.prepend(valueWords(moved, *current.values[moved]));
    if (!words.isEmpty()) {
        announce(words.join(QStringLiteral("、")));
    } else if (valueChanged) {
        // The focused handle says its own new value.
        send(QAccessibleValueChangeEvent(handles_[moved], *current.values[moved]));
    }
    heard_ = current;
}

void FigureAccess::announce(const QString& text) {
    announcement_ = text;
    send(QAccessibleEvent(announcer_, QAccessible::NameChanged));
    send(QAccessibleEvent(announcer_, QAccessible::ObjectShow));
}

QString FigureAccess::valueWords(int target, double value) const {
    return QStringLiteral("%1 %2 %3")
        .arg(QString::fromUtf8(kHandleNames[target]), number(value),
             target == kHandles ? QStringLiteral("ピクセル") : QStringLiteral("度"));
}

QWidget* FigureAccess::drawingArea() const {
    return form_.gamenView;
}

QString FigureAccess::areaDescription() const {
    return form_.FigureDescription();
}

QString FigureAccess::handleName(int target) const {
    if (target < 1 || target > kHandles) return QString();
    const QString name = QString::fromUtf8(kHandleNames[target]);
    return handleValue(target) ? name : name + QStringLiteral("（表示していない）");
}

QString FigureAccess::handleDescription(int target) const {
    if (target == kHandles) return QStringLiteral("円の半径（ピクセル）、矢印キーで変える");
    if (target == 1 && form_.Check9->value() == 0)
        return QStringLiteral("円の中心から見た点Ｐの向き（度）、矢印キーで動かす");
    return QStringLiteral("円周上の位置（度）、矢印キーで動かす");
}

// P shows by its dot, its letter or its chords; the other handles always show.
std::optional<double> FigureAccess::handleValue(int target) const {
    const CanvasMarks& marks = form_.marks;
    switch (target) {
    case 1:
        if (!marks.Shape4.visible && !marks.Label2[0].visible && !marks.Line1[3].visible) return std::nullopt;
        return form_.angleP;
    case 2:
        return form_.angleA;
    case 3:
        return form_.angleB;
    case kHandles:
        return form_.radius;
    default:
        return std::nullopt;
    }
}

double FigureAccess::handleMinimum(int target) const {
    return target == kHandles ? kInnerRadius : 0.0;
}

double FigureAccess::handleMaximum(int target) const {
    return target == kHandles ? kOuterRadius : 360.0;
}

double FigureAccess::handleStep(int target) const {
    return target == kHandles ? 1.0 : 0.1;
}

bool FigureAccess::handleFocused(int target) const {
    return form_.keyTarget == target && form_.gamenView->hasFocus();
}

QRect FigureAccess::handleScreenRect(int target) const {
    double x = 0, y = 0;
    switch (target) {
    case 1:
        x = form_.pX, y = form_.pY;
        break;
    case 2:
        x = form_.aX, y = form_.aY;
        break;
    case 3:
        x = form_.bX, y = form_.bY;
        break;
    case kHandles:
        x = form_.handleX + kHandleHalf, y = form_.handleY + kHandleHalf;
        break;
    default:
        return QRect();
    }
    const CanvasWidget* area = form_.gamenView;
    const double zoom = area->zoom(), offset = area->drawingOffset();
    const QPointF corner((x - kRingRadius) * zoom + offset, (y - kRingRadius) * zoom + offset);
    const int side = static_cast<int>(std::lround(2 * kRingRadius * zoom));
    return QRect(area->mapToGlobal(corner.toPoint()), QSize(side, side));
}

void FigureAccess::setHandleValue(int target, double value) {
    if (!std::isfinite(value) || !form_.figureMode() || target < 1 || target > kHandles) return;
    // As with the keys: a P that does not show stays, and the reason is said.
    if (target == 1 && !form_.PointPShown()) {
        form_.TellPointPHidden();
        return;
    }
    // A value set is one step of the history, as a drag is: Ctrl+Z takes back just it.
    if (form_.undo) form_.undo->beginStep();
    const auto stepEnds = qScopeGuard([this] {
        if (form_.undo) form_.undo->endStep();
    });
    const int oX = form_.oX, oY = form_.oY;
    if (target >= 1 && target <= 3) {
        // A free P keeps its distance from O.
        const double reach = target == 1 && form_.Check9->value() == 0
                                 ? std::hypot(form_.pX - oX, form_.pY - oY)
                                 : static_cast<double>(form_.radius);
        const geometry::Point at = geometry::pointOnCircle(oX, oY, static_cast<float>(reach), value);
        form_.MoveHandle(target, value, geometry::toSingle(at.x), geometry::toSingle(at.y));
    } else {
        const float x = geometry::toSingle(oX + value);
        form_.MoveHandle(kHandles, geometry::pointerAngle(oX, oY, x, form_.handleY), x, form_.handleY);
    }
    form_.gamenView->update();
    sayChanges(target);
}

QAccessibleInterface* FigureAccess::handleInterface(int target) const {
    return target >= 1 && target <= kHandles ? handles_[target] : nullptr;
}

QAccessibleInterface* FigureAccess::announcerInterface() const {
    return announcer_;
}

QString FigureAccess::readoutName(int index) const {
    const QString name = QString::fromUtf8(kReadoutNames[index]);
    if (form_.Label5[index]->isHidden()) return name + QStringLiteral("（表示していない）");
    return name + QLatin1Char(' ') + form_.Label5[index]->text();
}
