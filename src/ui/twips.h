#pragma once

#include <QRect>
#include <QWidget>

// Window layouts are drawn up in twips, 15 to a logical pixel; Qt scales logical pixels for high-DPI screens.
constexpr int Twips(int twips)
{
    return twips / 15;
}

// A rectangle given in twips, in logical pixels.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

// Puts a control at its place in the layout, given in twips from its container's top left. Its size is
// fixed, so that a new text never sends its container a request for a layout pass.
inline void placeInTwips(QWidget *widget, int left, int top, int width, int height)
{
    const QRect place = twipsRect(left, top, width, height);
    widget->setFixedSize(place.size());
    widget->move(place.topLeft());
}
