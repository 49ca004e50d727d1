#include "support/filesizelimit.h"
#include "support/mainwindowfixture.h"

#include <QDialog>
#include <QDir>
#include <QFile>

// The File and Adjust menus as the user gives their commands: the boxes that answer them, the files
// they leave, and the rows the Adjust dialog writes back.
class TestMainWindowCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void reportNeedsAName_data();
    void reportNeedsAName();
    void reportNamesItsFile_data();
    void reportNamesItsFile();
    void failedReportShowsTheErrorAndKeepsTheEarlierOne();
    void missingReportFolderShowsTheError();
    void spreadsheetFailures_data();
    void spreadsheetFailures();
    void adjustWritesTheRowBoxesBack();
    void adjustDailyTimesShowsTheDailyCounts();
    void helpMenuOpensItsWindows();

private:
    QByteArray fileBytes(const QString &path) const;
    void answerModalDialog(const std::function<void(QDialog *)> &work);

    MainWindowFixture m_fixture;
};

void TestMainWindowCommands::init()
{
    m_fixture.reset();
    m_fixture.open();
    m_fixture.field(QStringLiteral("txtName"))->setText(QStringLiteral("Ann"));
}

void TestMainWindowCommands::cleanup()
{
    m_fixture.close();
}

QByteArray TestMainWindowCommands::fileBytes(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestMainWindowCommands::reportNeedsAName_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("text") << "mnuText";
    QTest::newRow("CSV") << "mnuCSV";
    QTest::newRow("spreadsheet") << "mnuExcel";
}

void TestMainWindowCommands::reportNeedsAName()
{
    QFETCH(QString, command);
    m_fixture.field(QStringLiteral("txtName"))->clear();
    m_fixture.action(command)->trigger();
    QCOMPARE(m_fixture.boxes.shown.size(), 1);
    QCOMPARE(m_fixture.boxes.shown[0].style, 48);
    QCOMPARE(m_fixture.boxes.shown[0].title, QStringLiteral("Generate report"));
    QCOMPARE(m_fixture.boxes.shown[0].text, QStringLiteral("Please enter your name"));
    QCOMPARE(QDir(m_fixture.folderPath()).entryList(QDir::Files), QStringList());
    QVERIFY(m_fixture.spreadsheetServer.calls.isEmpty());
}

void TestMainWindowCommands::reportNamesItsFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("firstLine");
    QTest::newRow("text") << "mnuText"
                          << ".txt" << QByteArray("Project times for Ann\r\n");
    QTest::newRow("CSV") << "mnuCSV"
                         << ".csv" << QByteArray("Ann,\"Tuesday, April 18, 2006\"\r\n");
    QTest::newRow("spreadsheet") << "mnuExcel"
                                 << ".xls" << QByteArray();
}

void TestMainWindowCommands::reportNamesItsFile()
{
    QFETCH(QString, command);
    QFETCH(QString, extension);
    QFETCH(QByteArray, firstLine);
    const QString path = m_fixture.folderPath() + QLatin1String("/Ann_04-18-2006") + extension;

    // Twice: the second report of the day replaces the first.
    m_fixture.action(command)->trigger();
    m_fixture.field(QStringLiteral("txtProjName0"))->setText(QStringLiteral("Second"));
    m_fixture.action(command)->trigger();

    QCOMPARE(m_fixture.boxes.shown.size(), 2);
    for (const FakeMessageBoxes::Shown &box : m_fixture.boxes.shown) {
        QCOMPARE(box.style, 48);
        QCOMPARE(box.title, QStringLiteral("Generate report"));
        QCOMPARE(box.text, QLatin1String("Report generated to\r\n") + path);
    }
    if (!firstLine.isEmpty()) {
        QVERIFY(fileBytes(path).startsWith(firstLine));
        QVERIFY(fileBytes(path).contains("Second"));
        QVERIFY(!fileBytes(path).contains("Project 1"));
    } else {
        QVERIFY(
            m_fixture.spreadsheetServer.calls.contains(QStringLiteral("ActiveCell.FormulaR1C1=[Second]")));
    }
}

void TestMainWindowCommands::failedReportShowsTheErrorAndKeepsTheEarlierOne()
{
    const QString path = m_fixture.folderPath() + QLatin1String("/Ann_04-18-2006.txt");
    m_fixture.action(QStringLiteral("mnuText"))->trigger();
    const QByteArray earlier = fileBytes(path);
    m_fixture.field(QStringLiteral("txtProjName1"))->setText(QStringLiteral("Longer report"));
    {
        const FileSizeLimit limit(32);
        m_fixture.action(QStringLiteral("mnuText"))->trigger();
    }
    QCOMPARE(m_fixture.boxes.shown.size(), 2);
    QCOMPARE(m_fixture.boxes.shown[1].style, 16);
    QCOMPARE(m_fixture.boxes.shown[1].title, QStringLiteral("Error"));
    QVERIFY(
        m_fixture.boxes.shown[1].text.startsWith(QLatin1String("Error generating report\r\nTallywick:  ")));
    QCOMPARE(fileBytes(path), earlier);
}

