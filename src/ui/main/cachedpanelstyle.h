#pragma once

#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>

#include <vector>

// The application's style, with the frames of group boxes and the panels of line edits drawn once and then
// copied. The main window gives it to the time boxes, which are redrawn every second while timing runs,
// and to the frame around them: drawing these afresh (a scaled image, a rounded and antialiased outline)
// costs several times as much as copying the finished picture.
//
// Each group box's picture is kept here. A line edit inside one gets its panel drawn over the part of that
// picture beneath it, so the panel covers every pixel of the box and the box can be opaque: Qt then redraws
// nothing beneath it. Panels are kept in Qt's pixmap cache while it is on; everything else is drawn as the
// application's style draws it.
class CachedPanelStyle : public QProxyStyle
{
    Q_OBJECT

public:
    CachedPanelStyle();

    // Makes a line edit inside a group box drawn with this style opaque, with this style.
    void takeBox(QWidget *lineEdit);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;

private:
    struct FramePicture
    {
        QPointer<const QWidget> frame;
        QString key;
        QPixmap picture;
    };
    const FramePicture *framePictureOf(const QWidget *frame) const;

    mutable std::vector<FramePicture> m_framePictures;
};
