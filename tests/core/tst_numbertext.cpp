#include "core/numbertext.h"

#include <QtTest>

class TestNumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data();
    void leadingNumber();
    void shortestText_data();
    void shortestText();
};

void TestNumberText::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    const std::pair<const char *, double> rows[] = {
        {"", 0},   {"07", 7},      {"5x", 5},     {"x5", 0}, {"-5", -5}, {"-", 0},   {".", 0},  {"-.5", -0.5},
        {"5.", 5}, {"1.2.3", 1.2}, {"   42", 42}, {"+3", 3}, {"- 3", 0}, {"1,5", 1}, {"1e3", 1}};
    for (const auto &[text, number] : rows)
        QTest::addRow("\"%s\"", text) << QString::fromLatin1(text) << number;
}

void TestNumberText::leadingNumber()
{
    QFETCH(QString, text);
    QTEST(LeadingNumber(text), "number");
}

void TestNumberText::shortestText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0.0 << "0";
    QTest::newRow("-0") << -0.0 << "0";
    QTest::newRow("-5") << -5.0 << "-5";
    QTest::newRow("0.5") << 0.5 << "0.5";
    QTest::newRow("1e20") << 1e20 << "100000000000000000000";
}

void TestNumberText::shortestText()
{
    QFETCH(double, value);
    QTEST(ShortestNumberText(value), "text");
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
