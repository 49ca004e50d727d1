#include "programicon.h"

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/tallywick-%1.png").arg(size), QSize(size, size));
    return icon;
}
