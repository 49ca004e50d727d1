#include "reports/typedcellvalue.h"

#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(TypedCellValue::Kind)

class TestTypedCellValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromTyped_data();
    void fromTyped();
    void minusZeroIsNoNegativeTime();
};

void TestTypedCellValue::fromTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<TypedCellValue::Kind>("kind");
    QTest::addColumn<double>("seconds");

    const auto duration = TypedCellValue::Kind::Duration;
    const auto text = TypedCellValue::Kind::Text;
    QTest::newRow("time text") << " 1:02:03" << duration << 3723.0;
    QTest::newRow("creation text without blank") << "0:00:00" << duration << 0.0;
    QTest::newRow("ten hours") << " 10:00:00" << duration << 36000.0;
    QTest::newRow("many hours") << " 1234567:59:59" << duration << 4444444799.0;
    QTest::newRow("negative") << "-0:00:05" << duration << -5.0;
    QTest::newRow("empty") << "" << TypedCellValue::Kind::Empty << 0.0;
    QTest::newRow("formula stays text") << "=1+1" << text << 0.0;
    QTest::newRow("one-digit minutes") << "1:2:03" << text << 0.0;
    QTest::newRow("sixty minutes") << " 1:60:00" << text << 0.0;
    QTest::newRow("sixty seconds") << " 1:00:60" << text << 0.0;
    QTest::newRow("two blanks") << "  1:02:03" << text << 0.0;
    QTest::newRow("blank and minus") << " -1:02:03" << text << 0.0;
    QTest::newRow("trailing blank") << " 1:02:03 " << text << 0.0;
    QTest::newRow("no hours") << " :02:03" << text << 0.0;
    QTest::newRow("minutes and seconds only") << "02:03" << text << 0.0;
    QTest::newRow("plus sign") << "+1:02:03" << text << 0.0;
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0661:02:03") << text << 0.0;
    QTest::newRow("project name") << "Web site" << text << 0.0;
}

void TestTypedCellValue::fromTyped()
{
    QFETCH(QString, typed);
    QFETCH(TypedCellValue::Kind, kind);
    QFETCH(double, seconds);

    const TypedCellValue value = TypedCellValue::fromTyped(typed);
    QCOMPARE(value.kind, kind);
    QCOMPARE(value.text, typed);
    QCOMPARE(value.days, seconds / 86400.0);
}

void TestTypedCellValue::minusZeroIsNoNegativeTime()
{
    const TypedCellValue value = TypedCellValue::fromTyped(QStringLiteral("-0:00:00"));
    QCOMPARE(value.kind, TypedCellValue::Kind::Duration);
    QVERIFY(!std::signbit(value.days));
}

QTEST_GUILESS_MAIN(TestTypedCellValue)
#include "tst_typedcellvalue.moc"
