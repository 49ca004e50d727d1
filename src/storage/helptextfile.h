#pragma once

#include "core/errorinfo.h"

#include <QString>

#include <optional>

// The help text as read from readme.txt: the whole file, line ends and all, or why it could not be read.
struct HelpTextReading
{
    QString text;
    std::optional<ErrorInfo> error;
};

// readme.txt, the help text. It lies beside the program (a portable copy, the build folder) or, for an
// installed program, in the install's data folder. It is only ever read, whole, and each reading goes back
// to the file so that edits show at the next opening of the help window.
namespace HelpTextFile {

// The file's full name: the program's folder as given, "/", "readme.txt".
QString fileName(const QString &programFolder);

// Reads the whole file and decodes it (UTF-8, else Windows-1252) without touching its line ends. The file
// beside the program is read when it exists; only when it does not, the one in the install's data folder
// (when that is given and the file is there). An empty file gives an empty text. A file that cannot be
// read gives an error that names it; when there is none at all, the error names the one beside the program.
[[nodiscard]] HelpTextReading read(const QString &programFolder,
                                   const QString &installDataFolder = QString());

} // namespace HelpTextFile
