#pragma once

#include <QString>

#include <array>

// What the main window shows at the moment a report is asked for: the texts of its fields, copied verbatim.
// Reports never recompute anything from the counts.
struct ReportSnapshot
{
    QString userName;
    std::array<QString, 8> names;
    std::array<QString, 8> dailyTexts;
    std::array<QString, 8> totalTexts;
    QString dailySumText;
};
