#include "csvreport.h"

#include "reports/reportfilewriter.h"
#include "reports/reportrules.h"

#include <QStringList>

ReportOutcome GenerateCsvReport(const ReportSnapshot &snapshot, const LocalDate &today,
                                const QString &reportFolder)
{
    return ReportFileWriter::generate(snapshot, today, reportFolder, QStringLiteral(".csv"), csvReportBytes);
}

QByteArray csvReportBytes(const ReportSnapshot &snapshot, const LocalDate &today)
{
    // Only the date is quoted, since its own commas would split it; names are written exactly as typed.
    const QChar quote(QLatin1Char('"'));
    const QChar comma(QLatin1Char(','));
    QStringList lines = {snapshot.userName + comma + quote + ReportDateLine(today) + quote, QString(),
                         QStringLiteral("Project name, Daily time, Total time")};
    for (std::size_t row = 0; row < snapshot.names.size(); ++row) {
        if (!ReportRules::isIncluded(snapshot.names[row]))
            continue;
        lines << snapshot.names[row] + comma + snapshot.daily[row].text + comma + snapshot.total[row].text;
    }
    lines << QString() << QLatin1String("Total daily time, ") + snapshot.dailySum.text;
    return ReportFileWriter::linesToBytes(lines);
}
