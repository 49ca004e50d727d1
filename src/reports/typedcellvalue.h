#pragma once

#include <QString>

// What a spreadsheet cell holds after a text has been typed into it. A time text such as " 1:02:03" becomes a
// duration, so that the sheet can add the times up; every other text stays the text as typed.
struct TypedCellValue
{
    enum class Kind {
        Empty,    // nothing typed: the cell holds no value
        Text,     // text holds the value
        Duration, // days holds the value: the number of days, shown as [h]:mm:ss
    };

    Kind kind = Kind::Empty;
    QString text;
    double days = 0.0;

    // Reads a text as a spreadsheet reads one typed into a cell. A time text is an optional blank or minus
    // sign, one or more hour digits, ":", two-digit minutes below 60, ":", two-digit seconds below 60; a
    // minus sign makes the duration negative. A text that starts with "=" is kept as text: the sheet holds no
    // formulas.
    static TypedCellValue fromTyped(const QString &typed);
};
