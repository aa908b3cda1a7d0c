#include "model/textocarrera.h"

#include "base/cp1252.h"
#include "base/textencoding.h"

#include <QStringDecoder>

namespace quenlap {

namespace {

constexpr char16_t SeparadorLinea = 0x2028;

QString Decodificar(QByteArrayView bytes, QStringConverter::Encoding codificacion)
{
    // An odd last byte of UTF-16 is no character: it is dropped, as Windows drops it.
    if (codificacion != QStringConverter::Utf8 && bytes.size() % 2 != 0)
        bytes.chop(1);
    QStringDecoder decodificador(codificacion, QStringConverter::Flag::Stateless);
    return decodificador.decode(bytes);
}

QString DecodificarSinCortar(const QByteArray &bytes)
{
    const std::optional<MarcaOrdenBytes> marca = MarcaDeOrden(bytes);
    if (!marca)
        return Cp1252ToString(bytes);
    const QByteArrayView resto = QByteArrayView(bytes).sliced(marca->longitud);
    switch (marca->codificacion) {
    case Codificacion::Utf16LE:
        return Decodificar(resto, QStringConverter::Utf16LE);
    case Codificacion::Utf16BE:
        return Decodificar(resto, QStringConverter::Utf16BE);
    default:
        return Decodificar(resto, QStringConverter::Utf8);
    }
}

} // namespace

QString DecodificarTexto(const QByteArray &bytes)
{
    QString texto = DecodificarSinCortar(bytes);
    const qsizetype nulo = texto.indexOf(QChar(u'\0'));
    if (nulo >= 0)
        texto.truncate(nulo);
    return texto;
}

std::vector<QStringView> DividirLineas(QStringView texto)
{
    std::vector<QStringView> lineas;
    const char16_t *datos = texto.utf16();
    const qsizetype tam = texto.size();
    qsizetype inicio = 0;
    qsizetype i = 0;
    while (i < tam) {
        const char16_t c = datos[i];
        // Most characters lie above CR; only those below it need a closer look.
        if ((c > u'\r' && c != SeparadorLinea) || (c < u'\r' && c != u'\n')) {
            ++i;
            continue;
        }
        lineas.push_back(texto.sliced(inicio, i - inicio));
        ++i;
        if (c == u'\r' && i < tam && datos[i] == u'\n')
            ++i;
        if (c != SeparadorLinea && i < tam && datos[i] == SeparadorLinea)
            ++i;
        inicio = i;
    }
    if (inicio < tam)
        lineas.push_back(texto.sliced(inicio));
    return lineas;
}

QStringList DividirLineasLista(QStringView texto)
{
    QStringList lista;
    const std::vector<QStringView> lineas = DividirLineas(texto);
    lista.reserve(qsizetype(lineas.size()));
    for (const QStringView linea : lineas)
        lista.append(linea.toString());
    return lista;
}

} // namespace quenlap
