#pragma once

#include "jsonwriter.h"
#include "model/listacoches.h"
#include "model/listavueltas.h"

#include <QString>

#include <functional>
#include <optional>

namespace cli {

// One race data file loaded into a fresh lap list and competitor list, with the reading error
// if any; the laps read before the failing line stay.
struct LoadedRace
{
    QString file;
    quenlap::TListaCoches coches;
    quenlap::TListaVueltas vueltas;
    std::optional<QString> error;

    void load();
};

JsonObject lapJson(const quenlap::TVueltaCorredor &vuelta);
JsonObject competitorJson(const quenlap::TCoche &coche);
// {"file", "descartarPrimera", "error", "laps", "competitors"}, indented, handed to write piece
// by piece so that a long race never sits whole in memory as text.
void writeRaceJson(const LoadedRace &race, int indent,
                   const std::function<void(const QString &)> &write);
QString raceJson(const LoadedRace &race, int indent);

} // namespace cli
