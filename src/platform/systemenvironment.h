#pragma once

#include "programenvironment.h"

// The running program's folder, Qt's documents location and the version CMake built in. Where projlist.dat
// lives is decided once, when the environment is made at start-up: beside a program that is not installed
// while its folder may be written, else in the user's data folder ($XDG_DATA_HOME/tallywick), which is
// then created and given a copy of a list found beside the program if it has none.
class SystemEnvironment : public ProgramEnvironment
{
public:
    SystemEnvironment();

    QString programFolder() const override;
    QString dataFolder() const override;
    QString installDataFolder() const override;
    QString documentsFolder() const override;
    VersionNumber version() const override;

    // $XDG_DATA_HOME/tallywick, normally ~/.local/share/tallywick.
    static QString userDataFolder();

    // True for a copy that was installed: its help text lies in the install's data folder.
    bool isInstalled() const;

private:
    QString m_dataFolder;
};
