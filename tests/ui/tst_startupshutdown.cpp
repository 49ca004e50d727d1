#include "support/mainwindowfixture.h"

// What survives from run to run: the project list read at start-up, written at a confirmed exit and,
// quietly, while timing runs.
class TestStartupShutdown : public QObject, public MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init() { reset(); }
    void cleanup()
    {
        if (window)
            close();
    }

    // Steps after the start, then the boxes shown, whether the window is still open, and the list saved.
    void savesTheList_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("saved");
        const QString exit = "292 Exit: Are you sure you wish to exit?";
        const QString saveError = "16 Error: Error saving project list\r\nTallywick:  ...";
        QTest::newRow("No at the exit question keeps timing")
            << "click, answers no, close, tick 2, click" << QStringList(exit) << true
            << "User's name; Project 1 2";
        QTest::newRow("No to File, Exit") << "click, answers no, menu mnuExit, tick 2, click"
                                          << QStringList(exit) << true << "User's name; Project 1 2";
        QTest::newRow("Yes: what was counted, not what was pending")
            << "name Ann, click, tick 5.5, later 0.9, answers yes, close" << QStringList(exit) << false
            << "Ann; Project 1 6";
        QTest::newRow("a failed save at the exit: stay")
            << "click, click, project 1 Beta, answers yes ok no, disk full, close"
            << QStringList{exit, saveError,
                           "260 Exit: The project list could not be saved. Exit anyway and lose the changes?"}
            << true << "User's name; Project 1 0";
        QTest::newRow("a failed save at the exit: leave")
            << "click, click, project 1 Beta, answers yes ok yes, disk full, close"
            << QStringList{exit, saveError, "260 Exit: ..."} << false << "User's name; Project 1 0";
        QTest::newRow("a minute of timing not yet") << "click, tick 1x59" << QStringList() << true << "";
        QTest::newRow("a minute of timing saves")
            << "click, tick 1x60" << QStringList() << true << "User's name; Project 1 60";
        QTest::newRow("Stop saves") << "click, tick 1x65, click" << QStringList() << true
                                    << "User's name; Project 1 65";
        // Timing goes on; the error shows again only after a save succeeded.
        QTest::newRow("failed quiet saves show once")
            << "click, disk full, tick 1x130, events, disk free, tick 1x60, disk full, tick 1x130, events, "
               "disk free, click"
            << QStringList{saveError, saveError} << true << "User's name; Project 1 320";
        // The desktop session may yet go on: its save asks nothing and leaves the exit question.
        QTest::newRow("the desktop session's save")
            << "project 2 Gamma, sessionend, answers no, close" << QStringList(exit) << true
            << "User's name; Project 1 0; Gamma 0";
        QTest::newRow("an end without a question")
            << "project 2 Gamma, end" << QStringList() << false << "User's name; Project 1 0; Gamma 0";
    }
    void savesTheList()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, boxes);
        open();
        play(steps);
        QCOMPARE(boxesLike(boxes), boxes);
        QTEST(window->isVisible(), "open");
        QTEST(saved(), "saved");
    }

    // A file that ends after the fourth row: the totals read before the end stay, and the first save
    // keeps the file that did not load.
    void cutFileKeepsWhatWasReadBeforeTheCut()
    {
        const QByteArray cut("Ann\r\nA\r\n 10 \r\nB\r\n 20 \r\nC\r\n 30 \r\nD\r\n 40 \r\n");
        QFile file(listPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(cut) == cut.size());
        file.close();
        open();
        QCOMPARE(texts("txtName txtProjName0 txtTotalTime3 txtTotalTime4 txtTime0"),
                 "Ann|Project 1| 0:00:40|0:00:00|0:00:00");
        QVERIFY(boxes.shown.isEmpty());
        close();
        QCOMPARE(fileBytes("projlist.dat.bak"), cut);
    }

    // Ended from outside while the list cannot be written: the list goes to the rescue file, which the next
    // start offers back; No leaves the rescue file for another time. (Yes is the end-to-end test's.)
    void rescueFileIsOfferedBack()
    {
        QVERIFY(QDir().mkdir(listPath())); // a folder in its place: no save can replace it
        open();
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^Error saving project list.*kept in " + rescuePath(),
                                                QRegularExpression::DotMatchesEverythingOption));
        play("project 4 Rescued, end");
        QVERIFY(boxes.shown.isEmpty());
        QVERIFY(QDir(listPath()).removeRecursively());

        window.reset();
        session = std::make_unique<SessionModel>();
        play("answers no");
        open();
        const QStringList offer(
            "36 Tallywick: The last run could not save the project list. Load the copy it kept from ...");
        QCOMPARE(boxesLike(offer), offer);
        QCOMPARE(text("txtProjName4"), QString());
        close();
        QCOMPARE(saved(), "User's name; Project 1 0");
        QVERIFY(QFile::exists(rescuePath()));
    }
};

QTEST_MAIN(TestStartupShutdown)
#include "tst_startupshutdown.moc"
