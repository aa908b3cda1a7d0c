#include "net/logger.h"

#include "base/error.h"
#include "base/formatw.h"
#include "base/racetime.h"

#include <QDir>
#include <QFileInfo>

namespace quenlap {

namespace {

constexpr int AnchoBanner = 120;
constexpr double MedioDia = 0.5;
const QByteArray FinLinea = QByteArrayLiteral("\r\n");

QByteArray Repetir(char c, qsizetype veces)
{
    return QByteArray(qMax<qsizetype>(veces, 0), c);
}

} // namespace

TLogger::TLogger(const QString &NombreFichero, int MaxKB, bool Abrir, const QByteArray &Titulo,
                 const Clock &clock, const FormatSettings &formato)
    : nombreFichero(NombreFichero), maxKB(MaxKB), titulo(Titulo), clock(clock), formato(formato)
{
    if (Abrir)
        SetActivo(true);
}

TLogger::~TLogger()
{
    SetActivo(false);
}

double TLogger::Ahora() const
{
    return DateTimeToDias(clock.now());
}

void TLogger::SetActivo(bool Valor)
{
    if (Valor == Activo())
        return;
    if (Valor)
        Abrir();
    else
        file.close();
}

void TLogger::Abrir()
{
    const QString carpeta = QFileInfo(nombreFichero).path();
    if (carpeta != QLatin1String(".") && !QDir().mkpath(carpeta))
        return;
    file.setFileName(nombreFichero);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    // A log that cannot take its banner is as good as closed.
    try {
        addlinea(Banner());
        Vaciar();
    } catch (const Error &) {
        file.close();
    }
}

QByteArray TLogger::Banner() const
{
    const QByteArray fecha = LongDate(Ahora(), formato).toLatin1();
    const QByteArray vacia = '*' + Repetir(' ', AnchoBanner - 2) + '*' + FinLinea;
    const QByteArray asteriscos = Repetir('*', AnchoBanner) + FinLinea;

    QByteArray banner = FinLinea + asteriscos + vacia;
    banner += "* " + titulo + Repetir(' ', AnchoBanner - 4 - titulo.size() - fecha.size()) + fecha +
              " *" + FinLinea;
    banner += vacia + asteriscos + FinLinea;
    banner += QByteArray(TextoColumnas) + FinLinea;
    banner += Repetir('=', AnchoBanner);
    return banner;
}

void TLogger::Escribir(QByteArrayView Texto)
{
    if (!Activo())
        return;
    if (Ahora() - ultimaComprobacion > MedioDia)
        ComprobarTamano();
    if (!Activo())
        return;
    const QString momento = FormatDateTime(u"yyyy/mm/dd hh:nn:ss", Ahora(), formato);
    const QString linea = FormatW(formato, u"%19s --> %s", {momento, QString::fromLatin1(Texto)});
    addlinea(linea.toLatin1());
    Vaciar();
}

void TLogger::addlinea(QByteArrayView Linea)
{
    if (!Activo())
        return;
    QByteArray completa(Linea.data(), Linea.size());
    completa += FinLinea;
    if (file.write(completa) != completa.size())
        throw Error(
            QStringLiteral("I/O error writing %1: %2").arg(nombreFichero, file.errorString()));
}

void TLogger::Vaciar()
{
    if (!file.flush())
        throw Error(
            QStringLiteral("I/O error writing %1: %2").arg(nombreFichero, file.errorString()));
}

void TLogger::ComprobarTamano()
{
    ultimaComprobacion = Ahora();
    const QFileInfo info(nombreFichero);
    const qint64 kb = info.exists() ? info.size() / 1024 : 0;
    if (maxKB > 0 && kb > maxKB)
        Rotar();
}

QString TLogger::NombreRotado(double momento) const
{
    // The extension is what follows the last "." of the file name itself, not of its folder.
    const QString nombre = QFileInfo(nombreFichero).fileName();
    const qsizetype punto = nombre.lastIndexOf(QLatin1Char('.'));
    const qsizetype corte =
        punto < 0 ? nombreFichero.size() : nombreFichero.size() - (nombre.size() - punto);
    return nombreFichero.left(corte) + QLatin1Char('.') +
           FormatDateTime(u"yymmdd-hhnnsszzz", momento, formato) + nombreFichero.mid(corte);
}

void TLogger::Rotar()
{
    const bool abierto = Activo();
    SetActivo(false);
    QFile::rename(nombreFichero, NombreRotado(Ahora()));
    if (abierto)
        SetActivo(true);
}

} // namespace quenlap
