#pragma once

#include <QDateTime>

namespace quenlap {

// The one source of "now". Components take a Clock so that clocks, blinks and the replay can be
// driven by hand in tests (ManualClock).
class Clock
{
public:
    virtual ~Clock() = default;

    virtual QDateTime now() const = 0;
    // Milliseconds from an arbitrary start; never goes back.
    virtual qint64 monotonicMs() const = 0;

    // The process's real clock.
    static Clock &system();
};

class ManualClock final : public Clock
{
public:
    explicit ManualClock(const QDateTime &start = QDateTime(QDate(2026, 1, 1), QTime(12, 0)));

    QDateTime now() const override { return current; }
    qint64 monotonicMs() const override { return elapsedMs; }

    void advanceMs(qint64 ms);
    void setNow(const QDateTime &when);

private:
    QDateTime current;
    qint64 elapsedMs = 0;
};

} // namespace quenlap
