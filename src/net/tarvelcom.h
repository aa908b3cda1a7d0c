#pragma once

#include "clientsocket.h"
#include "conexion.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace quenlap {

// Base of the framed race server components: the data and error events, and the socket handlers
// a concrete side fills in. Events are signals; each is raised only where someone listens.
class TTarvelCom : public QObject
{
    Q_OBJECT

public:
    explicit TTarvelCom(QObject *parent = nullptr);

    // The Windows Sockets codes that mean the connection is gone rather than failed: network
    // reset, connection aborted, connection reset by peer.
    static bool EsErrorDesconexion(int ErrorCode);

    // Delivers one received payload; the bytes belong to the caller.
    virtual void DoData(TConexion *Conexion, const QByteArray &Data);
    virtual void DoDataBytes(TConexion *Conexion, const QByteArray &Data);
    virtual void DoDataUtf8(TConexion *Conexion, const QByteArray &Data);

    virtual void Cerrar() = 0;
    virtual int NuevoId() = 0;

signals:
    void OnData(quenlap::TConexion *Conexion, const QByteArray &Data);
    void OnDataUtf8(quenlap::TConexion *Conexion, const QByteArray &Data);
    // Conexion is null when no connection is open.
    void OnSocketError(quenlap::TConexion *Conexion, quenlap::SocketErrorEvent ErrorEvent,
                       int ErrorCode);
    void OnSocketException(const QString &ExcMessage);

protected:
    virtual void SocketWrite() = 0;
    virtual void SocketRead() = 0;
    virtual void SocketError(SocketErrorEvent ErrorEvent, int &ErrorCode) = 0;
};

} // namespace quenlap
