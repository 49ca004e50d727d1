#pragma once

#include "platform/messageboxes.h"

#include <QObject>

class Clock;
class PresenceSource;
class SessionModel;

// Time away, on the window's side: hands the user's comings and goings to the session with the clock's
// readings, asks "Away" whether a long absence counts (the box follows the held time while it is open),
// and at an end that comes before the answer logs what was left out.
class AwayQuestion : public QObject
{
    Q_OBJECT

public:
    AwayQuestion(SessionModel &model, PresenceSource *presence, Clock &clock, MessageBoxes &messageBoxes,
                 QObject *parent = nullptr);

    // The program ends: time away not yet counted stays so, and an answer that comes later is ignored.
    void end();

private:
    void tell(void (SessionModel::*news)(double));
    void heldTimeChanged();
    void ask();

    SessionModel &m_model;
    Clock &m_clock;
    MessageBoxes &m_messageBoxes;
    ChangingText m_question;
    bool m_asking = false;
    bool m_ended = false;
};
