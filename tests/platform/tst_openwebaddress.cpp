#include "platform/openwebaddress.h"
#include "support/fakewebopener.h"

#include <QTest>

class TestOpenWebAddress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addsSchemeOnlyWhenMissing_data();
    void addsSchemeOnlyWhenMissing();
    void passesTheDesktopsFailureOn();
};

void TestOpenWebAddress::addsSchemeOnlyWhenMissing_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");

    QTest::newRow("bare host") << "www.x.org" << QStringLiteral("http://www.x.org");
    QTest::newRow("upper-case scheme") << "HTTP://x.org" << QStringLiteral("HTTP://x.org");
    QTest::newRow("secure scheme") << "https://x.org" << QStringLiteral("https://x.org");
    QTest::newRow("http further on") << "x.org/http" << QStringLiteral("http://x.org/http");
    QTest::newRow("other scheme") << "ftp://x.org" << QStringLiteral("http://ftp://x.org");
}

void TestOpenWebAddress::addsSchemeOnlyWhenMissing()
{
    QFETCH(QString, address);
    FakeWebOpener opener;
    QVERIFY(OpenWebAddress(address, opener).accepted);
    QTEST(opener.opened.join(QLatin1Char('|')), "opened");
}

void TestOpenWebAddress::passesTheDesktopsFailureOn()
{
    FakeWebOpener opener;
    opener.outcome = {false, ErrorInfo{53, QStringLiteral("browser"), QStringLiteral("File not found")}};

    const OpenOutcome outcome = OpenWebAddress(QStringLiteral("www.x.org"), opener);
    QVERIFY(!outcome.accepted);
    QCOMPARE(outcome.error.value_or(ErrorInfo()).number, 53);
}

QTEST_GUILESS_MAIN(TestOpenWebAddress)
#include "tst_openwebaddress.moc"
