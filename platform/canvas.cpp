#include "platform/canvas.h"

#include "figure/geometry.h"

#include <QPainter>
#include <QPen>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

constexpr QRgb kWhite = 0xffffffff;

constexpr QRgb kOpaque = 0xff000000;

// The flood fill stops at pixels of the border colour and at pixels it has reached.
inline bool stops(QRgb pixel, QRgb border, QRgb reached) {
    return pixel == border || pixel == reached;
}

#ifdef __SSE2__
// Bit i set when pixel i of the four at `pixels` stops the fill.
inline int stopMask(const QRgb* pixels, __m128i border, __m128i reached) {
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    const __m128i hit = _mm_or_si128(_mm_cmpeq_epi32(four, border), _mm_cmpeq_epi32(four, reached));
    return _mm_movemask_ps(_mm_castsi128_ps(hit));
}
#endif

// Sets `count` pixels from `first` to `value`, four at a time where possible.
void fillPixels(QRgb* first, int count, QRgb value) {
    int i = 0;
#ifdef __SSE2__
    const __m128i four = _mm_set1_epi32(static_cast<int>(value));
    for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(first + i), four);
#endif
    for (; i < count; ++i) first[i] = value;
}

// First index in [from, to) whose pixel stops the fill; `to` when none does.
int firstStop(const QRgb* line, int from, int to, QRgb border, QRgb reached) {
    int x = from;
#ifdef __SSE2__
    const __m128i b = _mm_set1_epi32(static_cast<int>(border));
    const __m128i r = _mm_set1_epi32(static_cast<int>(reached));
    for (; x + 4 <= to; x += 4) {
        const int mask = stopMask(line + x, b, r);
        if (mask != 0) return x + std::countr_zero(static_cast<unsigned>(mask));
    }
#endif
    while (x < to && !stops(line[x], border, reached)) ++x;
    return x;
}

// Last index at or before `from` whose pixel stops the fill; -1 when none does.
int lastStop(const QRgb* line, int from, QRgb border, QRgb reached) {
    int x = from;
#ifdef __SSE2__
    const __m128i b = _mm_set1_epi32(static_cast<int>(border));
    const __m128i r = _mm_set1_epi32(static_cast<int>(reached));
    for (; x - 3 >= 0; x -= 4) {
        const int mask = stopMask(line + x - 3, b, r);
        if (mask != 0) return x - 3 + (31 - std::countl_zero(static_cast<unsigned>(mask)));
    }
#endif
    while (x >= 0 && !stops(line[x], border, reached)) --x;
    return x;
}

// First index in [from, last] whose pixel the fill may enter; last + 1 when none.
int firstInside(const QRgb* line, int from, int last, QRgb border, QRgb reached) {
    int x = from;
    while (x <= last && stops(line[x], border, reached)) ++x;
    return x;
}

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
    pending_.reserve(4096);
    painted_.reserve(4096);
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

// Iterative 4-connected span fill (Heckbert's seed fill): each entry is a run of
// a row that was painted, and the row next to it in `direction` still to be searched
// below that run. Every pixel is read about once; runs are found with vector compares.
void Canvas::floodFill(int x, int y, QRgb border) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
    border |= kOpaque;
    beginDirect();
    if (row(y)[x] == border) return;
    const QRgb fill = fillColour_ | kOpaque;
    // Reached pixels: the fill colour without alpha, so pixels that had the fill colour
    // already are filled over, and an inside test is two compares.
    const QRgb reached = fill & ~kOpaque;
    auto inside = [&](const QRgb* line, int px) { return line[px] != border && line[px] != reached; };
    auto paint = [&](QRgb* line, int y0, int left, int right) {
        fillPixels(line + left, right - left + 1, reached);
        painted_.push_back({y0, left, right});
    };
    auto push = [&](int y0, int left, int right, int direction) {
        const int next = y0 + direction;
        if (next >= 0 && next < kHeight) pending_.push_back({y0, left, right, direction});
    };

    pending_.clear();
    painted_.clear();
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!pending_.empty()) {
        const Segment parent = pending_.back();
        pending_.pop_back();
        const int direction = parent.direction, sy = parent.y + direction;
        const int x1 = parent.left, x2 = parent.right;
        QRgb* line = row(sy);
        int px = inside(line, x1) ? x1 : firstInside(line, x1 + 1, x2, border, reached);
        while (px <= x2) {
            int left = px;
            if (px == x1) {
                left = lastStop(line, x1, border, reached) + 1;
                if (left < x1) push(sy, left, x1 - 1, -direction); // leak on the left
            }
            const int end = firstStop(line, px + 1, kWidth, border, reached);
            paint(line, sy, left, end - 1);
            push(sy, left, end - 1, direction);
            if (end > x2 + 1) push(sy, x2 + 1, end - 1, -direction); // leak on the right
            px = firstInside(line, end + 1, x2, border, reached);
        }
    }
    for (const Run& run : painted_) fillPixels(row(run.y) + run.left, run.right - run.left + 1, fill);
}
