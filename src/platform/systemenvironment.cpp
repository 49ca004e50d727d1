#include "systemenvironment.h"

#include "storage/projectlistfolder.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramEnvironment::~ProgramEnvironment() = default;

SystemEnvironment::SystemEnvironment()
    : m_dataFolder(ProjectListFolder::choose(programFolder(), userDataFolder(), isInstalled(),
                                             ProjectListFolder::mayWriteInto))
{
    // Made now rather than at the first save, so that a folder that cannot be made is reported by that
    // save's own error message, naming the file.
    if (m_dataFolder != programFolder()) {
        QDir().mkpath(m_dataFolder);
        ProjectListFolder::takeOverListBesideProgram(programFolder(), m_dataFolder);
    }
}

QString SystemEnvironment::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString SystemEnvironment::dataFolder() const
{
    return m_dataFolder;
}

QString SystemEnvironment::installDataFolder() const
{
    // The same path from the program to its data as in the install, so that a copy installed under any
    // prefix (or unpacked from a package) finds its files.
    return QDir::cleanPath(programFolder() + QLatin1String("/" TALLYWICK_BIN_TO_DATA_DIR));
}

bool SystemEnvironment::isInstalled() const
{
    // An install puts the help text into its data folder; a build folder or a portable copy has it beside
    // the program, if at all.
    return QFileInfo::exists(installDataFolder() + QLatin1String("/readme.txt"));
}

QString SystemEnvironment::userDataFolder()
{
    // GenericDataLocation is $XDG_DATA_HOME when that is set, else ~/.local/share; the application's own
    // location would add an organisation folder as soon as one is set.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1String("/tallywick");
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
