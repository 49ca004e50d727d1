#pragma once

#include <QString>

#include <functional>

// Where projlist.dat lives. A copy of the program in a folder that the user may write to (a portable copy,
// the build folder) keeps the list beside itself. A copy in a folder that cannot be written (an install
// under /usr or /opt) keeps it in the user's data folder instead, so that the totals are never lost at
// exit; so does any installed copy, as bin folders are for programs: root's, and a per-user install under
// ~/.local, would otherwise leave the list in /usr/bin or ~/.local/bin.
namespace ProjectListFolder {

// Tells whether a new file can be created in the folder.
using WritableTest = std::function<bool(const QString &folder)>;

// The program's folder when the copy is not installed and the test says the folder can be written, else
// the user's data folder. Nothing is created here.
QString choose(const QString &programFolder, const QString &userDataFolder, bool installed,
               const WritableTest &canWriteInto);

// Tries it: creates a file in the folder and removes it again. Permissions, access lists and read-only
// mounts all count, as they do for the real save.
bool canCreateFilesIn(const QString &folder);

} // namespace ProjectListFolder
