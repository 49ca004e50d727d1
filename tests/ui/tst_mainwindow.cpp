#include "core/timetext.h"
#include "support/mainwindowfixture.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

// The main window as its user meets it: what it shows when it opens, Start and Stop, the active row and
// its shortcuts, and the time that the tick adds, with a clock the test moves by hand.
class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensWithItsInitialTexts();
    void menusCarryTheirCaptions();
    void tabWalksNameProjectsAndStart();
    void typingLimitsRefuseButKeepProgramText_data();
    void typingLimitsRefuseButKeepProgramText();
    void timeBoxesAreLockedButSelectable();
    void emptyUserNameDisablesStart();
    void startAndStopSwitchTheWindow();
    void shortcutsChooseTheActiveRow_data();
    void shortcutsChooseTheActiveRow();
    void shortcutCountsWhenCtrlIsReleasedFirst();
    void clickingAnEmptyRowNamesIt();
    void spanBelowOneSecondAddsNothing();
    void countsKeepTheirFractions();
    void rowSwitchMovesTheWholeNextSpan();
    void emptyActiveRowCaption();
    void dailySumAddsTheDailyCounts();
    void spansAreRealTimeAcrossMidnightAndClockChanges();
    void eightHoursOfTicksAccrueEightHours();
    void stoppedTickOnlyFollowsTheDate();

private:
    void tick() { m_fixture.tick(); }
    void advanceAndTick(double seconds) { m_fixture.advanceAndTick(seconds); }
    QLineEdit *field(const QString &name) const { return m_fixture.field(name); }
    QLabel *label(const QString &name) const { return m_fixture.label(name); }
    QAction *action(const QString &name) const { return m_fixture.action(name); }
    QPushButton *startStop() const { return m_fixture.startStop(); }

    MainWindowFixture m_fixture;
    FakeClock &m_clock = m_fixture.clock;
    std::unique_ptr<MainWindow> &m_window = m_fixture.window;
};

void TestMainWindow::init()
{
    m_fixture.reset();
    m_fixture.open();
}

void TestMainWindow::cleanup()
{
    m_fixture.close();
}

void TestMainWindow::opensWithItsInitialTexts()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Morvane Tallywick (stopped)"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(321, 369));
    QCOMPARE(field(QStringLiteral("txtName"))->text(), QStringLiteral("User's name"));
    QCOMPARE(field(QStringLiteral("txtName"))->selectedText(), QStringLiteral("User's name"));
    QCOMPARE(label(QStringLiteral("lblDate"))->text(), QStringLiteral("Tuesday, April 18"));
    QCOMPARE(label(QStringLiteral("lblVersion"))->text(), QStringLiteral("v1.3.1"));
    QCOMPARE(label(QStringLiteral("lblTotalTime"))->text(), QStringLiteral(" 0:00:00"));
    QCOMPARE(label(QStringLiteral("lblTotalTime"))->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    QCOMPARE(startStop()->text(), QStringLiteral("Start"));
    for (int row = 0; row < MainWindow::RowCount; ++row) {
        QCOMPARE(field(QStringLiteral("txtProjName%1").arg(row))->text(),
                 row == 0 ? QStringLiteral("Project 1") : QString());
        QCOMPARE(field(QStringLiteral("txtTime%1").arg(row))->text(), QStringLiteral("0:00:00"));
        QCOMPARE(field(QStringLiteral("txtTotalTime%1").arg(row))->text(), QStringLiteral("0:00:00"));
        QCOMPARE(m_window->findChild<QRadioButton *>(QStringLiteral("optActive%1").arg(row))->isChecked(),
                 row == 0);
    }
    QCOMPARE(field(QStringLiteral("txtProjName0"))->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(m_window->reportFolder(), m_fixture.folderPath());
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
}

void TestMainWindow::menusCarryTheirCaptions()
{
    const QList<QPair<QString, QString>> entries = {
        {"mnuFileAction", "&File"},        {"mnuGenerateReportAction", "Generate report"},
        {"mnuExcel", "&Excel file"},       {"mnuText", "&Text file"},
        {"mnuCSV", "&CSV file"},           {"mnuExit", "E&xit"},
        {"mnuAdjustAction", "&Adjust"},    {"mnuDailyTimes", "&Daily times"},
        {"mnuTotalTimes", "&Total times"}, {"mnuHelpAction", "&Help"},
        {"mnuOverview", "&Overview"},      {"mnuAbout", "&About"}};
    for (const auto &[name, caption] : entries) {
        QAction *entry = action(name);
        QVERIFY2(entry, qPrintable(name));
        QCOMPARE(entry->text(), caption);
        QVERIFY(entry->isEnabled());
        QVERIFY(entry->shortcut().isEmpty());
        QVERIFY(!entry->isCheckable());
    }
    QStringList topLevel;
    for (QAction *entry : m_window->menuBar()->actions())
        topLevel << entry->text();
    QCOMPARE(topLevel, QStringList({"&File", "&Adjust", "&Help"}));
    QVERIFY(action(QStringLiteral("mnuFileBar1"))->isSeparator());
}

void TestMainWindow::tabWalksNameProjectsAndStart()
{
    QLineEdit *name = field(QStringLiteral("txtName"));
    name->setFocus();
    QStringList visited;
    for (int step = 0; step < 11; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"txtProjName0", "txtProjName1", "txtProjName2", "txtProjName3",
                                   "txtProjName4", "txtProjName5", "txtProjName6", "txtProjName7",
                                   "cmdStartStop", "txtName", "txtProjName0"}));
}

