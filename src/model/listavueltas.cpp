#include "model/listavueltas.h"

#include "base/error.h"
#include "model/listacoches.h"
#include "model/textocarrera.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace quenlap {

namespace {

constexpr qsizetype LineasCabeceraSesion = 6;

enum class Formato { Entrenamiento, ConCabecera, Plano };

Formato FormatoDe(QStringView primeraLinea)
{
    if (primeraLinea.contains(u"SESION DE ENTRENAMIENTO"))
        return Formato::Entrenamiento;
    if (primeraLinea.contains(u"RACE PARAMETERS:"))
        return Formato::ConCabecera;
    return Formato::Plano;
}

} // namespace

TVueltaCorredor &TListaVueltas::Agregar(std::unique_ptr<TVueltaCorredor> vuelta)
{
    vueltas.push_back(std::move(vuelta));
    return *vueltas.back();
}

void TListaVueltas::LeerVuelta(QStringView linea, int numeroLinea, TListaCoches &coches,
                               bool descartar, bool entrenamiento, int sesion)
{
    auto vuelta = std::make_unique<TVueltaCorredor>();
    try {
        vuelta->LeerLineaVuelta(linea, coches, descartar, entrenamiento, sesion);
    } catch (const Error &error) {
        throw Error(QStringLiteral("Error en linea (") + QString::number(numeroLinea) +
                    QStringLiteral("). ") + error.message());
    }
    Agregar(std::move(vuelta));
}

void TListaVueltas::CargarFichero(const QString &ruta, TListaCoches &coches)
{
    if (!QFileInfo::exists(ruta))
        return;
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly))
        throw Error(fichero.errorString());
    const QByteArray bytes = fichero.readAll();
    if (fichero.error() != QFileDevice::NoError)
        throw Error(fichero.errorString());
    const QString texto = DecodificarTexto(bytes);
    const std::vector<QStringView> lineas = DividirLineas(texto);
    if (!lineas.empty())
        CargarLineas(coches, lineas);
}

void TListaVueltas::CargarLineas(TListaCoches &coches, const QStringList &lineas)
{
    std::vector<QStringView> vistas(lineas.begin(), lineas.end());
    CargarLineas(coches, vistas);
}

void TListaVueltas::CargarLineas(TListaCoches &coches, std::span<const QStringView> lineas)
{
    if (lineas.empty())
        return;
    std::size_t actual = 0;
    switch (FormatoDe(lineas[0])) {
    case Formato::Entrenamiento:
        CargarEntrenamiento(coches, lineas);
        return;
    case Formato::ConCabecera:
        DescartarPrimera = lineas[0].contains(u"DISCARD FIRST TIME = 1");
        actual = 1;
        break;
    case Formato::Plano:
        DescartarPrimera = false;
        break;
    }
    const std::size_t necesarias = vueltas.size() + lineas.size() - actual;
    if (necesarias > vueltas.capacity())
        vueltas.reserve(std::max(necesarias, 2 * vueltas.capacity()));
    for (; actual < lineas.size() && lineas[actual] != u"-1"; ++actual)
        LeerVuelta(lineas[actual], int(actual + 1), coches, DescartarPrimera, false, 1);
}

void TListaVueltas::CargarEntrenamiento(TListaCoches &coches, std::span<const QStringView> lineas)
{
    int sesion = 1;
    std::size_t actual = 2;
    while (actual < lineas.size()) {
        const QStringView linea = Recortar(lineas[actual]);
        if (!linea.isEmpty()) {
            LeerVuelta(linea, int(actual + 1), coches, false, true, sesion);
            ++actual;
        } else {
            ++sesion;
            actual += LineasCabeceraSesion + 1;
        }
    }
}

} // namespace quenlap
