#pragma once

#include "core/projectrows.h"

#include <QString>

#include <array>
#include <optional>

// What one load of the project list file gave. A load that stops part-way keeps the values read before
// the failure (the user's name and the leading totals), while the names always fall back as a whole, so
// the window can apply exactly what was read and leave everything else at its start-up state.
struct ProjectListReading
{
    bool complete = false;           // all 17 lines were read and every total was a number
    std::optional<QString> userName; // set when line 1 was read
    int totalsRead = 0;              // totals[0..totalsRead) were read, even when a later line failed
    std::array<double, RowCount> totals{};
    std::array<QString, RowCount> names; // as read when complete, else "Project 1" and seven empty names
};
