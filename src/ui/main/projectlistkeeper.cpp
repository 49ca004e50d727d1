#include "projectlistkeeper.h"

#include "core/calendartext.h"
#include "core/sessionmodel.h"
#include "platform/messageboxes.h"

#include <QDateTime>

namespace {

constexpr double QuietSaveInterval = 60.0; // seconds of timing between saves that nobody is asked about
const QString SaveErrorContext = QStringLiteral("Error saving project list");

} // namespace

ProjectListKeeper::ProjectListKeeper(const QString &path, const QString &rescuePath, SessionModel &model,
                                     MessageBoxes &messageBoxes, QObject *parent)
    : QObject(parent), m_file(path, rescuePath), m_model(model), m_messageBoxes(messageBoxes)
{
    connect(&m_model, &SessionModel::runningChanged, this, [this](bool running) {
        if (!running)
            saveQuietly();
        m_timingSinceSave = 0.0;
    });
    connect(&m_model, &SessionModel::accrued, this, &ProjectListKeeper::countTiming);
}

void ProjectListKeeper::load()
{
    apply(m_file.load());
    if (const std::optional<QDateTime> written = m_file.rescueTime(); written && acceptRescue(*written))
        apply(m_file.loadRescue());
}

bool ProjectListKeeper::acceptRescue(const QDateTime &written)
{
    const QDate day = written.date();
    const LocalDate date{day.year(), day.month(), day.day(), day.dayOfWeek() % 7 + 1};
    const QString when =
        ReportDateLine(date) + QLatin1String(" at ") + written.toString(QStringLiteral("HH:mm"));
    const QString question =
        QStringLiteral("The last run could not save the project list. Load the copy it kept from %1?")
            .arg(when);
    return m_messageBoxes.show(MessageBoxStyle::YesNo + MessageBoxStyle::Question,
                               QStringLiteral("Tallywick"), question) == MessageBoxAnswer::Yes;
}

void ProjectListKeeper::apply(const ProjectListReading &reading)
{
    if (reading.userName)
        m_model.setUserName(*reading.userName);
    for (int row = 0; row < RowCount; ++row) {
        m_model.setProjectName(row, reading.names[std::size_t(row)]);
        if (row < reading.totalsRead)
            m_model.setAndShowCount(SessionModel::TimeColumn::Total, row, reading.totals[std::size_t(row)]);
    }
}

bool ProjectListKeeper::saveAtExit()
{
    const std::optional<ErrorInfo> error = save();
    if (error)
        m_messageBoxes.showError(SaveErrorContext, *error);
    return !error;
}

void ProjectListKeeper::saveWithoutAsking()
{
    // Nobody is there to read a box now; the failure goes to the session's log instead, and the list to
    // the rescue file, which the next start offers back.
    const std::optional<ErrorInfo> error = save();
    if (!error)
        return;
    const QString failure = errorMessageText(SaveErrorContext, *error);
    if (const std::optional<ErrorInfo> rescueError = m_file.saveRescue(list()))
        qWarning("%s\nThe list could not be kept in %s either: %s", qPrintable(failure),
                 qPrintable(m_file.rescuePath()), qPrintable(rescueError->description));
    else
        qWarning("%s\nThe list was kept in %s instead.", qPrintable(failure),
                 qPrintable(m_file.rescuePath()));
}

ProjectList ProjectListKeeper::list() const
{
    ProjectList list;
    list.userName = m_model.userName();
    for (int row = 0; row < RowCount; ++row) {
        list.names[std::size_t(row)] = m_model.projectName(row);
        list.totals[std::size_t(row)] = m_model.count(SessionModel::TimeColumn::Total, row);
    }
    return list;
}

std::optional<ErrorInfo> ProjectListKeeper::save()
{
    std::optional<ErrorInfo> error = m_file.save(list());
    if (!error)
        m_quietFailureShown = false;
    return error;
}

void ProjectListKeeper::saveQuietly()
{
    m_timingSinceSave = 0.0;
    const std::optional<ErrorInfo> error = save();
    if (!error || m_quietFailureShown)
        return;
    m_quietFailureShown = true;
    // Shown once the session has told every view of the change that led here (a stop, an accrual), so
    // that the window behind the box is up to date; timing goes on while the box is open.
    QMetaObject::invokeMethod(
        this, [this, error = *error] { m_messageBoxes.showError(SaveErrorContext, error); },
        Qt::QueuedConnection);
}

void ProjectListKeeper::countTiming(double elapsed)
{
    m_timingSinceSave += elapsed;
    if (m_timingSinceSave >= QuietSaveInterval)
        saveQuietly();
}
