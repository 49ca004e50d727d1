#include "weblinklabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

// A plain label is static text to a screen reader; this one is announced as a link with a press action.
class WebLinkAccessible : public QAccessibleWidget
{
public:
    explicit WebLinkAccessible(WebLinkLabel *link) : QAccessibleWidget(link, QAccessible::Link) {}

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        // Queued: whatever the click opens (a browser, an error box) comes after the reader's request.
        auto *link = static_cast<WebLinkLabel *>(widget());
        if (actionName == pressAction())
            QMetaObject::invokeMethod(
                link, [link] { Q_EMIT link->clicked(); }, Qt::QueuedConnection);
    }
};

QAccessibleInterface *createWebLinkAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("WebLinkLabel") && object && object->isWidgetType())
        return new WebLinkAccessible(static_cast<WebLinkLabel *>(object));
    return nullptr;
}

} // namespace

WebLinkLabel::WebLinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(createWebLinkAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);

    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(linkPalette);

    setCursor(Qt::PointingHandCursor);
    // Tab only: a click opens the link without taking the focus from where the keyboard left it.
    setFocusPolicy(Qt::TabFocus);
}

void WebLinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    event->accept();
}

void WebLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    event->accept();
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void WebLinkLabel::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain) {
            event->accept();
            Q_EMIT clicked();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void WebLinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A label draws no focus of its own; frame the link's text the way the style frames a focused button.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    const QRect textArea =
        style()->itemTextRect(fontMetrics(), contentsRect(), int(alignment()), true, text());
    option.rect = textArea.adjusted(-1, 0, 1, 0).intersected(rect());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
