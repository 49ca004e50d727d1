#include "core/timetext.h"
#include "support/mainwindowfixture.h"
#include "ui/tray/trayindicator.h"

// The main window as its user meets it: what it shows, its keys and focus, the time that the tick adds
// with a clock the test moves by hand, and the menus' commands; what survives from run to run, time away,
// and the tray indicator beside the window, whose menu, tooltip and icon follow the session as the
// window's controls do and whose commands act as the window's own (with no tray needed).
class TestMainWindow : public QObject, public MainWindowFixture
{
    Q_OBJECT

    const QColor m_blue{0, 0, 255};
    const QColor m_red{192, 0, 0};
    std::unique_ptr<TrayIndicator> m_tray;

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

    QSystemTrayIcon *icon() const { return m_tray->findChild<QSystemTrayIcon *>("trayIcon"); }
    // The tray menu's visible entries: "~" marks one that is off, "*" one that is checked, "-" a separator.
    QString menu() const
    {
        QStringList entries;
        for (const QAction *action : icon()->contextMenu()->actions())
            if (action->isVisible())
                entries << (action->isSeparator() ? QString("-")
                                                  : QString(action->isEnabled() ? "" : "~") +
                                                        (action->isChecked() ? "*" : "") + action->text());
        return entries.join(" | ");
    }
    void choose(const QString &entry)
    {
        for (QAction *action : icon()->contextMenu()->actions())
            if (action->text() == entry)
                action->trigger();
    }
    QImage picture() const { return icon()->icon().pixmap(16).toImage(); }
    // The tooltip as the tray shows it.
    QString toolTip() const
    {
        QCoreApplication::sendPostedEvents();
        const QString tip = icon()->toolTip();
        return Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip;
    }

private Q_SLOTS:
    void init()
    {
        reset();
        open();
        m_tray = std::make_unique<TrayIndicator>(*session, *window, clock);
    }
    void cleanup()
    {
        m_tray.reset();
        if (window)
            close();
    }

    // As it opens, then started and stopped.
    void opensAndSwitches()
    {
        QCOMPARE(texts("caption lblDate lblVersion lblTotalTime txtTime7 txtTotalTime7"),
                 "Morvane Tallywick (stopped)|Tuesday, April 18|v1.3.1| 0:00:00|0:00:00|0:00:00");
        QCOMPARE(window->centralWidget()->size(), QSize(321, 369));
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(field("txtName")->selectedText(), QStringLiteral("User's name"));
        for (const bool running : {true, false}) {
            play("click");
            QCOMPARE(texts("cmdStartStop caption"),
                     running ? "Stop|Vorn (running)" : "Start|Morvane Tallywick (stopped)");
            QCOMPARE(colour(child<QLabel>("lblTotalTime"), QPalette::WindowText),
                     running ? QApplication::palette().color(QPalette::WindowText) : m_red);
            for (const char *name : {"mnuGenerateReportAction", "mnuAdjustAction", "txtName"})
                QCOMPARE(child<QObject>(name)->property("enabled").toBool(), !running);
        }
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
        QCOMPARE(texts("txtTime2"), QStringLiteral("0:00:00"));

        // The names take 64 and 32 characters; Start needs the user's name.
        for (const auto &[name, limit] : {std::pair{"txtName", 64}, {"txtProjName3", 32}}) {
            field(name)->clear();
            QTest::keyClicks(field(name), QString(limit + 1, 'a'));
            QCOMPARE(texts(name).size(), limit);
        }
        auto *start = child<QPushButton>("cmdStartStop");
        play("name");
        QVERIFY(!start->isEnabled());
        QTest::keyClicks(field("txtName"), "A");
        QVERIFY(start->isEnabled());
    }

