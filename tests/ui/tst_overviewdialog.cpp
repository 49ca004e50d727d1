#include "support/fakeenvironment.h"
#include "support/fakemessageboxes.h"
#include "ui/info/overviewdialog.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestOverviewDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("installed")));
        m_environment.program = m_folder->path();
        m_environment.install = m_folder->filePath(QStringLiteral("installed"));
        m_boxes = FakeMessageBoxes();
    }

    void showsTheFilesText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("installedCopy");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("lines");
        QTest::newRow("CR LF lines") << QByteArray("Help\r\n\r\nCtrl+1 to Ctrl+8\r\n") << false
                                     << "Help\n\nCtrl+1 to Ctrl+8\n"
                                     << 4;
        QTest::newRow("empty file") << QByteArray() << false << "" << 1;
        QTest::newRow("Windows-1252") << QByteArray("Caf\xe9 \x96 \x80\r\n") << false
                                      << QString::fromUtf8("Caf\xc3\xa9 \xe2\x80\x93 \xe2\x82\xac\n") << 2;
        QTest::newRow("installed copy only") << QByteArray("Installed\r\n") << true << "Installed\n" << 2;
    }

    void showsTheFilesText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, installedCopy);
        writeReadme(bytes, installedCopy ? m_environment.install : QString());

        OverviewDialog dialog(m_environment, m_boxes);
        QVERIFY(m_boxes.shown.isEmpty());
        QTEST(txtHelp(dialog)->toPlainText(), "shown");
        QTEST(txtHelp(dialog)->blockCount(), "lines");
    }

    void readsAChangedFileAtTheNextOpening()
    {
        writeReadme("First text\r\n");
        OverviewDialog first(m_environment, m_boxes);
        writeReadme("Second text\r\n");
        OverviewDialog second(m_environment, m_boxes);
        QCOMPARE(txtHelp(first)->toPlainText(), QStringLiteral("First text\n"));
        QCOMPARE(txtHelp(second)->toPlainText(), QStringLiteral("Second text\n"));
    }

    void reportsAFileThatCannotBeRead_data()
    {
        QTest::addColumn<bool>("readmeIsAFolder");
        QTest::addColumn<QString>("details");
        QTest::newRow("missing file") << false << "File not found: %1/readme.txt (53)";
        QTest::newRow("folder in its place") << true << "Path/File access error: %1/readme.txt (75)";
    }

    void reportsAFileThatCannotBeRead()
    {
        QFETCH(bool, readmeIsAFolder);
        QFETCH(QString, details);
        QVERIFY(!readmeIsAFolder || QDir(m_folder->path()).mkdir(QStringLiteral("readme.txt")));

        OverviewDialog dialog(m_environment, m_boxes);
        QCOMPARE(m_boxes.shown.size(), 1);
        const FakeMessageBoxes::Shown &box = m_boxes.shown[0];
        QCOMPARE(QStringLiteral("%1 %2: %3").arg(QString::number(box.style), box.title, box.text),
                 QStringLiteral("16 Error: Error loading help file\r\nTallywick:  ") +
                     details.arg(m_environment.program));
        QCOMPARE(txtHelp(dialog)->toPlainText(), QString());
    }

    void keysKeepOutOfTheTextAndEscDoesNotClose()
    {
        writeReadme("Text\r\n");
        OverviewDialog dialog(m_environment, m_boxes);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *ok = dialog.findChild<QPushButton *>("OKButton");
        QPlainTextEdit *box = txtHelp(dialog);

        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Escape})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(QApplication::focusWidget(), ok);
        // A click still puts the focus in the text, for selecting; typing, Esc and Enter change nothing there
        // and Tab leaves it.
        QTest::mouseClick(box->viewport(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("typed"));
        QTest::keyClick(box, Qt::Key_Escape);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
        QVERIFY(dialog.isVisible());
        QCOMPARE(box->toPlainText(), QStringLiteral("Text\n"));

        QTest::keyClick(ok, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    }

private:
    void writeReadme(const QByteArray &bytes, const QString &folder = QString())
    {
        QFile file((folder.isEmpty() ? m_environment.program : folder) + QStringLiteral("/readme.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QPlainTextEdit *txtHelp(OverviewDialog &dialog) { return dialog.findChild<QPlainTextEdit *>("txtHelp"); }

    std::unique_ptr<QTemporaryDir> m_folder;
    FakeEnvironment m_environment;
    FakeMessageBoxes m_boxes;
};

QTEST_MAIN(TestOverviewDialog)
#include "tst_overviewdialog.moc"
