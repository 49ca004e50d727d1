#include "core/sessioncommand.h"
#include "core/sessionmodel.h"
#include "platform/desktoppresencesource.h"
#include "platform/desktopwebopener.h"
#include "platform/platformservices.h"
#include "platform/qtmessageboxes.h"
#include "platform/singleinstance.h"
#include "platform/systemclock.h"
#include "platform/systemenvironment.h"
#include "platform/terminationwatcher.h"
#include "ui/dialogfont.h"
#include "ui/main/mainwindow.h"
#include "ui/programicon.h"
#include "ui/tray/trayindicator.h"
#include "workbook/inprocessspreadsheetserver.h"

#include <QApplication>
#include <QPixmapCache>
#include <QScreen>
#include <QSessionManager>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Qt's own message for a missing display is a page of plugin details; one sentence says what is wrong.
bool hasDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// TALLYWICK_AWAY_SECONDS: after how many seconds away the user is asked whether the time counts.
void setAwayThreshold(SessionModel &session)
{
    const QByteArray setting = qgetenv("TALLYWICK_AWAY_SECONDS");
    if (setting.isEmpty())
        return;
    if (const std::optional<int> seconds = awaySecondsSetting(setting))
        session.setAwayThreshold(*seconds);
    else
        qWarning("TALLYWICK_AWAY_SECONDS is not a whole number of seconds; %d seconds are used",
                 DefaultAwayThreshold);
}

void bringForward(MainWindow &window)
{
    window.showNormal();
    window.raise();
    window.activateWindow();
}

void printLine(std::FILE *stream, const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stream);
}

// Prints what a command gave and returns its exit code.
int finish(const CommandResult &result)
{
    if (!result.output.isEmpty())
        printLine(stdout, result.output);
    if (!result.error.isEmpty())
        printLine(stderr, QLatin1String("tallywick: ") + result.error);
    return result.exitCode;
}

// The one place that says where the project list is: the list, its guard and everything that reads or
// writes it take the path from here.
QString projectListPath(const ProgramEnvironment &environment)
{
    return environment.dataFolder() + QLatin1String("/projlist.dat");
}

// Hands the command to the copy that runs over this user's project list, without a display; nothing when
// no copy answers.
std::optional<CommandResult> sendToRunningCopy(int &argc, char **argv, const SessionCommand &command)
{
    QCoreApplication application(argc, argv);
    SystemEnvironment environment;
    const SingleInstance instance(projectListPath(environment));
    const std::optional<QByteArray> reply = instance.ask(command.toMessage());
    if (!reply)
        return std::nullopt;
    return CommandResult::fromReply(*reply);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = CommandLine::parse(arguments);
    std::optional<SessionCommand> pending; // a command for the copy that starts now
    switch (commandLine.kind) {
    case CommandLine::Kind::Help:
        std::fputs(CommandLine::usage().toUtf8().constData(), stdout);
        return CommandLine::Done;
    case CommandLine::Kind::Version:
        printLine(stdout, CommandLine::versionLine());
        return CommandLine::Done;
    case CommandLine::Kind::Wrong:
        printLine(stderr, QLatin1String("tallywick: ") + commandLine.error);
        std::fputs(CommandLine::usage().toUtf8().constData(), stderr);
        return CommandLine::WrongUsage;
    case CommandLine::Kind::Command:
        if (const std::optional<CommandResult> result = sendToRunningCopy(argc, argv, commandLine.command))
            return finish(*result);
        if (commandLine.command.kind == SessionCommand::Kind::Status) {
            printLine(stdout, QStringLiteral("not running"));
            return CommandLine::NotRunning;
        }
        if (commandLine.command.kind == SessionCommand::Kind::Stop)
            return CommandLine::Done;
        pending = commandLine.command; // --start, --toggle and --project start the program first
        break;
    case CommandLine::Kind::Run:
        break;
    }

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

    QApplication::setFont(dialogFont());
    // The style keeps the pieces it draws in Qt's pixmap cache, which a timer empties 30 seconds after the
    // last use: a wake-up in a program standing idle. So the cache is off while stopped, when little is
    // redrawn, and on while timing runs, when the time boxes redrawn every second are copied from it (see
    // CachedPanelStyle, and SessionModel::runningChanged below).
    const int styleCacheLimit = QPixmapCache::cacheLimit();
    QPixmapCache::setCacheLimit(0);

    SystemClock clock;
    QtMessageBoxes messageBoxes;
    SystemEnvironment environment;
    DesktopWebOpener webOpener;
    InProcessSpreadsheetServer spreadsheetServer;
    DesktopPresenceSource presence;
    const PlatformServices services{&clock,     &messageBoxes,      &environment,
                                    &webOpener, &spreadsheetServer, &presence};

    // One copy per list: a later one hands its command to the copy that runs (by default, to come to the
    // front), or says why it cannot.
    const QString listPath = projectListPath(environment);
    SingleInstance instance(listPath);
    QByteArray reply;
    switch (instance.claim(messageBoxes, pending ? pending->toMessage() : QByteArrayLiteral("activate"),
                           &reply)) {
    case SingleInstance::Claim::Claimed:
        break;
    case SingleInstance::Claim::HandedOver:
        return pending ? finish(CommandResult::fromReply(reply)) : EXIT_SUCCESS;
    case SingleInstance::Claim::InUseElsewhere:
        return EXIT_FAILURE;
    }

    SessionModel session;
    setAwayThreshold(session);
    QObject::connect(&session, &SessionModel::runningChanged, &session, [styleCacheLimit](bool running) {
        QPixmapCache::setCacheLimit(running ? styleCacheLimit : 0);
    });
    MainWindow window(session, listPath,
                      SystemEnvironment::userDataFolder() + QLatin1String("/projlist.rescued.dat"), services);
    window.Form_Load();
    // Commands from later copies act on the session as the window's controls do, and never wait on a box
    // that the window may show.
    instance.setRequestHandler([&session, &clock](const QByteArray &message) {
        return answerCommandMessage(message, session, clock.spanReading());
    });

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
    if (pending) // as if typed into the new window
        finish(executeCommand(*pending, session, clock.spanReading()));
    // The buses are reached once the window is up, so that they do not hold up the start.
    QTimer::singleShot(0, &presence, &DesktopPresenceSource::watch);
    // Where the desktop has no tray there is no indicator: nothing to build, nothing to keep up to date.
    std::unique_ptr<TrayIndicator> tray;
    QTimer::singleShot(0, &window, [&tray, &session, &window, &services] {
        if (!QSystemTrayIcon::isSystemTrayAvailable())
            return;
        tray = std::make_unique<TrayIndicator>(session, window, *services.clock);
        tray->show();
    });
    return app.exec();
}
