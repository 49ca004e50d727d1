#pragma once

#include "core/projectrows.h"

#include <QString>

#include <array>

// What the project list file keeps between runs: the user's name, and for each of the eight rows its
// project name and its total time in seconds.
struct ProjectList
{
    QString userName;
    std::array<QString, RowCount> names;
    std::array<double, RowCount> totals{};
};
