#include "base/global.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QOperatingSystemVersion>
#include <QRegularExpression>
#include <QStandardPaths>

#include <optional>

namespace quenlap {

namespace {

struct EstadoGlobal
{
    std::optional<FormatSettings> ajustes;
    PatronesTiempo patrones;
    std::optional<QString> carpeta;
};

EstadoGlobal &Estado()
{
    static EstadoGlobal estado;
    return estado;
}

const PatronesTiempo &Patrones()
{
    AjustesFormato();
    return Estado().patrones;
}

bool EmpiezaSinMayusculas(const QString &texto, const QString &prefijo)
{
    if (texto.size() < prefijo.size())
        return false;
    // Only a-z fold, as the platform's comparison does; other letters must match exactly.
    const auto pliega = [](QChar c) {
        return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
    };
    for (qsizetype i = 0; i < prefijo.size(); ++i) {
        if (pliega(texto[i]) != pliega(prefijo[i]))
            return false;
    }
    return true;
}

bool BajoPrefijo(const QString &carpeta, const QString &prefijo)
{
    return carpeta == prefijo || carpeta.startsWith(prefijo + QLatin1Char('/'));
}

QString CarpetaPrograma()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

QString CalcularCarpeta()
{
#ifdef Q_OS_WIN
    return CarpetaConfiguracionWindows(CarpetaPrograma(), VersionMayorSistema(),
                                       LeerVariableEntorno(QStringLiteral("programfiles")),
                                       LeerVariableEntorno(QStringLiteral("PUBLIC")));
#else
    return CarpetaConfiguracionLinux(
        LeerVariableEntorno(QStringLiteral("QUENLAP_CONFIG_DIR")), CarpetaPrograma(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
#endif
}

} // namespace

PatronesTiempo PatronesTiempo::conSeparador(QChar separadorDecimal)
{
    const QString sep(separadorDecimal);
    return {QStringLiteral("nn:ss") + sep + QStringLiteral("zzz"),
            QStringLiteral("s") + sep + QStringLiteral("zzz"),
            QStringLiteral("h:nn:ss") + sep + QStringLiteral("zzz"),
            QStringLiteral("--:--") + sep + QStringLiteral("---")};
}

const FormatSettings &AjustesFormato()
{
    EstadoGlobal &estado = Estado();
    if (!estado.ajustes)
        FijarAjustesFormato(FormatSettings::fromLocale());
    return *estado.ajustes;
}

void FijarAjustesFormato(const FormatSettings &ajustes)
{
    EstadoGlobal &estado = Estado();
    estado.ajustes = ajustes;
    estado.patrones = PatronesTiempo::conSeparador(ajustes.decimalSeparator);
}

const QString &FormatoMinutos()
{
    return Patrones().FormatoMinutos;
}

const QString &FormatoSegundos()
{
    return Patrones().FormatoSegundos;
}

const QString &FormatoHoras()
{
    return Patrones().FormatoHoras;
}

const QString &TiempoVacio()
{
    return Patrones().TiempoVacio;
}

double StrToFloatDef(const QString &texto, double defecto, QChar separadorDecimal)
{
    if (texto.isEmpty())
        return 0.0;
    QString numero = texto.trimmed();
    // The point is a digit separator only where the locale says so.
    if (separadorDecimal != u'.') {
        if (numero.contains(u'.'))
            return defecto;
        numero.replace(separadorDecimal, u'.');
    }
    static const QRegularExpression forma(
        QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    if (!forma.match(numero).hasMatch())
        return defecto;
    bool ok = false;
    const double valor = QLocale::c().toDouble(numero, &ok);
    return ok ? valor : defecto;
}

double StrToFloatDef(const QString &texto, double defecto)
{
    return StrToFloatDef(texto, defecto, AjustesFormato().decimalSeparator);
}

QString LeerVariableEntorno(const QString &nombre)
{
    return qEnvironmentVariable(nombre.toLocal8Bit().constData());
}

int VersionMayorSistema()
{
    return QOperatingSystemVersion::current().majorVersion();
}

QString CarpetaConfiguracionWindows(const QString &carpetaPrograma, int versionMayor,
                                    const QString &programFiles, const QString &publico)
{
    if (versionMayor == 6 && EmpiezaSinMayusculas(carpetaPrograma, programFiles))
        return publico + QStringLiteral("\\Documents\\Tarvel");
    return carpetaPrograma;
}

QString CarpetaConfiguracionLinux(const QString &variableConfiguracion,
                                  const QString &carpetaPrograma, const QString &documentos)
{
    if (!variableConfiguracion.isEmpty())
        return variableConfiguracion;
    if (!BajoPrefijo(carpetaPrograma, QStringLiteral("/usr")) &&
        !BajoPrefijo(carpetaPrograma, QStringLiteral("/opt")))
        return carpetaPrograma;
    return RutaEn(documentos, QStringLiteral("Tarvel"));
}

QString CarpetaConfiguracion()
{
    EstadoGlobal &estado = Estado();
    if (!estado.carpeta)
        estado.carpeta = CalcularCarpeta();
    return *estado.carpeta;
}

void FijarCarpetaConfiguracion(const QString &carpeta)
{
    Estado().carpeta = carpeta;
}

QString RutaConfiguracion(const QString &nombre)
{
    return RutaEn(CarpetaConfiguracion(), nombre);
}

QString RutaTarvelIni()
{
    return RutaConfiguracion(QStringLiteral("tarvel.ini"));
}

QString RutaQuenlapIni()
{
    return RutaConfiguracion(QStringLiteral("quenlap.ini"));
}

QString CarpetaDatos()
{
    return RutaConfiguracion(QStringLiteral("Datos"));
}

QString RutaEn(const QString &carpeta, const QString &nombre)
{
    if (carpeta.isEmpty())
        return nombre;
    const QChar ultimo = carpeta.back();
    if (ultimo == u'/' || ultimo == u'\\')
        return carpeta + nombre;
    return carpeta + QLatin1Char('/') + nombre;
}

} // namespace quenlap
