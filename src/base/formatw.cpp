#include "base/formatw.h"

#include "base/error.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace quenlap {

namespace {

// Widths and precisions beyond this are a broken format, not a wish for megabytes of blanks.
constexpr qint64 MaxWidth = 1 << 20;

struct Conversion
{
    bool leftAlign = false;
    qint64 width = -1;
    qint64 precision = -1;
    QChar type;
};

class Formatter
{
public:
    Formatter(const FormatSettings *settings, QStringView format,
              std::initializer_list<FormatArg> args)
        : settings(settings), format(format), args(args)
    {}

    QString run();

private:
    [[noreturn]] void fail() const;
    const FormatArg &nextArg();
    qint64 readNumber();
    Conversion readConversion();
    QString convert(const Conversion &conversion, const FormatArg &arg);
    QString integerText(const Conversion &conversion, qint64 value) const;
    QString floatText(const Conversion &conversion, double value);
    const FormatSettings &separators();

    const FormatSettings *settings;
    std::optional<FormatSettings> localeSettings;
    QStringView format;
    std::initializer_list<FormatArg> args;
    qsizetype pos = 0;
    qsizetype conversionStart = 0;
    size_t argIndex = 0;
};

void Formatter::fail() const
{
    const qsizetype length = std::min(pos + 1, format.size()) - conversionStart;
    throw Error(QStringLiteral("Formato '%1' no válido o incompatible con el argumento")
                    .arg(format.mid(conversionStart, length)));
}

const FormatArg &Formatter::nextArg()
{
    if (argIndex >= args.size())
        fail();
    return *(args.begin() + argIndex++);
}

qint64 Formatter::readNumber()
{
    if (pos < format.size() && format[pos] == QLatin1Char('*')) {
        ++pos;
        const auto *value = std::get_if<qint64>(&nextArg().get());
        if (!value || *value < -MaxWidth || *value > MaxWidth)
            fail();
        return *value;
    }
    qint64 number = 0;
    bool any = false;
    while (pos < format.size() && format[pos].isDigit()) {
        number = number * 10 + format[pos].digitValue();
        if (number > MaxWidth)
            fail();
        any = true;
        ++pos;
    }
    return any ? number : -1;
}

Conversion Formatter::readConversion()
{
    Conversion conversion;
    // "index:" picks the argument by its place, counted from 0; later specifiers follow it.
    qsizetype digitsEnd = pos;
    while (digitsEnd < format.size() && format[digitsEnd].isDigit())
        ++digitsEnd;
    if (digitsEnd > pos && digitsEnd < format.size() && format[digitsEnd] == QLatin1Char(':')) {
        bool ok = false;
        const qint64 index = format.mid(pos, digitsEnd - pos).toLongLong(&ok);
        pos = digitsEnd + 1;
        if (!ok || index >= qint64(args.size()))
            fail();
        argIndex = size_t(index);
    }
    if (pos < format.size() && format[pos] == QLatin1Char('-')) {
        conversion.leftAlign = true;
        ++pos;
    }
    conversion.width = readNumber();
    if (conversion.width < -1) {
        conversion.leftAlign = true;
        conversion.width = -conversion.width;
    }
    if (pos < format.size() && format[pos] == QLatin1Char('.')) {
        ++pos;
        conversion.precision = readNumber();
        if (conversion.precision < -1)
            conversion.precision = -1;
    }
    if (conversion.width > MaxWidth || conversion.precision > MaxWidth || pos >= format.size())
        fail();
    conversion.type = format[pos].toLower();
    return conversion;
}

QString Formatter::integerText(const Conversion &conversion, qint64 value) const
{
    QString digits;
    bool negative = false;
    if (conversion.type == QLatin1Char('d')) {
        negative = value < 0;
        digits = QString::number(negative ? -quint64(value) : quint64(value));
    } else {
        // Negative values that fit the platform's 32-bit integer show as their 32-bit pattern.
        quint64 bits = quint64(value);
        if (value < 0 && value >= std::numeric_limits<qint32>::min())
            bits &= 0xFFFFFFFFu;
        digits = conversion.type == QLatin1Char('x') ? QString::number(bits, 16).toUpper()
                                                     : QString::number(bits);
    }
    if (conversion.precision > digits.size())
        digits = QString(conversion.precision - digits.size(), QLatin1Char('0')) + digits;
    return negative ? QLatin1Char('-') + digits : digits;
}

const FormatSettings &Formatter::separators()
{
    if (settings)
        return *settings;
    if (!localeSettings)
        localeSettings = FormatSettings::fromLocale();
    return *localeSettings;
}

QString Formatter::floatText(const Conversion &conversion, double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("NAN")
                                 : (value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF"));
    const int decimals =
        int(conversion.precision < 0 ? 2 : std::min<qint64>(conversion.precision, 18));
    QString text = QString::number(value, 'f', decimals);
    const FormatSettings &sep = separators();
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0)
        text[point] = sep.decimalSeparator;
    if (conversion.type == QLatin1Char('n')) {
        const qsizetype firstDigit = text.startsWith(QLatin1Char('-')) ? 1 : 0;
        for (qsizetype at = (point >= 0 ? point : text.size()) - 3; at > firstDigit; at -= 3)
            text.insert(at, sep.thousandSeparator);
    }
    // A value that rounds to zero shows no sign: "-0,00" is not a number anyone wants to read.
    const bool allZero = std::all_of(text.cbegin(), text.cend(),
                                     [](QChar c) { return !c.isDigit() || c == QLatin1Char('0'); });
    if (allZero && text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    return text;
}

QString Formatter::convert(const Conversion &conversion, const FormatArg &arg)
{
    const auto &value = arg.get();
    switch (conversion.type.unicode()) {
    case 'd':
    case 'u':
    case 'x':
        if (const auto *integer = std::get_if<qint64>(&value))
            return integerText(conversion, *integer);
        break;
    case 'n':
    case 'f':
        if (const auto *number = std::get_if<double>(&value))
            return floatText(conversion, *number);
        break;
    case 's':
        if (const auto *text = std::get_if<QString>(&value))
            return conversion.precision >= 0 ? text->left(conversion.precision) : *text;
        break;
    default:
        break;
    }
    fail();
}

QString Formatter::run()
{
    QString result;
    result.reserve(format.size() + 16);
    while (pos < format.size()) {
        const qsizetype percent = format.indexOf(QLatin1Char('%'), pos);
        if (percent < 0) {
            result += format.mid(pos);
            break;
        }
        result += format.mid(pos, percent - pos);
        conversionStart = percent;
        pos = percent + 1;
        if (pos < format.size() && format[pos] == QLatin1Char('%')) {
            result += QLatin1Char('%');
            ++pos;
            continue;
        }
        const Conversion conversion = readConversion();
        QString text = convert(conversion, nextArg());
        ++pos;
        if (conversion.width > text.size()) {
            const QString blanks(conversion.width - text.size(), QLatin1Char(' '));
            text = conversion.leftAlign ? text + blanks : blanks + text;
        }
        result += text;
    }
    return result;
}

} // namespace

QString FormatW(QStringView format, std::initializer_list<FormatArg> args)
{
    return Formatter(nullptr, format, args).run();
}

QString FormatW(const FormatSettings &settings, QStringView format,
                std::initializer_list<FormatArg> args)
{
    return Formatter(&settings, format, args).run();
}

} // namespace quenlap
