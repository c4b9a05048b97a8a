#include "app/programicon.h"

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/enshukaku.png").arg(size), QSize(size, size));
    return icon;
}
