#include "core/sessionmodel.h"
#include "platform/desktopwebopener.h"
#include "platform/platformservices.h"
#include "platform/qtmessageboxes.h"
#include "platform/singleinstance.h"
#include "platform/systemclock.h"
#include "platform/systemenvironment.h"
#include "platform/terminationwatcher.h"
#include "ui/main/mainwindow.h"
#include "ui/programicon.h"
#include "workbook/inprocessspreadsheetserver.h"

#include <QApplication>
#include <QFont>
#include <QPixmapCache>
#include <QScreen>
#include <QSessionManager>
#include <QStyle>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt's own message for a missing display is a page of plugin details; one sentence says what is wrong.
bool hasDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

void bringForward(MainWindow &window)
{
    window.showNormal();
    window.raise();
    window.activateWindow();
}

} // namespace

int main(int argc, char *argv[])
{
    if (!hasDisplay()) {
        std::fputs("Tallywick needs a graphical display, and none is available here (DISPLAY and "
                   "WAYLAND_DISPLAY are not set).\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tallywick"));
    QApplication::setDesktopFileName(QStringLiteral(TALLYWICK_DESKTOP_ID));
    // Every window takes the program's icon from here; QIcon reads each file as it is added, so only once.
    QApplication::setWindowIcon(programIcon());

    // The windows are drawn up for the classic 8.25-point dialog font; fontconfig picks the nearest face.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    // The style keeps the pieces it draws in Qt's pixmap cache, which a timer empties 30 seconds after the
    // last use: the one wake-up left in a program standing idle. The window is small and redrawn at most
    // once a second, so drawing it afresh costs nothing that shows.
    QPixmapCache::setCacheLimit(0);

    SystemClock clock;
    QtMessageBoxes messageBoxes;
    SystemEnvironment environment;
    DesktopWebOpener webOpener;
    InProcessSpreadsheetServer spreadsheetServer;
    const PlatformServices services{&clock, &messageBoxes, &environment, &webOpener, &spreadsheetServer};

    // One path for the list, its guard and everything that reads or writes it. One copy per list: a later
    // one brings the running copy to the front, or says why it cannot.
    const QString projectListPath = environment.dataFolder() + QLatin1String("/projlist.dat");
    SingleInstance instance(projectListPath);
    switch (instance.claim(messageBoxes)) {
    case SingleInstance::Claim::Claimed:
        break;
    case SingleInstance::Claim::HandedOver:
        return EXIT_SUCCESS;
    case SingleInstance::Claim::InUseElsewhere:
        return EXIT_FAILURE;
    }

    SessionModel session;
    MainWindow window(session, projectListPath, services);
    window.Form_Load();

    QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                     [&window] { bringForward(window); });
    TerminationWatcher terminationWatcher;
    QObject::connect(&terminationWatcher, &TerminationWatcher::terminationRequested, &window, [&window] {
        window.endWithoutQuestion();
        QCoreApplication::quit(); // also ends a dialog that may be open
    });
    // At the end of the desktop session the project list is saved before anything can be asked.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager &) { window.saveForSessionEnd(); });

    window.adjustSize();
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                           window.screen()->availableGeometry()));
    window.show();
    return app.exec();
}
