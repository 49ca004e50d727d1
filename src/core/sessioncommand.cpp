#include "sessioncommand.h"

#include "core/sessionmodel.h"
#include "version.h"

#include <array>

namespace {

struct CommandWord
{
    SessionCommand::Kind kind;
    const char *word; // on the channel; "--" and the word on the command line
};

constexpr std::array<CommandWord, 6> commandWords{{
    {SessionCommand::Kind::Activate, "activate"},
    {SessionCommand::Kind::Start, "start"},
    {SessionCommand::Kind::Stop, "stop"},
    {SessionCommand::Kind::Toggle, "toggle"},
    {SessionCommand::Kind::Project, "project"},
    {SessionCommand::Kind::Status, "status"},
}};

const char *wordOf(SessionCommand::Kind kind)
{
    for (const CommandWord &command : commandWords) {
        if (command.kind == kind)
            return command.word;
    }
    return "";
}

std::optional<SessionCommand::Kind> kindOf(QStringView word)
{
    for (const CommandWord &command : commandWords) {
        if (word == QLatin1String(command.word))
            return command.kind;
    }
    return std::nullopt;
}

// A project number as typed, 1 to 8, as the row it names.
std::optional<int> projectRow(QStringView number)
{
    bool ok = false;
    const int value = number.toInt(&ok);
    if (!ok || value < 1 || value > RowCount || number.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return value - 1;
}

QString shownWithoutBlank(const ShownTime &time)
{
    return time.text.startsWith(QLatin1Char(' ')) ? time.text.mid(1) : time.text;
}

} // namespace

QByteArray SessionCommand::toMessage() const
{
    QByteArray message(wordOf(kind));
    if (kind == Kind::Project)
        message += ' ' + QByteArray::number(row + 1);
    return message;
}

std::optional<SessionCommand> SessionCommand::fromMessage(const QByteArray &message)
{
    const QString text = QString::fromLatin1(message);
    const QStringList words = text.split(QLatin1Char(' '));
    const std::optional<Kind> kind = kindOf(words.first());
    if (!kind || words.size() != (*kind == Kind::Project ? 2 : 1))
        return std::nullopt;
    SessionCommand command{*kind, 0};
    if (*kind == Kind::Project) {
        const std::optional<int> row = projectRow(words.at(1));
        if (!row)
            return std::nullopt;
        command.row = *row;
    }
    return command;
}

CommandResult executeCommand(const SessionCommand &command, SessionModel &session, double reading)
{
    using Kind = SessionCommand::Kind;
    const bool starting =
        command.kind == Kind::Start || (command.kind == Kind::Toggle && !session.isRunning());
    if (starting && !session.isRunning() && !session.canStart())
        return {
            CommandLine::Refused, {}, QStringLiteral("Timing cannot start while the user's name is empty.")};
    switch (command.kind) {
    case Kind::Start:
        session.start(reading);
        break;
    case Kind::Stop:
        session.stop();
        break;
    case Kind::Toggle:
        session.toggle(reading);
        break;
    case Kind::Project:
        session.chooseRow(command.row);
        break;
    case Kind::Status:
        return {CommandLine::Done, statusLine(session), {}};
    case Kind::Activate:
        break;
    }
    return {};
}

QByteArray CommandResult::toReply() const
{
    return QByteArray::number(exitCode) + ' ' + (exitCode == CommandLine::Done ? output : error).toUtf8();
}

CommandResult CommandResult::fromReply(const QByteArray &reply)
{
    const qsizetype blank = reply.indexOf(' ');
    bool ok = false;
    const int exitCode = reply.left(blank).toInt(&ok);
    if (blank < 0 || !ok || exitCode < CommandLine::Done || exitCode > CommandLine::WrongUsage)
        return {CommandLine::Refused, {}, QStringLiteral("The copy that runs gave no answer that is understood.")};
    const QString text = QString::fromUtf8(reply.mid(blank + 1));
    if (exitCode == CommandLine::Done)
        return {exitCode, text, {}};
    return {exitCode, {}, text};
}

QByteArray answerCommandMessage(const QByteArray &message, SessionModel &session, double reading)
{
    const std::optional<SessionCommand> command = SessionCommand::fromMessage(message);
    if (!command)
        return CommandResult{CommandLine::WrongUsage, {}, QStringLiteral("That is no command.")}.toReply();
    return executeCommand(*command, session, reading).toReply();
}

QString statusLine(const SessionModel &session)
{
    using Column = SessionModel::TimeColumn;
    const int row = session.activeRow();
    // A name is one field of the line: a tab or a line break in it would split the line.
    QString name = session.projectName(row);
    for (QChar &c : name) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    // Away from the user's leaving until their return, running again while the question waits.
    const QString state = session.isAway()      ? QStringLiteral("away")
                          : session.isRunning() ? QStringLiteral("running")
                                                : QStringLiteral("stopped");
    const QStringList fields{state,
                             QString::number(row + 1),
                             name,
                             shownWithoutBlank(session.shown(Column::Daily, row)),
                             shownWithoutBlank(session.shown(Column::Total, row)),
                             shownWithoutBlank(session.shownDailySum())};
    return fields.join(QLatin1Char('\t'));
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    std::optional<SessionCommand> command;
    bool help = false;
    bool version = false;
    // Only double-dash options are the program's; anything else is left to Qt (-platform, -session ...).
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--")))
            continue;
        QString word = argument.mid(2);
        std::optional<QString> value;
        if (const qsizetype equals = word.indexOf(QLatin1Char('=')); equals >= 0) {
            value = word.mid(equals + 1);
            word.truncate(equals);
        }
        const std::optional<SessionCommand::Kind> kind = kindOf(word);
        if (word == QLatin1String("help")) {
            help = true;
        } else if (word == QLatin1String("version")) {
            version = true;
        } else if (!kind || *kind == SessionCommand::Kind::Activate) {
            return {Kind::Wrong, {}, QStringLiteral("unknown option %1").arg(argument)};
        } else if (command) {
            return {Kind::Wrong, {}, QStringLiteral("one command at a time")};
        } else if (*kind == SessionCommand::Kind::Project) {
            if (!value && i + 1 < arguments.size())
                value = arguments.at(++i);
            const std::optional<int> row = value ? projectRow(*value) : std::nullopt;
            if (!row)
                return {
                    Kind::Wrong, {}, QStringLiteral("--project takes a number from 1 to %1").arg(RowCount)};
            command = SessionCommand{*kind, *row};
        } else if (value) {
            return {Kind::Wrong, {}, QStringLiteral("%1 takes no value").arg(word)};
        } else {
            command = SessionCommand{*kind, 0};
        }
    }
    if (help)
        line.kind = Kind::Help;
    else if (version)
        line.kind = Kind::Version;
    else if (command)
        line = {Kind::Command, *command, {}};
    return line;
}

