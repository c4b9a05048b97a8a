#pragma once
#include <QColor>
#include <QRgb>

// The sixteen colours every drawing and mark chooses from, by index.
namespace palette {

inline constexpr int kCount = 16;

// Opaque 0xffRRGGBB of colour `index` (0..15); out-of-range indexes give black.
QRgb rgb(int index);
QColor colour(int index);

} // namespace palette
