#include "racewindow/datosrejilla.h"

#include "base/inifile.h"
#include "model/clasificacion.h"
#include "model/coche.h"
#include "model/vueltacorredor.h"

#include <algorithm>

namespace quenlap {

namespace {

constexpr double SegundosPorDia = 86400.0;
// Limits are sums of day fractions: a lap exactly on a limit must not fall out of its class by
// a rounding error. A ten-thousandth of a millisecond is far below anything shown.
constexpr double Margen = 1e-4 / 86400000.0;
const QString Seccion = QStringLiteral("VUELTAS");

} // namespace

TUmbralesCalidad &TUmbralesCalidad::Globales()
{
    static TUmbralesCalidad umbrales;
    return umbrales;
}

void TUmbralesCalidad::Leer(const IniFile &ini)
{
    const TUmbralesCalidad defecto;
    MuyBuena =
        ini.readFloat(Seccion, QStringLiteral("MuyBuena"), defecto.MuyBuena * SegundosPorDia) /
        SegundosPorDia;
    Buena = ini.readFloat(Seccion, QStringLiteral("Buena"), defecto.Buena * SegundosPorDia) /
            SegundosPorDia;
    Mala = ini.readFloat(Seccion, QStringLiteral("Mala"), defecto.Mala * SegundosPorDia) /
           SegundosPorDia;
    MuyMala = ini.readFloat(Seccion, QStringLiteral("MuyMala"), defecto.MuyMala);
}

void TUmbralesCalidad::Escribir(IniFile &ini) const
{
    ini.writeFloat(Seccion, QStringLiteral("MuyBuena"), MuyBuena * SegundosPorDia);
    ini.writeFloat(Seccion, QStringLiteral("Buena"), Buena * SegundosPorDia);
    ini.writeFloat(Seccion, QStringLiteral("Mala"), Mala * SegundosPorDia);
    ini.writeFloat(Seccion, QStringLiteral("MuyMala"), MuyMala);
}

TLimitesCalidad TLimitesCalidad::Para(const TUmbralesCalidad &umbrales, double media)
{
    return {media + umbrales.MuyBuena, media + umbrales.Buena, media + umbrales.Mala,
            media * umbrales.MuyMala};
}

TClaseVuelta ClaseVuelta(const TLimitesCalidad &limites, double tiempo, int vuelta, int vueltaMejor)
{
    if (vuelta == vueltaMejor)
        return TClaseVuelta::MejorVuelta;
    if (tiempo <= 0)
        return TClaseVuelta::SinTiempo;
    if (tiempo <= limites.MuyBuena + Margen)
        return TClaseVuelta::MuyBuena;
    if (tiempo <= limites.Buena + Margen)
        return TClaseVuelta::Buena;
    if (tiempo >= limites.MuyMala - Margen)
        return TClaseVuelta::MuyMala;
    if (tiempo >= limites.Mala - Margen)
        return TClaseVuelta::Mala;
    return TClaseVuelta::Normal;
}

TColor ColorTextoClase(TClaseVuelta clase)
{
    switch (clase) {
    case TClaseVuelta::MejorVuelta:
        return Colores::clYellow;
    case TClaseVuelta::MuyBuena:
        return Colores::clLime;
    case TClaseVuelta::Buena:
        return Colores::clGreen;
    case TClaseVuelta::MuyMala:
        return Colores::clRed;
    case TClaseVuelta::Mala:
        return Colores::clYellow;
    case TClaseVuelta::Normal:
    case TClaseVuelta::SinTiempo:
        break;
    }
    return Colores::clWhite;
}

TColor ColorFondoClase(TClaseVuelta clase, int fila)
{
    return clase == TClaseVuelta::MejorVuelta ? Colores::clPurple : ColorFondoFila(fila);
}

TColor ColorFondoFila(int fila)
{
    // RGB (16, 16, 16) on even rows.
    return fila % 2 != 0 ? Colores::clBlack : TColor(0x101010);
}

void TDatosRejilla::Limpiar()
{
    filas = 2;
    for (Columna &columna : columnas)
        columna.vueltas.clear();
    porNumero.clear();
}

void TDatosRejilla::Reiniciar()
{
    Limpiar();
    columnas.clear();
}

int TDatosRejilla::NuevaColumna(TCoche &coche)
{
    columnas.push_back({&coche, {}});
    coche.Columna = Columnas() - 1;
    return coche.Columna;
}

bool TDatosRejilla::AnadirVuelta(TVueltaCorredor &vuelta)
{
    const int n = vuelta.Vuelta;
    if (n <= 0)
        return false;
    const bool filaNueva = n >= filas;
    if (filaNueva)
        filas = n + 1;

    if (porNumero.size() < std::size_t(n))
        porNumero.resize(std::size_t(n));
    std::vector<TVueltaCorredor *> &paso = porNumero[std::size_t(n - 1)];
    const auto antes = [](const TVueltaCorredor *a, const TVueltaCorredor *b) {
        return TVueltaCorredor::CompararPaso(*a, *b) < 0;
    };
    paso.insert(std::upper_bound(paso.begin(), paso.end(), &vuelta, antes), &vuelta);

    const int columna = vuelta.Coche ? vuelta.Coche->Columna : 0;
    if (columna >= 1 && columna < Columnas() &&
        columnas[std::size_t(columna - 1)].coche == vuelta.Coche) {
        std::vector<TVueltaCorredor *> &celdas = columnas[std::size_t(columna - 1)].vueltas;
        if (celdas.size() <= std::size_t(n))
            celdas.resize(std::size_t(n) + 1, nullptr);
        celdas[std::size_t(n)] = &vuelta;
    }
    return filaNueva;
}

TCoche *TDatosRejilla::CocheColumna(int columna) const
{
    if (columna < 1 || columna >= Columnas())
        return nullptr;
    return columnas[std::size_t(columna - 1)].coche;
}

TVueltaCorredor *TDatosRejilla::Celda(int columna, int fila) const
{
    if (columna < 1 || columna >= Columnas() || fila < 1 || fila >= filas)
        return nullptr;
    const std::vector<TVueltaCorredor *> &celdas = columnas[std::size_t(columna - 1)].vueltas;
    return std::size_t(fila) < celdas.size() ? celdas[std::size_t(fila)] : nullptr;
}

QString TDatosRejilla::Texto(int columna, int fila) const
{
    if (fila == 0) {
        if (columna == 0)
            return QStringLiteral("Num.");
        const TCoche *coche = CocheColumna(columna);
        return coche ? QString::number(coche->Numero) + QLatin1Char('-') + coche->Nombre
                     : QString();
    }
    if (columna == 0)
        return fila < filas ? QString::number(fila) : QString();
    const TVueltaCorredor *vuelta = Celda(columna, fila);
    return vuelta ? FormatoTiempo(true, vuelta->TiempoVuelta) : QString();
}

} // namespace quenlap
