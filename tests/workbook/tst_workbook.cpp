#include "core/calendartext.h"
#include "reports/spreadsheetreport.h"
#include "workbook/biffworkbookwriter.h"
#include "workbook/inprocessspreadsheetserver.h"
#include "workbook/spreadsheetworkbook.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtEndian>
#include <QtTest>

// The spreadsheet report written by the program's own server: read back with xlrd, an independent reader
// (python3-xlrd), through read_workbook.py; its failures; and the records that strict readers insist on
// beyond what xlrd shows.
class TestWorkbook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readerReadsEveryCellBack();
    void failureNamesTheFile_data();
    void failureNamesTheFile();
    void longTextGoesOnInContinueRecords();
};

namespace {

const LocalDate april18{2006, 4, 18, 3};
const ShownTime nine{" 0:00:09", 9};

// Ann's table with rows 1 and 3 named; the other rows hold times that must not show, and row 3's daily
// time is one that the window could not show.
const ReportSnapshot ann{"Ann",
                         {"", "Project 1", "", "Web site", "", "", "", ""},
                         {{nine, {" 1:02:03", 3723}, nine, {"", 5}, nine, nine, nine, nine}},
                         {{nine, {" 10:00:00", 36000}, nine, {" 0:04:00", 240}, nine, nine, nine, nine}},
                         {" 1:02:03", 3723}};

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

// The records (id and body) of a BIFF stream.
QList<QPair<quint16, QByteArray>> records(const QByteArray &stream)
{
    QList<QPair<quint16, QByteArray>> result;
    for (qsizetype at = 0; at + 4 <= stream.size();) {
        const quint16 size = qFromLittleEndian<quint16>(stream.constData() + at + 2);
        result.append({qFromLittleEndian<quint16>(stream.constData() + at), stream.mid(at + 4, size)});
        at += 4 + size;
    }
    return result;
}

} // namespace

void TestWorkbook::readerReadsEveryCellBack()
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
                          duration("C5", 36000), text("A7", "Web site"), duration("C7", 240),
                          text("A13", "Total time:", true), duration("B13", 3723)}));
}

void TestWorkbook::failureNamesTheFile_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<QString>("projectName");
    QTest::addColumn<int>("number");

    QTest::newRow("missing folder") << "missing"
                                    << "Web site" << int(ErrorNumber::PathNotFound);
    // A name that a damaged project list can bring in.
    QTest::newRow("name longer than a cell takes")
        << "" << QString(32768, 'x') << int(ErrorNumber::InvalidArgument);
}

void TestWorkbook::failureNamesTheFile()
{
    QFETCH(QString, subfolder);
    QFETCH(QString, projectName);
    QTemporaryDir folder;
    const QString reportFolder = subfolder.isEmpty() ? folder.path() : folder.filePath(subfolder);
    ReportSnapshot snapshot = ann;
    snapshot.names[1] = projectName;
    InProcessSpreadsheetServer server;

    const ReportOutcome outcome = GenerateSpreadsheetReport(snapshot, april18, reportFolder, server);

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
    QTEST(outcome.error.number, "number");
    QCOMPARE(outcome.error.source, QStringLiteral("Tallywick"));
    const QString prefix = "Cannot write the report file " + reportFolder + "/Ann_04-18-2006.xls: ";
    QVERIFY2(outcome.error.description.startsWith(prefix) && outcome.error.description.size() > prefix.size(),
             qPrintable(outcome.error.description));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// The shared string table (SST) holds the string's length and UTF-16 flag, then characters up to the
// record's limit; the CONTINUE record repeats the flag before the rest.
void TestWorkbook::longTextGoesOnInContinueRecords()
{
    const QString longText = QString(QChar(0x0416)).repeated(6000);
    SpreadsheetWorkbook workbook;
    workbook.cells[{1, 1}].value = {longText, std::nullopt};
    const QByteArray stream = BiffWorkbookWriter::workbookStream(workbook);
    const auto all = records(stream);
    const qsizetype sst =
        std::find_if(all.begin(), all.end(), [](const auto &r) { return r.first == 0x00FC; }) - all.begin();
    QCOMPARE(all.value(sst + 1).first, quint16(0x003C));
    QCOMPARE(all.value(sst + 2).first, quint16(0x00FF)); // EXTSST
    const QByteArray first = all.at(sst).second;
    const QByteArray rest = all.at(sst + 1).second;
    QVERIFY(first.size() <= 8224);
    QCOMPARE(qFromLittleEndian<quint16>(first.constData() + 8), quint16(6000));
    QCOMPARE(first.at(10), '\x01');
    QCOMPARE(rest.at(0), '\x01');
    const QByteArray characters = first.mid(11) + rest.mid(1);
    QCOMPARE(
        QString::fromUtf16(reinterpret_cast<const char16_t *>(characters.constData()), characters.size() / 2),
        longText);
    // Too large for the container's mini stream, it goes into the document's own sectors.
    QVERIFY(stream.size() >= 4096);
    const QByteArray document = BiffWorkbookWriter::compoundDocument(stream).value_or(QByteArray());
    QVERIFY(document.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")) && document.contains(stream));
}

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"
