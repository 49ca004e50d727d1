#include "support/mainwindowfixture.h"

// Time away as the user meets it: the window holds still while they are away, a long absence asks "Away"
// at the return, the answer counts the time or leaves it out, the box follows a second absence, and an
// end before the answer counts nothing and says so in the log.
class TestAwayQuestion : public QObject, public MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        reset();
        open();
    }
    void cleanup() { close(); }

    // Steps after ten seconds timed on row 1, then the boxes shown, the daily time and sum that the
    // window shows, and the warning an end writes to the log. The question opens from the event loop.
    void away_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("ended"); // before the answer, which the log says
        const auto question = [](const char *time) {
            return QStringList(QStringLiteral("36 Away: You were away for %1 while 'Project 1' was timed. "
                                              "Count that time?")
                                   .arg(time));
        };
        QTest::newRow("away: the window holds still")
            << "leave, tick 1000" << QStringList() << " 0:00:10| 0:00:10" << false;
        QTest::newRow("yes") << "leave, tick 1000, back, answers yes, tick 0, events, tick 1"
                             << question("0:16:40") << " 0:16:51| 0:16:51" << false;
        QTest::newRow("no") << "leave, tick 1000, back, answers no, tick 0, events, tick 1"
                            << question("0:16:40") << " 0:00:11| 0:00:11" << false;
        QTest::newRow("short: counted without a question")
            << "leave, tick 299, back, answers no, tick 0, events, tick 1" << QStringList()
            << " 0:05:10| 0:05:10" << false;
        QTest::newRow("at the threshold") << "leave, tick 300, back, answers no, tick 0, events, tick 1"
                                          << question("0:05:00") << " 0:00:11| 0:00:11" << false;
        QTest::newRow("a sleep seen only from the clocks")
            << "sleep 1000, answers no, tick 0, events, tick 1" << question("0:16:40") << " 0:00:11| 0:00:11"
            << false;
        QTest::newRow("a sleep told of after the wake-up")
            << "sleep 1000, leave, back, answers no, tick 0, events, tick 1" << question("0:16:40")
            << " 0:00:11| 0:00:11" << false;
        // Timing goes on while the box is open; an absence meanwhile adds to the question, which stays one
        // box.
        QTest::newRow("a second absence while the box is open")
            << "leave, later 1000, back, meanwhile tick 5; leave; later 10; back; tick 1, events, events"
            << question("0:16:50") << " 0:17:06| 0:17:06" << false;
        QTest::newRow("signal while away")
            << "leave, later 1000, end" << QStringList() << " 0:00:10| 0:00:10" << true;
        QTest::newRow("signal while the box is open") << "leave, later 1000, back, meanwhile end, events"
                                                      << question("0:16:40") << " 0:00:10| 0:00:10" << true;
        QTest::newRow("end of the desktop session")
            << "leave, later 1000, back, meanwhile sessionend; end, events" << question("0:16:40")
            << " 0:00:10| 0:00:10" << true;
        QTest::newRow("exit question answered Yes")
            << "leave, later 1000, back, meanwhile answers yes yes; close, events"
            << QStringList{"292 Exit: Are you sure you wish to exit?"} + question("0:16:40")
            << " 0:00:10| 0:00:10" << true;
    }
    void away()
    {
        QFETCH(QString, steps);
        QFETCH(bool, ended);
        if (ended)
            QTest::ignoreMessage(QtWarningMsg,
                                 "Ending with time away not counted: 0:16:40 while 'Project 1' was timed");
        play("click, tick 10, " + steps);
        QTEST(boxes.shownBoxes(), "boxes");
        QTEST(texts("txtTime0 lblTotalTime"), "shown");
        if (ended)
            QCOMPARE(saved(), "User's name; Project 1 10");
    }
};

QTEST_MAIN(TestAwayQuestion)
#include "tst_awayquestion.moc"
