#include "dsrouterrace.h"

#include "base/racetime.h"
#include "net/dsrouterrecords.h"

#include <QRandomGenerator>

#include <algorithm>

namespace sim {

namespace {

// A lap crossing before its record is numbered and flagged.
struct Crossing
{
    qint64 atMs = 0;
    int lane = 0;
    int lap = 0;
    qint64 lapMs = 0;
};

// Lap times of one lane: a steady pace with small variations and an occasional slow lap, as
// when a car leaves the slot and is put back.
QList<Crossing> laneCrossings(int lane, qint64 finishMs, QRandomGenerator &random)
{
    const double paceMs = 5000 + random.bounded(2000.0);
    QList<Crossing> crossings;
    qint64 atMs = 0;
    for (int lap = 1;; ++lap) {
        double lapMs = paceMs * (0.97 + random.bounded(0.09));
        if (lap == 1)
            lapMs += 300 + random.bounded(500.0);
        if (random.bounded(20) == 0)
            lapMs += 2000 + random.bounded(3000.0);
        atMs += qint64(lapMs);
        if (atMs > finishMs)
            return crossings;
        crossings.append({atMs, lane, lap, qint64(lapMs)});
    }
}

} // namespace

DsRouterRace::DsRouterRace(const Options &options) : finishMs(qint64(options.minutes) * 60000)
{
    schedule.append({0, quenlap::RegistroST1(nextNumber(), options.lanes)});
    schedule.append({0, quenlap::RegistroSimple("ST2", nextNumber())});
    addLaps(options);
    schedule.append({finishMs, quenlap::RegistroSimple("END", nextNumber())});
}

qint64 DsRouterRace::lengthMs() const
{
    return finishMs;
}

void DsRouterRace::addLaps(const Options &options)
{
    QRandomGenerator random(options.seed);
    QList<Crossing> crossings;
    for (int lane = 1; lane <= options.lanes; ++lane)
        crossings.append(laneCrossings(lane, finishMs, random));
    std::stable_sort(crossings.begin(), crossings.end(),
                     [](const Crossing &a, const Crossing &b) { return a.atMs < b.atMs; });

    // The flags say how the race stands after each crossing: leader and fastest lap so far (the
    // first lap, started from the grid, never counts as the fastest).
    QList<int> lapsDone(options.lanes + 1, 0);
    qint64 fastestMs = 0;
    for (const Crossing &crossing : crossings) {
        lapsDone[crossing.lane] = crossing.lap;
        quenlap::VueltaDS lap;
        lap.carril = crossing.lane;
        lap.numeroVuelta = crossing.lap;
        lap.tiempoVuelta = quenlap::MsToDias(double(crossing.lapMs));
        lap.primeraPosicion = std::count_if(lapsDone.begin(), lapsDone.end(),
                                            [&](int done) { return done >= crossing.lap; }) == 1;
        if (crossing.lap > 1 && (fastestMs == 0 || crossing.lapMs < fastestMs)) {
            fastestMs = crossing.lapMs;
            lap.vueltaRapida = true;
        }
        schedule.append({crossing.atMs, quenlap::RegistroLAP(nextNumber(), lap)});
    }
}

int DsRouterRace::nextNumber() const
{
    // The second field of every record counts the records sent, from 1.
    return int(schedule.size()) + 1;
}

} // namespace sim
