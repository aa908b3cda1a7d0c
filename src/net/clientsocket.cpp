#include "clientsocket.h"

#include "base/error.h"
#include "base/errorreporter.h"

#include <QPointer>
#include <QTcpSocket>

namespace quenlap {

namespace {

int windowsCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return SocketErrorCode::ConnRefused;
    case QAbstractSocket::RemoteHostClosedError:
        return SocketErrorCode::ConnReset;
    case QAbstractSocket::HostNotFoundError:
        return SocketErrorCode::HostNotFound;
    case QAbstractSocket::SocketAccessError:
        return SocketErrorCode::AccessDenied;
    case QAbstractSocket::SocketResourceError:
        return SocketErrorCode::NoBuffers;
    case QAbstractSocket::SocketTimeoutError:
        return SocketErrorCode::TimedOut;
    case QAbstractSocket::DatagramTooLargeError:
        return SocketErrorCode::MessageTooLong;
    case QAbstractSocket::NetworkError:
        return SocketErrorCode::NetworkUnreach;
    case QAbstractSocket::AddressInUseError:
        return SocketErrorCode::AddressInUse;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return SocketErrorCode::AddressNotAvail;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return SocketErrorCode::NotSupported;
    default:
        return SocketErrorCode::NetworkDown;
    }
}

// A receiver that keeps asking for bytes without taking any must not hold the thread.
constexpr int MaxIdleReads = 2;

} // namespace

ClientSocket::ClientSocket(QObject *parent) : QObject(parent), socket(new QTcpSocket(this))
{
    wire();
}

ClientSocket::ClientSocket(QTcpSocket *connected, QObject *parent)
    : QObject(parent), socket(connected)
{
    socket->setParent(this);
    hostName = socket->peerAddress().toString();
    portNumber = socket->peerPort();
    active = socket->state() == QAbstractSocket::ConnectedState;
    connectionOpen = active;
    wire();
    if (socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &ClientSocket::onReadyRead, Qt::QueuedConnection);
}

ClientSocket::~ClientSocket()
{
    quiet = true;
    socket->disconnect(this);
    socket->abort();
}

void ClientSocket::wire()
{
    connect(socket, &QTcpSocket::connected, this, &ClientSocket::onConnected);
    connect(socket, &QTcpSocket::disconnected, this, &ClientSocket::onDisconnected);
    connect(socket, &QTcpSocket::readyRead, this, &ClientSocket::onReadyRead);
    connect(socket, &QTcpSocket::bytesWritten, this, &ClientSocket::onBytesWritten);
    connect(socket, &QTcpSocket::errorOccurred, this, &ClientSocket::onError);
}

void ClientSocket::setHost(const QString &host)
{
    if (host == hostName)
        return;
    if (active)
        throw Error(QStringLiteral("Cannot change the host of an active connection"));
    hostName = host;
}

void ClientSocket::setPort(quint16 port)
{
    if (port == portNumber)
        return;
    if (active)
        throw Error(QStringLiteral("Cannot change the port of an active connection"));
    portNumber = port;
}

void ClientSocket::open()
{
    if (active)
        return;
    active = true;
    operation = Operation::Connecting;
    notify(&ClientSocket::connecting);
    if (active && socket->state() == QAbstractSocket::UnconnectedState)
        socket->connectToHost(hostName, portNumber);
}

void ClientSocket::close()
{
    const bool wasOpen = connectionOpen;
    active = false;
    connectionOpen = false;
    waitingWritable = false;
    operation = Operation::None;
    if (socket->state() == QAbstractSocket::ConnectedState)
        socket->flush();
    socket->abort();
    if (wasOpen)
        notify(&ClientSocket::disconnected);
}

bool ClientSocket::isConnected() const
{
    return connectionOpen && socket->state() == QAbstractSocket::ConnectedState;
}

