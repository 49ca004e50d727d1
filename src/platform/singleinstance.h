#pragma once

#include "commandchannel.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class MessageBoxes;

// Keeps a second copy of the program from running over the same project list: it would overwrite the first
// one's totals at exit. What decides is a lock on projlist.dat.lock beside the list, which every user's
// copy sees and which the system lets go when the copy ends, however it ends. The copy that holds it also
// answers on a CommandChannel in the user's runtime folder, so that a later copy of the same user can ask
// it to come to the front, and other requests can reach it ("activate" is the one it answers itself, with
// "ok").
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Claim {
        Claimed,       // this copy runs over the list, and answers on the channel where it can
        HandedOver,    // the copy that runs has been asked to come to the front; this one ends
        InUseElsewhere // a copy that cannot be reached holds the list; the user has been told, this one ends
    };
    Q_ENUM(Claim)

    static constexpr int ReplyTimeoutMs = 1000; // how long a request waits for the running copy
    static constexpr int PatienceMs = 2000;     // how long a later copy goes on asking before it gives up

    explicit SingleInstance(const QString &projectListPath,
                            const QString &runtimeFolder = CommandChannel::userRuntimeFolder(),
                            QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the list for this copy, or hands the request over to the copy that has it (by default, to come
    // to the front); reply then holds its answer. InUseElsewhere has shown a box that names the list.
    Claim claim(MessageBoxes &messageBoxes, const QByteArray &request = QByteArrayLiteral("activate"),
                QByteArray *reply = nullptr);

    // Sends a request line to the copy that holds the list; its reply, or nullopt when none answered.
    std::optional<QByteArray> ask(const QByteArray &request, int timeoutMs = ReplyTimeoutMs) const;

    // Answers the requests other than "activate", once this copy has claimed the list. Without one, they
    // are answered "unknown".
    void setRequestHandler(CommandChannel::Handler handler);

    // The name of the channel of the copy that holds the list: the same for every path to the same list.
    static QString channelNameFor(const QString &projectListPath);

Q_SIGNALS:
    void activationRequested();

private:
    enum class Lock { Taken, Held, Unavailable };

    Lock takeLock();
    QByteArray answer(const QByteArray &request);

    QString m_projectListPath;
    QString m_lockPath;
    QString m_runtimeFolder;
    QString m_channelName;
    QString m_lockProblem;
    int m_lock = -1;
    CommandChannel *m_channel = nullptr;
    CommandChannel::Handler m_requestHandler;
};
