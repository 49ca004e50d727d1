#include "support/mainwindowfixture.h"

// The tick's timer: six ticks a second while timing runs; while stopped, when only the date label can
// change, one tick just after midnight (at most an hour apart), so that an idle program does not wake.
class TestTickTimer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void stoppedTickSleepsUntilMidnight_data();
    void stoppedTickSleepsUntilMidnight();
    void runningTicksSixTimesASecond();

private:
    QTimer *timer() const { return m_fixture.child<QTimer>(QStringLiteral("tmrOneSecond")); }

    MainWindowFixture m_fixture;
};

void TestTickTimer::init()
{
    m_fixture.reset();
}

void TestTickTimer::cleanup()
{
    if (m_fixture.window)
        m_fixture.close();
}

void TestTickTimer::stoppedTickSleepsUntilMidnight_data()
{
    QTest::addColumn<double>("wallSeconds");
    QTest::addColumn<int>("interval");

    QTest::newRow("morning: an hour") << 9 * 3600.0 << 3600 * 1000;
    QTest::newRow("half an hour before midnight") << 23.5 * 3600.0 << 1800 * 1000 + 20;
    QTest::newRow("just before midnight") << 86399.5 << 520;
    QTest::newRow("at midnight: no busy loop") << 86400.0 << 166;
}

void TestTickTimer::stoppedTickSleepsUntilMidnight()
{
    QFETCH(double, wallSeconds);
    QFETCH(int, interval);
    m_fixture.clock.wallSeconds = wallSeconds;
    m_fixture.open();

    m_fixture.tick();

    QCOMPARE(timer()->interval(), interval);
    QCOMPARE(timer()->timerType(), Qt::PreciseTimer);
}

void TestTickTimer::runningTicksSixTimesASecond()
{
    m_fixture.open();
    m_fixture.field(QStringLiteral("txtName"))->setText(QStringLiteral("Ann"));
    m_fixture.tick();
    QCOMPARE(timer()->interval(), 3600 * 1000);

    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    m_fixture.advanceAndTick(0.166);
    QCOMPARE(timer()->interval(), 166);
    m_fixture.advanceAndTick(1.0);
    QCOMPARE(timer()->interval(), 166);

    QTest::mouseClick(m_fixture.startStop(), Qt::LeftButton);
    m_fixture.tick();
    QCOMPARE(timer()->interval(), 3600 * 1000);
}

QTEST_MAIN(TestTickTimer)
#include "tst_ticktimer.moc"
