#pragma once

#include "base/colors.h"
#include "model/seriecoche.h"

#include <QString>

#include <array>
#include <memory>

namespace quenlap {

class TListaCoches;

// One car and its driver in one race: running statistics that every counted lap updates, the
// standings results, and the chart data it owns. Race times are day fractions.
class TCoche
{
public:
    TCoche();
    TCoche(const TCoche &) = delete;
    TCoche &operator=(const TCoche &) = delete;

    bool EnEspera = false;
    int Numero = 0;
    QString Nombre;
    int Posicion = 0;
    double Inicio = 0;
    double TiempoTotal = 0;
    double UltimaVuelta = 0;
    double UltimaRecepcion = 0;
    double Media = 0;
    double MejorVuelta = 0;
    int VueltaMejor = 0;
    int Vueltas = 0;
    int AjusteVueltas = 0;
    int VueltasEstimadas = 0;
    double FinEstimado = 0;
    int Columna = 0;
    int StopGo = 0;
    QString Diff;
    QString Gap;
    TSerieVueltas Serie;
    TMarcaMedia MarcaMedia;
    int Carril = 0;
    bool LeerVueltas = false;
    int Parpadeo = 0;

    static const std::array<TColor, 14> Paleta;
    // The palette colour of a car number; negative numbers wrap round the palette too.
    static TColor ColorNumero(int numero);

    // Counts one lap that ended at race time tiempoCarrera and took tiempoVuelta.
    void AgregarVuelta(bool descartarPrimera, double tiempoCarrera, double tiempoVuelta);
    void Reiniciar();
    int VueltasTotales() const { return Vueltas + AjusteVueltas; }
    // Number, name, laps, adjustment, position, last, total, best, mean and stop-and-go, TAB
    // separated, with the locale's time patterns.
    QString LineaCoche() const;

    // Creates the competitor, inserts it in number order, gives it its lane and colours.
    static TCoche &NuevoCoche(TListaCoches &coches, int numero, const QString &nombre);
    static TCoche *BuscarCoche(const TListaCoches &coches, int numero);
    // Before the first competitor with a greater number in the list's current order, else last.
    static TCoche &InsertarCoche(TListaCoches &coches, std::unique_ptr<TCoche> coche);

    // Orderings: negative when a goes first, positive when b does, zero when equal.
    static int CompararCarrera(const TCoche &a, const TCoche &b);
    static int CompararMejorVuelta(const TCoche &a, const TCoche &b);
    static int CompararTotal(const TCoche &a, const TCoche &b);
    static int CompararNombre(const TCoche &a, const TCoche &b);
    // The ordering of a column of the competitors list ("N", "Piloto", "Pos", "V", "Total",
    // "Diff", "Gap", "Ultima", "Mejor", "Media", "Est"), descending when asked; tie-breaks by
    // total stay ascending. "Diff", "Gap" and unknown columns leave the rows as they are (0).
    static int CompararColumna(int columna, bool descendente, const TCoche &a, const TCoche &b);
    static bool ColumnaOrdenable(int columna);
};

} // namespace quenlap
