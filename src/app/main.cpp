#include "platform/desktopwebopener.h"
#include "platform/platformservices.h"
#include "platform/qtmessageboxes.h"
#include "platform/systemclock.h"
#include "platform/systemenvironment.h"
#include "ui/main/mainwindow.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tallywick"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tallywick-32.png")));

    // The windows are drawn up for the classic 8.25-point dialog font; fontconfig picks the nearest face.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);

    SystemClock clock;
    QtMessageBoxes messageBoxes;
    SystemEnvironment environment;
    DesktopWebOpener webOpener;
    const PlatformServices services{&clock, &messageBoxes, &environment, &webOpener};

    MainWindow window(services);
    if (!window.Form_Load())
        return 1;
    window.adjustSize();
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                           window.screen()->availableGeometry()));
    window.show();
    return app.exec();
}
