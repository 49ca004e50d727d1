#pragma once

#include "core/errorinfo.h"
#include "storage/projectlist.h"
#include "storage/projectlistreading.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// The project list file projlist.dat: 17 CR LF lines, the user's name, then per row its name and its
// total in whole seconds. Loading never fails loudly (a missing or broken file gives the fallback names);
// saving replaces the file only once the new one is completely written. When an existing file did not
// load, or loaded but is not what the program writes for what it read (a cut line, a stray byte, extra
// lines, other line ends), the first save keeps it as projlist.dat.bak, so no read can wipe what the file
// held.
//
// The rescue file takes the list when a save fails where nobody can be asked (the program is ended from
// outside). It has the same 17 lines, then one more that names the project list it stands for. At the
// next start rescueTime() tells whether it is there for this list and newer than it; loadRescue() reads
// it, and the next successful save() writes it as the list and removes it.
class ProjectListFile
{
public:
    // The most characters a text box holds: a longer name or user's name is cut to it when read, as the
    // window could show and save no more.
    static constexpr int LongestName = 32767;

    explicit ProjectListFile(QString path, QString rescuePath = QString());

    QString path() const;
    QString backupPath() const;
    QString rescuePath() const;

    // Reads the file. Remembers whether the file must be kept as the .bak at the next save.
    ProjectListReading load();

    // Writes the file; nullopt on success. On failure the previous file stays as it was.
    [[nodiscard]] std::optional<ErrorInfo> save(const ProjectList &list);

    // Writes the list to the rescue file (making its folder); nullopt on success.
    [[nodiscard]] std::optional<ErrorInfo> saveRescue(const ProjectList &list);

    // The time the rescue file was written, when it stands for this list and is newer than it (or the
    // list is missing); else nullopt.
    std::optional<QDateTime> rescueTime() const;

    // Reads the rescue file in place of the list. The next successful save keeps the list it replaces as
    // the .bak and then removes the rescue file.
    ProjectListReading loadRescue();

    // The 17 lines in UTF-8. Totals are rounded to whole seconds, halves to even; a total that is not a
    // finite number has no whole-second value and is written as 0.
    static QByteArray encode(const ProjectList &list);

    // Parses file bytes (each line UTF-8, else Windows-1252; CR LF or bare LF line ends). Never fails:
    // what could not be read is reported through the reading.
    static ProjectListReading decode(const QByteArray &bytes);

private:
    std::optional<ErrorInfo> keepReadFile();

    QString m_path;
    QString m_rescuePath;
    bool m_backupPending = false;
    bool m_rescueLoaded = false;
};
