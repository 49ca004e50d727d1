#pragma once

#include "platform/programenvironment.h"

// Folders that a test chose (usually temporary ones) and a version it can change. The project list lies
// in the program's folder.
class FakeEnvironment : public ProgramEnvironment
{
public:
    QString program;
    QString install;
    QString documents;
    VersionNumber versionNumber{1, 3, 1};

    QString programFolder() const override { return program; }
    QString dataFolder() const override { return program; }
    QString installDataFolder() const override { return install; }
    QString documentsFolder() const override { return documents; }
    VersionNumber version() const override { return versionNumber; }
};
