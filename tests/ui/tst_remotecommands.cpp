#include "core/sessioncommand.h"
#include "core/sessionmodel.h"
#include "platform/singleinstance.h"
#include "support/fakemessageboxes.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <future>

// Commands as a later copy sends them to the copy that runs: over the channel, into the session, and back,
// while the copy that runs waits in a box of its own. (What each command does is the session's own test.)
class TestRemoteCommands : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    FakeMessageBoxes m_boxes;
    SessionModel m_session;
    double m_reading = 0.0;
    std::unique_ptr<SingleInstance> m_running;
    std::unique_ptr<SingleInstance> m_later;

    // What the copy that runs answers, while this thread serves its channel as its event loop would.
    QByteArray ask(const QByteArray &message)
    {
        auto reply = std::async(std::launch::async, [this, message] { return m_later->ask(message); });
        while (reply.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
            QTest::qWait(5);
        return reply.get().value_or("no answer");
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString list = m_folder.path() + "/projlist.dat";
        const QString runtime = m_folder.path() + "/run";
        QVERIFY(QDir().mkdir(runtime));
        QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        m_running = std::make_unique<SingleInstance>(list, runtime);
        QCOMPARE(m_running->claim(m_boxes), SingleInstance::Claim::Claimed);
        m_running->setRequestHandler([this](const QByteArray &message) {
            return answerCommandMessage(message, m_session, m_reading += 1.5);
        });
        m_later = std::make_unique<SingleInstance>(list, runtime);
    }

    // A box that the window shows does not hold a command up, and stays open.
    void commandActsWhileABoxIsOpen()
    {
        m_session.setUserName(QStringLiteral("Ann"));
        QMessageBox box(QMessageBox::Question, "Exit", "Are you sure you wish to exit?",
                        QMessageBox::Yes | QMessageBox::No);
        QByteArray reply;
        bool openAfterwards = false;
        QTimer::singleShot(0, &box, [&] {
            reply = ask("start");
            openAfterwards = box.isVisible();
            box.done(QMessageBox::No);
        });
        box.exec();
        QCOMPARE(reply, QByteArray("0 "));
        QVERIFY(openAfterwards);
        QVERIFY(m_session.isRunning());
        QCOMPARE(ask("project 9"), QByteArray("2 That is no command."));
        QCOMPARE(ask("activate"), QByteArray("ok"));
    }
};

QTEST_MAIN(TestRemoteCommands)
#include "tst_remotecommands.moc"
