#pragma once

#include <QIcon>

// The program's icon for its windows, with each size drawn for the title bar and the task switcher (16 to
// 64 pixels), so that a screen at scale 2 takes the picture drawn for 32 or 64 pixels instead of a scaled
// one. The larger sizes are for the desktop's menus and come from the installed icon theme.
QIcon programIcon();
