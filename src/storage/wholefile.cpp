#include "wholefile.h"

#include "core/errorinfo.h"

#include <QFileInfo>
#include <QSaveFile>

namespace WholeFile {

namespace {

// What kept the file from being written. A file that could not even be opened was refused by the folder or
// the name, never by a full disk.
int errorNumber(const QSaveFile &file, const QString &fileName, bool opened)
{
    const QFileInfo target(fileName);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return ErrorNumber::PathNotFound;
    if (file.error() == QFileDevice::PermissionsError || !folder.isWritable() ||
        (target.exists() && !target.isWritable()))
        return ErrorNumber::PermissionDenied;
    if (opened && (file.error() == QFileDevice::ResourceError || file.error() == QFileDevice::WriteError))
        return ErrorNumber::DiskFull;
    return ErrorNumber::FileAccessError;
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

} // namespace

std::optional<Failure> write(const QString &fileName, const QByteArray &bytes)
{
    // The system cuts a path at a NUL character, so such a name would write some other file.
    if (fileName.contains(QChar(0)))
        return Failure{ErrorNumber::FileAccessError,
                       QStringLiteral("the name holds a character that file names cannot hold")};

    QSaveFile file(fileName);
    // Unbuffered, so that a failing write shows here with its cause: commit() flushes a buffer late and
    // replaces the earlier file even when that flush wrote only part of the data.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failure{errorNumber(file, fileName, false), file.errorString()};
    if (!writeAll(file, bytes)) {
        Failure failure{errorNumber(file, fileName, true), file.errorString()};
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return Failure{errorNumber(file, fileName, true), file.errorString()};
    return std::nullopt;
}

} // namespace WholeFile
