#pragma once

#include <QString>

// The project table has a fixed number of rows, numbered from 0 at the top.
constexpr int RowCount = 8;

// The name a row takes when it becomes the active row without one: "Project 1" for row 0.
inline QString defaultProjectName(int row)
{
    return QStringLiteral("Project %1").arg(row + 1);
}