qint64 ClientSocket::sendBuf(const char *data, qint64 len)
{
    if (!isConnected())
        return SendFailed;
    if (len <= 0)
        return 0;
    const qint64 room = sendLimit - socket->bytesToWrite();
    if (room <= 0) {
        waitingWritable = true;
        return WouldBlock;
    }
    const qint64 count = std::min(len, room);
    operation = Operation::Sending;
    const qint64 written = socket->write(data, count);
    operation = Operation::None;
    if (written < 0) {
        if (connectionOpen)
            raiseError(SocketErrorEvent::Send, windowsCode(socket->error()));
        if (connectionOpen)
            close();
        return SendFailed;
    }
    if (written < len)
        waitingWritable = true;
    return written;
}

qint64 ClientSocket::receiveBuf(char *data, qint64 maxLen)
{
    received = true;
    if (maxLen <= 0 || !connectionOpen)
        return 0;
    return std::max<qint64>(socket->read(data, maxLen), 0);
}

qint64 ClientSocket::receiveLength() const
{
    return connectionOpen ? socket->bytesAvailable() : 0;
}

QString ClientSocket::peerText() const
{
    return QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
}

void ClientSocket::onConnected()
{
    operation = Operation::None;
    connectionOpen = true;
    QPointer<ClientSocket> self(this);
    notify(&ClientSocket::connected);
    // A fresh connection can take data at once.
    if (self && connectionOpen)
        notify(&ClientSocket::writable);
}

void ClientSocket::onDisconnected()
{
    if (!connectionOpen)
        return;
    // Bytes that arrived before the close are part of the stream: the receiver gets them first.
    onReadyRead();
    if (!connectionOpen)
        return;
    connectionOpen = false;
    active = false;
    waitingWritable = false;
    notify(&ClientSocket::disconnected);
}

void ClientSocket::onReadyRead()
{
    // Qt tells once per arrival; the receiver may read one piece per notification, so the
    // notification repeats while it keeps reading and bytes are left.
    QPointer<ClientSocket> self(this);
    int idle = 0;
    while (self && connectionOpen && socket->bytesAvailable() > 0 && idle < MaxIdleReads) {
        const qint64 before = socket->bytesAvailable();
        received = false;
        notify(&ClientSocket::readable);
        if (!self || !received)
            return;
        idle = socket->bytesAvailable() < before ? 0 : idle + 1;
    }
}

void ClientSocket::onBytesWritten()
{
    if (waitingWritable && connectionOpen && socket->bytesToWrite() < sendLimit) {
        waitingWritable = false;
        notify(&ClientSocket::writable);
    }
}

void ClientSocket::onError()
{
    if (quiet)
        return;
    const QAbstractSocket::SocketError error = socket->error();
    // A peer that closes, gracefully or by reset, ends the connection: the disconnect
    // notification follows from Qt and is all the receiver hears.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    const SocketErrorEvent errorEvent = currentOperation();
    const bool wasConnecting = errorEvent == SocketErrorEvent::Connect;
    if (wasConnecting)
        operation = Operation::None;
    if (error == QAbstractSocket::HostNotFoundError && wasConnecting) {
        active = false;
        ErrorReporter::report(socket->errorString());
        notify(&ClientSocket::disconnected);
        return;
    }
    QPointer<ClientSocket> self(this);
    raiseError(errorEvent, windowsCode(error));
    if (!self)
        return;
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        if (connectionOpen)
            onDisconnected();
        active = false;
    }
}

void ClientSocket::raiseError(SocketErrorEvent errorEvent, int errorCode)
{
    int code = errorCode;
    const bool handled = ErrorReporter::guard([&] { emit errorOccurred(errorEvent, code); });
    if (handled && code != 0)
        ErrorReporter::report(QStringLiteral("Socket error %1 (%2), on operation %3")
                                  .arg(code)
                                  .arg(socket->errorString())
                                  .arg(int(errorEvent)));
}

void ClientSocket::notify(void (ClientSocket::*signal)())
{
    ErrorReporter::guard([&] { emit(this->*signal)(); });
}

SocketErrorEvent ClientSocket::currentOperation() const
{
    switch (operation) {
    case Operation::Connecting:
        return SocketErrorEvent::Connect;
    case Operation::Sending:
        return SocketErrorEvent::Send;
    case Operation::None:
        break;
    }
    return connectionOpen ? SocketErrorEvent::Receive : SocketErrorEvent::General;
}

} // namespace quenlap
