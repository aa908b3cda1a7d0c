#pragma once

#include "base/formatsettings.h"

#include <QString>

namespace quenlap {

// Process-wide settings of the program's shell: the time patterns, the float conversion, the
// environment, and the settings folder with the files in it.

// --- Time patterns -------------------------------------------------------------------------

// The four patterns built with one decimal separator (a pure function).
struct PatronesTiempo
{
    QString FormatoMinutos;  // "nn:ss" + sep + "zzz"
    QString FormatoSegundos; // "s" + sep + "zzz"
    QString FormatoHoras;    // "h:nn:ss" + sep + "zzz"
    QString TiempoVacio;     // "--:--" + sep + "---"

    static PatronesTiempo conSeparador(QChar separadorDecimal);
};

// The separators the program formats with: the locale's at the first call, fixed from then on.
const FormatSettings &AjustesFormato();
// Replaces them (tests, or a start-up that wants other separators); the patterns follow.
void FijarAjustesFormato(const FormatSettings &ajustes);

const QString &FormatoMinutos();
const QString &FormatoSegundos();
const QString &FormatoHoras();
const QString &TiempoVacio();

// --- Conversions and environment ---------------------------------------------------------

// A text to a floating number: an empty text gives 0; a text that is not a number written with
// the given decimal separator (blanks around it allowed, an exponent too) gives the default.
double StrToFloatDef(const QString &texto, double defecto, QChar separadorDecimal);
// The same with the process's decimal separator.
double StrToFloatDef(const QString &texto, double defecto);

// The value of an environment variable, empty when it is not set.
QString LeerVariableEntorno(const QString &nombre);
// The major version number the operating system reports (-1 when it reports none).
int VersionMayorSistema();

// --- Settings folder ---------------------------------------------------------------------

// The rule of the Windows product: with major version 6 and the program under `programfiles`
// (compared over that value's length, a-z without regard to case), the `PUBLIC` folder followed
// by "\Documents\Tarvel"; otherwise the program's own folder.
QString CarpetaConfiguracionWindows(const QString &carpetaPrograma, int versionMayor,
                                    const QString &programFiles, const QString &publico);
// Its mapping here: `QUENLAP_CONFIG_DIR` when set (portable installs, tests); else the program's
// own folder unless it lies under a system prefix (/usr, /opt); else the user's documents folder
// followed by "Tarvel".
QString CarpetaConfiguracionLinux(const QString &variableConfiguracion,
                                  const QString &carpetaPrograma, const QString &documentos);

// The settings folder, without a closing separator; fixed at the first call from the running
// program (or by FijarCarpetaConfiguracion). It is not created here.
QString CarpetaConfiguracion();
void FijarCarpetaConfiguracion(const QString &carpeta);

// A folder and a name joined with one separator (none added when the folder already ends in one).
QString RutaEn(const QString &carpeta, const QString &nombre);
// A file of the settings folder.
QString RutaConfiguracion(const QString &nombre);
QString RutaTarvelIni();  // "tarvel.ini"
QString RutaQuenlapIni(); // "quenlap.ini"
QString CarpetaDatos();   // "Datos", where the race copies go

} // namespace quenlap
