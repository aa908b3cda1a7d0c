// Any byte stream, cut anywhere, through the frame reader: it either delivers frames or gives up
// on a header, and never reads past what arrived.
#include "net/conexion.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace quenlap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte chooses the size of the pieces the stream arrives in.
    if (size == 0)
        return 0;
    const qsizetype pieza = data[0] % 64 + 1;
    const QByteArray flujo(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    TConexion conexion(1, nullptr);
    conexion.Cerrada = true;
    qsizetype llegados = 0;
    qsizetype leidos = 0;
    while (llegados < flujo.size()) {
        llegados = std::min(flujo.size(), llegados + pieza);
        while (leidos < llegados) {
            QByteArray trama;
            const auto lectura = conexion.PasoLectura(
                llegados - leidos,
                [&](char *destino, qint64 maximo) {
                    const qint64 n = std::min<qint64>(maximo, llegados - leidos);
                    std::copy_n(flujo.constData() + leidos, n, destino);
                    leidos += n;
                    return n;
                },
                trama);
            if (lectura == TConexion::Lectura::CabeceraInvalida)
                return 0;
            if (leidos > llegados)
                std::abort();
        }
    }
    return 0;
}
