#include "base/textencoding.h"

#include "base/cp1252.h"

#include <QStringDecoder>

namespace quenlap {

namespace {

bool EmpiezaCon(QByteArrayView bytes, std::initializer_list<unsigned char> marca)
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

QString Utf16(QByteArrayView datos, bool bigEndian)
{
    QString texto(datos.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const auto a = static_cast<unsigned char>(datos[2 * i]);
        const auto b = static_cast<unsigned char>(datos[2 * i + 1]);
        texto[i] = QChar(bigEndian ? char16_t(a << 8 | b) : char16_t(b << 8 | a));
    }
    return texto;
}

QByteArray Utf16Bytes(QStringView texto, bool bigEndian)
{
    QByteArray bytes;
    bytes.reserve(2 * texto.size() + 2);
    const auto pon = [&](char16_t u) {
        const char alto = static_cast<char>(u >> 8);
        const char bajo = static_cast<char>(u & 0xFF);
        bytes.append(bigEndian ? alto : bajo);
        bytes.append(bigEndian ? bajo : alto);
    };
    pon(0xFEFF);
    for (const QChar c : texto)
        pon(c.unicode());
    return bytes;
}

} // namespace

bool EsUtf8Valido(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texto = decoder(bytes);
    return !decoder.hasError();
}

std::optional<MarcaOrdenBytes> MarcaDeOrden(QByteArrayView bytes)
{
    if (EmpiezaCon(bytes, {0xFF, 0xFE}))
        return MarcaOrdenBytes{Codificacion::Utf16LE, 2};
    if (EmpiezaCon(bytes, {0xFE, 0xFF}))
        return MarcaOrdenBytes{Codificacion::Utf16BE, 2};
    if (EmpiezaCon(bytes, {0xEF, 0xBB, 0xBF}))
        return MarcaOrdenBytes{Codificacion::Utf8Bom, 3};
    return std::nullopt;
}

TextoDecodificado TextoDeBytes(QByteArrayView bytes)
{
    if (const std::optional<MarcaOrdenBytes> marca = MarcaDeOrden(bytes)) {
        const QByteArrayView resto = bytes.sliced(marca->longitud);
        switch (marca->codificacion) {
        case Codificacion::Utf16LE:
            return {Utf16(resto, false), Codificacion::Utf16LE};
        case Codificacion::Utf16BE:
            return {Utf16(resto, true), Codificacion::Utf16BE};
        default:
            return {QString::fromUtf8(resto), Codificacion::Utf8Bom};
        }
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = decoder(bytes);
    if (!decoder.hasError())
        return {texto, Codificacion::Utf8};
    return {Cp1252ToString(bytes), Codificacion::Cp1252};
}

QByteArray BytesDeTexto(QStringView texto, Codificacion codificacion)
{
    switch (codificacion) {
    case Codificacion::Utf8:
        return texto.toUtf8();
    case Codificacion::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + texto.toUtf8();
    case Codificacion::Utf16LE:
        return Utf16Bytes(texto, false);
    case Codificacion::Utf16BE:
        return Utf16Bytes(texto, true);
    case Codificacion::Cp1252:
        return StringToCp1252(texto);
    }
    return texto.toUtf8();
}

} // namespace quenlap
