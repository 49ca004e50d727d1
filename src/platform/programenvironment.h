#pragma once

#include <QString>

// The program's version: major, minor and revision.
struct VersionNumber
{
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// Where the program lives, where the user keeps documents, and which version it is.
class ProgramEnvironment
{
public:
    virtual ~ProgramEnvironment();

    // The folder that holds the program file, without a trailing separator.
    virtual QString programFolder() const = 0;

    // The folder that holds projlist.dat.
    virtual QString dataFolder() const = 0;

    // The folder of the files that an install puts beside the program's data (readme.txt), or an empty
    // text when there is none.
    virtual QString installDataFolder() const { return QString(); }

    // The user's documents folder when it exists, else an empty text.
    virtual QString documentsFolder() const = 0;

    virtual VersionNumber version() const = 0;
};
