// Any bytes as a race data file: decoded, split into lines and read into laps and competitors,
// or refused with a line-numbered Error.
#include "base/error.h"
#include "model/listacoches.h"
#include "model/listavueltas.h"
#include "model/textocarrera.h"

#include <cstdint>

using namespace quenlap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString texto =
        DecodificarTexto(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    TListaCoches coches;
    TListaVueltas vueltas;
    try {
        vueltas.CargarLineas(coches, DividirLineasLista(texto));
    } catch (const Error &) {
    }
    return 0;
}
