#include "helptextfile.h"

#include "textcodec.h"

#include <QFile>
#include <QFileInfo>

namespace {

ErrorInfo fileError(int number, const QString &what, const QString &fileName)
{
    return programError(number, what + QLatin1String(": ") + fileName);
}

// QFile reports every failed open alike; look at the file and its folder to tell the user which it was.
ErrorInfo openError(const QString &programFolder, const QString &fileName)
{
    const QFileInfo file(fileName);
    if (!file.exists()) {
        if (!QFileInfo(programFolder).isDir())
            return fileError(ErrorNumber::PathNotFound, QStringLiteral("Path not found"), fileName);
        return fileError(ErrorNumber::FileNotFound, QStringLiteral("File not found"), fileName);
    }
    if (file.isDir())
        return fileError(ErrorNumber::FileAccessError, QStringLiteral("Path/File access error"), fileName);
    return fileError(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied"), fileName);
}

} // namespace

namespace HelpTextFile {

QString fileName(const QString &programFolder)
{
    return programFolder + QLatin1String("/readme.txt");
}

HelpTextReading read(const QString &programFolder, const QString &installDataFolder)
{
    QString folder = programFolder;
    // A file beside the program that cannot be read is reported, not passed over for another one.
    if (!installDataFolder.isEmpty() && !QFileInfo::exists(fileName(programFolder)) &&
        QFileInfo::exists(fileName(installDataFolder)))
        folder = installDataFolder;
    const QString name = fileName(folder);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {QString(), openError(folder, name)};

    // Read as bytes: a text-mode read would drop the CRs that the file's lines end with.
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {QString(),
                fileError(ErrorNumber::FileAccessError, QStringLiteral("Path/File access error"), name)};
    return {TextCodec::decode(bytes), std::nullopt};
}

} // namespace HelpTextFile
