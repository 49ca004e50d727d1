#include "support/fakeenvironment.h"
#include "support/fakemessageboxes.h"
#include "support/fakewebopener.h"
#include "ui/info/aboutdialog.h"
#include "ui/info/overviewdialog.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The Help menu's windows: About, which opens the one web address, and the Overview, which shows
// readme.txt from beside the program or else from the installed data.
class TestHelpWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    FakeEnvironment m_environment;
    FakeWebOpener m_opener;
    FakeMessageBoxes m_boxes;

    void writeReadme(const QString &folder, const QByteArray &bytes)
    {
        QFile file(folder + "/readme.txt");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_environment.program = m_folder->path();
        m_environment.install = m_folder->filePath("installed");
        QVERIFY(QDir().mkdir(m_environment.install));
        m_opener = FakeWebOpener();
        m_boxes = FakeMessageBoxes();
    }

    // How the user acts in About, how the opener answers; what it opened, the box shown, and whether
    // About is still open.
    void about_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<OpenOutcome>("outcome");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("box");
        const OpenOutcome opened{true, std::nullopt};
        QTest::newRow("click") << "click" << opened << true << "";
        QTest::newRow("Tab, then Space") << "Space" << opened << true << "";
        QTest::newRow("screen reader's press") << "reader" << opened << true << "";
        QTest::newRow("refused") << "click" << OpenOutcome{false, std::nullopt} << true << "";
        QTest::newRow("failure") << "click" << OpenOutcome{false, ErrorInfo{53, "Tallywick", "No opener"}}
                                 << true << "16 Error: Error opening browser\r\nTallywick:  No opener (53)";
        QTest::newRow("Enter closes") << "Return" << opened << false << "";
        QTest::newRow("keypad Enter closes") << "Enter" << opened << false << "";
        QTest::newRow("Esc closes") << "Escape" << opened << false << "";
    }
    void about()
    {
        QFETCH(QString, how);
        QFETCH(bool, opens);
        QFETCH(QString, box);
        QFETCH(OpenOutcome, outcome);
        m_opener.outcome = outcome;
        AboutDialog dialog(m_environment, m_opener, m_boxes);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.findChild<QLabel *>("lblVersion")->text(), "Version 1.3.1");
        auto *link = dialog.findChild<QLabel *>("lblWebsite");
        if (how == "click") {
            QTest::mouseClick(link, Qt::LeftButton);
        } else if (how == "Space") {
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        } else if (how == "reader") {
            QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(link);
            QCOMPARE(reader->role(), QAccessible::Link);
            reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QTRY_VERIFY(!m_opener.opened.isEmpty());
        } else {
            QTest::keyClick(dialog.focusWidget(), how == "Return"  ? Qt::Key_Return
                                                  : how == "Enter" ? Qt::Key_Enter
                                                                   : Qt::Key_Escape);
        }
        QCOMPARE(m_opener.opened, opens ? QStringList("http://www.example.com") : QStringList());
        QCOMPARE(m_boxes.shownBoxes().join('|'), box);
        QCOMPARE(dialog.isVisible(), opens);
    }

    // readme.txt beside the program ("<folder>" for a folder in its place) and installed; then the text
    // shown, or the box when there is none.
    // clang-format off
    void overviewText_data()
    {
        QTest::addColumn<QByteArray>("beside");
        QTest::addColumn<QByteArray>("installed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("box");
        const QString error = "16 Error: Error loading help file\r\nTallywick:  ";
        QTest::newRow("CR LF lines") << QByteArray("Help\r\n\r\nCtrl+1\r\n") << QByteArray()
                                     << "Help\n\nCtrl+1\n"
                                     << "";
        QTest::newRow("empty file") << QByteArray("") << QByteArray() << "" << "";
        QTest::newRow("Windows-1252") << QByteArray("Caf\xe9 \x96 \x80\r\n") << QByteArray()
                                      << QString::fromUtf8("Caf\xc3\xa9 \xe2\x80\x93 \xe2\x82\xac\n") << "";
        QTest::newRow("installed copy only") << QByteArray() << QByteArray("Installed\r\n") << "Installed\n"
                                             << "";
        QTest::newRow("the copy beside first")
            << QByteArray("Beside\r\n") << QByteArray("Installed\r\n") << "Beside\n"
            << "";
        QTest::newRow("missing") << QByteArray() << QByteArray() << ""
                                 << error + "File not found: <program>/readme.txt (53)";
        QTest::newRow("folder in its place") << QByteArray("<folder>") << QByteArray("Installed\r\n") << ""
                                             << error + "Path/File access error: <program>/readme.txt (75)";
    }
    // clang-format on
    void overviewText()
    {
        QFETCH(QByteArray, beside);
        QFETCH(QByteArray, installed);
        QFETCH(QString, box);
        if (beside == "<folder>")
            QVERIFY(QDir(m_environment.program).mkdir("readme.txt"));
        else if (!beside.isNull())
            writeReadme(m_environment.program, beside);
        if (!installed.isNull())
            writeReadme(m_environment.install, installed);
        OverviewDialog dialog(m_environment, m_boxes);
        QTEST(dialog.findChild<QPlainTextEdit *>("txtHelp")->toPlainText(), "shown");
        QCOMPARE(m_boxes.shownBoxes().join('|'), box.replace("<program>", m_environment.program));
    }

    // Tab and Esc leave the text to OK and close nothing; a click selects in the text, which typing, Esc
    // and Enter leave as it is; Enter on OK closes.
    void overviewKeys()
    {
        writeReadme(m_environment.program, "Text\r\n");
        OverviewDialog dialog(m_environment, m_boxes);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *ok = dialog.findChild<QPushButton *>("OKButton");
        auto *text = dialog.findChild<QPlainTextEdit *>("txtHelp");
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Escape})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::mouseClick(text->viewport(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), text);
        QTest::keyClicks(text, "typed");
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(QApplication::focusWidget(), ok);
        QCOMPARE(text->toPlainText(), "Text\n");
        QVERIFY(dialog.isVisible());
        QTest::keyClick(ok, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestHelpWindows)
#include "tst_helpwindows.moc"
