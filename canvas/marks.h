#pragma once
#include <QColor>
#include <QFont>
#include <QString>

// Marks: movable elements that stand above the canvas drawing. They are plain
// data; the canvas widget paints them, and drawing or clearing the canvas never
// touches them. Positions are canvas pixels in single precision.

// A filled circle such as the dot of a point (9 x 9).
struct DotMark {
    float left = 0, top = 0, width = 9, height = 9;
    bool visible = true;
    QColor outline = Qt::black;
    QColor body = Qt::black;
};

// A circle outline without fill: the circle of the figure and the eraser ring.
struct RingMark {
    float left = 0, top = 0, width = 89, height = 89;
    bool visible = true;
    QColor outline = Qt::black;
    int outlineWidth = 1;
};

// A filled square: the radius handle.
struct SquareMark {
    float left = 0, top = 0, size = 8;
    bool visible = true;
    QColor colour = QColor(0, 0, 255);
};

// A caption in a box that fits the text, drawn over a box of its own colour.
struct LetterMark {
    QString caption;
    float left = 0, top = 0;
    bool visible = true;
    QFont font;
    QColor text = Qt::black;
    QColor box = Qt::white;
};

// A straight segment between two end points.
struct SegmentMark {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool visible = true;
    QColor colour = Qt::black;
    int width = 1;
};
