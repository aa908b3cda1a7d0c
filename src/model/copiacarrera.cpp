#include "model/copiacarrera.h"

#include "base/formatw.h"
#include "base/global.h"
#include "base/racetime.h"

#include <QDir>
#include <QSaveFile>
#include <QStringEncoder>

namespace quenlap {

namespace {

const QByteArray FinDeLinea = QByteArrayLiteral("\r\n");

// Long enough for any race name people type, short enough that the whole name stays under the
// 255 bytes file systems allow even when every character takes 3 bytes in UTF-8.
constexpr qsizetype LargoMaximoEtiqueta = 60;

bool PermitidoEnNombre(QChar c)
{
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
        return false;
    static const QString prohibidos = QStringLiteral("<>:\"/\\|?*");
    return !prohibidos.contains(c);
}

} // namespace

void TCopiaCarrera::RegistrarVuelta(const QString &linea)
{
    lineas += linea.toUtf8();
    lineas += FinDeLinea;
    ++vueltas;
}

bool TCopiaCarrera::Guardar(const QString &fichero, const QStringList &resultados)
{
    if (fichero != ficheroEscrito) {
        // The lines written so far belong to the previous file.
        lineas.remove(0, escritoHasta);
        vueltas -= escritas;
        escritoHasta = 0;
        escritas = 0;
        ficheroEscrito = fichero;
    }
    QString texto = QString::fromUtf8(lineas);
    texto += QStringLiteral("-1\r\n");
    for (const QString &resultado : resultados)
        texto += resultado + QStringLiteral("\r\n");

    QStringEncoder codificador(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray bytes = codificador.encode(texto);
    QSaveFile salida(fichero);
    if (!salida.open(QIODevice::WriteOnly) || salida.write(bytes) != bytes.size() ||
        !salida.commit())
        return false;
    escritoHasta = lineas.size();
    escritas = vueltas;
    return true;
}

bool TCopiaCarrera::CrearCarpeta(const QString &carpetaDatos)
{
    return QDir().mkpath(carpetaDatos);
}

QString TCopiaCarrera::RutaFichero(const QString &carpetaDatos, const QString &etiqueta,
                                   const QDateTime &inicio)
{
    const QString momento = FormatDateTime(u"yyyymmdd-hhnnss", DateTimeToDias(inicio));
    return RutaEn(carpetaDatos, FormatW(u"%s-%s.dat", {EtiquetaSegura(etiqueta), momento}));
}

QString TCopiaCarrera::EtiquetaSegura(const QString &etiqueta)
{
    QString segura = etiqueta.left(LargoMaximoEtiqueta);
    for (QChar &c : segura) {
        if (!PermitidoEnNombre(c))
            c = QLatin1Char('_');
    }
    // "." and ".." name folders, never a file.
    if (segura == QLatin1String(".") || segura == QLatin1String(".."))
        segura.replace(QLatin1Char('.'), QLatin1Char('_'));
    return segura;
}

QString TCopiaCarrera::EtiquetaTarvel(const QString &carrera)
{
    return QStringLiteral("Tarvel-") + carrera;
}

QString TCopiaCarrera::EtiquetaDSRouter()
{
    return QStringLiteral("DSRouter");
}

QString TCopiaCarrera::LineaResultado(int posicion, int numero, const QString &nombre, int vueltas,
                                      double tiempoTotal, double mejorVuelta)
{
    const QString tab = QStringLiteral("\t");
    return FormatW(u"%d%s(%.2d)%s%-20.20s%s%d%s%.11s%s%.8s",
                   {posicion, tab, numero, tab, nombre, tab, vueltas, tab,
                    FormatDateTime(u"hh.nn.ss.zzz", tiempoTotal), tab,
                    FormatDateTime(u"nn.ss.zzz", mejorVuelta)});
}

} // namespace quenlap
