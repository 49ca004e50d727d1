#include "storage/projectlistfile.h"
#include "support/filesizelimit.h"
#include "support/mainwindowfixture.h"

// What survives from run to run: the project list read at start-up, written at a confirmed exit and,
// quietly, while timing runs.
class TestStartupShutdown : public QObject, public MainWindowFixture
{
    Q_OBJECT

    ProjectListFile listFile() const { return ProjectListFile(folderPath() + "/projlist.dat"); }

private Q_SLOTS:
    void init() { reset(); }
    void cleanup()
    {
        if (window)
            close();
    }

    void startsFromTheSavedList()
    {
        ProjectList list;
        list.userName = "Smith, \"Ann\" ";
        list.names = {"Alpha", "", " Beta, b", "", "", "", "", "Zeta"};
        list.totals = {3725, 0, 90061, 0, 0, 0, 0, 60};
        QVERIFY(!listFile().save(list));
        open();
        QCOMPARE(field("txtName")->selectedText(), list.userName);
        for (int row = 0; row < RowCount; ++row) {
            QCOMPARE(text(QStringLiteral("txtProjName%1").arg(row)), list.names[std::size_t(row)]);
            QCOMPARE(text(QStringLiteral("txtTime%1").arg(row)), QStringLiteral("0:00:00"));
        }
        QCOMPARE(QStringList({text("txtTotalTime0"), text("txtTotalTime1"), text("txtTotalTime2")}),
                 QStringList({" 1:02:05", " 0:00:00", " 25:01:01"}));
    }

    // A file that ends after the fourth row: the totals read before the end stay, and the first save
    // keeps the file that did not load.
    void cutFileKeepsWhatWasReadBeforeTheCut()
    {
        const QByteArray cut("Ann\r\nA\r\n 10 \r\nB\r\n 20 \r\nC\r\n 30 \r\nD\r\n 40 \r\n");
        writeFile("projlist.dat", cut);
        open();
        QCOMPARE(QStringList(
                     {text("txtName"), text("txtProjName0"), text("txtTotalTime3"), text("txtTotalTime4")}),
                 QStringList({"Ann", "Project 1", " 0:00:40", "0:00:00"}));
        QVERIFY(boxes.shown.isEmpty());
        close();
        QCOMPARE(fileBytes("projlist.dat.bak"), cut);
    }

