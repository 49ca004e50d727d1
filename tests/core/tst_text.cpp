#include "core/numbertext.h"
#include "core/timetext.h"

#include <QtTest>

// The texts of times and numbers, one table per function. The dates are shown by the reports' golden files.
class TestText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dissectTime_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        for (const auto &[seconds, text] : {std::pair(0.0, " 0:00:00"),
                                            {3725, " 1:02:05"},
                                            {86400, " 24:00:00"},
                                            {2.5, " 0:00:02"},
                                            {3.5, " 0:00:04"},
                                            {-5, "-0:00:05"},
                                            {-3725, "-1:02:05"},
                                            {-0.5, " 0:00:00"},
                                            {-0.6, "-0:00:01"},
                                            {1e12, " 277777777:46:40"},
                                            {1e17, " 27777777777777:46:40"},
                                            {qInf(), "no text"},
                                            {qQNaN(), "no text"}})
            QTest::addRow("%.1f", seconds) << seconds << QString::fromLatin1(text);
    }
    void dissectTime()
    {
        QFETCH(double, seconds);
        QTEST(DissectTime(seconds).value_or(QStringLiteral("no text")), "text");
    }

    void assembleTime()
    {
        QCOMPARE(AssembleTime(1, 2, 5), 3725.0);
        QCOMPARE(AssembleTime(1, 0, -5), 3595.0);
        // Beyond the range of 16-bit arithmetic.
        QCOMPARE(AssembleTime(32767, 32767, 32767), 119959987.0);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        for (const auto &[text, number] : {std::pair("", 0.0),
                                           {"5x", 5},
                                           {"x5", 0},
                                           {"-5", -5},
                                           {"-", 0},
                                           {".", 0},
                                           {"-.5", -0.5},
                                           {"1.2.3", 1.2},
                                           {"   42", 42},
                                           {"+3", 3},
                                           {"- 3", 0},
                                           {"1,5", 1},
                                           {"1e3", 1}})
            QTest::addRow("\"%s\"", text) << QString::fromLatin1(text) << number;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QTEST(LeadingNumber(text), "number");
    }

    void shortestNumberText()
    {
        QCOMPARE(ShortestNumberText(-0.0), QStringLiteral("0"));
        QCOMPARE(ShortestNumberText(-5), QStringLiteral("-5"));
        QCOMPARE(ShortestNumberText(0.5, QLatin1Char(',')), QStringLiteral("0,5"));
        QCOMPARE(ShortestNumberText(1e20), QStringLiteral("100000000000000000000"));
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
