#include "fixeddialogframe.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

void setUpFixedDialogFrame(QDialog &dialog, int clientWidth, int clientHeight)
{
    // CustomizeWindowHint makes the window manager draw only the buttons named here.
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFixedSize(clientWidth, clientHeight);

    // Placing the dialog ourselves keeps QDialog from centring it over its owner instead of the screen.
    const QWidget *owner = dialog.parentWidget();
    QScreen *screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    dialog.move(area.center() - QPoint(clientWidth / 2, clientHeight / 2));
}
