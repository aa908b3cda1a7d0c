#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <optional>

namespace quenlap {

// Frames of the race server connection, the same in both directions: 8 hexadecimal ASCII digits
// of payload length (upper case when sent, either case on receipt), then the payload.
constexpr int LongitudCabecera = 8;

// The largest payload a receiver accepts. A whole race snapshot is far smaller; anything beyond
// is a broken or hostile stream, and allocating it would only take the viewer down.
constexpr qint32 LongitudMaximaTrama = 64 * 1024 * 1024;

// Header and payload in one buffer, ready for the wire.
QByteArray CrearTrama(QByteArrayView payload);

// The payload length a header announces, read up to its first zero byte; nothing when the header
// is not a hexadecimal number, or announces a negative length or more than LongitudMaximaTrama.
std::optional<qint32> LeerCabecera(QByteArrayView cabecera);

} // namespace quenlap
