#include "awayquestion.h"

#include "core/sessionmodel.h"
#include "platform/clock.h"
#include "platform/presencesource.h"

#include <QTimer>

#include <utility>

AwayQuestion::AwayQuestion(SessionModel &model, PresenceSource *presence, Clock &clock,
                           MessageBoxes &messageBoxes, QObject *parent)
    : QObject(parent), m_model(model), m_clock(clock), m_messageBoxes(messageBoxes)
{
    if (presence) {
        connect(presence, &PresenceSource::left, this, [this] { tell(&SessionModel::leave); });
        connect(presence, &PresenceSource::cameBack, this, [this] { tell(&SessionModel::comeBack); });
    }
    connect(&m_model, &SessionModel::heldTimeChanged, this, &AwayQuestion::heldTimeChanged);
}

void AwayQuestion::tell(void (SessionModel::*news)(double))
{
    // The news of a sleep may come only after the wake-up, once the ticks have stood still through it; the
    // clocks tell of that sleep first.
    const double reading = m_clock.spanReading();
    m_model.noticeSleep(reading, m_clock.awakeReading());
    (m_model.*news)(reading);
}

void AwayQuestion::end()
{
    if (std::exchange(m_ended, true))
        return;
    const double leftOut = m_model.timeLeftOut(m_clock.spanReading());
    if (leftOut > 0.0)
        qWarning("Ending with time away not counted: %s while '%s' was timed",
                 qPrintable(showTime(leftOut).text.trimmed()), qPrintable(m_model.awayProjectName()));
}

void AwayQuestion::heldTimeChanged()
{
    if (!m_model.hasHeldTime())
        return;
    m_question.setText(m_model.heldTimeQuestion());
    // The box opens from the event loop, not inside the news of the return, which may come from a tick or
    // from the bus; an open box follows the text.
    if (!std::exchange(m_asking, true))
        QTimer::singleShot(0, this, &AwayQuestion::ask);
}

void AwayQuestion::ask()
{
    if (m_ended || !m_model.hasHeldTime()) {
        m_asking = false;
        return;
    }
    // Ticks go on while the box is open: timing runs from the return, whatever the answer.
    const int answer = m_messageBoxes.showChanging(MessageBoxStyle::YesNo + MessageBoxStyle::Question,
                                                   QStringLiteral("Away"), m_question);
    m_asking = false;
    if (m_ended)
        return;
    if (answer == MessageBoxAnswer::Yes)
        m_model.countHeldTime();
    else
        m_model.dropHeldTime();
}
