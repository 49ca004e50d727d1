#include "calendartext.h"

#include <array>

QString MonthName(qint16 month)
{
    static const std::array<const char *, 12> names = {"January",   "February", "March",    "April",
                                                       "May",       "June",     "July",     "August",
                                                       "September", "October",  "November", "December"};
    if (month >= 1 && month <= 12)
        return QLatin1String(names[month - 1]);
    return QLatin1String("Month ") + QString::number(month);
}

QString WeekdayName(qint16 weekday)
{
    static const std::array<const char *, 7> names = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};
    if (weekday >= 1 && weekday <= 7)
        return QLatin1String(names[weekday - 1]);
    return QLatin1String("Day ") + QString::number(weekday);
}

QString DateText(const LocalDate &date)
{
    return WeekdayName(qint16(date.weekday)) + QLatin1String(", ") + MonthName(qint16(date.month)) +
           QLatin1Char(' ') + QString::number(date.day);
}

QString ReportDateLine(const LocalDate &date)
{
    return DateText(date) + QLatin1String(", ") + QString::number(date.year);
}

QString ReportDateStamp(const LocalDate &date)
{
    const auto padded = [](int value, int width) {
        return QString::number(value).rightJustified(width, QLatin1Char('0'));
    };
    return padded(date.month, 2) + QLatin1Char('-') + padded(date.day, 2) + QLatin1Char('-') +
           padded(date.year, 4);
}