    // clang-format off
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
            QTest::addRow("Ctrl+keypad %d", row + 1) << Qt::Key_1 + row << int(ctrl | Qt::KeypadModifier)
                << 0u << row;
            QTest::addRow("Ctrl+symbol on %d", row + 1) << symbols[row] << ctrl << 10u + row << row;
        }
        QTest::newRow("Ctrl released first") << int(Qt::Key_7) << ctrl << 0u << 6;
        QTest::newRow("Ctrl+symbol on 9") << int(Qt::Key_Ccedilla) << ctrl << 18u << -1;
        QTest::newRow("Ctrl+Shift+3") << int(Qt::Key_3) << int(ctrl | Qt::ShiftModifier) << 0u << -1;
        QTest::newRow("Ctrl+Alt+3") << int(Qt::Key_3) << int(ctrl | Qt::AltModifier) << 0u << -1;
        QTest::newRow("Ctrl+9") << int(Qt::Key_9) << ctrl << 0u << -1;
        QTest::newRow("3 alone") << int(Qt::Key_3) << 0 << 0u << -1;
    }
    // clang-format on
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
        if (activeRow >= 0) // the chord typed nothing, and named the row if it had no name
            QCOMPARE(texts("txtProjName5 txtProjName" + QString::number(activeRow)),
                     "Typing here|" +
                         (activeRow == 5 ? "Typing here" : QString("Project %1").arg(activeRow + 1)));
    }

    // Twenty ticks each before midnight, after it, and after the system clock went back an hour: the
    // spans are real time. Stopped, the next day shows.
    void spansAreRealTimeAcrossMidnightAndClockChanges()
    {
        clock.date = {2026, 12, 5, 7};
        play("at 86370, click, tick 3x20");
        clock.wallSeconds -= 86400;
        clock.date = {2026, 12, 6, 1};
        play("tick 3x20");
        QCOMPARE(texts("lblDate"), QStringLiteral("Sunday, December 6"));
        clock.wallSeconds -= 3600;
        play("tick 3x20");
        QCOMPARE(texts("txtTime0 txtTotalTime0"), " 0:03:00| 0:03:00");
        clock.date = {2026, 12, 7, 2};
        play("click, tick 0"); // a stopped tick follows the date too
        QCOMPARE(texts("lblDate txtTotalTime0"), "Monday, December 7| 0:03:00");
    }

    // Six ticks a second for a working day lose nothing but the span still pending.
    void eightHoursOfTicksAccrueEightHours()
    {
        const int ticks = int(8 * 3600 / 0.166);
        play(QStringLiteral("click, tick 0.166x%1").arg(ticks));
        const double counted = session->count(SessionModel::TimeColumn::Total, 0);
        QVERIFY2(counted <= ticks * 0.166 + 1e-6 && counted >= ticks * 0.166 - 1,
                 qPrintable(QString::number(counted)));
        QCOMPARE(texts("txtTime0"), *DissectTime(counted));
    }

    // While timing runs, a tick when the next second is due; while stopped, when only the date label can
    // change, a tick just after midnight and at least one a minute, so that an idle program hardly wakes.
    void tickIntervalFollowsTheTimingState_data()
    {
        QTest::addColumn<QString>("steps"); // from nine in the morning
        QTest::addColumn<int>("interval");
        QTest::newRow("stopped in the morning: a minute") << "tick 0" << 60 * 1000;
        QTest::newRow("just before midnight") << "at 86399.5, tick 0" << 520;
        QTest::newRow("at midnight: no busy loop") << "at 86400, tick 0" << 166;
        QTest::newRow("running: the next second") << "tick 0, click, tick 0" << 1002;
        QTest::newRow("running, 0.7 s on") << "tick 0, click, tick 0.7" << 302;
        QTest::newRow("running, 1.5 s on: accrued") << "tick 0, click, tick 1.5" << 1002;
        QTest::newRow("running into midnight") << "at 86399.5, tick 0, click, tick 0" << 520;
        QTest::newRow("stopped again") << "tick 0, click, click, tick 0" << 60 * 1000;
    }
    void tickIntervalFollowsTheTimingState()
    {
        QFETCH(QString, steps);
        play(steps);
        QTEST(child<QTimer>("tmrOneSecond")->interval(), "interval");
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
            << "Second\r\nDaily time:   0:00:05\r\nTotal time:   1:00:05\r\n" << written + "txt";
        QTest::newRow("CSV") << "menu mnuCSV" << 0 << "\r\nSecond, 0:00:05, 1:00:05\r\n" << written + "csv";
        QTest::newRow("spreadsheet") << "menu mnuExcel" << 0
            << "[ 0:00:05] 5 s|Range(C4).Select|ActiveCell.FormulaR1C1=[ 1:00:05]" << written + "xls";
        QTest::newRow("no documents folder") << "menu mnuText" << 0 << "Second" << written + "txt";
        QTest::newRow("no user's name") << "name, menu mnuText" << 0 << ""
            << "48 Generate report: Please enter your name";
        QTest::newRow("spreadsheet ends quietly") << "menu mnuExcel" << 1004 << "" << "";
        QTest::newRow("spreadsheet fails") << "menu mnuExcel" << 438 << ""
            << "16 Error: Error generating report\r\nFake:  Cannot write the report file "
               "<folder>/Ann_04-18-2006.xls: Object doesn't support this property or method (438)";
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

    // While a dialog is open the tray's menu can only bring the window forward; hours typed in the total
    // dialog show in the row's total box, not in the daily one. Without readme.txt beside the program the
    // Overview's error box comes first, then the window.
    void menusOpenTheirDialogs()
    {
        play("click, tick 3725, click");
        QStringList shown;
        onModalDialog([this, &shown](QDialog *dialog) {
            Q_EMIT icon()->contextMenu()->aboutToShow();
            shown << menu() << dialog->windowTitle();
            dialog->findChild<QLineEdit *>("txtHr0")->setText("12");
            QTest::mouseClick(dialog->findChild<QPushButton *>("OKButton"), Qt::LeftButton);
        });
        play("menu mnuTotalTimes");
        for (const char *command : {"mnuDailyTimes", "mnuOverview", "mnuAbout"}) {
            onModalDialog([&shown](QDialog *dialog) { shown << dialog->windowTitle(); });
            play(QStringLiteral("menu ") + command);
        }
        QCOMPARE(shown.join('|'), "~Start | - | ~*Project 1 | - | Show window | ~Exit|"
                                  "Adjust total times|Adjust daily times|Overview|About Tallywick");
        QCOMPARE(texts("txtTotalTime0 txtTime0 lblTotalTime"), " 12:02:05| 1:02:05| 1:02:05");
        QCOMPARE(boxes.shownBoxes().join('|').remove(folderPath()),
                 "16 Error: Error loading help file\r\nTallywick:  File not found: /readme.txt (53)");
    }

    // Steps played ("away" for ten seconds timed, then the user leaves; "asked" for the answer's turn), then
    // the boxes shown ("<folder>" for the program's), the daily time (which the sum shows too), whether the
    // window is still open, and the list saved (without the name "User's name"): it is written at a
    // confirmed exit and, quietly, while timing runs. Time away holds the window still; a long absence asks
    // "Away" at the return (from the event loop), the answer counts the time or leaves it out, the box
    // follows a second absence, and an end before the answer counts nothing and says so in the log.
    // clang-format off
    void savesAndAsks_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("saved");
        const QStringList exit("292 Exit: Are you sure you wish to exit?");
        const QString saveError = "16 Error: Error saving project list\r\nTallywick:  Could not save the "
                                  "project list file <folder>/projlist.dat: File too large (61)";
        const auto lose = "260 Exit: The project list could not be saved. Exit anyway and lose the changes?";
        const QString away = "36 Away: You were away for %1 while 'Project 1' was timed. Count that time?";
        const QStringList asked(away.arg("0:16:40"));
        QTest::newRow("No at the exit question keeps timing")
            << "click, answers no no, close, menu mnuExit, tick 2, click" << exit + exit << "0:00:02" << true
            << "Project 1 2";
        QTest::newRow("Yes: what was counted, not what was pending")
            << "name Ann, click, tick 5.5, later 0.9, answers yes, close" << exit << "0:00:06" << false
            << "Ann; Project 1 6";
        const QStringList failed = exit + QStringList{saveError, lose};
        QTest::newRow("a failed save at the exit: stay, then leave")
            << "click, click, project 1 Beta, answers yes ok no yes ok yes, disk full, close, close"
            << failed + failed << "0:00:00" << false << "Project 1 0";
        QTest::newRow("a minute of timing saves") << "click, tick 1x60" << QStringList() << "0:01:00" << true
            << "Project 1 60";
        // Timing goes on; the error shows again only after a save succeeded.
        QTest::newRow("failed quiet saves show once") << "click, disk full, tick 1x130, events, disk free, "
               "tick 1x60, disk full, tick 1x130, events, disk free, click"
            << QStringList{saveError, saveError} << "0:05:20" << true << "Project 1 320";
        // The desktop session may yet go on: its save asks nothing and leaves the exit question.
        QTest::newRow("the desktop session's save") << "project 2 Gamma, sessionend, answers no, close"
            << exit << "0:00:00" << true << "Project 1 0; Gamma 0";
        QTest::newRow("an end without a question") << "project 2 Gamma, end" << QStringList() << "0:00:00"
            << false << "Project 1 0; Gamma 0";
        QTest::newRow("away, yes") << "away, tick 1000, back, answers yes, asked" << asked << "0:16:51"
            << true << "Project 1 1010";
        QTest::newRow("away, no") << "away, tick 1000, back, answers no, asked" << asked << "0:00:11" << true
            << "";
        QTest::newRow("away short: counted without a question") << "away, tick 299, back, answers no, asked"
            << QStringList() << "0:05:10" << true << "Project 1 309";
        QTest::newRow("away at the threshold") << "away, tick 300, back, answers no, asked"
            << QStringList(away.arg("0:05:00")) << "0:00:11" << true << "";
        QTest::newRow("a sleep seen only from the clocks") << "click, tick 10, sleep 1000, answers no, asked"
            << asked << "0:00:11" << true << "";
        QTest::newRow("a sleep told later") << "click, tick 10, sleep 1000, leave, back, answers no, asked"
            << asked << "0:00:11" << true << "";
        // Timing goes on while the box is open; an absence meanwhile adds to the question, which stays one
        // box.
        QTest::newRow("a second absence while the box is open") << "away, later 1000, back, "
               "meanwhile tick 5; leave; later 10; back; tick 1, events, events"
            << QStringList(away.arg("0:16:50")) << "0:17:06" << true << "Project 1 1026";
        QTest::newRow("signal while away") << "away, later 1000, end" << QStringList() << "0:00:10" << false
            << "Project 1 10";
        QTest::newRow("signal while the box is open") << "away, later 1000, back, meanwhile end, events"
            << asked << "0:00:10" << false << "Project 1 10";
        QTest::newRow("end of the desktop session")
            << "away, later 1000, back, meanwhile sessionend; end, events" << asked << "0:00:10" << false
            << "Project 1 10";
        QTest::newRow("exit question answered Yes")
            << "away, later 1000, back, meanwhile answers yes yes; close, events" << exit + asked << "0:00:10"
            << false << "Project 1 10";
    }
    // clang-format on
    void savesAndAsks()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, boxes);
        QFETCH(bool, open);
        if (!open && steps.contains("later 1000")) // ended while away
            QTest::ignoreMessage(QtWarningMsg,
                                 "Ending with time away not counted: 0:16:40 while 'Project 1' was timed");
        play(steps.replace("away,", "click, tick 10, leave,").replace("asked", "tick 0, events, tick 1"));
        QCOMPARE(MainWindowFixture::boxes.shownBoxes(), boxes.replaceInStrings("<folder>", folderPath()));
        QTEST(texts("txtTime0").trimmed(), "shown");
        QCOMPARE(texts("lblTotalTime").trimmed(), texts("txtTime0").trimmed());
        QTEST(window->isVisible(), "open");
        QTEST(saved().remove("User's name; "), "saved");
    }

    // A file that ends after the fourth row: the totals read before the end stay, and the first save
    // keeps the file that did not load. The window opens again over the file, without the tray.
    void cutFileKeepsWhatWasReadBeforeTheCut()
    {
        const QByteArray cut("Ann\r\nA\r\n 10 \r\nB\r\n 20 \r\nC\r\n 30 \r\nD\r\n 40 \r\n");
        writeFile(listPath(), cut);
        m_tray.reset();
        open();
        QCOMPARE(texts("txtName txtProjName0 txtTotalTime3 txtTotalTime4 txtTime0"),
                 "Ann|Project 1| 0:00:40|0:00:00|0:00:00");
        QVERIFY(boxes.shown.isEmpty());
        close();
        QCOMPARE(fileBytes("projlist.dat.bak"), cut);
    }

    // Steps in the window, then the tray's menu and tooltip. The names change last, after the tooltip was
    // written ("events"), a second before it is read.
    // clang-format off
    void trayFollowsTheWindow_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("toolTip");
        const QString stopped = "Morvane Tallywick (stopped)\nDaily time of ";
        const QString sum = "\nDaily time of all projects: ";
        QTest::addRow("no user's name") << "events, name, tick 1"
            << "~Start | - | *Project 1 | - | Show window | Exit"
            << stopped + "Project 1: 0:00:00" + sum + "0:00:00";
        QTest::addRow("running, markup")
            << "name Ann, row 1, click, tick 65, events, project 1 <b>UI</b>, tick 1"
            << "Stop | - | Project 1 | *<b>UI</b> | - | Show window | Exit"
            << "Vorn (<b>UI</b>,  0:01:06)\nDaily time of <b>UI</b>: 0:01:06" + sum + "0:01:06";
        QTest::addRow("stopped again")
            << "name Ann, row 2, click, tick 65, click, tick 65, events, project 2 R&D, tick 1"
            << "Start | - | Project 1 | *R&&D | - | Show window | Exit"
            << stopped + "R&D: 0:01:05" + sum + "0:01:05";
        QTest::addRow("no name") << "name Ann, events, project 0 , tick 1"
            << "Start | - | - | Show window | Exit" << stopped + "project 1: 0:00:00" + sum + "0:00:00";
    }
    // clang-format on
    void trayFollowsTheWindow()
    {
        QFETCH(QString, steps);
        play(steps);
        QTEST(menu(), "menu");
        QTEST(toolTip(), "toolTip");
    }

    // The tray's Exit asks the window's exit question with the window shown for it, and Yes saves as File,
    // Exit does; Start takes the clock's reading, a project entry is Ctrl+N, and the icon follows.
    void trayCommands()
    {
        const QImage stopped = picture();
        window->hide();
        play("answers no yes, project 1 Review");
        choose("Exit");
        QVERIFY(window->isVisible());
        QVERIFY(fileBytes("projlist.dat").isEmpty());
        choose("Start");
        choose("Review");
        const QImage running = picture();
        play("tick 5");
        choose("Stop");
        QCOMPARE(texts("txtTime0 txtTime1"), " 0:00:00| 0:00:05");
        QVERIFY(running != stopped);
        QCOMPARE(picture(), stopped);
        window->hide();
        play("project 2 Later");
        choose("Exit");
        QCOMPARE(boxes.shownBoxes(), QStringList(2, "292 Exit: Are you sure you wish to exit?"));
        QVERIFY(!window->isVisible());
        QVERIFY(fileBytes("projlist.dat").contains("\r\nLater\r\n"));
    }

    // A click on the icon hides the window in front and brings it forward otherwise; a double click toggles
    // once.
    void trayLeftClick()
    {
        const auto click = [this](QSystemTrayIcon::ActivationReason reason) {
            Q_EMIT icon()->activated(reason);
            return window->isVisible() && !window->isMinimized() && QTest::qWaitForWindowActive(window.get());
        };
        QVERIFY(!click(QSystemTrayIcon::Trigger));
        QVERIFY(click(QSystemTrayIcon::Trigger));
        QVERIFY(click(QSystemTrayIcon::DoubleClick));
        window->showMinimized();
        QVERIFY(click(QSystemTrayIcon::Trigger));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(click(QSystemTrayIcon::Trigger));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
