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
};

void TestTypedCellValue::fromTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<TypedCellValue::Kind>("kind");
    QTest::addColumn<double>("seconds");

    const auto duration = TypedCellValue::Kind::Duration;
    QTest::newRow("time text") << " 1:02:03" << duration << 3723.0;
    QTest::newRow("creation text without blank") << "0:00:00" << duration << 0.0;
    QTest::newRow("many hours") << " 1234567:59:59" << duration << 4444444799.0;
    QTest::newRow("negative") << "-0:00:05" << duration << -5.0;
    QTest::newRow("minus zero") << "-0:00:00" << duration << 0.0;
    QTest::newRow("empty") << "" << TypedCellValue::Kind::Empty << 0.0;
    for (const char *text : {"=1+1", "1:2:03", " 1:60:00", " 1:00:60", "  1:02:03", " -1:02:03", " 1:02:03 ",
                             " :02:03", "02:03", "+1:02:03", "\u0661:02:03", "Web site"})
        QTest::addRow("text \"%s\"", text) << QString::fromUtf8(text) << TypedCellValue::Kind::Text << 0.0;
}

void TestTypedCellValue::fromTyped()
{
    QFETCH(QString, typed);
    QFETCH(double, seconds);

    const TypedCellValue value = TypedCellValue::fromTyped(typed);
    QTEST(value.kind, "kind");
    QCOMPARE(value.text, typed);
    QCOMPARE(value.days, seconds / 86400.0);
    QCOMPARE(std::signbit(value.days), seconds < 0); // no "-0:00:00" in the sheet
}

QTEST_GUILESS_MAIN(TestTypedCellValue)
#include "tst_typedcellvalue.moc"
