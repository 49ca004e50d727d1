#include "platform/biffworkbookwriter.h"
#include "platform/spreadsheetworkbook.h"

#include <QtEndian>
#include <QtTest>

// What strict readers insist on beyond what the read-back through xlrd in tst_inprocessspreadsheetserver
// shows: a text too long for one record, in a stream too large for the container's mini stream.
class TestBiffWorkbookWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void longTextGoesOnInContinueRecords();
};

namespace {

const QString longText = QString(QChar(0x0416)).repeated(6000);

QByteArray longTextStream()
{
    SpreadsheetWorkbook workbook;
    workbook.cells[{0, 0}].value = TypedCellValue::fromTyped(longText);
    return BiffWorkbookWriter::workbookStream(workbook);
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

// The shared string table (SST) holds the string's length and UTF-16 flag, then characters up to the
// record's limit; the CONTINUE record repeats the flag before the rest.
void TestBiffWorkbookWriter::longTextGoesOnInContinueRecords()
{
    const QByteArray stream = longTextStream();
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

QTEST_GUILESS_MAIN(TestBiffWorkbookWriter)
#include "tst_biffworkbookwriter.moc"
