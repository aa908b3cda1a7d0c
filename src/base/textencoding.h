#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace quenlap {

// How a text file is stored.
enum class Codificacion {
    Utf8, // no byte-order mark
    Utf8Bom,
    Utf16LE, // with its byte-order mark
    Utf16BE, // with its byte-order mark
    Cp1252,
};

// A byte-order mark at the start of a file: the encoding it announces and how many bytes it takes.
struct MarcaOrdenBytes
{
    Codificacion codificacion;
    qsizetype longitud;
};

struct TextoDecodificado
{
    QString texto;
    Codificacion codificacion = Codificacion::Utf8;
};

// The UTF-16 LE or BE or UTF-8 byte-order mark the bytes start with, if any.
std::optional<MarcaOrdenBytes> MarcaDeOrden(QByteArrayView bytes);
// A file's bytes as text: a UTF-16 LE or BE or a UTF-8 byte-order mark decides; without one,
// valid UTF-8 reads as UTF-8 and anything else as Windows-1252. An odd last byte of UTF-16 is
// dropped. The mark is not part of the text.
TextoDecodificado TextoDeBytes(QByteArrayView bytes);
// The text stored that way, with the byte-order mark where the encoding has one. Characters that
// Windows-1252 cannot hold become "?".
QByteArray BytesDeTexto(QStringView texto, Codificacion codificacion);
bool EsUtf8Valido(QByteArrayView bytes);

} // namespace quenlap
