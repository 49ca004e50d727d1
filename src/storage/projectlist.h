#pragma once

#include <QString>

#include <array>

// What the project list file keeps between runs: the user's name, and for each of the eight rows its
// project name and its total time in seconds.
struct ProjectList
{
    QString userName;
    std::array<QString, 8> names;
    std::array<double, 8> totals{};
};
