#include "platform/biffworkbookwriter.h"
#include "platform/spreadsheetworkbook.h"

#include <QtEndian>
#include <QtTest>

namespace {

struct BiffRecord
{
    qsizetype offset;
    quint16 id;
    QByteArray body;
};

QList<BiffRecord> walk(const QByteArray &stream)
{
    QList<BiffRecord> records;
    qsizetype offset = 0;
    while (offset + 4 <= stream.size()) {
        const quint16 id = qFromLittleEndian<quint16>(stream.constData() + offset);
        const quint16 size = qFromLittleEndian<quint16>(stream.constData() + offset + 2);
        records.append({offset, id, stream.mid(offset + 4, size)});
        offset += 4 + size;
    }
    return records;
}

quint16 u16(const QByteArray &body, int at)
{
    return qFromLittleEndian<quint16>(body.constData() + at);
}

quint32 u32(const QByteArray &body, int at)
{
    return qFromLittleEndian<quint32>(body.constData() + at);
}

QList<quint16> ids(const QList<BiffRecord> &records)
{
    QList<quint16> result;
    for (const BiffRecord &record : records)
        result.append(record.id);
    return result;
}

QList<BiffRecord> withId(const QList<BiffRecord> &records, quint16 id)
{
    QList<BiffRecord> result;
    for (const BiffRecord &record : records) {
        if (record.id == id)
            result.append(record);
    }
    return result;
}

SpreadsheetWorkbook sampleWorkbook()
{
    SpreadsheetWorkbook workbook;
    workbook.cells[{0, 0}].value = TypedCellValue::fromTyped(QStringLiteral("Ann"));
    workbook.cells[{2, 1}].value = TypedCellValue::fromTyped(QStringLiteral(" 1:00:00"));
    workbook.cells[{2, 1}].bold = true;
    workbook.cells[{3, 2}].bold = true;
    workbook.columnWidths[0] = 25;
    workbook.columnWidths[2] = 10;
    return workbook;
}

} // namespace

class TestBiffWorkbookWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordsComeInTheOrderReadersExpect();
    void boundSheetPointsAtTheSheet();
    void fifthFontIsBoldByWeight();
    void cellsReferToTheirFormats();
    void columnWidthsAreIn256thsOfACharacter();
    void longTextGoesOnInContinueRecords();
    void containerIsACompoundDocument();
};

void TestBiffWorkbookWriter::recordsComeInTheOrderReadersExpect()
{
    const QList<quint16> actual = ids(walk(BiffWorkbookWriter::workbookStream(sampleWorkbook())));
    QList<quint16> expected = {0x0809, 0x0042, 0x003D, 0x0022};
    expected << QList<quint16>(5, 0x0031) << QList<quint16>(19, 0x00E0);
    expected << 0x0293 << 0x0085 << 0x00FC << 0x00FF << 0x000A;
    // The sheet: BOF, DEFCOLWIDTH, two COLINFO, DIMENSIONS, LABELSST A1, NUMBER B3, BLANK C4, WINDOW2, EOF.
    expected << 0x0809 << 0x0055 << 0x007D << 0x007D << 0x0200 << 0x00FD << 0x0203 << 0x0201 << 0x023E
             << 0x000A;
    QCOMPARE(actual, expected);
}

void TestBiffWorkbookWriter::boundSheetPointsAtTheSheet()
{
    const QList<BiffRecord> records = walk(BiffWorkbookWriter::workbookStream(sampleWorkbook()));
    const QList<BiffRecord> bofs = withId(records, 0x0809);
    QCOMPARE(bofs.size(), 2);
    QCOMPARE(u16(bofs[1].body, 2), quint16(0x0010)); // worksheet
    const BiffRecord boundSheet = withId(records, 0x0085).value(0);
    QCOMPARE(qsizetype(u32(boundSheet.body, 0)), bofs[1].offset);
    QCOMPARE(boundSheet.body.mid(6), QByteArray("\x06\x00Sheet1", 8));
}

void TestBiffWorkbookWriter::fifthFontIsBoldByWeight()
{
    const QList<BiffRecord> fonts =
        withId(walk(BiffWorkbookWriter::workbookStream(sampleWorkbook())), 0x0031);
    QList<quint16> weights;
    for (const BiffRecord &font : fonts) {
        weights.append(u16(font.body, 6));
        QCOMPARE(u16(font.body, 2) & 1, 0); // the old bold bit stays clear
    }
    QCOMPARE(weights, QList<quint16>({400, 400, 400, 400, 700}));
}

