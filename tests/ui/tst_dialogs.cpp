#include "support/mainwindowfixture.h"
#include "ui/adjust/overridedialog.h"
#include "ui/info/aboutdialog.h"
#include "ui/info/overviewdialog.h"
#include "ui/typinglimit.h"

// The dialogs, over the window fixture's fakes without its window. Adjust, over a session whose rows are
// named, with the rows that OK showed in the main window, each with the fields OK read; About, which opens
// the one web address; and the Overview, which shows readme.txt from beside the program or else from the
// installed data.
class TestDialogs : public QObject, public MainWindowFixture
{
    Q_OBJECT

    using Column = SessionModel::TimeColumn;

    std::unique_ptr<OverrideDialog> m_dialog;
    QStringList m_applied;

    void open(bool total)
    {
        m_dialog = std::make_unique<OverrideDialog>(total, *session, boxes);
        connect(session.get(), &SessionModel::rowShown, m_dialog.get(),
                [this](int row) { m_applied << QStringLiteral("%1: %2").arg(row).arg(fields(row)); });
        m_dialog->show();
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    QLineEdit *field(const QString &name) const { return m_dialog->findChild<QLineEdit *>(name); }
    // The row's hours, minutes and seconds.
    QString fields(int row) const
    {
        QStringList texts;
        for (const char *column : {"txtHr", "txtMin", "txtSec"})
            texts << field(column + QString::number(row))->text();
        return texts.join(' ');
    }
    // Clicks into the field, clears it and types, as a user does.
    static void type(QLineEdit *field, const QString &text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, '\b' + text);
    }
    void click(const QString &name) const
    {
        QTest::mouseClick(m_dialog->findChild<QWidget *>(name), Qt::LeftButton);
    }
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

private Q_SLOTS:
    void init()
    {
        reset();
        for (int row = 0; row < RowCount; ++row)
            session->setProjectName(row, QStringLiteral("Name %1").arg(row + 1));
        m_applied.clear();
        environment.install = folderPath() + "/installed";
        QVERIFY(QDir().mkdir(environment.install));
    }

    // A count loaded into row 3, or fields typed there; then the fields that OK read, and what it stored.
    // clang-format off
    void okStoresTheRow_data()
    {
        QTest::addColumn<bool>("total");
        QTest::addColumn<double>("loaded");
        QTest::addColumn<QString>("typed"); // minutes; Tab after them, or a click on OK at once
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("shown"); // by the main window's box
        QTest::newRow("a day and more") << true << 90061.0 << "" << "25 1 1" << " 25:01:01";
        QTest::newRow("daily, half up to even") << false << 3725.5 << "" << "1 2 6" << " 1:02:06";
        QTest::newRow("negative") << true << -3725.0 << "" << "-1 -2 -5" << "-1:02:05";
        QTest::newRow("75 minutes, Tab") << true << 3600.0 << "75\t" << "1 75 0" << " 2:15:00";
        QTest::newRow("x5, Tab") << true << 3600.0 << "x5\t" << "1 0 0" << " 1:00:00";
        QTest::newRow(".5, OK half down to even") << true << 3600.0 << ".5" << "1 0.5 0" << " 1:00:00";
    }
    // clang-format on
    void okStoresTheRow()
    {
        QFETCH(bool, total);
        QFETCH(double, loaded);
        QFETCH(QString, typed);
        session->setCount(total ? Column::Total : Column::Daily, 3, loaded);
        open(total);
        if (!typed.isEmpty())
            type(field("txtMin3"), typed); // a tab goes to the field, which hands the focus on
        click("OKButton");
        QCOMPARE(m_applied.size(), RowCount);
        QTEST(m_applied[3].mid(3), "read");
        QTEST(session->shown(total ? Column::Total : Column::Daily, 3).text, "shown");
    }

