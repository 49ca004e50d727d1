#pragma once

#include "core/errorinfo.h"
#include "storage/projectlist.h"
#include "storage/projectlistreading.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The project list file projlist.dat: 17 CR LF lines, the user's name, then per row its name and its
// total in whole seconds. Loading never fails loudly (a missing or broken file gives the fallback names);
// saving replaces the file only once the new one is completely written. When an existing file did not
// load, the first save keeps it as projlist.dat.bak, so a bad read cannot wipe the stored totals.
class ProjectListFile
{
public:
    explicit ProjectListFile(QString path);

    QString path() const;
    QString backupPath() const;

    // Reads the file. Remembers whether an existing file failed to load, for the next save.
    ProjectListReading load();

    // Writes the file; nullopt on success. On failure the previous file stays as it was.
    [[nodiscard]] std::optional<ErrorInfo> save(const ProjectList &list);

    // The 17 lines in UTF-8. Totals are rounded to whole seconds, halves to even; a total that is not a
    // finite number has no whole-second value and is written as 0.
    static QByteArray encode(const ProjectList &list);

    // Parses file bytes (UTF-8, else Windows-1252; CR LF or bare LF line ends). Never fails: what could
    // not be read is reported through the reading.
    static ProjectListReading decode(const QByteArray &bytes);

private:
    std::optional<ErrorInfo> keepUnloadedFile();

    QString m_path;
    bool m_backupPending = false;
};
