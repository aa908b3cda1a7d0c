#include "base/clock.h"

#include <QElapsedTimer>

namespace quenlap {

namespace {

class SystemClock final : public Clock
{
public:
    SystemClock() { timer.start(); }

    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return timer.elapsed(); }

private:
    QElapsedTimer timer;
};

} // namespace

Clock &Clock::system()
{
    static SystemClock clock;
    return clock;
}

ManualClock::ManualClock(const QDateTime &start) : current(start) {}

void ManualClock::advanceMs(qint64 ms)
{
    current = current.addMSecs(ms);
    elapsedMs += ms;
}

void ManualClock::setNow(const QDateTime &when)
{
    current = when;
}

} // namespace quenlap
