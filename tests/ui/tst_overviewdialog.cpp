#include "support/fakeenvironment.h"
#include "support/fakemessageboxes.h"
#include "ui/info/overviewdialog.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

class TestOverviewDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void showsTheFilesText_data();
    void showsTheFilesText();
    void readsAChangedFileAtTheNextOpening();
    void reportsAFileThatCannotBeRead_data();
    void reportsAFileThatCannotBeRead();
    void fallsBackToTheInstalledFile_data();
    void fallsBackToTheInstalledFile();
    void escapeAndEnterElsewhereKeepItOpen();
    void okClosesIt_data();
    void okClosesIt();
    void tabNeverEntersTheHelpText();
    void helpTextIsReadOnlyAndWraps();

private:
    void writeReadme(const QByteArray &bytes);
    QPlainTextEdit *txtHelp(OverviewDialog &dialog) { return dialog.findChild<QPlainTextEdit *>("txtHelp"); }
    QPushButton *okButton(OverviewDialog &dialog) { return dialog.findChild<QPushButton *>("OKButton"); }

    std::unique_ptr<QTemporaryDir> m_folder;
    FakeEnvironment m_environment;
    FakeMessageBoxes m_boxes;
};

void TestOverviewDialog::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_environment.program = m_folder->path();
    m_environment.install.clear();
    m_boxes = FakeMessageBoxes();
}

void TestOverviewDialog::writeReadme(const QByteArray &bytes)
{
    QFile file(m_folder->filePath(QStringLiteral("readme.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestOverviewDialog::showsTheFilesText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");

    QTest::newRow("CR LF lines") << QByteArray("Help\r\n\r\nCtrl+1 to Ctrl+8\r\n")
                                 << "Help\r\n\r\nCtrl+1 to Ctrl+8\r\n"
                                 << 4;
    QTest::newRow("no final line end") << QByteArray("One\r\nTwo") << "One\r\nTwo" << 2;
    QTest::newRow("empty file") << QByteArray() << "" << 1;
    QTest::newRow("UTF-8") << QByteArray("Caf\xc3\xa9 \xe2\x80\x94 \xe6\x97\xa5\r\n")
                           << QString::fromUtf8("Caf\xc3\xa9 \xe2\x80\x94 \xe6\x97\xa5\r\n") << 2;
    QTest::newRow("Windows-1252") << QByteArray("Caf\xe9 \x96 \x80\r\n")
                                  << QString::fromUtf8("Caf\xc3\xa9 \xe2\x80\x93 \xe2\x82\xac\r\n") << 2;
}

// The dialog keeps the text with its line ends; the box shows each CR LF as one line break, never as two.
void TestOverviewDialog::showsTheFilesText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, lines);
    writeReadme(bytes);

    OverviewDialog dialog(m_environment, m_boxes);

    QVERIFY(m_boxes.shown.isEmpty());
    QCOMPARE(dialog.helpText(), text);
    QCOMPARE(txtHelp(dialog)->toPlainText(),
             QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    QCOMPARE(txtHelp(dialog)->blockCount(), lines);
    QVERIFY(dialog.LoadHelpText());
}

void TestOverviewDialog::readsAChangedFileAtTheNextOpening()
{
    writeReadme("First text\r\n");
    {
        OverviewDialog first(m_environment, m_boxes);
        QCOMPARE(first.helpText(), QStringLiteral("First text\r\n"));
    }
    writeReadme("Second text\r\n");
    OverviewDialog second(m_environment, m_boxes);
    QCOMPARE(second.helpText(), QStringLiteral("Second text\r\n"));
    QCOMPARE(txtHelp(second)->toPlainText(), QStringLiteral("Second text\n"));
}

void TestOverviewDialog::reportsAFileThatCannotBeRead_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("readmeIsAFolder");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("what");

    QTest::newRow("missing file") << "" << false << 53 << "File not found";
    QTest::newRow("missing folder") << "gone" << false << 76 << "Path not found";
    QTest::newRow("folder in its place") << "" << true << 75 << "Path/File access error";
}

void TestOverviewDialog::reportsAFileThatCannotBeRead()
{
    QFETCH(QString, folder);
    QFETCH(bool, readmeIsAFolder);
    QFETCH(int, number);
    QFETCH(QString, what);
    if (!folder.isEmpty())
        m_environment.program = m_folder->filePath(folder);
    if (readmeIsAFolder)
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("readme.txt")));
    const QString fileName = m_environment.program + QStringLiteral("/readme.txt");

    OverviewDialog dialog(m_environment, m_boxes);

    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].style, 16);
    QCOMPARE(m_boxes.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(m_boxes.shown[0].text, QStringLiteral("Error loading help file\r\nTallywick:  %1: %2 (%3)")
                                        .arg(what, fileName, QString::number(number)));
    QCOMPARE(txtHelp(dialog)->toPlainText(), QString());
    QVERIFY(!dialog.LoadHelpText());
}

