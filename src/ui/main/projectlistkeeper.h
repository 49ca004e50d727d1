#pragma once

#include "storage/projectlistfile.h"

#include <QObject>

class MessageBoxes;
class SessionModel;

// Keeps the session's names and totals in the project list file: loads them at start-up, saves them at a
// confirmed exit, and saves them quietly while timing runs, at every stop and after each minute of timing,
// so that a crash or a power cut cannot take more with it. A failure is never silent: the first quiet
// save that fails shows the error box (later ones stay quiet until a save succeeds again), and a save at
// an end that nobody can answer a question at writes to the log.
class ProjectListKeeper : public QObject
{
    Q_OBJECT

public:
    // rescuePath: where the list goes when it cannot be saved and nobody can be asked.
    ProjectListKeeper(const QString &path, const QString &rescuePath, SessionModel &model,
                      MessageBoxes &messageBoxes, QObject *parent = nullptr);

    // Puts what the file holds into the session; a file that does not load leaves the fallback names.
    // A rescue file that the last run left, newer than the list, is offered instead.
    void load();

    // The save at a confirmed exit; a failure is shown in the error box. Returns whether it saved.
    bool saveAtExit();

    // The save at an end that nobody can answer a question at (a termination signal, the end of the
    // desktop session); when it fails, the list goes to the rescue file, and the log says so.
    void saveWithoutAsking();

private:
    void apply(const ProjectListReading &reading);
    bool acceptRescue(const QDateTime &written);
    ProjectList list() const;
    std::optional<ErrorInfo> save();
    void saveQuietly();
    void countTiming(double elapsed);

    ProjectListFile m_file;
    SessionModel &m_model;
    MessageBoxes &m_messageBoxes;
    double m_timingSinceSave = 0.0;   // seconds of timing accrued since the last save
    bool m_quietFailureShown = false; // since the last save that succeeded
};
