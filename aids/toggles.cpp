#include "app/form1.h"

void Form1::Check6_Click() {}
void Form1::Check7_Click() {}
void Form1::Check8_Click() {}
void Form1::Check2_Click(int) {}
void Form1::Check5_Click() {}
void Form1::Check4_Click() {}
void Form1::Check9_Click() {}