void TestOverviewDialog::fallsBackToTheInstalledFile_data()
{
    QTest::addColumn<QByteArray>("beside");
    QTest::addColumn<QByteArray>("installed");
    QTest::addColumn<QString>("text");

    // An empty array stands for no file at all.
    QTest::newRow("beside the program only") << QByteArray("Own\r\n") << QByteArray() << "Own\r\n";
    QTest::newRow("installed only") << QByteArray() << QByteArray("Installed\r\n") << "Installed\r\n";
    QTest::newRow("both: the program's own wins")
        << QByteArray("Own\r\n") << QByteArray("Installed\r\n") << "Own\r\n";
    QTest::newRow("neither") << QByteArray() << QByteArray() << "";
}

// An installed program finds its help text in the install's data folder; a copy with its own readme.txt
// keeps showing that one.
void TestOverviewDialog::fallsBackToTheInstalledFile()
{
    QFETCH(QByteArray, beside);
    QFETCH(QByteArray, installed);
    QFETCH(QString, text);
    QTemporaryDir install;
    QVERIFY(install.isValid());
    m_environment.install = install.path();
    if (!beside.isEmpty())
        writeReadme(beside);
    if (!installed.isEmpty()) {
        QFile file(install.filePath(QStringLiteral("readme.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(installed), installed.size());
    }

    OverviewDialog dialog(m_environment, m_boxes);

    QCOMPARE(dialog.helpText(), text);
    if (text.isEmpty()) {
        QCOMPARE(m_boxes.shown.size(), 1);
        QCOMPARE(m_boxes.shown[0].text,
                 QStringLiteral("Error loading help file\r\nTallywick:  File not found: %1/readme.txt (53)")
                     .arg(m_environment.program));
    } else {
        QVERIFY(m_boxes.shown.isEmpty());
    }
}

void TestOverviewDialog::escapeAndEnterElsewhereKeepItOpen()
{
    writeReadme("Text\r\n");
    OverviewDialog dialog(m_environment, m_boxes);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!okButton(dialog)->isDefault());

    QTest::keyClick(okButton(dialog), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(txtHelp(dialog)->viewport(), Qt::LeftButton);
    QCOMPARE(dialog.focusWidget(), txtHelp(dialog));
    QTest::keyClick(txtHelp(dialog), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(txtHelp(dialog), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(txtHelp(dialog)->toPlainText(), QStringLiteral("Text\n"));
}

void TestOverviewDialog::okClosesIt_data()
{
    QTest::addColumn<int>("key");

    QTest::newRow("click") << 0;
    QTest::newRow("space") << int(Qt::Key_Space);
    QTest::newRow("enter on OK") << int(Qt::Key_Return);
}

void TestOverviewDialog::okClosesIt()
{
    QFETCH(int, key);
    writeReadme("Text\r\n");
    OverviewDialog dialog(m_environment, m_boxes);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.focusWidget(), okButton(dialog));

    if (key == 0)
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    else
        QTest::keyClick(okButton(dialog), Qt::Key(key));

    QVERIFY(!dialog.isVisible());
}

void TestOverviewDialog::tabNeverEntersTheHelpText()
{
    writeReadme("Text\r\n");
    OverviewDialog dialog(m_environment, m_boxes);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), okButton(dialog));
    }
    // A click still puts the focus there, for selecting text; Tab then leaves it.
    QTest::mouseClick(txtHelp(dialog)->viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), txtHelp(dialog));
    QTest::keyClick(txtHelp(dialog), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), okButton(dialog));
    QCOMPARE(txtHelp(dialog)->toPlainText(), QStringLiteral("Text\n"));
}

void TestOverviewDialog::helpTextIsReadOnlyAndWraps()
{
    writeReadme(QByteArray(2000, 'x') + "\r\n" + QByteArray("word ").repeated(400));
    OverviewDialog dialog(m_environment, m_boxes);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QPlainTextEdit *box = txtHelp(dialog);

    QTest::keyClicks(box, QStringLiteral("typed"));
    QVERIFY(!box->toPlainText().contains(QLatin1String("typed")));
    QVERIFY(box->verticalScrollBar()->isVisible());
    QVERIFY(!box->horizontalScrollBar()->isVisible());
    QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(dialog.size(), QSize(513, 377));
}

QTEST_MAIN(TestOverviewDialog)
#include "tst_overviewdialog.moc"
