#include "xlrdreader.h"

#include "core/calendartext.h"
#include "platform/inprocessspreadsheetserver.h"
#include "reports/spreadsheetreport.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const LocalDate april18{2006, 4, 18, 3};

// A cell as the reader reports it: its type ("text" or "date" for a duration), its value and its font weight.
struct ExpectedCell
{
    QString address;
    QString type;
    QVariant value;
    bool bold = false;
};

ExpectedCell text(const QString &address, const QString &value, bool bold = false)
{
    return {address, QStringLiteral("text"), value, bold};
}

ExpectedCell duration(const QString &address, double seconds)
{
    return {address, QStringLiteral("date"), seconds / 86400.0, false};
}

// The cells that every report fills, for Ann on 18 April 2006 with the daily sum " 1:02:03".
QList<ExpectedCell> frameCells()
{
    return {text("A1", "Ann"),
            text("B1", "Tuesday, April 18, 2006"),
            text("A3", "Project name", true),
            text("B3", "Daily time", true),
            text("C3", "Total time", true),
            text("A13", "Total time:", true),
            duration("B13", 3723)};
}

// The frame with the project rows' cells between the headings and the total.
QList<ExpectedCell> frameWith(const QList<ExpectedCell> &rows)
{
    QList<ExpectedCell> cells = frameCells();
    for (int i = 0; i < rows.size(); ++i)
        cells.insert(5 + i, rows.at(i));
    return cells;
}

ReportSnapshot emptySnapshot()
{
    ReportSnapshot snapshot;
    snapshot.userName = QStringLiteral("Ann");
    snapshot.dailyTexts.fill(QStringLiteral(" 0:00:00"));
    snapshot.totalTexts.fill(QStringLiteral(" 0:00:00"));
    snapshot.dailySumText = QStringLiteral(" 1:02:03");
    return snapshot;
}

} // namespace

class TestInProcessSpreadsheetServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void onlyNamedRowsFillTheirSheetRows();
    void noNamedRowFillsOnlyTheFrame();
    void textsStayTextsAndTimesBecomeDurations();
    void existingReportIsReplaced();
    void saveIntoMissingFolderShowsTheErrorBox();
    void saveIntoAFileInsteadOfAFolderShowsTheErrorBox();

private:
    // Writes the report into the temporary folder and returns what the reader found in it.
    QJsonObject writeAndRead(const ReportSnapshot &snapshot);
    void compareCells(const QJsonObject &workbook, const QList<ExpectedCell> &expected);

    QTemporaryDir m_folder;
};

void TestInProcessSpreadsheetServer::initTestCase()
{
    QVERIFY2(!XlrdReader::interpreter().isEmpty(),
             "python3 with xlrd (python3-xlrd) is needed to read the file");
    QVERIFY(m_folder.isValid());
}

void TestInProcessSpreadsheetServer::init()
{
    QFile::remove(m_folder.filePath(QStringLiteral("Ann_04-18-2006.xls")));
}

QJsonObject TestInProcessSpreadsheetServer::writeAndRead(const ReportSnapshot &snapshot)
{
    InProcessSpreadsheetServer server;
    const ReportOutcome outcome = GenerateSpreadsheetReport(snapshot, april18, m_folder.path(), server);
    if (outcome.kind != ReportOutcome::Kind::Written)
        return {{QStringLiteral("failure"), outcome.error.description}};
    if (outcome.fileName != m_folder.filePath(QStringLiteral("Ann_04-18-2006.xls")))
        return {{QStringLiteral("failure"), QStringLiteral("written to ") + outcome.fileName}};
    return XlrdReader::read(outcome.fileName);
}

void TestInProcessSpreadsheetServer::compareCells(const QJsonObject &workbook,
                                                  const QList<ExpectedCell> &expected)
{
    QVERIFY2(!workbook.contains("failure"), qPrintable(workbook.value("failure").toString()));
    QCOMPARE(workbook.value("biffVersion").toInt(), 80);
    QCOMPARE(workbook.value("sheets").toArray(), QJsonArray({"Sheet1"}));
    QCOMPARE(workbook.value("log").toString(), QString());

    const QJsonObject widths = workbook.value("widths").toObject();
    QCOMPARE(widths, QJsonObject({{"A", 25.0}, {"B", 10.0}, {"C", 10.0}}));

    // The reader lists the filled cells row by row, left to right; nothing else may be there.
    QStringList actualAddresses;
    for (const QJsonValue &cell : workbook.value("cells").toArray())
        actualAddresses << cell.toObject().value("address").toString();
    QStringList expectedAddresses;
    for (const ExpectedCell &cell : expected)
        expectedAddresses << cell.address;
    QCOMPARE(actualAddresses, expectedAddresses);

    const QJsonArray cells = workbook.value("cells").toArray();
    for (int i = 0; i < expected.size(); ++i) {
        const QJsonObject cell = cells.at(i).toObject();
        const ExpectedCell &want = expected.at(i);
        const QByteArray where = want.address.toUtf8();
        QVERIFY2(cell.value("type").toString() == want.type, where.constData());
        if (want.type == QLatin1String("text")) {
            QVERIFY2(cell.value("value").toString() == want.value.toString(), where.constData());
            QVERIFY2(cell.value("format").toString() == QLatin1String("General"), where.constData());
        } else {
            QVERIFY2(qFuzzyCompare(1.0 + cell.value("value").toDouble(), 1.0 + want.value.toDouble()),
                     where.constData());
            QVERIFY2(cell.value("format").toString() == QLatin1String("[h]:mm:ss"), where.constData());
        }
        QVERIFY2(cell.value("weight").toInt() == (want.bold ? 700 : 400), where.constData());
    }
}

