#include "support/mainwindowfixture.h"
#include "ui/tray/trayindicator.h"

#include <QMenu>
#include <QTextDocumentFragment>

// The tray indicator beside a main window, with no tray needed: its menu, tooltip and icon follow the
// session as the window's controls do, and its commands act as the window's own.
class TestTrayIndicator : public QObject, public MainWindowFixture
{
    Q_OBJECT

    std::unique_ptr<TrayIndicator> m_tray;

    QSystemTrayIcon *icon() const { return m_tray->findChild<QSystemTrayIcon *>("trayIcon"); }
    // The visible entries: "~" marks one that is off, "*" one that is checked, "-" a separator.
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
        close();
    }

    // The active row is renamed last, a second before the tooltip is read.
    void followsTheWindow_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<int>("activeRow");
        QTest::addColumn<int>("startClicks");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("toolTip");
        const QString stopped = "Morvane Tallywick (stopped)\nDaily time of ";
        const QString sum = "\nDaily time of all projects: ";
        QTest::addRow("no user's name") << "" << 0 << 0 << "Project 1"
                                        << "~Start | - | *Project 1 | - | Show window | Exit"
                                        << stopped + "Project 1: 0:00:00" + sum + "0:00:00";
        QTest::addRow("running, markup")
            << "Ann" << 1 << 1 << "<b>UI</b>"
            << "Stop | - | Project 1 | *<b>UI</b> | - | Show window | Exit"
            << "Vorn (<b>UI</b>,  0:01:06)\nDaily time of <b>UI</b>: 0:01:06" + sum + "0:01:06";
        QTest::addRow("stopped again") << "Ann" << 2 << 2 << "R&D"
                                       << "Start | - | Project 1 | *R&&D | - | Show window | Exit"
                                       << stopped + "R&D: 0:01:05" + sum + "0:01:05";
        QTest::addRow("no name") << "Ann" << 0 << 0 << ""
                                 << "Start | - | - | Show window | Exit"
                                 << stopped + "project 1: 0:00:00" + sum + "0:00:00";
    }
    void followsTheWindow()
    {
        QFETCH(QString, userName);
        QFETCH(int, activeRow);
        QFETCH(int, startClicks);
        QFETCH(QString, newName);
        play(QStringLiteral("name Ann, row %1").arg(activeRow) + QString(", click, tick 65").repeated(startClicks));
        QCoreApplication::sendPostedEvents(); // the tooltip is up to date before the names change
        field("txtName")->setText(userName);
        field(QStringLiteral("txtProjName%1").arg(activeRow))->setText(newName);
        play("tick 1");
        QTEST(menu(), "menu");
        QTEST(toolTip(), "toolTip");
    }

    // Start takes the clock's reading, a project entry is Ctrl+N, and the icon follows.
    void commands()
    {
        const QImage stopped = icon()->icon().pixmap(16).toImage();
        play("project 1 Review");
        choose("Start");
        choose("Review");
        const QImage running = icon()->icon().pixmap(16).toImage();
        play("tick 5");
        choose("Stop");
        QCOMPARE(texts("txtTime0 txtTime1"), " 0:00:00| 0:00:05");
        QVERIFY(option(1)->isChecked());
        QVERIFY(running != stopped);
        QCOMPARE(icon()->icon().pixmap(16).toImage(), stopped);
    }

    void leftClick_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
        QTest::addColumn<bool>("inFront");
        QTest::addRow("in front: hides") << "front" << QSystemTrayIcon::Trigger << false;
        QTest::addRow("hidden: shows") << "hidden" << QSystemTrayIcon::Trigger << true;
        QTest::addRow("minimized: shows") << "minimized" << QSystemTrayIcon::Trigger << true;
        QTest::addRow("behind another: raises") << "behind" << QSystemTrayIcon::Trigger << true;
        QTest::addRow("double click: no second toggle") << "front" << QSystemTrayIcon::DoubleClick << true;
    }
    void leftClick()
    {
        QFETCH(QString, before);
        QFETCH(QSystemTrayIcon::ActivationReason, reason);
        QWidget other;
        if (before == "hidden")
            window->hide();
        if (before == "minimized")
            window->showMinimized();
        if (before == "behind") {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        Q_EMIT icon()->activated(reason);
        QTEST(window->isVisible() && !window->isMinimized() && QTest::qWaitForWindowActive(window.get()),
              "inFront");
    }

    // Exit asks the window's exit question with the window shown for it; Yes saves as File, Exit does.
    void exitAsks()
    {
        window->hide();
        boxes.answers = {MessageBoxAnswer::No, MessageBoxAnswer::Yes};
        choose("Exit");
        QVERIFY(window->isVisible());
        QVERIFY(fileBytes("projlist.dat").isEmpty());
        choose("Exit");
        QCOMPARE(boxes.shownBoxes(), QStringList(2, "292 Exit: Are you sure you wish to exit?"));
        QVERIFY(!window->isVisible());
        QVERIFY(fileBytes("projlist.dat").startsWith("User's name\r\n"));
    }

    // While a dialog of the window is open, the menu can only bring the window forward.
    void dialogOpen()
    {
        QString shown;
        QTimer::singleShot(0, this, [this, &shown] {
            Q_EMIT icon()->contextMenu()->aboutToShow();
            shown = menu();
            QApplication::activeModalWidget()->close();
        });
        play("menu mnuDailyTimes");
        QCOMPARE(shown, "~Start | - | ~*Project 1 | - | Show window | ~Exit");
    }
};

QTEST_MAIN(TestTrayIndicator)
#include "tst_trayindicator.moc"
