#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace sim {

// What a DS Router sends during one race, worked out in advance from a seed: ST1 and ST2 at the
// start, one LAP record per crossing of each lane, END when the race time is over.
class DsRouterRace
{
public:
    struct Options
    {
        int lanes = 4;
        int minutes = 3;
        quint32 seed = 1;
    };

    // One record and the race time (ms from the start) when it is due.
    struct Record
    {
        qint64 dueMs = 0;
        QByteArray text; // with its CR LF
    };

    explicit DsRouterRace(const Options &options);

    const QList<Record> &records() const { return schedule; }
    qint64 lengthMs() const;

private:
    void addLaps(const Options &options);
    int nextNumber() const;

    QList<Record> schedule;
    qint64 finishMs = 0;
};

} // namespace sim
