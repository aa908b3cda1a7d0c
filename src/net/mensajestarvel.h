#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <utility>

namespace quenlap {

// The messages of the race server connection: UTF-16 text led by a 4-digit hexadecimal code,
// then fixed-width hexadecimal numbers and texts preceded by their length. Both sides build and
// read them here: the viewer's client and the race emulator.
namespace MensajesTarvel {

enum Codigo : int {
    Inicio = 1,
    Fin = 2,
    Vuelta = 3,
    Estado = 4,
    Logon = 5,
    Crono = 6,
    TTS = 7,
    Pausa = 8,
    LimiteConexion = 9,
    Duracion = 10,
    FinCoche = 16,
    DescartarPrimeraVuelta = 17,
};

// The credentials every race window sends on connecting.
inline constexpr QStringView UsuarioFijo = u"orvek";
inline constexpr QStringView ClaveFijo = u"qamitul";

// Builders. Each throws quenlap::Error when a text is too long for its length field.
QString CrearLogon(QStringView usuario, QStringView clave);
QString CrearRespuestaLogon(int resultado, QStringView msg);
QString CrearInicio(QStringView carrera, int clasificacion);
QString CrearFin();
QString CrearVuelta(QStringView v);
QString CrearEstado(QStringView carrera, const QStringList &c, const QStringList &l);
QString CrearCrono(QStringView crono);
QString CrearTTS(QStringView texto, bool purga);
QString CrearPausa(bool onOff);
QString CrearLimiteConexion();
QString CrearDuracion(int tipo, double duracion);
QString CrearFinCoche(int coche);
QString CrearDescartarPrimeraVuelta(bool descartar);

// The items of a block of lines: CR LF, CR, LF and U+2028 each end an item, and a break at the
// end adds no empty item.
QStringList LineasDeBloque(QStringView bloque);
// The block of a list of lines: each item followed by CR LF.
QString BloqueDeLineas(const QStringList &lineas);

// Reads the fields of one message by offset and width, in code units.
class LectorCampos
{
public:
    explicit LectorCampos(QStringView mensaje) : texto(mensaje) {}

    // A number field: its text (cut where the message ends) read as a 32-bit hexadecimal
    // number. Throws quenlap::Error when it is not one, an empty field included.
    qint32 Numero(qint64 offset, int ancho) const;
    // A 4-digit flag: 0 false, anything else true.
    bool Bandera(qint64 offset) const { return Numero(offset, 4) != 0; }
    // A text field of `longitud` code units, cut where the message ends; empty when it starts
    // past the end. Throws quenlap::Error for a negative length.
    QString Texto(qint64 offset, qint64 longitud) const;

private:
    QStringView campo(qint64 offset, qint64 ancho) const;

    QStringView texto;
};

// The user name and password of a logon message.
std::pair<QString, QString> LeerLogon(QStringView mensaje);

} // namespace MensajesTarvel
} // namespace quenlap
