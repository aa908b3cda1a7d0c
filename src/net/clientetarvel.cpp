#include "clientetarvel.h"

#include "base/hex.h"
#include "mensajestarvel.h"
#include "textoutf16.h"

#include <QMetaMethod>

namespace quenlap {

using namespace MensajesTarvel;

TClienteTarvel::TClienteTarvel(QObject *parent) : TTarvelComClient(parent) {}

void TClienteTarvel::DoData(TConexion *, const QByteArray &Data)
{
    const QString mensaje = TextoDeUtf16(Data);
    const LectorCampos campos(mensaje);
    switch (campos.Numero(0, 4)) {
    case Inicio:
        emit OnInicio(campos.Texto(12, campos.Numero(8, 4)), campos.Numero(4, 4));
        break;
    case Fin:
        emit OnFin();
        break;
    case Vuelta:
        emit OnVuelta(campos.Texto(8, campos.Numero(4, 4)));
        break;
    case Estado:
        DecodificarEstado(mensaje);
        break;
    case Logon:
        emit OnLogon(campos.Numero(4, 4), campos.Texto(12, campos.Numero(8, 4)));
        break;
    case Crono:
        // The clock text is only read for someone who listens.
        if (isSignalConnected(QMetaMethod::fromSignal(&TClienteTarvel::OnCrono)))
            emit OnCrono(campos.Texto(8, campos.Numero(4, 4)));
        break;
    case TTS:
        emit OnTTS(campos.Texto(12, campos.Numero(8, 4)), campos.Bandera(4));
        break;
    case Pausa:
        emit OnPausa(campos.Bandera(4));
        break;
    case LimiteConexion:
        emit OnLimiteConexion();
        break;
    case Duracion:
        emit OnDuracion(campos.Numero(4, 4), HexToDouble(QStringView(mensaje).mid(8, 16)));
        break;
    case FinCoche:
        emit OnFinCoche(campos.Numero(4, 4));
        break;
    case DescartarPrimeraVuelta:
        emit OnDescartarPrimeraVuelta(campos.Bandera(4));
        break;
    default:
        break;
    }
}

void TClienteTarvel::DecodificarEstado(QStringView mensaje)
{
    // Each block starts where the field before it ends.
    const LectorCampos campos(mensaje);
    const qint64 nd = campos.Numero(4, 4);
    const QString carrera = campos.Texto(8, nd);
    const qint64 nc = campos.Numero(8 + nd, 8);
    const QString competidores = campos.Texto(16 + nd, nc);
    const qint64 nl = campos.Numero(16 + nd + nc, 8);
    const QString vueltas = campos.Texto(24 + nd + nc, nl);
    emit OnEstado(carrera, LineasDeBloque(competidores), LineasDeBloque(vueltas));
}

void TClienteTarvel::EnviarLogon(QStringView Usuario, QStringView Clave)
{
    EnviarTexto(CrearLogon(Usuario, Clave));
}

} // namespace quenlap
