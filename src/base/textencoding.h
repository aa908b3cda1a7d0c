#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quenlap {

// How a text file is stored.
enum class Codificacion {
    Utf8, // no byte-order mark
    Utf8Bom,
    Utf16LE, // with its byte-order mark
    Utf16BE, // with its byte-order mark
    Cp1252,
};

struct TextoDecodificado
{
    QString texto;
    Codificacion codificacion = Codificacion::Utf8;
};

// A file's bytes as text: a UTF-16 LE or BE or a UTF-8 byte-order mark decides; without one,
// valid UTF-8 reads as UTF-8 and anything else as Windows-1252. An odd last byte of UTF-16 is
// dropped. The mark is not part of the text.
TextoDecodificado TextoDeBytes(QByteArrayView bytes);
// The text stored that way, with the byte-order mark where the encoding has one. Characters that
// Windows-1252 cannot hold become "?".
QByteArray BytesDeTexto(QStringView texto, Codificacion codificacion);
bool EsUtf8Valido(QByteArrayView bytes);

} // namespace quenlap
