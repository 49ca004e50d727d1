#include "core/sessioncommand.h"
#include "core/sessionmodel.h"

#include <QtTest>

Q_DECLARE_METATYPE(CommandLine::Kind)

// Commands from outside the window: what the command line asks for, what goes over the channel, and what
// each does to the session.
class TestSessionCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Kind>("kind");
        QTest::addColumn<QByteArray>("message"); // of the command, or the start of the error
        const auto row = [](const QStringList &arguments, CommandLine::Kind kind, const char *message) {
            QTest::newRow(qPrintable(arguments.join(' '))) << arguments << kind << QByteArray(message);
        };
        using K = CommandLine::Kind;
        row({}, K::Run, "");
        row({"-session", "abc", "-style=fusion"}, K::Run, ""); // Qt's own
        row({"--start"}, K::Command, "start");
        row({"--stop"}, K::Command, "stop");
        row({"--toggle"}, K::Command, "toggle");
        row({"--status"}, K::Command, "status");
        row({"--project", "3"}, K::Command, "project 3");
        row({"--project=8"}, K::Command, "project 8");
        row({"--start", "--help"}, K::Help, "");
        row({"--version"}, K::Version, "");
        row({"--project", "0"}, K::Wrong, "--project");
        row({"--project=9"}, K::Wrong, "--project");
        row({"--project", "+3"}, K::Wrong, "--project");
        row({"--project"}, K::Wrong, "--project");
        row({"--start", "--stop"}, K::Wrong, "one");
        row({"--frobnicate"}, K::Wrong, "unknown");
        row({"--activate"}, K::Wrong, "unknown");
        row({"--stop=now"}, K::Wrong, "stop takes");
    }
    void parsesTheCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Kind, kind);
        QFETCH(QByteArray, message);
        const CommandLine line = CommandLine::parse(QStringList{"tallywick"} + arguments);
        QCOMPARE(line.kind, kind);
        if (kind == CommandLine::Kind::Command)
            QCOMPARE(line.command.toMessage(), message);
        if (kind == CommandLine::Kind::Wrong)
            QVERIFY2(line.error.startsWith(QString::fromLatin1(message)), qPrintable(line.error));
    }

    void channelRefusesMalformedMessages()
    {
        for (const char *bad : {"", "start ", "project", "project 9", "project 1 2", "reboot", "status\n",
                                "project x", "\xff\xfe"})
            QVERIFY2(!SessionCommand::fromMessage(bad), bad);
        QCOMPARE(SessionCommand::fromMessage("project 4").value_or(SessionCommand()).row, 3);
    }

    // Each command as the window's control, on a session with a total already kept, so that the daily
    // and the total times differ. The status line's fields, here split at "|", are split at tabs.
    void commandsActAsTheControls_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QByteArrayList>("messages");
        QTest::addColumn<int>("lastExitCode");
        QTest::addColumn<QString>("status");
        const auto row = [](const char *name, const char *userName, const QByteArrayList &messages,
                            int lastExitCode, const char *status) {
            QTest::newRow(name) << QString::fromLatin1(userName) << messages << lastExitCode
                                << QString::fromLatin1(status).replace('|', '\t');
        };
        row("start", "Ann", {"start"}, 0, "running|1|Project 1|0:00:02|1:00:02|0:00:02");
        row("start twice", "Ann", {"start", "start"}, 0, "running|1|Project 1|0:00:04|1:00:04|0:00:04");
        row("start and stop", "Ann", {"start", "stop"}, 0, "stopped|1|Project 1|0:00:02|1:00:02|0:00:02");
        row("stop while stopped", "Ann", {"stop"}, 0, "stopped|1|Project 1|0:00:00|1:00:00|0:00:00");
        row("toggle twice", "Ann", {"toggle", "toggle"}, 0, "stopped|1|Project 1|0:00:02|1:00:02|0:00:02");
        row("start without a name", "", {"start"}, 1, "stopped|1|Project 1|0:00:00|1:00:00|0:00:00");
        row("toggle without a name", "", {"toggle"}, 1, "stopped|1|Project 1|0:00:00|1:00:00|0:00:00");
        row("project while timing", "Ann", {"start", "project 3"}, 0,
            "running|3|Project 3|0:00:02|0:00:02|0:00:04");
        row("project without a name", "", {"project 8"}, 0, "stopped|8|Project 8|0:00:00|0:00:00|0:00:00");
    }
    void commandsActAsTheControls()
    {
        QFETCH(QString, userName);
        QFETCH(QByteArrayList, messages);
        QFETCH(QString, status);
        SessionModel session;
        session.setUserName(userName);
        session.setAndShowCount(SessionModel::TimeColumn::Total, 0, 3600);
        session.setAndShowCount(SessionModel::TimeColumn::Daily, 0, 0);
        double reading = 100.0;
        CommandResult result;
        for (const QByteArray &message : messages) {
            result = executeCommand(*SessionCommand::fromMessage(message), session, reading);
            QCOMPARE(result.output, QString());
            session.accrue(reading += 2.0);
        }
        QTEST(result.exitCode, "lastExitCode");
        QCOMPARE(result.error.isEmpty(), result.exitCode == 0);
        const CommandResult shown = executeCommand({SessionCommand::Kind::Status, 0}, session, reading);
        QCOMPARE(shown.output, status);
    }

    // Away from the user's leaving until the return, whether or not the time away waits for an answer; a
    // name stays one field.
    void statusLineSaysAwayAndKeepsANameToOneField()
    {
        SessionModel session;
        session.setProjectName(0, QStringLiteral(" Tab\there\nand\rthere"));
        session.start(0.0);
        session.leave(10.0);
        QCOMPARE(statusLine(session),
                 QStringLiteral("away\t1\t Tab here and there\t0:00:00\t0:00:00\t0:00:00"));
        session.comeBack(1000.0);
        QVERIFY(session.hasHeldTime());
        QVERIFY(statusLine(session).startsWith("running\t1\t"));
    }
};

QTEST_GUILESS_MAIN(TestSessionCommand)
#include "tst_sessioncommand.moc"