void TestBiffWorkbookWriter::cellsReferToTheirFormats()
{
    const QList<BiffRecord> records = walk(BiffWorkbookWriter::workbookStream(sampleWorkbook()));
    const QList<BiffRecord> xfs = withId(records, 0x00E0);
    // XF index of each cell, then the font and number format that XF names.
    const auto fontAndFormat = [&xfs](const BiffRecord &cell) {
        const QByteArray &xf = xfs.at(u16(cell.body, 4)).body;
        return qMakePair(u16(xf, 0), u16(xf, 2));
    };
    const BiffRecord text = withId(records, 0x00FD).value(0);
    const BiffRecord number = withId(records, 0x0203).value(0);
    const BiffRecord blank = withId(records, 0x0201).value(0);
    QCOMPARE(u16(text.body, 4), quint16(15));
    QCOMPARE(fontAndFormat(text), qMakePair(quint16(0), quint16(0)));
    QCOMPARE(fontAndFormat(number), qMakePair(quint16(5), quint16(46)));
    QCOMPARE(fontAndFormat(blank), qMakePair(quint16(5), quint16(0)));

    double days = 0;
    std::memcpy(&days, number.body.constData() + 6, sizeof days);
    QCOMPARE(days, 3600.0 / 86400.0);
    // DIMENSIONS: rows 0 to 3, columns 0 to 2, each given as first and one past the last.
    const QByteArray dimensions = withId(records, 0x0200).value(0).body;
    QCOMPARE(
        QList<quint32>({u32(dimensions, 0), u32(dimensions, 4), u16(dimensions, 8), u16(dimensions, 10)}),
        QList<quint32>({0, 4, 0, 3}));
}

void TestBiffWorkbookWriter::columnWidthsAreIn256thsOfACharacter()
{
    const QList<BiffRecord> columns =
        withId(walk(BiffWorkbookWriter::workbookStream(sampleWorkbook())), 0x007D);
    QCOMPARE(columns.size(), 2);
    QCOMPARE(QList<quint16>({u16(columns[0].body, 0), u16(columns[0].body, 2), u16(columns[0].body, 4)}),
             QList<quint16>({0, 0, 25 * 256}));
    QCOMPARE(QList<quint16>({u16(columns[1].body, 0), u16(columns[1].body, 2), u16(columns[1].body, 4)}),
             QList<quint16>({2, 2, 10 * 256}));
}

void TestBiffWorkbookWriter::longTextGoesOnInContinueRecords()
{
    SpreadsheetWorkbook workbook;
    const QString cyrillic = QString(QChar(0x0416)).repeated(6000);
    workbook.cells[{0, 0}].value = TypedCellValue::fromTyped(cyrillic);
    const QList<BiffRecord> records = walk(BiffWorkbookWriter::workbookStream(workbook));

    const qsizetype sst = ids(records).indexOf(0x00FC);
    QCOMPARE(records.at(sst + 1).id, quint16(0x003C));
    QCOMPARE(records.at(sst + 2).id, quint16(0x00FF));
    // The string's length and UTF-16 flag, then characters up to the record's limit; the CONTINUE repeats the
    // flag.
    const QByteArray first = records.at(sst).body;
    const QByteArray rest = records.at(sst + 1).body;
    QCOMPARE(u16(first, 8), quint16(6000));
    QCOMPARE(quint8(first.at(10)), quint8(1));
    QCOMPARE(quint8(rest.at(0)), quint8(1));
    QCOMPARE((first.size() - 11) / 2 + (rest.size() - 1) / 2, 6000);
    QVERIFY(first.size() <= 8224);
    QCOMPARE(
        QString::fromUtf16(reinterpret_cast<const char16_t *>(rest.constData() + 1), (rest.size() - 1) / 2),
        cyrillic.left((rest.size() - 1) / 2));
}

void TestBiffWorkbookWriter::containerIsACompoundDocument()
{
    const std::optional<QByteArray> document =
        BiffWorkbookWriter::compoundDocument(BiffWorkbookWriter::workbookStream(sampleWorkbook()));
    QVERIFY(document);
    QVERIFY(document->startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")));
    QCOMPARE(document->size() % 512, 0);
}

QTEST_GUILESS_MAIN(TestBiffWorkbookWriter)
#include "tst_biffworkbookwriter.moc"
