#include "biffworkbookwriter.h"

#include "workbook/spreadsheetworkbook.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

// Record identifiers.
namespace Record {
constexpr quint16 Bof = 0x0809;
constexpr quint16 Eof = 0x000A;
constexpr quint16 Codepage = 0x0042;
constexpr quint16 Window1 = 0x003D;
constexpr quint16 DateMode = 0x0022;
constexpr quint16 Font = 0x0031;
constexpr quint16 Xf = 0x00E0;
constexpr quint16 Style = 0x0293;
constexpr quint16 BoundSheet = 0x0085;
constexpr quint16 Sst = 0x00FC;
constexpr quint16 Continue = 0x003C;
constexpr quint16 ExtSst = 0x00FF;
constexpr quint16 DefColWidth = 0x0055;
constexpr quint16 ColInfo = 0x007D;
constexpr quint16 Dimensions = 0x0200;
constexpr quint16 Blank = 0x0201;
constexpr quint16 Number = 0x0203;
constexpr quint16 LabelSst = 0x00FD;
constexpr quint16 Window2 = 0x023E;
} // namespace Record

// The longest record body; longer data goes on in CONTINUE records.
constexpr int maxRecordData = 8224;

// Readers skip font index 4, so the fifth FONT record is font 5.
constexpr quint16 normalFont = 0;
constexpr quint16 boldFont = 5;
constexpr quint16 normalWeight = 400;
constexpr quint16 boldWeight = 700;

// Built-in number formats, which need no FORMAT record.
constexpr quint16 generalFormat = 0;
constexpr quint16 durationFormat = 46; // [h]:mm:ss

// The 15 style XFs come first (0 to 14); the cell XFs follow.
constexpr quint16 styleXfCount = 15;
constexpr quint16 defaultCellXf = 15;
constexpr quint16 boldCellXf = 16;
constexpr quint16 durationCellXf = 17;
constexpr quint16 boldDurationCellXf = 18;

// Fill: automatic pattern colours (foreground 64, background 65).
constexpr quint16 automaticPatternColours = 64 | (65 << 7);

constexpr quint16 utf16Codepage = 1200;
const char *const sheetName = "Sheet1";

// A BIFF8 record stream under construction; the stream offset of every record is its position in bytes().
class RecordStream
{
public:
    void begin(quint16 id)
    {
        m_recordStart = m_bytes.size();
        putU16(id);
        putU16(0);
    }

    void end() { patchU16(m_recordStart + 2, quint16(m_bytes.size() - m_recordStart - 4)); }

    void record(quint16 id, const QByteArray &body)
    {
        begin(id);
        m_bytes.append(body);
        end();
    }

    qsizetype size() const { return m_bytes.size(); }
    qsizetype recordStart() const { return m_recordStart; }
    qsizetype bodySize() const { return m_bytes.size() - m_recordStart - 4; }

    void putU8(quint8 value) { m_bytes.append(char(value)); }
    void putU16(quint16 value)
    {
        putU8(quint8(value & 0xFF));
        putU8(quint8(value >> 8));
    }
    void putU32(quint32 value)
    {
        putU16(quint16(value & 0xFFFF));
        putU16(quint16(value >> 16));
    }
    void putDouble(double value)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        putU32(quint32(bits & 0xFFFFFFFFu));
        putU32(quint32(bits >> 32));
    }
    void putBytes(const QByteArray &bytes) { m_bytes.append(bytes); }

    void patchU32(qsizetype position, quint32 value)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes[position + i] = char((value >> (8 * i)) & 0xFF);
    }

    const QByteArray &bytes() const { return m_bytes; }

private:
    void patchU16(qsizetype position, quint16 value)
    {
        m_bytes[position] = char(value & 0xFF);
        m_bytes[position + 1] = char(value >> 8);
    }

    QByteArray m_bytes;
    qsizetype m_recordStart = 0;
};

// Text whose characters all lie in Latin-1 is stored one byte a character; any other as UTF-16LE.
bool needsHighBytes(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return true;
    }
    return false;
}

