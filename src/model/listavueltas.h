#pragma once

#include "model/vueltacorredor.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <span>
#include <vector>

namespace quenlap {

class TListaCoches;

// All laps of one race in arrival order, and the reading of race data: plain races, races with a
// "RACE PARAMETERS:" header and practice sessions, recognised from the first line. Owns its laps;
// the competitors belong to the competitor list. Reading errors throw quenlap::Error with the
// message "Error en linea (<n>). <conversion message>"; the laps before the failing line stay.
class TListaVueltas
{
public:
    TListaVueltas() = default;
    TListaVueltas(const TListaVueltas &) = delete;
    TListaVueltas &operator=(const TListaVueltas &) = delete;

    bool DescartarPrimera = false;

    int Count() const { return int(vueltas.size()); }
    bool isEmpty() const { return vueltas.empty(); }
    const TVueltaCorredor &operator[](int index) const { return *vueltas[std::size_t(index)]; }
    TVueltaCorredor &Agregar(std::unique_ptr<TVueltaCorredor> vuelta);
    void Clear() { vueltas.clear(); }

    auto begin() const { return vueltas.begin(); }
    auto end() const { return vueltas.end(); }

    // A path that names no file reads nothing; an unreadable file throws the system's reason.
    void CargarFichero(const QString &ruta, TListaCoches &coches);
    void CargarLineas(TListaCoches &coches, const QStringList &lineas);
    void CargarLineas(TListaCoches &coches, std::span<const QStringView> lineas);
    void CargarEntrenamiento(TListaCoches &coches, std::span<const QStringView> lineas);

private:
    void LeerVuelta(QStringView linea, int numeroLinea, TListaCoches &coches, bool descartar,
                    bool entrenamiento, int sesion);

    std::vector<std::unique_ptr<TVueltaCorredor>> vueltas;
};

} // namespace quenlap
