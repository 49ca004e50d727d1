#pragma once

#include "reports/spreadsheetautomation.h"

#include <QStringList>

// A spreadsheet server that records every call as a line of text ("create", "Range(A1).Select", ...) and
// fails the call numbered failAt (0 is create) with failure; every call after a failure is recorded too.
class FakeSpreadsheetServer : public SpreadsheetServer
{
public:
    QStringList calls;
    int failAt = -1;
    ErrorInfo failure{438, QStringLiteral("Fake"),
                      QStringLiteral("Object doesn't support this property or method")};

    std::unique_ptr<SpreadsheetApplication> create(ErrorInfo *error) override;

    // Records a call; the failure if this is the call to fail.
    AutomationResult record(const QString &call)
    {
        calls.append(call);
        if (calls.size() - 1 == failAt)
            return failure;
        return std::nullopt;
    }
};

class FakeSpreadsheetApplication : public SpreadsheetApplication
{
public:
    explicit FakeSpreadsheetApplication(FakeSpreadsheetServer &server) : m_server(server) {}
    ~FakeSpreadsheetApplication() override { m_server.calls.append(QStringLiteral("release")); }

    AutomationResult setVisible(bool visible) override
    {
        return m_server.record(QStringLiteral("Visible=%1").arg(visible ? "true" : "false"));
    }
    AutomationResult addWorkbook() override { return m_server.record(QStringLiteral("Workbooks.Add")); }
    AutomationResult selectRange(const QString &address) override
    {
        return m_server.record(QStringLiteral("Range(%1).Select").arg(address));
    }
    AutomationResult setActiveCellFormulaR1C1(const QString &text) override
    {
        return m_server.record(QStringLiteral("ActiveCell.FormulaR1C1=[%1]").arg(text));
    }
    AutomationResult setColumnWidth(const QString &columnAddress, qint16 width) override
    {
        return m_server.record(QStringLiteral("Columns(%1).ColumnWidth=%2").arg(columnAddress).arg(width));
    }
    AutomationResult setSelectionFontStyle(const QString &style) override
    {
        return m_server.record(QStringLiteral("Selection.Font.FontStyle=%1").arg(style));
    }
    AutomationResult saveActiveWorkbookAs(const SpreadsheetSaveAsArguments &a) override
    {
        return m_server.record(QStringLiteral("ActiveWorkbook.SaveAs(%1,%2,[%3],[%4],%5,%6,%7)")
                                   .arg(a.fileName)
                                   .arg(a.fileFormat)
                                   .arg(a.password, a.writeResPassword)
                                   .arg(a.readOnlyRecommended ? "true" : "false")
                                   .arg(a.createBackup ? "true" : "false")
                                   .arg(a.accessMode));
    }
    AutomationResult closeActiveWorkbook(bool saveChanges) override
    {
        return m_server.record(
            QStringLiteral("ActiveWorkbook.Close(%1)").arg(saveChanges ? "true" : "false"));
    }
    AutomationResult quit() override { return m_server.record(QStringLiteral("Quit")); }

private:
    FakeSpreadsheetServer &m_server;
};

inline std::unique_ptr<SpreadsheetApplication> FakeSpreadsheetServer::create(ErrorInfo *error)
{
    if (record(QStringLiteral("create"))) {
        *error = failure;
        return nullptr;
    }
    return std::make_unique<FakeSpreadsheetApplication>(*this);
}
