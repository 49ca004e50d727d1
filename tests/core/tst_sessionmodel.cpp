#include "core/sessionmodel.h"

#include <QSignalSpy>
#include <QtTest>

// The timing session over values: readings are handed in, texts read back as the window shows them.
class TestSessionModel : public QObject
{
    Q_OBJECT

    using Column = SessionModel::TimeColumn;

    static QStringList rowTexts(const SessionModel &model, int row)
    {
        return {model.projectName(row), model.shown(Column::Daily, row).text,
                model.shown(Column::Total, row).text};
    }

private Q_SLOTS:
    // The boxes show their layout text until written (here row 1's total). Timing needs a user's name. The
    // Adjust dialog's OK shows a row at once while the daily sum waits for the next accrual; its Reset
    // changes the count alone. Spans below a second wait; each accrual adds the whole span to the active row
    // only, announces that row alone, and the caption shows today's time of that row, not its total. Choosing
    // a row names it when empty; choosing the active row again changes nothing else.
    void accruesWholeSpansToTheActiveRow()
    {
        SessionModel model;
        QSignalSpy running(&model, &SessionModel::runningChanged);
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
        QCOMPARE(active.size(), 1);
        QCOMPARE(names.size(), 1);
        QSignalSpy rows(&model, &SessionModel::rowShown);
        QSignalSpy sum(&model, &SessionModel::dailySumShown);
        QSignalSpy caption(&model, &SessionModel::captionChanged);
        QSignalSpy accrued(&model, &SessionModel::accrued);
        QVERIFY(model.accrue(202.8));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(sum.size(), 1);
        QCOMPARE(caption.size(), 1);
        QCOMPARE(accrued.first().first().toDouble(), 100.0);
        QCOMPARE(rowTexts(model, 4), QStringList({"Project 5", " 0:01:40", " 0:01:40"}));
        QCOMPARE(model.shownDailySum().text, QStringLiteral(" 0:11:43"));
        QCOMPARE(model.caption(), QStringLiteral("Vorn (Project 5,  0:01:40)"));

        model.stop();
        model.stop();
        QCOMPARE(model.caption(), QStringLiteral("Morvane Tallywick (stopped)"));
        QVERIFY(!model.accrue(500.0));
        QCOMPARE(model.count(Column::Total, 4), 100.0);
        QCOMPARE(running.size(), 2);
    }

    // Time away, played as steps over readings of the span clock: "start R", "tick R" (an accrual), "leave
    // R", "back R", "sleep R A" (a tick's readings of the span and the awake clock), "row N" (Ctrl+N),
    // "stop", "yes", "no". Then the daily counts of rows 0 and 1, the question that waits, whether the
    // session is away, the time that an end at the last reading would leave out, and how often the session
    // said it went away or came back.
    void timeAway_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("away");
        QTest::addColumn<double>("leftOut");
        QTest::addColumn<int>("awayChanges");
        const auto row = [](const char *name, const char *steps, const char *counts, const QString &question,
                            bool away, double leftOut, int awayChanges) {
            QTest::newRow(name) << QString::fromLatin1(steps) << QString::fromLatin1(counts) << question
                                << away << leftOut << awayChanges;
        };
        const QString asked = QStringLiteral("You were away for %1 while '%2' was timed. Count that time?");
        const QString sixteenMinutes = asked.arg("0:16:40", "Project 1");

