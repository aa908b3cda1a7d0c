#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quenlap {

// Hexadecimal text as the race server's wire and the track archive carry it.

// A double from the 16-digit dump of its 8 bytes, least significant byte first ("000000000000F03F"
// is 1.0). A short text reads as if its missing pairs were "00", a lone last digit as "0" + it;
// blanks inside a pair read as "0". Any pair that is not hexadecimal makes the result 0.0.
double HexToDouble(QStringView text);
double HexToDouble(QByteArrayView text);
// The inverse: 16 upper-case digits.
QString DoubleToHex(double value);

// A hexadecimal integer field read as the platform reads "$" + text: one or more digits 0-9, A-F
// in either case, nothing else; up to 8 digits give a 32-bit integer ("FFFFFFFF" is -1).
// Throws quenlap::Error naming the text otherwise (an empty field included).
qint32 HexToInt(QStringView text);
qint32 HexToInt(QByteArrayView text);
// The field of a given width at an offset of a message; a field cut short by the message's end
// reads what is there (and an empty one throws).
qint32 LeerCampoHex(QStringView mensaje, qsizetype offset, qsizetype width);

// Upper-case digits, zero-padded to at least the given count; negative values as their 32-bit
// (or 64-bit when they do not fit 32) two's complement.
QString IntToHex(qint64 value, int digits);
// A fixed-width field: exactly `width` digits. Throws quenlap::Error when the value is negative or
// needs more digits, since a longer field would shift every field after it.
QString CampoHex(qint64 value, int width);

} // namespace quenlap
