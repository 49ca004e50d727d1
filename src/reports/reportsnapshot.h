#pragma once

#include "core/projectrows.h"
#include "core/timetext.h"

#include <QString>

#include <array>

// What the main window shows at the moment a report is asked for. The reports copy the texts verbatim;
// the spreadsheet also keeps each time's seconds, so that the sheet can add the times up.
struct ReportSnapshot
{
    QString userName;
    std::array<QString, RowCount> names;
    std::array<ShownTime, RowCount> daily;
    std::array<ShownTime, RowCount> total;
    ShownTime dailySum;
};
