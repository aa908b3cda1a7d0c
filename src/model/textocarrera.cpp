#include "model/textocarrera.h"

#include <QStringDecoder>

namespace quenlap {

namespace {

constexpr char16_t SeparadorLinea = 0x2028;

// Windows-1252 from 0x80 to 0x9F; the five unassigned bytes keep their own code, as Windows
// converts them. Every other byte is its own code point.
constexpr char16_t Cp1252Alto[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodificarCp1252(QByteArrayView bytes)
{
    QString texto(bytes.size(), Qt::Uninitialized);
    char16_t *destino = reinterpret_cast<char16_t *>(texto.data());
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *destino++ = byte >= 0x80 && byte < 0xA0 ? Cp1252Alto[byte - 0x80] : char16_t(byte);
    }
    return texto;
}

QString Decodificar(QByteArrayView bytes, QStringConverter::Encoding codificacion)
{
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
    return DecodificarCp1252(bytes);
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
        if (c != u'\r' && c != u'\n' && c != SeparadorLinea) {
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
