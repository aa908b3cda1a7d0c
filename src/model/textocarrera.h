#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace quenlap {

// The text of a race data file: FF FE is UTF-16 little-endian, FE FF big-endian, EF BB BF UTF-8
// (the mark is dropped); anything else is Windows-1252, the code page of the Windows programs
// that write these files. A NUL character ends the text.
QString DecodificarTexto(const QByteArray &bytes);

// Lines of a text split at CR, LF, CR LF or U+2028; a CR or LF directly followed by U+2028 is
// one break, and a break at the very end adds no empty line. The views point into texto.
std::vector<QStringView> DividirLineas(QStringView texto);
QStringList DividirLineasLista(QStringView texto);

} // namespace quenlap
