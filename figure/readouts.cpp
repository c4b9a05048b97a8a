#include "app/form1.h"

void Form1::UpdateReadouts() {}

void Form1::UpdateReadoutsOtherArc() {}
