#pragma once

#include <QString>

#include <array>

// A time as the window shows it: the text, and the whole seconds that the text stands for.
struct ShownTime
{
    QString text;
    double seconds = 0.0;
};

// What the main window shows at the moment a report is asked for. The reports copy the texts verbatim;
// the spreadsheet also keeps each time's seconds, so that the sheet can add the times up.
struct ReportSnapshot
{
    QString userName;
    std::array<QString, 8> names;
    std::array<ShownTime, 8> daily;
    std::array<ShownTime, 8> total;
    ShownTime dailySum;
};
