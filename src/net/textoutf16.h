#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quenlap {

// Race server messages travel as UTF-16LE code units, without byte-order mark or terminator.
QByteArray TextoAUtf16(QStringView texto);
// The code units of a payload: an odd last byte is ignored and the text ends at its first NUL.
QString TextoDeUtf16(QByteArrayView datos);

} // namespace quenlap
