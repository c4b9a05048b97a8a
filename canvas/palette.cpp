#include "canvas/palette.h"

namespace palette {

namespace {
constexpr QRgb kColours[kCount] = {
    qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
    qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
    qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255),
};
} // namespace

QRgb rgb(int index) {
    return index >= 0 && index < kCount ? kColours[index] : kColours[0];
}

QColor colour(int index) {
    return QColor::fromRgb(rgb(index));
}

} // namespace palette
