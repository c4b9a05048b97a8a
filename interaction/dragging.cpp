#include "app/form1.h"

void Form1::PickHandle(float, float) {}

void Form1::DragFigure(float, float) {}
