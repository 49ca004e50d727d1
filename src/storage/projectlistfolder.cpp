#include "projectlistfolder.h"

#include "storage/wholefile.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace ProjectListFolder {

QString choose(const QString &programFolder, const QString &userDataFolder, bool installed,
               const WritableTest &canWriteInto)
{
    return !installed && canWriteInto(programFolder) ? programFolder : userDataFolder;
}

bool mayWriteInto(const QString &folder)
{
    // The mode bits alone would not do: root may write into a folder without write bits, access lists may
    // grant or deny more. A probe file would not do either: a disk without free space or inodes refuses
    // it, and the list beside the program would be passed over for an empty one elsewhere.
    const QByteArray path = QFile::encodeName(folder);
    if (!QFileInfo(folder).isDir() || ::faccessat(AT_FDCWD, path.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    // faccessat reports a read-only mount itself; the C library's fallback for older kernels does not.
    struct statvfs mount;
    return ::statvfs(path.constData(), &mount) == 0 && (mount.f_flag & ST_RDONLY) == 0;
}

void takeOverListBesideProgram(const QString &programFolder, const QString &dataFolder)
{
    const QString fileName = QStringLiteral("/projlist.dat");
    if (dataFolder == programFolder || QFileInfo::exists(dataFolder + fileName))
        return;
    QFile beside(programFolder + fileName);
    if (!beside.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = beside.readAll();
    if (beside.error() == QFileDevice::NoError)
        (void)WholeFile::write(dataFolder + fileName, bytes); // should it fail, the save reports the folder
}

} // namespace ProjectListFolder
