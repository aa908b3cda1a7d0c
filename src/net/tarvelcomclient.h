#pragma once

#include "tarvelcom.h"

#include <QPointer>

#include <memory>

namespace quenlap {

// One outgoing framed connection to a race server. Connect is asynchronous: OnConnect when it
// is up, OnSocketError when it fails. OnDisconnect follows every end of a connection (peer
// close, reset, Desconectar, a stream that cannot be delimited) and may come more than once for
// one loss: handlers must tolerate a repeat.
//
// Everything runs on the thread of the component, re-entrantly: OnDisconnect can be raised from
// inside Desconectar or a failing send. Handlers must not delete the component while an event
// runs (use deleteLater).
class TTarvelComClient : public TTarvelCom
{
    Q_OBJECT
    Q_PROPERTY(bool Conectado READ Conectado)

public:
    explicit TTarvelComClient(QObject *parent = nullptr);
    // Closes any connection without raising an event.
    ~TTarvelComClient() override;

    // Throws quenlap::Error when a connection is open to another host or port; the same host
    // and port do nothing then.
    void Conectar(const QString &Host, int Port);
    // Closes the open connection; OnDisconnect is raised before this returns. Does nothing when
    // no connection is open (a connect in progress goes on).
    void Desconectar();
    void Cerrar() override;
    int NuevoId() override;

    // Frames and queues Len bytes; returns Len, or 0 when no connection is open (nothing is
    // kept for later).
    int EnviarBuffer(const char *Data, int Len);
    // The text's UTF-16LE code units as one frame, without terminator or byte-order mark.
    int EnviarTexto(QStringView Text);

    // True from OnConnect until the connection ends (not while a connect is under way).
    bool Conectado() const;
    // The socket in use; replaced by a fresh one after each Desconectar.
    ClientSocket *Socket() const { return socket; }
    TConexion *ConexionActual() const { return conexion.get(); }

signals:
    void OnConnect(quenlap::TConexion *Conexion);
    void OnDisconnect();

protected:
    void SocketWrite() override;
    void SocketRead() override;
    void SocketError(SocketErrorEvent ErrorEvent, int &ErrorCode) override;

private:
    void CrearSocket();
    void SocketConnect();
    void SocketDisconnect();
    void ReleaseSocket();

    QPointer<ClientSocket> socket;
    std::unique_ptr<TConexion> conexion;
    bool cerrandoSocket = false;
};

} // namespace quenlap
