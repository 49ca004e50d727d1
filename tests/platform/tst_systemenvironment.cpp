#include "platform/systemenvironment.h"
#include "storage/projectlistfolder.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

// Where the project list goes. The tests run as root, who may write into any folder whatever its mode, so
// the rule is driven with a writability test of our choosing and the real test is tried on folders that
// nobody can create a file in. A read-only mount needs a mount namespace: the test of the real program
// under tests/app tries that one.
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
    void folderCountsAsWritableByItsPermissions_data();
    void folderCountsAsWritableByItsPermissions();
    void listBesideTheProgramIsTakenOver_data();
    void listBesideTheProgramIsTakenOver();
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

void TestSystemEnvironment::folderCountsAsWritableByItsPermissions_data()
{
    QTest::addColumn<QString>("inside");
    QTest::addColumn<bool>("noNewFile"); // no file can be made, as on a disk without free inodes
    QTest::addColumn<bool>("writable");

    QTest::newRow("folder") << "" << false << true;
    QTest::newRow("folder that takes no new file") << "" << true << true;
    QTest::newRow("folder that does not exist") << "missing" << false << false;
    QTest::newRow("a file, not a folder") << "file" << false << false;
}

void TestSystemEnvironment::folderCountsAsWritableByItsPermissions()
{
    QFETCH(QString, inside);
    QFETCH(bool, noNewFile);
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    const rlimit none{0, files.rlim_max};
    if (noNewFile)
        setrlimit(RLIMIT_NOFILE, &none);
    const bool writable = ProjectListFolder::mayWriteInto(folder.filePath(inside));
    setrlimit(RLIMIT_NOFILE, &files);

    QTEST(writable, "writable");
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList(QStringLiteral("file")));
}

void TestSystemEnvironment::listBesideTheProgramIsTakenOver_data()
{
    QTest::addColumn<QByteArray>("beside");
    QTest::addColumn<QByteArray>("inDataFolder");
    QTest::addColumn<QByteArray>("taken");

    QTest::newRow("data folder without a list")
        << QByteArray("beside") << QByteArray() << QByteArray("beside");
    QTest::newRow("data folder with its own list")
        << QByteArray("beside") << QByteArray("own") << QByteArray("own");
    QTest::newRow("nothing beside the program") << QByteArray() << QByteArray() << QByteArray();
}

void TestSystemEnvironment::listBesideTheProgramIsTakenOver()
{
    QFETCH(QByteArray, beside);
    QFETCH(QByteArray, inDataFolder);
    QTemporaryDir program;
    QTemporaryDir data;
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        return bytes.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    const auto read = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QVERIFY(write(program.filePath(QStringLiteral("projlist.dat")), beside));
    QVERIFY(write(data.filePath(QStringLiteral("projlist.dat")), inDataFolder));

    ProjectListFolder::takeOverListBesideProgram(program.path(), data.path());
    QTEST(read(data.filePath(QStringLiteral("projlist.dat"))), "taken");
    QCOMPARE(read(program.filePath(QStringLiteral("projlist.dat"))), beside);
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
