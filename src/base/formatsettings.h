#pragma once

#include <QChar>
#include <QLocale>

namespace quenlap {

// Separators a formatter uses in place of ":" and "/" of a pattern, the separators of numbers,
// and the language of day and month names.
struct FormatSettings
{
    QChar decimalSeparator = QLatin1Char('.');
    QChar timeSeparator = QLatin1Char(':');
    QChar dateSeparator = QLatin1Char('/');
    QChar thousandSeparator = QLatin1Char(',');
    QLocale names = QLocale::c();

    // The separators and names of the locale in force (QLocale()).
    static FormatSettings fromLocale();
    // The same for a given locale.
    static FormatSettings fromLocale(const QLocale &locale);
};

} // namespace quenlap