QString CommandLine::usage()
{
    return QStringLiteral(
               "Usage: tallywick [COMMAND]\n"
               "Without a command, starts Tallywick, or brings the copy that runs to the front.\n"
               "\n"
               "Commands, carried out by the copy that runs:\n"
               "  --start       start timing, as the Start button does\n"
               "  --stop        stop timing, as the Stop button does\n"
               "  --toggle      start or stop timing, as a click on Start/Stop\n"
               "  --project N   make project N (1 to %1) the active one, as Ctrl+N does\n"
               "  --status      print one line: running, away or stopped, the active project's number,\n"
               "                its name, its daily time, its total time and the daily sum, separated by "
               "tabs\n"
               "  --help        print this help\n"
               "  --version     print the version\n"
               "When no copy runs, --start, --toggle and --project start Tallywick and then act.\n"
               "\n"
               "Exit codes: 0 done; 1 refused (the reason on standard error); 2 a wrong command line;\n"
               "3 --status when no copy runs.\n")
        .arg(RowCount);
}

QString CommandLine::versionLine()
{
    return QStringLiteral("tallywick %1.%2.%3")
        .arg(TALLYWICK_VERSION_MAJOR)
        .arg(TALLYWICK_VERSION_MINOR)
        .arg(TALLYWICK_VERSION_PATCH);
}
