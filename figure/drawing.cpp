#include "app/form1.h"

#include "canvas/palette.h"
#include "figure/geometry.h"

#include <array>
#include <cstdint>
#include <vector>

using geometry::FigureCase;

namespace {

constexpr double kSeedDistanceAtO = 10;
constexpr double kSeedDistanceAtP = 20;
constexpr float kMarkRadius = 30;
constexpr float kBandOuterInset = 1;
constexpr float kBandInnerInset = 8;
// How far the pixels of a 1-px guide line stray from the true line: the segment's ends
// are rounded to whole pixels before it is traced.
constexpr double kRasterAllowance = 1.5;

struct CaseColours {
    QRgb outlineAtO; // outlines at O and the fill of the mark of ∠AOB
    QRgb band;       // the arc AB
    QRgb atP;        // outlines and fill of the mark of ∠APB
};

CaseColours coloursOf(FigureCase figure) {
    if (figure == FigureCase::OffArc) return {palette::rgb(9), palette::rgb(12), palette::rgb(12)};
    return {palette::rgb(8), palette::rgb(0), palette::rgb(0)};
}

const QRgb kWhite = palette::rgb(15);

// Fills from the seed at `distance` along the ray. A seed on an outline (a very
// narrow angle) moves out along the same ray, at most to `farthest`, so that the
// mark still shows where the angle opens up. Only a pixel that `usable` accepts
// becomes the seed; when none does, nothing is filled.
template <typename Usable>
void fillAlong(Canvas& canvas, const geometry::Ray& ray, double distance, double farthest, QRgb border,
               Usable usable) {
    for (double reach = distance; reach <= farthest; reach += 1) {
        const geometry::Pixel seed = geometry::toPixel(ray.at(reach));
        if (seed.x < 0 || seed.y < 0 || seed.x >= Canvas::kWidth || seed.y >= Canvas::kHeight) return;
        if (canvas.pixel(seed.x, seed.y) != border && usable(seed)) {
            canvas.floodFill(seed.x, seed.y, border);
            return;
        }
    }
}

void fillAlong(Canvas& canvas, const geometry::Ray& ray, double distance, double farthest, QRgb border) {
    fillAlong(canvas, ray, distance, farthest, border, [](geometry::Pixel) { return true; });
}

// True when the region a fill from `seed` would paint lies within `allowance` pixels of
// the angle at P. The region is closed by the ring of radius 30 about P, so it is
// followed only within that ring's box; reaching past the box counts as leaving.
bool regionStaysInAngle(const Canvas& canvas, geometry::Pixel seed, QRgb border, geometry::Pixel centre,
                        const geometry::SectorAtP& angle, double allowance) {
    constexpr int kReach = static_cast<int>(kMarkRadius) + 1, kSide = 2 * kReach + 1;
    std::array<std::uint8_t, kSide * kSide> seen{};
    std::vector<geometry::Pixel> pending;
    pending.reserve(kSide * 4);
    const auto visit = [&](int x, int y) {
        const int bx = x - centre.x + kReach, by = y - centre.y + kReach;
        if (bx < 0 || by < 0 || bx >= kSide || by >= kSide) return false;
        if (x < 0 || y < 0 || x >= Canvas::kWidth || y >= Canvas::kHeight) return true;
        std::uint8_t& mark = seen[static_cast<size_t>(by * kSide + bx)];
        if (mark || canvas.pixel(x, y) == border) return true;
        mark = 1;
        pending.push_back({x, y});
        return true;
    };
    if (!visit(seed.x, seed.y)) return false;
    while (!pending.empty()) {
        const geometry::Pixel at = pending.back();
        pending.pop_back();
        if (angle.distanceOutside(at.x, at.y) > allowance) return false;
        if (!visit(at.x + 1, at.y) || !visit(at.x - 1, at.y) || !visit(at.x, at.y + 1) ||
            !visit(at.x, at.y - 1))
            return false;
    }
    return true;
}

void drawSegment(Canvas& canvas, const geometry::Segment& line, QRgb colour) {
    canvas.segment(geometry::toSingle(line.from.x), geometry::toSingle(line.from.y),
                   geometry::toSingle(line.to.x), geometry::toSingle(line.to.y), colour);
}

} // namespace

void Form1::UpdateDirectionsFromP() {
    // A point on P itself has no direction: the previous one stays.
    if (const auto towardsA = geometry::directionFromP(pX, pY, aX, aY)) dirPA = *towardsA;
    if (const auto towardsB = geometry::directionFromP(pX, pY, bX, bY)) dirPB = static_cast<float>(*towardsB);
}

