#include "tarvelcomclient.h"

#include "base/error.h"
#include "base/errorreporter.h"
#include "textoutf16.h"

#include <exception>

namespace quenlap {

TTarvelComClient::TTarvelComClient(QObject *parent) : TTarvelCom(parent)
{
    CrearSocket();
}

TTarvelComClient::~TTarvelComClient()
{
    ReleaseSocket();
}

void TTarvelComClient::ReleaseSocket()
{
    if (conexion) {
        conexion->Cerrada = true;
        conexion.reset();
    }
    if (!socket)
        return;
    // The socket may be the one whose notification is running: it goes once the call unwinds.
    socket->disconnect(this);
    socket->close();
    socket->deleteLater();
    socket = nullptr;
}

void TTarvelComClient::CrearSocket()
{
    ReleaseSocket();
    socket = new ClientSocket(this);
    connect(socket, &ClientSocket::connected, this, &TTarvelComClient::SocketConnect);
    connect(socket, &ClientSocket::disconnected, this, &TTarvelComClient::SocketDisconnect);
    connect(socket, &ClientSocket::readable, this, &TTarvelComClient::SocketRead);
    connect(socket, &ClientSocket::writable, this, &TTarvelComClient::SocketWrite);
    connect(socket, &ClientSocket::errorOccurred, this, &TTarvelComClient::SocketError);
}

void TTarvelComClient::Conectar(const QString &Host, int Port)
{
    if (Port < 0 || Port > 65535)
        throw Error(QStringLiteral("Invalid port %1").arg(Port));
    socket->setHost(Host);
    socket->setPort(quint16(Port));
    socket->open();
}

void TTarvelComClient::Desconectar()
{
    if (!conexion)
        return;
    socket->close();
    CrearSocket();
}

void TTarvelComClient::Cerrar()
{
    Desconectar();
}

int TTarvelComClient::NuevoId()
{
    return 1;
}

int TTarvelComClient::EnviarBuffer(const char *Data, int Len)
{
    if (!conexion || conexion->Cerrada || Len < 0)
        return 0;
    try {
        conexion->Encolar(QByteArrayView(Data, Len));
        SocketWrite();
    } catch (const Error &error) {
        emit OnSocketException(error.message());
    } catch (const std::exception &error) {
        emit OnSocketException(QString::fromLocal8Bit(error.what()));
    }
    return Len;
}

int TTarvelComClient::EnviarTexto(QStringView Text)
{
    const QByteArray payload = TextoAUtf16(Text);
    return EnviarBuffer(payload.constData(), int(payload.size()));
}

bool TTarvelComClient::Conectado() const
{
    return conexion && socket && socket->isConnected();
}

void TTarvelComClient::SocketWrite()
{
    if (conexion && socket && socket->isConnected())
        conexion->Escribir();
}

void TTarvelComClient::SocketRead()
{
    if (!conexion || !socket)
        return;
    const qint64 esperando = socket->receiveLength();
    if (esperando <= 0)
        return;
    ClientSocket *origen = socket;
    QByteArray trama;
    const TConexion::Lectura lectura = conexion->PasoLectura(
        esperando,
        [origen](char *destino, qint64 maximo) { return origen->receiveBuf(destino, maximo); },
        trama);
    if (lectura == TConexion::Lectura::CabeceraInvalida) {
        // No way to find the next frame: drop the connection and let reconnection take over.
        Cerrar();
        return;
    }
    if (lectura == TConexion::Lectura::Trama) {
        TConexion *actual = conexion.get();
        ErrorReporter::guard([&] { DoData(actual, trama); });
    }
}

void TTarvelComClient::SocketError(SocketErrorEvent ErrorEvent, int &ErrorCode)
{
    if (EsErrorDesconexion(ErrorCode))
        SocketDisconnect();
    else
        emit OnSocketError(conexion.get(), ErrorEvent, ErrorCode);
    ErrorCode = 0;
}

void TTarvelComClient::SocketConnect()
{
    conexion = std::make_unique<TConexion>(NuevoId(), socket);
    emit OnConnect(conexion.get());
}

void TTarvelComClient::SocketDisconnect()
{
    // Closing raises the disconnect notification once more when the socket still held the
    // connection: that inner call has nothing to add.
    if (cerrandoSocket)
        return;
    if (socket) {
        cerrandoSocket = true;
        socket->close();
        cerrandoSocket = false;
    }
    if (conexion) {
        conexion->Cerrada = true;
        conexion.reset();
    }
    emit OnDisconnect();
}

} // namespace quenlap
