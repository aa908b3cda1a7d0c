#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quenlap {

// Windows-1252, the 8-bit code page of Spanish and Western European Windows, written out here so
// that it does not depend on the codecs of the machine. The five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) read as the control characters of the same number, as Windows
// reads them, so that decoding never loses a byte.
QString Cp1252ToString(QByteArrayView bytes);
// Characters the code page cannot hold become "?" (and make `exact`, when given, false).
QByteArray StringToCp1252(QStringView text, bool *exact = nullptr);
// Whether every character of the text has a byte in the code page.
bool CabeEnCp1252(QStringView text);

} // namespace quenlap
