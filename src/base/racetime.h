#pragma once

#include "base/formatsettings.h"

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

// FormatDateTime over a day fraction with the platform's pattern letters: y, yy, yyyy, m, mm, d,
// dd, h, hh, n, nn, s, ss, z, zzz, "'quoted'" text, ":" and "/" as the settings' separators; any
// other character is copied. Patterns with "m" next to "h" keep it as minutes, as the platform
// does. "ddd"/"dddd" and "mmm"/"mmmm" are short and long day and month names in the settings'
// language. The day fraction is rounded to the nearest millisecond before it is split, so a time
// stored as ms / 86400000 shows those ms; hours wrap at a day. Throws quenlap::Error for a value
// that is not finite or out of range.
QString FormatDateTime(QStringView pattern, double dias, const FormatSettings &settings = {});

// The log banner's long date: long day name, day, long month name, two-digit year and time.
inline constexpr QStringView LongDatePattern = u"dddd dd\", \"mmmm yy\" - \"hh:nn:ss";
QString LongDate(double dias, const FormatSettings &settings = {});

// Trunc toward zero, Round to nearest with halves to even, and integer division toward zero.
// Trunc and Round throw quenlap::Error for values that are not finite or do not fit 64 bits.
qint64 Trunc(double value);
qint64 Round(double value);
constexpr qint64 Div(qint64 a, qint64 b)
{
    return a / b;
}

} // namespace quenlap
