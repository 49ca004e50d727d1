#include "inprocessspreadsheetserver.h"

#include "platform/inprocessspreadsheetapplication.h"

std::unique_ptr<SpreadsheetApplication> InProcessSpreadsheetServer::create(ErrorInfo * /*error*/)
{
    return std::make_unique<InProcessSpreadsheetApplication>();
}
