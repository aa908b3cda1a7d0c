// Any text from a DS Router, in pieces, through the record parser, driven as the race window
// drives it.
#include "net/dsrouter.h"

#include <QDir>

#include <algorithm>
#include <cstdint>

using namespace quenlap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The parser logs into the working folder; keep that out of the way.
    static const bool enTemporal = QDir::setCurrent(QDir::tempPath());
    (void)enTemporal;
    const qsizetype pieza = data[0] % 128 + 1;
    const QByteArrayView texto(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    TDSRouter router;
    for (qsizetype desde = 0; desde < texto.size(); desde += pieza) {
        int tipo = router.Procesar(texto.sliced(desde, std::min(pieza, texto.size() - desde)));
        for (int llamadas = 1; tipo != TDSRouter::Ninguno && llamadas < 1001; ++llamadas)
            tipo = router.Procesar({});
    }
    return 0;
}
