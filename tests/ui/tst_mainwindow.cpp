#include "core/timetext.h"
#include "support/mainwindowfixture.h"

#include <QDialog>

// The main window as its user meets it: what it shows, its keys and focus, the time that the tick adds
// with a clock the test moves by hand, and the menus' commands.
class TestMainWindow : public QObject, public MainWindowFixture
{
    Q_OBJECT

    const QColor m_blue{0, 0, 255};
    const QColor m_red{192, 0, 0};

    static QColor colour(QWidget *widget, QPalette::ColorRole role) { return widget->palette().color(role); }

    // Runs work on the dialog that the next command opens modally, then closes it.
    void onModalDialog(const std::function<void(QDialog *)> &work)
    {
        QTimer::singleShot(0, this, [work] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            work(dialog);
            dialog->close();
        });
    }

private Q_SLOTS:
    void init()
    {
        reset();
        open();
    }
    void cleanup() { close(); }

    void opensAsLaidOut()
    {
        QCOMPARE(texts("caption lblDate lblVersion lblTotalTime txtTime7 txtTotalTime7"),
                 "Morvane Tallywick (stopped)|Tuesday, April 18|v1.3.1| 0:00:00|0:00:00|0:00:00");
        QCOMPARE(window->centralWidget()->size(), QSize(321, 369));
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(field("txtName")->selectedText(), QStringLiteral("User's name"));
        QCOMPARE(colour(child<QLabel>("lblTotalTime"), QPalette::WindowText), m_red);
    }

    // Tab walks the names and Start; a time box takes the focus by a click, and typing leaves it as it was.
    void focusAndTyping()
    {
        field("txtName")->setFocus();
        QStringList visited;
        for (int step = 0; step < 10; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.join(' '), "txtProjName0 txtProjName1 txtProjName2 txtProjName3 txtProjName4 "
                                    "txtProjName5 txtProjName6 txtProjName7 cmdStartStop txtName");
        QTest::mouseClick(field("txtTime2"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), field("txtTime2"));
        QTest::keyClicks(field("txtTime2"), "12");
        QCOMPARE(text("txtTime2"), QStringLiteral("0:00:00"));

        // The names take 64 and 32 characters; Start needs the user's name.
        for (const auto &[name, limit] : {std::pair{"txtName", 64}, {"txtProjName3", 32}}) {
            field(name)->clear();
            QTest::keyClicks(field(name), QString(limit + 1, 'a'));
            QCOMPARE(text(name).size(), limit);
        }
        auto *start = child<QPushButton>("cmdStartStop");
        play("name");
        QVERIFY(!start->isEnabled());
        QTest::keyClicks(field("txtName"), "A");
        QVERIFY(start->isEnabled());
    }

    void startAndStopSwitchTheWindow()
    {
        for (const bool running : {true, false}) {
            play("click");
            QCOMPARE(texts("cmdStartStop caption"),
                     running ? "Stop|Vorn (running)" : "Start|Morvane Tallywick (stopped)");
            QCOMPARE(colour(child<QLabel>("lblTotalTime"), QPalette::WindowText),
                     running ? QApplication::palette().color(QPalette::WindowText) : m_red);
            QCOMPARE(child<QAction>("mnuGenerateReportAction")->isEnabled(), !running);
            QCOMPARE(child<QAction>("mnuAdjustAction")->isEnabled(), !running);
            QCOMPARE(field("txtName")->isEnabled(), !running);
        }
    }

    void shortcutsChooseTheActiveRow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<quint32>("scanCode"); // the key's X keycode; 0 when the event has none
        QTest::addColumn<int>("activeRow");
        const int ctrl = Qt::ControlModifier;
        // The digit row of a French layout: only the key's place tells the digit.
        const int symbols[] = {Qt::Key_Ampersand, Qt::Key_Eacute, Qt::Key_QuoteDbl, Qt::Key_Apostrophe,
                               Qt::Key_ParenLeft, Qt::Key_Minus,  Qt::Key_Egrave,   Qt::Key_Underscore};
        for (int row = 0; row < RowCount; ++row) {
            QTest::addRow("Ctrl+%d", row + 1) << Qt::Key_1 + row << ctrl << 0u << row;
            QTest::addRow("Ctrl+keypad %d", row + 1)
                << Qt::Key_1 + row << int(ctrl | Qt::KeypadModifier) << 0u << row;
            QTest::addRow("Ctrl+symbol on %d", row + 1) << symbols[row] << ctrl << 10u + row << row;
        }
        QTest::newRow("Ctrl released first") << int(Qt::Key_7) << ctrl << 0u << 6;
        QTest::newRow("Ctrl+symbol on 9") << int(Qt::Key_Ccedilla) << ctrl << 18u << -1;
        QTest::newRow("Ctrl+Shift+3") << int(Qt::Key_3) << int(ctrl | Qt::ShiftModifier) << 0u << -1;
        QTest::newRow("Ctrl+Alt+3") << int(Qt::Key_3) << int(ctrl | Qt::AltModifier) << 0u << -1;
        QTest::newRow("Ctrl+9") << int(Qt::Key_9) << ctrl << 0u << -1;
        QTest::newRow("3 alone") << int(Qt::Key_3) << 0 << 0u << -1;
    }
    // Typed in a project name, a chord makes its row active, names the row if empty and takes the focus
    // there; anything else is typed.
    void shortcutsChooseTheActiveRow()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(quint32, scanCode);
        QFETCH(int, activeRow);
        QLineEdit *name = field("txtProjName5");
        name->setFocus();
        name->setText("Typing here");
        const auto send = [name](QEvent::Type type, int key, Qt::KeyboardModifiers held, quint32 scanCode) {
            QKeyEvent event(type, key, held, scanCode, 0, 0);
            QApplication::sendEvent(name, &event);
        };
        if (QByteArray(QTest::currentDataTag()) == "Ctrl released first") {
            send(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 37);
            send(QEvent::KeyPress, key, Qt::ControlModifier, 16);
            send(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, 37);
            send(QEvent::KeyRelease, key, Qt::NoModifier, 16);
        } else if (scanCode != 0) {
            send(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), scanCode);
            send(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers), scanCode);
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
            QCOMPARE(text("txtProjName" + QString::number(activeRow)),
                     QStringLiteral("Project %1").arg(activeRow + 1));
    }

    // Twenty ticks each before midnight, after it, and after the system clock went back an hour: the
    // spans are real time.
    void spansAreRealTimeAcrossMidnightAndClockChanges()
    {
        clock.wallSeconds = 86400 - 30;
        clock.date = {2026, 12, 5, 7};
        play("click, tick 3x20");
        clock.wallSeconds -= 86400;
        clock.date = {2026, 12, 6, 1};
        play("tick 3x20");
        QCOMPARE(text("lblDate"), QStringLiteral("Sunday, December 6"));
        clock.wallSeconds -= 3600;
        play("tick 3x20");
        QCOMPARE(texts("txtTime0 txtTotalTime0"), " 0:03:00| 0:03:00");
    }

    // Six ticks a second for a working day lose nothing but the span still pending.
    void eightHoursOfTicksAccrueEightHours()
    {
        play("click");
        const int ticks = int(8 * 3600 / 0.166);
        for (int i = 0; i < ticks; ++i) {
            clock.advance(0.166);
            tick();
        }
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
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("interval");
        QTest::newRow("stopped in the morning: a minute") << 9 * 3600.0 << "tick 0" << 60 * 1000;
        QTest::newRow("just before midnight") << 86399.5 << "tick 0" << 520;
        QTest::newRow("at midnight: no busy loop") << 86400.0 << "tick 0" << 166;
        QTest::newRow("running: the next second") << 9 * 3600.0 << "tick 0, click, tick 0" << 1002;
        QTest::newRow("running, 0.7 s on") << 9 * 3600.0 << "tick 0, click, tick 0.7" << 302;
        QTest::newRow("running, 1.5 s on: accrued") << 9 * 3600.0 << "tick 0, click, tick 1.5" << 1002;
        QTest::newRow("running into midnight") << 86399.5 << "tick 0, click, tick 0" << 520;
        QTest::newRow("stopped again") << 9 * 3600.0 << "tick 0, click, click, tick 0" << 60 * 1000;
    }
    void tickIntervalFollowsTheTimingState()
    {
        QFETCH(double, wallSeconds);
        QFETCH(QString, steps);
        clock.wallSeconds = wallSeconds;
        play(steps);
        QTEST(child<QTimer>("tmrOneSecond")->interval(), "interval");
    }

    // A stopped tick leaves the time boxes (and a selection in them) alone and follows the date.
    void stoppedTickOnlyFollowsTheDate()
    {
        field("txtTime0")->setSelection(1, 3);
        play("tick 3600");
        QCOMPARE(field("txtTime0")->selectedText(), QStringLiteral(":00"));
        clock.date = {2006, 4, 19, 4};
        play("tick 0");
        QCOMPARE(text("lblDate"), QStringLiteral("Wednesday, April 19"));
    }

    // Each report with five seconds timed today on a total of an hour, and the box that answers it.
    // clang-format off
    void reports_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("failure");     // of the spreadsheet's sixth call
        QTest::addColumn<QString>("content"); // of the file, or of the spreadsheet's calls joined by "|"
        QTest::addColumn<QString>("box");
        const QString written = "48 Generate report: Report generated to\r\n<folder>/Ann_04-18-2006.";
        QTest::newRow("text") << "menu mnuText" << 0
                              << "Second\r\nDaily time:   0:00:05\r\nTotal time:   1:00:05\r\n"
                              << written + "txt";
        QTest::newRow("CSV") << "menu mnuCSV" << 0 << "\r\nSecond, 0:00:05, 1:00:05\r\n" << written + "csv";
        QTest::newRow("spreadsheet") << "menu mnuExcel" << 0
                                     << "=[Second]|Range(B4).Select|ActiveCell.FormulaR1C1=[ 0:00:05] 5 s|"
                                        "Range(C4).Select|ActiveCell.FormulaR1C1=[ 1:00:05] 3605 s|"
                                     << written + "xls";
        QTest::newRow("no documents folder") << "menu mnuText" << 0 << "Second" << written + "txt";
        QTest::newRow("no user's name") << "name, menu mnuText" << 0 << ""
                                        << "48 Generate report: Please enter your name";
        QTest::newRow("spreadsheet ends quietly") << "menu mnuExcel" << 1004 << "" << "";
        QTest::newRow("spreadsheet fails") << "menu mnuExcel" << 438 << ""
                                           << "16 Error: Error generating report\r\nFake:  Cannot write the "
                                              "report file <folder>/Ann_04-18-2006.xls: "
                                              "Object doesn't support this property or method (438)";
    }
    // clang-format on
    void reports()
    {
        QFETCH(QString, steps);
        QFETCH(int, failure);
        QFETCH(QString, content);
        QFETCH(QString, box);
        if (QTest::currentDataTag() == QByteArray("no documents folder")) {
            environment.documents.clear();
            window->Form_Load();
        }
        session->setAndShowCount(SessionModel::TimeColumn::Total, 0, 3600.0);
        play("name Ann, project 0 Second, click, tick 5, click");
        spreadsheetServer.failAt = failure == 0 ? -1 : 5;
        spreadsheetServer.failure.number = failure;
        play(steps);
        const QString folder = environment.documents.isEmpty() ? folderPath() : environment.documents;
        QCOMPARE(boxes.shownBoxes().join('\n'), box.replace("<folder>", folder));
        const QString made = steps.endsWith("mnuExcel")
                                 ? spreadsheetServer.calls.join('|')
                                 : fileBytes(folder.mid(folderPath().size()) + "/Ann_04-18-2006." +
                                             (steps.endsWith("mnuCSV") ? "csv" : "txt"));
        QVERIFY2(made.contains(content), qPrintable(made));
    }

    // The daily dialog shows the daily counts; hours typed in the total dialog show in the row's total box.
    void adjustMenus()
    {
        play("click, tick 3725, click");
        QStringList shown;
        onModalDialog([&shown](QDialog *dialog) {
            shown << dialog->windowTitle();
            for (const char *name : {"txtHr0", "txtMin0", "txtSec0"})
                shown << dialog->findChild<QLineEdit *>(name)->text();
        });
        play("menu mnuDailyTimes");
        onModalDialog([&shown](QDialog *dialog) {
            shown << dialog->windowTitle();
            dialog->findChild<QLineEdit *>("txtHr0")->setText("12");
            QTest::mouseClick(dialog->findChild<QPushButton *>("OKButton"), Qt::LeftButton);
        });
        play("menu mnuTotalTimes");
        QCOMPARE(shown.join('|'), "Adjust daily times|1|2|5|Adjust total times");
        QCOMPARE(texts("txtTotalTime0 txtTime0 lblTotalTime"), " 12:02:05| 1:02:05| 1:02:05");
    }

    // Without readme.txt beside the program the error box comes first, then the window.
    void helpMenuOpensItsWindows()
    {
        QStringList captions;
        for (const char *command : {"mnuOverview", "mnuAbout"}) {
            onModalDialog([&captions](QDialog *dialog) { captions << dialog->windowTitle(); });
            play(QStringLiteral("menu ") + command);
        }
        QCOMPARE(captions, QStringList({"Overview", "About Tallywick"}));
        QCOMPARE(boxesLike({"16 Error: Error loading help file\r\n..."}),
                 QStringList("16 Error: Error loading help file\r\n..."));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
