#include "platform/systemenvironment.h"
#include "storage/projectlistfolder.h"

#include <QTemporaryDir>
#include <QTest>

// Where the project list goes. The tests run as root, who may write into any folder whatever its mode, so
// the rule is driven with a writability test of our choosing and the real test is tried on folders that
// nobody can create a file in.
namespace {
const QString beside = QStringLiteral("/opt/portable/tallywick");
const QString user = QStringLiteral("/home/ann/.local/share/tallywick");
} // namespace

class TestSystemEnvironment : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosesTheProgramFolderWhileItCanBeWritten_data();
    void choosesTheProgramFolderWhileItCanBeWritten();
    void probeCreatesAFileAndLeavesNothingBehind_data();
    void probeCreatesAFileAndLeavesNothingBehind();
    void writableProgramFolderKeepsTheList();
};

void TestSystemEnvironment::choosesTheProgramFolderWhileItCanBeWritten_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("portable copy or build folder") << false << true << beside;
    QTest::newRow("portable copy on a read-only medium") << false << false << user;
    QTest::newRow("system-wide install") << true << false << user;
    QTest::newRow("install that root or the user may write to") << true << true << user;
}

// Only the program's folder is tried, and only for a copy that is not installed; the user's data folder
// may not exist yet.
void TestSystemEnvironment::choosesTheProgramFolderWhileItCanBeWritten()
{
    QFETCH(bool, installed);
    QFETCH(bool, writable);
    QStringList tried;
    const auto canWriteInto = [&](const QString &folder) {
        tried << folder;
        return writable;
    };

    QTEST(ProjectListFolder::choose(beside, user, installed, canWriteInto), "chosen");
    QCOMPARE(tried, installed ? QStringList() : QStringList(beside));
}

void TestSystemEnvironment::probeCreatesAFileAndLeavesNothingBehind_data()
{
    QTest::addColumn<QString>("inside");
    QTest::addColumn<bool>("canCreate");

    QTest::newRow("folder") << "" << true;
    QTest::newRow("folder that does not exist") << "missing" << false;
    QTest::newRow("a file, not a folder") << "file" << false;
}

void TestSystemEnvironment::probeCreatesAFileAndLeavesNothingBehind()
{
    QFETCH(QString, inside);
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QTEST(ProjectListFolder::canCreateFilesIn(folder.filePath(inside)), "canCreate");
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList(QStringLiteral("file")));
}

// This test's own folder (the build's bin folder) can be written: the list stays beside the program and
// the user's data folder is left alone.
void TestSystemEnvironment::writableProgramFolderKeepsTheList()
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());

    QCOMPARE(SystemEnvironment().dataFolder(), QCoreApplication::applicationDirPath());
    QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(TestSystemEnvironment)
#include "tst_systemenvironment.moc"
