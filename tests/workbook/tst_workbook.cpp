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

// The spreadsheet report written by the program's own server: read back with xlrd, an independent reader
// (python3-xlrd), through read_workbook.py; its failures; and the records that strict readers insist on
// beyond what xlrd shows.
class TestWorkbook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A save that fails names the file and leaves nothing behind (a name longer than a cell takes is one, as
    // a damaged project list can bring it in); one that succeeds is read back cell by cell.
    void savesWhatAReaderReadsBackOrNothing()
    {
        QTemporaryDir folder;
        InProcessSpreadsheetServer server;
        ReportSnapshot tooLong = ann;
        tooLong.names[1] = QString(32768, 'x');
        ReportOutcome outcome = GenerateSpreadsheetReport(tooLong, april18, folder.path(), server);
        QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
        QCOMPARE(outcome.error.number, int(ErrorNumber::InvalidArgument));
        const QString prefix = "Cannot write the report file " + folder.path() + "/Ann_04-18-2006.xls: ";
        QVERIFY2(outcome.error.description.startsWith(prefix) &&
                     outcome.error.description.size() > prefix.size(),
                 qPrintable(outcome.error.description));
        outcome = GenerateSpreadsheetReport(ann, april18, folder.filePath(QStringLiteral("missing")), server);
        QCOMPARE(outcome.error.number, int(ErrorNumber::PathNotFound));
        QVERIFY(QDir(folder.path()).isEmpty());

        outcome = GenerateSpreadsheetReport(ann, april18, folder.path(), server);
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
        // Row by row, left to right: only the rows named fill their sheet rows, nothing else is filled. A
        // duration is a number of days shown as [h]:mm:ss, which the reader reports as a date.
        QStringList cells;
        for (const QJsonValue &value : book.value("cells").toArray()) {
            const QJsonObject cell = value.toObject();
            const bool date = cell["type"] == "date";
            cells << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(cell["address"].toString(), cell["type"].toString(),
                              date ? QString::number(cell["value"].toDouble() * 86400, 'f', 3)
                                   : cell["value"].toString(),
                              cell["format"].toString())
                         .arg(cell["weight"].toInt());
        }
        QCOMPARE(cells, QStringList({"A1 text Ann General 400", "B1 text Tuesday, April 18, 2006 General 400",
                                     "A3 text Project name General 700", "B3 text Daily time General 700",
                                     "C3 text Total time General 700", "A5 text Project 1 General 400",
                                     "B5 date 3723.000 [h]:mm:ss 400", "C5 date 36000.000 [h]:mm:ss 400",
                                     "A7 text Web site General 400", "C7 date 240.000 [h]:mm:ss 400",
                                     "A13 text Total time: General 700", "B13 date 3723.000 [h]:mm:ss 400"}));
    }

    // The shared string table (SST) holds the string's length and UTF-16 flag, then characters up to the
    // record's limit; the CONTINUE record repeats the flag before the rest.
    void longTextGoesOnInContinueRecords()
    {
        const QString longText = QString(QChar(0x0416)).repeated(6000);
        SpreadsheetWorkbook workbook;
        workbook.cells[{1, 1}].value = {longText, std::nullopt};
        const QByteArray stream = BiffWorkbookWriter::workbookStream(workbook);
        const auto all = records(stream);
        const qsizetype sst =
            std::find_if(all.begin(), all.end(), [](const auto &r) { return r.first == 0x00FC; }) -
            all.begin();
        QCOMPARE(all.value(sst + 1).first, quint16(0x003C));
        QCOMPARE(all.value(sst + 2).first, quint16(0x00FF)); // EXTSST
        const QByteArray first = all.at(sst).second;
        const QByteArray rest = all.at(sst + 1).second;
        QVERIFY(first.size() <= 8224);
        QCOMPARE(qFromLittleEndian<quint16>(first.constData() + 8), quint16(6000));
        QCOMPARE(first.at(10), '\x01');
        QCOMPARE(rest.at(0), '\x01');
        const QByteArray characters = first.mid(11) + rest.mid(1);
        QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t *>(characters.constData()),
                                    characters.size() / 2),
                 longText);
        // Too large for the container's mini stream, it goes into the document's own sectors.
        QVERIFY(stream.size() >= 4096);
        const QByteArray document = BiffWorkbookWriter::compoundDocument(stream).value_or(QByteArray());
        QVERIFY(document.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")) && document.contains(stream));
    }
};

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"
