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
    void choose(const QString &entries)
    {
        for (const QString &entry : entries.split(", "))
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
        close();
    }

    // Steps in the window, then the tray's menu and tooltip. The names change last, after the tooltip was
    // written ("events"), a second before it is read.
    void followsTheWindow_data()
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
                                 << "Start | - | - | Show window | Exit"
                                 << stopped + "project 1: 0:00:00" + sum + "0:00:00";
    }
    void followsTheWindow()
    {
        QFETCH(QString, steps);
        play(steps);
        QTEST(menu(), "menu");
        QTEST(toolTip(), "toolTip");
    }

    // Exit asks the window's exit question with the window shown for it, and Yes saves as File, Exit does;
    // Start takes the clock's reading, a project entry is Ctrl+N, and the icon follows.
    void commands()
    {
        const QImage stopped = picture();
        window->hide();
        play("answers no yes, project 1 Review");
        choose("Exit");
        QVERIFY(window->isVisible());
        QVERIFY(fileBytes("projlist.dat").isEmpty());
        choose("Start, Review");
        const QImage running = picture();
        play("tick 5");
        choose("Stop");
        QCOMPARE(texts("txtTime0 txtTime1"), " 0:00:00| 0:00:05");
        QVERIFY(option(1)->isChecked());
        QVERIFY(running != stopped);
        QCOMPARE(picture(), stopped);
        window->hide();
        play("project 2 Later");
        choose("Exit");
        QCOMPARE(boxes.shownBoxes(), QStringList(2, "292 Exit: Are you sure you wish to exit?"));
        QVERIFY(!window->isVisible());
        QVERIFY(fileBytes("projlist.dat").contains("\r\nLater\r\n"));
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
