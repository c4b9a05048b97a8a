#include "platform/canvas.h"

#include "figure/geometry.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb kWhite = 0xffffffff;

int toPixel(double value) {
    return static_cast<int>(geometry::roundHalfEven(value));
}

bool finite(double a, double b, double c, double d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// Liang-Barsky clip of a segment to a rectangle; false when nothing of it is inside.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double minX, double minY, double maxX,
                 double maxY) {
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - minX, maxX - x1, y1 - minY, maxY - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double sx = x1, sy = y1;
    x1 = sx + t0 * dx;
    y1 = sy + t0 * dy;
    x2 = sx + t1 * dx;
    y2 = sy + t1 * dy;
    return true;
}

} // namespace

Canvas::Canvas() : image_(kWidth, kHeight, QImage::Format_RGB32) {
    visited_.assign(static_cast<size_t>(kWidth) * kHeight, 0);
    stack_.reserve(4096);
    clear();
}

void Canvas::beginDirect() {
    bits_ = image_.bits();
    stride_ = image_.bytesPerLine();
}

void Canvas::clear() {
    image_.fill(kWhite);
}

void Canvas::plot(int x, int y, QRgb colour) {
    if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) row(y)[x] = colour;
}

void Canvas::segment(float x1, float y1, float x2, float y2, QRgb colour) {
    if (!finite(x1, y1, x2, y2)) return;
    colour |= 0xff000000;
    if (penWidth_ <= 1) {
        double ax = x1, ay = y1, bx = x2, by = y2;
        // Clip generously outside the image so far-away ends cost nothing.
        if (!clipSegment(ax, ay, bx, by, -2, -2, kWidth + 1, kHeight + 1)) return;
        beginDirect();
        thinSegment(toPixel(ax), toPixel(ay), toPixel(bx), toPixel(by), colour);
    } else {
        paintedSegment(x1, y1, x2, y2, colour);
    }
}

void Canvas::circle(float cx, float cy, float radius, QRgb colour) {
    if (!finite(cx, cy, radius, 0) || radius < 0) return;
    colour |= 0xff000000;
    if (fillStyle_ == FillStyle::Solid) solidDisc(cx, cy, radius);
    if (penWidth_ <= 1) {
        beginDirect();
        thinCircle(toPixel(cx), toPixel(cy), toPixel(radius), colour);
    } else {
        paintedCircle(cx, cy, radius, colour);
    }
}

// Bresenham: 8-connected, both ends included, the same pixels for the same arguments.
void Canvas::thinSegment(int x1, int y1, int x2, int y2, QRgb colour) {
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(x1, y1, colour);
        if (x1 == x2 && y1 == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

// Midpoint circle: a closed 8-connected ring.
void Canvas::thinCircle(int cx, int cy, int radius, QRgb colour) {
    int x = radius, y = 0, err = 1 - radius;
    while (x >= y) {
        plot(cx + x, cy + y, colour);
        plot(cx + y, cy + x, colour);
        plot(cx - y, cy + x, colour);
        plot(cx - x, cy + y, colour);
        plot(cx - x, cy - y, colour);
        plot(cx - y, cy - x, colour);
        plot(cx + y, cy - x, colour);
        plot(cx + x, cy - y, colour);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

void Canvas::solidDisc(float cx, float cy, float radius) {
    beginDirect();
    const int icx = toPixel(cx), icy = toPixel(cy), r = toPixel(radius);
    const QRgb fill = fillColour_ | 0xff000000;
    for (int dy = -r; dy <= r; ++dy) {
        const int y = icy + dy;
        if (y < 0 || y >= kHeight) continue;
        const int half =
            static_cast<int>(std::sqrt(static_cast<double>(r) * r - static_cast<double>(dy) * dy));
        const int left = std::max(0, icx - half), right = std::min(kWidth - 1, icx + half);
        QRgb* line = row(y);
        for (int x = left; x <= right; ++x) line[x] = fill;
    }
}

void Canvas::paintedSegment(float x1, float y1, float x2, float y2, QRgb colour) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (x1 == x2 && y1 == y2) {
        // A zero-length stroke with a round cap paints nothing in Qt; a click still leaves a dot.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(colour));
        const double half = penWidth_ / 2.0;
        painter.drawEllipse(QPointF(x1, y1), half, half);
        return;
    }
    painter.setPen(QPen(QColor::fromRgb(colour), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void Canvas::paintedCircle(float cx, float cy, float radius, QRgb colour) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(colour), penWidth_));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(cx, cy), radius, radius);
}

// Iterative 4-connected span fill. Visited pixels are tracked in a mask of
// generations, so pixels that already have the fill colour are filled over and the
// mask never needs clearing.
void Canvas::floodFill(int x, int y, QRgb border) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
    border |= 0xff000000;
    beginDirect();
    if (row(y)[x] == border) return;
    if (++generation_ == 0) {
        std::fill(visited_.begin(), visited_.end(), 0);
        generation_ = 1;
    }
    const std::uint16_t gen = generation_;
    const QRgb fill = fillColour_ | 0xff000000;
    auto inside = [&](const QRgb* line, const std::uint16_t* seen, int px) {
        return line[px] != border && seen[px] != gen;
    };

    stack_.clear();
    stack_.push_back({x, x, y, 0});
    while (!stack_.empty()) {
        const Span seed = stack_.back();
        stack_.pop_back();
        const int sy = seed.y;
        QRgb* line = row(sy);
        std::uint16_t* seen = visited_.data() + static_cast<size_t>(sy) * kWidth;
        // Each entry is a range of the row to search for unvisited runs.
        int px = seed.left;
        while (px <= seed.right) {
            if (!inside(line, seen, px)) {
                ++px;
                continue;
            }
            int left = px;
            while (left > 0 && inside(line, seen, left - 1)) --left;
            int right = px;
            while (right + 1 < kWidth && inside(line, seen, right + 1)) ++right;
            for (int i = left; i <= right; ++i) {
                line[i] = fill;
                seen[i] = gen;
            }
            if (sy > 0) stack_.push_back({left, right, sy - 1, -1});
            if (sy + 1 < kHeight) stack_.push_back({left, right, sy + 1, 1});
            px = right + 2;
        }
    }
}
