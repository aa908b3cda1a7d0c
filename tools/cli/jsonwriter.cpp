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
    members.append(member(key, value ? QStringLiteral("true") : QStringLiteral("false")));
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
            if (c.unicode() < 0x20)
                out.append(QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0')));
            else
                out.append(c);
        }
    }
    out.append(QLatin1Char('"'));
    return out;
}

QString jsonSeconds(double days)
{
    if (!std::isfinite(days))
        return QStringLiteral("null");
    const long long micros = std::llround(days * 86400.0e6);
    const unsigned long long magnitude =
        micros < 0 ? 0ULL - static_cast<unsigned long long>(micros) : micros;
    QString text = micros < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 1000000ULL);
    QString fraction = QStringLiteral("%1").arg(magnitude % 1000000ULL, 6, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += QLatin1Char('.') + fraction;
    return text;
}

QString jsonArray(const QStringList &elements, int indent)
{
    if (elements.isEmpty())
        return QStringLiteral("[]");
    const QString inner = spaces(indent + 2);
    return QLatin1String("[\n") + inner + elements.join(QLatin1String(",\n") + inner) +
           QLatin1Char('\n') + spaces(indent) + QLatin1Char(']');
}

} // namespace cli
