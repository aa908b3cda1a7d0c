#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace cli {

// A JSON object written as its members are added, in the order they are added.
class JsonObject
{
public:
    JsonObject &add(QStringView key, int value);
    JsonObject &add(QStringView key, bool value);
    JsonObject &add(QStringView key, const QString &value);
    // A race time (day fraction) as seconds, exact to the microsecond.
    JsonObject &addSeconds(QStringView key, double days);
    JsonObject &addNull(QStringView key);
    // value is already JSON text (an array or object).
    JsonObject &addRaw(QStringView key, const QString &value);

    // Compact on one line, or with one member per line after the given indentation.
    QString compact() const;
    QString indented(int indent) const;

private:
    QStringList members;
};

QString jsonString(QStringView text);
QString jsonBool(bool value);
QString jsonSeconds(double days);

} // namespace cli
