#include "tarvelrace.h"

#include "base/error.h"
#include "base/racetime.h"
#include "model/coche.h"
#include "model/listacoches.h"
#include "model/listavueltas.h"
#include "model/vueltacorredor.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <map>

namespace sim {

namespace {

void numberCompetitors(TarvelRace &race)
{
    std::map<int, bool> seen;
    for (const TarvelRace::Lap &lap : race.laps) {
        if (seen.count(lap.number))
            continue;
        seen[lap.number] = true;
        race.competitors.append(QStringLiteral("%1\t%2\t%3")
                                    .arg(lap.number)
                                    .arg(race.competitors.size() + 1)
                                    .arg(lap.name));
    }
}

} // namespace

TarvelRace TarvelRace::fromFile(const QString &path)
{
    quenlap::TListaCoches coches;
    quenlap::TListaVueltas vueltas;
    vueltas.CargarFichero(path, coches);
    if (vueltas.isEmpty())
        throw quenlap::Error(QStringLiteral("%1 holds no laps").arg(path));

    TarvelRace race;
    race.description = QFileInfo(path).completeBaseName();
    for (const auto &vuelta : vueltas) {
        Lap lap;
        lap.raceMs = quenlap::DiasToMs(vuelta->TiempoCarrera);
        lap.lapMs = quenlap::DiasToMs(vuelta->TiempoVuelta);
        lap.number = vuelta->Coche->Numero;
        lap.name = vuelta->Coche->Nombre;
        lap.lap = vuelta->Vuelta;
        lap.line = vuelta->LineaVuelta();
        race.laps.push_back(lap);
    }
    std::stable_sort(race.laps.begin(), race.laps.end(),
                     [](const Lap &a, const Lap &b) { return a.raceMs < b.raceMs; });
    numberCompetitors(race);
    // A timed race of whole minutes that holds every lap.
    const double lastMs = race.laps.back().raceMs;
    race.durationDays = quenlap::MsToDias(std::ceil(lastMs / 60000.0) * 60000.0);
    return race;
}

TarvelRace TarvelRace::generated(const quenlap::ParametrosCarrera &parameters)
{
    TarvelRace race;
    race.description = QStringLiteral("Carrera %1x%2 (%3)")
                           .arg(parameters.Competidores)
                           .arg(parameters.Minutos)
                           .arg(parameters.Semilla);
    const std::vector<quenlap::VueltaGenerada> vueltas = quenlap::GenerarCarrera(parameters);
    const QStringList lines = quenlap::LineasCarrera(vueltas);
    for (std::size_t i = 0; i < vueltas.size(); ++i) {
        const quenlap::VueltaGenerada &vuelta = vueltas[i];
        Lap lap;
        lap.raceMs = quenlap::DiasToMs(vuelta.TiempoCarrera);
        lap.lapMs = quenlap::DiasToMs(vuelta.TiempoVuelta);
        lap.number = vuelta.Numero;
        lap.name = vuelta.Nombre;
        lap.lap = vuelta.Vuelta;
        lap.line = lines[qsizetype(i)];
        race.laps.push_back(lap);
    }
    numberCompetitors(race);
    race.durationDays = parameters.Minutos / 1440.0;
    return race;
}

std::vector<bool> TarvelRace::finishingLaps() const
{
    std::vector<bool> finishing(laps.size(), false);
    std::map<int, std::size_t> last;
    for (std::size_t i = 0; i < laps.size(); ++i)
        last[laps[i].number] = i;
    for (const auto &[number, index] : last)
        finishing[index] = true;
    return finishing;
}

} // namespace sim
