#include "app/form1.h"

// Start-up: the two templates and the 25 further horizontal and 34 further
// vertical lines, 25 pixels apart, all hidden.
void Form1::CreateGridLines() {
    SegmentMark horizontal = marks.Line2[0];
    horizontal.x1 = 0;
    horizontal.y1 = 0;
    horizontal.x2 = 875;
    horizontal.y2 = 0;
    horizontal.visible = false;
    marks.Line2.assign(1, horizontal);
    for (int i = 1; i <= 25; ++i) {
        SegmentMark line = horizontal;
        line.y1 = line.y2 = static_cast<float>(25 * i);
        marks.Line2.push_back(line);
    }
    SegmentMark vertical = marks.Line3[0];
    vertical.x1 = 0;
    vertical.y1 = 0;
    vertical.x2 = 0;
    vertical.y2 = 625;
    vertical.visible = false;
    marks.Line3.assign(1, vertical);
    for (int i = 1; i <= 34; ++i) {
        SegmentMark line = vertical;
        line.x1 = line.x2 = static_cast<float>(25 * i);
        marks.Line3.push_back(line);
    }
}

void Form1::Command4_Click() {
    const bool show = gridShown == 0;
    for (SegmentMark& line : marks.Line2) line.visible = show;
    for (SegmentMark& line : marks.Line3) line.visible = show;
    Command4->setBoldCaption(show);
    gridShown = show ? 1 : 0;
}
