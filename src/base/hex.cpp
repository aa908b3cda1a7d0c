#include "base/hex.h"

#include "base/error.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quenlap {

namespace {

char16_t Unidad(QChar c)
{
    return c.unicode();
}

char16_t Unidad(char c)
{
    return static_cast<unsigned char>(c);
}

int DigitoHex(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

template <typename Text> double HexToDoubleOf(const Text &text)
{
    const auto at = [&](qsizetype i) { return Unidad(text[i]); };
    unsigned char bytes[8] = {};
    for (qsizetype i = 0; i < 8; ++i) {
        char16_t pair[2] = {u'0', u'0'};
        const qsizetype first = 2 * i;
        const qsizetype available =
            std::max<qsizetype>(0, std::min<qsizetype>(2, text.size() - first));
        if (available == 2) {
            pair[0] = at(first) == u' ' ? u'0' : at(first);
            pair[1] = at(first + 1) == u' ' ? u'0' : at(first + 1);
        } else if (available == 1) {
            pair[1] = at(first);
        }
        const int high = DigitoHex(pair[0]);
        const int low = DigitoHex(pair[1]);
        if (high < 0 || low < 0)
            return 0.0;
        bytes[i] = static_cast<unsigned char>(high * 16 + low);
    }
    quint64 bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | bytes[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

[[noreturn]] void NoEsEntero(const QString &text)
{
    throw Error(QStringLiteral("'$%1' no es un valor entero válido").arg(text));
}

template <typename Text> qint32 HexToIntOf(const Text &text, const QString &shown)
{
    // Leading zeros do not count toward the 8 digits a 32-bit integer can hold.
    quint64 value = 0;
    if (text.size() == 0)
        NoEsEntero(shown);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int digit = DigitoHex(Unidad(text[i]));
        if (digit < 0)
            NoEsEntero(shown);
        value = value * 16 + quint64(digit);
        if (value > 0xFFFFFFFFu)
            NoEsEntero(shown);
    }
    return static_cast<qint32>(static_cast<quint32>(value));
}

} // namespace

double HexToDouble(QStringView text)
{
    return HexToDoubleOf(text);
}

double HexToDouble(QByteArrayView text)
{
    return HexToDoubleOf(text);
}

QString DoubleToHex(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    QString text;
    text.reserve(16);
    for (int i = 0; i < 8; ++i)
        text += IntToHex(qint64((bits >> (8 * i)) & 0xFF), 2);
    return text;
}

qint32 HexToInt(QStringView text)
{
    return HexToIntOf(text, text.toString());
}

qint32 HexToInt(QByteArrayView text)
{
    return HexToIntOf(text, QString::fromLatin1(text));
}

qint32 LeerCampoHex(QStringView mensaje, qsizetype offset, qsizetype width)
{
    if (offset < 0 || width < 0 || offset >= mensaje.size())
        return HexToInt(QStringView());
    return HexToInt(mensaje.mid(offset, std::min(width, mensaje.size() - offset)));
}

QString IntToHex(qint64 value, int digits)
{
    quint64 bits = quint64(value);
    if (value < 0 && value >= std::numeric_limits<qint32>::min())
        bits &= 0xFFFFFFFFu;
    return QString::number(bits, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString CampoHex(qint64 value, int width)
{
    const QString text = IntToHex(value, width);
    if (value < 0 || text.size() > width)
        throw Error(QStringLiteral("El valor %1 no cabe en un campo hexadecimal de %2 cifras")
                        .arg(value)
                        .arg(width));
    return text;
}

} // namespace quenlap