QByteArray characterBytes(const QString &text, bool highBytes)
{
    QByteArray bytes;
    bytes.reserve(text.size() * (highBytes ? 2 : 1));
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        if (highBytes)
            bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// A string with an 8-bit length, as font and sheet names are stored.
QByteArray shortString(const QString &text)
{
    const bool highBytes = needsHighBytes(text);
    QByteArray bytes;
    bytes.append(char(text.size()));
    bytes.append(char(highBytes ? 1 : 0));
    bytes.append(characterBytes(text, highBytes));
    return bytes;
}

void writeBof(RecordStream &stream, quint16 substreamType)
{
    stream.begin(Record::Bof);
    stream.putU16(0x0600); // BIFF8
    stream.putU16(substreamType);
    stream.putU16(0x0DBB); // build
    stream.putU16(0x07CC); // year
    stream.putU32(0);      // file history flags
    stream.putU32(0x0006); // lowest version that can read all records
    stream.end();
}

void writeWindow1(RecordStream &stream)
{
    stream.begin(Record::Window1);
    stream.putU16(0);      // left, in twips
    stream.putU16(0);      // top
    stream.putU16(0x25BC); // width
    stream.putU16(0x1572); // height
    stream.putU16(0x0038); // horizontal and vertical scroll bars, sheet tabs shown
    stream.putU16(0);      // active sheet
    stream.putU16(0);      // first visible tab
    stream.putU16(1);      // selected sheets
    stream.putU16(600);    // width of the tab area, in thousandths of the window
    stream.end();
}

void writeFont(RecordStream &stream, quint16 weight)
{
    stream.begin(Record::Font);
    stream.putU16(200);    // height in twips: 10 points
    stream.putU16(0);      // not italic, not struck out
    stream.putU16(0x7FFF); // automatic colour
    stream.putU16(weight);
    stream.putU16(0); // neither superscript nor subscript
    stream.putU8(0);  // not underlined
    stream.putU8(2);  // family: swiss
    stream.putU8(0);  // character set: ANSI
    stream.putU8(0);
    stream.putBytes(shortString(QStringLiteral("Arial")));
    stream.end();
}

void writeFonts(RecordStream &stream)
{
    for (int i = 0; i < 4; ++i)
        writeFont(stream, normalWeight);
    writeFont(stream, boldWeight);
}

// usedAttributes: for a cell XF the groups (bit 10 number format, 11 font, ..., 15 protection) that differ
// from the style; for a style XF the groups that the style leaves alone.
void writeXf(RecordStream &stream, quint16 font, quint16 format, bool isStyle, quint16 usedAttributes)
{
    stream.begin(Record::Xf);
    stream.putU16(font);
    stream.putU16(format);
    // Locked; a style XF has no parent (0xFFF), a cell XF has the Normal style (XF 0) as its parent.
    stream.putU16(isStyle ? 0xFFF5 : 0x0001);
    stream.putU8(0x20); // general horizontal alignment, bottom vertical alignment
    stream.putU8(0);    // no rotation
    stream.putU16(usedAttributes);
    stream.putU32(0); // no borders
    stream.putU32(0);
    stream.putU16(automaticPatternColours);
    stream.end();
}

void writeXfs(RecordStream &stream)
{
    constexpr quint16 onlyFont = 0xF400;
    writeXf(stream, normalFont, generalFormat, true, 0);
    for (quint16 i = 1; i < styleXfCount; ++i) {
        // The built-in styles use fonts 1 and 2 for their first four entries, as spreadsheet applications
        // write.
        const quint16 font = i <= 2 ? 1 : (i <= 4 ? 2 : normalFont);
        writeXf(stream, font, generalFormat, true, onlyFont);
    }
    constexpr quint16 numberDiffers = 0x0400;
    constexpr quint16 fontDiffers = 0x0800;
    writeXf(stream, normalFont, generalFormat, false, 0);
    writeXf(stream, boldFont, generalFormat, false, fontDiffers);
    writeXf(stream, normalFont, durationFormat, false, numberDiffers);
    writeXf(stream, boldFont, durationFormat, false, numberDiffers | fontDiffers);
}

void writeNormalStyle(RecordStream &stream)
{
    stream.begin(Record::Style);
    stream.putU16(0x8000); // built-in style on XF 0
    stream.putU8(0);       // Normal
    stream.putU8(0xFF);    // no outline level
    stream.end();
}

// Writes the BOUNDSHEET record and returns the position of its sheet offset, which is known only later.
qsizetype writeBoundSheet(RecordStream &stream)
{
    stream.begin(Record::BoundSheet);
    const qsizetype offsetPosition = stream.size();
    stream.putU32(0);
    stream.putU8(0); // visible
    stream.putU8(0); // worksheet
    stream.putBytes(shortString(QLatin1String(sheetName)));
    stream.end();
    return offsetPosition;
}

// The distinct texts of the sheet in order of first use, and how many cells refer to them.
struct SharedStrings
{
    std::vector<QString> texts;
    std::map<QString, quint32> indexOf;
    quint32 references = 0;

    quint32 add(const QString &text)
    {
        ++references;
        const auto found = indexOf.find(text);
        if (found != indexOf.end())
            return found->second;
        const quint32 index = quint32(texts.size());
        texts.push_back(text);
        indexOf.emplace(text, index);
        return index;
    }
};

// Where a string of the shared-string table starts, for the EXTSST index.
struct StringPosition
{
    quint32 streamOffset;
    quint16 recordOffset;
};

// Writes one shared string. A string that does not fit goes on in a CONTINUE record, which repeats the
// high-byte flag; the length and flag never split from the first character.
StringPosition writeSharedString(RecordStream &stream, const QString &text)
{
    const bool highBytes = needsHighBytes(text);
    const int unit = highBytes ? 2 : 1;
    if (stream.bodySize() + 3 + (text.isEmpty() ? 0 : unit) > maxRecordData) {
        stream.end();
        stream.begin(Record::Continue);
    }
    const StringPosition position{quint32(stream.size()), quint16(stream.size() - stream.recordStart())};
    stream.putU16(quint16(text.size()));
    stream.putU8(highBytes ? 1 : 0);
    qsizetype written = 0;
    while (written < text.size()) {
        qsizetype room = (maxRecordData - stream.bodySize()) / unit;
        if (room == 0) {
            stream.end();
            stream.begin(Record::Continue);
            stream.putU8(highBytes ? 1 : 0);
            room = (maxRecordData - 1) / unit;
        }
        const qsizetype count = std::min(room, text.size() - written);
        stream.putBytes(characterBytes(text.mid(written, count), highBytes));
        written += count;
    }
    return position;
}

void writeSharedStrings(RecordStream &stream, const SharedStrings &strings)
{
    stream.begin(Record::Sst);
    stream.putU32(strings.references);
    stream.putU32(quint32(strings.texts.size()));
    std::vector<StringPosition> positions;
    positions.reserve(strings.texts.size());
    for (const QString &text : strings.texts)
        positions.push_back(writeSharedString(stream, text));
    stream.end();

    // The index names the start of every bucket of stringsPerBucket strings; at most 128 buckets.
    const std::size_t stringsPerBucket = std::max<std::size_t>(8, (positions.size() + 127) / 128);
    stream.begin(Record::ExtSst);
    stream.putU16(quint16(stringsPerBucket));
    for (std::size_t i = 0; i < positions.size(); i += stringsPerBucket) {
        stream.putU32(positions[i].streamOffset);
        stream.putU16(positions[i].recordOffset);
        stream.putU16(0);
    }
    stream.end();
}

enum class CellKind { Blank, Text, Duration };

CellKind cellKind(const CellValue &value)
{
    if (value.text.isEmpty())
        return CellKind::Blank;
    return value.seconds ? CellKind::Duration : CellKind::Text;
}

quint16 cellXf(const SpreadsheetWorkbook::Cell &cell)
{
    if (cellKind(cell.value) == CellKind::Duration)
        return cell.bold ? boldDurationCellXf : durationCellXf;
    return cell.bold ? boldCellXf : defaultCellXf;
}

void writeColumnWidths(RecordStream &stream, const SpreadsheetWorkbook &workbook)
{
    stream.record(Record::DefColWidth, QByteArray("\x08\x00", 2));
    for (const auto &[column, width] : workbook.columnWidths) {
        stream.begin(Record::ColInfo);
        stream.putU16(quint16(column - 1));
        stream.putU16(quint16(column - 1));
        stream.putU16(quint16(width * 256)); // in 1/256 of a character
        stream.putU16(defaultCellXf);
        stream.putU16(0); // visible, no outline
        stream.putU16(0);
        stream.end();
    }
}

void writeDimensions(RecordStream &stream, const SpreadsheetWorkbook &workbook)
{
    // From 0, the first row and column used and one past the last.
    int firstRow = 0;
    int endRow = 0;
    int firstColumn = 0;
    int endColumn = 0;
    if (!workbook.cells.empty()) {
        firstRow = workbook.cells.begin()->first.row - 1;
        endRow = workbook.cells.rbegin()->first.row;
        firstColumn = workbook.cells.begin()->first.column - 1;
        for (const auto &entry : workbook.cells) {
            firstColumn = std::min(firstColumn, entry.first.column - 1);
            endColumn = std::max(endColumn, entry.first.column);
        }
    }
    stream.begin(Record::Dimensions);
    stream.putU32(quint32(firstRow));
    stream.putU32(quint32(endRow));
    stream.putU16(quint16(firstColumn));
    stream.putU16(quint16(endColumn));
    stream.putU16(0);
    stream.end();
}

void writeCells(RecordStream &stream, const SpreadsheetWorkbook &workbook, SharedStrings &strings)
{
    constexpr double secondsPerDay = 86400.0;
    for (const auto &[address, cell] : workbook.cells) {
        const CellKind kind = cellKind(cell.value);
        stream.begin(kind == CellKind::Text       ? Record::LabelSst
                     : kind == CellKind::Duration ? Record::Number
                                                  : Record::Blank);
        stream.putU16(quint16(address.row - 1));
        stream.putU16(quint16(address.column - 1));
        stream.putU16(cellXf(cell));
        if (kind == CellKind::Text)
            stream.putU32(strings.add(cell.value.text));
        else if (kind == CellKind::Duration)
            stream.putDouble(*cell.value.seconds / secondsPerDay); // a duration is a number of days
        stream.end();
    }
}

void writeWindow2(RecordStream &stream)
{
    stream.begin(Record::Window2);
    // Grid lines, headers, zero values, automatic grid colour, outline symbols; the sheet is selected and
    // shown.
    stream.putU16(0x06B6);
    stream.putU16(0);  // top row
    stream.putU16(0);  // left column
    stream.putU32(64); // grid line colour: automatic
    stream.putU16(0);  // zoom of the page-break preview: default
    stream.putU16(0);  // zoom of the normal view: default
    stream.putU32(0);
    stream.end();
}

// The sheet's records. Its cells fill strings, which the globals need before the sheet.
RecordStream sheetStream(const SpreadsheetWorkbook &workbook, SharedStrings &strings)
{
    RecordStream sheet;
    writeBof(sheet, 0x0010);
    writeColumnWidths(sheet, workbook);
    writeDimensions(sheet, workbook);
    writeCells(sheet, workbook, strings);
    writeWindow2(sheet);
    sheet.record(Record::Eof, QByteArray());
    return sheet;
}

RecordStream globalsStream(const SharedStrings &strings, qsizetype *sheetOffsetPosition)
{
    RecordStream globals;
    writeBof(globals, 0x0005);
    globals.record(Record::Codepage, QByteArray(1, char(utf16Codepage & 0xFF)) + char(utf16Codepage >> 8));
    writeWindow1(globals);
    globals.record(Record::DateMode, QByteArray(2, '\0')); // days count from 1900
    writeFonts(globals);
    writeXfs(globals);
    writeNormalStyle(globals);
    *sheetOffsetPosition = writeBoundSheet(globals);
    writeSharedStrings(globals, strings);
    globals.record(Record::Eof, QByteArray());
    return globals;
}

struct GObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
template<typename T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

} // namespace

