#include "reports/csvreport.h"
#include "reports/spreadsheetreport.h"
#include "reports/textreport.h"
#include "support/fakespreadsheetserver.h"
#include "workbook/biffworkbookwriter.h"
#include "workbook/inprocessspreadsheetserver.h"
#include "workbook/spreadsheetworkbook.h"

#include <QtCore>
#include <QtTest>

Q_DECLARE_METATYPE(ReportSnapshot)
Q_DECLARE_METATYPE(LocalDate)
Q_DECLARE_METATYPE(ErrorInfo)
Q_DECLARE_METATYPE(ReportOutcome::Kind)

namespace {

const LocalDate april18{2006, 4, 18, 3};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A snapshot of the texts alone, "name|daily|total" for each row from row 0: the text and CSV reports use
// no seconds.
ReportSnapshot shown(const QString &userName, const QStringList &rows, const QString &dailySum)
{
    ReportSnapshot snapshot{userName, {}, {}, {}, {dailySum}};
    for (std::size_t row = 0; row < std::size_t(rows.size()); ++row) {
        const QStringList texts = rows[qsizetype(row)].split(QLatin1Char('|'));
        snapshot.names[row] = texts.value(0);
        snapshot.daily[row].text = texts.value(1);
        snapshot.total[row].text = texts.value(2);
    }
    return snapshot;
}

// A report that could not be written names its file and says why.
bool namesFileAndWhy(const ReportOutcome &outcome)
{
    const QString prefix = "Cannot write the report file " + outcome.fileName + ": ";
    return outcome.error.description.startsWith(prefix) && outcome.error.description.size() > prefix.size();
}

const ShownTime nine{" 0:00:09", 9};

// Ann's table with rows 1 and 3 named; the other rows hold times that must not show, and row 3's daily
// time is one that the window could not show.
const ReportSnapshot ann{"Ann",
                         {"", "Project 1", "", "Web site", "", "", "", ""},
                         {{nine, {" 1:02:03", 3723}, nine, {"", 5}, nine, nine, nine, nine}},
                         {{nine, {" 10:00:00", 36000}, nine, {" 0:04:00", 240}, nine, nine, nine, nine}},
                         {" 1:02:03", 3723}};

} // namespace