void TestMainWindow::typingLimitsRefuseButKeepProgramText_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<int>("limit");
    QTest::newRow("user's name") << "txtName" << 64;
    QTest::newRow("project name") << "txtProjName3" << 32;
}

void TestMainWindow::typingLimitsRefuseButKeepProgramText()
{
    QFETCH(QString, fieldName);
    QFETCH(int, limit);
    QLineEdit *box = field(fieldName);
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, QString(limit + 5, QLatin1Char('a')));
    QCOMPARE(box->text(), QString(limit, QLatin1Char('a')));

    // Pasting past the limit is refused as well.
    box->clear();
    QTest::keyClicks(box, QStringLiteral("abc"));
    QApplication::clipboard()->setText(QString(limit + 1, QLatin1Char('x')));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("abc"));
    box->clear();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QString());
    if (fieldName == QLatin1String("txtName"))
        QVERIFY(!startStop()->isEnabled());

    // A longer text that the program puts there stays whole, can be shortened, and refuses more typing.
    const QString longer(limit + 10, QLatin1Char('L'));
    box->setText(longer);
    QCOMPARE(box->text(), longer);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Z);
    QCOMPARE(box->text(), longer);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), longer.chopped(1));
}

void TestMainWindow::timeBoxesAreLockedButSelectable()
{
    for (const QString &name : {QStringLiteral("txtTime2"), QStringLiteral("txtTotalTime5")}) {
        QLineEdit *box = field(name);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("12"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("0:00:00"));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(box->selectedText(), QStringLiteral("0:00:00"));
        QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }
}

void TestMainWindow::emptyUserNameDisablesStart()
{
    QLineEdit *name = field(QStringLiteral("txtName"));
    name->setFocus();
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    QVERIFY(!startStop()->isEnabled());
    QTest::keyClicks(name, QStringLiteral("A"));
    QVERIFY(startStop()->isEnabled());
    QTest::keyClick(name, Qt::Key_Backspace);
    QVERIFY(!startStop()->isEnabled());
    name->setText(QStringLiteral("Set by the program"));
    QVERIFY(startStop()->isEnabled());
}

void TestMainWindow::startAndStopSwitchTheWindow()
{
    QTest::mouseClick(startStop(), Qt::LeftButton);
    QCOMPARE(startStop()->text(), QStringLiteral("Stop"));
    QVERIFY(m_window->isRunning());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vorn (running)"));
    QCOMPARE(label(QStringLiteral("lblTotalTime"))->palette().color(QPalette::WindowText),
             QApplication::palette().color(QPalette::WindowText));
    QVERIFY(!action(QStringLiteral("mnuGenerateReportAction"))->isEnabled());
    QVERIFY(!action(QStringLiteral("mnuAdjustAction"))->isEnabled());
    QVERIFY(!field(QStringLiteral("txtName"))->isEnabled());
    QVERIFY(field(QStringLiteral("txtProjName0"))->isEnabled());

    advanceAndTick(1.2);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vorn (Project 1,  0:00:01)"));

    QTest::mouseClick(startStop(), Qt::LeftButton);
    QCOMPARE(startStop()->text(), QStringLiteral("Start"));
    QVERIFY(!m_window->isRunning());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Morvane Tallywick (stopped)"));
    QCOMPARE(label(QStringLiteral("lblTotalTime"))->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    QVERIFY(action(QStringLiteral("mnuGenerateReportAction"))->isEnabled());
    QVERIFY(action(QStringLiteral("mnuAdjustAction"))->isEnabled());
    QVERIFY(field(QStringLiteral("txtName"))->isEnabled());
}

void TestMainWindow::shortcutsChooseTheActiveRow_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("activeRow");

    const int ctrl = Qt::ControlModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("Ctrl+3") << int(Qt::Key_3) << ctrl << 2;
    QTest::newRow("Ctrl+keypad 3") << int(Qt::Key_3) << (ctrl | keypad) << 2;
    QTest::newRow("Ctrl+1") << int(Qt::Key_1) << ctrl << 0;
    QTest::newRow("Ctrl+8") << int(Qt::Key_8) << ctrl << 7;
    QTest::newRow("Ctrl+keypad 8") << int(Qt::Key_8) << (ctrl | keypad) << 7;
    QTest::newRow("Ctrl+Shift+3") << int(Qt::Key_3) << (ctrl | int(Qt::ShiftModifier)) << -1;
    QTest::newRow("Ctrl+Alt+3") << int(Qt::Key_3) << (ctrl | int(Qt::AltModifier)) << -1;
    QTest::newRow("Ctrl+9") << int(Qt::Key_9) << ctrl << -1;
    QTest::newRow("Ctrl+0") << int(Qt::Key_0) << ctrl << -1;
    QTest::newRow("3 alone") << int(Qt::Key_3) << 0 << -1;
}