namespace BiffWorkbookWriter {

QByteArray workbookStream(const SpreadsheetWorkbook &workbook)
{
    SharedStrings strings;
    const RecordStream sheet = sheetStream(workbook, strings);
    qsizetype sheetOffsetPosition = 0;
    RecordStream globals = globalsStream(strings, &sheetOffsetPosition);
    // The sheet's BOF follows the globals directly.
    globals.patchU32(sheetOffsetPosition, quint32(globals.size()));
    return globals.bytes() + sheet.bytes();
}

std::optional<QByteArray> compoundDocument(const QByteArray &stream)
{
    static const bool initialised = (gsf_init(), true);
    Q_UNUSED(initialised)
    const GObjectPtr<GsfOutput> memory(gsf_output_memory_new());
    const GObjectPtr<GsfOutfile> container(gsf_outfile_msole_new(memory.get()));
    if (!container)
        return std::nullopt;
    // libgsf keeps a stream below 4096 bytes in the container's mini stream, as readers require.
    const GObjectPtr<GsfOutput> child(gsf_outfile_new_child(container.get(), "Workbook", FALSE));
    if (!child)
        return std::nullopt;
    const bool written = gsf_output_write(child.get(), std::size_t(stream.size()),
                                          reinterpret_cast<const guint8 *>(stream.data()));
    const bool childClosed = gsf_output_close(child.get());
    const bool containerClosed = gsf_output_close(GSF_OUTPUT(container.get()));
    if (!written || !childClosed || !containerClosed)
        return std::nullopt;
    const guint8 *bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    return QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(gsf_output_size(memory.get())));
}

} // namespace BiffWorkbookWriter
