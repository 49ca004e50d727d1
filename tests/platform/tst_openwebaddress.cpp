#include "platform/openwebaddress.h"
#include "support/fakewebopener.h"

#include <QTest>

class TestOpenWebAddress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addsSchemeOnlyWhenMissing_data();
    void addsSchemeOnlyWhenMissing();
    void passesTheDesktopsAnswerOn_data();
    void passesTheDesktopsAnswerOn();
};

void TestOpenWebAddress::addsSchemeOnlyWhenMissing_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");

    QTest::newRow("bare host") << "www.x.org"
                               << "http://www.x.org";
    QTest::newRow("upper-case scheme") << "HTTP://x.org"
                                       << "HTTP://x.org";
    QTest::newRow("secure scheme") << "https://x.org"
                                   << "https://x.org";
    QTest::newRow("http further on") << "x.org/http"
                                     << "http://x.org/http";
    QTest::newRow("mixed case") << "hTtP://x.org"
                                << "hTtP://x.org";
    QTest::newRow("other scheme") << "ftp://x.org"
                                  << "http://ftp://x.org";
    QTest::newRow("empty") << ""
                           << "http://";
}

void TestOpenWebAddress::addsSchemeOnlyWhenMissing()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);

    FakeWebOpener opener;
    (void)OpenWebAddress(address, opener);

    QCOMPARE(opener.opened, QStringList{opened});
}

void TestOpenWebAddress::passesTheDesktopsAnswerOn_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("failed");

    QTest::newRow("accepted") << true << false;
    QTest::newRow("refused") << false << false;
    QTest::newRow("failed") << false << true;
}

void TestOpenWebAddress::passesTheDesktopsAnswerOn()
{
    QFETCH(bool, accepted);
    QFETCH(bool, failed);

    FakeWebOpener opener;
    opener.outcome.accepted = accepted;
    if (failed)
        opener.outcome.error = ErrorInfo{53, QStringLiteral("browser"), QStringLiteral("File not found")};

    const OpenOutcome outcome = OpenWebAddress(QStringLiteral("www.x.org"), opener);

    QCOMPARE(outcome.accepted, accepted);
    QCOMPARE(outcome.error.has_value(), failed);
    if (failed)
        QCOMPARE(outcome.error->number, 53);
}

QTEST_GUILESS_MAIN(TestOpenWebAddress)
#include "tst_openwebaddress.moc"
