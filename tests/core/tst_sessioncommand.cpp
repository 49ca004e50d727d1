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
        using K = CommandLine::Kind;
        QTest::newRow("nothing") << QStringList() << K::Run << QByteArray();
        QTest::newRow("Qt's own") << QStringList{"-session", "abc", "-style=fusion"} << K::Run
                                  << QByteArray();
        QTest::newRow("start") << QStringList{"--start"} << K::Command << QByteArray("start");
        QTest::newRow("stop") << QStringList{"--stop"} << K::Command << QByteArray("stop");
        QTest::newRow("toggle") << QStringList{"--toggle"} << K::Command << QByteArray("toggle");
        QTest::newRow("status") << QStringList{"--status"} << K::Command << QByteArray("status");
        QTest::newRow("project 3") << QStringList{"--project", "3"} << K::Command << QByteArray("project 3");
        QTest::newRow("project=8") << QStringList{"--project=8"} << K::Command << QByteArray("project 8");
        QTest::newRow("help wins") << QStringList{"--start", "--help"} << K::Help << QByteArray();
        QTest::newRow("version") << QStringList{"--version"} << K::Version << QByteArray();
        QTest::newRow("project 0") << QStringList{"--project", "0"} << K::Wrong << QByteArray("--project");
        QTest::newRow("project 9") << QStringList{"--project=9"} << K::Wrong << QByteArray("--project");
        QTest::newRow("project +3") << QStringList{"--project", "+3"} << K::Wrong << QByteArray("--project");
        QTest::newRow("project alone") << QStringList{"--project"} << K::Wrong << QByteArray("--project");
        QTest::newRow("two commands") << QStringList{"--start", "--stop"} << K::Wrong << QByteArray("one");
        QTest::newRow("unknown") << QStringList{"--frobnicate"} << K::Wrong << QByteArray("unknown");
        QTest::newRow("activate") << QStringList{"--activate"} << K::Wrong << QByteArray("unknown");
        QTest::newRow("value") << QStringList{"--stop=now"} << K::Wrong << QByteArray("stop takes");
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
        const std::optional<SessionCommand> project = SessionCommand::fromMessage("project 4");
        QVERIFY(project);
        QCOMPARE(project->row, 3);
    }

    // Each command as the window's control, on a session with a total already kept, so that the daily
    // and the total times differ.
    void commandsActAsTheControls_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QByteArrayList>("messages");
        QTest::addColumn<int>("lastExitCode");
        QTest::addColumn<QString>("status");
        QTest::newRow("start") << "Ann" << QByteArrayList{"start"} << 0
                               << "running\t1\tProject 1\t0:00:02\t1:00:02\t0:00:02";
        QTest::newRow("start twice") << "Ann" << QByteArrayList{"start", "start"} << 0
                                     << "running\t1\tProject 1\t0:00:04\t1:00:04\t0:00:04";
        QTest::newRow("start and stop") << "Ann" << QByteArrayList{"start", "stop"} << 0
                                        << "stopped\t1\tProject 1\t0:00:02\t1:00:02\t0:00:02";
        QTest::newRow("stop while stopped")
            << "Ann" << QByteArrayList{"stop"} << 0 << "stopped\t1\tProject 1\t0:00:00\t1:00:00\t0:00:00";
        QTest::newRow("toggle twice") << "Ann" << QByteArrayList{"toggle", "toggle"} << 0
                                      << "stopped\t1\tProject 1\t0:00:02\t1:00:02\t0:00:02";
        QTest::newRow("start without a name")
            << "" << QByteArrayList{"start"} << 1 << "stopped\t1\tProject 1\t0:00:00\t1:00:00\t0:00:00";
        QTest::newRow("toggle without a name")
            << "" << QByteArrayList{"toggle"} << 1 << "stopped\t1\tProject 1\t0:00:00\t1:00:00\t0:00:00";
        QTest::newRow("project while timing") << "Ann" << QByteArrayList{"start", "project 3"} << 0
                                              << "running\t3\tProject 3\t0:00:02\t0:00:02\t0:00:04";
        QTest::newRow("project without a name")
            << "" << QByteArrayList{"project 8"} << 0 << "stopped\t8\tProject 8\t0:00:00\t0:00:00\t0:00:00";
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

    void statusSaysAwayUntilTheReturn()
    {
        SessionModel session;
        session.start(0.0);
        session.leave(10.0);
        QVERIFY(statusLine(session).startsWith("away\t1\t"));
        session.comeBack(1000.0);
        QVERIFY(session.hasHeldTime());
        QVERIFY(statusLine(session).startsWith("running\t1\t"));
    }

    void statusKeepsANameToOneField()
    {
        SessionModel session;
        session.setProjectName(0, QStringLiteral(" Tab\there\nand there"));
        QCOMPARE(statusLine(session).split(QLatin1Char('\t')).at(2), QStringLiteral(" Tab here and there"));
    }
};

QTEST_GUILESS_MAIN(TestSessionCommand)
#include "tst_sessioncommand.moc"
