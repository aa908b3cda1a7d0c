#include "model/textocarrera.h"

#include "base/cp1252.h"

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

bool EmpiezaPor(const QByteArray &bytes, std::initializer_list<unsigned char> marca)
{
    if (bytes.size() < qsizetype(marca.size()))
        return false;
    qsizetype i = 0;
    for (const unsigned char b : marca) {
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    }
    return true;
}

QString DecodificarSinCortar(const QByteArray &bytes)
{
    if (EmpiezaPor(bytes, {0xFF, 0xFE}))
        return Decodificar(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16LE);
    if (EmpiezaPor(bytes, {0xFE, 0xFF}))
        return Decodificar(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16BE);
    if (EmpiezaPor(bytes, {0xEF, 0xBB, 0xBF}))
        return Decodificar(QByteArrayView(bytes).sliced(3), QStringConverter::Utf8);
    return Cp1252ToString(bytes);
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
