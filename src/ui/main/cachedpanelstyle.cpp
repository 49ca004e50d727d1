#include "cachedpanelstyle.h"

#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>

namespace {

// What tells one drawing of a piece from another: its kind, size, state, colours, direction and the
// screen's scale, then what the piece's own options add.
QString cacheKey(const char *piece, const QStyleOption &option, qreal scale, const QString &details)
{
    return QStringLiteral("tallywick-%1-%2x%3-%4-%5-%6-%7-%8")
        .arg(QLatin1String(piece))
        .arg(option.rect.width())
        .arg(option.rect.height())
        .arg(uint(option.state), 0, 16)
        .arg(option.palette.cacheKey(), 0, 16)
        .arg(int(option.direction))
        .arg(scale)
        .arg(details);
}

// Draws a piece from the cache, or draws it into a pixmap of its size and keeps that, then copies it in.
// drawAt(painter, options at the origin) draws the piece as the base style does.
template<typename Options, typename Draw>
void drawCached(const char *piece, const Options &option, const QString &details, QPainter *painter,
                Draw drawAt)
{
    const qreal scale = painter->device()->devicePixelRatio();
    const QString key = cacheKey(piece, option, scale, details);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap(option.rect.size() * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        Options atOrigin = option;
        atOrigin.rect.moveTo(0, 0);
        QPainter pixmapPainter(&pixmap);
        drawAt(&pixmapPainter, atOrigin);
        pixmapPainter.end();
        QPixmapCache::insert(key, pixmap);
    }
    painter->drawPixmap(option.rect.topLeft(), pixmap);
}

bool cacheIsOn()
{
    return QPixmapCache::cacheLimit() > 0;
}

} // namespace

CachedPanelStyle::CachedPanelStyle() = default;

void CachedPanelStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                     const QWidget *widget) const
{
    const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
    if (element != PE_PanelLineEdit || frame == nullptr || !cacheIsOn()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QString details = QStringLiteral("%1-%2-%3-%4")
                                .arg(frame->lineWidth)
                                .arg(frame->midLineWidth)
                                .arg(int(frame->features))
                                .arg(int(frame->frameShape));
    drawCached("panel", *frame, details, painter, [&](QPainter *target, const QStyleOptionFrame &atOrigin) {
        QProxyStyle::drawPrimitive(element, &atOrigin, target, widget);
    });
}

void CachedPanelStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                          QPainter *painter, const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || box == nullptr || !cacheIsOn()) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QString details = QStringLiteral("%1-%2-%3-%4-%5-%6-%7")
                                .arg(box->lineWidth)
                                .arg(box->midLineWidth)
                                .arg(int(box->features))
                                .arg(int(box->subControls))
                                .arg(int(box->activeSubControls))
                                .arg(int(box->textAlignment))
                                .arg(box->textColor.rgba(), 0, 16) +
                            box->text;
    drawCached("group", *box, details, painter, [&](QPainter *target, const QStyleOptionGroupBox &atOrigin) {
        QProxyStyle::drawComplexControl(control, &atOrigin, target, widget);
    });
}
