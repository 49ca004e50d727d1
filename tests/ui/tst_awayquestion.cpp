#include "storage/projectlistfile.h"
#include "support/mainwindowfixture.h"

// Time away as the user meets it: the window holds still while they are away, a long absence asks "Away"
// at the return, the answer counts the time or leaves it out, the box follows a second absence, and an
// end before the answer counts nothing and says so in the log.
class TestAwayQuestion : public QObject, public MainWindowFixture
{
    Q_OBJECT

    static QString question(const QString &time)
    {
        return "36 Away: You were away for " + time + " while 'Project 1' was timed. Count that time?";
    }

    // Ten seconds timed on row 0.
    void startTiming()
    {
        open();
        clickStartStop();
        advanceAndTick(10);
    }

    // The question opens from the event loop.
    static void settle() { QCoreApplication::processEvents(); }

    double savedTotal() const { return ProjectListFile(folderPath() + "/projlist.dat").load().totals[0]; }

private Q_SLOTS:
    void init() { reset(); }
    void cleanup()
    {
        if (window)
            close();
    }

    void returnAsksAfterALongAbsence_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("daily"); // a second after the answer
        QTest::addColumn<QString>("date");
        const QString today = QStringLiteral("Tuesday, April 18");
        const int yes = MessageBoxAnswer::Yes;
        const int no = MessageBoxAnswer::No;
        QTest::newRow("yes") << "lock" << 1000.0 << yes << QStringList(question("0:16:40")) << " 0:16:51"
                             << today;
        QTest::newRow("no") << "lock" << 1000.0 << no << QStringList(question("0:16:40")) << " 0:00:11"
                            << today;
        QTest::newRow("short: counted without a question")
            << "lock" << 299.0 << no << QStringList() << " 0:05:10" << today;
        QTest::newRow("at the threshold")
            << "lock" << 300.0 << no << QStringList(question("0:05:00")) << " 0:00:11" << today;
        QTest::newRow("a sleep seen only from the clocks")
            << "sleep" << 1000.0 << no << QStringList(question("0:16:40")) << " 0:00:11" << today;
        QTest::newRow("a sleep told of after the wake-up")
            << "late" << 1000.0 << no << QStringList(question("0:16:40")) << " 0:00:11" << today;
        QTest::newRow("across midnight")
            << "midnight" << 7200.0 << yes << QStringList(question("2:00:00")) << " 2:00:11"
            << "Wednesday, April 19";
    }
    void returnAsksAfterALongAbsence()
    {
        QFETCH(QString, how);
        QFETCH(double, seconds);
        QFETCH(int, answer);
        if (how == "midnight")
            clock.wallSeconds = 86400 - 3600;
        startTiming();
        const QString caption = window->windowTitle();
        if (how == "sleep") {
            clock.sleep(seconds);
        } else if (how == "late") {
            clock.sleep(seconds);
            presence.leave();
            presence.comeBack();
        } else {
            presence.leave();
            advanceAndTick(seconds);
            QCOMPARE(QStringList({text("txtTime0"), text("lblTotalTime"), window->windowTitle()}),
                     QStringList({" 0:00:10", " 0:00:10", caption}));
            if (how == "midnight") {
                clock.wallSeconds -= 86400;
                clock.date = {2006, 4, 19, 4};
            }
            presence.comeBack();
        }
        boxes.answers = {answer};
        tick();
        settle();
        QFETCH(QStringList, shown);
        QFETCH(QString, daily);
        QFETCH(QString, date);
        QCOMPARE(shownBoxes(), shown);
        advanceAndTick(1);
        QCOMPARE(text("txtTime0"), daily);
        QCOMPARE(text("lblDate"), date);
    }

    // Timing goes on while the box is open; an absence meanwhile adds to the question, which stays one box.
    void secondAbsenceWhileTheBoxIsOpen()
    {
        startTiming();
        presence.leave();
        clock.advance(1000);
        presence.comeBack();
        boxes.whileOpen = [this] {
            advanceAndTick(5);
            presence.leave();
            clock.advance(10);
            presence.comeBack();
            advanceAndTick(1);
        };
        settle();
        settle();
        QCOMPARE(shownBoxes(), QStringList(question("0:16:50")));
        QCOMPARE(text("txtTime0"), QStringLiteral(" 0:17:06"));
    }

    void endBeforeTheAnswerCountsNothing_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("returned");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("signal while away") << "signal" << false << QStringList();
        QTest::newRow("signal while the box is open") << "signal" << true << QStringList(question("0:16:40"));
        QTest::newRow("end of the desktop session") << "session" << true << QStringList(question("0:16:40"));
        QTest::newRow("exit question answered Yes")
            << "exit" << true
            << QStringList({"292 Exit: Are you sure you wish to exit?", question("0:16:40")});
    }
    void endBeforeTheAnswerCountsNothing()
    {
        QFETCH(QString, end);
        QFETCH(bool, returned);
        startTiming();
        presence.leave();
        clock.advance(1000);
        QTest::ignoreMessage(QtWarningMsg,
                             "Ending with time away not counted: 0:16:40 while 'Project 1' was timed");
        const auto ending = [this, end] {
            boxes.answers = {MessageBoxAnswer::Yes, MessageBoxAnswer::Yes};
            if (end == "signal")
                window->endWithoutQuestion();
            else if (end == "session") {
                window->saveForSessionEnd(); // the session may yet go on; when it ends, the window ends
                window->endWithoutQuestion();
            } else
                window->close();
        };
        if (returned) {
            presence.comeBack();
            boxes.whileOpen = ending;
            settle();
        } else {
            ending();
        }
        QFETCH(QStringList, shown);
        QCOMPARE(shownBoxes(), shown);
        QCOMPARE(session->count(SessionModel::TimeColumn::Total, 0), 10.0);
        QCOMPARE(savedTotal(), 10.0);
    }
};

QTEST_MAIN(TestAwayQuestion)
#include "tst_awayquestion.moc"
