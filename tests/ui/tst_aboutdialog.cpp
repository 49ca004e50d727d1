#include "support/fakeenvironment.h"
#include "support/fakemessageboxes.h"
#include "support/fakewebopener.h"
#include "ui/info/aboutdialog.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

class TestAboutDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_environment = FakeEnvironment();
        m_opener = FakeWebOpener();
        m_boxes = FakeMessageBoxes();
        m_dialog = std::make_unique<AboutDialog>(m_environment, m_opener, m_boxes);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    void showsTheVersion_data()
    {
        QTest::addColumn<VersionNumber>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.3.1") << VersionNumber{1, 3, 1} << "Version 1.3.1";
        QTest::newRow("10.0.15") << VersionNumber{10, 0, 15} << "Version 10.0.15";
    }

    void showsTheVersion()
    {
        QFETCH(VersionNumber, version);
        m_environment.versionNumber = version;
        AboutDialog dialog(m_environment, m_opener, m_boxes);
        QTEST(dialog.findChild<QLabel *>("lblVersion")->text(), "text");
    }

    void enterAndEscapeClose_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Enter") << Qt::Key_Return;
        QTest::newRow("keypad Enter") << Qt::Key_Enter;
        QTest::newRow("Esc") << Qt::Key_Escape;
    }

    void enterAndEscapeClose()
    {
        QFETCH(Qt::Key, key);
        QTest::keyClick(m_dialog->focusWidget(), key);
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(m_opener.opened.isEmpty());
    }

    void websiteOpens_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<OpenOutcome>("outcome");
        QTest::addColumn<QString>("box");
        const OpenOutcome opened{true, std::nullopt};
        QTest::newRow("click") << "click" << opened << "";
        QTest::newRow("Tab, then Space") << "Space" << opened << "";
        QTest::newRow("screen reader's press") << "reader" << opened << "";
        QTest::newRow("refused") << "click" << OpenOutcome{false, std::nullopt} << "";
        QTest::newRow("failure") << "click"
                                 << OpenOutcome{false, ErrorInfo{53, QStringLiteral("Tallywick"),
                                                                 QStringLiteral("No opener")}}
                                 << "16 Error: Error opening browser\r\nTallywick:  No opener (53)";
    }

    void websiteOpens()
    {
        QFETCH(QString, how);
        QFETCH(OpenOutcome, outcome);
        QFETCH(QString, box);
        m_opener.outcome = outcome;
        auto *link = m_dialog->findChild<QLabel *>("lblWebsite");

        if (how == QLatin1String("click")) {
            QTest::mouseClick(link, Qt::LeftButton);
        } else if (how == QLatin1String("Space")) {
            QTest::keyClick(m_dialog->focusWidget(), Qt::Key_Tab);
            QCOMPARE(m_dialog->focusWidget(), link);
            QTest::keyClick(link, Qt::Key_Space);
        } else {
            QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(link);
            QCOMPARE(reader->role(), QAccessible::Link);
            reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QTRY_VERIFY(!m_opener.opened.isEmpty());
        }

        QCOMPARE(m_opener.opened, QStringList{QStringLiteral("http://www.example.com")});
        QStringList shown;
        for (const FakeMessageBoxes::Shown &each : m_boxes.shown)
            shown.append(QStringLiteral("%1 %2: %3").arg(QString::number(each.style), each.title, each.text));
        QCOMPARE(shown.join(QLatin1Char('|')), box);
        QVERIFY(m_dialog->isVisible());
    }

private:
    FakeEnvironment m_environment;
    FakeWebOpener m_opener;
    FakeMessageBoxes m_boxes;
    std::unique_ptr<AboutDialog> m_dialog;
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
