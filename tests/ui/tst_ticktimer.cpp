#include "support/mainwindowfixture.h"

// The tick's timer: six ticks a second while timing runs; while stopped, when only the date label can
// change, one tick just after midnight (at most an hour apart), so that an idle program does not wake.
class TestTickTimer : public QObject, public MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init() { reset(); }
    void cleanup() { close(); }
    void intervalFollowsTheTimingState_data();
    void intervalFollowsTheTimingState();
};

void TestTickTimer::intervalFollowsTheTimingState_data()
{
    QTest::addColumn<double>("wallSeconds");
    QTest::addColumn<int>("startStopClicks");
    QTest::addColumn<int>("interval");
    QTest::newRow("stopped in the morning: an hour") << 9 * 3600.0 << 0 << 3600 * 1000;
    QTest::newRow("half an hour before midnight") << 23.5 * 3600.0 << 0 << 1800 * 1000 + 20;
    QTest::newRow("just before midnight") << 86399.5 << 0 << 520;
    QTest::newRow("at midnight: no busy loop") << 86400.0 << 0 << 166;
    QTest::newRow("running") << 9 * 3600.0 << 1 << 166;
    QTest::newRow("stopped again") << 9 * 3600.0 << 2 << 3600 * 1000;
}

void TestTickTimer::intervalFollowsTheTimingState()
{
    QFETCH(double, wallSeconds);
    QFETCH(int, startStopClicks);
    QFETCH(int, interval);
    clock.wallSeconds = wallSeconds;
    open();
    for (int click = 0; click < startStopClicks; ++click)
        clickStartStop();
    tick();
    const QTimer *timer = child<QTimer>("tmrOneSecond");
    QCOMPARE(timer->interval(), interval);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
}

QTEST_MAIN(TestTickTimer)
#include "tst_ticktimer.moc"
