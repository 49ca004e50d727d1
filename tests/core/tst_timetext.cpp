#include "core/timetext.h"

#include <QtTest>

#include <cmath>
#include <limits>

class TestTimeText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dissect_data();
    void dissect();
    void dissectShowsTheLargestFloat();
    void dissectHasNoTextForNonFinite_data();
    void dissectHasNoTextForNonFinite();
    void assemble_data();
    void assemble();
    void roundTripsEveryHourMinuteAndSecond();
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
};

void TestTimeText::dissect_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << " 0:00:00";
    QTest::newRow("59") << 59.0 << " 0:00:59";
    QTest::newRow("60") << 60.0 << " 0:01:00";
    QTest::newRow("3599") << 3599.0 << " 0:59:59";
    QTest::newRow("3600") << 3600.0 << " 1:00:00";
    QTest::newRow("3725") << 3725.0 << " 1:02:05";
    QTest::newRow("day less a second") << 86399.0 << " 23:59:59";
    QTest::newRow("a day") << 86400.0 << " 24:00:00";
    QTest::newRow("99 hours") << 359999.0 << " 99:59:59";
    QTest::newRow("100 hours") << 360000.0 << " 100:00:00";
    QTest::newRow("2^31 s") << 2147483648.0 << " 596523:14:08";
    QTest::newRow("half to even down") << 2.5 << " 0:00:02";
    QTest::newRow("half to even up") << 3.5 << " 0:00:04";
    QTest::newRow("3725.5") << 3725.5 << " 1:02:06";
    QTest::newRow("3724.5") << 3724.5 << " 1:02:04";
    QTest::newRow("minus 5") << -5.0 << "-0:00:05";
    QTest::newRow("minus 3725") << -3725.0 << "-1:02:05";
    QTest::newRow("minus a half") << -0.5 << " 0:00:00";
    QTest::newRow("minus 0.6") << -0.6 << "-0:00:01";
    QTest::newRow("negative zero") << -0.0 << " 0:00:00";
}

void TestTimeText::dissect()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(DissectTime(seconds).value_or(QStringLiteral("<none>")), text);
}

void TestTimeText::dissectShowsTheLargestFloat()
{
    // Far beyond any real count, but still a number: it must show hours, not fail.
    const auto text = DissectTime(double(std::numeric_limits<float>::max()));
    QVERIFY(text.has_value());
    QVERIFY(text->startsWith(QLatin1String(" 945228740662580")));
}

void TestTimeText::dissectHasNoTextForNonFinite_data()
{
    QTest::addColumn<double>("seconds");
    QTest::newRow("inf") << std::numeric_limits<double>::infinity();
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity();
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
}

void TestTimeText::dissectHasNoTextForNonFinite()
{
    QFETCH(double, seconds);
    QVERIFY(!DissectTime(seconds).has_value());
}

void TestTimeText::assemble_data()
{
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<double>("count");

    QTest::newRow("1 2 5") << 1 << 2 << 5 << 3725.0;
    QTest::newRow("10 0 0") << 10 << 0 << 0 << 36000.0;
    QTest::newRow("99 59 59") << 99 << 59 << 59 << 359999.0;
    QTest::newRow("zero") << 0 << 0 << 0 << 0.0;
    QTest::newRow("75 minutes") << 0 << 75 << 0 << 4500.0;
    QTest::newRow("minus seconds") << 1 << 0 << -5 << 3595.0;
    QTest::newRow("16-bit extremes") << 32767 << 32767 << 32767 << 119959987.0;
    QTest::newRow("16-bit minimum") << -32768 << -32768 << -32768 << -119963648.0;
}

void TestTimeText::assemble()
{
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(double, count);
    QCOMPARE(AssembleTime(qint16(hours), qint16(minutes), qint16(seconds)), count);
}

void TestTimeText::roundTripsEveryHourMinuteAndSecond()
{
    for (int h = 0; h <= 99; ++h) {
        for (int m = 0; m <= 59; ++m) {
            for (int s = 0; s <= 59; ++s) {
                const auto count = static_cast<float>(AssembleTime(qint16(h), qint16(m), qint16(s)));
                const QString expected = QStringLiteral(" %1:%2:%3")
                                             .arg(h)
                                             .arg(m, 2, 10, QLatin1Char('0'))
                                             .arg(s, 2, 10, QLatin1Char('0'));
                if (DissectTime(count) != expected)
                    QFAIL(qPrintable(
                        QStringLiteral("%1 %2 %3 gave %4").arg(h).arg(m).arg(s).arg(*DissectTime(count))));
            }
        }
    }
}

void TestTimeText::roundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-3.5") << -3.5 << -4.0;
    QTest::newRow("2.4999") << 2.4999 << 2.0;
    QTest::newRow("1e300") << 1e300 << 1e300;
}

void TestTimeText::roundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(roundHalfEven(value), rounded);
}

QTEST_GUILESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
