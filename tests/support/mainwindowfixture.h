#pragma once

#include "core/sessionmodel.h"
#include "platform/clock.h"
#include "platform/presencesource.h"
#include "platform/programenvironment.h"
#include "platform/webaddressopener.h"
#include "storage/projectlistfile.h"
#include "support/fakemessageboxes.h"
#include "support/fakespreadsheetserver.h"
#include "support/filesizelimit.h"
#include "ui/main/mainwindow.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

// A clock that moves only when a test moves it. The wall clock, the span clock and the awake clock move
// together unless a test sets one of them alone (a change of the system time, a change of date), or the
// computer sleeps.
class FakeClock : public Clock
{
public:
    LocalDate date{2006, 4, 18, 3};
    double wallSeconds = 9 * 3600.0;
    double span = 1000.0;
    double awake = 500.0;

    LocalDate today() const override { return date; }
    float secondsSinceMidnight() const override { return static_cast<float>(wallSeconds); }
    double spanReading() const override { return span; }
    double awakeReading() const override { return awake; }

    // A sleep that the awake clock does not count.
    void sleep(double seconds)
    {
        span += seconds;
        wallSeconds += seconds;
    }

    void advance(double seconds)
    {
        sleep(seconds);
        awake += seconds;
    }
};

// Folders that a test chose (usually temporary ones), and version 1.3.1. The project list lies in the
// program's folder.
class FakeEnvironment : public ProgramEnvironment
{
public:
    QString program;
    QString install;
    QString documents;

    QString programFolder() const override { return program; }
    QString dataFolder() const override { return program; }
    QString installDataFolder() const override { return install; }
    QString documentsFolder() const override { return documents; }
    VersionNumber version() const override { return {1, 3, 1}; }
};

// The user's comings and goings, played by a test.
class FakePresenceSource : public PresenceSource
{
    Q_OBJECT

public:
    void leave() { Q_EMIT left(); }
    void comeBack() { Q_EMIT cameBack(); }
};

// Records the addresses it was asked to open and answers with a set outcome.
class FakeWebOpener : public WebAddressOpener
{
public:
    QStringList opened;
    OpenOutcome outcome{true, std::nullopt};

    OpenOutcome open(const QString &address) override
    {
        opened.append(address);
        return outcome;
    }
};

// A main window over fakes, in a temporary program folder with the documents folder in it; the test moves
// the clock and ticks by hand. Window tests derive from it to reach the controls by name, and play what the
// user and the computer do as steps.
class MainWindowFixture
{
public:
    FakeClock clock;
    FakeMessageBoxes boxes;
    FakeEnvironment environment;
    FakeWebOpener webOpener;
    FakeSpreadsheetServer spreadsheetServer;
    FakePresenceSource presence;
    std::unique_ptr<SessionModel> session;
    std::unique_ptr<MainWindow> window;

    // Starts a test afresh: a new program folder, a new clock, no boxes shown yet, the disk free.
    void reset()
    {
        QLocale::setDefault(QLocale::c());
        window.reset();
        m_diskLimit.reset();
        session = std::make_unique<SessionModel>();
        m_folder = std::make_unique<QTemporaryDir>();
        clock = FakeClock();
        boxes = FakeMessageBoxes();
        webOpener = FakeWebOpener();
        spreadsheetServer = FakeSpreadsheetServer();
        environment.program = m_folder->path();
        environment.documents = m_folder->filePath(QStringLiteral("documents"));
        QDir().mkdir(environment.documents);
    }

    QString folderPath() const { return m_folder->path(); }
    QString listPath() const { return folderPath() + QLatin1String("/projlist.dat"); }

