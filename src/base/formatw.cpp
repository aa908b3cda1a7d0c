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

struct Spec
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
    Spec readSpec();
    QString convert(const Spec &spec, const FormatArg &arg);
    QString integerText(const Spec &spec, qint64 value) const;
    QString floatText(const Spec &spec, double value);
    const FormatSettings &separators();

    const FormatSettings *settings;
    std::optional<FormatSettings> localeSettings;
    QStringView format;
    std::initializer_list<FormatArg> args;
    qsizetype pos = 0;
    qsizetype specStart = 0;
    size_t argIndex = 0;
};

void Formatter::fail() const
{
    const qsizetype length = std::min(pos + 1, format.size()) - specStart;
    throw Error(QStringLiteral("Formato '%1' no válido o incompatible con el argumento")
                    .arg(format.mid(specStart, length)));
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

Spec Formatter::readSpec()
{
    Spec spec;
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
        spec.leftAlign = true;
        ++pos;
    }
    spec.width = readNumber();
    if (spec.width < -1) {
        spec.leftAlign = true;
        spec.width = -spec.width;
    }
    if (pos < format.size() && format[pos] == QLatin1Char('.')) {
        ++pos;
        spec.precision = readNumber();
        if (spec.precision < -1)
            spec.precision = -1;
    }
    if (spec.width > MaxWidth || spec.precision > MaxWidth || pos >= format.size())
        fail();
    spec.type = format[pos].toLower();
    return spec;
}

QString Formatter::integerText(const Spec &spec, qint64 value) const
{
    QString digits;
    bool negative = false;
    if (spec.type == QLatin1Char('d')) {
        negative = value < 0;
        digits = QString::number(negative ? -quint64(value) : quint64(value));
    } else {
        // Negative values that fit the platform's 32-bit integer show as their 32-bit pattern.
        quint64 bits = quint64(value);
        if (value < 0 && value >= std::numeric_limits<qint32>::min())
            bits &= 0xFFFFFFFFu;
        digits = spec.type == QLatin1Char('x') ? QString::number(bits, 16).toUpper()
                                               : QString::number(bits);
    }
    if (spec.precision > digits.size())
        digits = QString(spec.precision - digits.size(), QLatin1Char('0')) + digits;
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

QString Formatter::floatText(const Spec &spec, double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("NAN")
                                 : (value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF"));
    const int decimals = int(spec.precision < 0 ? 2 : std::min<qint64>(spec.precision, 18));
    QString text = QString::number(value, 'f', decimals);
    const FormatSettings &sep = separators();
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0)
        text[point] = sep.decimalSeparator;
    if (spec.type == QLatin1Char('n')) {
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

QString Formatter::convert(const Spec &spec, const FormatArg &arg)
{
    const auto &value = arg.get();
    switch (spec.type.unicode()) {
    case 'd':
    case 'u':
    case 'x':
        if (const auto *integer = std::get_if<qint64>(&value))
            return integerText(spec, *integer);
        break;
    case 'n':
    case 'f':
        if (const auto *number = std::get_if<double>(&value))
            return floatText(spec, *number);
        break;
    case 's':
        if (const auto *text = std::get_if<QString>(&value))
            return spec.precision >= 0 ? text->left(spec.precision) : *text;
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
        specStart = percent;
        pos = percent + 1;
        if (pos < format.size() && format[pos] == QLatin1Char('%')) {
            result += QLatin1Char('%');
            ++pos;
            continue;
        }
        const Spec spec = readSpec();
        QString text = convert(spec, nextArg());
        ++pos;
        if (spec.width > text.size()) {
            const QString blanks(spec.width - text.size(), QLatin1Char(' '));
            text = spec.leftAlign ? text + blanks : blanks + text;
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
