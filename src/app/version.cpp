#include "app/version.h"

#include "base/textos.h"

namespace quenlap {

QString TextoNombrePrograma()
{
    return TextoRecurso(Recursos::TituloPrograma);
}

QString TextoVersion()
{
    return TextoRecurso(Recursos::Version);
}

QString TituloPrincipal()
{
    return TextoNombrePrograma() + QLatin1Char(' ') + TextoVersion();
}

} // namespace quenlap
