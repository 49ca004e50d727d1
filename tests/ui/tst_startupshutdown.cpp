#include "storage/projectlistfile.h"
#include "support/filesizelimit.h"
#include "support/mainwindowfixture.h"

#include <QFile>

// What survives from run to run: the project list read at start-up, written at a confirmed exit and,
// quietly, while timing runs.
class TestStartupShutdown : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsFromTheSavedList();
    void cutFileKeepsWhatWasReadBeforeTheCut();
    void noAtTheExitQuestionKeepsTiming_data();
    void noAtTheExitQuestionKeepsTiming();
    void yesSavesTheTotalsAccruedSoFar();
    void failedSaveShowsOneBoxAndKeepsTheOldFile();
    void timingSavesAtStopAndEveryMinute();
    void reportFolderFallsBackToTheProgramFolder();
    void endWithoutQuestionSavesAndCloses();

private:
    QString listPath() const { return m_fixture.folderPath() + QLatin1String("/projlist.dat"); }
    void writeList(const ProjectList &list);
    ProjectListReading readList() const { return ProjectListFile(listPath()).load(); }
    QByteArray fileBytes() const;

    MainWindowFixture m_fixture;
};

void TestStartupShutdown::init()
{
    m_fixture.reset();
}

void TestStartupShutdown::cleanup()
{
    if (m_fixture.window)
        m_fixture.close();
}

void TestStartupShutdown::writeList(const ProjectList &list)
{
    QVERIFY(!ProjectListFile(listPath()).save(list));
}

QByteArray TestStartupShutdown::fileBytes() const
{
    QFile file(listPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestStartupShutdown::startsFromTheSavedList()
{
    ProjectList list;
    list.userName = QStringLiteral("Smith, \"Ann\" ");
    list.names = {QStringLiteral("Alpha"),
                  QString(),
                  QStringLiteral(" Beta, b"),
                  QString(),
                  QString(),
                  QString(),
                  QString(),
                  QStringLiteral("Zeta")};
    list.totals = {3725, 0, 90061, 0, 0, 0, 0, 60};
    writeList(list);

    m_fixture.open();
    QCOMPARE(m_fixture.field(QStringLiteral("txtName"))->text(), list.userName);
    QCOMPARE(m_fixture.field(QStringLiteral("txtName"))->selectedText(), list.userName);
    for (int row = 0; row < MainWindow::RowCount; ++row) {
        QCOMPARE(m_fixture.field(QStringLiteral("txtProjName%1").arg(row))->text(),
                 list.names[std::size_t(row)]);
        QCOMPARE(m_fixture.field(QStringLiteral("txtTime%1").arg(row))->text(), QStringLiteral("0:00:00"));
        QCOMPARE(m_fixture.window->table().dailyTime(row), 0.0f);
    }
    QCOMPARE(m_fixture.field(QStringLiteral("txtTotalTime0"))->text(), QStringLiteral(" 1:02:05"));
    QCOMPARE(m_fixture.field(QStringLiteral("txtTotalTime1"))->text(), QStringLiteral(" 0:00:00"));
    QCOMPARE(m_fixture.field(QStringLiteral("txtTotalTime2"))->text(), QStringLiteral(" 25:01:01"));
    QCOMPARE(m_fixture.window->table().totalTime(2), 90061.0);
}

void TestStartupShutdown::cutFileKeepsWhatWasReadBeforeTheCut()
{
    QFile file(listPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Ann\r\nA\r\n 10 \r\nB\r\n 20 \r\nC\r\n 30 \r\nD\r\n 40 \r\n");
    file.close();

    m_fixture.open();
    QCOMPARE(m_fixture.field(QStringLiteral("txtName"))->text(), QStringLiteral("Ann"));
    QCOMPARE(m_fixture.field(QStringLiteral("txtProjName0"))->text(), QStringLiteral("Project 1"));
    QCOMPARE(m_fixture.field(QStringLiteral("txtProjName3"))->text(), QString());
    QCOMPARE(m_fixture.field(QStringLiteral("txtTotalTime3"))->text(), QStringLiteral(" 0:00:40"));
    QCOMPARE(m_fixture.field(QStringLiteral("txtTotalTime4"))->text(), QStringLiteral("0:00:00"));
    QVERIFY(m_fixture.boxes.shown.isEmpty());

    // The first save keeps the file that did not load.
    m_fixture.close();
    QFile backup(listPath() + QLatin1String(".bak"));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), QByteArray("Ann\r\nA\r\n 10 \r\nB\r\n 20 \r\nC\r\n 30 \r\nD\r\n 40 \r\n"));
}

void TestStartupShutdown::noAtTheExitQuestionKeepsTiming_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("close box") << false;
    QTest::newRow("File, Exit") << true;
}

