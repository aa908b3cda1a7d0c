#include "trama.h"

#include "base/error.h"
#include "base/formatw.h"
#include "base/hex.h"

#include <QString>

namespace quenlap {

QByteArray CrearTrama(QByteArrayView payload)
{
    const QString cabecera = FormatW(u"%.*x", {LongitudCabecera, qint64(payload.size())});
    QByteArray trama = cabecera.toLatin1();
    trama.append(payload);
    return trama;
}

std::optional<qint32> LeerCabecera(QByteArrayView cabecera)
{
    const qsizetype fin = cabecera.indexOf('\0');
    qint32 longitud = -1;
    try {
        longitud = HexToInt(fin < 0 ? cabecera : cabecera.first(fin));
    } catch (const Error &) {
        return std::nullopt;
    }
    if (longitud < 0 || longitud > LongitudMaximaTrama)
        return std::nullopt;
    return longitud;
}

} // namespace quenlap
