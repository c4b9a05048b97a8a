#include "canvas/canvas.h"

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

// Sets `count` pixels from `first` to `value`, four at a time where possible.
void fillPixels(QRgb* first, int count, QRgb value) {
    int i = 0;
#ifdef __SSE2__
    const __m128i four = _mm_set1_epi32(static_cast<int>(value));
    for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(first + i), four);
#endif
    for (; i < count; ++i) first[i] = value;
}

// Sets the bits left..right of a row of 64-bit words.
void markBits(std::uint64_t* words, int left, int right) {
    const int first = left / 64, last = right / 64;
    const std::uint64_t all = ~std::uint64_t{0};
    if (first == last) {
        words[first] |= (all >> (63 - right + left)) << (left % 64);
        return;
    }
    words[first] |= all << (left % 64);
    for (int word = first + 1; word < last; ++word) words[word] = all;
    words[last] |= all >> (63 - right % 64);
}

// One row as the flood fill sees it. A pixel stops the fill when it has the border
// colour, or the fill colour and has been reached already. Pixels are compared four
// at a time.
struct FillRow {
    const QRgb* line;
    const std::uint64_t* reached;
    QRgb border, fill;

    bool reachedAt(int x) const { return (reached[x / 64] >> (x % 64)) & 1; }
    bool stops(int x) const { return line[x] == border || (line[x] == fill && reachedAt(x)); }
    // Reached bits of the four pixels from x.
    int reachedFour(int x) const {
        const int word = x / 64, bit = x % 64;
        std::uint64_t bits = reached[word] >> bit;
        if (bit > 60) bits |= reached[word + 1] << (64 - bit);
        return static_cast<int>(bits & 0xf);
    }
    // Bit i set when pixel x + i of four stops the fill.
    int stopFour(int x) const {
#ifdef __SSE2__
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + x));
        const int atBorder = _mm_movemask_ps(
            _mm_castsi128_ps(_mm_cmpeq_epi32(four, _mm_set1_epi32(static_cast<int>(border)))));
        const int inFill =
            _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(four, _mm_set1_epi32(static_cast<int>(fill)))));
#else
        int atBorder = 0, inFill = 0;
        for (int i = 0; i < 4; ++i) {
            atBorder |= (line[x + i] == border) << i;
            inFill |= (line[x + i] == fill) << i;
        }
#endif
        return atBorder | (inFill != 0 ? inFill & reachedFour(x) : 0);
    }

    // First index in [from, to) that stops the fill; `to` when none does.
    int firstStop(int from, int to) const {
        int x = from;
        for (; x + 4 <= to; x += 4) {
            const int mask = stopFour(x);
            if (mask != 0) return x + std::countr_zero(static_cast<unsigned>(mask));
        }
        while (x < to && !stops(x)) ++x;
        return x;
    }

    // Last index at or before `from` that stops the fill; -1 when none does.
    int lastStop(int from) const {
        int x = from;
        for (; x - 3 >= 0; x -= 4) {
            const int mask = stopFour(x - 3);
            if (mask != 0) return x - 3 + (31 - std::countl_zero(static_cast<unsigned>(mask)));
        }
        while (x >= 0 && !stops(x)) --x;
        return x;
    }

    // First index in [from, last] that the fill may enter; last + 1 when none.
    int firstInside(int from, int last) const {
        int x = from;
        while (x <= last && stops(x)) ++x;
        return x;
    }
};

