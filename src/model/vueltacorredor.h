#pragma once

#include <QString>
#include <QStringView>

namespace quenlap {

class TCoche;
class TListaCoches;

// One crossing of the timing line by one competitor, read from a lap line. Race times are day
// fractions. The competitor is not owned; it holds the name that every lap of it shares.
class TVueltaCorredor
{
public:
    TCoche *Coche = nullptr;
    int Vuelta = 0;
    int Rnk = 0;
    double TiempoCarrera = 0;
    double TiempoVuelta = 0;
    double MejorHastaAhora = 0;
    QString Texto;
    bool EsMejor = false;

    // Reads a lap line: finds or creates its competitor in coches, counts the lap into its
    // statistics (Vuelta > 0) and its chart series. Practice laps belong to the pseudo-competitor
    // "Sesion <sesion>". Throws quenlap::Error with the conversion's message on a bad field;
    // what was done before the bad field stays done.
    void LeerLineaVuelta(QStringView linea, TListaCoches &coches, bool descartarPrimera,
                         bool entrenamiento, int sesion);
    // The lap line of this lap, without line terminator.
    QString LineaVuelta() const;

    // A time text "hh:nn:ss.zzz", "hh:nn:ss.zz" or "nn:ss.zzz" as a day fraction.
    static double LeerTiempo(QStringView texto);
    // Crossing order of two laps of the same lap number: -1, 0 or 1.
    static int CompararPaso(const TVueltaCorredor &a, const TVueltaCorredor &b);
};

// The lap line of the given values; LineaVuelta and the race generator share it.
QString FormatearLineaVuelta(int numero, const QString &nombre, int vuelta, double tiempoCarrera,
                             double tiempoVuelta, const QString &texto, int rnk);

// Decimal integer conversion of the lap line: optional sign, blanks before, nothing after.
// Throws quenlap::Error "'<texto>' is not a valid integer value".
int LeerEntero(QStringView texto);
// Removes every character up to U+0020 at both ends.
QStringView Recortar(QStringView texto);

} // namespace quenlap