        row("away: nothing moves", "start 0, tick 10, leave 10.5, tick 600", "10 0", "", true, 589.5, 1);
        row("short absence counts as work", "start 0, tick 10, leave 10.5, back 299.5, tick 300", "300 0", "",
            false, 0, 2);
        row("long absence waits for an answer",
            "start 0, tick 10, leave 10.5, tick 600, back 1010.5, tick 1011", "11 0", sixteenMinutes, false,
            1000, 2);
        row("yes", "start 0, tick 10, leave 10.5, back 1010.5, tick 1011, yes", "1011 0", "", false, 0, 2);
        row("no", "start 0, tick 10, leave 10.5, back 1010.5, tick 1011, no", "11 0", "", false, 0, 2);
        row("a second absence adds to the question",
            "start 0, tick 10, leave 10.5, back 1010.5, tick 1011, leave 1011.5, back 1021.5, tick 1022",
            "12 0", asked.arg("0:16:50", "Project 1"), false, 1010, 4);
        row("stop while away leaves it out",
            "start 0, tick 10, leave 10.5, stop, back 2000, start 2000, tick 2001", "11 0", "", false, 0, 2);
        row("Ctrl+2 while away: the held time stays with the row left",
            "start 0, tick 10, leave 10.5, row 1, back 1010.5, tick 1011", "10 1", sixteenMinutes, false,
            1000, 2);
        row("Ctrl+2 while away, yes", "start 0, tick 10, leave 10.5, row 1, back 1010.5, tick 1011, yes",
            "1010 1", "", false, 0, 2);
        row("Ctrl+2 during a short absence: as without one",
            "start 0, tick 10, leave 10.5, row 1, back 20.5, tick 21", "10 11", "", false, 0, 2);
        row("away while stopped asks nothing", "leave 5, back 1000, start 1000, tick 1001", "1 0", "", false,
            0, 0);
        row("started while away", "leave 5, start 10, tick 700", "0 0", "", true, 690, 1);
        row("sleep seen from the clocks", "start 0, sleep 10 10, tick 10, sleep 1010.2 10.2, tick 1011",
            "11 0", sixteenMinutes, false, 1000, 2);
        row("short sleep seen from the clocks counts",
            "start 0, sleep 10 10, tick 10, sleep 70.2 10.2, tick 71", "71 0", "", false, 0, 2);
        row("a sleep within an absence is part of it",
            "start 0, sleep 10 10, tick 10, leave 10.5, sleep 20 10.6, sleep 1010 10.7, back 2010.5", "10 0",
            asked.arg("0:33:20", "Project 1"), false, 2000, 2);
        row("a sleep the bus told of counts once",
            "start 0, sleep 10 10, tick 10, leave 10.5, back 1010.5, sleep 1010.6 10.6, tick 1011", "11 0",
            sixteenMinutes, false, 1000, 2);
    }
    void timeAway()
    {
        QFETCH(QString, steps);
        SessionModel model;
        model.setProjectName(1, QStringLiteral("Beta"));
        QSignalSpy awayChanges(&model, &SessionModel::awayChanged);
        double reading = 0.0;
        for (const QString &step : steps.split(QStringLiteral(", "))) {
            const QStringList words = step.split(QLatin1Char(' '));
            const QString &verb = words[0];
            if (words.size() > 1 && verb != "row")
                reading = words[1].toDouble();
            if (verb == "start")
                model.start(reading);
            else if (verb == "tick")
                model.accrue(reading);
            else if (verb == "leave")
                model.leave(reading);
            else if (verb == "back")
                model.comeBack(reading);
            else if (verb == "sleep")
                model.noticeSleep(reading, words[2].toDouble());
            else if (verb == "row")
                model.chooseRow(words[1].toInt());
            else if (verb == "stop")
                model.stop();
            else if (verb == "yes")
                model.countHeldTime();
            else if (verb == "no")
                model.dropHeldTime();
            else
                QFAIL(qPrintable(step));
        }
        QFETCH(QString, counts);
        QFETCH(QString, question);
        QFETCH(bool, away);
        QFETCH(double, leftOut);
        QCOMPARE(
            QStringLiteral("%1 %2").arg(model.count(Column::Daily, 0)).arg(model.count(Column::Daily, 1)),
            counts);
        QCOMPARE(model.hasHeldTime() ? model.heldTimeQuestion() : QString(), question);
        QCOMPARE(model.isAway(), away);
        QCOMPARE(model.timeLeftOut(reading), leftOut);
        QTEST(int(awayChanges.size()), "awayChanges");
    }

    void awaySecondsSetting()
    {
        for (const auto &[text, seconds] :
             {std::pair("5", 5), {"0", 0}, {"", -1}, {"-5", -1}, {"5.5", -1}, {"99999999999", -1}})
            QCOMPARE(::awaySecondsSetting(text).value_or(-1), seconds);
    }
};

QTEST_GUILESS_MAIN(TestSessionModel)
#include "tst_sessionmodel.moc"