    // Creates and loads the window; the test ticks by hand.
    void open()
    {
        window = std::make_unique<MainWindow>(
            *session, listPath(), folderPath() + "/data/projlist.rescued.dat",
            PlatformServices{&clock, &boxes, &environment, &webOpener, &spreadsheetServer, &presence});
        window->Form_Load();
        child<QTimer>(QStringLiteral("tmrOneSecond"))->stop();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // Closes the window as the user does, answering Yes to the exit question.
    void close()
    {
        m_diskLimit.reset();
        boxes.answers = {MessageBoxAnswer::Yes};
        window->close();
        window.reset();
    }

    // Plays steps, separated by ", ":
    //   "name Ann", "project 2 Beta"    types over the user's name or row 2's name ("name" alone clears it)
    //   "row 2", "click"                clicks row 2's option button; Start/Stop
    //   "tick 5", "tick 1x60"           the clocks move, then the timer ticks (sixty times)
    //   "later 0.9", "sleep 1000"       the clocks move without a tick; the computer sleeps
    //   "at 86399.5"                    the wall clock is set to that many seconds after midnight
    //   "leave", "back"                 the user locks the screen, and returns
    //   "answers yes no ok"             how the next boxes are answered
    //   "menu mnuText"                  a menu command
    //   "close", "end", "sessionend"    the close box; an end without a question; the desktop's save
    //   "disk full", "disk free"        saves fail after 16 bytes, or succeed again
    //   "events"                        the event loop runs once
    //   "meanwhile tick 5; leave"       steps played while the next box whose text can change is open
    void play(const QString &steps)
    {
        for (const QString &step : steps.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
            const QString verb = step.section(QLatin1Char(' '), 0, 0);
            const QString rest = step.section(QLatin1Char(' '), 1);
            if (verb == "name" || verb == "project") {
                const QString row = verb == "name" ? QString() : rest.section(QLatin1Char(' '), 0, 0);
                field(verb == "name" ? "txtName" : "txtProjName" + row)
                    ->setText(row.isEmpty() ? rest : rest.section(QLatin1Char(' '), 1));
            } else if (verb == "row" || verb == "click") {
                QWidget *button = verb == "row" ? option(rest.toInt()) : child<QWidget>("cmdStartStop");
                QTest::mouseClick(button, Qt::LeftButton);
            } else if (verb == "tick") {
                for (int times = std::max(1, rest.section(QLatin1Char('x'), 1).toInt()); times > 0; --times) {
                    clock.advance(rest.section(QLatin1Char('x'), 0, 0).toDouble());
                    QVERIFY(QMetaObject::invokeMethod(child<QTimer>("tmrOneSecond"), "timeout"));
                }
            } else if (verb == "later" || verb == "sleep") {
                verb == "later" ? clock.advance(rest.toDouble()) : clock.sleep(rest.toDouble());
            } else if (verb == "at") {
                clock.wallSeconds = rest.toDouble();
            } else if (verb == "leave" || verb == "back") {
                verb == "leave" ? presence.leave() : presence.comeBack();
            } else if (verb == "answers") {
                for (const QString &answer : rest.split(QLatin1Char(' ')))
                    boxes.answers << (answer == "yes"  ? MessageBoxAnswer::Yes
                                      : answer == "no" ? MessageBoxAnswer::No
                                                       : MessageBoxAnswer::Ok);
            } else if (verb == "menu") {
                child<QAction>(rest)->trigger();
            } else if (verb == "close" || verb == "end" || verb == "sessionend") {
                verb == "close" ? void(window->close())
                : verb == "end" ? window->endWithoutQuestion()
                                : window->saveForSessionEnd();
            } else if (verb == "disk") {
                m_diskLimit.reset(rest == "full" ? new FileSizeLimit(16) : nullptr);
            } else if (verb == "events") {
                QCoreApplication::processEvents();
            } else if (verb == "meanwhile") {
                boxes.whileOpen = [this, rest] {
                    play(QString(rest).replace("; ", ", "));
                };
            } else {
                QFAIL(qPrintable("no such step: " + step));
            }
        }
    }

    // The texts that controls or (for "caption") the window show, joined by "|".
    QString texts(const QString &names) const
    {
        QStringList shown;
        for (const QString &name : names.split(QLatin1Char(' ')))
            shown << (name == "caption" ? window->windowTitle()
                                        : child<QWidget>(name)->property("text").toString());
        return shown.join(QLatin1Char('|'));
    }

    // The project list saved: the user's name, then "name total" of each row that has either; empty
    // without the file.
    QString saved() const
    {
        if (!QFile::exists(listPath()))
            return {};
        const ProjectListReading list = ProjectListFile(listPath()).load();
        QStringList parts(list.userName.value_or(QString()));
        for (std::size_t row = 0; row < list.names.size(); ++row)
            if (!list.names[row].isEmpty() || list.totals[row] != 0.0)
                parts << QStringLiteral("%1 %2").arg(list.names[row]).arg(list.totals[row]);
        return parts.join(QLatin1String("; "));
    }

    QLineEdit *field(const QString &name) const { return child<QLineEdit>(name); }
    QRadioButton *option(int row) const { return child<QRadioButton>("optActive" + QString::number(row)); }

    template<typename T> T *child(const QString &name) const { return window->findChild<T *>(name); }

    void writeFile(const QString &path, const QByteArray &bytes) const
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // Bytes of a file in the program folder; empty when it cannot be read.
    QByteArray fileBytes(const QString &name) const
    {
        QFile file(folderPath() + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<FileSizeLimit> m_diskLimit;
};
