#include "exportrace.h"

#include "base/error.h"

#include <QFileInfo>

namespace cli {

using quenlap::TCoche;
using quenlap::TVueltaCorredor;

void LoadedRace::load()
{
    // The model reads a missing file as an empty race; here that would pass for success.
    if (!QFileInfo(file).isFile()) {
        error = QStringLiteral("File not found: ") + file;
        return;
    }
    try {
        vueltas.CargarFichero(file, coches);
    } catch (const quenlap::Error &e) {
        error = e.message();
    }
}

JsonObject lapJson(const TVueltaCorredor &vuelta)
{
    JsonObject object;
    object.add(u"numero", vuelta.Coche ? vuelta.Coche->Numero : 0)
        .add(u"nombre", vuelta.Coche ? vuelta.Coche->Nombre : QString())
        .add(u"vuelta", vuelta.Vuelta)
        .addSeconds(u"tiempoCarrera", vuelta.TiempoCarrera)
        .addSeconds(u"tiempoVuelta", vuelta.TiempoVuelta)
        .addSeconds(u"mejorHastaAhora", vuelta.MejorHastaAhora)
        .add(u"texto", vuelta.Texto)
        .add(u"rnk", vuelta.Rnk)
        .add(u"esMejor", vuelta.EsMejor);
    return object;
}

JsonObject competitorJson(const TCoche &coche)
{
    JsonObject object;
    object.add(u"numero", coche.Numero)
        .add(u"nombre", coche.Nombre)
        .add(u"carril", coche.Carril)
        .add(u"vueltas", coche.VueltasTotales())
        .addSeconds(u"tiempoTotal", coche.TiempoTotal)
        .addSeconds(u"ultimaVuelta", coche.UltimaVuelta)
        .addSeconds(u"mejorVuelta", coche.MejorVuelta)
        .add(u"vueltaMejor", coche.VueltaMejor)
        .addSeconds(u"media", coche.Media)
        .addSeconds(u"inicio", coche.Inicio)
        .add(u"enEspera", coche.EnEspera);
    return object;
}

QString raceJson(const LoadedRace &race, int indent)
{
    QStringList laps;
    laps.reserve(race.vueltas.Count());
    for (const auto &vuelta : race.vueltas)
        laps.append(lapJson(*vuelta).compact());
    QStringList competitors;
    for (const auto &coche : race.coches)
        competitors.append(competitorJson(*coche).compact());

    JsonObject object;
    object.add(u"file", race.file).add(u"descartarPrimera", race.vueltas.DescartarPrimera);
    if (race.error)
        object.add(u"error", *race.error);
    else
        object.addNull(u"error");
    object.addRaw(u"laps", jsonArray(laps, indent + 2))
        .addRaw(u"competitors", jsonArray(competitors, indent + 2));
    return object.indented(indent);
}

} // namespace cli
