#include "app/EventLoopSleeper.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

EventLoopSleeper& EventLoopSleeper::Instance()
{
    static EventLoopSleeper sleeper;
    return sleeper;
}

void EventLoopSleeper::Sleep(int milliseconds)
{
    if (m_pauseHook)
        m_pauseHook();
    if (milliseconds <= 0)
        return;
    const QEventLoop::ProcessEventsFlags flags =
        m_takeInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    if (m_waiter) {
        m_waiter(milliseconds);
        QCoreApplication::processEvents(flags);
        return;
    }
    if (QCoreApplication::instance() == nullptr) {
        Sleeper::Sleep(milliseconds);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(flags);
}
