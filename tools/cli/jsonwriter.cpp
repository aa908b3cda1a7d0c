#include "jsonwriter.h"

#include <cmath>

namespace cli {

namespace {

QString member(QStringView key, const QString &value)
{
    return jsonString(key) + QLatin1String(": ") + value;
}

QString spaces(int count)
{
    return QString(count, QLatin1Char(' '));
}

} // namespace

JsonObject &JsonObject::add(QStringView key, int value)
{
    members.append(member(key, QString::number(value)));
    return *this;
}

JsonObject &JsonObject::add(QStringView key, bool value)
{
    members.append(member(key, jsonBool(value)));
    return *this;
}

JsonObject &JsonObject::add(QStringView key, const QString &value)
{
    members.append(member(key, jsonString(value)));
    return *this;
}

JsonObject &JsonObject::addSeconds(QStringView key, double days)
{
    members.append(member(key, jsonSeconds(days)));
    return *this;
}

JsonObject &JsonObject::addNull(QStringView key)
{
    members.append(member(key, QStringLiteral("null")));
    return *this;
}

JsonObject &JsonObject::addRaw(QStringView key, const QString &value)
{
    members.append(member(key, value));
    return *this;
}

QString JsonObject::compact() const
{
    return QLatin1Char('{') + members.join(QLatin1String(", ")) + QLatin1Char('}');
}

QString JsonObject::indented(int indent) const
{
    if (members.isEmpty())
        return QStringLiteral("{}");
    const QString inner = spaces(indent + 2);
    return QLatin1String("{\n") + inner + members.join(QLatin1String(",\n") + inner) +
           QLatin1Char('\n') + spaces(indent) + QLatin1Char('}');
}

QString jsonString(QStringView text)
{
    QString out;
    out.reserve(text.size() + 2);
    out.append(QLatin1Char('"'));
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out.append(QLatin1String("\\\""));
            break;
        case u'\\':
            out.append(QLatin1String("\\\\"));
            break;
        case u'\n':
            out.append(QLatin1String("\\n"));
            break;
        case u'\r':
            out.append(QLatin1String("\\r"));
            break;
        case u'\t':
            out.append(QLatin1String("\\t"));
            break;
        default:
            // The line and paragraph separators too: a line reader may split at them.
            if (c.unicode() < 0x20 || c.unicode() == 0x2028 || c.unicode() == 0x2029)
                out.append(QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0')));
            else
                out.append(c);
        }
    }
    out.append(QLatin1Char('"'));
    return out;
}

QString jsonBool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString jsonSeconds(double days)
{
    if (!std::isfinite(days))
        return QStringLiteral("null");
    const long long micros = std::llround(days * 86400.0e6);
    unsigned long long magnitude = micros < 0 ? 0ULL - static_cast<unsigned long long>(micros)
                                              : static_cast<unsigned long long>(micros);
    // Digits from the right: the microseconds without their trailing zeros, then the seconds.
    char digits[32];
    char *end = digits + sizeof digits;
    char *out = end;
    unsigned long long fraction = magnitude % 1000000ULL;
    magnitude /= 1000000ULL;
    int places = 6;
    while (fraction != 0 && fraction % 10 == 0) {
        fraction /= 10;
        --places;
    }
    if (fraction != 0) {
        for (int i = 0; i < places; ++i, fraction /= 10)
            *--out = char('0' + fraction % 10);
        *--out = '.';
    }
    do {
        *--out = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (micros < 0)
        *--out = '-';
    return QString::fromLatin1(out, end - out);
}

} // namespace cli
