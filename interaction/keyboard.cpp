#include "app/form1.h"

#include "figure/geometry.h"

#include <algorithm>
#include <cmath>

// The keys on the drawing area. P, A, B and R (or Tab inside the area) choose what the
// arrow keys move; every arrow is handed to MoveHandle as a drag would be, so the
// limits, the readouts and the picture are those of the equivalent drag.

namespace {

constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
constexpr int kLastTarget = 4;     // the radius handle
constexpr double kRingRadius = 12; // the focus ring about the chosen point
constexpr float kHandleHalf = 4;   // half the side of the radius handle
constexpr float kRightEdge = Canvas::kWidth - 1;
constexpr float kBottomEdge = Canvas::kHeight - 1;

// +1 for → and ↑ (anticlockwise, larger), -1 for ← and ↓, 0 for other keys.
int arrowSign(int key) {
    if (key == Qt::Key_Right || key == Qt::Key_Up) return 1;
    if (key == Qt::Key_Left || key == Qt::Key_Down) return -1;
    return 0;
}

// Degrees (or drawing units for a free P) per press: Ctrl a tenth, Shift five.
double angleStep(int shift) {
    if (shift & kCtrl) return 0.1;
    if (shift & kShift) return 5;
    return 1;
}

} // namespace

void Form1::ConnectKeyboard() {
    SetTabOrder();
    gamenView->setKeyHandler([this](int key, int shift) {
        undo->keyPressed(key);
        return gamen_KeyDown(key, shift);
    });
    gamenView->setFocusRing([this] { return FocusRing(); });
    connect(gamenView, &CanvasWidget::focusChanged, this, &Form1::gamen_FocusChange);
}

bool Form1::gamen_KeyDown(int key, int shift) {
    const bool used = KeyOnCanvas(key, shift);
    if (used && figureAccess_) figureAccess_->KeyUsed();
    return used;
}

bool Form1::KeyOnCanvas(int key, int shift) {
    if (shift & (kCtrl | kAlt)) {
        if (arrowSign(key) == 0) return false;
    } else {
        switch (key) {
        case Qt::Key_P:
            keyTarget = 1;
            return true;
        case Qt::Key_A:
            keyTarget = 2;
            return true;
        case Qt::Key_B:
            keyTarget = 3;
            return true;
        case Qt::Key_R:
            keyTarget = 4;
            return true;
        case Qt::Key_Tab:
            // P, A, B, the handle, then on to the next control.
            if (keyTarget >= kLastTarget) return false;
            ++keyTarget;
            return true;
        case Qt::Key_Backtab:
            if (keyTarget == 1) return false;
            keyTarget = keyTarget == 0 ? kLastTarget : keyTarget - 1;
            return true;
        default:
            break;
        }
    }
    if (arrowSign(key) == 0 || keyTarget == 0) return false;
    NudgeHandle(key, shift);
    return true;
}

// The keys' own chain through the window, in reading order: the top row left to
// right, the drawing area, then the column on the right top to bottom.
void Form1::SetTabOrder() {
    QList<QWidget*> chain{Command1, Command6, Command5};
    for (OptionButton* colour : Option2) chain << colour;
    for (CheckBox* line : Check1) chain << line;
    chain << Command3;
    for (int i : {4, 5, 6, 7, 0, 1, 2, 3}) chain << Option1[i];
    chain << Command4 << gamenView << Check6 << Check7 << Check2[1] << Check8 << Check2[0] << Check5
          << Command7[0] << Command7[1] << Check4 << Check9 << Check3 << Command2;
    for (qsizetype i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

// Entering by Tab starts at P, by Shift+Tab at the handle; a click keeps the choice.
void Form1::gamen_FocusChange(bool in, int reason) {
    if (!in) return;
    if (reason == Qt::TabFocusReason) keyTarget = 1;
    if (reason == Qt::BacktabFocusReason) keyTarget = kLastTarget;
    if (figureAccess_) figureAccess_->FocusEntered();
}

// While a tool is on the figure holds still for the keys as it does for the pointer.
void Form1::NudgeHandle(int key, int shift) {
    if (!figureMode()) return;
    const int sign = arrowSign(key);
    const double step = angleStep(shift);
    switch (keyTarget) {
    case 1:
        // A P that does not show would move unseen and unheard: it stays, and the window says why.
        if (!PointPShown()) {
            TellPointPHidden();
            break;
        }
        if (Check9->value() == 1) {
            const double angle = geometry::turnedAngle(angleP, sign * step);
            const geometry::Point at = geometry::pointOnCircle(oX, oY, radius, angle);
            MoveHandle(1, angle, geometry::toSingle(at.x), geometry::toSingle(at.y));
        } else {
            // A free P follows the arrow across the screen, as the pointer would take
            // it, and stops at the edges of the drawing area, where it can be seen.
            const bool across = key == Qt::Key_Left || key == Qt::Key_Right;
            const float x = std::clamp(geometry::toSingle(pX + (across ? sign * step : 0)), 0.0f, kRightEdge);
            const float y =
                std::clamp(geometry::toSingle(pY - (across ? 0 : sign * step)), 0.0f, kBottomEdge);
            MoveHandle(1, geometry::pointerAngle(oX, oY, x, y), x, y);
        }
        break;
    case 2:
    case 3: {
        const double angle = geometry::turnedAngle(keyTarget == 2 ? angleA : angleB, sign * step);
        const geometry::Point at = geometry::pointOnCircle(oX, oY, radius, angle);
        MoveHandle(keyTarget, angle, geometry::toSingle(at.x), geometry::toSingle(at.y));
        break;
    }
    case kLastTarget: {
        // The handle moves along its diagonal, one unit of radius (Shift five) a press.
        const float units = (shift & kShift) && !(shift & kCtrl) ? 5.0f : 1.0f;
        const float x = handleX + static_cast<float>(sign) * units;
        MoveHandle(4, geometry::pointerAngle(oX, oY, x, handleY), x, handleY);
        break;
    }
    default:
        break;
    }
}

std::optional<QRectF> Form1::FocusRing() const {
    // Nothing to show in a picture, nor while a tool holds the figure still.
    if (pictureTaking || !figureMode()) return std::nullopt;
    double x = 0, y = 0;
    switch (keyTarget) {
    case 1:
        x = pX, y = pY;
        break;
    case 2:
        x = aX, y = aY;
        break;
    case 3:
        x = bX, y = bY;
        break;
    case kLastTarget:
        x = handleX + kHandleHalf, y = handleY + kHandleHalf;
        break;
    default:
        return std::nullopt;
    }
    return QRectF(x - kRingRadius, y - kRingRadius, 2 * kRingRadius, 2 * kRingRadius);
}
