#include "tarvelviewer.h"

#include "base/errorreporter.h"
#include "net/clientsocket.h"
#include "net/conexion.h"
#include "net/mensajestarvel.h"
#include "net/textoutf16.h"

namespace sim {

using namespace quenlap;

TarvelViewer::TarvelViewer(QTcpSocket *accepted, QObject *parent)
    : QObject(parent), socket(new ClientSocket(accepted, this)),
      conexion(std::make_unique<TConexion>(1, socket))
{
    peer = socket->peerText();
    connect(socket, &ClientSocket::readable, this, &TarvelViewer::onReadable);
    connect(socket, &ClientSocket::writable, this, &TarvelViewer::onWritable);
    connect(socket, &ClientSocket::disconnected, this, &TarvelViewer::onDisconnected);
    connect(socket, &ClientSocket::errorOccurred, this, [](SocketErrorEvent, int &code) {
        // Failures end as a disconnection, which is all the emulator needs to know.
        code = 0;
    });
}

TarvelViewer::~TarvelViewer()
{
    socket->disconnect(this);
}

void TarvelViewer::send(const QString &message)
{
    if (!conexion || closeRequested)
        return;
    conexion->Encolar(TextoAUtf16(message));
    conexion->Escribir();
}

void TarvelViewer::closeWhenSent()
{
    closeRequested = true;
    onWritable();
}

void TarvelViewer::close()
{
    closeRequested = true;
    if (conexion)
        socket->close();
}

void TarvelViewer::onReadable()
{
    if (!conexion)
        return;
    QByteArray payload;
    const auto lectura = conexion->PasoLectura(
        socket->receiveLength(),
        [this](char *destination, qint64 most) { return socket->receiveBuf(destination, most); },
        payload);
    if (lectura == TConexion::Lectura::CabeceraInvalida) {
        ErrorReporter::report(QStringLiteral("%1 sent a frame that cannot be read").arg(peer));
        close();
    } else if (lectura == TConexion::Lectura::Trama) {
        ErrorReporter::guard([&] { received(payload); });
    }
}

void TarvelViewer::received(const QByteArray &payload)
{
    const QString message = TextoDeUtf16(payload);
    if (MensajesTarvel::LectorCampos(message).Numero(0, 4) != MensajesTarvel::Logon)
        return;
    const auto [user, password] = MensajesTarvel::LeerLogon(message);
    logged = true;
    emit logon(user, password);
}

void TarvelViewer::onWritable()
{
    if (!conexion)
        return;
    conexion->Escribir();
    if (conexion && closeRequested && conexion->ColaEnvio.empty())
        socket->close();
}

void TarvelViewer::onDisconnected()
{
    if (!conexion)
        return;
    conexion->Cerrada = true;
    conexion.reset();
    emit gone();
}

} // namespace sim
