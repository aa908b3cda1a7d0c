#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quenlap {

// What a generated race looks like: how many competitors (numbered 1 to Competidores) run for
// how long. The same seed always gives the same race.
struct ParametrosCarrera
{
    int Competidores = 6;
    double Minutos = 3;
    quint64 Semilla = 1;
};

// One lap of a generated race; times are day fractions and whole milliseconds.
struct VueltaGenerada
{
    int Numero = 0;
    QString Nombre;
    int Vuelta = 0;
    double TiempoCarrera = 0;
    double TiempoVuelta = 0;
    // Place of the competitor when it crossed the line.
    int Rnk = 0;
};

// A plausible slot-car race: every competitor has its own pace of 4.5 to 7 s per lap, laps vary
// around it, a slow start lap and now and then a lap lost to a deslotting. Laps come in
// race-time order (equal times by number) and end at the race's duration.
std::vector<VueltaGenerada> GenerarCarrera(const ParametrosCarrera &parametros);

// The lap lines of the laps, in their order.
QStringList LineasCarrera(const std::vector<VueltaGenerada> &vueltas);

// A plain race data file: UTF-16 little-endian with its byte order mark, one lap line per line,
// CR LF breaks, ended by the "-1" line.
QByteArray FicheroCarrera(const std::vector<VueltaGenerada> &vueltas);

} // namespace quenlap
