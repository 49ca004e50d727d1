#include "support/mainwindowfixture.h"
#include "ui/adjust/overridedialog.h"
#include "ui/info/aboutdialog.h"
#include "ui/info/overviewdialog.h"

#include <QAccessible>
#include <QSet>

// What a screen reader gets: every control that can take the focus has a name of its own that says what it
// is and, in the tables, which row.
class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyControlHasItsOwnName_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<int>("controls");
        QTest::addColumn<QStringList>("rowNames"); // object name, then the name a screen reader hears
        // User's name, 8 x (name, option, daily, total), Start.
        QTest::newRow("main window") << "main" << 34 << QStringList{"txtProjName2",  "Project 3 name",
                                                                    "optActive2",    "Project 3 active",
                                                                    "txtTime2",      "Project 3 daily time",
                                                                    "txtTotalTime7", "Project 8 total time"};
        // OK, Cancel, 8 x (hours, minutes, seconds, Reset).
        QTest::newRow("Adjust dialog")
            << "adjust" << 34 << QStringList{"txtHr2",  "Project 3 hours",   "txtMin0",   "Project 1 minutes",
                                             "txtSec7", "Project 8 seconds", "cmdReset2", "Reset project 3"};
        QTest::newRow("Overview") << "overview" << 2 << QStringList();
        QTest::newRow("About") << "about" << 2 << QStringList();
    }

    void everyControlHasItsOwnName()
    {
        QFETCH(QString, which);
        QFETCH(QStringList, rowNames);
        m_fixture.reset();
        m_fixture.session->setProjectName(2, QStringLiteral("Test"));
        std::unique_ptr<QWidget> window;
        if (which == QLatin1String("adjust"))
            window = std::make_unique<OverrideDialog>(true, *m_fixture.session, m_fixture.boxes);
        else if (which == QLatin1String("overview"))
            window = std::make_unique<OverviewDialog>(m_fixture.environment, m_fixture.boxes);
        else if (which == QLatin1String("about"))
            window =
                std::make_unique<AboutDialog>(m_fixture.environment, m_fixture.webOpener, m_fixture.boxes);
        else
            window =
                std::make_unique<MainWindow>(*m_fixture.session, m_fixture.folderPath() + "/projlist.dat",
                                             m_fixture.rescuePath(), m_fixture.services());

        QSet<QString> heard;
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (control->focusPolicy() == Qt::NoFocus)
                continue;
            const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName() + QLatin1String(" has no name")));
            QVERIFY2(!heard.contains(name), qPrintable(QLatin1String("two controls are called ") + name));
            heard.insert(name);
        }
        QTEST(int(heard.size()), "controls");
        for (qsizetype i = 0; i < rowNames.size(); i += 2)
            QCOMPARE(window->findChild<QWidget *>(rowNames[i])->accessibleName(), rowNames[i + 1]);
    }

private:
    MainWindowFixture m_fixture;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