// Midpoint circle: a closed 8-connected ring of offsets from the centre, each
// handed to `plot` in the same order for the same radius.
template <typename Plot> void midpointCircle(int radius, Plot plot) {
    int x = radius, y = 0, err = 1 - radius;
    while (x >= y) {
        plot(x, y);
        plot(y, x);
        plot(-y, x);
        plot(-x, y);
        plot(-x, -y);
        plot(-y, -x);
        plot(y, -x);
        plot(x, -y);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
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
    reached_.assign(static_cast<size_t>(kReachedWords) * kHeight, 0);
    reachedStamp_.assign(kHeight, 0);
    clear();
}

void Canvas::beginDirect() {
    bits_ = image_.bits();
    stride_ = image_.bytesPerLine();
}

void Canvas::clear() {
    image_.fill(kWhite);
}

bool Canvas::restore(const QImage& picture) {
    if (picture.width() != kWidth || picture.height() != kHeight) return false;
    image_ =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    return true;
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
    const bool whollyInside =
        cx - radius >= 0 && cy - radius >= 0 && cx + radius < kWidth && cy + radius < kHeight;
    if (whollyInside) {
        midpointCircle(radius, [&](int dx, int dy) { row(cy + dy)[cx + dx] = colour; });
    } else {
        midpointCircle(radius, [&](int dx, int dy) { plot(cx + dx, cy + dy, colour); });
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
    if (x1 == x2 && y1 == y2) {
        // A zero-length stroke with a round cap paints nothing in Qt; a click still leaves a dot.
        roundDot(x1, y1, colour);
        return;
    }
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(colour), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

// A disc as wide as the pen: the pixels whose centres lie within half the pen width of
// the middle of the rows (and columns) that a stroke of this width through the point covers,
// so a dot lines up with the strokes drawn through the same point.
void Canvas::roundDot(float x, float y, QRgb colour) {
    beginDirect();
    const int width = penWidth_;
    const int first = -(width / 2);
    const double middle = first + (width - 1) / 2.0;
    const double reach = width * width / 4.0;
    const int cx = toPixel(x), cy = toPixel(y);
    for (int j = first; j < first + width; ++j) {
        for (int i = first; i < first + width; ++i) {
            const double dx = i - middle, dy = j - middle;
            if (dx * dx + dy * dy <= reach) plot(cx + i, cy + j, colour);
        }
    }
}

void Canvas::paintedCircle(float cx, float cy, float radius, QRgb colour) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(colour), penWidth_));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(cx, cy), radius, radius);
}

std::uint64_t* Canvas::reachedRow(int y) {
    std::uint64_t* words = reached_.data() + static_cast<size_t>(y) * kReachedWords;
    if (reachedStamp_[y] != fillStamp_) {
        std::fill(words, words + kReachedWords, 0);
        reachedStamp_[y] = fillStamp_;
    }
    return words;
}

// Iterative 4-connected span fill (Heckbert's seed fill): each entry is a run of
// a row that was painted, and the row next to it in `direction` still to be searched
// below that run. Every pixel is read about once and written once.
void Canvas::floodFill(int x, int y, QRgb border) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
    border |= kOpaque;
    beginDirect();
    if (row(y)[x] == border) return;
    const QRgb fill = fillColour_ | kOpaque;
    auto push = [&](int y0, int left, int right, int direction) {
        const int next = y0 + direction;
        if (next >= 0 && next < kHeight) pending_.push_back({y0, left, right, direction});
    };

    if (++fillStamp_ == 0) {
        std::fill(reachedStamp_.begin(), reachedStamp_.end(), 0);
        fillStamp_ = 1;
    }
    pending_.clear();
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!pending_.empty()) {
        const Segment parent = pending_.back();
        pending_.pop_back();
        const int direction = parent.direction, sy = parent.y + direction;
        const int x1 = parent.left, x2 = parent.right;
        std::uint64_t* reached = reachedRow(sy);
        const FillRow scan{row(sy), reached, border, fill};
        int px = scan.stops(x1) ? scan.firstInside(x1 + 1, x2) : x1;
        while (px <= x2) {
            int left = px;
            if (px == x1) {
                left = scan.lastStop(x1) + 1;
                if (left < x1) push(sy, left, x1 - 1, -direction); // leak on the left
            }
            const int end = scan.firstStop(px + 1, kWidth);
            fillPixels(row(sy) + left, end - left, fill);
            markBits(reached, left, end - 1);
            push(sy, left, end - 1, direction);
            if (end > x2 + 1) push(sy, x2 + 1, end - 1, -direction); // leak on the right
            px = scan.firstInside(end + 1, x2);
        }
    }
}
