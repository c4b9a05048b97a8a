#pragma once
// What must hold of the window after any event: angles in order, radius in its band,
// finite numbers, marks at their points, readouts that are numbers and shown exactly
// while their boxes are ticked.
#include "app/form1.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace invariants {

inline bool finite(double v) {
    return std::isfinite(v);
}

inline QString badSegment(const SegmentMark& s, const char* name, int i) {
    if (finite(s.x1) && finite(s.y1) && finite(s.x2) && finite(s.y2)) return {};
    return QStringLiteral("%1(%2) not finite").arg(name).arg(i);
}

inline bool near(double a, double b) {
    return std::abs(a - b) <= 1e-3 * std::max(1.0, std::abs(b));
}

// The first broken invariant, or an empty string.
inline QString violation(Form1& f) {
    if (!(f.angleA > 0 && f.angleA < f.angleB && f.angleB < 360))
        return QStringLiteral("angles out of order: A %1 B %2").arg(f.angleA).arg(f.angleB);
    if (!(f.angleB - f.angleA >= 15)) return QStringLiteral("A and B closer than 15 degrees");
    if (!(f.radius > 75 && f.radius < 275)) return QStringLiteral("radius %1").arg(f.radius);
    if (f.traceCount < 0 || f.traceCount > 5) return QStringLiteral("traceCount %1").arg(f.traceCount);
    if (f.dragTarget < 0 || f.dragTarget > 4) return QStringLiteral("dragTarget %1").arg(f.dragTarget);
    for (double v : {f.aX, f.aY, f.bX, f.bY, f.pX, f.pY, f.angleA, f.angleB, f.angleP, double(f.radius),
                     double(f.lastX), double(f.lastY), double(f.handleX), double(f.handleY), double(f.dirPB)})
        if (!finite(v)) return QStringLiteral("figure state not finite");
    if (f.handleX - static_cast<float>(f.oX) != f.radius || f.handleY != static_cast<float>(f.oY) + f.radius)
        return QStringLiteral("radius handle off the diagonal");

    const CanvasMarks& m = f.marks;
    for (int i = 0; i < 5; ++i) {
        for (const QString& bad : {badSegment(m.Line1[i], "Line1", i), badSegment(m.Line4[i], "Line4", i)})
            if (!bad.isEmpty()) return bad;
    }
    for (int i = 0; i < 10; ++i)
        if (QString bad = badSegment(m.Line5[i], "Line5", i); !bad.isEmpty()) return bad;
    for (size_t i = 0; i < m.Line2.size(); ++i)
        if (QString bad = badSegment(m.Line2[i], "Line2", int(i)); !bad.isEmpty()) return bad;
    for (size_t i = 0; i < m.Line3.size(); ++i)
        if (QString bad = badSegment(m.Line3[i], "Line3", int(i)); !bad.isEmpty()) return bad;
    for (const DotMark* d : {&m.Shape4, &m.Shape5, &m.Shape6[0], &m.Shape6[1]})
        if (!finite(d->left) || !finite(d->top)) return QStringLiteral("dot not finite");
    for (const RingMark* r : {&m.Shape1, &m.Shape2})
        if (!finite(r->left) || !finite(r->top) || !finite(r->width) || !finite(r->height))
            return QStringLiteral("ring not finite");
    if (!finite(m.Shape3.left) || !finite(m.Shape3.top)) return QStringLiteral("handle not finite");
    for (const LetterMark& l : m.Label2)
        if (!finite(l.left) || !finite(l.top)) return QStringLiteral("letter of the figure not finite");
    for (const LetterMark& l : m.Label3)
        if (!finite(l.left) || !finite(l.top)) return QStringLiteral("trace letter not finite");

    // Free trace slots stay parked beyond the drawing area.
    for (int k = f.traceCount; k < 5; ++k)
        if (m.Line5[2 * k].x1 < 1000 || m.Line5[2 * k + 1].x2 < 1000 || m.Label3[k].left < 1000 ||
            m.Label3[k + 5].left < 1000)
            return QStringLiteral("free trace slot %1 in view").arg(k);

    // Shown dots, chords and radii stand where their points are.
    if (m.Shape4.visible && !(near(m.Shape4.left, f.pX - 5) && near(m.Shape4.top, f.pY - 5)))
        return QStringLiteral("dot of P away from P");
    if (m.Shape6[0].visible && !(near(m.Shape6[0].left, f.aX - 5) && near(m.Shape6[0].top, f.aY - 5)))
        return QStringLiteral("dot of A away from A");
    if (m.Shape6[1].visible && !(near(m.Shape6[1].left, f.bX - 5) && near(m.Shape6[1].top, f.bY - 5)))
        return QStringLiteral("dot of B away from B");
    if (m.Line1[3].visible && !(near(m.Line1[3].x1, f.pX) && near(m.Line1[3].y2, f.aY)))
        return QStringLiteral("chord PA off its points");
    if (m.Line1[4].visible && !(near(m.Line1[4].y1, f.pY) && near(m.Line1[4].x2, f.bX)))
        return QStringLiteral("chord PB off its points");
    if (m.Line1[0].visible && !(near(m.Line1[0].x1, f.oX) && near(m.Line1[0].x2, f.aX)))
        return QStringLiteral("radius OA off its points");
    if (m.Line1[1].visible && !(near(m.Line1[1].y1, f.oY) && near(m.Line1[1].y2, f.bY)))
        return QStringLiteral("radius OB off its points");
    if (!near(m.Shape2.width, 2 * f.radius)) return QStringLiteral("circle mark of another radius");

    // Boxes: values 0/1, the auxiliary line only with P on the circle, readouts.
    for (CheckBox* b :
         {f.Check2[0], f.Check2[1], f.Check3, f.Check4, f.Check5, f.Check6, f.Check7, f.Check8, f.Check9})
        if (b->checkState() == Qt::PartiallyChecked) return QStringLiteral("box half ticked");
    if (f.Check4->value() != 0 && f.Check9->value() == 0)
        return QStringLiteral("補助線 ticked without 円周上");
    if (f.Check4->value() != 0 && !m.Line1[2].visible) return QStringLiteral("補助線 ticked, line hidden");
    const CheckBox* angleBox[2] = {f.Check8, f.Check7};
    for (int i = 0; i < 2; ++i) {
        if (f.Check2[i]->value() != 0 && angleBox[i]->value() == 0)
            return QStringLiteral("readout box %1 ticked while its angle box is not").arg(i);
        if (f.Check2[i]->value() != 0 && !f.Check2[i]->isEnabled())
            return QStringLiteral("readout box %1 ticked but disabled").arg(i);
        const bool ticked = f.Check2[i]->value() != 0;
        if (f.Label5[i]->isHidden() == ticked || f.Label6[i]->isHidden() == ticked)
            return QStringLiteral("readout %1 shown %2 while its box is %3")
                .arg(i)
                .arg(!f.Label5[i]->isHidden())
                .arg(ticked);
        bool number = false;
        const double value = f.Label5[i]->text().toDouble(&number);
        if (!number || !finite(value))
            return QStringLiteral("readout %1 reads \"%2\"").arg(i).arg(f.Label5[i]->text());
    }
    // A free P shows the angle between its rays to A and B, measured from two whole-degree
    // directions with 3.14 for pi: within 1.2 degrees of the true one.
    const bool apart = std::hypot(f.pX - f.aX, f.pY - f.aY) > 3 && std::hypot(f.pX - f.bX, f.pY - f.bY) > 3;
    if (f.Check9->value() == 0 && !f.Label5[1]->isHidden() && apart) {
        const double ax = f.aX - f.pX, ay = f.aY - f.pY, bx = f.bX - f.pX, by = f.bY - f.pY;
        const double cosine = (ax * bx + ay * by) / std::hypot(ax, ay) / std::hypot(bx, by);
        const double truth = std::acos(std::clamp(cosine, -1.0, 1.0)) * 180 / M_PI;
        if (std::fabs(f.Label5[1]->text().toDouble() - truth) > 1.2)
            return QStringLiteral("free P shows %1 for an angle of %2").arg(f.Label5[1]->text()).arg(truth);
    }
    return {};
}

} // namespace invariants
