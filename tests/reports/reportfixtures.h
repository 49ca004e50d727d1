#pragma once

#include "core/calendartext.h"
#include "reports/reportsnapshot.h"

#include <QByteArray>
#include <QFile>
#include <QMetaType>
#include <QString>

#include <vector>

Q_DECLARE_METATYPE(ReportSnapshot)
Q_DECLARE_METATYPE(LocalDate)

// Window states shared by the report tests, each paired with the golden files (.txt and .csv) it must give.
namespace ReportFixtures {

inline LocalDate tuesdayApril18of2006()
{
    return {2006, 4, 18, 3};
}

// What the window shows before any timing: every name empty, every time field at zero.
inline ReportSnapshot blankWindow(const QString &userName)
{
    ReportSnapshot snapshot;
    snapshot.userName = userName;
    snapshot.dailyTexts.fill(QStringLiteral(" 0:00:00"));
    snapshot.totalTexts.fill(QStringLiteral(" 0:00:00"));
    snapshot.dailySumText = QStringLiteral(" 0:00:00");
    return snapshot;
}

inline void setRow(ReportSnapshot &snapshot, int row, const QString &name, const QString &daily,
                   const QString &total)
{
    snapshot.names[std::size_t(row)] = name;
    snapshot.dailyTexts[std::size_t(row)] = daily;
    snapshot.totalTexts[std::size_t(row)] = total;
}

// Ann on Tuesday, April 18, 2006: Project 1 in row 0, Web site in row 2 with nothing counted today.
inline ReportSnapshot annExample()
{
    ReportSnapshot snapshot = blankWindow(QStringLiteral("Ann"));
    setRow(snapshot, 0, QStringLiteral("Project 1"), QStringLiteral(" 1:02:03"), QStringLiteral(" 10:00:00"));
    setRow(snapshot, 2, QStringLiteral("Web site"), QStringLiteral(" 0:00:00"), QStringLiteral(" 0:04:00"));
    snapshot.dailySumText = QStringLiteral(" 1:02:03");
    return snapshot;
}

struct GoldenCase
{
    const char *name;
    ReportSnapshot snapshot;
    LocalDate date;
    QString goldenBase; // file name in the golden folder without its extension
};

inline std::vector<GoldenCase> goldenCases()
{
    std::vector<GoldenCase> cases;
    const LocalDate day = tuesdayApril18of2006();

    cases.push_back({"worked example", annExample(), day, QStringLiteral("example")});
    cases.push_back({"no named rows", blankWindow(QStringLiteral("Ann")), day, QStringLiteral("no_rows")});

    // Rows 1 to 4 hold times of their own, which must leave no trace without a name.
    ReportSnapshot rows0and5 = blankWindow(QStringLiteral("Ann"));
    for (int row = 0; row < 8; ++row)
        setRow(rows0and5, row, QString(), QStringLiteral(" 9:09:09"), QStringLiteral(" 99:09:09"));
    setRow(rows0and5, 0, QStringLiteral("Alpha"), QStringLiteral(" 0:10:00"), QStringLiteral(" 2:00:00"));
    setRow(rows0and5, 5, QStringLiteral("Foxtrot"), QStringLiteral(" 0:20:30"), QStringLiteral(" 123:45:06"));
    rows0and5.dailySumText = QStringLiteral(" 0:30:30");
    cases.push_back({"rows 0 and 5", rows0and5, day, QStringLiteral("rows_0_and_5")});

    ReportSnapshot creation = blankWindow(QStringLiteral("Ann"));
    setRow(creation, 0, QStringLiteral("Web site"), QStringLiteral("0:00:00"), QStringLiteral("0:00:00"));
    cases.push_back({"creation text without blank", creation, day, QStringLiteral("creation_text")});

    ReportSnapshot blanks = blankWindow(QStringLiteral("  "));
    setRow(blanks, 0, QStringLiteral(" "), QStringLiteral(" 0:00:01"), QStringLiteral(" 0:00:01"));
    blanks.dailySumText = QStringLiteral(" 0:00:01");
    cases.push_back({"names of blanks", blanks, day, QStringLiteral("blank_names")});

    ReportSnapshot commas = blankWindow(QStringLiteral("Smith, Ann"));
    setRow(commas, 1, QStringLiteral("Say \"hi\", world"), QStringLiteral(" 0:01:00"),
           QStringLiteral(" 0:02:00"));
    setRow(commas, 7, QStringLiteral("a,b"), QStringLiteral(" 0:03:00"), QStringLiteral(" 0:04:00"));
    commas.dailySumText = QStringLiteral(" 0:04:00");
    cases.push_back({"commas and quotes", commas, day, QStringLiteral("commas_quotes")});

    ReportSnapshot accents = blankWindow(QString::fromUtf8("Zo\u00eb"));
    setRow(accents, 3, QString::fromUtf8("Caf\u00e9 \u20ac"), QStringLiteral(" 0:00:05"),
           QStringLiteral(" 0:00:06"));
    accents.dailySumText = QStringLiteral(" 0:00:05");
    cases.push_back({"non-ASCII in UTF-8", accents, LocalDate{2005, 12, 31, 7}, QStringLiteral("utf8")});

    return cases;
}

inline QByteArray goldenBytes(const QString &fileName)
{
    QFile file(QStringLiteral(TALLYWICK_TEST_DATA "/reports/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", qPrintable(file.fileName()));
    return file.readAll();
}

} // namespace ReportFixtures
