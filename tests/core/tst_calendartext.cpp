#include "core/calendartext.h"

#include <QtTest>

class TestCalendarText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts_data();
    void texts();
};

void TestCalendarText::texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("month 1") << MonthName(1) << "January";
    QTest::newRow("month 12") << MonthName(12) << "December";
    QTest::newRow("month 13") << MonthName(13) << "Month 13";
    QTest::newRow("month 0") << MonthName(0) << "Month 0";
    QTest::newRow("month -1") << MonthName(-1) << "Month -1";
    QTest::newRow("weekday 1") << WeekdayName(1) << "Sunday";
    QTest::newRow("weekday 7") << WeekdayName(7) << "Saturday";
    QTest::newRow("weekday 8") << WeekdayName(8) << "Day 8";
    QTest::newRow("weekday 0") << WeekdayName(0) << "Day 0";

    const LocalDate first{2027, 1, 1, 6};
    QTest::newRow("1st") << DateText(first) << "Friday, January 1";
    QTest::newRow("1st, report line") << ReportDateLine(first) << "Friday, January 1, 2027";
    QTest::newRow("1st, file stamp") << ReportDateStamp(first) << "01-01-2027";
    const LocalDate last{2026, 12, 31, 5};
    QTest::newRow("31st") << DateText(last) << "Thursday, December 31";
    QTest::newRow("31st, report line") << ReportDateLine(last) << "Thursday, December 31, 2026";
    QTest::newRow("31st, file stamp") << ReportDateStamp(last) << "12-31-2026";
}

void TestCalendarText::texts()
{
    QFETCH(QString, text);
    QTEST(text, "expected");
}

QTEST_GUILESS_MAIN(TestCalendarText)
#include "tst_calendartext.moc"
