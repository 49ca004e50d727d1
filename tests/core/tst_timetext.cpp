#include "core/timetext.h"

#include <QtTest>

#include <array>

class TestTimeText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dissect_data();
    void dissect();
    void assemble_data();
    void assemble();
    void roundTripsEveryHourMinuteAndSecond();
};

void TestTimeText::dissect_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");

    for (const auto &[seconds, text] :
         {std::pair(0.0, " 0:00:00"), {59, " 0:00:59"},       {60, " 0:01:00"},     {3599, " 0:59:59"},
          {3600, " 1:00:00"},         {3725, " 1:02:05"},     {86399, " 23:59:59"}, {86400, " 24:00:00"},
          {359999, " 99:59:59"},      {360000, " 100:00:00"}, {2.5, " 0:00:02"},    {3.5, " 0:00:04"},
          {3724.5, " 1:02:04"},       {3725.5, " 1:02:06"},   {-5, "-0:00:05"},     {-3725, "-1:02:05"},
          {-0.5, " 0:00:00"},         {-0.6, "-0:00:01"},     {-0.0, " 0:00:00"},   {qInf(), "no text"},
          {-qInf(), "no text"},       {qQNaN(), "no text"}})
        QTest::addRow("%.1f", seconds) << seconds << QString::fromLatin1(text);
    QTest::newRow("2^31") << 2147483648.0 << " 596523:14:08";
    QTest::newRow("1e12") << 1e12 << " 277777777:46:40";
}

void TestTimeText::dissect()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(DissectTime(seconds).value_or(QStringLiteral("no text")), text);
}

void TestTimeText::assemble_data()
{
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<double>("count");
    // The last two go beyond the range of 16-bit arithmetic.
    for (const auto &[h, m, s, count] :
         std::initializer_list<std::array<int, 4>>{{1, 2, 5, 3725},
                                                   {10, 0, 0, 36000},
                                                   {99, 59, 59, 359999},
                                                   {0, 0, 0, 0},
                                                   {1, 0, -5, 3595},
                                                   {32767, 32767, 32767, 119959987},
                                                   {-32768, -32768, -32768, -119963648}})
        QTest::addRow("%d %d %d", h, m, s) << h << m << s << double(count);
}

void TestTimeText::assemble()
{
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QTEST(AssembleTime(qint16(hours), qint16(minutes), qint16(seconds)), "count");
}

// Through a 32-bit float, as the daily counts are kept.
void TestTimeText::roundTripsEveryHourMinuteAndSecond()
{
    for (int h = 0; h <= 99; ++h) {
        for (int m = 0; m <= 59; ++m) {
            for (int s = 0; s <= 59; ++s) {
                const QString expected = QString::asprintf(" %d:%02d:%02d", h, m, s);
                const auto text = DissectTime(float(AssembleTime(qint16(h), qint16(m), qint16(s))));
                if (text != expected)
                    QFAIL(qPrintable(expected + QLatin1String(" gave ") + text.value_or("nothing")));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