    void noAtTheExitQuestionKeepsTiming_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("close box") << false;
        QTest::newRow("File, Exit") << true;
    }
    void noAtTheExitQuestionKeepsTiming()
    {
        QFETCH(bool, byMenu);
        open();
        clickStartStop();
        boxes.answers = {MessageBoxAnswer::No};
        if (byMenu)
            action("mnuExit")->trigger();
        else
            window->close();
        QCOMPARE(shownBoxes(), QStringList("292 Exit: Are you sure you wish to exit?"));
        QVERIFY(window->isVisible());
        QVERIFY(!QFile::exists(folderPath() + "/projlist.dat"));
        advanceAndTick(2);
        QCOMPARE(text("txtTime0"), QStringLiteral(" 0:00:02"));
    }

    // Time still pending at the exit, below a second, is not counted.
    void yesSavesTheTotalsAccruedSoFar()
    {
        open();
        field("txtName")->setText("Ann");
        clickStartStop();
        advanceAndTick(5.5);
        clock.advance(0.9);
        boxes.answers = {MessageBoxAnswer::Yes};
        window->close();
        QVERIFY(!window->isVisible());
        QCOMPARE(fileBytes("projlist.dat"),
                 QByteArray("Ann\r\nProject 1\r\n 6 \r\n\r\n 0 \r\n\r\n 0 \r\n\r\n 0 \r\n"
                            "\r\n 0 \r\n\r\n 0 \r\n\r\n 0 \r\n\r\n 0 \r\n"));
    }

    // After a failed save at exit, the user chooses: No keeps the program and the old file as they were.
    void failedExitSaveAsksAgain_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("stay") << int(MessageBoxAnswer::No);
        QTest::newRow("exit anyway") << int(MessageBoxAnswer::Yes);
    }
    void failedExitSaveAsksAgain()
    {
        QFETCH(int, answer);
        QVERIFY(!listFile().save(ProjectList()));
        const QByteArray before = fileBytes("projlist.dat");
        open();
        field("txtProjName1")->setText("Beta");
        boxes.answers = {MessageBoxAnswer::Yes, MessageBoxAnswer::Ok, answer};
        {
            const FileSizeLimit limit(16);
            window->close();
        }
        const QStringList shown = shownBoxes();
        QCOMPARE(shown.size(), 3);
        QVERIFY(shown[1].startsWith("16 Error: Error saving project list\r\nTallywick:  "));
        QCOMPARE(shown[2],
                 "260 Exit: The project list could not be saved. Exit anyway and lose the changes?");
        QCOMPARE(window->isVisible(), answer == MessageBoxAnswer::No);
        QCOMPARE(fileBytes("projlist.dat"), before);
        if (answer == MessageBoxAnswer::No) {
            close();
            QCOMPARE(listFile().load().names[1], QStringLiteral("Beta"));
        }
    }

    // Quiet saves that fail show the error once, until a save succeeds again; timing goes on.
    void failedQuietSavesShowOnce()
    {
        open();
        clickStartStop();
        for (int round = 1; round <= 2; ++round) {
            {
                const FileSizeLimit limit(16);
                advanceAndTick(1, 130);
                QCoreApplication::processEvents();
            }
            QCOMPARE(boxes.shown.size(), round);
            QVERIFY(shownBoxes().last().startsWith("16 Error: Error saving project list"));
            advanceAndTick(1, 60);
        }
        QCOMPARE(text("txtTime0"), QStringLiteral(" 0:06:20"));
    }

    // The desktop session's save does not stand for the exit: the session may go on.
    void sessionSaveLeavesTheExitQuestion()
    {
        open();
        field("txtProjName2")->setText("Gamma");
        window->saveForSessionEnd();
        QCOMPARE(listFile().load().names[2], QStringLiteral("Gamma"));
        field("txtProjName2")->setText("Delta");
        close();
        QCOMPARE(shownBoxes(), QStringList("292 Exit: Are you sure you wish to exit?"));
        QCOMPARE(listFile().load().names[2], QStringLiteral("Delta"));
    }

    // Ended from outside while the list cannot be written: the list goes to the rescue file, which the next
    // start offers back.
    void rescueFileIsOfferedBack_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("load it") << int(MessageBoxAnswer::Yes);
        QTest::newRow("leave it") << int(MessageBoxAnswer::No);
    }
    void rescueFileIsOfferedBack()
    {
        QFETCH(int, answer);
        const QString list = folderPath() + "/projlist.dat";
        QVERIFY(QDir().mkdir(list)); // a folder in its place: no save can replace it
        open();
        field("txtProjName4")->setText("Rescued");
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^Error saving project list.*kept in " + rescuePath(),
                                                QRegularExpression::DotMatchesEverythingOption));
        window->endWithoutQuestion();
        QVERIFY(!window->isVisible());
        QVERIFY(boxes.shown.isEmpty());
        QVERIFY(QDir(list).removeRecursively());

        window.reset();
        session = std::make_unique<SessionModel>();
        boxes.answers = {answer};
        open();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(shownBoxes()[0].startsWith("36 Tallywick: The last run could not save the project list. Load "
                                           "the copy it kept from "));
        const QString kept = answer == MessageBoxAnswer::Yes ? QStringLiteral("Rescued") : QString();
        QCOMPARE(text("txtProjName4"), kept);
        close();
        QCOMPARE(listFile().load().names[4], kept);
        QCOMPARE(QFile::exists(rescuePath()), answer == MessageBoxAnswer::No);
    }

    void timingSavesAtStopAndEveryMinute()
    {
        open();
        clickStartStop();
        advanceAndTick(1, 50);
        QVERIFY(!QFile::exists(folderPath() + "/projlist.dat"));
        advanceAndTick(1, 10);
        QCOMPARE(listFile().load().totals[0], 60.0);
        advanceAndTick(1, 5);
        clickStartStop();
        QCOMPARE(listFile().load().totals[0], 65.0);
        QVERIFY(boxes.shown.isEmpty());
    }

    void reportFolderFallsBackToTheProgramFolder()
    {
        environment.documents.clear();
        open();
        field("txtName")->setText("Ann");
        action("mnuText")->trigger();
        QCOMPARE(shownBoxes(), QStringList("48 Generate report: Report generated to\r\n" + folderPath() +
                                           "/Ann_04-18-2006.txt"));
    }

    void endWithoutQuestionSavesAndCloses()
    {
        open();
        window->endWithoutQuestion();
        QVERIFY(boxes.shown.isEmpty());
        QVERIFY(!window->isVisible());
        QCOMPARE(listFile().load().names[0], QStringLiteral("Project 1"));
    }
};

QTEST_MAIN(TestStartupShutdown)
#include "tst_startupshutdown.moc"
