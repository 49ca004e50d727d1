#pragma once

#include "programenvironment.h"

// The running program's folder, Qt's documents location and the version CMake built in.
class SystemEnvironment : public ProgramEnvironment
{
public:
    QString programFolder() const override;
    QString dataFolder() const override;
    QString documentsFolder() const override;
    VersionNumber version() const override;
};
