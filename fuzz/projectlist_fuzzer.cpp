// Feeds arbitrary bytes to the project list parser. Besides not crashing or hanging, every reading must
// keep the partial-load rules, and a complete reading must come back the same after being written and
// read again.
#include "core/timetext.h"
#include "storage/projectlistfile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// A name is written as one line, so any line break in it is written as a blank.
QString asWritten(QString name)
{
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name;
}

// The UTF-8 reader takes a byte order mark at the very start of the file as a mark, not as text, so a
// user's name that itself begins with one does not survive; nobody types that invisible character.
QString asReadBack(QString userName)
{
    if (userName.startsWith(QChar(0xFEFF)))
        userName.remove(0, 1);
    return userName;
}

void checkPartialLoadRules(const ProjectListReading &reading)
{
    check(reading.totalsRead >= 0 && reading.totalsRead <= 8);
    check(reading.complete == (reading.totalsRead == 8));
    check(reading.userName || reading.totalsRead == 0);
    for (int row = 0; row < 8; ++row) {
        check(std::isfinite(reading.totals[row]));
        check(row < reading.totalsRead || reading.totals[row] == 0.0);
    }
    if (!reading.complete) {
        check(reading.names[0] == QLatin1String("Project 1"));
        for (int row = 1; row < 8; ++row)
            check(reading.names[row].isEmpty());
    }
}

void checkRoundTrip(const ProjectListReading &reading)
{
    ProjectList list;
    list.userName = *reading.userName;
    list.names = reading.names;
    list.totals = reading.totals;
    const ProjectListReading again = ProjectListFile::decode(ProjectListFile::encode(list));
    check(again.complete);
    check(again.userName == asReadBack(asWritten(list.userName)));
    for (int row = 0; row < 8; ++row) {
        check(again.names[row] == asWritten(list.names[row]));
        check(again.totals[row] == roundHalfEven(list.totals[row]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ProjectListReading reading = ProjectListFile::decode(bytes);
    checkPartialLoadRules(reading);
    if (reading.complete)
        checkRoundTrip(reading);
    return 0;
}
