#include "mensajestarvel.h"

#include "base/error.h"
#include "base/formatw.h"
#include "base/hex.h"

namespace quenlap::MensajesTarvel {

namespace {

// A text with its length in a field of the given width before it.
QString TextoConLongitud(QStringView texto, int ancho)
{
    return CampoHex(texto.size(), ancho).append(texto);
}

QString Codigo4(Codigo codigo)
{
    return CampoHex(codigo, 4);
}

QString Bandera4(bool valor)
{
    return CampoHex(valor ? 1 : 0, 4);
}

} // namespace

QString CrearLogon(QStringView usuario, QStringView clave)
{
    constexpr qsizetype MaximoCampo = 0xFFFF;
    if (usuario.size() > MaximoCampo || clave.size() > MaximoCampo)
        throw Error(QStringLiteral("Logon user name or password longer than %1 characters")
                        .arg(MaximoCampo));
    return FormatW(u"%.4x%.4x%s%.4x%s",
                   {int(Logon), qint64(usuario.size()), usuario, qint64(clave.size()), clave});
}

QString CrearRespuestaLogon(int resultado, QStringView msg)
{
    return Codigo4(Logon) + CampoHex(resultado, 4) + TextoConLongitud(msg, 4);
}

QString CrearInicio(QStringView carrera, int clasificacion)
{
    return Codigo4(Inicio) + CampoHex(clasificacion, 4) + TextoConLongitud(carrera, 4);
}

QString CrearFin()
{
    return Codigo4(Fin);
}

QString CrearVuelta(QStringView v)
{
    return Codigo4(Vuelta) + TextoConLongitud(v, 4);
}

QString CrearEstado(QStringView carrera, const QStringList &c, const QStringList &l)
{
    return Codigo4(Estado) + TextoConLongitud(carrera, 4) + TextoConLongitud(BloqueDeLineas(c), 8) +
           TextoConLongitud(BloqueDeLineas(l), 8);
}

QString CrearCrono(QStringView crono)
{
    return Codigo4(Crono) + TextoConLongitud(crono, 4);
}

QString CrearTTS(QStringView texto, bool purga)
{
    return Codigo4(TTS) + Bandera4(purga) + TextoConLongitud(texto, 4);
}

QString CrearPausa(bool onOff)
{
    return Codigo4(Pausa) + Bandera4(onOff);
}

QString CrearLimiteConexion()
{
    return Codigo4(LimiteConexion);
}

QString CrearDuracion(int tipo, double duracion)
{
    return Codigo4(Duracion) + CampoHex(tipo, 4) + DoubleToHex(duracion);
}

QString CrearFinCoche(int coche)
{
    return Codigo4(FinCoche) + CampoHex(coche, 4);
}

QString CrearDescartarPrimeraVuelta(bool descartar)
{
    return Codigo4(DescartarPrimeraVuelta) + Bandera4(descartar);
}

QStringList LineasDeBloque(QStringView bloque)
{
    QStringList lineas;
    qsizetype inicio = 0;
    qsizetype i = 0;
    while (i < bloque.size()) {
        const QChar c = bloque[i];
        if (c != u'\r' && c != u'\n' && c != QChar(0x2028)) {
            ++i;
            continue;
        }
        lineas.append(bloque.sliced(inicio, i - inicio).toString());
        i += (c == u'\r' && i + 1 < bloque.size() && bloque[i + 1] == u'\n') ? 2 : 1;
        inicio = i;
    }
    if (inicio < bloque.size())
        lineas.append(bloque.sliced(inicio).toString());
    return lineas;
}

QString BloqueDeLineas(const QStringList &lineas)
{
    QString bloque;
    for (const QString &linea : lineas)
        bloque.append(linea).append(QStringLiteral("\r\n"));
    return bloque;
}

QStringView LectorCampos::campo(qint64 offset, qint64 ancho) const
{
    if (offset >= texto.size() || ancho <= 0)
        return {};
    return texto.sliced(offset, std::min<qint64>(ancho, texto.size() - offset));
}

qint32 LectorCampos::Numero(qint64 offset, int ancho) const
{
    return HexToInt(campo(offset, ancho));
}

QString LectorCampos::Texto(qint64 offset, qint64 longitud) const
{
    if (longitud < 0)
        throw Error(QStringLiteral("Negative field length %1 at %2").arg(longitud).arg(offset));
    return campo(offset, longitud).toString();
}

std::pair<QString, QString> LeerLogon(QStringView mensaje)
{
    const LectorCampos campos(mensaje);
    const qint32 u = campos.Numero(4, 4);
    const QString usuario = campos.Texto(8, u);
    const qint32 p = campos.Numero(8 + qint64(u), 4);
    return {usuario, campos.Texto(12 + qint64(u), p)};
}

} // namespace quenlap::MensajesTarvel
