#pragma once

#include <QString>
#include <QtGlobal>

namespace quenlap {

// The program's own fixed texts, written in Spanish and shown through the translator in the
// context "Recursos" (see base/translator.h for how contexts are named).
namespace Recursos {
inline constexpr const char *Contexto = "Recursos";
inline constexpr const char *TituloPrograma = QT_TRANSLATE_NOOP("Recursos", "Tarvel Viewer");
inline constexpr const char *Version = QT_TRANSLATE_NOOP("Recursos", "1.12 Build 25");
inline constexpr const char *EnVuelta = QT_TRANSLATE_NOOP("Recursos", "en vuelta");
inline constexpr const char *AvisoRecogecoches =
    QT_TRANSLATE_NOOP("Recursos", "Aviso para recoger coches a: %s");
inline constexpr const char *ErrorCargandoFichero =
    QT_TRANSLATE_NOOP("Recursos", "Error cargando fichero de datos");
inline constexpr const char *ErrorConectandoTarvel =
    QT_TRANSLATE_NOOP("Recursos", "Error conectando con Tarvel");
} // namespace Recursos

// One of the texts above in the language in force.
QString TextoRecurso(const char *texto);

} // namespace quenlap
