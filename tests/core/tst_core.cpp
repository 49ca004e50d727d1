#include "core/numbertext.h"
#include "core/sessioncommand.h"
#include "core/sessionmodel.h"
#include "core/timetext.h"

#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(CommandLine::Kind)

// The core over values: the texts of times and numbers (the dates are shown by the reports' golden files);
// the timing session, with readings handed in and texts read back as the window shows them; and the
// commands from outside the window: what the command line asks for, what goes over the channel, and what
// each does to the session.
class TestCore : public QObject
{
    Q_OBJECT

    using Column = SessionModel::TimeColumn;

    static QStringList rowTexts(const SessionModel &model, int row)
    {
        return {model.projectName(row), model.shown(Column::Daily, row).text,
                model.shown(Column::Total, row).text};
    }

private Q_SLOTS:
    // clang-format off
    void timeTexts()
    {
        for (const auto &[seconds, text] :
             {std::pair(0.0, " 0:00:00"), {3725, " 1:02:05"}, {2.5, " 0:00:02"}, {3.5, " 0:00:04"},
              {-5, "-0:00:05"}, {-0.5, " 0:00:00"}, {-0.6, "-0:00:01"}, {1e12, " 277777777:46:40"},
              {qInf(), "no text"}, {qQNaN(), "no text"}})
            QCOMPARE(DissectTime(seconds).value_or(QStringLiteral("no text")), QString::fromLatin1(text));
        // Beyond the range of 16-bit arithmetic.
        QCOMPARE(AssembleTime(32767, 32767, 32767), 119959987.0);
    }

    void numberTexts()
    {
        for (const auto &[text, number] :
             {std::pair("", 0.0), {"5x", 5}, {"x5", 0}, {"-5", -5}, {"-", 0}, {".", 0}, {"-.5", -0.5},
              {"1.2.3", 1.2}, {"   42", 42}, {"+3", 3}, {"- 3", 0}, {"1,5", 1}, {"1e3", 1}})
            QCOMPARE(LeadingNumber(QString::fromLatin1(text)), number);
        QCOMPARE(ShortestNumberText(0.5, QLatin1Char(',')), QStringLiteral("0,5"));
        QCOMPARE(ShortestNumberText(1e20), QStringLiteral("100000000000000000000"));
        // The away threshold from the environment: whole seconds in plain digits.
        for (const auto &[text, seconds] :
             {std::pair("5", 5), {"0", 0}, {"", -1}, {"-5", -1}, {"5.5", -1}, {"99999999999", -1}})
            QCOMPARE(awaySecondsSetting(text).value_or(-1), seconds);
    }
    // clang-format on

    // The boxes show their layout text until written (here row 1's total). Timing needs a user's name. The
    // Adjust dialog's OK shows a row at once while the daily sum waits for the next accrual; its Reset
    // changes the count alone. Spans below a second wait; each accrual adds the whole span to the active row
    // only, announces that row alone, and the caption shows today's time of that row, not its total. Choosing
    // a row names it when empty; choosing the active row again changes nothing else.
    void accruesWholeSpansToTheActiveRow()
    {
        SessionModel model;
        model.setUserName(QString());
        model.start(0.0);
        QVERIFY(!model.isRunning());
        model.setUserName(QStringLiteral("Ann"));
        model.setAndShowCount(Column::Total, 0, 3600);
        model.setAndShowCount(Column::Daily, 1, 600);
        model.setCount(Column::Total, 1, 900);
        QCOMPARE(rowTexts(model, 1), QStringList({"", " 0:10:00", "0:00:00"}));
        QCOMPARE(model.shownDailySum().text, QStringLiteral(" 0:00:00"));
        model.start(100.0);
        model.start(100.5);
        QCOMPARE(model.caption(), QStringLiteral("Vorn (running)"));
        QVERIFY(!model.accrue(100.9));
        QVERIFY(model.accrue(101.4));
        QCOMPARE(model.shown(Column::Total, 1).text, QStringLiteral(" 0:15:00"));
        QVERIFY(model.accrue(102.8));
        QCOMPARE(model.count(Column::Daily, 0), 2.8f);
        QCOMPARE(rowTexts(model, 0), QStringList({"Project 1", " 0:00:03", " 1:00:03"}));
        QCOMPARE(model.shownDailySum().text, QStringLiteral(" 0:10:03"));
        QCOMPARE(model.caption(), QStringLiteral("Vorn (Project 1,  0:00:03)"));

        QSignalSpy active(&model, &SessionModel::activeRowChanged);
        QSignalSpy names(&model, &SessionModel::projectNameChanged);
        for (const int row : {4, 4, 8, -1})
            model.chooseRow(row);
        QCOMPARE(QList({active.size(), names.size()}), QList<qsizetype>({1, 1}));
        QSignalSpy rows(&model, &SessionModel::rowShown);
        QSignalSpy sum(&model, &SessionModel::dailySumShown);
        QSignalSpy caption(&model, &SessionModel::captionChanged);
        QSignalSpy accrued(&model, &SessionModel::accrued);
        QVERIFY(model.accrue(202.8));
        QCOMPARE(QList({rows.size(), sum.size(), caption.size()}), QList<qsizetype>({1, 1, 1}));
        QCOMPARE(accrued.first().first().toDouble(), 100.0);
        QCOMPARE(rowTexts(model, 4), QStringList({"Project 5", " 0:01:40", " 0:01:40"}));
        QCOMPARE(model.shownDailySum().text, QStringLiteral(" 0:11:43"));
        QCOMPARE(model.caption(), QStringLiteral("Vorn (Project 5,  0:01:40)"));

        model.stop();
        QCOMPARE(model.caption(), QStringLiteral("Morvane Tallywick (stopped)"));
        QVERIFY(!model.accrue(500.0));
        QCOMPARE(model.count(Column::Total, 4), 100.0);
    }

