#include "projectlistfolder.h"

#include <QTemporaryFile>

namespace ProjectListFolder {

QString choose(const QString &programFolder, const QString &userDataFolder, bool installed,
               const WritableTest &canWriteInto)
{
    return !installed && canWriteInto(programFolder) ? programFolder : userDataFolder;
}

bool canCreateFilesIn(const QString &folder)
{
    // The mode bits alone would not do: root may write into a folder without write bits, and nobody may
    // write on a read-only mount whatever the bits say.
    QTemporaryFile probe(folder + QLatin1String("/.tallywick-probe-XXXXXX"));
    return probe.open(); // removed again when it goes out of scope
}

} // namespace ProjectListFolder
