// Measures how long the spreadsheet report takes to write for eight named rows with the program's own
// spreadsheet server, and prints the median of many runs.
//
// Usage: bench_spreadsheet [FOLDER]   (without FOLDER the reports go to a temporary folder that is removed)

#include "core/calendartext.h"
#include "core/timetext.h"
#include "reports/spreadsheetreport.h"
#include "workbook/inprocessspreadsheetserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int runs = 201;

ShownTime shown(double seconds)
{
    return {DissectTime(seconds).value_or(QString()), seconds};
}

ReportSnapshot eightNamedRows()
{
    ReportSnapshot snapshot;
    snapshot.userName = QStringLiteral("Ann");
    double dailySum = 0.0;
    for (std::size_t r = 0; r < 8; ++r) {
        snapshot.names[r] = QStringLiteral("Project %1").arg(r + 1);
        const double daily = double(r * 3600 + r * 7 * 60 + 3);
        snapshot.daily[r] = shown(daily);
        snapshot.total[r] = shown(double(r * 11 * 3600));
        dailySum += daily;
    }
    snapshot.dailySum = shown(dailySum);
    return snapshot;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir temporary;
    const QStringList arguments = QCoreApplication::arguments();
    const QString folder = arguments.size() > 1 ? arguments.at(1) : temporary.path();

    const ReportSnapshot snapshot = eightNamedRows();
    const LocalDate date{2006, 4, 18, 3};
    std::vector<qint64> nanoseconds;
    nanoseconds.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        InProcessSpreadsheetServer server;
        QElapsedTimer timer;
        timer.start();
        const ReportOutcome outcome = GenerateSpreadsheetReport(snapshot, date, folder, server);
        nanoseconds.push_back(timer.nsecsElapsed());
        if (outcome.kind != ReportOutcome::Kind::Written) {
            out << "spreadsheet report failed: " << outcome.error.description << '\n';
            return 1;
        }
    }
    std::nth_element(nanoseconds.begin(), nanoseconds.begin() + runs / 2, nanoseconds.end());
    out << "spreadsheet report, eight named rows: median "
        << QString::number(nanoseconds[runs / 2] / 1000.0, 'f', 1) << " us over " << runs << " runs\n";
    return 0;
}
