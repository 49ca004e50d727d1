#include "systemenvironment.h"

#include "version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramEnvironment::~ProgramEnvironment() = default;

QString SystemEnvironment::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString SystemEnvironment::dataFolder() const
{
    return programFolder();
}

QString SystemEnvironment::documentsFolder() const
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return QString();
    return QDir::cleanPath(folder);
}

VersionNumber SystemEnvironment::version() const
{
    return {TALLYWICK_VERSION_MAJOR, TALLYWICK_VERSION_MINOR, TALLYWICK_VERSION_PATCH};
}
