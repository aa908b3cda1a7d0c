#pragma once

#include "tarvelcomclient.h"

#include <QStringList>

namespace quenlap {

// The race server client: the framed connection with its messages decoded into one event each.
//
// A race window owns one, connects it with Conectar(host, port), sends the fixed logon from its
// OnConnect handler (EnviarLogon(MensajesTarvel::UsuarioFijo, MensajesTarvel::ClaveFijo)) and
// handles the events below. A message that fails to decode, or a failure inside a handler, ends
// at ErrorReporter; the connection stays in step for the next message.
class TClienteTarvel final : public TTarvelComClient
{
    Q_OBJECT

public:
    explicit TClienteTarvel(QObject *parent = nullptr);

    // Decodes one payload and raises at most one event. OnData is not raised.
    void DoData(TConexion *Conexion, const QByteArray &Data) override;
    // Sends the logon message; usable once connected (before that nothing goes out).
    void EnviarLogon(QStringView Usuario, QStringView Clave);

signals:
    void OnVuelta(const QString &v);
    // c: competitor items "number TAB order TAB name"; l: lap lines of the laps run so far.
    void OnEstado(const QString &carrera, const QStringList &c, const QStringList &l);
    void OnInicio(const QString &carrera, int clasificacion);
    void OnFin();
    // Elapsed race time as a decimal count of milliseconds.
    void OnCrono(const QString &crono);
    void OnLogon(int resultado, const QString &msg);
    void OnTTS(const QString &texto, bool purga);
    void OnPausa(bool OnOff);
    void OnLimiteConexion();
    void OnFinCoche(int coche);
    // tipo 0: duracion is a race time (day fraction); otherwise a number of laps.
    void OnDuracion(int tipo, double duracion);
    void OnDescartarPrimeraVuelta(bool descartar);

private:
    void DecodificarEstado(QStringView mensaje);
};

} // namespace quenlap
