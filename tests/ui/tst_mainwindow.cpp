#include "core/timetext.h"
#include "support/mainwindowfixture.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

// The main window as its user meets it: what it shows when it opens, Start and Stop, the active row and
// its shortcuts, and the time that the tick adds, with a clock the test moves by hand.
class TestMainWindow : public QObject, public MainWindowFixture
{
    Q_OBJECT

    const QColor m_blue{0, 0, 255};
    const QColor m_red{192, 0, 0};

    QString row(const char *name, int index) const
    {
        return text(QLatin1String(name) + QString::number(index));
    }
    QColor colour(QWidget *widget, QPalette::ColorRole role) const { return widget->palette().color(role); }

private Q_SLOTS:
    void init()
    {
        reset();
        open();
    }
    void cleanup() { close(); }

    void opensWithItsInitialTexts()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Morvane Tallywick (stopped)"));
        QCOMPARE(window->centralWidget()->size(), QSize(321, 369));
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(field("txtName")->selectedText(), QStringLiteral("User's name"));
        QCOMPARE(text("lblDate"), QStringLiteral("Tuesday, April 18"));
        QCOMPARE(text("lblVersion"), QStringLiteral("v1.3.1"));
        QCOMPARE(text("lblTotalTime"), QStringLiteral(" 0:00:00"));
        QCOMPARE(colour(label("lblTotalTime"), QPalette::WindowText), m_red);
        QCOMPARE(startStop()->text(), QStringLiteral("Start"));
        for (int i = 0; i < RowCount; ++i) {
            QCOMPARE(row("txtProjName", i), i == 0 ? QStringLiteral("Project 1") : QString());
            QCOMPARE(row("txtTime", i), QStringLiteral("0:00:00"));
            QCOMPARE(row("txtTotalTime", i), QStringLiteral("0:00:00"));
            QCOMPARE(option(i)->isChecked(), i == 0);
        }
        QCOMPARE(colour(field("txtProjName0"), QPalette::Text), m_blue);

