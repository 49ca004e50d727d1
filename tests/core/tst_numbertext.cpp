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
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("7") << "7" << 7.0;
    QTest::newRow("07") << "07" << 7.0;
    QTest::newRow("5x") << "5x" << 5.0;
    QTest::newRow("x5") << "x5" << 0.0;
    QTest::newRow("-5") << "-5" << -5.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow(".5") << ".5" << 0.5;
    QTest::newRow("-.5") << "-.5" << -0.5;
    QTest::newRow("5.") << "5." << 5.0;
    QTest::newRow("1.2.3") << "1.2.3" << 1.2;
    QTest::newRow("leading blanks") << "   42" << 42.0;
    QTest::newRow("plus") << "+3" << 3.0;
    QTest::newRow("blank after sign") << "- 3" << 0.0;
    QTest::newRow("comma stops") << "1,5" << 1.0;
    QTest::newRow("exponent stops") << "1e3" << 1.0;
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
    QTest::newRow("7") << 7.0 << "7";
    QTest::newRow("-5") << -5.0 << "-5";
    QTest::newRow("0.5") << 0.5 << "0.5";
    QTest::newRow("large") << 123456789012.0 << "123456789012";
    QTest::newRow("1e20") << 1e20 << "100000000000000000000";
}

void TestNumberText::shortestText()
{
    QFETCH(double, value);
    QTEST(ShortestNumberText(value), "text");
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
