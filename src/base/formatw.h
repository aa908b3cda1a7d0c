#pragma once

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
    FormatArg(qint64 value) : value(value) {}
    FormatArg(double value) : value(value) {}
    FormatArg(const QString &value) : value(value) {}
    FormatArg(QStringView value) : value(value.toString()) {}

    const std::variant<qint64, double, QString> &get() const { return value; }

private:
    std::variant<qint64, double, QString> value;
};

// The wide Format of the program's texts: "%d", "%s", "%x" (upper-case digits), "%n" (thousands
// separators, two decimals), "%%", with "-" (left align), width, ".precision" and "*" (width or
// precision taken from the next argument). Precision zero-pads numbers and cuts texts.
// Throws quenlap::Error when a specifier does not match its argument or arguments run out.
QString FormatW(QStringView format, std::initializer_list<FormatArg> args);

} // namespace quenlap
