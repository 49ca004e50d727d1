#include "core/projecttable.h"
#include "core/timetext.h"
#include "support/fakemessageboxes.h"
#include "ui/adjust/overridedialog.h"

#include <memory>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// The dialog with the table it edits and a stand-in for the main window: the row time boxes that the main
// window rewrites from the table whenever a row is applied.
struct Harness
{
    ProjectTable table;
    std::array<QString, 8> names{QStringLiteral("Design"), QStringLiteral("Build"), QStringLiteral("Test"),
                                 QStringLiteral("Ship"),   QStringLiteral("Docs"),  QStringLiteral("Support"),
                                 QStringLiteral("Travel"), QStringLiteral("Admin")};
    FakeMessageBoxes boxes;
    std::array<QString, 8> rowBoxes;
    QList<int> appliedRows;
    QStringList fieldsSeenOnApply; // "h m s" of each row as OK read it
    std::unique_ptr<OverrideDialog> dialog;

    double count(bool total, int row) const { return total ? table.totalTime(row) : table.dailyTime(row); }

    [[nodiscard]] bool open(bool total)
    {
        for (int row = 0; row < 8; ++row)
            rowBoxes[row] = DissectTime(count(total, row)).value_or(QString());
        dialog = std::make_unique<OverrideDialog>(total, table, names, boxes, nullptr);
        QObject::connect(dialog.get(), &OverrideDialog::rowApplied, dialog.get(), [this, total](int row) {
            appliedRows.append(row);
            rowBoxes[row] = DissectTime(count(total, row)).value_or(QString());
            fieldsSeenOnApply.append(fieldTexts(row).join(QLatin1Char(' ')));
        });
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }

    template<typename T = QLineEdit> T *find(const QString &name) const
    {
        T *widget = dialog->findChild<T *>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QLineEdit *hr(int row) const { return find(QStringLiteral("txtHr%1").arg(row)); }
    QLineEdit *min(int row) const { return find(QStringLiteral("txtMin%1").arg(row)); }
    QLineEdit *sec(int row) const { return find(QStringLiteral("txtSec%1").arg(row)); }
    QPushButton *button(const QString &name) const { return find<QPushButton>(name); }

    QStringList fieldTexts(int row) const { return {hr(row)->text(), min(row)->text(), sec(row)->text()}; }

    // Clicks into the field, clears it and types, as a user does.
    void type(QLineEdit *field, const QString &text) const
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    void typeRow(int row, const QString &h, const QString &m, const QString &s) const
    {
        type(hr(row), h);
        type(min(row), m);
        type(sec(row), s);
    }
    void click(const QString &buttonName) const { QTest::mouseClick(button(buttonName), Qt::LeftButton); }
    void pressKey(Qt::Key key) const { QTest::keyClick(QApplication::focusWidget(), key); }
};

} // namespace

class TestOverrideDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void windowFrame();
    void layout_data();
    void layout();
    void captionAndLoadedSet_data();
    void captionAndLoadedSet();
    void loadAndOkKeepsCount_data();
    void loadAndOkKeepsCount();
    void unnamedRowTakesNoPart();
    void enteredTimes_data();
    void enteredTimes();
    void leavingFieldTidiesIt_data();
    void leavingFieldTidiesIt();
    void tidyingShowsUsersDecimalSeparator();
    void otherWindowDoesNotTidy();
    void typingStopsAtTwoCharacters();
    void resetNoThenYesThenCancel();
    void resetYesThenOk();
    void hourCountBeyond16BitsStopsApplying();
    void escAndEnterInFieldDoNothing();
    void enterPressesFocusedButton();
    void tabOrder();
};

void TestOverrideDialog::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestOverrideDialog::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestOverrideDialog::windowFrame()
{
    Harness h;
    QWidget mainWindow;
    mainWindow.setGeometry(600, 400, 300, 200);
    mainWindow.show();
    OverrideDialog dialog(false, h.table, h.names, h.boxes, &mainWindow);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QCOMPARE(dialog.geometry(), QRect(2760 / 15, 3750 / 15, 6495 / 15, 3615 / 15));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(dialog.isModal());
}

