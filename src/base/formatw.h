#pragma once

#include "base/formatsettings.h"

#include <QString>
#include <QStringView>

#include <initializer_list>
#include <variant>

namespace quenlap {

// One argument of FormatW: an integer, a floating number or a text.
class FormatArg
{
public:
    FormatArg(int value) : value(qint64(value)) {}
    FormatArg(unsigned value) : value(qint64(value)) {}
    FormatArg(long value) : value(qint64(value)) {}
    FormatArg(unsigned long value) : value(qint64(value)) {}
    FormatArg(long long value) : value(qint64(value)) {}
    FormatArg(unsigned long long value) : value(qint64(value)) {}
    FormatArg(double value) : value(value) {}
    FormatArg(const QString &value) : value(value) {}
    FormatArg(QStringView value) : value(value.toString()) {}
    FormatArg(QLatin1StringView value) : value(QString(value)) {}
    FormatArg(const char16_t *value) : value(QString::fromUtf16(value)) {}

    const std::variant<qint64, double, QString> &get() const { return value; }

private:
    std::variant<qint64, double, QString> value;
};

// The wide Format of the program's texts: "%d", "%u", "%s", "%x" (upper-case digits), "%n"
// (thousands separators, two decimals), "%f" (two decimals), "%%", with "-" (left align), width,
// ".precision" and "*" (width or precision taken from the next argument), and "index:" to pick
// an argument. Precision zero-pads integers, sets the decimals of floating numbers and cuts
// texts. Throws quenlap::Error when a specifier is malformed, does not match its argument or
// arguments run out.
// The separators of "%n" and "%f" are those of the locale in force, or the given ones.
QString FormatW(QStringView format, std::initializer_list<FormatArg> args);
QString FormatW(const FormatSettings &settings, QStringView format,
                std::initializer_list<FormatArg> args);

} // namespace quenlap