    // Time away, played as steps over readings of the span clock: "start R", "tick R" (an accrual), "leave
    // R", "back R", "sleep R A" (a tick's readings of the span and the awake clock), "row N" (Ctrl+N),
    // "stop", "yes". Then the daily counts of rows 0 and 1, the question that waits, whether the
    // session is away, the time that an end at the last reading would leave out, and how often the session
    // said it went away or came back.
    // clang-format off
    void timeAway_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("away");
        QTest::addColumn<double>("leftOut");
        QTest::addColumn<int>("awayChanges");
        const QString asked = QStringLiteral("You were away for %1 while '%2' was timed. Count that time?");
        const QString sixteenMinutes = asked.arg("0:16:40", "Project 1");

        const QString left = QStringLiteral("start 0, tick 10, leave 10.5, "); // working, then away

        QTest::newRow("away: nothing moves") << left + "tick 600" << "10 0" << "" << true << 589.5 << 1;
        QTest::newRow("short absence counts") << left + "back 299.5, tick 300" << "300 0" << "" << false
            << 0.0 << 2;
        QTest::newRow("long absence waits for an answer") << left + "tick 600, back 1010.5, tick 1011"
            << "11 0" << sixteenMinutes << false << 1000.0 << 2;
        QTest::newRow("a second absence adds to the question")
            << left + "back 1010.5, tick 1011, leave 1011.5, back 1021.5, tick 1022" << "12 0"
            << asked.arg("0:16:50", "Project 1") << false << 1010.0 << 4;
        QTest::newRow("stop while away leaves it out") << left + "stop, back 2000, start 2000, tick 2001"
            << "11 0" << "" << false << 0.0 << 2;
        QTest::newRow("Ctrl+2 while away: the held time stays with the row left")
            << left + "row 1, back 1010.5, tick 1011" << "10 1" << sixteenMinutes << false << 1000.0 << 2;
        QTest::newRow("Ctrl+2 while away, yes") << left + "row 1, back 1010.5, tick 1011, yes" << "1010 1"
            << "" << false << 0.0 << 2;
        QTest::newRow("away while stopped asks nothing") << "leave 5, back 1000, start 1000, tick 1001"
            << "1 0" << "" << false << 0.0 << 0;
        QTest::newRow("started while away") << "leave 5, start 10, tick 700" << "0 0" << "" << true << 690.0
            << 1;
        QTest::newRow("sleep seen from the clocks")
            << "start 0, sleep 10 10, tick 10, sleep 1010.2 10.2, tick 1011" << "11 0" << sixteenMinutes
            << false << 1000.0 << 2;
    }
    // clang-format on
    void timeAway()
    {
        QFETCH(QString, steps);
        SessionModel model;
        model.setProjectName(1, QStringLiteral("Beta"));
        QSignalSpy awayChanges(&model, &SessionModel::awayChanged);
        double reading = 0.0;
        QStringList words; // of the step played
        const QHash<QString, std::function<void()>> play{
            {"start", [&] { model.start(reading); }},
            {"tick", [&] { model.accrue(reading); }},
            {"leave", [&] { model.leave(reading); }},
            {"back", [&] { model.comeBack(reading); }},
            {"sleep", [&] { model.noticeSleep(reading, words[2].toDouble()); }},
            {"row", [&] { model.chooseRow(words[1].toInt()); }},
            {"stop", [&] { model.stop(); }},
            {"yes", [&] { model.countHeldTime(); }}};
        for (const QString &step : steps.split(QStringLiteral(", "))) {
            words = step.split(QLatin1Char(' '));
            if (words.size() > 1 && words[0] != "row")
                reading = words[1].toDouble();
            QVERIFY2(play.contains(words[0]), qPrintable(step));
            play[words[0]]();
        }
        QTEST(QStringLiteral("%1 %2").arg(model.count(Column::Daily, 0)).arg(model.count(Column::Daily, 1)),
              "counts");
        QTEST(model.hasHeldTime() ? model.heldTimeQuestion() : QString(), "question");
        QTEST(model.isAway(), "away");
        QTEST(model.timeLeftOut(reading), "leftOut");
        QTEST(int(awayChanges.size()), "awayChanges");
    }

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
        row({"--activate"}, K::Wrong, "unknown");
        row({"--stop=now"}, K::Wrong, "stop takes");
    }
    void parsesTheCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        const CommandLine line = CommandLine::parse(QStringList{"tallywick"} + arguments);
        QTEST(line.kind, "kind");
        QCOMPARE(line.kind == CommandLine::Kind::Command ? line.command.toMessage()
                                                         : line.error.toUtf8().left(message.size()),
                 message);
    }

    // Malformed messages are refused. The status line says away once the user has left; a name stays one
    // field.
    void channelMessagesAndStatusLine()
    {
        for (const char *bad : {"", "start ", "project", "project 9", "project 1 2", "reboot", "status\n",
                                "project x", "\xff\xfe"})
            QVERIFY2(!SessionCommand::fromMessage(bad), bad);
        SessionModel session;
        session.setProjectName(0, QStringLiteral(" Tab\there\nand\rthere"));
        session.start(0.0);
        session.leave(10.0);
        QCOMPARE(statusLine(session),
                 QStringLiteral("away\t1\t Tab here and there\t0:00:00\t0:00:00\t0:00:00"));
    }

    // Each command as the window's control, on a session with a total already kept, so that the daily
    // and the total times differ. The status line's fields, here split at "|", are split at tabs.
    // clang-format off
    void commandsActAsTheControls_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QByteArrayList>("messages");
        QTest::addColumn<int>("lastExitCode");
        QTest::addColumn<QString>("status");
        const auto row = [](const char *name, const char *userName, const char *messages, int exitCode,
                            const char *status) {
            QTest::newRow(name) << userName << QByteArray(messages).split(',') << exitCode
                                << QString::fromLatin1(status).replace('|', '\t');
        };
        row("start", "Ann", "start", 0, "running|1|Project 1|0:00:02|1:00:02|0:00:02");
        row("start and stop", "Ann", "start,stop", 0, "stopped|1|Project 1|0:00:02|1:00:02|0:00:02");
        row("toggle twice", "Ann", "toggle,toggle", 0, "stopped|1|Project 1|0:00:02|1:00:02|0:00:02");
        row("start without a name", "", "start", 1, "stopped|1|Project 1|0:00:00|1:00:00|0:00:00");
        row("toggle without a name", "", "toggle", 1, "stopped|1|Project 1|0:00:00|1:00:00|0:00:00");
        row("project, running", "Ann", "start,project 3", 0, "running|3|Project 3|0:00:02|0:00:02|0:00:04");
        row("project without a name", "", "project 8", 0, "stopped|8|Project 8|0:00:00|0:00:00|0:00:00");
    }
    // clang-format on
    void commandsActAsTheControls()
    {
        QFETCH(QString, userName);
        QFETCH(QByteArrayList, messages);
        SessionModel session;
        session.setUserName(userName);
        session.setAndShowCount(SessionModel::TimeColumn::Total, 0, 3600);
        double reading = 100.0;
        CommandResult result;
        for (const QByteArray &message : messages) {
            result = executeCommand(*SessionCommand::fromMessage(message), session, reading);
            QCOMPARE(result.output, QString());
            session.accrue(reading += 2.0);
        }
        QTEST(result.exitCode, "lastExitCode");
        QTEST(executeCommand({SessionCommand::Kind::Status, 0}, session, reading).output, "status");
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
