#include "support/fakeenvironment.h"
#include "support/fakemessageboxes.h"
#include "support/fakewebopener.h"
#include "ui/info/aboutdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestAboutDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void showsTheVersion_data();
    void showsTheVersion();
    void enterAndEscapeClose_data();
    void enterAndEscapeClose();
    void websiteClickOpensTheMakersSite();
    void refusalShowsNothing();
    void failureShowsTheErrorBoxAndStaysOpen();
    void pressDraggedOffTheLinkOpensNothing();
    void linkLooksLikeALink();
    void drawsTheEtchedRuleAndThePicture();

private:
    std::unique_ptr<AboutDialog> makeShownDialog();
    QLabel *website(AboutDialog &dialog) { return dialog.findChild<QLabel *>("lblWebsite"); }

    FakeEnvironment m_environment;
    FakeWebOpener m_opener;
    FakeMessageBoxes m_boxes;
};

void TestAboutDialog::init()
{
    m_environment = FakeEnvironment();
    m_opener = FakeWebOpener();
    m_boxes = FakeMessageBoxes();
}

std::unique_ptr<AboutDialog> TestAboutDialog::makeShownDialog()
{
    auto dialog = std::make_unique<AboutDialog>(m_environment, m_opener, m_boxes);
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get()))
        return nullptr;
    return dialog;
}

void TestAboutDialog::showsTheVersion_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("text");

    QTest::newRow("1.3.1") << 1 << 3 << 1 << "Version 1.3.1";
    QTest::newRow("2.0.15") << 2 << 0 << 15 << "Version 2.0.15";
    QTest::newRow("10.20.300") << 10 << 20 << 300 << "Version 10.20.300";
}

void TestAboutDialog::showsTheVersion()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, text);
    m_environment.versionNumber = {major, minor, revision};

    AboutDialog dialog(m_environment, m_opener, m_boxes);

    QCOMPARE(dialog.findChild<QLabel *>("lblVersion")->text(), text);
}

void TestAboutDialog::enterAndEscapeClose_data()
{
    QTest::addColumn<int>("key");

    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestAboutDialog::enterAndEscapeClose()
{
    QFETCH(int, key);
    auto dialog = makeShownDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->focusWidget(), dialog->findChild<QPushButton *>("cmdOK"));

    QTest::keyClick(dialog->focusWidget(), Qt::Key(key));

    QVERIFY(!dialog->isVisible());
    QVERIFY(m_opener.opened.isEmpty());
}

void TestAboutDialog::websiteClickOpensTheMakersSite()
{
    auto dialog = makeShownDialog();
    QVERIFY(dialog);

    QTest::mouseClick(website(*dialog), Qt::LeftButton);

    QCOMPARE(m_opener.opened, QStringList{QStringLiteral("http://www.example.com")});
    QVERIFY(m_boxes.shown.isEmpty());
    QVERIFY(dialog->isVisible());
}

void TestAboutDialog::refusalShowsNothing()
{
    m_opener.outcome = {false, std::nullopt};
    auto dialog = makeShownDialog();
    QVERIFY(dialog);

    QTest::mouseClick(website(*dialog), Qt::LeftButton);

    QCOMPARE(m_opener.opened.size(), 1);
    QVERIFY(m_boxes.shown.isEmpty());
    QVERIFY(dialog->isVisible());
}

void TestAboutDialog::failureShowsTheErrorBoxAndStaysOpen()
{
    m_opener.outcome = {false, ErrorInfo{53, QStringLiteral("Tallywick"), QStringLiteral("No opener")}};
    auto dialog = makeShownDialog();
    QVERIFY(dialog);

    QTest::mouseClick(website(*dialog), Qt::LeftButton);

    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].style, 16);
    QCOMPARE(m_boxes.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(m_boxes.shown[0].text, QStringLiteral("Error opening browser\r\nTallywick:  No opener (53)"));
    QVERIFY(dialog->isVisible());
}

void TestAboutDialog::pressDraggedOffTheLinkOpensNothing()
{
    auto dialog = makeShownDialog();
    QVERIFY(dialog);
    QLabel *link = website(*dialog);

    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, link->height() + 40));
    QTest::mouseClick(link, Qt::RightButton);

    QVERIFY(m_opener.opened.isEmpty());
}

void TestAboutDialog::linkLooksLikeALink()
{
    AboutDialog dialog(m_environment, m_opener, m_boxes);
    QLabel *link = website(dialog);

    QCOMPARE(link->text(), MakerContact::website);
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(dialog.cursor().shape(), Qt::ArrowCursor);
    QVERIFY(link->font().underline());
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

void TestAboutDialog::drawsTheEtchedRuleAndThePicture()
{
    AboutDialog dialog(m_environment, m_opener, m_boxes);
    QCOMPARE(dialog.size(), QSize(329, 297));
    const QImage image = dialog.grab().toImage();
    const QColor grey(128, 128, 128);
    const QColor white(255, 255, 255);

    for (int x : {0, 150, 320}) {
        QCOMPARE(image.pixelColor(x, 251), grey);
        QCOMPARE(image.pixelColor(x, 252), white);
        QCOMPARE(image.pixelColor(x, 253), white);
    }
    QVERIFY(image.pixelColor(321, 251) != grey);
    QVERIFY(image.pixelColor(150, 250) != grey);

    const QPixmap picture = dialog.findChild<QLabel *>("Picture1")->pixmap();
    QCOMPARE(picture.size(), QSize(192, 106));
}

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
