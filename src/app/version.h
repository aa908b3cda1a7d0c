#pragma once

#include <QString>

namespace quenlap {

// The program's name and version as the main caption and the splash show them, translated.
QString TextoNombrePrograma(); // "Tarvel Viewer"
QString TextoVersion();        // "1.12 Build 25"
// The caption of the main frame: name, a blank and version.
QString TituloPrincipal();

} // namespace quenlap
