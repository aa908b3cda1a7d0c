#pragma once

#include "model/generadorcarrera.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace sim {

// What the race server emulator plays: the race's description, its competitors and its laps in
// race-time order, each with the lap line the server sends.
struct TarvelRace
{
    struct Lap
    {
        double raceMs = 0; // race time at the crossing, in milliseconds
        double lapMs = 0;
        int number = 0; // competitor number
        QString name;
        int lap = 0;
        QString line;
    };

    QString description;
    // "number TAB order TAB name", in order of first crossing.
    QStringList competitors;
    std::vector<Lap> laps;
    // Duracion: 0 for a timed race (durationDays), non-zero for a number of laps.
    int durationType = 0;
    double durationDays = 0;

    // Throws quenlap::Error when the file cannot be read.
    static TarvelRace fromFile(const QString &path);
    static TarvelRace generated(const quenlap::ParametrosCarrera &parameters);

    // The index of the last lap of each competitor's, true at those indexes.
    std::vector<bool> finishingLaps() const;
};

} // namespace sim