void TestOverrideDialog::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("OK") << "OKButton" << QRect(5160, 120, 1215, 375);
    QTest::newRow("Cancel") << "CancelButton" << QRect(5160, 600, 1215, 375);
    QTest::newRow("Project name head") << "lblStatic16" << QRect(120, 240, 2055, 255);
    QTest::newRow("Sec head") << "lblStatic19" << QRect(3600, 240, 375, 255);
    QTest::newRow("rule") << "Line1" << QRect(120, 480, 3840, 15);
    QTest::newRow("name 0") << "lblProjectNames0" << QRect(240, 600, 1935, 255);
    QTest::newRow("name 6") << "lblProjectNames6" << QRect(240, 2760, 1935, 255);
    QTest::newRow("name 7 stands higher") << "lblProjectNames7" << QRect(240, 3000, 1935, 255);
    QTest::newRow("hour 7") << "txtHr7" << QRect(2400, 3120, 375, 285);
    QTest::newRow("colon 7") << "lblStatic7" << QRect(2760, 3120, 255, 255);
    QTest::newRow("min 3") << "txtMin3" << QRect(3000, 1680, 375, 285);
    QTest::newRow("colon 15") << "lblStatic15" << QRect(3360, 3120, 255, 255);
    QTest::newRow("sec 1") << "txtSec1" << QRect(3600, 960, 375, 285);
    QTest::newRow("reset 7") << "cmdReset7" << QRect(4200, 3120, 615, 315);
}

void TestOverrideDialog::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    Harness h;
    QVERIFY(h.open(false));
    const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    QCOMPARE(h.find<QWidget>(name)->geometry(), pixels);
    if (auto *field = qobject_cast<QLineEdit *>(h.find<QWidget>(name)))
        QVERIFY(field->alignment() & Qt::AlignRight);
}

void TestOverrideDialog::captionAndLoadedSet_data()
{
    QTest::addColumn<bool>("total");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("daily times") << false << "Adjust daily times" << QStringList{"1", "2", "5"};
    QTest::newRow("total times") << true << "Adjust total times" << QStringList{"25", "1", "1"};
}

void TestOverrideDialog::captionAndLoadedSet()
{
    QFETCH(bool, total);
    Harness h;
    h.table.setDailyTime(0, 3725.0f);
    h.table.setTotalTime(0, 90061.0);
    QVERIFY(h.open(total));
    QTEST(h.dialog->windowTitle(), "caption");
    QTEST(h.fieldTexts(0), "fields");
    QCOMPARE(h.find<QLabel>(QStringLiteral("lblProjectNames0"))->text(), QStringLiteral("Design"));
}

void TestOverrideDialog::loadAndOkKeepsCount_data()
{
    QTest::addColumn<bool>("total");
    QTest::addColumn<double>("count");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("rowBox");
    QTest::newRow("a day and more") << true << 90061.0 << QStringList{"25", "1", "1"} << 90061.0
                                    << " 25:01:01";
    QTest::newRow("half up to even") << false << 3725.5 << QStringList{"1", "2", "6"} << 3726.0 << " 1:02:06";
    QTest::newRow("half down to even")
        << true << 3724.5 << QStringList{"1", "2", "4"} << 3724.0 << " 1:02:04";
    QTest::newRow("zero") << false << 0.0 << QStringList{"0", "0", "0"} << 0.0 << " 0:00:00";
    QTest::newRow("negative") << true << -3725.0 << QStringList{"-1", "-2", "-5"} << -3725.0 << "-1:02:05";
    QTest::newRow("negative whole hours")
        << false << -7200.0 << QStringList{"-2", "0", "0"} << -7200.0 << "-2:00:00";
    QTest::newRow("three-digit hours")
        << true << 540000.0 << QStringList{"150", "0", "0"} << 540000.0 << " 150:00:00";
    QTest::newRow("largest hour count")
        << true << 117964799.0 << QStringList{"32767", "59", "59"} << 117964799.0 << " 32767:59:59";
}

