#include "base/textos.h"

#include <QCoreApplication>

namespace quenlap {

QString TextoRecurso(const char *texto)
{
    return QCoreApplication::translate(Recursos::Contexto, texto);
}

} // namespace quenlap