// Paints the arc band and the marks of ∠AOB and ∠APB: each is a region closed by
// outlines, flood-filled, and its outlines painted over in white afterwards.
void Form1::DrawFigure() {
    gamen.setPenWidth(1);
    const geometry::Point a{aX, aY}, b{bX, bY}, p{pX, pY};
    const FigureCase figure = geometry::figureCaseOfSide(a, b, p);
    const CaseColours colours = coloursOf(figure);
    const geometry::Ray towardsArc = geometry::rayTowardsSubtendedArc(oX, oY, angleA, angleB, figure);
    const float centreX = static_cast<float>(oX), centreY = static_cast<float>(oY);
    const float ax = geometry::toSingle(aX), ay = geometry::toSingle(aY);
    const float bx = geometry::toSingle(bX), by = geometry::toSingle(bY);
    // The readouts measure the angle of this drawing, not of the previous one.
    UpdateDirectionsFromP();

    gamen.segment(centreX, centreY, ax, ay, colours.outlineAtO);
    gamen.segment(centreX, centreY, bx, by, colours.outlineAtO);

    if (Check5->value() != 0) {
        if (figure == FigureCase::OffArc) {
            UpdateReadouts();
        } else {
            UpdateReadoutsOtherArc();
        }
        const float outer = radius - kBandOuterInset, inner = radius - kBandInnerInset;
        gamen.circle(centreX, centreY, outer, colours.outlineAtO);
        gamen.setFillStyle(Canvas::FillStyle::Solid);
        gamen.setFillColour(colours.band);
        fillAlong(gamen, towardsArc, kSeedDistanceAtO, outer - 1, colours.outlineAtO);
        gamen.setFillStyle(Canvas::FillStyle::Transparent);
        gamen.circle(centreX, centreY, outer, kWhite);
        // The sector inside the band turns white again.
        gamen.circle(centreX, centreY, inner, colours.outlineAtO);
        gamen.setFillStyle(Canvas::FillStyle::Solid);
        gamen.setFillColour(kWhite);
        fillAlong(gamen, towardsArc, kSeedDistanceAtO, inner - 1, colours.outlineAtO);
        gamen.setFillStyle(Canvas::FillStyle::Transparent);
        gamen.circle(centreX, centreY, inner, kWhite);
    }

    gamen.circle(centreX, centreY, kMarkRadius, colours.outlineAtO);
    gamen.setFillStyle(Canvas::FillStyle::Solid);
    gamen.setFillColour(colours.outlineAtO);
    if (Check8->value() != 0) {
        fillAlong(gamen, towardsArc, kSeedDistanceAtO, kMarkRadius - 1, colours.outlineAtO);
    }
    gamen.setFillStyle(Canvas::FillStyle::Transparent);
    gamen.circle(centreX, centreY, kMarkRadius, kWhite);
    gamen.segment(centreX, centreY, ax, ay, kWhite);
    gamen.segment(centreX, centreY, bx, by, kWhite);

    const auto guideA = geometry::guideLine(pX, pY, aX, aY);
    const auto guideB = geometry::guideLine(pX, pY, bX, bY);
    const float px = geometry::toSingle(pX), py = geometry::toSingle(pY);
    if (guideA) drawSegment(gamen, *guideA, colours.atP);
    if (guideB) drawSegment(gamen, *guideB, colours.atP);
    gamen.circle(px, py, kMarkRadius, colours.atP);
    gamen.setFillStyle(Canvas::FillStyle::Solid);
    gamen.setFillColour(colours.atP);
    // P on A or on B sees no angle: no mark at P.
    const bool pOnAOrB = (pX == aX && pY == aY) || (pX == bX && pY == bY);
    if (Check7->value() != 0 && !pOnAOrB) {
        // Seeds stay inside the angle: a seed rounded or stepped out into a neighbouring
        // sector would fill that one instead, and where no pixel of the angle is free the
        // guide lines alone show it.
        const geometry::SectorAtP angleAtP(a, b, p, figure);
        const geometry::Pixel centre = geometry::toPixel(p);
        const auto insideAngle = [&](geometry::Pixel seed) {
            return angleAtP.contains(seed.x, seed.y) &&
                   regionStaysInAngle(gamen, seed, colours.atP, centre, angleAtP, kRasterAllowance);
        };
        const geometry::SeedRays seeds = geometry::seedRaysAtP(pX, pY, figure, dirPA, dirPB);
        for (int i = 0; i < seeds.count; ++i) {
            fillAlong(gamen, seeds.rays[i], kSeedDistanceAtP, kMarkRadius - 1, colours.atP, insideAngle);
        }
        // Two guide lines that run close together can cut a narrow angle into pieces that
        // one fill does not join: every piece still free along the middle of the angle
        // gets a fill of its own. Where the first fill reached, it finds nothing free.
        const geometry::Ray middle = angleAtP.bisector();
        for (double reach = kSeedDistanceAtP; reach <= kMarkRadius - 1; reach += 1) {
            fillAlong(gamen, middle, reach, reach, colours.atP, insideAngle);
        }
    }
    gamen.setFillStyle(Canvas::FillStyle::Transparent);
    gamen.circle(px, py, kMarkRadius, kWhite);
    if (guideA) drawSegment(gamen, *guideA, kWhite);
    if (guideB) drawSegment(gamen, *guideB, kWhite);
}