    // Enter and Esc in a field close nothing; a field takes two characters (a longer text that the program
    // put there is the paste table's). Leaving a field for another window leaves the field as typed;
    // returning and Tab tidy it.
    void keysInAField()
    {
        open(true);
        type(field("txtMin0"), "123");
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            press(key);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(field("txtMin0")->text(), "12");
        type(field("txtHr2"), "07");
        QWidget other(m_dialog.get(), Qt::Window); // one that the modal dialog does not block
        auto *otherBox = new QLineEdit(&other);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(otherBox->hasFocus());
        QCOMPARE(field("txtHr2")->text(), "07");
        m_dialog->activateWindow();
        QTRY_VERIFY(field("txtHr2")->hasFocus());
        press(Qt::Key_Tab);
        QCOMPARE(field("txtHr2")->text(), "7");
    }

    // Reset asks; Yes zeroes the count at once, which Cancel leaves, while the main window's box waits. A
    // loaded hour count beyond 16 bits stops OK there: the rows before it are applied, the rest not.
    void resetAndOverflow()
    {
        session->setAndShowCount(Column::Total, 1, 7200.0);
        session->setCount(Column::Total, 2, 32768.0 * 3600);
        session->setCount(Column::Total, 3, 500.0);
        open(true);
        boxes.answers = {MessageBoxAnswer::No, MessageBoxAnswer::Yes};
        click("cmdReset1");
        QCOMPARE(boxes.shownBoxes(), QStringList{"292 Reset timer: Reset 'Name 2' timer?"});
        QCOMPARE(fields(1), "2 0 0");
        QCOMPARE(session->count(Column::Total, 1), 7200.0);
        click("cmdReset1");
        QCOMPARE(fields(1), "0 0 0");
        click("CancelButton");
        QCOMPARE(session->count(Column::Total, 1), 0.0);
        QCOMPARE(session->shown(Column::Total, 1).text, " 2:00:00");
        open(true);
        QCOMPARE(fields(1) + '|' + fields(2), "0 0 0|32768 0 0");
        type(field("txtHr0"), "1");
        type(field("txtHr3"), "2");
        click("OKButton");
        QCOMPARE(session->shown(Column::Total, 1).text, " 0:00:00");
        QCOMPARE(boxes.shownBoxes().last(), "16 Error: Error adjusting times\r\nTallywick:  Overflow (6)");
        QCOMPARE(m_applied, QStringList({"0: 1 0 0", "1: 0 0 0"}));
        QCOMPARE(session->count(Column::Total, 3), 500.0);
        QVERIFY(!m_dialog->isVisible());
    }

