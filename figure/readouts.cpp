#include "app/form1.h"

#include "figure/geometry.h"

using geometry::FigureCase;

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// ∠AOB on the subtended arc; ∠APB by the inscribed angle theorem while P is held on
// the circle, otherwise as measured at P.
void writeReadouts(Form1& form, FigureCase figure) {
    const int central = geometry::subtendedCentralAngle(figure, form.angleA, form.angleB);
    form.Label5[0]->setCaption(text(geometry::wholeNumberText(central)));
    const bool onCircle = form.Check9->value() == 1;
    const std::string inscribed =
        onCircle ? geometry::halfText(central)
                 : geometry::wholeNumberText(geometry::angleBetweenRays(form.dirPA, form.dirPB));
    form.Label5[1]->setCaption(text(inscribed));
}

} // namespace

// Every caller gets the readouts of the current case, whether or not the arc is shown.
void Form1::UpdateReadouts() {
    if (geometry::figureCaseOfSide({aX, aY}, {bX, bY}, {pX, pY}) == FigureCase::OnArc) {
        UpdateReadoutsOtherArc();
        return;
    }
    UpdateDirectionsFromP();
    writeReadouts(*this, FigureCase::OffArc);
}

void Form1::UpdateReadoutsOtherArc() {
    UpdateDirectionsFromP();
    writeReadouts(*this, FigureCase::OnArc);
}
