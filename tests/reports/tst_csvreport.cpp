#include "reportfixtures.h"
#include "reports/csvreport.h"

#include <QtTest>

class TestCsvReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void matchesGoldenFile_data();
    void matchesGoldenFile();
};

void TestCsvReport::matchesGoldenFile_data()
{
    QTest::addColumn<ReportSnapshot>("snapshot");
    QTest::addColumn<LocalDate>("date");
    QTest::addColumn<QByteArray>("expected");
    for (const auto &golden : ReportFixtures::goldenCases())
        QTest::newRow(golden.name) << golden.snapshot << golden.date
                                   << ReportFixtures::goldenBytes(golden.goldenBase + QLatin1String(".csv"));
}

void TestCsvReport::matchesGoldenFile()
{
    QFETCH(ReportSnapshot, snapshot);
    QFETCH(LocalDate, date);
    QFETCH(QByteArray, expected);
    const QByteArray actual = csvReportBytes(snapshot, date);
    // Line by line first, so that a failure names the line.
    QCOMPARE(actual.split('\n'), expected.split('\n'));
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestCsvReport)
#include "tst_csvreport.moc"
