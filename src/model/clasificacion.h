#pragma once

#include <QString>
#include <QStringList>

namespace quenlap {

class TCoche;
class TListaCoches;

// A duration as the race window shows it. Literal: "ss.zzz" under a minute, "nn:ss.zzz" from a
// minute on, always with a point. Otherwise the locale's FormatoSegundos and FormatoMinutos.
QString FormatoTiempo(bool literal, double tiempo);

// What the standings pass finds besides the order of the competitors.
struct TResultadoClasificacion
{
    // Holder of the race's best lap; on equal best laps the one placed higher.
    TCoche *MejorCoche = nullptr;
    // Most laps counted by any competitor.
    int MaxVueltas = 0;
};

// The standings pass over the competitors: sorts them (race order, or best-lap order when
// clasificacion is set), numbers their positions and writes their Diff and Gap texts.
TResultadoClasificacion CalcularClasificacion(TListaCoches &coches, bool clasificacion);

// End-of-race estimate of a timed race (duracionCarrera as a day fraction): the laps the
// competitor will have done and the race time of its last lap, at its mean pace.
void EstimarFinal(TCoche &coche, double duracionCarrera);

// The race copy's result lines, one per competitor in the list's order.
QStringList LineasResultado(const TListaCoches &coches);

} // namespace quenlap
