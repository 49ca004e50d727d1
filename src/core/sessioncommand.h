#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class SessionModel;

// A command to the timing session from outside the window: from the command line, over the single-copy
// channel to the copy that runs. Each acts as the window's own control does.
struct SessionCommand
{
    enum class Kind {
        Activate, // bring the window to the front (a plain second start)
        Start,    // as Start while stopped
        Stop,     // as Stop while running
        Toggle,   // as a click on Start/Stop
        Project,  // as Ctrl with the row's number
        Status,   // one line that tells the state
    };

    Kind kind = Kind::Activate;
    int row = 0; // for Project: 0 to 7

    // The message that carries the command over the channel, one short line, and back.
    QByteArray toMessage() const;
    static std::optional<SessionCommand> fromMessage(const QByteArray &message);
};

// What a command gave: the exit code of the command line (0 done, 1 refused), one line for standard
// output, or one line for standard error saying why it was refused.
struct CommandResult
{
    int exitCode = 0;
    QString output;
    QString error;

    // The reply line on the channel: the exit code, a blank, then the output or the reason, in UTF-8.
    QByteArray toReply() const;
    // A reply that is not one of ours is a refusal.
    static CommandResult fromReply(const QByteArray &reply);
};

// Carries out a command on the session; reading is the span clock's reading for a start. Never asks
// anything and never waits.
CommandResult executeCommand(const SessionCommand &command, SessionModel &session, double reading);

// Answers a command message from the channel with its reply line; a message that is no command is refused
// as a wrong command line would be.
QByteArray answerCommandMessage(const QByteArray &message, SessionModel &session, double reading);

// The status line: running, away or stopped, the active row's number from 1, its name, its daily time, its
// total time and the daily sum, separated by tabs; the times as the window shows them without the leading
// blank.
QString statusLine(const SessionModel &session);

// What the command line asks for.
struct CommandLine
{
    enum class Kind {
        Run,     // start the program (or bring the running copy to the front)
        Command, // send command to the running copy; some start the program when none runs
        Help,    // usage on standard output
        Version, // "tallywick 1.3.1" on standard output
        Wrong,   // error says what is wrong; usage on standard error
    };

    Kind kind = Kind::Run;
    SessionCommand command;
    QString error;

    // Exit codes of the command line.
    static constexpr int Done = 0;
    static constexpr int Refused = 1;
    static constexpr int WrongUsage = 2;
    static constexpr int NotRunning = 3;

    // arguments as main() has them, the program's name first.
    static CommandLine parse(const QStringList &arguments);
    static QString usage();
    static QString versionLine();
};