        // Every entry, in menu order, and all of them enabled.
        QStringList entries;
        const std::function<void(QWidget *)> walk = [&](QWidget *menu) {
            for (QAction *entry : menu->actions()) {
                entries << entry->text() + (entry->isEnabled() ? "" : " (disabled)");
                if (entry->menu())
                    walk(entry->menu());
            }
        };
        walk(window->menuBar());
        QCOMPARE(entries, QStringList({"&File", "Generate report", "&Excel file", "&Text file", "&CSV file",
                                       "", "E&xit", "&Adjust", "&Daily times", "&Total times", "&Help",
                                       "&Overview", "&About"}));
    }

    void tabWalksNameProjectsAndStart()
    {
        field("txtName")->setFocus();
        QStringList visited;
        for (int step = 0; step < 10; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited,
                 QStringList({"txtProjName0", "txtProjName1", "txtProjName2", "txtProjName3", "txtProjName4",
                              "txtProjName5", "txtProjName6", "txtProjName7", "cmdStartStop", "txtName"}));
    }

    void typingLimitsRefuseButKeepProgramText_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<int>("limit");
        QTest::newRow("user's name") << "txtName" << 64;
        QTest::newRow("project name") << "txtProjName3" << 32;
    }
    void typingLimitsRefuseButKeepProgramText()
    {
        QFETCH(QString, fieldName);
        QFETCH(int, limit);
        QLineEdit *box = field(fieldName);
        box->clear();
        QTest::keyClicks(box, QString(limit + 5, 'a'));
        QCOMPARE(box->text(), QString(limit, 'a'));

        box->setText("abc");
        QApplication::clipboard()->setText(QString(limit + 1, 'x'));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("abc") + QString(limit - 3, 'x'));

        const QString longer(limit + 10, 'L');
        box->setText(longer);
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Z);
        QCOMPARE(box->text(), longer);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), longer.chopped(1));
    }

    void timeBoxesAreLockedButSelectable()
    {
        for (const char *name : {"txtTime2", "txtTotalTime5"}) {
            QTest::mouseClick(field(name), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), field(name));
            QTest::keyClicks(field(name), "12");
            QTest::keyClick(field(name), Qt::Key_Backspace);
            QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(field(name)->selectedText(), QStringLiteral("0:00:00"));
        }
    }

    void emptyUserNameDisablesStart()
    {
        QTest::keyClick(field("txtName"), Qt::Key_Delete);
        QVERIFY(!startStop()->isEnabled());
        QTest::keyClicks(field("txtName"), "A");
        QVERIFY(startStop()->isEnabled());
        field("txtName")->clear();
        QVERIFY(!startStop()->isEnabled());
        field("txtName")->setText("Set by the program");
        QVERIFY(startStop()->isEnabled());
    }

    void startAndStopSwitchTheWindow()
    {
        for (const bool running : {true, false}) {
            clickStartStop();
            QCOMPARE(startStop()->text(), running ? QStringLiteral("Stop") : QStringLiteral("Start"));
            QCOMPARE(window->windowTitle(), running ? QStringLiteral("Vorn (running)")
                                                    : QStringLiteral("Morvane Tallywick (stopped)"));
            QCOMPARE(colour(label("lblTotalTime"), QPalette::WindowText),
                     running ? QApplication::palette().color(QPalette::WindowText) : m_red);
            QCOMPARE(action("mnuGenerateReportAction")->isEnabled(), !running);
            QCOMPARE(action("mnuAdjustAction")->isEnabled(), !running);
            QCOMPARE(field("txtName")->isEnabled(), !running);
        }
    }

    void shortcutsChooseTheActiveRow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("ctrlReleasedFirst");
        QTest::addColumn<int>("activeRow");
        const int ctrl = Qt::ControlModifier;
        for (int row = 0; row < RowCount; ++row) {
            QTest::addRow("Ctrl+%d", row + 1) << Qt::Key_1 + row << ctrl << false << row;
            QTest::addRow("Ctrl+keypad %d", row + 1)
                << Qt::Key_1 + row << (ctrl | int(Qt::KeypadModifier)) << false << row;
        }
        QTest::newRow("Ctrl released first") << int(Qt::Key_7) << ctrl << true << 6;
        QTest::newRow("Ctrl+Shift+3") << int(Qt::Key_3) << (ctrl | int(Qt::ShiftModifier)) << false << -1;
        QTest::newRow("Ctrl+Alt+3") << int(Qt::Key_3) << (ctrl | int(Qt::AltModifier)) << false << -1;
        QTest::newRow("Ctrl+9") << int(Qt::Key_9) << ctrl << false << -1;
        QTest::newRow("Ctrl+0") << int(Qt::Key_0) << ctrl << false << -1;
        QTest::newRow("3 alone") << int(Qt::Key_3) << 0 << false << -1;
    }
    // Typed in a project name, a chord makes its row active and names the row if empty; anything else is
    // typed.
    void shortcutsChooseTheActiveRow()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, ctrlReleasedFirst);
        QFETCH(int, activeRow);
        QLineEdit *name = field("txtProjName5");
        name->setFocus();
        name->setText("Typing here");
        if (ctrlReleasedFirst) {
            QTest::keyPress(name, Qt::Key_Control, Qt::ControlModifier);
            QTest::keyPress(name, Qt::Key(key), Qt::ControlModifier);
            QTest::keyRelease(name, Qt::Key_Control, Qt::NoModifier);
            QTest::keyRelease(name, Qt::Key(key), Qt::NoModifier);
        } else {
            QTest::keyClick(name, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        }
        for (int i = 0; i < RowCount; ++i) {
            QCOMPARE(option(i)->isChecked(), i == qMax(activeRow, 0));
            QCOMPARE(colour(field("txtProjName" + QString::number(i)), QPalette::Text) == m_blue,
                     i == qMax(activeRow, 0));
        }
        QCOMPARE(QApplication::focusWidget(),
                 activeRow < 0 ? static_cast<QWidget *>(name) : option(activeRow));
        if (activeRow < 0)
            return;
        QCOMPARE(name->text(), QStringLiteral("Typing here"));
        if (activeRow != 5)
            QCOMPARE(row("txtProjName", activeRow), QStringLiteral("Project %1").arg(activeRow + 1));
    }

    // Time below a second waits for the next tick; what is counted keeps its fractions.
    void countsKeepTheirFractions()
    {
        clickStartStop();
        advanceAndTick(0.18, 5);
        clickStartStop();
        advanceAndTick(5);
        QCOMPARE(text("txtTime0"), QStringLiteral("0:00:00"));

        clickStartStop();
        advanceAndTick(1.4);
        QCOMPARE(text("txtTime0"), QStringLiteral(" 0:00:01"));
        advanceAndTick(1.4);
        QCOMPARE(QStringList({text("txtTime0"), text("txtTotalTime0"), text("lblTotalTime")}),
                 QStringList(3, " 0:00:03"));
    }

    // The daily sum adds the rows; time not yet counted goes whole to the row that is active when it is.
    void rowSwitchMovesTheWholeNextSpan()
    {
        clickStartStop();
        advanceAndTick(100);
        QCOMPARE(window->windowTitle(), QStringLiteral("Vorn (Project 1,  0:01:40)"));
        advanceAndTick(0.7);
        QTest::keyClick(field("txtProjName0"), Qt::Key_4, Qt::ControlModifier);
        field("txtProjName3")->clear();
        advanceAndTick(199.3);
        QCOMPARE(QStringList({text("txtTime0"), text("txtTime3"), text("lblTotalTime")}),
                 QStringList({" 0:01:40", " 0:03:20", " 0:05:00"}));
        QCOMPARE(window->windowTitle(), QStringLiteral("Vorn (,  0:03:20)"));
    }

    // Twenty ticks each before midnight, after it, and after the system clock went back an hour.
    void spansAreRealTimeAcrossMidnightAndClockChanges()
    {
        clock.wallSeconds = 86400 - 30;
        clock.date = {2026, 12, 5, 7};
        clickStartStop();
        advanceAndTick(3, 20);
        clock.wallSeconds -= 86400;
        clock.date = {2026, 12, 6, 1};
        advanceAndTick(3, 20);
        QCOMPARE(text("lblDate"), QStringLiteral("Sunday, December 6"));
        clock.wallSeconds -= 3600;
        advanceAndTick(3, 20);
        QCOMPARE(session->count(SessionModel::TimeColumn::Total, 0), 180.0);
        QCOMPARE(text("txtTime0"), QStringLiteral(" 0:03:00"));
    }

    // Six ticks a second for a working day lose nothing but the span still pending.
    void eightHoursOfTicksAccrueEightHours()
    {
        clickStartStop();
        const int ticks = int(8 * 3600 / 0.166);
        advanceAndTick(0.166, ticks);
        const double counted = session->count(SessionModel::TimeColumn::Total, 0);
        QVERIFY2(counted <= ticks * 0.166 + 1e-6 && counted >= ticks * 0.166 - 1,
                 qPrintable(QString::number(counted)));
        QCOMPARE(text("txtTime0"), *DissectTime(counted));
    }

    // While timing runs, a tick when the next second is due; while stopped, when only the date label can
    // change, a tick just after midnight and at least one a minute, so that an idle program hardly wakes.
    void tickIntervalFollowsTheTimingState_data()
    {
        QTest::addColumn<double>("wallSeconds");
        QTest::addColumn<int>("startStopClicks");
        QTest::addColumn<double>("secondsRunning");
        QTest::addColumn<int>("interval");
        QTest::newRow("stopped in the morning: a minute") << 9 * 3600.0 << 0 << 0.0 << 60 * 1000;
        QTest::newRow("just before midnight") << 86399.5 << 0 << 0.0 << 520;
        QTest::newRow("at midnight: no busy loop") << 86400.0 << 0 << 0.0 << 166;
        QTest::newRow("running: the next second") << 9 * 3600.0 << 1 << 0.0 << 1002;
        QTest::newRow("running, 0.7 s on") << 9 * 3600.0 << 1 << 0.7 << 302;
        QTest::newRow("running, 1.5 s on: accrued") << 9 * 3600.0 << 1 << 1.5 << 1002;
        QTest::newRow("running into midnight") << 86399.5 << 1 << 0.0 << 520;
        QTest::newRow("stopped again") << 9 * 3600.0 << 2 << 0.0 << 60 * 1000;
    }
    void tickIntervalFollowsTheTimingState()
    {
        QFETCH(double, wallSeconds);
        QFETCH(int, startStopClicks);
        QFETCH(double, secondsRunning);
        clock.wallSeconds = wallSeconds;
        tick();
        for (int click = 0; click < startStopClicks; ++click)
            clickStartStop();
        advanceAndTick(secondsRunning);
        QTEST(child<QTimer>("tmrOneSecond")->interval(), "interval");
    }

    void stoppedTickOnlyFollowsTheDate()
    {
        field("txtTime0")->setSelection(1, 3);
        advanceAndTick(3600);
        QCOMPARE(field("txtTime0")->selectedText(), QStringLiteral(":00"));
        clock.date = {2006, 4, 19, 4};
        tick();
        QCOMPARE(text("lblDate"), QStringLiteral("Wednesday, April 19"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
