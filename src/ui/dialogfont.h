#pragma once

#include <QFont>

// The font of every window's text: the windows are drawn up in twips for "MS Sans Serif" at 8.25 points.
// Where that face is missing (on any usual Linux desktop) fontconfig would put its default sans face in its
// place, DejaVu Sans, whose letters are an eighth wider and overrun the boxes ("Active" runs into "Daily
// time"). Liberation Sans, which has Arial's widths, keeps the design's at the same size: its average letter
// at 8.25 points and 96 dots per inch is 6.4 pixels, in the design's dialog unit of 6 (DejaVu Sans: 6.8).
// Where neither is installed, the substitute that fontconfig picks.
QFont dialogFont();