void TestOverrideDialog::loadAndOkKeepsCount()
{
    QFETCH(bool, total);
    QFETCH(double, count);
    QFETCH(double, stored);
    Harness h;
    h.table.setDailyTime(3, float(count));
    h.table.setTotalTime(3, count);
    QVERIFY(h.open(total));
    QTEST(h.fieldTexts(3), "fields");

    h.click(QStringLiteral("OKButton"));
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(h.count(total, 3), stored);
    QCOMPARE(h.appliedRows, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    QTEST(h.rowBoxes[3], "rowBox");
}

void TestOverrideDialog::unnamedRowTakesNoPart()
{
    Harness h;
    h.names[2].clear();
    h.table.setDailyTime(2, 1234.5f);
    QVERIFY(h.open(false));
    for (const QString name : {"txtHr2", "txtMin2", "txtSec2", "lblProjectNames2", "cmdReset2"})
        QVERIFY2(!h.find<QWidget>(name)->isEnabled(), qPrintable(name));
    QCOMPARE(h.fieldTexts(2), (QStringList{"", "", ""}));

    h.click(QStringLiteral("OKButton"));
    QCOMPARE(h.table.dailyTime(2), 1234.5f);
    QCOMPARE(h.appliedRows, (QList<int>{0, 1, 3, 4, 5, 6, 7}));
}

void TestOverrideDialog::enteredTimes_data()
{
    QTest::addColumn<bool>("total");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<double>("stored");
    QTest::newRow("75 minutes") << false << QStringList{"0", "75", "0"} << 4500.0;
    QTest::newRow("negative seconds") << true << QStringList{"1", "0", "-5"} << 3595.0;
    QTest::newRow("99 hours") << true << QStringList{"99", "0", "0"} << 356400.0;
    QTest::newRow("99 hours daily") << false << QStringList{"99", "0", "0"} << 356400.0;
    QTest::newRow("all negative") << false << QStringList{"-1", "-9", "-9"} << -4149.0;
}

void TestOverrideDialog::enteredTimes()
{
    QFETCH(bool, total);
    QFETCH(QStringList, typed);
    QFETCH(double, stored);
    Harness h;
    h.table.setDailyTime(1, 60.0f);
    h.table.setTotalTime(1, 60.0);
    h.table.setTotalTime(5, 77.0);
    QVERIFY(h.open(total));
    h.typeRow(1, typed[0], typed[1], typed[2]);
    h.click(QStringLiteral("OKButton"));

    QCOMPARE(h.count(total, 1), stored);
    QCOMPARE(h.rowBoxes[1], DissectTime(stored).value());
    QCOMPARE(h.table.totalTime(5), 77.0);
}

void TestOverrideDialog::leavingFieldTidiesIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("minutesUsed");
    QTest::addColumn<QString>("leaveBy");
    struct Entry
    {
        const char *typed;
        const char *shown;
        double used;
    };
    const Entry entries[] = {{"", "0", 0},     {"7", "7", 7},    {"07", "7", 7}, {"5x", "5", 5},
                             {"x5", "0", 0},   {"-5", "-5", -5}, {"-", "0", 0},  {".5", "0.5", 0},
                             {"99", "99", 99}, {"75", "75", 75}, {"1.", "1", 1}};
    for (const char *leaveBy : {"Tab", "Backtab", "click on a box", "click on OK"})
        for (const Entry &entry : entries)
            QTest::addRow("%s after '%s'", leaveBy, entry.typed)
                << entry.typed << entry.shown << entry.used << QString::fromLatin1(leaveBy);
}

void TestOverrideDialog::leavingFieldTidiesIt()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, minutesUsed);
    QFETCH(QString, leaveBy);
    Harness h;
    h.table.setTotalTime(0, 3600.0);
    QVERIFY(h.open(true));
    h.type(h.min(0), typed);
    QCOMPARE(h.min(0)->text(), typed);

    if (leaveBy == QLatin1String("Tab"))
        h.pressKey(Qt::Key_Tab);
    else if (leaveBy == QLatin1String("Backtab"))
        QTest::keyClick(h.min(0), Qt::Key_Backtab, Qt::ShiftModifier);
    else if (leaveBy == QLatin1String("click on a box"))
        QTest::mouseClick(h.sec(4), Qt::LeftButton);
    if (leaveBy != QLatin1String("click on OK")) {
        QVERIFY(!h.min(0)->hasFocus());
        QCOMPARE(h.min(0)->text(), shown);
    }

    h.click(QStringLiteral("OKButton"));
    QCOMPARE(h.fieldsSeenOnApply.value(0), QStringLiteral("1 %1 0").arg(shown));
    QCOMPARE(h.table.totalTime(0), 3600.0 + 60.0 * minutesUsed);
}

