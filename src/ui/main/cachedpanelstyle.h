#pragma once

#include <QProxyStyle>

// The application's style, with the panels of line edits and the frames of group boxes drawn once and then
// copied from Qt's pixmap cache while the cache is on. The main window gives it to the controls that are
// redrawn every second while timing runs: each redraw of a time box repaints its panel and the part of the
// frame around the project table beneath it, and drawing them afresh (a rounded, antialiased outline, a
// scaled image) costs several times as much as copying the finished picture. With the cache off, or for
// anything else, it draws as the application's style does.
class CachedPanelStyle : public QProxyStyle
{
    Q_OBJECT

public:
    CachedPanelStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
};
