#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

namespace quenlap {

// Race times and moments are day fractions in a double, as the race data files and the race
// server carry them: 1.0 is 24 hours, 1 ms is 1/86400000. A moment counts days from 1899-12-30.
constexpr double MsPorDia = 86400000.0;

double MsToDias(double ms);
double DiasToMs(double dias);
double DateTimeToDias(const QDateTime &moment);
QDateTime DiasToDateTime(double dias);

// Separators a formatter uses in place of ":" and "/" of a pattern, and the decimal separator
// of numbers.
struct FormatSettings
{
    QChar decimalSeparator = QLatin1Char('.');
    QChar timeSeparator = QLatin1Char(':');
    QChar dateSeparator = QLatin1Char('/');
    QChar thousandSeparator = QLatin1Char(',');

    // The separators of the locale in force (QLocale()).
    static FormatSettings fromLocale();
};

// FormatDateTime over a day fraction with the platform's pattern letters: y, yy, yyyy, m, mm, d,
// dd, h, hh, n, nn, s, ss, z, zzz, "'quoted'" text, ":" and "/" as the settings' separators; any
// other character is copied. Patterns with "m" next to "h" keep it as minutes, as the platform
// does. The long date of the logger is LongDate().
QString FormatDateTime(QStringView pattern, double dias, const FormatSettings &settings = {});

// Trunc toward zero, Round to nearest with halves to even, and integer division toward zero.
qint64 Trunc(double value);
qint64 Round(double value);
constexpr qint64 Div(qint64 a, qint64 b)
{
    return a / b;
}

} // namespace quenlap
