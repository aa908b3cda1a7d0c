#include "racewindow/relojcarrera.h"

#include "base/racetime.h"

namespace quenlap {

LecturaReloj LeerReloj(double duracion, double inicio, double ahora)
{
    LecturaReloj lectura;
    double c = duracion - (ahora - inicio);
    if (c < 0) {
        lectura.agotado = true;
        c = duracion - c;
    }
    if (c < 1.0 / 24)
        lectura.texto = FormatDateTime(u"nn:ss.zzz", c).left(7);
    else
        lectura.texto = FormatDateTime(u"hh:nn:ss", c);
    return lectura;
}

} // namespace quenlap
