#include "reportfilewriter.h"

#include "reports/reportrules.h"
#include "storage/textcodec.h"

#include <QFileInfo>
#include <QSaveFile>

namespace ReportFileWriter {

namespace {

// The file could not be opened: a folder that is missing (or is a file) is a path fault; a folder that
// refuses new files, or an earlier report that may not be replaced, is a permission fault; anything else
// (a name the file system refuses, a name too long) is a plain access fault.
int openErrorNumber(const QString &fileName)
{
    const QFileInfo file(fileName);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return ErrorNumber::PathNotFound;
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return ErrorNumber::PermissionDenied;
    return ErrorNumber::FileAccessError;
}

int commitErrorNumber(QFileDevice::FileError error)
{
    return error == QFileDevice::WriteError ? ErrorNumber::DiskFull : ErrorNumber::FileAccessError;
}

// A write may take only part of the bytes (the disk filled up); the next write then fails with the cause.
bool writeAll(QSaveFile &file, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

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
    // The system cuts a path at a NUL character, so such a name would write some other file.
    if (fileName.contains(QChar(0)))
        return failure(fileName, ErrorNumber::FileAccessError,
                       QStringLiteral("the name holds a character that file names cannot hold"));

    // QSaveFile writes beside the target and renames only on commit, so a failure half-way leaves the
    // earlier report of this name intact instead of a truncated file. It never falls back to writing the
    // target in place.
    QSaveFile file(fileName);
    // Unbuffered, so that a failing write shows here with its cause: commit() flushes a buffer late and
    // replaces the earlier report even when that flush fails.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(fileName, openErrorNumber(fileName), file.errorString());
    if (!writeAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(fileName, ErrorNumber::DiskFull, reason);
    }
    if (!file.commit())
        return failure(fileName, commitErrorNumber(file.error()), file.errorString());

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