void TestOverrideDialog::tidyingShowsUsersDecimalSeparator()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Harness h;
    QVERIFY(h.open(false));
    h.type(h.sec(0), QStringLiteral(".6"));
    h.pressKey(Qt::Key_Tab);
    QCOMPARE(h.sec(0)->text(), QStringLiteral("0,6"));
    h.click(QStringLiteral("OKButton"));
    // Reading always takes a point, so the comma ends the number.
    QCOMPARE(h.table.dailyTime(0), 0.0f);
}

void TestOverrideDialog::otherWindowDoesNotTidy()
{
    Harness h;
    QVERIFY(h.open(false));
    h.type(h.hr(2), QStringLiteral("07"));

    // A window that the modal dialog does not block, with a box of its own that takes the focus.
    QWidget other(h.dialog.get(), Qt::Window);
    auto *otherBox = new QLineEdit(&other);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    other.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &other);
    QVERIFY(otherBox->hasFocus());
    QCOMPARE(h.hr(2)->text(), QStringLiteral("07"));

    h.dialog->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), h.dialog.get());
    QVERIFY(h.hr(2)->hasFocus());
    h.pressKey(Qt::Key_Tab);
    QCOMPARE(h.hr(2)->text(), QStringLiteral("7"));
}

void TestOverrideDialog::typingStopsAtTwoCharacters()
{
    Harness h;
    h.table.setTotalTime(0, 540000.0);
    QVERIFY(h.open(true));
    h.type(h.min(0), QStringLiteral("123"));
    QCOMPARE(h.min(0)->text(), QStringLiteral("12"));

    // A loaded three-digit hour count can be shortened, not lengthened.
    QTest::mouseClick(h.hr(0), Qt::LeftButton);
    QTest::keyClick(h.hr(0), Qt::Key_End);
    QTest::keyClick(h.hr(0), Qt::Key_1);
    QCOMPARE(h.hr(0)->text(), QStringLiteral("150"));
    QTest::keyClick(h.hr(0), Qt::Key_Backspace);
    QCOMPARE(h.hr(0)->text(), QStringLiteral("15"));
    QTest::keyClick(h.hr(0), Qt::Key_1);
    QCOMPARE(h.hr(0)->text(), QStringLiteral("15"));

    // Tidying may lengthen a field; the limit still holds afterwards.
    h.type(h.sec(0), QStringLiteral(".5"));
    h.pressKey(Qt::Key_Tab);
    QCOMPARE(h.sec(0)->text(), QStringLiteral("0.5"));
    QTest::mouseClick(h.sec(0), Qt::LeftButton);
    QTest::keyClick(h.sec(0), Qt::Key_End);
    QTest::keyClick(h.sec(0), Qt::Key_5);
    QCOMPARE(h.sec(0)->text(), QStringLiteral("0.5"));
}

void TestOverrideDialog::resetNoThenYesThenCancel()
{
    Harness h;
    h.table.setTotalTime(1, 7200.0);
    QVERIFY(h.open(true));

    h.boxes.answers = {MessageBoxAnswer::No, MessageBoxAnswer::Yes};
    h.click(QStringLiteral("cmdReset1"));
    QCOMPARE(h.boxes.shown.size(), 1);
    QCOMPARE(h.boxes.shown[0].style, 292);
    QCOMPARE(h.boxes.shown[0].title, QStringLiteral("Reset timer"));
    QCOMPARE(h.boxes.shown[0].text, QStringLiteral("Reset 'Build' timer?"));
    QCOMPARE(h.fieldTexts(1), (QStringList{"2", "0", "0"}));
    QCOMPARE(h.table.totalTime(1), 7200.0);

    h.click(QStringLiteral("cmdReset1"));
    QCOMPARE(h.boxes.shown.size(), 2);
    QCOMPARE(h.table.totalTime(1), 0.0);
    QCOMPARE(h.fieldTexts(1), (QStringList{"0", "0", "0"}));

    h.click(QStringLiteral("CancelButton"));
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.table.totalTime(1), 0.0);
    QVERIFY(h.appliedRows.isEmpty());
    QCOMPARE(h.rowBoxes[1], QStringLiteral(" 2:00:00"));

    QVERIFY(h.open(true));
    QCOMPARE(h.fieldTexts(1), (QStringList{"0", "0", "0"}));
    h.click(QStringLiteral("OKButton"));
    QCOMPARE(h.table.totalTime(1), 0.0);
    QCOMPARE(h.rowBoxes[1], QStringLiteral(" 0:00:00"));
}