void TestMainWindow::shortcutsChooseTheActiveRow()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, activeRow);

    QLineEdit *name = field(QStringLiteral("txtProjName5"));
    name->setFocus();
    name->setText(QStringLiteral("Typing here"));
    QTest::keyClick(name, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    const int expectedRow = activeRow < 0 ? 0 : activeRow;
    for (int row = 0; row < MainWindow::RowCount; ++row) {
        auto *option = m_window->findChild<QRadioButton *>(QStringLiteral("optActive%1").arg(row));
        QCOMPARE(option->isChecked(), row == expectedRow);
        const QColor colour =
            field(QStringLiteral("txtProjName%1").arg(row))->palette().color(QPalette::Text);
        QCOMPARE(colour == QColor(0, 0, 255), row == expectedRow);
    }
    if (activeRow < 0) {
        QCOMPARE(QApplication::focusWidget(), name);
        QVERIFY(name->text().startsWith(QLatin1String("Typing here")));
        return;
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("optActive%1").arg(activeRow));
    QCOMPARE(name->text(), QStringLiteral("Typing here")); // the chord typed nothing
    if (activeRow != 0 && activeRow != 5)
        QCOMPARE(field(QStringLiteral("txtProjName%1").arg(activeRow))->text(),
                 QStringLiteral("Project %1").arg(activeRow + 1));
}

void TestMainWindow::shortcutCountsWhenCtrlIsReleasedFirst()
{
    QLineEdit *name = field(QStringLiteral("txtName"));
    name->setFocus();
    QTest::keyPress(name, Qt::Key_Control, Qt::ControlModifier);
    QTest::keyPress(name, Qt::Key_6, Qt::ControlModifier);
    QTest::keyRelease(name, Qt::Key_Control, Qt::NoModifier);
    QTest::keyRelease(name, Qt::Key_6, Qt::NoModifier);
    QVERIFY(m_fixture.option(5)->isChecked());
    QCOMPARE(field(QStringLiteral("txtProjName5"))->text(), QStringLiteral("Project 6"));

    // The release alone decides as well: a digit released while exactly Ctrl is held counts.
    QTest::keyRelease(name, Qt::Key_2, Qt::ControlModifier);
    QVERIFY(m_fixture.option(1)->isChecked());
}

