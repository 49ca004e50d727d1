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

// Puts a control at its place in the layout, given in twips from its container's top left.
inline void placeInTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}
