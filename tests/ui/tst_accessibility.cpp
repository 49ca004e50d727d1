#include "core/projecttable.h"
#include "support/mainwindowfixture.h"
#include "ui/adjust/overridedialog.h"
#include "ui/info/aboutdialog.h"
#include "ui/info/overviewdialog.h"

#include <QAccessible>
#include <QSet>

// What a screen reader and a keyboard user get: every control that can take the focus has a name of its
// own that says what it is and, in the tables, which row; the website link is reached and opened from the
// keyboard.
class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void everyControlHasItsOwnName_data();
    void everyControlHasItsOwnName();
    void rowControlsNameTheirRow_data();
    void rowControlsNameTheirRow();
    void websiteLinkWorksFromTheKeyboard();
    void websiteLinkIsALinkToAScreenReader();

private:
    std::unique_ptr<QWidget> makeWindow(const QString &which);

    MainWindowFixture m_fixture;
    ProjectTable m_table;
};

void TestAccessibility::init()
{
    m_fixture.reset();
}

std::unique_ptr<QWidget> TestAccessibility::makeWindow(const QString &which)
{
    const std::array<QString, 8> names{QStringLiteral("Design"), QString(), QStringLiteral("Test")};
    if (which == QLatin1String("adjust"))
        return std::make_unique<OverrideDialog>(true, m_table, names, m_fixture.boxes);
    if (which == QLatin1String("overview"))
        return std::make_unique<OverviewDialog>(m_fixture.environment, m_fixture.boxes);
    if (which == QLatin1String("about"))
        return std::make_unique<AboutDialog>(m_fixture.environment, m_fixture.webOpener, m_fixture.boxes);
    auto window = std::make_unique<MainWindow>(m_fixture.services());
    if (!window->Form_Load())
        return nullptr;
    return window;
}

void TestAccessibility::everyControlHasItsOwnName_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("controls");

    // User's name, 8 x (name, option, daily, total), Start.
    QTest::newRow("main window") << "main" << 34;
    // OK, Cancel, 8 x (hours, minutes, seconds, Reset).
    QTest::newRow("Adjust dialog") << "adjust" << 34;
    QTest::newRow("Overview") << "overview" << 2;
    QTest::newRow("About") << "about" << 2;
}

void TestAccessibility::everyControlHasItsOwnName()
{
    QFETCH(QString, which);
    QFETCH(int, controls);
    const std::unique_ptr<QWidget> window = makeWindow(which);
    QVERIFY(window);

    QSet<QString> names;
    int focusable = 0;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        ++focusable;
        const QString name = control->accessibleName();
        QVERIFY2(!name.isEmpty(), qPrintable(control->objectName() + QLatin1String(" has no name")));
        QVERIFY2(!names.contains(name), qPrintable(QLatin1String("two controls are called ") + name));
        names.insert(name);
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control);
        QVERIFY(reader);
        QCOMPARE(reader->text(QAccessible::Name), name);
    }
    QCOMPARE(focusable, controls);
}

void TestAccessibility::rowControlsNameTheirRow_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    QTest::newRow("project name") << "main"
                                  << "txtProjName2"
                                  << "Project 3 name"
                                  << "";
    QTest::newRow("active option") << "main"
                                   << "optActive2"
                                   << "Project 3 active"
                                   << "";
    QTest::newRow("daily time") << "main"
                                << "txtTime2"
                                << "Project 3 daily time"
                                << "";
    QTest::newRow("total time") << "main"
                                << "txtTotalTime7"
                                << "Project 8 total time"
                                << "";
    QTest::newRow("Start") << "main"
                           << "cmdStartStop"
                           << "Start timing"
                           << "";
    QTest::newRow("hours") << "adjust"
                           << "txtHr2"
                           << "Project 3 hours"
                           << "Test";
    QTest::newRow("minutes") << "adjust"
                             << "txtMin0"
                             << "Project 1 minutes"
                             << "Design";
    QTest::newRow("seconds") << "adjust"
                             << "txtSec7"
                             << "Project 8 seconds"
                             << "";
    QTest::newRow("Reset") << "adjust"
                           << "cmdReset2"
                           << "Reset project 3"
                           << "Test";
    QTest::newRow("help text") << "overview"
                               << "txtHelp"
                               << "Help text"
                               << "";
}

void TestAccessibility::rowControlsNameTheirRow()
{
    QFETCH(QString, which);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    const std::unique_ptr<QWidget> window = makeWindow(which);
    QVERIFY(window);

    auto *widget = window->findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(widget->accessibleName(), name);
    QCOMPARE(widget->accessibleDescription(), description);
}

void TestAccessibility::websiteLinkWorksFromTheKeyboard()
{
    AboutDialog dialog(m_fixture.environment, m_fixture.webOpener, m_fixture.boxes);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *link = dialog.findChild<QWidget *>(QStringLiteral("lblWebsite"));

    QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    QCOMPARE(dialog.focusWidget(), link);
    QTest::keyClick(link, Qt::Key_Space);
    QTest::keyClick(link, Qt::Key_Return);
    QCOMPARE(m_fixture.webOpener.opened, QStringList(2, QStringLiteral("http://www.example.com")));
    QVERIFY(dialog.isVisible());

    // Back on OK, Enter closes the window as before.
    QTest::keyClick(link, Qt::Key_Tab);
    QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("cmdOK"));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
}

void TestAccessibility::websiteLinkIsALinkToAScreenReader()
{
    AboutDialog dialog(m_fixture.environment, m_fixture.webOpener, m_fixture.boxes);
    QAccessibleInterface *reader =
        QAccessible::queryAccessibleInterface(dialog.findChild<QWidget *>(QStringLiteral("lblWebsite")));
    QVERIFY(reader);
    QCOMPARE(reader->role(), QAccessible::Link);
    QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("Website www.example.com"));

    QAccessibleActionInterface *actions = reader->actionInterface();
    QVERIFY(actions);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(m_fixture.webOpener.opened, QStringList{QStringLiteral("http://www.example.com")});
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
