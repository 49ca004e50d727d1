#include "reports/csvreport.h"
#include "reports/textreport.h"

#include <QtTest>

Q_DECLARE_METATYPE(ReportSnapshot)
Q_DECLARE_METATYPE(LocalDate)

namespace {

QList<QByteArray> goldenLines(const QString &fileName)
{
    QFile file(QStringLiteral(TALLYWICK_TEST_DATA "/reports/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", qPrintable(file.fileName()));
    return file.readAll().split('\n');
}

// A snapshot of the texts alone: the text and CSV reports use no seconds.
ReportSnapshot shown(const QString &userName, const QStringList &names, const QStringList &daily,
                     const QStringList &total, const QString &dailySum)
{
    ReportSnapshot snapshot{userName, {}, {}, {}, {dailySum}};
    std::copy(names.begin(), names.end(), snapshot.names.begin());
    for (qsizetype row = 0; row < daily.size(); ++row)
        snapshot.daily[std::size_t(row)].text = daily[row];
    for (qsizetype row = 0; row < total.size(); ++row)
        snapshot.total[std::size_t(row)].text = total[row];
    return snapshot;
}

} // namespace

// The text and CSV reports of one window state each match their golden file byte for byte.
class TestFileReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void matchGoldenFiles_data();
    void matchGoldenFiles();
};

void TestFileReports::matchGoldenFiles_data()
{
    QTest::addColumn<ReportSnapshot>("snapshot");
    QTest::addColumn<LocalDate>("date");
    QTest::addColumn<QString>("golden");

    // Snapshots list the rows from row 0; rows without a name leave no trace, whatever times they hold.
    const LocalDate april18{2006, 4, 18, 3};
    QTest::newRow("worked example") << shown("Ann", {"Project 1", "", "Web site"},
                                             {" 1:02:03", " 0:00:07", " 0:00:00"},
                                             {" 10:00:00", " 0:00:07", " 0:04:00"}, " 1:02:03")
                                    << april18 << "example";
    QTest::newRow("no named rows") << shown("Ann", {}, {}, {}, " 0:00:00") << april18 << "no_rows";
    QTest::newRow("rows 0 and 5") << shown("Ann", {"Alpha", "", "", "", "", "Foxtrot"},
                                           {" 0:10:00", " 9:09:09", " 9:09:09", " 9:09:09", " 9:09:09",
                                            " 0:20:30", " 9:09:09", " 9:09:09"},
                                           {" 2:00:00", " 99:09:09", " 99:09:09", " 99:09:09", " 99:09:09",
                                            " 123:45:06", " 99:09:09", " 99:09:09"},
                                           " 0:30:30")
                                  << april18 << "rows_0_and_5";
    QTest::newRow("creation text") << shown("Ann", {"Web site"}, {"0:00:00"}, {"0:00:00"}, " 0:00:00")
                                   << april18 << "creation_text";
    QTest::newRow("names of blanks") << shown("  ", {" "}, {" 0:00:01"}, {" 0:00:01"}, " 0:00:01") << april18
                                     << "blank_names";
    QTest::newRow("commas and quotes")
        << shown("Smith, Ann", {"", "Say \"hi\", world", "", "", "", "", "", "a,b"},
                 {"", " 0:01:00", "", "", "", "", "", " 0:03:00"},
                 {"", " 0:02:00", "", "", "", "", "", " 0:04:00"}, " 0:04:00")
        << april18 << "commas_quotes";
    QTest::newRow("non-ASCII in UTF-8") << shown("Zoë", {"", "", "", "Café €"}, {"", "", "", " 0:00:05"},
                                                 {"", "", "", " 0:00:06"}, " 0:00:05")
                                        << LocalDate{2005, 12, 31, 7} << "utf8";
}

void TestFileReports::matchGoldenFiles()
{
    QFETCH(ReportSnapshot, snapshot);
    QFETCH(LocalDate, date);
    QFETCH(QString, golden);
    QCOMPARE(textReportBytes(snapshot, date).split('\n'), goldenLines(golden + QLatin1String(".txt")));
    QCOMPARE(csvReportBytes(snapshot, date).split('\n'), goldenLines(golden + QLatin1String(".csv")));
}

QTEST_GUILESS_MAIN(TestFileReports)
#include "tst_filereports.moc"
