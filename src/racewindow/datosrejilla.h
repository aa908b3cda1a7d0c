#pragma once

#include "base/colors.h"

#include <QString>

#include <vector>

namespace quenlap {

class IniFile;
class TCoche;
class TVueltaCorredor;

// The four quality thresholds of the lap grid, shared by every race window of the process. The
// first three are day fractions added to a competitor's mean lap; MuyMala multiplies it.
struct TUmbralesCalidad
{
    double MuyBuena = -1.0 / 86400.0;
    double Buena = 1.0 / 86400.0;
    double Mala = 2.0 / 86400.0;
    double MuyMala = 2.0;

    static TUmbralesCalidad &Globales();

    // Section "VUELTAS": the first three in seconds, MuyMala as the plain factor.
    void Leer(const IniFile &ini);
    void Escribir(IniFile &ini) const;
};

// The limits of the classes around one reference mean lap (FijarReferencia).
struct TLimitesCalidad
{
    double MuyBuena = 0;
    double Buena = 0;
    double Mala = 0;
    double MuyMala = 0;

    static TLimitesCalidad Para(const TUmbralesCalidad &umbrales, double media);
};

enum class TClaseVuelta { SinTiempo, MejorVuelta, MuyBuena, Buena, Normal, Mala, MuyMala };

// The class of a lap of time tiempo and number vuelta whose competitor set its best lap at lap
// vueltaMejor. The better classes are tested first, so they win over the worse ones.
TClaseVuelta ClaseVuelta(const TLimitesCalidad &limites, double tiempo, int vuelta,
                         int vueltaMejor);

// Colours of the grid's cells.
TColor ColorTextoClase(TClaseVuelta clase);
// The background of a lap cell: purple for a best lap, else by row parity.
TColor ColorFondoClase(TClaseVuelta clase, int fila);
TColor ColorFondoFila(int fila);

// What the lap grid holds: one column per competitor (column 0 is the lap numbers), one row per
// lap number (row 0 is the header), each cell a lap record or nothing, and the laps of each lap
// number in crossing order (VueltasPorNumero, the race window's lists). Nothing here is owned.
class TDatosRejilla
{
public:
    using ListasPorNumero = std::vector<std::vector<TVueltaCorredor *>>;

    explicit TDatosRejilla(ListasPorNumero &vueltasPorNumero) : porNumero(vueltasPorNumero) {}
    TDatosRejilla(const TDatosRejilla &) = delete;
    TDatosRejilla &operator=(const TDatosRejilla &) = delete;

    // LimpiarRejilla: one lap row, no cell, no per-lap list.
    void Limpiar();
    // ReiniciarTabla's grid part: also no competitor column.
    void Reiniciar();

    // NuevaColumna: a column at the right for the competitor; returns its index (its Columna).
    int NuevaColumna(TCoche &coche);

    // The grid part of AnadirVuelta: rows for the lap's number, its crossing-order list and its
    // cell. Returns true when a row was added. A lap of number 0 adds nothing.
    bool AnadirVuelta(TVueltaCorredor &vuelta);

    int Filas() const { return filas; }
    int Columnas() const { return int(columnas.size()) + 1; }
    TCoche *CocheColumna(int columna) const;
    TVueltaCorredor *Celda(int columna, int fila) const;
    // The text of a cell as the grid shows it.
    QString Texto(int columna, int fila) const;

    // Entry n-1: the laps of lap number n in crossing order.
    const ListasPorNumero &VueltasPorNumero() const { return porNumero; }

private:
    struct Columna
    {
        TCoche *coche = nullptr;
        // Index: lap number.
        std::vector<TVueltaCorredor *> vueltas;
    };

    std::vector<Columna> columnas;
    ListasPorNumero &porNumero;
    int filas = 2;
};

} // namespace quenlap
