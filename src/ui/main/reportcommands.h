#pragma once

#include "platform/platformservices.h"
#include "reports/reportsnapshot.h"

#include <QString>

class SessionModel;
struct ReportOutcome;

// File, Generate report: writes what the window shows as a text, CSV or spreadsheet report into the
// report folder, and tells the user how it went in a message box.
class ReportCommands
{
public:
    ReportCommands(const SessionModel &model, const PlatformServices &services);

    // ReportFolder: the user's documents folder, or the program's folder when there is none.
    void chooseFolder();

    void mnuText_Click();
    void mnuCSV_Click();
    void mnuExcel_Click();

private:
    // Each time's text as its box shows it, with the whole seconds that the text stands for.
    ReportSnapshot snapshot() const;
    void showOutcome(const ReportOutcome &outcome);

    const SessionModel &m_model;
    PlatformServices m_services;
    QString m_folder;
};
