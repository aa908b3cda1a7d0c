#include "textoutf16.h"

#include <QtEndian>

namespace quenlap {

QByteArray TextoAUtf16(QStringView texto)
{
    QByteArray datos(texto.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < texto.size(); ++i)
        qToLittleEndian<quint16>(texto[i].unicode(), datos.data() + 2 * i);
    return datos;
}

QString TextoDeUtf16(QByteArrayView datos)
{
    QString texto;
    texto.reserve(datos.size() / 2);
    for (qsizetype i = 0; i + 1 < datos.size(); i += 2) {
        const char16_t unidad = qFromLittleEndian<quint16>(datos.data() + i);
        if (unidad == 0)
            break;
        texto.append(QChar(unidad));
    }
    return texto;
}

} // namespace quenlap
