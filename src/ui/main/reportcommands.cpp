#include "reportcommands.h"

#include "core/sessionmodel.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "platform/programenvironment.h"
#include "reports/csvreport.h"
#include "reports/reportoutcome.h"
#include "reports/spreadsheetreport.h"
#include "reports/textreport.h"

ReportCommands::ReportCommands(const SessionModel &model, const PlatformServices &services)
    : m_model(model), m_services(services)
{}

void ReportCommands::chooseFolder()
{
    const QString documents = m_services.environment->documentsFolder();
    m_folder = documents.isEmpty() ? m_services.environment->programFolder() : documents;
}

void ReportCommands::mnuText_Click()
{
    showOutcome(GenerateTextReport(snapshot(), m_services.clock->today(), m_folder));
}

void ReportCommands::mnuCSV_Click()
{
    showOutcome(GenerateCsvReport(snapshot(), m_services.clock->today(), m_folder));
}

void ReportCommands::mnuExcel_Click()
{
    showOutcome(GenerateSpreadsheetReport(snapshot(), m_services.clock->today(), m_folder,
                                          *m_services.spreadsheetServer));
}

ReportSnapshot ReportCommands::snapshot() const
{
    ReportSnapshot snapshot;
    snapshot.userName = m_model.userName();
    for (int row = 0; row < RowCount; ++row) {
        const auto index = std::size_t(row);
        snapshot.names[index] = m_model.projectName(row);
        snapshot.daily[index] = m_model.shown(SessionModel::TimeColumn::Daily, row);
        snapshot.total[index] = m_model.shown(SessionModel::TimeColumn::Total, row);
    }
    snapshot.dailySum = m_model.shownDailySum();
    return snapshot;
}

void ReportCommands::showOutcome(const ReportOutcome &outcome)
{
    const QString title = QStringLiteral("Generate report");
    switch (outcome.kind) {
    case ReportOutcome::Kind::MissingName:
        m_services.messageBoxes->show(MessageBoxStyle::Exclamation, title,
                                      QStringLiteral("Please enter your name"));
        break;
    case ReportOutcome::Kind::Written:
        m_services.messageBoxes->show(MessageBoxStyle::Exclamation, title,
                                      QLatin1String("Report generated to\r\n") + outcome.fileName);
        break;
    case ReportOutcome::Kind::Failed:
        m_services.messageBoxes->showError(QStringLiteral("Error generating report"), outcome.error);
        break;
    case ReportOutcome::Kind::FailedSilently:
        break;
    }
}
