#include "tarvelcom.h"

namespace quenlap {

TTarvelCom::TTarvelCom(QObject *parent) : QObject(parent) {}

bool TTarvelCom::EsErrorDesconexion(int ErrorCode)
{
    return ErrorCode == SocketErrorCode::NetworkReset ||
           ErrorCode == SocketErrorCode::ConnAborted || ErrorCode == SocketErrorCode::ConnReset;
}

void TTarvelCom::DoData(TConexion *Conexion, const QByteArray &Data)
{
    emit OnData(Conexion, Data);
}

void TTarvelCom::DoDataBytes(TConexion *Conexion, const QByteArray &Data)
{
    emit OnData(Conexion, Data);
}

void TTarvelCom::DoDataUtf8(TConexion *Conexion, const QByteArray &Data)
{
    emit OnDataUtf8(Conexion, Data);
}

} // namespace quenlap
