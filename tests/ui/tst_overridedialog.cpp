#include "core/sessionmodel.h"
#include "core/timetext.h"
#include "support/fakemessageboxes.h"
#include "ui/adjust/overridedialog.h"

#include <memory>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// The dialog over a session whose rows are named, with the rows it showed as OK applied them.
struct Harness
{
    SessionModel model;
    FakeMessageBoxes boxes;
    QList<int> appliedRows;
    QStringList fieldsSeenOnApply; // "h m s" of each row as OK read it
    std::unique_ptr<OverrideDialog> dialog;

    Harness()
    {
        const char *names[] = {"Design", "Build", "Test", "Ship", "Docs", "Support", "Travel", "Admin"};
        for (int row = 0; row < 8; ++row)
            model.setProjectName(row, QLatin1String(names[row]));
    }

    static SessionModel::TimeColumn column(bool total)
    {
        return total ? SessionModel::TimeColumn::Total : SessionModel::TimeColumn::Daily;
    }
    double count(bool total, int row) const { return model.count(column(total), row); }
    // What the main window's box of the row shows.
    QString rowBox(bool total, int row) const { return model.shown(column(total), row).text; }

    [[nodiscard]] bool open(bool total)
    {
        dialog = std::make_unique<OverrideDialog>(total, model, boxes, nullptr);
        QObject::connect(&model, &SessionModel::rowShown, dialog.get(), [this](int row) {
            appliedRows.append(row);
            fieldsSeenOnApply.append(fieldTexts(row).join(QLatin1Char(' ')));
        });
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }

    QLineEdit *field(const char *column, int row) const
    {
        return dialog->findChild<QLineEdit *>(QLatin1String(column) + QString::number(row));
    }

    QStringList fieldTexts(int row) const
    {
        return {field("txtHr", row)->text(), field("txtMin", row)->text(), field("txtSec", row)->text()};
    }

    QStringList shownBoxes() const
    {
        QStringList shown;
        for (const FakeMessageBoxes::Shown &box : boxes.shown)
            shown.append(QStringLiteral("%1 %2: %3").arg(QString::number(box.style), box.title, box.text));
        return shown;
    }

    // Clicks into the field, clears it and types, as a user does.
    void type(QLineEdit *field, const QString &text) const
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }

    void typeRow(int row, const QStringList &hms) const
    {
        for (int i = 0; i < 3; ++i)
            type(field(std::array{"txtHr", "txtMin", "txtSec"}[i], row), hms[i]);
    }

    void click(const QString &name) const
    {
        QTest::mouseClick(dialog->findChild<QWidget *>(name), Qt::LeftButton);
    }
    void pressKey(Qt::Key key) const { QTest::keyClick(QApplication::focusWidget(), key); }
};

} // namespace

class TestOverrideDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void okStoresTheRow_data()
    {
        QTest::addColumn<bool>("total");
        QTest::addColumn<double>("loaded");
        QTest::addColumn<QStringList>("fields"); // shown on opening, or typed when the row was loaded empty
        QTest::addColumn<double>("stored");
        QTest::newRow("a day and more") << true << 90061.0 << QStringList{"25", "1", "1"} << 90061.0;
        QTest::newRow("half up to even") << false << 3725.5 << QStringList{"1", "2", "6"} << 3726.0;
        QTest::newRow("half down to even") << true << 3724.5 << QStringList{"1", "2", "4"} << 3724.0;
        QTest::newRow("negative") << true << -3725.0 << QStringList{"-1", "-2", "-5"} << -3725.0;
        QTest::newRow("150 hours") << true << 540000.0 << QStringList{"150", "0", "0"} << 540000.0;
        QTest::newRow("75 minutes typed") << false << 0.0 << QStringList{"0", "75", "0"} << 4500.0;
        QTest::newRow("negative seconds typed") << true << 0.0 << QStringList{"1", "0", "-5"} << 3595.0;
        QTest::newRow("99 hours typed") << true << 0.0 << QStringList{"99", "0", "0"} << 356400.0;
    }

    void okStoresTheRow()
    {
        QFETCH(bool, total);
        QFETCH(double, loaded);
        QFETCH(QStringList, fields);
        QFETCH(double, stored);
        Harness h;
        h.model.setCount(Harness::column(total), 3, loaded);
        QVERIFY(h.open(total));
        QCOMPARE(h.dialog->windowTitle(), total ? "Adjust total times" : "Adjust daily times");
        if (loaded == 0.0)
            h.typeRow(3, fields);
        else
            QCOMPARE(h.fieldTexts(3), fields);

        h.click(QStringLiteral("OKButton"));
        QVERIFY(!h.dialog->isVisible());
        QCOMPARE(h.count(total, 3), stored);
        QCOMPARE(h.appliedRows, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(h.rowBox(total, 3), DissectTime(stored).value());
    }

    void leavingFieldTidiesIt_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("minutesUsed");
        QTest::addColumn<bool>("byTab"); // otherwise by clicking OK straight away
        const std::tuple<const char *, const char *, double> entries[] = {
            {"", "0", 0},     {"7", "7", 7}, {"07", "7", 7},   {"5x", "5", 5},   {"x5", "0", 0},
            {"-5", "-5", -5}, {"-", "0", 0}, {".5", "0.5", 0}, {"99", "99", 99}, {"75", "75", 75}};
        for (const bool byTab : {true, false})
            for (const auto &[typed, shown, used] : entries)
                QTest::addRow("%s after '%s'", byTab ? "Tab" : "OK", typed)
                    << typed << shown << used << byTab;
    }

    void leavingFieldTidiesIt()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, minutesUsed);
        QFETCH(bool, byTab);
        Harness h;
        h.model.setCount(SessionModel::TimeColumn::Total, 0, 3600.0);
        QVERIFY(h.open(true));
        QLineEdit *minutes = h.field("txtMin", 0);
        h.type(minutes, typed);
        QCOMPARE(minutes->text(), typed);
        if (byTab) {
            h.pressKey(Qt::Key_Tab);
            QCOMPARE(minutes->text(), shown);
        }

        h.click(QStringLiteral("OKButton"));
        QCOMPARE(h.fieldsSeenOnApply.value(0), QStringLiteral("1 %1 0").arg(shown));
        QCOMPARE(h.model.count(SessionModel::TimeColumn::Total, 0), 3600.0 + 60.0 * minutesUsed);
    }

    void otherWindowDoesNotTidy()
    {
        Harness h;
        QVERIFY(h.open(false));
        QLineEdit *hours = h.field("txtHr", 2);
        h.type(hours, QStringLiteral("07"));

        // A window that the modal dialog does not block, with a box of its own that takes the focus.
        QWidget other(h.dialog.get(), Qt::Window);
        auto *otherBox = new QLineEdit(&other);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(otherBox->hasFocus());
        QCOMPARE(hours->text(), QStringLiteral("07"));

        h.dialog->activateWindow();
        QTRY_VERIFY(hours->hasFocus());
        h.pressKey(Qt::Key_Tab);
        QCOMPARE(hours->text(), QStringLiteral("7"));
    }

    void keysInAFieldNeitherLengthenItNorCloseTheDialog()
    {
        Harness h;
        h.model.setCount(SessionModel::TimeColumn::Total, 0, 540000.0);
        QVERIFY(h.open(true));
        QLineEdit *minutes = h.field("txtMin", 0);
        h.type(minutes, QStringLiteral("123"));
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            h.pressKey(key);
        QVERIFY(h.dialog->isVisible());
        QCOMPARE(minutes->text(), QStringLiteral("12"));
        QCOMPARE(h.model.count(SessionModel::TimeColumn::Total, 0), 540000.0);

        // A loaded three-digit hour count can be shortened, not lengthened.
        QLineEdit *hours = h.field("txtHr", 0);
        QTest::mouseClick(hours, Qt::LeftButton);
        QTest::keyClick(hours, Qt::Key_End);
        QTest::keyClicks(hours, QStringLiteral("1"));
        QCOMPARE(hours->text(), QStringLiteral("150"));
        QTest::keyClick(hours, Qt::Key_Backspace);
        QTest::keyClicks(hours, QStringLiteral("1"));
        QCOMPARE(hours->text(), QStringLiteral("15"));
    }

    void resetNoThenYesThenCancelThenOk()
    {
        Harness h;
        h.model.setAndShowCount(SessionModel::TimeColumn::Total, 1, 7200.0);
        QVERIFY(h.open(true));
        h.boxes.answers = {MessageBoxAnswer::No, MessageBoxAnswer::Yes};
        h.click(QStringLiteral("cmdReset1"));
        QCOMPARE(h.shownBoxes(), QStringList{"292 Reset timer: Reset 'Build' timer?"});
        QCOMPARE(h.fieldTexts(1), (QStringList{"2", "0", "0"}));
        QCOMPARE(h.model.count(SessionModel::TimeColumn::Total, 1), 7200.0);

        h.click(QStringLiteral("cmdReset1"));
        QCOMPARE(h.boxes.shown.size(), 2);
        QCOMPARE(h.model.count(SessionModel::TimeColumn::Total, 1), 0.0);
        QCOMPARE(h.fieldTexts(1), (QStringList{"0", "0", "0"}));

        h.click(QStringLiteral("CancelButton"));
        QCOMPARE(h.model.count(SessionModel::TimeColumn::Total, 1), 0.0);
        QCOMPARE(h.rowBox(true, 1), QStringLiteral(" 2:00:00"));

        QVERIFY(h.open(true));
        QCOMPARE(h.fieldTexts(1), (QStringList{"0", "0", "0"}));
        h.click(QStringLiteral("OKButton"));
        QCOMPARE(h.rowBox(true, 1), QStringLiteral(" 0:00:00"));
    }

    void hourCountBeyond16BitsStopsApplying()
    {
        Harness h;
        h.model.setCount(SessionModel::TimeColumn::Total, 2, 32768.0 * 3600);
        h.model.setCount(SessionModel::TimeColumn::Total, 3, 500.0);
        QVERIFY(h.open(true));
        QCOMPARE(h.fieldTexts(2), (QStringList{"32768", "0", "0"}));
        h.typeRow(0, {"1", "0", "0"});
        h.typeRow(3, {"2", "0", "0"});

        h.click(QStringLiteral("OKButton"));
        QCOMPARE(h.shownBoxes(), QStringList{"16 Error: Error adjusting times\r\nTallywick:  Overflow (6)"});
        QCOMPARE(h.appliedRows, (QList<int>{0, 1}));
        QCOMPARE(h.model.count(SessionModel::TimeColumn::Total, 0), 3600.0);
        QCOMPARE(h.model.count(SessionModel::TimeColumn::Total, 2), 32768.0 * 3600);
        QCOMPARE(h.model.count(SessionModel::TimeColumn::Total, 3), 500.0);
        QVERIFY(!h.dialog->isVisible());
    }

    // A row without a name is skipped by Tab and left alone by OK.
    void tabOrderAndUnnamedRow()
    {
        Harness h;
        h.model.setProjectName(5, QString());
        h.model.setCount(SessionModel::TimeColumn::Daily, 5, 1234.5);
        QVERIFY(h.open(false));
        QCOMPARE(h.fieldTexts(5), (QStringList{"", "", ""}));
        QStringList expected{QStringLiteral("OKButton"), QStringLiteral("CancelButton")};
        for (const char *column : {"txtHr", "txtMin", "txtSec", "cmdReset"})
            for (int row = 0; row < 8; ++row)
                if (row != 5)
                    expected.append(QLatin1String(column) + QString::number(row));
        expected.append(QStringLiteral("OKButton"));

        QStringList visited{QApplication::focusWidget()->objectName()};
        while (visited.size() < expected.size()) {
            h.pressKey(Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, expected);

        h.pressKey(Qt::Key_Return);
        QVERIFY(!h.dialog->isVisible());
        QCOMPARE(h.model.count(SessionModel::TimeColumn::Daily, 5), 1234.5);
        QCOMPARE(h.appliedRows, (QList<int>{0, 1, 2, 3, 4, 6, 7}));
    }
};

QTEST_MAIN(TestOverrideDialog)
#include "tst_overridedialog.moc"