void TestMainWindowCommands::missingReportFolderShowsTheError()
{
    m_fixture.close();
    m_fixture.environment.documents = m_fixture.folderPath() + QLatin1String("/gone");
    m_fixture.open();
    m_fixture.boxes.shown.clear();
    m_fixture.field(QStringLiteral("txtName"))->setText(QStringLiteral("Ann"));
    m_fixture.action(QStringLiteral("mnuCSV"))->trigger();
    QCOMPARE(m_fixture.boxes.shown.size(), 1);
    QVERIFY(m_fixture.boxes.shown[0].text.startsWith(QLatin1String("Error generating report\r\n")));
    QVERIFY(m_fixture.boxes.shown[0].text.endsWith(QLatin1String(" (76)")));
    QVERIFY(!QFile::exists(m_fixture.folderPath() + QLatin1String("/gone")));
}

void TestMainWindowCommands::spreadsheetFailures_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("boxes");
    QTest::newRow("1004 ends quietly") << 1004 << 0;
    QTest::newRow("another error shows the box") << 438 << 1;
}

void TestMainWindowCommands::spreadsheetFailures()
{
    QFETCH(int, number);
    QFETCH(int, boxes);
    m_fixture.spreadsheetServer.failAt = 5;
    m_fixture.spreadsheetServer.failure.number = number;
    m_fixture.action(QStringLiteral("mnuExcel"))->trigger();
    QCOMPARE(m_fixture.boxes.shown.size(), boxes);
    if (boxes)
        QCOMPARE(m_fixture.boxes.shown[0].text,
                 QStringLiteral("Error generating report\r\nFake:  Object doesn't support this property or "
                                "method (438)"));
}

void TestMainWindowCommands::answerModalDialog(const std::function<void(QDialog *)> &work)
{
    QTimer::singleShot(0, this, [work] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        work(dialog);
    });
}

void TestMainWindowCommands::adjustWritesTheRowBoxesBack()
{
    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    m_fixture.advanceAndTick(5);
    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    QString caption;
    answerModalDialog([&caption](QDialog *dialog) {
        caption = dialog->windowTitle();
        auto *hours = dialog->findChild<QLineEdit *>(QStringLiteral("txtHr0"));
        hours->selectAll();
        QTest::keyClicks(hours, QStringLiteral("12"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    m_fixture.action(QStringLiteral("mnuTotalTimes"))->trigger();

    QCOMPARE(caption, QStringLiteral("Adjust total times"));
    QCOMPARE(m_fixture.window->table().totalTime(0), 12 * 3600.0 + 5);
    QCOMPARE(m_fixture.field(QStringLiteral("txtTotalTime0"))->text(), QStringLiteral(" 12:00:05"));
    QCOMPARE(m_fixture.field(QStringLiteral("txtTime0"))->text(), QStringLiteral(" 0:00:05"));
    QCOMPARE(m_fixture.label(QStringLiteral("lblTotalTime"))->text(), QStringLiteral(" 0:00:05"));
}

void TestMainWindowCommands::adjustDailyTimesShowsTheDailyCounts()
{
    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    m_fixture.advanceAndTick(3725);
    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    QStringList shown;
    answerModalDialog([&shown](QDialog *dialog) {
        shown << dialog->windowTitle();
        for (const char *name : {"txtHr0", "txtMin0", "txtSec0"})
            shown << dialog->findChild<QLineEdit *>(QLatin1String(name))->text();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("CancelButton")), Qt::LeftButton);
    });
    m_fixture.action(QStringLiteral("mnuDailyTimes"))->trigger();
    QCOMPARE(shown, QStringList({"Adjust daily times", "1", "2", "5"}));
    QCOMPARE(m_fixture.field(QStringLiteral("txtTime0"))->text(), QStringLiteral(" 1:02:05"));
}

void TestMainWindowCommands::helpMenuOpensItsWindows()
{
    QStringList captions;
    const auto closeWithEnter = [&captions](QDialog *dialog) {
        captions << dialog->windowTitle();
        dialog->accept();
    };
    // No readme.txt in the program's folder: the error box comes first, then the window.
    answerModalDialog(closeWithEnter);
    m_fixture.action(QStringLiteral("mnuOverview"))->trigger();
    QCOMPARE(m_fixture.boxes.shown.size(), 1);
    QVERIFY(m_fixture.boxes.shown[0].text.startsWith(QLatin1String("Error loading help file\r\n")));

    QFile readme(m_fixture.folderPath() + QLatin1String("/readme.txt"));
    QVERIFY(readme.open(QIODevice::WriteOnly));
    readme.write("Help\r\n");
    readme.close();
    answerModalDialog(closeWithEnter);
    m_fixture.action(QStringLiteral("mnuOverview"))->trigger();
    answerModalDialog(closeWithEnter);
    m_fixture.action(QStringLiteral("mnuAbout"))->trigger();

    QCOMPARE(captions, QStringList({"Overview", "Overview", "About Tallywick"}));
    QCOMPARE(m_fixture.boxes.shown.size(), 1);
}

QTEST_MAIN(TestMainWindowCommands)
#include "tst_mainwindowcommands.moc"