// The reports: their bytes against golden files, where they land, and how each says that it failed. The
// spreadsheet report written by the program's own server is read back with xlrd, an independent reader
// (python3-xlrd), through read_workbook.py; the records that strict readers insist on beyond what xlrd shows
// are read here.
class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Rows without a name leave no trace, whatever times they hold. Each row is named after its golden files.
    // clang-format off
    void matchGoldenFiles_data()
    {
        QTest::addColumn<ReportSnapshot>("snapshot");
        QTest::addColumn<LocalDate>("date");
        QTest::newRow("example") << shown("Ann", {"Project 1| 1:02:03| 10:00:00", "| 0:00:07| 0:00:07",
                                                  "Web site| 0:00:00| 0:04:00"}, " 1:02:03") << april18;
        QTest::newRow("no_rows") << shown("Ann", {}, " 0:00:00") << LocalDate{2006, 1, 1, 1};
        // A name of blanks takes part; so does a box that shows its creation text. Names go in unchanged.
        const char *unnamed = "| 9:09:09| 99:09:09";
        QTest::newRow("awkward")
            << shown("Smith, Ann", {"Alpha| 0:10:00| 2:00:00", unnamed, " | 0:00:01| 0:00:01",
                                    "Say \"hi\", world| 0:01:00| 0:02:00", "Web site|0:00:00|0:00:00",
                                    unnamed, "a,b| 0:03:00| 123:45:06", unnamed}, " 0:30:30") << april18;
        QTest::newRow("utf8") << shown("Zoë", {"", "", "", "Café €| 0:00:05| 0:00:06"}, " 0:00:05")
            << LocalDate{2005, 12, 31, 7};
    }
    // clang-format on
    void matchGoldenFiles()
    {
        QFETCH(ReportSnapshot, snapshot);
        QFETCH(LocalDate, date);
        const QString golden = QStringLiteral(TALLYWICK_TEST_DATA "/reports/") + QTest::currentDataTag();
        QCOMPARE(textReportBytes(snapshot, date).split('\n'), readFile(golden + ".txt").split('\n'));
        QCOMPARE(csvReportBytes(snapshot, date).split('\n'), readFile(golden + ".csv").split('\n'));
    }

    // A "/" in the user's name names a subfolder. A report that cannot be written names its file in the
    // error; one without a user's name is not written at all.
    void fileReportLandsOrSaysWhy()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("team")));
        ReportSnapshot snapshot = shown("team/Ann", {"Web site| 0:00:01| 0:00:02"}, " 0:00:01");
        ReportOutcome outcome = GenerateCsvReport(snapshot, april18, folder.path());
        QCOMPARE(outcome.kind, ReportOutcome::Kind::Written);
        QCOMPARE(outcome.fileName, folder.filePath(QStringLiteral("team/Ann_04-18-2006.csv")));
        QCOMPARE(readFile(outcome.fileName), csvReportBytes(snapshot, april18));

        outcome = GenerateTextReport(snapshot, april18, folder.filePath(QStringLiteral("missing")));
        QCOMPARE(outcome.fileName, folder.filePath(QStringLiteral("missing/team/Ann_04-18-2006.txt")));
        QCOMPARE(outcome.error.number, int(ErrorNumber::PathNotFound));
        QVERIFY2(namesFileAndWhy(outcome), qPrintable(outcome.error.description));

        snapshot.userName.clear();
        FakeSpreadsheetServer server;
        QCOMPARE(QList({GenerateTextReport(snapshot, april18, folder.path()).kind,
                        GenerateSpreadsheetReport(snapshot, april18, folder.path(), server).kind}),
                 QList<ReportOutcome::Kind>(2, ReportOutcome::Kind::MissingName));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList("team"));
    }

    // clang-format off
    void spreadsheetStopsAtTheFailingCall_data()
    {
        QTest::addColumn<QString>("failingCall");
        QTest::addColumn<ErrorInfo>("failure");
        QTest::addColumn<ReportOutcome::Kind>("kind");
        QTest::addColumn<ErrorInfo>("error");
        const ErrorInfo application{1004, "Fake", "Cannot access the file"};
        const ErrorInfo other{76, "Fake", "Path not found"};
        // Every error in a box names the report file.
        const auto named = [](const ErrorInfo &e) {
            return ErrorInfo{e.number, e.source,
                             "Cannot write the report file /docs/Ann_04-18-2006.xls: " + e.description};
        };
        using K = ReportOutcome::Kind;
        QTest::newRow("create") << "create" << ErrorInfo() << K::Failed
            << named({429, "Tallywick", "Cannot start the spreadsheet server"});
        QTest::newRow("Visible, 1004") << "Visible=false" << application << K::FailedSilently << application;
        QTest::newRow("SaveAs, 1004") << "ActiveWorkbook.SaveAs(/docs/Ann_04-18-2006.xls)" << application
            << K::FailedSilently << application;
        QTest::newRow("Quit, 76") << "Quit" << other << K::Failed << named(other);
    }
    // clang-format on
    // Nothing is called after the failing call, no save, no close, no quit; the object is only released.
    void spreadsheetStopsAtTheFailingCall()
    {
        QFETCH(QString, failingCall);
        QFETCH(ErrorInfo, failure);
        QFETCH(ErrorInfo, error);
        FakeSpreadsheetServer succeeding;
        QCOMPARE(GenerateSpreadsheetReport(ann, april18, "/docs", succeeding).kind,
                 ReportOutcome::Kind::Written);
        FakeSpreadsheetServer server;
        server.failAt = int(succeeding.calls.indexOf(failingCall));
        QVERIFY(server.failAt >= 0);
        server.failure = failure;

        const ReportOutcome outcome = GenerateSpreadsheetReport(ann, april18, "/docs", server);

        QTEST(outcome.kind, "kind");
        QCOMPARE(outcome.error.number, error.number);
        QCOMPARE(outcome.error.source, error.source);
        QCOMPARE(outcome.error.description, error.description);
        QCOMPARE(server.calls, succeeding.calls.mid(0, server.failAt + 1) +
                                   (server.failAt > 0 ? QStringList("release") : QStringList()));
    }

    // A save that fails names the file and leaves nothing behind (a name longer than a cell takes is one, as
    // a damaged project list can bring it in); one that succeeds is read back cell by cell.
    void savesWhatAReaderReadsBackOrNothing()
    {
        QTemporaryDir folder;
        InProcessSpreadsheetServer server;
        ReportSnapshot tooLong = ann;
        tooLong.names[1] = QString(32768, 'x');
        ReportOutcome outcome = GenerateSpreadsheetReport(tooLong, april18, folder.path(), server);
        QCOMPARE(outcome.error.number, int(ErrorNumber::InvalidArgument));
        QVERIFY2(namesFileAndWhy(outcome), qPrintable(outcome.error.description));
        outcome = GenerateSpreadsheetReport(ann, april18, folder.filePath(QStringLiteral("missing")), server);
        QCOMPARE(outcome.error.number, int(ErrorNumber::PathNotFound));
        QVERIFY(QDir(folder.path()).isEmpty());

        outcome = GenerateSpreadsheetReport(ann, april18, folder.path(), server);
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
            cells << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(cell["address"].toString(), cell["type"].toString(),
                              cell["type"] == "date"
                                  ? QString::number(cell["value"].toDouble() * 86400, 'f', 3)
                                  : cell["value"].toString(),
                              cell["format"].toString(), QString::number(cell["weight"].toInt()));
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
        QList<quint16> ids; // of the stream's records
        QByteArrayList bodies;
        for (qsizetype at = 0; at + 4 <= stream.size(); at += 4 + bodies.last().size()) {
            ids << qFromLittleEndian<quint16>(stream.constData() + at);
            bodies << stream.mid(at + 4, qFromLittleEndian<quint16>(stream.constData() + at + 2));
        }
        const qsizetype sst = ids.indexOf(0x00FC);
        QCOMPARE(ids.mid(sst, 3), QList<quint16>({0x00FC, 0x003C, 0x00FF})); // SST, CONTINUE, EXTSST
        const QByteArray first = bodies.value(sst);
        const QByteArray rest = bodies.value(sst + 1);
        QVERIFY(first.size() <= 8224);
        QCOMPARE(qFromLittleEndian<quint16>(first.constData() + 8), quint16(6000));
        QCOMPARE(first.at(10), '\x01');
        QCOMPARE(rest.at(0), '\x01');
        const QByteArray characters = first.mid(11) + rest.mid(1);
        QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t *>(characters.constData()),
                                    characters.size() / 2),
                 longText);
        // Too large for the container's mini stream, it goes into the document's own sectors.
        const QByteArray document = BiffWorkbookWriter::compoundDocument(stream).value_or(QByteArray());
        QVERIFY(document.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")) && document.contains(stream));
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
