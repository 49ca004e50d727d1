#include "platform/systemenvironment.h"
#include "storage/projectlistfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Where the project list goes: the rule with a writability test of our choosing (the tests run as root,
// who may write into any folder whatever its mode), the real test on folders that nobody can write to,
// and the environment as the program makes it.
class TestSystemEnvironment : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosesTheProgramFolderWhileItCanBeWritten_data();
    void choosesTheProgramFolderWhileItCanBeWritten();
    void probeCreatesAFileAndLeavesNothingBehind();
    void probeFailsWhereNoFileCanBeMade_data();
    void probeFailsWhereNoFileCanBeMade();
    void writableProgramFolderKeepsTheList();
    void installedHelpTextIsFoundFromTheProgramFolder();
};

void TestSystemEnvironment::choosesTheProgramFolderWhileItCanBeWritten_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("asked");

    const QString beside = QStringLiteral("/opt/portable/tallywick");
    const QString user = QStringLiteral("/home/ann/.local/share/tallywick");
    QTest::newRow("portable copy or build folder") << false << true << beside << 1;
    QTest::newRow("portable copy on a read-only medium") << false << false << user << 1;
    QTest::newRow("system-wide install") << true << false << user << 0;
    QTest::newRow("install that root or the user may write to") << true << true << user << 0;
}

void TestSystemEnvironment::choosesTheProgramFolderWhileItCanBeWritten()
{
    QFETCH(bool, installed);
    QFETCH(bool, writable);
    QFETCH(QString, chosen);
    QFETCH(int, asked);
    QStringList tried;
    const auto canWriteInto = [&](const QString &folder) {
        tried << folder;
        return writable;
    };

    QCOMPARE(ProjectListFolder::choose(QStringLiteral("/opt/portable/tallywick"),
                                       QStringLiteral("/home/ann/.local/share/tallywick"), installed,
                                       canWriteInto),
             chosen);
    // Only the program's folder is tried, and only for a copy that is not installed; the user's data
    // folder may not exist yet.
    QCOMPARE(tried, QStringList(asked, QStringLiteral("/opt/portable/tallywick")));
}

void TestSystemEnvironment::probeCreatesAFileAndLeavesNothingBehind()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());

    QVERIFY(ProjectListFolder::canCreateFilesIn(folder.path()));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestSystemEnvironment::probeFailsWhereNoFileCanBeMade_data()
{
    QTest::addColumn<QString>("inside");

    QTest::newRow("folder that does not exist") << "missing";
    QTest::newRow("a file, not a folder") << "file";
}

void TestSystemEnvironment::probeFailsWhereNoFileCanBeMade()
{
    QFETCH(QString, inside);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QVERIFY(!ProjectListFolder::canCreateFilesIn(folder.filePath(inside)));
}

// This test's own folder (the build's bin folder) can be written: the list stays beside the program and
// the user's data folder is left alone.
void TestSystemEnvironment::writableProgramFolderKeepsTheList()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());

    const SystemEnvironment environment;

    QCOMPARE(SystemEnvironment::userDataFolder(), home.path() + QLatin1String("/tallywick"));
    QVERIFY(!environment.isInstalled());
    QCOMPARE(environment.dataFolder(), QCoreApplication::applicationDirPath());
    QVERIFY(!QFileInfo::exists(SystemEnvironment::userDataFolder()));
}

void TestSystemEnvironment::installedHelpTextIsFoundFromTheProgramFolder()
{
    const SystemEnvironment environment;
    QDir programFolder(QCoreApplication::applicationDirPath());

    QCOMPARE(environment.installDataFolder(),
             QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/tallywick"))));
}

QTEST_GUILESS_MAIN(TestSystemEnvironment)
#include "tst_systemenvironment.moc"
