#include "projectlistfile.h"

#include "core/numbertext.h"
#include "core/timetext.h"
#include "storage/textcodec.h"
#include "storage/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cmath>
#include <utility>

namespace {

constexpr int lineCount = 1 + 2 * RowCount;

std::array<QString, RowCount> fallbackNames()
{
    std::array<QString, RowCount> names;
    names[0] = defaultProjectName(0);
    return names;
}

// A name is one line of the file; a line break inside it would shift every later line, so it is written
// as a blank instead.
QString nameLine(QString name)
{
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name;
}

// The sign place (a blank, or the minus sign), the whole seconds, and a trailing blank.
QString numberLine(double total)
{
    double whole = roundHalfEven(total);
    if (!std::isfinite(whole))
        whole = 0.0;
    const QChar sign = whole < 0.0 ? QLatin1Char('-') : QLatin1Char(' ');
    return sign + QString::number(std::fabs(whole), 'f', 0) + QLatin1Char(' ');
}

// The file's first 17 lines without their line ends. Bytes after the 17th line are never looked at, so
// they cannot change how the lines before them are decoded.
QStringList fileLines(const QByteArray &bytes)
{
    qsizetype end = 0;
    for (int line = 0; line < lineCount && end < bytes.size(); ++line) {
        const qsizetype lineFeed = bytes.indexOf('\n', end);
        end = lineFeed < 0 ? bytes.size() : lineFeed + 1;
    }
    const QString text = TextCodec::decode(bytes.left(end));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast(); // the nothing after the last line end is not a line
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

qsizetype skipDigits(QStringView text, qsizetype at)
{
    while (at < text.size() && isAsciiDigit(text[at]))
        ++at;
    return at;
}

// Sign, digits with at most one decimal point (at least one digit), an optional exponent. Spelled out
// because the library's own parsers also take "inf", "nan" and hexadecimal forms.
bool isDecimalNumber(QStringView text)
{
    qsizetype at = 0;
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-')))
        ++at;
    const qsizetype wholeEnd = skipDigits(text, at);
    qsizetype digits = wholeEnd - at;
    at = wholeEnd;
    if (at < text.size() && text[at] == QLatin1Char('.')) {
        const qsizetype fractionEnd = skipDigits(text, at + 1);
        digits += fractionEnd - at - 1;
        at = fractionEnd;
    }
    if (digits == 0)
        return false;
    if (at < text.size() && (text[at] == QLatin1Char('e') || text[at] == QLatin1Char('E'))) {
        ++at;
        if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-')))
            ++at;
        const qsizetype exponentEnd = skipDigits(text, at);
        if (exponentEnd == at)
            return false;
        at = exponentEnd;
    }
    return at == text.size();
}

// The value of a number line: a finite decimal number with blanks around it allowed.
std::optional<double> numberLineValue(QStringView line)
{
    qsizetype first = 0;
    qsizetype last = line.size();
    while (first < last && isBlank(line[first]))
        ++first;
    while (last > first && isBlank(line[last - 1]))
        --last;
    const QStringView number = line.mid(first, last - first);
    if (!isDecimalNumber(number))
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// What the window holds after a reading, and so what the next save writes.
ProjectList listOf(const ProjectListReading &reading)
{
    return {reading.userName.value_or(QString()), reading.names, reading.totals};
}

QByteArray readWhole(const QString &path, bool *ok = nullptr)
{
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (ok)
        *ok = file.isOpen() && file.error() == QFileDevice::NoError;
    return bytes;
}

// The line after the 17 of a rescue file: the path of the project list that it stands for.
QString rescuedListPath(const QByteArray &bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() <= lineCount)
        return QString();
    QByteArray line = lines[lineCount];
    if (line.endsWith('\r'))
        line.chop(1);
    return TextCodec::decode(line);
}

} // namespace

ProjectListFile::ProjectListFile(QString path, QString rescuePath)
    : m_path(std::move(path)), m_rescuePath(std::move(rescuePath))
{}

QString ProjectListFile::path() const
{
    return m_path;
}

QString ProjectListFile::backupPath() const
{
    return m_path + QLatin1String(".bak");
}

QString ProjectListFile::rescuePath() const
{
    return m_rescuePath;
}

ProjectListReading ProjectListFile::load()
{
    m_rescueLoaded = false;
    if (!QFileInfo::exists(m_path)) {
        m_backupPending = false;
        return decode({});
    }
    // A read that breaks off may end inside a number line, whose remains could still pass for a total;
    // so a file that cannot be read to its end counts as not read at all.
    bool whole = false;
    const QByteArray bytes = readWhole(m_path, &whole);
    const ProjectListReading reading = decode(whole ? bytes : QByteArray());
    // Whatever the next save would not write back byte for byte is kept before it is replaced.
    m_backupPending = !reading.complete || encode(listOf(reading)) != bytes;
    return reading;
}

std::optional<ErrorInfo> ProjectListFile::save(const ProjectList &list)
{
    if (m_backupPending) {
        if (std::optional<ErrorInfo> error = keepReadFile())
            return error; // nothing written: the old file stays
    }
    if (const std::optional<WholeFile::Failure> failed = WholeFile::write(m_path, encode(list))) {
        return programError(
            failed->number,
            QStringLiteral("Could not save the project list file %1: %2").arg(m_path, failed->reason));
    }
    if (m_rescueLoaded) {
        QFile::remove(m_rescuePath); // should that fail, the list is newer now and it is not offered again
        m_rescueLoaded = false;
    }
    return std::nullopt;
}

std::optional<ErrorInfo> ProjectListFile::saveRescue(const ProjectList &list)
{
    QDir().mkpath(QFileInfo(m_rescuePath).absolutePath());
    const QString owner = nameLine(QFileInfo(m_path).absoluteFilePath()) + QLatin1String("\r\n");
    if (const std::optional<WholeFile::Failure> failed =
            WholeFile::write(m_rescuePath, encode(list) + TextCodec::encode(owner))) {
        return programError(
            failed->number,
            QStringLiteral("Could not write the rescue file %1: %2").arg(m_rescuePath, failed->reason));
    }
    return std::nullopt;
}

// A rescue file written for another project list (a second portable copy) is not this list's to offer;
// one older than the list was overtaken by a later save.
std::optional<QDateTime> ProjectListFile::rescueTime() const
{
    const QFileInfo rescue(m_rescuePath);
    if (m_rescuePath.isEmpty() || !rescue.isFile())
        return std::nullopt;
    const QFileInfo list(m_path);
    if (list.exists() && list.lastModified() >= rescue.lastModified())
        return std::nullopt;
    if (rescuedListPath(readWhole(m_rescuePath)) != list.absoluteFilePath())
        return std::nullopt;
    return rescue.lastModified();
}

ProjectListReading ProjectListFile::loadRescue()
{
    bool whole = false;
    const QByteArray bytes = readWhole(m_rescuePath, &whole);
    const ProjectListReading reading = decode(whole ? bytes : QByteArray());
    // A rescue file that does not read is left where it is, for the user to look at.
    m_rescueLoaded = reading.complete;
    m_backupPending = m_backupPending || QFileInfo::exists(m_path);
    return reading;
}

// Copies rather than renames, so that projlist.dat stays in place should the new file then fail to
// be written. An older backup gives way: the file just read is the more recent one.
std::optional<ErrorInfo> ProjectListFile::keepReadFile()
{
    QFile read(m_path);
    if (read.exists()) {
        QFile::remove(backupPath());
        if (!read.copy(backupPath())) {
            return programError(
                ErrorNumber::FileAccessError,
                QStringLiteral("Could not keep the project list file %1 as %2 before replacing it: %3")
                    .arg(m_path, backupPath(), read.errorString()));
        }
    }
    m_backupPending = false;
    return std::nullopt;
}

QByteArray ProjectListFile::encode(const ProjectList &list)
{
    const QLatin1String lineEnd("\r\n");
    QString text = nameLine(list.userName) + lineEnd;
    for (int row = 0; row < RowCount; ++row)
        text += nameLine(list.names[row]) + lineEnd + numberLine(list.totals[row]) + lineEnd;
    return TextCodec::encode(text);
}

// Each field is its whole line, so names with commas, quotes or outer blanks come back as written.
ProjectListReading ProjectListFile::decode(const QByteArray &bytes)
{
    const QStringList lines = fileLines(bytes);
    ProjectListReading reading;
    reading.names = fallbackNames();
    if (lines.isEmpty())
        return reading;
    reading.userName = lines[0].left(LongestName);
    std::array<QString, RowCount> names;
    for (int row = 0; row < RowCount; ++row) {
        const int nameAt = 1 + 2 * row;
        if (nameAt + 1 >= lines.size())
            return reading;
        names[row] = lines[nameAt].left(LongestName);
        const std::optional<double> total = numberLineValue(lines[nameAt + 1]);
        if (!total)
            return reading;
        reading.totals[row] = *total;
        reading.totalsRead = row + 1;
    }
    reading.complete = true;
    reading.names = names;
    return reading;
}
