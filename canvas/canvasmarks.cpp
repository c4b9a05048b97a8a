#include "canvas/canvasmarks.h"

#include "canvas/fonts.h"

namespace {

LetterMark letter(const QString& caption, double points) {
    LetterMark mark;
    mark.caption = caption;
    mark.font = fonts::mincho(points, true);
    return mark;
}

SegmentMark segment(QColor colour, int width) {
    SegmentMark mark;
    mark.colour = colour;
    mark.width = width;
    return mark;
}

} // namespace

CanvasMarks::CanvasMarks() {
    Shape1.width = 57;
    Shape1.height = 41;
    Shape2.outlineWidth = 4;
    Shape4.outline = Shape4.body = QColor(255, 0, 0);

    const char* figureLetters[5] = {"Ｐ", "Ａ", "Ｂ", "O", "Ｃ"};
    for (int i = 0; i < 5; ++i) Label2[i] = letter(QString::fromUtf8(figureLetters[i]), 21.75);
    for (int i = 0; i < 5; ++i) {
        Label3[i] = letter(QStringLiteral("Ｐ"), 21.75);
        Label3[i + 5] = letter(QString::number(i + 1), 9.75);
    }

    Label7.font = fonts::gothic(12);
    Label7.text = Qt::white;
    Label7.left = 8;
    Label7.top = 8;

    Line1[0] = Line1[1] = segment(QColor(0, 0, 255), 3);
    Line1[2] = segment(QColor(255, 0, 0), 3);
    Line1[3] = Line1[4] = segment(Qt::black, 4);
    Line4.fill(segment(QColor(255, 0, 0), 4));
    Line5.fill(segment(QColor(0, 128, 0), 3));
    Line2.assign(1, segment(QColor(192, 192, 192), 1));
    Line3.assign(1, segment(QColor(192, 192, 192), 1));
}