    // A row without a name is skipped by Tab and left alone by OK, which Enter presses.
    void tabOrderAndUnnamedRow()
    {
        session->setProjectName(5, QString());
        session->setCount(Column::Daily, 5, 1234.5);
        open(false);
        QCOMPARE(fields(5), "  ");
        QStringList expected{"OKButton", "CancelButton"};
        for (const char *column : {"txtHr", "txtMin", "txtSec", "cmdReset"})
            for (int row = 0; row < RowCount; ++row)
                if (row != 5)
                    expected << column + QString::number(row);
        QStringList visited{QApplication::focusWidget()->objectName()};
        while (visited.size() < expected.size()) {
            press(Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
        press(Qt::Key_Tab);
        press(Qt::Key_Return);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(session->count(Column::Daily, 5), 1234.5);
        QCOMPARE(m_applied.size(), RowCount - 1);
    }

    // Pasting into a box that takes at most six characters, as the dialog's fields and the main window's
    // names take theirs: the paste goes in where the cursor or the selection is, and as much of it as fits,
    // as in a native edit control; a longer text that the program put there may still be shortened.
    // clang-format off
    void pasteKeepsWhatFits_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursor");

        QTest::newRow("at the end") << "abc" << 3 << 0 << "123456" << "abc123" << 6;
        QTest::newRow("over a selection") << "abcdef" << 2 << 2 << "123456" << "ab12ef" << 4;
        QTest::newRow("into a full box") << "abcdef" << 3 << 0 << "1" << "abcdef" << 3;
        QTest::newRow("program's longer text shortened") << "abcdefgh" << 6 << 2 << "x" << "abcdefx" << 7;
        QTest::newRow("cut inside a character") << "abcd" << 4 << 0 << "x\U0001F600" << "abcdx" << 5;
    }
    // clang-format on
    void pasteKeepsWhatFits()
    {
        QFETCH(QString, before);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(QString, pasted);
        QLineEdit box;
        new TypingLimit(6, &box);
        box.setText(before);
        box.setSelection(selectionStart, selectionLength);
        QApplication::clipboard()->setText(pasted);

        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        QTEST(box.text(), "after");
        QTEST(box.cursorPosition(), "cursor");
    }
    // How the user acts in About, how the opener answers; what it opened, the box shown, and whether
    // About is still open.
    void about_data()
    {
        QTest::addColumn<int>("key"); // 0 for a click, -1 for a screen reader's press; Space after a Tab
        QTest::addColumn<OpenOutcome>("outcome");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("box");
        const OpenOutcome opened{true, std::nullopt};
        QTest::newRow("click") << 0 << opened << true << "";
        QTest::newRow("Tab, then Space") << int(Qt::Key_Space) << opened << true << "";
        QTest::newRow("screen reader's press") << -1 << opened << true << "";
        QTest::newRow("refused") << 0 << OpenOutcome{false, std::nullopt} << true << "";
        QTest::newRow("failure") << 0 << OpenOutcome{false, ErrorInfo{53, "Tallywick", "No opener"}} << true
                                 << "16 Error: Error opening browser\r\nTallywick:  No opener (53)";
        QTest::newRow("Enter closes") << int(Qt::Key_Return) << opened << false << "";
        QTest::newRow("Esc closes") << int(Qt::Key_Escape) << opened << false << "";
    }
    void about()
    {
        QFETCH(int, key);
        QFETCH(bool, opens);
        QFETCH(OpenOutcome, outcome);
        webOpener.outcome = outcome;
        AboutDialog dialog(environment, webOpener, boxes);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.findChild<QLabel *>("lblVersion")->text(), "Version 1.3.1");
        auto *link = dialog.findChild<QLabel *>("lblWebsite");
        if (key == 0) {
            QTest::mouseClick(link, Qt::LeftButton);
        } else if (key < 0) {
            QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(link);
            reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QTRY_VERIFY(!webOpener.opened.isEmpty());
        } else {
            if (key == Qt::Key_Space)
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        }
        QCOMPARE(webOpener.opened, opens ? QStringList("http://www.example.com") : QStringList());
        QTEST(boxes.shownBoxes().join('|'), "box");
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
        QTest::newRow("Windows-1252, CR LF lines") << QByteArray("Caf\xe9 \x96 \x80\r\n\r\nCtrl+1\r\n")
            << QByteArray() << QString::fromUtf8("Caf\xc3\xa9 \xe2\x80\x93 \xe2\x82\xac\n\nCtrl+1\n") << "";
        QTest::newRow("empty file") << QByteArray("") << QByteArray() << "" << "";
        QTest::newRow("installed copy only") << QByteArray() << QByteArray("Installed\r\n") << "Installed\n"
            << "";
        QTest::newRow("the copy beside first") << QByteArray("Beside\r\n") << QByteArray("Installed\r\n")
            << "Beside\n" << "";
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
            QVERIFY(QDir(environment.program).mkdir("readme.txt"));
        else if (!beside.isNull())
            writeFile(environment.program + "/readme.txt", beside);
        if (!installed.isNull())
            writeFile(environment.install + "/readme.txt", installed);
        OverviewDialog dialog(environment, boxes);
        QTEST(dialog.findChild<QPlainTextEdit *>("txtHelp")->toPlainText(), "shown");
        QCOMPARE(boxes.shownBoxes().join('|'), box.replace("<program>", environment.program));
    }

    // Tab and Esc leave the text to OK and close nothing; a click selects in the text, which typing, Esc
    // and Enter leave as it is; Enter on OK closes.
    void overviewKeys()
    {
        writeFile(environment.program + "/readme.txt", "Text\r\n");
        OverviewDialog dialog(environment, boxes);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *ok = dialog.findChild<QPushButton *>("OKButton");
        auto *text = dialog.findChild<QPlainTextEdit *>("txtHelp");
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Escape})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::mouseClick(text->viewport(), Qt::LeftButton);
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

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
