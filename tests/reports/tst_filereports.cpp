#include "reportfixtures.h"
#include "reports/textreport.h"

#include <QtTest>

class TestTextReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void matchesGoldenFile_data();
    void matchesGoldenFile();
};

void TestTextReport::matchesGoldenFile_data()
{
    QTest::addColumn<ReportSnapshot>("snapshot");
    QTest::addColumn<LocalDate>("date");
    QTest::addColumn<QByteArray>("expected");
    for (const auto &golden : ReportFixtures::goldenCases())
        QTest::newRow(golden.name) << golden.snapshot << golden.date
                                   << ReportFixtures::goldenBytes(golden.goldenBase + QLatin1String(".txt"));
}

void TestTextReport::matchesGoldenFile()
{
    QFETCH(ReportSnapshot, snapshot);
    QFETCH(LocalDate, date);
    QFETCH(QByteArray, expected);
    const QByteArray actual = textReportBytes(snapshot, date);
    // Line by line first, so that a failure names the line.
    QCOMPARE(actual.split('\n'), expected.split('\n'));
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestTextReport)
#include "tst_textreport.moc"
