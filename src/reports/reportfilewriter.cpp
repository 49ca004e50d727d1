#include "reportfilewriter.h"

#include "reports/reportrules.h"
#include "storage/textcodec.h"
#include "storage/wholefile.h"

namespace ReportFileWriter {

namespace {

ReportOutcome failure(const QString &fileName, int number, const QString &reason)
{
    ReportOutcome outcome;
    outcome.kind = ReportOutcome::Kind::Failed;
    outcome.fileName = fileName;
    outcome.error = {number, programErrorSource(),
                     QStringLiteral("Cannot write the report file %1: %2").arg(fileName, reason)};
    return outcome;
}

} // namespace

ReportOutcome generate(const ReportSnapshot &snapshot, const LocalDate &today, const QString &reportFolder,
                       const QString &extension, ReportBytes bytes)
{
    if (snapshot.userName.isEmpty()) {
        ReportOutcome outcome;
        outcome.kind = ReportOutcome::Kind::MissingName;
        return outcome;
    }
    const QString fileName = ReportRules::fileName(reportFolder, snapshot.userName, today, extension);
    return writeWhole(fileName, bytes(snapshot, today));
}

ReportOutcome writeWhole(const QString &fileName, const QByteArray &bytes)
{
    if (const std::optional<WholeFile::Failure> failed = WholeFile::write(fileName, bytes))
        return failure(fileName, failed->number, failed->reason);
    ReportOutcome outcome;
    outcome.kind = ReportOutcome::Kind::Written;
    outcome.fileName = fileName;
    return outcome;
}

QByteArray linesToBytes(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    return TextCodec::encode(text);
}

} // namespace ReportFileWriter
