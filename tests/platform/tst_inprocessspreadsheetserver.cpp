#include "core/calendartext.h"
#include "platform/inprocessspreadsheetserver.h"
#include "reports/spreadsheetreport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

// Writes the spreadsheet report with the in-process server and reads the file back with xlrd, an
// independent reader (python3-xlrd), through read_workbook.py.
class TestInProcessSpreadsheetServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readerReadsEveryCellBack();
    void missingFolderFailsWithAnErrorBox();
};

namespace {

const LocalDate april18{2006, 4, 18, 3};

// Ann's table with rows 1 and 3 named; the other rows hold times that must not show.
const ReportSnapshot ann{
    "Ann",
    {"", "Project 1", "", "Web site", "", "", "", ""},
    {" 0:00:09", " 1:02:03", " 0:00:09", " 0:00:00", " 0:00:09", " 0:00:09", " 0:00:09", " 0:00:09"},
    {" 0:00:09", " 10:00:00", " 0:00:09", " 0:04:00", " 0:00:09", " 0:00:09", " 0:00:09", " 0:00:09"},
    " 1:02:03"};

QString cell(const QString &address, const QString &type, const QJsonValue &value, const QString &format,
             bool bold)
{
    const QJsonObject object{{"address", address},
                             {"type", type},
                             {"value", value},
                             {"format", format},
                             {"weight", bold ? 700 : 400}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString text(const QString &address, const QString &value, bool bold = false)
{
    return cell(address, "text", value, "General", bold);
}

// A duration is a number of days shown as [h]:mm:ss, which the reader reports as a date.
QString duration(const QString &address, double seconds)
{
    return cell(address, "date", seconds / 86400.0, "[h]:mm:ss", false);
}

} // namespace

void TestInProcessSpreadsheetServer::readerReadsEveryCellBack()
{
    QTemporaryDir folder;
    InProcessSpreadsheetServer server;
    const ReportOutcome outcome = GenerateSpreadsheetReport(ann, april18, folder.path(), server);
    QCOMPARE(outcome.kind, ReportOutcome::Kind::Written);
    QCOMPARE(outcome.fileName, folder.filePath("Ann_04-18-2006.xls"));

    QProcess reader;
    reader.start("/usr/bin/python3", // the system's Python, for which python3-xlrd is packaged
                 {TALLYWICK_READ_WORKBOOK_SCRIPT, outcome.fileName});
    QVERIFY(reader.waitForFinished(60000));
    QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
    const QJsonObject book = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    QCOMPARE(book.value("log").toString(), QString());
    QCOMPARE(book.value("biffVersion").toInt(), 80);
    QCOMPARE(book.value("sheets").toArray(), QJsonArray({"Sheet1"}));
    QCOMPARE(book.value("widths").toObject(), QJsonObject({{"A", 25.0}, {"B", 10.0}, {"C", 10.0}}));
    // Row by row, left to right: only the rows named fill their sheet rows, nothing else is filled.
    QStringList cells;
    for (const QJsonValue &cell : book.value("cells").toArray())
        cells << QString::fromUtf8(QJsonDocument(cell.toObject()).toJson(QJsonDocument::Compact));
    QCOMPARE(cells,
             QStringList({text("A1", "Ann"), text("B1", "Tuesday, April 18, 2006"),
                          text("A3", "Project name", true), text("B3", "Daily time", true),
                          text("C3", "Total time", true), text("A5", "Project 1"), duration("B5", 3723),
                          duration("C5", 36000), text("A7", "Web site"), duration("B7", 0),
                          duration("C7", 240), text("A13", "Total time:", true), duration("B13", 3723)}));
}

void TestInProcessSpreadsheetServer::missingFolderFailsWithAnErrorBox()
{
    QTemporaryDir folder;
    InProcessSpreadsheetServer server;
    const QString missing = folder.filePath("missing");
    const ReportOutcome outcome = GenerateSpreadsheetReport(ann, april18, missing, server);

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
    QCOMPARE(outcome.error.number, ErrorNumber::PathNotFound);
    QCOMPARE(outcome.error.source, programErrorSource());
    QVERIFY(!QFileInfo::exists(missing));
}

QTEST_GUILESS_MAIN(TestInProcessSpreadsheetServer)
#include "tst_inprocessspreadsheetserver.moc"
