#include "cachedpanelstyle.h"

#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

namespace {

// What tells one drawing of a piece from another: its kind, size, state, colours, direction and the
// screen's scale, then what the piece's own options add.
QString pieceKey(const char *piece, const QStyleOption &option, qreal scale, const QString &details)
{
    return QString::asprintf("tallywick-%s-%dx%d-%x-%llx-%d-%g-", piece, option.rect.width(),
                             option.rect.height(), uint(option.state),
                             static_cast<unsigned long long>(option.palette.cacheKey()),
                             int(option.direction), scale) +
           details;
}

// A transparent pixmap of the piece's size, for the screen's scale, with the piece drawn in it by
// drawAt(painter, options at the origin).
template<typename Options, typename Draw> QPixmap drawnPiece(const Options &option, qreal scale, Draw drawAt)
{
    QPixmap pixmap(option.rect.size() * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    Options atOrigin = option;
    atOrigin.rect.moveTo(0, 0);
    QPainter painter(&pixmap);
    drawAt(&painter, atOrigin);
    return pixmap;
}

// What shows through a widget that fills no background of its own: the background of the nearest
// container that fills its own, or of the window.
QBrush backgroundBehind(const QWidget *widget)
{
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (widget->autoFillBackground() || widget->isWindow())
            return widget->palette().brush(widget->backgroundRole());
    }
    return {};
}

} // namespace

CachedPanelStyle::CachedPanelStyle() = default;

void CachedPanelStyle::takeBox(QWidget *lineEdit)
{
    lineEdit->setStyle(this);
    lineEdit->setAttribute(Qt::WA_OpaquePaintEvent);
}

const CachedPanelStyle::FramePicture *CachedPanelStyle::framePictureOf(const QWidget *frame) const
{
    const auto found = std::find_if(m_framePictures.begin(), m_framePictures.end(),
                                    [frame](const FramePicture &kept) { return kept.frame == frame; });
    return found == m_framePictures.end() ? nullptr : &*found;
}

void CachedPanelStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                     const QWidget *widget) const
{
    const auto *panel = qstyleoption_cast<const QStyleOptionFrame *>(option);
    const QWidget *frame = widget != nullptr ? widget->parentWidget() : nullptr;
    if (element != PE_PanelLineEdit || panel == nullptr || frame == nullptr) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    if (framePictureOf(frame) == nullptr) { // not drawn yet: have it drawn, which keeps its picture
        QPixmap scratch(1, 1);
        const_cast<QWidget *>(frame)->render(&scratch, QPoint(), QRegion(0, 0, 1, 1),
                                             QWidget::DrawWindowBackground);
    }
    // Beneath the panel: the frame's background, then the frame's picture, which is not opaque itself.
    const FramePicture *beneath = framePictureOf(frame);
    const QBrush background = backgroundBehind(frame);
    const auto drawPanel = [&](QPainter *target, const QStyleOptionFrame &atOrigin) {
        if (beneath != nullptr) {
            target->fillRect(atOrigin.rect, background);
            target->drawPixmap(-widget->pos(), beneath->picture);
        }
        QProxyStyle::drawPrimitive(element, &atOrigin, target, widget);
    };
    const qreal scale = painter->device()->devicePixelRatio();
    if (QPixmapCache::cacheLimit() == 0) {
        painter->drawPixmap(panel->rect.topLeft(), drawnPiece(*panel, scale, drawPanel));
        return;
    }
    const QString key =
        pieceKey("panel", *panel, scale,
                 QString::asprintf("%d-%d-%d-%d-%d-%d-%x-", panel->lineWidth, panel->midLineWidth,
                                   int(panel->features), int(panel->frameShape), widget->x(), widget->y(),
                                   background.color().rgba()) +
                     (beneath != nullptr ? beneath->key : QString()));
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = drawnPiece(*panel, scale, drawPanel);
        QPixmapCache::insert(key, pixmap);
    }
    painter->drawPixmap(panel->rect.topLeft(), pixmap);
}

void CachedPanelStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                          QPainter *painter, const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || box == nullptr || widget == nullptr) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const qreal scale = painter->device()->devicePixelRatio();
    const QString key =
        pieceKey("frame", *box, scale,
                 QString::asprintf("%d-%d-%d-%d-%d-%d-%x-", box->lineWidth, box->midLineWidth,
                                   int(box->features), int(box->subControls), int(box->activeSubControls),
                                   int(box->textAlignment), box->textColor.rgba()) +
                     box->text);
    // Forget the pictures of frames that are gone.
    m_framePictures.erase(std::remove_if(m_framePictures.begin(), m_framePictures.end(),
                                         [](const FramePicture &kept) { return kept.frame.isNull(); }),
                          m_framePictures.end());
    auto *kept = const_cast<FramePicture *>(framePictureOf(widget));
    if (kept == nullptr) {
        m_framePictures.push_back({widget, QString(), QPixmap()});
        kept = &m_framePictures.back();
    }
    if (kept->key != key) {
        kept->key = key;
        kept->picture = drawnPiece(*box, scale, [&](QPainter *target, const QStyleOptionGroupBox &atOrigin) {
            QProxyStyle::drawComplexControl(control, &atOrigin, target, widget);
        });
    }
    painter->drawPixmap(box->rect.topLeft(), kept->picture);
}
