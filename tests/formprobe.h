#pragma once
// Helpers the unit tests share: what the canvas widget shows at a canvas point,
// and driving the figure through the pointer handlers.
#include "app/form1.h"
#include "canvas/palette.h"
#include "figure/geometry.h"

#include <QImage>
#include <QPoint>

#include <cmath>

namespace probe {

inline constexpr QRgb kWhite = 0xffffffff;
inline constexpr QRgb kBlack = 0xff000000;
inline constexpr QRgb kRed = 0xffff0000;
inline constexpr QRgb kBlue = 0xff0000ff;
inline constexpr QRgb kTraceGreen = 0xff008000;

// The widget as painted now: canvas drawing with every mark above it.
inline QImage shown(Form1& form) {
    return form.gamenView->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Widget point of a canvas point: the drawing area starts inside the sunken frame.
inline QPoint widgetPoint(double x, double y) {
    const int offset = CanvasWidget::kDrawingOffset;
    return QPoint(static_cast<int>(std::lround(x)) + offset, static_cast<int>(std::lround(y)) + offset);
}

inline QRgb shownAt(const QImage& image, double x, double y) {
    return image.pixel(widgetPoint(x, y)) | 0xff000000;
}

// Pixels of exactly `colour` in the canvas square of half-side `reach` about (x, y).
inline int countShown(const QImage& image, double x, double y, int reach, QRgb colour) {
    int count = 0;
    const QPoint centre = widgetPoint(x, y);
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint at = centre + QPoint(dx, dy);
            if (image.rect().contains(at) && (image.pixel(at) | 0xff000000) == colour) ++count;
        }
    return count;
}

// Pixels clearly darker than the background in a canvas rectangle (letters).
inline int countDark(const QImage& image, double left, double top, int width, int height) {
    int count = 0;
    const QPoint corner = widgetPoint(left, top);
    for (int y = corner.y(); y < corner.y() + height; ++y)
        for (int x = corner.x(); x < corner.x() + width; ++x)
            if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 100) ++count;
    return count;
}

// Left press, one movement and release through the handlers, in figure mode.
inline void drag(Form1& form, double fromX, double fromY, double toX, double toY) {
    form.gamen_MouseDown(1, 0, static_cast<float>(fromX), static_cast<float>(fromY));
    form.gamen_MouseMove(1, 0, static_cast<float>(toX), static_cast<float>(toY));
    form.gamen_MouseUp(1, 0, static_cast<float>(toX), static_cast<float>(toY));
}

inline geometry::Point onCircle(const Form1& form, double theta, double extra = 0) {
    return geometry::pointOnCircle(form.oX, form.oY, form.radius + static_cast<float>(extra), theta);
}

// A pointer position, `distance` from O, whose pointer angle is exactly `theta`. With
// 3.14 for pi the pointer angle left of O, and below and right of it, is not the angle
// at which pointOnCircle puts a point: this undoes the pointer angle's own formula.
inline geometry::Point pointerFor(const Form1& form, double theta, double distance) {
    constexpr double kRealPi = 3.141592653589793;
    double real = theta * geometry::kPi / 180; // above and right of O
    if (theta > 90.0456 && theta < 269.9544)
        real = (theta - 180) * geometry::kPi / 180 + kRealPi;
    else if (theta >= 269.9544)
        real = (theta - 360) * geometry::kPi / 180 + 2 * kRealPi;
    return {form.oX + distance * std::cos(real), form.oY - distance * std::sin(real)};
}

// The single-precision pointer next to pointerFor() whose angle is closest to theta
// without falling below it: the angles a pointer gives are only that exact, and the
// readouts count whole degrees.
inline geometry::Point singlePointerFor(const Form1& form, double theta, double distance) {
    const geometry::Point near = pointerFor(form, theta, distance);
    geometry::Point best = near;
    double bestError = 1e9;
    float x = std::nextafter(geometry::toSingle(near.x), -1e9f);
    for (int i = 0; i < 8; ++i, x = std::nextafter(x, 1e9f)) {
        float y = std::nextafter(geometry::toSingle(near.y), -1e9f);
        for (int j = 0; j < 8; ++j, y = std::nextafter(y, 1e9f)) {
            const double error = geometry::pointerAngle(form.oX, form.oY, x, y) - theta;
            if (error >= 0 && error < bestError) {
                bestError = error;
                best = {x, y};
            }
        }
    }
    return best;
}

// Drags P to the pointer position that lies at angle theta on the circle.
inline void dragPTo(Form1& form, double theta) {
    const geometry::Point to = onCircle(form, theta);
    drag(form, form.pX, form.pY, to.x, to.y);
}

} // namespace probe
