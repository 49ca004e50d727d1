#include "awayquestion.h"

#include "core/sessionmodel.h"
#include "platform/clock.h"
#include "platform/presencesource.h"

#include <QTimer>

AwayQuestion::AwayQuestion(SessionModel &model, PresenceSource *presence, Clock &clock,
                           MessageBoxes &messageBoxes, QObject *parent)
    : QObject(parent), m_model(model), m_clock(clock), m_messageBoxes(messageBoxes)
{
    if (presence) {
        connect(presence, &PresenceSource::left, this, [this] { m_model.leave(m_clock.spanReading()); });
        connect(presence, &PresenceSource::cameBack, this,
                [this] { m_model.comeBack(m_clock.spanReading()); });
    }
    connect(&m_model, &SessionModel::heldTimeChanged, this, &AwayQuestion::heldTimeChanged);
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
