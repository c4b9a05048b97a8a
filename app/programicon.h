#pragma once
#include <QIcon>

// The program's icon (the one in the desktop's menu) at the sizes kept in the
// program's resources, for its windows.
QIcon programIcon();
