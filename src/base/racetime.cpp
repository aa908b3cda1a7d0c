#include "base/racetime.h"

#include "base/error.h"

#include <cmath>

namespace quenlap {

namespace {

// Julian day of 1899-12-30, day 0 of the platform's dates.
constexpr qint64 DiaCero = 2415019;
constexpr qint64 MsDia = 86400000;

// A day fraction split the way the platform splits it: rounded to the nearest millisecond first,
// so that a time stored as ms / 86400000 shows those same ms; the date counts whole days toward
// zero and the time of day is the magnitude of what is left.
struct Partes
{
    QDate fecha;
    int hora = 0;
    int minuto = 0;
    int segundo = 0;
    int ms = 0;
};

Partes Separar(double dias)
{
    const qint64 total = Round(dias * MsPorDia);
    Partes partes;
    partes.fecha = QDate::fromJulianDay(DiaCero + total / MsDia);
    const qint64 hora = std::llabs(total) % MsDia;
    partes.hora = int(hora / 3600000);
    partes.minuto = int(hora / 60000 % 60);
    partes.segundo = int(hora / 1000 % 60);
    partes.ms = int(hora % 1000);
    return partes;
}

QString Numero(int value, qsizetype digits)
{
    return QString::number(value).rightJustified(digits, QLatin1Char('0'));
}

class DateTimeFormatter
{
public:
    DateTimeFormatter(QStringView pattern, double dias, const FormatSettings &settings)
        : pattern(pattern), partes(Separar(dias)), settings(settings)
    {}

    QString run();

private:
    qsizetype countRun(QChar letter);
    void quoted(QChar quote);
    void token(QChar letter, qsizetype count);

    QStringView pattern;
    Partes partes;
    const FormatSettings &settings;
    qsizetype pos = 0;
    QChar lastLetter;
    QString out;
};

qsizetype DateTimeFormatter::countRun(QChar letter)
{
    qsizetype count = 0;
    while (pos < pattern.size() && pattern[pos].toLower() == letter) {
        ++count;
        ++pos;
    }
    return count;
}

void DateTimeFormatter::quoted(QChar quote)
{
    ++pos;
    const qsizetype end = pattern.indexOf(quote, pos);
    const qsizetype stop = end < 0 ? pattern.size() : end;
    out += pattern.mid(pos, stop - pos);
    pos = end < 0 ? pattern.size() : end + 1;
}

void DateTimeFormatter::token(QChar letter, qsizetype count)
{
    const QLocale &names = settings.names;
    switch (letter.unicode()) {
    case 'y':
        out += count <= 2 ? Numero(partes.fecha.year() % 100, 2) : Numero(partes.fecha.year(), 4);
        break;
    case 'm':
        if (count <= 2)
            out += Numero(partes.fecha.month(), count);
        else
            out += names.monthName(partes.fecha.month(),
                                   count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
        break;
    case 'd':
        if (count <= 2)
            out += Numero(partes.fecha.day(), count);
        else
            out += names.dayName(partes.fecha.dayOfWeek(),
                                 count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
        break;
    case 'h':
        out += Numero(partes.hora, std::min<qsizetype>(count, 2));
        break;
    case 'n':
        out += Numero(partes.minuto, std::min<qsizetype>(count, 2));
        break;
    case 's':
        out += Numero(partes.segundo, std::min<qsizetype>(count, 2));
        break;
    case 'z':
        out += Numero(partes.ms, std::min<qsizetype>(count, 3));
        break;
    default:
        out += QString(count, letter);
        break;
    }
}

QString DateTimeFormatter::run()
{
    while (pos < pattern.size()) {
        const QChar c = pattern[pos];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quoted(c);
        } else if (c == QLatin1Char(':')) {
            out += settings.timeSeparator;
            ++pos;
        } else if (c == QLatin1Char('/')) {
            out += settings.dateSeparator;
            ++pos;
        } else if (QStringLiteral("ymdhnsz").contains(c.toLower())) {
            QChar letter = c.toLower();
            const qsizetype count = countRun(letter);
            // The platform reads an "m" right after an hour as minutes.
            if (letter == QLatin1Char('m') && lastLetter == QLatin1Char('h') && count <= 2)
                letter = QLatin1Char('n');
            lastLetter = letter;
            token(letter, count);
        } else {
            if (c.isLetter())
                lastLetter = c.toLower();
            out += c;
            ++pos;
        }
    }
    return out;
}

QChar SeparadorDe(const QString &format, QStringView letters, QChar fallback)
{
    for (qsizetype i = 1; i < format.size(); ++i) {
        if (letters.contains(format[i - 1]) && !format[i].isLetter() && format[i] != u' ')
            return format[i];
    }
    return fallback;
}

} // namespace

FormatSettings FormatSettings::fromLocale()
{
    return fromLocale(QLocale());
}

FormatSettings FormatSettings::fromLocale(const QLocale &locale)
{
    FormatSettings settings;
    const QString decimal = locale.decimalPoint();
    if (!decimal.isEmpty())
        settings.decimalSeparator = decimal.front();
    const QString group = locale.groupSeparator();
    if (!group.isEmpty())
        settings.thousandSeparator = group.front();
    settings.timeSeparator =
        SeparadorDe(locale.timeFormat(QLocale::ShortFormat), u"hH", QLatin1Char(':'));
    settings.dateSeparator =
        SeparadorDe(locale.dateFormat(QLocale::ShortFormat), u"dMy", QLatin1Char('/'));
    settings.names = locale;
    return settings;
}

double MsToDias(double ms)
{
    return ms / MsPorDia;
}

double DiasToMs(double dias)
{
    return dias * MsPorDia;
}

double DateTimeToDias(const QDateTime &moment)
{
    const double dia = double(moment.date().toJulianDay() - DiaCero);
    const double hora = double(moment.time().msecsSinceStartOfDay()) / MsPorDia;
    // Before day 0 the platform keeps the time of day as a positive magnitude below the date.
    return dia >= 0 ? dia + hora : dia - hora;
}

QDateTime DiasToDateTime(double dias)
{
    const Partes partes = Separar(dias);
    return QDateTime(partes.fecha, QTime(partes.hora, partes.minuto, partes.segundo, partes.ms));
}

QString FormatDateTime(QStringView pattern, double dias, const FormatSettings &settings)
{
    return DateTimeFormatter(pattern, dias, settings).run();
}

QString LongDate(double dias, const FormatSettings &settings)
{
    return FormatDateTime(LongDatePattern, dias, settings);
}

qint64 Trunc(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18)
        throw Error(QStringLiteral("Operación de coma flotante no válida"));
    return qint64(value);
}

qint64 Round(double value)
{
    // The default rounding mode rounds halves to even.
    return Trunc(std::nearbyint(value));
}

} // namespace quenlap
