#include "reportfilewriter.h"

#include "reports/reportrules.h"
#include "storage/textcodec.h"
#include "storage/wholefile.h"

namespace ReportFileWriter {

ReportOutcome generate(const ReportSnapshot &snapshot, const LocalDate &today, const QString &reportFolder,
                       const QString &extension, ReportBytes bytes)
{
    if (snapshot.userName.isEmpty())
        return {ReportOutcome::Kind::MissingName, QString(), ErrorInfo()};
    const QString fileName = ReportRules::fileName(reportFolder, snapshot.userName, today, extension);
    if (const std::optional<WholeFile::Failure> failed = WholeFile::write(fileName, bytes(snapshot, today)))
        return {ReportOutcome::Kind::Failed, fileName,
                programError(failed->number, ReportRules::failureDescription(fileName, failed->reason))};
    return {ReportOutcome::Kind::Written, fileName, ErrorInfo()};
}

QByteArray linesToBytes(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    return TextCodec::encode(text);
}

} // namespace ReportFileWriter
