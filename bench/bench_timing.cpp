// Measures the timing path: how far the counts drift from the real time over a simulated day of ticks,
// and what one tick of the main window costs while stopped and while running.
//
// Usage: bench_timing   (runs headless on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise)

#include "core/accrualengine.h"
#include "core/projecttable.h"
#include "core/sessionmodel.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "platform/programenvironment.h"
#include "ui/main/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

constexpr double TickSpan = 0.166;

class SimulatedClock : public Clock
{
public:
    double span = 0.0;
    LocalDate today() const override { return {2026, 12, 6, 1}; }
    float secondsSinceMidnight() const override { return float(span); }
    double spanReading() const override { return span; }
    double awakeReading() const override { return span; }
};

class SilentBoxes : public MessageBoxes
{
public:
    int shown = 0;
    int show(int, const QString &, const QString &) override { return ++shown, 6; }
};

class FolderEnvironment : public ProgramEnvironment
{
public:
    QString folder;
    QString programFolder() const override { return folder; }
    QString dataFolder() const override { return folder; }
    QString documentsFolder() const override { return folder; }
    VersionNumber version() const override { return {1, 3, 1}; }
};

// Ticks for 24 simulated hours and compares the counts with the real time up to the last accrual; the span
// after it is still pending, not lost.
void reportDrift(QTextStream &out)
{
    ProjectTable table;
    AccrualEngine accrual;
    double now = 0.0;
    double lastAccrual = 0.0;
    accrual.start(now);
    const double day = 24 * 3600.0;
    while (now + TickSpan <= day) {
        now += TickSpan;
        if (accrual.accrue(now, 0, table))
            lastAccrual = now;
    }
    out << "accrual error after 24 simulated hours of 166 ms ticks (one tick is " << TickSpan << " s):\n"
        << "  total count: " << (table.totalTime(0) - lastAccrual) << " s\n"
        << "  daily count: " << (double(table.dailyTime(0)) - lastAccrual) << " s\n"
        << "  still pending at the end: " << (now - lastAccrual) << " s\n";
}

double medianMicroseconds(std::vector<qint64> &nanoseconds)
{
    std::nth_element(nanoseconds.begin(), nanoseconds.begin() + qsizetype(nanoseconds.size() / 2),
                     nanoseconds.end());
    return double(nanoseconds[nanoseconds.size() / 2]) / 1000.0;
}

double tickCost(MainWindow &window, SimulatedClock &clock, double advance, int ticks)
{
    QTimer *timer = window.findChild<QTimer *>(QStringLiteral("tmrOneSecond"));
    std::vector<qint64> nanoseconds;
    nanoseconds.reserve(std::size_t(ticks));
    for (int i = 0; i < ticks; ++i) {
        clock.span += advance;
        QElapsedTimer elapsed;
        elapsed.start();
        QMetaObject::invokeMethod(timer, "timeout");
        nanoseconds.push_back(elapsed.nsecsElapsed());
    }
    return medianMicroseconds(nanoseconds);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    reportDrift(out);

    QTemporaryDir folder;
    SimulatedClock clock;
    SilentBoxes boxes;
    FolderEnvironment environment;
    environment.folder = folder.path();
    SessionModel session;
    MainWindow window(session, folder.path() + QLatin1String("/projlist.dat"),
                      folder.path() + QLatin1String("/rescued.dat"),
                      PlatformServices{&clock, &boxes, &environment, nullptr, nullptr});
    window.Form_Load();
    window.findChild<QTimer *>(QStringLiteral("tmrOneSecond"))->stop();
    window.show();
    QApplication::processEvents();

    constexpr int ticks = 20001;
    out << "one tick of the main window (median of " << ticks << "):\n";
    out << "  stopped:                    " << tickCost(window, clock, TickSpan, ticks) << " us\n";
    QMetaObject::invokeMethod(window.findChild<QObject *>(QStringLiteral("cmdStartStop")), "click");
    out << "  running, span below 1 s:    " << tickCost(window, clock, 0.01, ticks) << " us\n";
    out << "  running, accruing each tick: " << tickCost(window, clock, 1.0, ticks) << " us\n";
    QMetaObject::invokeMethod(window.findChild<QObject *>(QStringLiteral("cmdStartStop")), "click");
    window.endWithoutQuestion();
    return boxes.shown == 0 ? 0 : 1;
}
