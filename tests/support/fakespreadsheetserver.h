#pragma once

#include "reports/spreadsheetautomation.h"

#include <QStringList>

// A spreadsheet server that records every call as a line of text ("create", "Range(A1).Select", ...) and
// fails the call numbered failAt (0 is create) with failure; every call after a failure is recorded too.
// A failed create returns no application.
class FakeSpreadsheetServer : public SpreadsheetServer
{
public:
    QStringList calls;
    int failAt = -1;
    ErrorInfo failure{438, QStringLiteral("Fake"),
                      QStringLiteral("Object doesn't support this property or method")};

    std::unique_ptr<SpreadsheetApplication> create() override;

    // Records a call; the failure if this is the call to fail.
    AutomationResult record(const QString &call)
    {
        calls.append(call);
        return calls.size() - 1 == failAt ? AutomationResult(failure) : std::nullopt;
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
    AutomationResult selectCell(CellAddress cell) override
    {
        return m_server.record(QStringLiteral("Range(%1%2).Select").arg(letter(cell.column)).arg(cell.row));
    }
    // A time shows its seconds after the text: "[ 1:02:03] 3723 s".
    AutomationResult setActiveCellFormulaR1C1(const CellValue &value) override
    {
        const QString seconds = value.seconds ? QStringLiteral(" %1 s").arg(*value.seconds) : QString();
        return m_server.record(QStringLiteral("ActiveCell.FormulaR1C1=[%1]%2").arg(value.text, seconds));
    }
    AutomationResult setColumnWidth(int column, qint16 width) override
    {
        return m_server.record(
            QStringLiteral("Columns(%1:%1).ColumnWidth=%2").arg(letter(column)).arg(width));
    }
    AutomationResult setSelectionBold() override { return m_server.record("Selection.Font.FontStyle=Bold"); }
    AutomationResult saveActiveWorkbookAs(const QString &fileName) override
    {
        return m_server.record(QStringLiteral("ActiveWorkbook.SaveAs(%1)").arg(fileName));
    }
    AutomationResult closeActiveWorkbook() override { return m_server.record("ActiveWorkbook.Close(false)"); }
    AutomationResult quit() override { return m_server.record(QStringLiteral("Quit")); }

private:
    static QChar letter(int column) { return QChar(u'A' + column - 1); }

    FakeSpreadsheetServer &m_server;
};

inline std::unique_ptr<SpreadsheetApplication> FakeSpreadsheetServer::create()
{
    return record(QStringLiteral("create")) ? nullptr : std::make_unique<FakeSpreadsheetApplication>(*this);
}
