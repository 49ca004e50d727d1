#include "core/calendartext.h"

#include <QtTest>

class TestCalendarText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void monthName_data();
    void monthName();
    void weekdayName_data();
    void weekdayName();
    void dateTexts_data();
    void dateTexts();
};

void TestCalendarText::monthName_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("name");
    const QStringList names = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
    for (int m = 1; m <= 12; ++m)
        QTest::addRow("%d", m) << m << names.at(m - 1);
    QTest::newRow("13") << 13 << "Month 13";
    QTest::newRow("0") << 0 << "Month 0";
    QTest::newRow("-1") << -1 << "Month -1";
}

void TestCalendarText::monthName()
{
    QFETCH(int, month);
    QFETCH(QString, name);
    QCOMPARE(MonthName(qint16(month)), name);
}

void TestCalendarText::weekdayName_data()
{
    QTest::addColumn<int>("weekday");
    QTest::addColumn<QString>("name");
    const QStringList names = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int d = 1; d <= 7; ++d)
        QTest::addRow("%d", d) << d << names.at(d - 1);
    QTest::newRow("8") << 8 << "Day 8";
    QTest::newRow("0") << 0 << "Day 0";
}

void TestCalendarText::weekdayName()
{
    QFETCH(int, weekday);
    QFETCH(QString, name);
    QCOMPARE(WeekdayName(qint16(weekday)), name);
}

void TestCalendarText::dateTexts_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("weekday");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QString>("reportLine");
    QTest::addColumn<QString>("stamp");

    QTest::newRow("5 December") << 2026 << 12 << 5 << 7 << "Saturday, December 5"
                                << "Saturday, December 5, 2026"
                                << "12-05-2026";
    QTest::newRow("18 April 2006") << 2006 << 4 << 18 << 3 << "Tuesday, April 18"
                                   << "Tuesday, April 18, 2006"
                                   << "04-18-2006";
    QTest::newRow("1st") << 2027 << 1 << 1 << 6 << "Friday, January 1"
                         << "Friday, January 1, 2027"
                         << "01-01-2027";
    QTest::newRow("31st") << 2026 << 12 << 31 << 5 << "Thursday, December 31"
                          << "Thursday, December 31, 2026"
                          << "12-31-2026";
}

void TestCalendarText::dateTexts()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, weekday);
    const LocalDate date{year, month, day, weekday};
    QTEST(DateText(date), "dateText");
    QTEST(ReportDateLine(date), "reportLine");
    QTEST(ReportDateStamp(date), "stamp");
}

QTEST_GUILESS_MAIN(TestCalendarText)
#include "tst_calendartext.moc"
