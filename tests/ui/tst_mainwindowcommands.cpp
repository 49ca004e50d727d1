#include "support/filesizelimit.h"
#include "support/mainwindowfixture.h"

#include <QDialog>
#include <QDir>

// The File, Adjust and Help menus as the user gives their commands: the boxes that answer them, the files
// they leave, and the rows the Adjust dialog writes back.
class TestMainWindowCommands : public QObject, public MainWindowFixture
{
    Q_OBJECT

    const QString m_textReport = QStringLiteral("Ann_04-18-2006.txt");

    // Runs work on the dialog that the next command opens modally.
    void onModalDialog(const std::function<void(QDialog *)> &work)
    {
        QTimer::singleShot(0, this, [work] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            work(dialog);
        });
    }

private Q_SLOTS:
    void init()
    {
        reset();
        open();
        field("txtName")->setText("Ann");
    }
    void cleanup() { close(); }

    void reports_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::newRow("text") << "mnuText" << m_textReport;
        QTest::newRow("CSV") << "mnuCSV"
                             << "Ann_04-18-2006.csv";
        QTest::newRow("spreadsheet") << "mnuExcel"
                                     << "Ann_04-18-2006.xls";
    }
    // Twice: the second report of the day replaces the first.
    void reports()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        action(command)->trigger();
        field("txtProjName0")->setText("Second");
        action(command)->trigger();
        QCOMPARE(shownBoxes(),
                 QStringList(2, "48 Generate report: Report generated to\r\n" + folderPath() + '/' + file));
        if (command == "mnuExcel") {
            QVERIFY(spreadsheetServer.calls.contains("ActiveCell.FormulaR1C1=[Second]"));
            return;
        }
        QVERIFY(fileBytes(file).contains("Second"));
        QVERIFY(!fileBytes(file).contains("Project 1"));
    }

    void reportNeedsAName_data() { reports_data(); }
    void reportNeedsAName()
    {
        QFETCH(QString, command);
        field("txtName")->clear();
        action(command)->trigger();
        QCOMPARE(shownBoxes(), QStringList("48 Generate report: Please enter your name"));
        QCOMPARE(QDir(folderPath()).entryList(QDir::Files), QStringList());
        QVERIFY(spreadsheetServer.calls.isEmpty());
    }

    void failedReportShowsTheErrorAndKeepsTheEarlierOne()
    {
        action("mnuText")->trigger();
        const QByteArray earlier = fileBytes(m_textReport);
        field("txtProjName1")->setText("Longer report");
        {
            const FileSizeLimit limit(32);
            action("mnuText")->trigger();
        }
        QCOMPARE(boxes.shown.size(), 2);
        QVERIFY(shownBoxes()[1].startsWith("16 Error: Error generating report\r\nTallywick:  "));
        QCOMPARE(fileBytes(m_textReport), earlier);
    }

    void missingReportFolderShowsTheError()
    {
        close();
        environment.documents = folderPath() + "/gone";
        open();
        boxes.shown.clear();
        action("mnuCSV")->trigger();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(shownBoxes()[0].startsWith("16 Error: Error generating report\r\n"));
        QVERIFY(shownBoxes()[0].endsWith(" (76)"));
        QVERIFY(!QFile::exists(folderPath() + "/gone"));
    }

    void spreadsheetFailures_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("1004 ends quietly") << 1004 << QStringList();
        QTest::newRow("another error shows the box")
            << 438
            << QStringList("16 Error: Error generating report\r\nFake:  Cannot write the report file "
                           "<folder>/Ann_04-18-2006.xls: Object doesn't support this property or method (438)");
    }
    void spreadsheetFailures()
    {
        QFETCH(int, number);
        QFETCH(QStringList, shown);
        spreadsheetServer.failAt = 5;
        spreadsheetServer.failure.number = number;
        action("mnuExcel")->trigger();
        QCOMPARE(shownBoxes(), shown.replaceInStrings("<folder>", folderPath()));
    }

    // The daily dialog shows the daily counts; hours typed in the total dialog go to the row's total box,
    // while the daily boxes and their sum stay.
    void adjustShowsTheCountsAndWritesTheRowBoxesBack()
    {
        clickStartStop();
        advanceAndTick(3725);
        clickStartStop();
        QStringList shown;
        onModalDialog([&shown](QDialog *dialog) {
            shown << dialog->windowTitle();
            for (const char *name : {"txtHr0", "txtMin0", "txtSec0"})
                shown << dialog->findChild<QLineEdit *>(name)->text();
            dialog->reject();
        });
        action("mnuDailyTimes")->trigger();
        QCOMPARE(shown, QStringList({"Adjust daily times", "1", "2", "5"}));

        onModalDialog([&shown](QDialog *dialog) {
            shown = QStringList(dialog->windowTitle());
            auto *hours = dialog->findChild<QLineEdit *>("txtHr0");
            hours->selectAll();
            QTest::keyClicks(hours, "12");
            QTest::mouseClick(dialog->findChild<QPushButton *>("OKButton"), Qt::LeftButton);
        });
        action("mnuTotalTimes")->trigger();
        QCOMPARE(shown, QStringList("Adjust total times"));
        QCOMPARE(QStringList({text("txtTotalTime0"), text("txtTime0"), text("lblTotalTime")}),
                 QStringList({" 12:02:05", " 1:02:05", " 1:02:05"}));
    }

    // Without readme.txt in the program's folder the error box comes first, then the window.
    void helpMenuOpensItsWindows()
    {
        QStringList captions;
        const auto closeIt = [&captions](QDialog *dialog) {
            captions << dialog->windowTitle();
            dialog->accept();
        };
        onModalDialog(closeIt);
        action("mnuOverview")->trigger();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown[0].text.startsWith("Error loading help file\r\n"));
        onModalDialog(closeIt);
        action("mnuAbout")->trigger();
        QCOMPARE(captions, QStringList({"Overview", "About Tallywick"}));
        QCOMPARE(boxes.shown.size(), 1);
    }
};

QTEST_MAIN(TestMainWindowCommands)
#include "tst_mainwindowcommands.moc"