void TestStartupShutdown::noAtTheExitQuestionKeepsTiming()
{
    QFETCH(bool, byMenu);
    m_fixture.open();
    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    m_fixture.boxes.answers = {MessageBoxAnswer::No};
    if (byMenu)
        m_fixture.action(QStringLiteral("mnuExit"))->trigger();
    else
        m_fixture.window->close();

    QCOMPARE(m_fixture.boxes.shown.size(), 1);
    QCOMPARE(m_fixture.boxes.shown[0].style, 292);
    QCOMPARE(m_fixture.boxes.shown[0].title, QStringLiteral("Exit"));
    QCOMPARE(m_fixture.boxes.shown[0].text, QStringLiteral("Are you sure you wish to exit?"));
    QVERIFY(m_fixture.window->isVisible());
    QVERIFY(!QFile::exists(listPath()));
    m_fixture.advanceAndTick(2);
    QCOMPARE(m_fixture.field(QStringLiteral("txtTime0"))->text(), QStringLiteral(" 0:00:02"));
}

void TestStartupShutdown::yesSavesTheTotalsAccruedSoFar()
{
    m_fixture.open();
    m_fixture.field(QStringLiteral("txtName"))->setText(QStringLiteral("Ann"));
    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    m_fixture.advanceAndTick(5.5);
    m_fixture.clock.advance(0.9); // pending at exit: not counted
    m_fixture.boxes.answers = {MessageBoxAnswer::Yes};
    m_fixture.window->close();
    QVERIFY(!m_fixture.window->isVisible());

    QCOMPARE(fileBytes(), QByteArray("Ann\r\nProject 1\r\n 6 \r\n\r\n 0 \r\n\r\n 0 \r\n\r\n 0 \r\n\r\n 0 \r\n"
                                     "\r\n 0 \r\n\r\n 0 \r\n\r\n 0 \r\n"));
}

void TestStartupShutdown::failedSaveShowsOneBoxAndKeepsTheOldFile()
{
    ProjectList list;
    list.userName = QStringLiteral("Ann");
    list.names[0] = QStringLiteral("Alpha");
    list.totals[0] = 100;
    writeList(list);
    const QByteArray before = fileBytes();

    m_fixture.open();
    m_fixture.field(QStringLiteral("txtProjName1"))->setText(QStringLiteral("Beta"));
    m_fixture.boxes.answers = {MessageBoxAnswer::Yes};
    {
        const FileSizeLimit limit(16);
        m_fixture.window->close();
    }
    QCOMPARE(m_fixture.boxes.shown.size(), 2);
    QCOMPARE(m_fixture.boxes.shown[1].style, 16);
    QCOMPARE(m_fixture.boxes.shown[1].title, QStringLiteral("Error"));
    QVERIFY(
        m_fixture.boxes.shown[1].text.startsWith(QLatin1String("Error saving project list\r\nTallywick:  ")));
    QVERIFY(!m_fixture.window->isVisible());
    QCOMPARE(fileBytes(), before);
}

void TestStartupShutdown::timingSavesAtStopAndEveryMinute()
{
    m_fixture.open();
    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    for (int i = 0; i < 50; ++i)
        m_fixture.advanceAndTick(1);
    QVERIFY(!QFile::exists(listPath()));
    for (int i = 0; i < 10; ++i)
        m_fixture.advanceAndTick(1);
    QCOMPARE(readList().totals[0], 60.0);

    for (int i = 0; i < 5; ++i)
        m_fixture.advanceAndTick(1);
    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    QCOMPARE(readList().totals[0], 65.0);
    QVERIFY(m_fixture.boxes.shown.isEmpty());
}

void TestStartupShutdown::reportFolderFallsBackToTheProgramFolder()
{
    m_fixture.environment.documents.clear();
    m_fixture.window = std::make_unique<MainWindow>(m_fixture.services());
    QVERIFY(m_fixture.window->Form_Load());
    QCOMPARE(m_fixture.window->reportFolder(), m_fixture.folderPath());
}

void TestStartupShutdown::endWithoutQuestionSavesAndCloses()
{
    m_fixture.open();
    m_fixture.window->endWithoutQuestion();
    QVERIFY(m_fixture.boxes.shown.isEmpty());
    QVERIFY(!m_fixture.window->isVisible());
    QCOMPARE(readList().names[0], QStringLiteral("Project 1"));
    QVERIFY(readList().complete);
}

QTEST_MAIN(TestStartupShutdown)
#include "tst_startupshutdown.moc"
