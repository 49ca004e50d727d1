#pragma once

#include <QString>

#include <functional>

// Where projlist.dat lives. A copy of the program in a folder that the user may write to (a portable copy,
// the build folder) keeps the list beside itself. A copy in a folder that cannot be written (an install
// under /usr or /opt, a read-only medium) keeps it in the user's data folder instead, so that the totals
// are never lost at exit; so does any installed copy, as bin folders are for programs: root's, and a
// per-user install under ~/.local, would otherwise leave the list in /usr/bin or ~/.local/bin.
namespace ProjectListFolder {

// Tells whether the user may create files in the folder.
using WritableTest = std::function<bool(const QString &folder)>;

// The program's folder when the copy is not installed and the test says the folder can be written, else
// the user's data folder. Nothing is created here.
QString choose(const QString &programFolder, const QString &userDataFolder, bool installed,
               const WritableTest &canWriteInto);

// Whether the permissions (access lists included) let this user create files in the folder, and its
// mount is not read-only. Nothing is tried: a full disk does not make a folder count as unwritable.
bool mayWriteInto(const QString &folder);

// When the list goes to the user's data folder and that folder has none yet, but a projlist.dat lies
// beside the program (the user's own, from before the folder became read-only), it is copied over, so
// that its names and totals are not left behind. The file beside the program stays as it is.
void takeOverListBesideProgram(const QString &programFolder, const QString &dataFolder);

} // namespace ProjectListFolder
