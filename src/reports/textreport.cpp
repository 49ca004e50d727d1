#include "textreport.h"

#include "reports/reportfilewriter.h"
#include "reports/reportrules.h"

#include <QStringList>

ReportOutcome GenerateTextReport(const ReportSnapshot &snapshot, const LocalDate &today,
                                 const QString &reportFolder)
{
    return ReportFileWriter::generate(snapshot, today, reportFolder, QStringLiteral(".txt"), textReportBytes);
}

QByteArray textReportBytes(const ReportSnapshot &snapshot, const LocalDate &today)
{
    // The time texts are copied as the window shows them; they normally begin with a blank of their own,
    // so the labels' two blanks become three in the file.
    QStringList lines = {QLatin1String("Project times for ") + snapshot.userName, ReportDateLine(today),
                         QString()};
    for (std::size_t row = 0; row < snapshot.names.size(); ++row) {
        if (!ReportRules::isIncluded(snapshot.names[row]))
            continue;
        lines << snapshot.names[row] << QLatin1String("Daily time:  ") + snapshot.daily[row].text
              << QLatin1String("Total time:  ") + snapshot.total[row].text << QString();
    }
    lines << QString() << QLatin1String("Total daily time:  ") + snapshot.dailySum.text;
    return ReportFileWriter::linesToBytes(lines);
}
