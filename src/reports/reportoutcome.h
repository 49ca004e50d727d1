#pragma once

#include "core/errorinfo.h"

#include <QString>

// How a report operation ended; the window turns it into the message box the user sees.
struct ReportOutcome
{
    enum class Kind {
        MissingName,    // the user's name is empty: nothing was written
        Written,        // fileName holds the report
        Failed,         // error says why; nothing reports success
        FailedSilently, // the spreadsheet server's own message already told the user (error 1004)
    };

    Kind kind = Kind::Failed;
    QString fileName;
    ErrorInfo error;
};
