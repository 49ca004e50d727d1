#pragma once

#include <QString>
#include <QtGlobal>

// A local calendar date as the clock hands it over; weekday counts Sunday as 1 and Saturday as 7.
struct LocalDate
{
    int year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0;
};

// English month name of 1 to 12; "Month " and the number for any other.
QString MonthName(qint16 month);

// English weekday name of 1 (Sunday) to 7; "Day " and the number for any other.
QString WeekdayName(qint16 weekday);

// The main window's date text: "Saturday, December 5".
QString DateText(const LocalDate &date);

// The date line of the reports: the date text with ", " and the year, "Tuesday, April 18, 2006".
QString ReportDateLine(const LocalDate &date);

// The date stamp of report file names: mm-dd-yyyy.
QString ReportDateStamp(const LocalDate &date);
