#include "core/sessionmodel.h"
#include "support/fakemessageboxes.h"
#include "ui/adjust/overridedialog.h"
#include "ui/typinglimit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The Adjust dialog over a session whose rows are named, and the rows that OK showed in the main window,
// each with the fields OK read.
class TestOverrideDialog : public QObject
{
    Q_OBJECT

    using Column = SessionModel::TimeColumn;

    std::unique_ptr<SessionModel> m_model;
    FakeMessageBoxes m_boxes;
    std::unique_ptr<OverrideDialog> m_dialog;
    QStringList m_applied;

    void open(bool total)
    {
        m_dialog = std::make_unique<OverrideDialog>(total, *m_model, m_boxes);
        connect(m_model.get(), &SessionModel::rowShown, m_dialog.get(),
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
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    void click(const QString &name) const
    {
        QTest::mouseClick(m_dialog->findChild<QWidget *>(name), Qt::LeftButton);
    }
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        m_model = std::make_unique<SessionModel>();
        for (int row = 0; row < RowCount; ++row)
            m_model->setProjectName(row, QStringLiteral("Name %1").arg(row + 1));
        m_boxes = FakeMessageBoxes();
        m_applied.clear();
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
        m_model->setCount(total ? Column::Total : Column::Daily, 3, loaded);
        open(total);
        QCOMPARE(m_dialog->windowTitle(), total ? "Adjust total times" : "Adjust daily times");
        if (!typed.isEmpty())
            type(field("txtMin3"), typed); // a tab goes to the field, which hands the focus on
        click("OKButton");
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_applied.size(), RowCount);
        QTEST(m_applied[3].mid(3), "read");
        QTEST(m_model->shown(total ? Column::Total : Column::Daily, 3).text, "shown");
    }

    // Leaving a field for another window leaves the field as typed; returning and Tab tidy it.
    void otherWindowDoesNotTidy()
    {
        open(false);
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

    // Enter and Esc in a field close nothing; a field takes two characters, and a loaded longer count can
    // be shortened, not lengthened.
    void keysInAField()
    {
        m_model->setCount(Column::Total, 0, 540000.0);
        open(true);
        type(field("txtMin0"), "123");
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            press(key);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(field("txtMin0")->text(), "12");
        QTest::mouseClick(field("txtHr0"), Qt::LeftButton);
        QTest::keyClick(field("txtHr0"), Qt::Key_End);
        QTest::keyClicks(field("txtHr0"), "1");
        QCOMPARE(field("txtHr0")->text(), "150");
        QTest::keyClicks(field("txtHr0"), "\b1");
        QCOMPARE(field("txtHr0")->text(), "15");
        QCOMPARE(m_model->count(Column::Total, 0), 540000.0);
    }

    // Reset asks; Yes zeroes the count at once, which Cancel leaves, while the main window's box waits.
    void resetNoThenYesThenCancelThenOk()
    {
        m_model->setAndShowCount(Column::Total, 1, 7200.0);
        open(true);
        m_boxes.answers = {MessageBoxAnswer::No, MessageBoxAnswer::Yes};
        click("cmdReset1");
        QCOMPARE(m_boxes.shownBoxes(), QStringList{"292 Reset timer: Reset 'Name 2' timer?"});
        QCOMPARE(fields(1), "2 0 0");
        QCOMPARE(m_model->count(Column::Total, 1), 7200.0);
        click("cmdReset1");
        QCOMPARE(fields(1), "0 0 0");
        click("CancelButton");
        QCOMPARE(m_model->count(Column::Total, 1), 0.0);
        QCOMPARE(m_model->shown(Column::Total, 1).text, " 2:00:00");
        open(true);
        QCOMPARE(fields(1), "0 0 0");
        click("OKButton");
        QCOMPARE(m_model->shown(Column::Total, 1).text, " 0:00:00");
    }

    // A loaded hour count beyond 16 bits stops OK there: the rows before it are applied, the rest not.
    void hourCountBeyond16BitsStopsApplying()
    {
        m_model->setCount(Column::Total, 2, 32768.0 * 3600);
        m_model->setCount(Column::Total, 3, 500.0);
        open(true);
        QCOMPARE(fields(2), "32768 0 0");
        type(field("txtHr0"), "1");
        type(field("txtHr3"), "2");
        click("OKButton");
        QCOMPARE(m_boxes.shownBoxes(),
                 QStringList{"16 Error: Error adjusting times\r\nTallywick:  Overflow (6)"});
        QCOMPARE(m_applied, QStringList({"0: 1 0 0", "1: 0 0 0"}));
        QCOMPARE(m_model->count(Column::Total, 3), 500.0);
        QVERIFY(!m_dialog->isVisible());
    }

    // A row without a name is skipped by Tab and left alone by OK, which Enter presses.
    void tabOrderAndUnnamedRow()
    {
        m_model->setProjectName(5, QString());
        m_model->setCount(Column::Daily, 5, 1234.5);
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
        QCOMPARE(m_model->count(Column::Daily, 5), 1234.5);
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
};

QTEST_MAIN(TestOverrideDialog)
#include "tst_overridedialog.moc"