void TestMainWindow::clickingAnEmptyRowNamesIt()
{
    field(QStringLiteral("txtProjName6"))->setText(QStringLiteral("Kept"));
    QTest::mouseClick(m_window->findChild<QRadioButton *>(QStringLiteral("optActive6")), Qt::LeftButton);
    QCOMPARE(field(QStringLiteral("txtProjName6"))->text(), QStringLiteral("Kept"));
    QTest::mouseClick(m_window->findChild<QRadioButton *>(QStringLiteral("optActive3")), Qt::LeftButton);
    QCOMPARE(field(QStringLiteral("txtProjName3"))->text(), QStringLiteral("Project 4"));
    QCOMPARE(field(QStringLiteral("txtProjName3"))->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(field(QStringLiteral("txtProjName6"))->palette().color(QPalette::Text),
             QApplication::palette().color(QPalette::Text));
}

void TestMainWindow::spanBelowOneSecondAddsNothing()
{
    QTest::mouseClick(startStop(), Qt::LeftButton);
    for (int i = 0; i < 5; ++i)
        advanceAndTick(0.18);
    QTest::mouseClick(startStop(), Qt::LeftButton);
    advanceAndTick(5);
    QCOMPARE(m_window->table().dailyTime(0), 0.0f);
    QCOMPARE(m_window->table().totalTime(0), 0.0);
    QCOMPARE(field(QStringLiteral("txtTime0"))->text(), QStringLiteral("0:00:00"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Morvane Tallywick (stopped)"));
}

void TestMainWindow::countsKeepTheirFractions()
{
    QTest::mouseClick(startStop(), Qt::LeftButton);
    advanceAndTick(1.4);
    QCOMPARE(field(QStringLiteral("txtTime0"))->text(), QStringLiteral(" 0:00:01"));
    advanceAndTick(1.4);
    QCOMPARE(field(QStringLiteral("txtTime0"))->text(), QStringLiteral(" 0:00:03"));
    QCOMPARE(field(QStringLiteral("txtTotalTime0"))->text(), QStringLiteral(" 0:00:03"));
    QCOMPARE(field(QStringLiteral("txtTime1"))->text(), QStringLiteral(" 0:00:00"));
    QCOMPARE(label(QStringLiteral("lblTotalTime"))->text(), QStringLiteral(" 0:00:03"));
    QVERIFY(qAbs(m_window->table().dailyTime(0) - 2.8f) < 1e-5f);
}

void TestMainWindow::rowSwitchMovesTheWholeNextSpan()
{
    QTest::mouseClick(startStop(), Qt::LeftButton);
    advanceAndTick(0.7);
    QTest::keyClick(field(QStringLiteral("txtProjName0")), Qt::Key_2, Qt::ControlModifier);
    advanceAndTick(0.7);
    QCOMPARE(m_window->table().dailyTime(0), 0.0f);
    QVERIFY(qAbs(m_window->table().dailyTime(1) - 1.4f) < 1e-5f);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vorn (Project 2,  0:00:01)"));
}

void TestMainWindow::emptyActiveRowCaption()
{
    QTest::mouseClick(startStop(), Qt::LeftButton);
    QTest::keyClick(field(QStringLiteral("txtProjName0")), Qt::Key_4, Qt::ControlModifier);
    field(QStringLiteral("txtProjName3"))->clear();
    advanceAndTick(2);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vorn (,  0:00:02)"));
}

void TestMainWindow::dailySumAddsTheDailyCounts()
{
    QTest::mouseClick(startStop(), Qt::LeftButton);
    advanceAndTick(100);
    QTest::keyClick(field(QStringLiteral("txtProjName0")), Qt::Key_2, Qt::ControlModifier);
    advanceAndTick(200);
    QCOMPARE(label(QStringLiteral("lblTotalTime"))->text(), QStringLiteral(" 0:05:00"));
    QCOMPARE(field(QStringLiteral("txtTime0"))->text(), QStringLiteral(" 0:01:40"));
    QCOMPARE(field(QStringLiteral("txtTime1"))->text(), QStringLiteral(" 0:03:20"));
}

void TestMainWindow::spansAreRealTimeAcrossMidnightAndClockChanges()
{
    m_clock.wallSeconds = 86400 - 30;
    m_clock.date = {2026, 12, 5, 7};
    QTest::mouseClick(startStop(), Qt::LeftButton);
    for (int i = 0; i < 20; ++i)
        advanceAndTick(3);
    // Midnight: the wall clock starts again from 0 and the date moves on.
    m_clock.wallSeconds -= 86400;
    m_clock.date = {2026, 12, 6, 1};
    for (int i = 0; i < 20; ++i)
        advanceAndTick(3);
    QCOMPARE(label(QStringLiteral("lblDate"))->text(), QStringLiteral("Sunday, December 6"));
    // The system clock is set back an hour: the wall clock jumps, real time does not.
    m_clock.wallSeconds -= 3600;
    for (int i = 0; i < 20; ++i)
        advanceAndTick(3);
    QCOMPARE(m_window->table().dailyTime(0), 180.0f);
    QCOMPARE(m_window->table().totalTime(0), 180.0);
    QCOMPARE(field(QStringLiteral("txtTime0"))->text(), QStringLiteral(" 0:03:00"));
}

void TestMainWindow::eightHoursOfTicksAccrueEightHours()
{
    QTest::mouseClick(startStop(), Qt::LeftButton);
    const double tickSpan = 0.166;
    const double eightHours = 8 * 3600.0;
    double passed = 0;
    while (passed + tickSpan <= eightHours) {
        m_clock.advance(tickSpan);
        passed += tickSpan;
        tick();
    }
    const double counted = m_window->table().totalTime(0);
    QVERIFY2(counted <= passed + 1e-6 && counted >= passed - 1.0,
             qPrintable(QString::number(passed - counted)));
    QVERIFY(qAbs(double(m_window->table().dailyTime(0)) - counted) < 0.01);
    QCOMPARE(field(QStringLiteral("txtTime0"))->text(), *DissectTime(counted));
}

void TestMainWindow::stoppedTickOnlyFollowsTheDate()
{
    field(QStringLiteral("txtTime0"))->setSelection(1, 3);
    advanceAndTick(3600);
    QCOMPARE(field(QStringLiteral("txtTime0"))->selectedText(), QStringLiteral(":00"));
    QCOMPARE(m_window->table().dailyTime(0), 0.0f);
    m_clock.date = {2006, 4, 19, 4};
    tick();
    QCOMPARE(label(QStringLiteral("lblDate"))->text(), QStringLiteral("Wednesday, April 19"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
