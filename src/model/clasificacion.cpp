#include "model/clasificacion.h"

#include "base/formatw.h"
#include "base/global.h"
#include "base/racetime.h"
#include "model/coche.h"
#include "model/copiacarrera.h"
#include "model/listacoches.h"

namespace quenlap {

namespace {

constexpr qint64 MsPorMinuto = 60000;

QString DiferenciaCarrera(const TCoche &r, const TCoche &delante)
{
    const int diferencia = delante.VueltasTotales() - r.VueltasTotales();
    if (diferencia > 0)
        return FormatW(u"+%d V", {diferencia});
    return QStringLiteral("+") + FormatoTiempo(false, r.TiempoTotal - delante.TiempoTotal);
}

} // namespace

QString FormatoTiempo(bool literal, double tiempo)
{
    // Compared in whole milliseconds, as shown: 59.9996 s shows as a minute, not as "0.000".
    const bool bajoUnMinuto = Round(DiasToMs(tiempo)) < MsPorMinuto;
    if (literal)
        return FormatDateTime(bajoUnMinuto ? u"ss.zzz" : u"nn:ss.zzz", tiempo);
    return FormatDateTime(bajoUnMinuto ? FormatoSegundos() : FormatoMinutos(), tiempo,
                          AjustesFormato());
}

TResultadoClasificacion CalcularClasificacion(TListaCoches &coches, bool clasificacion)
{
    coches.Ordenar(clasificacion ? &TCoche::CompararMejorVuelta : &TCoche::CompararCarrera);

    TResultadoClasificacion resultado;
    const TCoche *lider = nullptr;
    const TCoche *anterior = nullptr;
    for (int i = 0; i < coches.Count(); ++i) {
        TCoche &r = coches[i];
        r.Posicion = i + 1;
        resultado.MaxVueltas = std::max(resultado.MaxVueltas, r.Vueltas);
        if (r.MejorVuelta > 0 &&
            (!resultado.MejorCoche || resultado.MejorCoche->MejorVuelta > r.MejorVuelta))
            resultado.MejorCoche = &r;

        if (i == 0) {
            r.Diff.clear();
            r.Gap.clear();
            lider = &r;
        } else if (!clasificacion) {
            r.Gap = DiferenciaCarrera(r, *lider);
            r.Diff = DiferenciaCarrera(r, *anterior);
        } else if (r.MejorVuelta > 0) {
            r.Gap =
                FormatW(u"+%s (%0.2d)",
                        {FormatoTiempo(false, r.MejorVuelta - lider->MejorVuelta), r.VueltaMejor});
            r.Diff =
                QStringLiteral("+") + FormatoTiempo(false, r.MejorVuelta - anterior->MejorVuelta);
        } else {
            // Without a best lap there is nothing to compare; a difference against a time of
            // zero would read as a negative time.
            r.Diff.clear();
            r.Gap.clear();
        }
        anterior = &r;
    }
    return resultado;
}

void EstimarFinal(TCoche &coche, double duracionCarrera)
{
    if (coche.Media > 0) {
        const qint64 k = Trunc((duracionCarrera - coche.TiempoTotal) / coche.Media) + 1;
        coche.FinEstimado = coche.TiempoTotal + double(k) * coche.Media;
        coche.VueltasEstimadas = int(coche.VueltasTotales() + k);
    } else {
        coche.FinEstimado = coche.TiempoTotal;
        coche.VueltasEstimadas = 0;
    }
}

QStringList LineasResultado(const TListaCoches &coches)
{
    QStringList lineas;
    lineas.reserve(coches.Count());
    for (int i = 0; i < coches.Count(); ++i) {
        const TCoche &c = coches[i];
        lineas << TCopiaCarrera::LineaResultado(i + 1, c.Numero, c.Nombre, c.Vueltas, c.TiempoTotal,
                                                c.MejorVuelta);
    }
    return lineas;
}

} // namespace quenlap