void TestOverrideDialog::resetYesThenOk()
{
    Harness h;
    h.table.setDailyTime(6, 4000.0f);
    h.table.setTotalTime(6, 9000.0);
    QVERIFY(h.open(false));
    h.boxes.answers = {MessageBoxAnswer::Yes};
    h.click(QStringLiteral("cmdReset6"));
    QCOMPARE(h.boxes.shown.value(0).text, QStringLiteral("Reset 'Travel' timer?"));
    QCOMPARE(h.table.dailyTime(6), 0.0f);
    QCOMPARE(h.table.totalTime(6), 9000.0);
    QCOMPARE(h.rowBoxes[6], QStringLiteral(" 1:06:40"));

    h.click(QStringLiteral("OKButton"));
    QCOMPARE(h.table.dailyTime(6), 0.0f);
    QCOMPARE(h.rowBoxes[6], QStringLiteral(" 0:00:00"));
}

void TestOverrideDialog::hourCountBeyond16BitsStopsApplying()
{
    Harness h;
    h.table.setTotalTime(0, 100.0);
    h.table.setTotalTime(2, 32768.0 * 3600);
    h.table.setTotalTime(3, 500.0);
    QVERIFY(h.open(true));
    QCOMPARE(h.fieldTexts(2), (QStringList{"32768", "0", "0"}));
    h.typeRow(0, QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"));
    h.typeRow(3, QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("0"));

    h.click(QStringLiteral("OKButton"));
    QCOMPARE(h.table.totalTime(0), 3600.0);
    QCOMPARE(h.table.totalTime(2), 32768.0 * 3600);
    QCOMPARE(h.table.totalTime(3), 500.0);
    QCOMPARE(h.appliedRows, (QList<int>{0, 1}));
    QCOMPARE(h.boxes.shown.size(), 1);
    QCOMPARE(h.boxes.shown[0].style, 16);
    QCOMPARE(h.boxes.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(h.boxes.shown[0].text, QStringLiteral("Error adjusting times\r\nTallywick:  Overflow (6)"));
    QVERIFY(!h.dialog->isVisible());
}

void TestOverrideDialog::escAndEnterInFieldDoNothing()
{
    Harness h;
    h.table.setDailyTime(0, 60.0f);
    QVERIFY(h.open(false));
    QVERIFY(h.button(QStringLiteral("OKButton"))->hasFocus());
    h.pressKey(Qt::Key_Escape);
    QVERIFY(h.dialog->isVisible());

    h.type(h.min(0), QStringLiteral("5"));
    h.pressKey(Qt::Key_Return);
    h.pressKey(Qt::Key_Enter);
    h.pressKey(Qt::Key_Escape);
    QVERIFY(h.dialog->isVisible());
    QVERIFY(h.appliedRows.isEmpty());
    QCOMPARE(h.table.dailyTime(0), 60.0f);
    QCOMPARE(h.min(0)->text(), QStringLiteral("5"));
}

void TestOverrideDialog::enterPressesFocusedButton()
{
    Harness h;
    QVERIFY(h.open(false));
    h.type(h.min(0), QStringLiteral("2"));
    // Back through the Hour column and Cancel to OK.
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(h.button(QStringLiteral("OKButton"))->hasFocus());
    h.pressKey(Qt::Key_Return);
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.table.dailyTime(0), 120.0f);
}

void TestOverrideDialog::tabOrder()
{
    Harness h;
    h.names[5].clear();
    QVERIFY(h.open(false));
    QStringList expected{QStringLiteral("OKButton"), QStringLiteral("CancelButton")};
    for (const char *column : {"txtHr", "txtMin", "txtSec", "cmdReset"})
        for (int row = 0; row < 8; ++row)
            if (row != 5)
                expected.append(QLatin1String(column) + QString::number(row));
    expected.append(QStringLiteral("OKButton"));

    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        h.pressKey(Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, expected);
}

QTEST_MAIN(TestOverrideDialog)
#include "tst_overridedialog.moc"