void TestInProcessSpreadsheetServer::onlyNamedRowsFillTheirSheetRows()
{
    ReportSnapshot snapshot = emptySnapshot();
    snapshot.names[1] = QStringLiteral("Project 1");
    snapshot.dailyTexts[1] = QStringLiteral(" 1:02:03");
    snapshot.totalTexts[1] = QStringLiteral(" 10:00:00");
    snapshot.names[3] = QStringLiteral("Web site");
    snapshot.totalTexts[3] = QStringLiteral(" 0:04:00");

    compareCells(writeAndRead(snapshot),
                 frameWith({text("A5", "Project 1"), duration("B5", 3723), duration("C5", 36000),
                            text("A7", "Web site"), duration("B7", 0), duration("C7", 240)}));
}

void TestInProcessSpreadsheetServer::noNamedRowFillsOnlyTheFrame()
{
    compareCells(writeAndRead(emptySnapshot()), frameCells());
}

void TestInProcessSpreadsheetServer::textsStayTextsAndTimesBecomeDurations()
{
    ReportSnapshot snapshot = emptySnapshot();
    snapshot.names = {QStringLiteral("=SUM(B4:B11)"), QStringLiteral("   "),
                      QString::fromUtf8("Проект ✓"),  QString::fromUtf8("Café, \"quoted\""),
                      QStringLiteral("1:02:03"),      QString(QStringLiteral("Long ")).repeated(1000),
                      QStringLiteral("Late"),         QString(QStringLiteral("Ж")).repeated(5000)};
    snapshot.dailyTexts[0] = QStringLiteral("0:00:00");
    snapshot.totalTexts[0] = QStringLiteral("-0:00:05");
    snapshot.totalTexts[6] = QStringLiteral(" 123456:59:59");
    snapshot.dailyTexts[7] = QStringLiteral("1:2:3");

    const QList<ExpectedCell> rows = {
        text("A4", "=SUM(B4:B11)"),
        duration("B4", 0),
        duration("C4", -5),
        text("A5", "   "),
        duration("B5", 0),
        duration("C5", 0),
        text("A6", snapshot.names[2]),
        duration("B6", 0),
        duration("C6", 0),
        text("A7", snapshot.names[3]),
        duration("B7", 0),
        duration("C7", 0),
        duration("A8", 3723),
        duration("B8", 0),
        duration("C8", 0),
        text("A9", snapshot.names[5]),
        duration("B9", 0),
        duration("C9", 0),
        text("A10", "Late"),
        duration("B10", 0),
        duration("C10", 123456 * 3600.0 + 3599),
        text("A11", snapshot.names[7]),
        text("B11", "1:2:3"),
        duration("C11", 0),
    };
    compareCells(writeAndRead(snapshot), frameWith(rows));
}

void TestInProcessSpreadsheetServer::existingReportIsReplaced()
{
    QFile old(m_folder.filePath(QStringLiteral("Ann_04-18-2006.xls")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(10000, 'x'));
    old.close();

    compareCells(writeAndRead(emptySnapshot()), frameCells());
}

void TestInProcessSpreadsheetServer::saveIntoMissingFolderShowsTheErrorBox()
{
    InProcessSpreadsheetServer server;
    const QString missing = m_folder.filePath(QStringLiteral("missing"));
    const ReportOutcome outcome = GenerateSpreadsheetReport(emptySnapshot(), april18, missing, server);

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
    QCOMPARE(outcome.error.number, 76);
    QCOMPARE(outcome.error.source, QStringLiteral("Tallywick"));
    QVERIFY(!QFile::exists(missing));
}

void TestInProcessSpreadsheetServer::saveIntoAFileInsteadOfAFolderShowsTheErrorBox()
{
    // A folder the save cannot go into even for a user whom permissions do not stop.
    QFile notAFolder(m_folder.filePath(QStringLiteral("plain")));
    QVERIFY(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();

    InProcessSpreadsheetServer server;
    const ReportOutcome outcome =
        GenerateSpreadsheetReport(emptySnapshot(), april18, notAFolder.fileName(), server);

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
    QVERIFY(outcome.error.number != 1004);
    QCOMPARE(QFileInfo(notAFolder.fileName()).size(), 0);
}

QTEST_GUILESS_MAIN(TestInProcessSpreadsheetServer)
#include "tst_inprocessspreadsheetserver.moc"
