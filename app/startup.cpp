#include "app/form1.h"

#include "canvas/palette.h"

void Form1::Form_Load() {
    setWindowTitle(QStringLiteral("円周角の定理　　 by Pelmora"));
    // The window and the canvas work in pixels, origin top left, y downwards.
    gamen.setTextSize(20);
    gamen.setPenColour(palette::rgb(15));
    gamen.setPenWidth(3);
    CreateGridLines();
    for (int i = 0; i < 2; ++i) {
        Label5[i]->hide();
        Label6[i]->hide();
    }
    marks.Line1[2].visible = false;
    marks.Label2[4].visible = false;
    penColour = 12;
    lineColour = 15;
    Option1[0]->select();
    Option2[0]->select();
    ResetFigure();
}

void Form1::ResetFigure() {
    gamen.setPenWidth(3);
    marks.Shape1.visible = false;
    Command4->setBoldCaption(false);
    for (OptionButton* pen : Option1) pen->setEnabled(false);
    for (OptionButton* colour : Option2) colour->setEnabled(false);
    for (CheckBox* line : Check1) line->setValue(0);
    Command3->setBoldCaption(false);
    Command4->setBoldCaption(false);
    Command5->setBoldCaption(false);

    memoMode = 0;
    lineMode = 0;
    lineSlot = 0;
    dragTarget = 0;
    gridShown = 0;
    traceCount = 0;
    for (SegmentMark& line : marks.Line2) line.visible = false;
    for (SegmentMark& line : marks.Line3) line.visible = false;

    oX = 425;
    oY = 325;
    radius = 250;
    handleX = radius + static_cast<float>(oX);
    handleY = radius + static_cast<float>(oY);
    angleP = 110;
    angleA = 220;
    angleB = 320;
    Check9->setValue(1);
    // The auxiliary line goes with the rest of the optional figure, so that the
    // reset really returns to the initial screen.
    Check4->setValue(0);
    LayoutFigure();
}

void Form1::Command1_Click() {
    ResetFigure();
}

void Form1::Command2_Click() {
    // A window that differs from its file (or from the start screen) asks before its
    // changes go; the last figure is kept.
    if (!lessonFiles->MayLeave()) return;
    hide();
    emit quitRequested();
}
