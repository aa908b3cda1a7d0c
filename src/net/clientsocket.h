#pragma once

#include <QObject>
#include <QString>

class QTcpSocket;

namespace quenlap {

// The kind of socket operation that failed, as error notifications report it.
enum class SocketErrorEvent : int {
    General = 0,
    Send = 1,
    Receive = 2,
    Connect = 3,
    Disconnect = 4,
    Accept = 5,
};

// Windows Sockets error numbers: the race server and DS Router code and their logs speak them.
namespace SocketErrorCode {
constexpr int MessageTooLong = 10040;  // WSAEMSGSIZE
constexpr int AccessDenied = 10013;    // WSAEACCES
constexpr int NotSupported = 10045;    // WSAEOPNOTSUPP
constexpr int AddressInUse = 10048;    // WSAEADDRINUSE
constexpr int AddressNotAvail = 10049; // WSAEADDRNOTAVAIL
constexpr int NetworkDown = 10050;     // WSAENETDOWN
constexpr int NetworkUnreach = 10051;  // WSAENETUNREACH
constexpr int NetworkReset = 10052;    // WSAENETRESET
constexpr int ConnAborted = 10053;     // WSAECONNABORTED
constexpr int ConnReset = 10054;       // WSAECONNRESET
constexpr int NoBuffers = 10055;       // WSAENOBUFS
constexpr int TimedOut = 10060;        // WSAETIMEDOUT
constexpr int ConnRefused = 10061;     // WSAECONNREFUSED
constexpr int HostNotFound = 11001;    // WSAHOST_NOT_FOUND
} // namespace SocketErrorCode

// A non-blocking client socket on the user-interface thread, with the notifications and calls a
// framed or line protocol needs: asynchronous connect; connected, disconnected, readable,
// writable and error notifications; partial send that can answer "would block"; receive; bytes
// waiting; close that raises the disconnect notification during the call.
//
// Notifications are Qt signals delivered synchronously (direct connections only: the error
// notification hands out a writable code). Receivers may call back into the socket from any
// notification, close it included; they must not delete it there (use deleteLater).
//
// Reading is level-triggered: while a readable notification's receiver keeps reading and bytes
// are left, the notification repeats at once, so a receiver may read one piece per notification.
// Bytes that arrived before the peer closed are offered before the disconnect notification.
//
// Writes go to a bounded buffer (sendBufferLimit); a send that finds it full answers WouldBlock
// and a writable notification follows once it has drained below the limit.
//
// Failures raised by receivers are caught at each notification and handed to ErrorReporter.
class ClientSocket final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClientSocket)

public:
    // Answers of sendBuf besides a count of bytes accepted.
    static constexpr qint64 WouldBlock = -1;
    static constexpr qint64 SendFailed = -2;
    static constexpr qint64 DefaultSendBufferLimit = 64 * 1024;

    explicit ClientSocket(QObject *parent = nullptr);
    // Takes over a socket that is already connected (the accepting side of a server); the
    // connected notification is not raised for it.
    explicit ClientSocket(QTcpSocket *connected, QObject *parent = nullptr);
    // Closes without raising any notification.
    ~ClientSocket() override;

    // Host (name or address, 8-bit) and port of the next open(). Changing them while active
    // throws quenlap::Error.
    void setHost(const QString &host);
    QString host() const { return hostName; }
    void setPort(quint16 port);
    quint16 port() const { return portNumber; }

    // Starts an asynchronous connect: success comes as connected(), failure as
    // errorOccurred(Connect, code). Does nothing when already active.
    void open();
    // Closes the socket. When it was connected, disconnected() is raised before close returns.
    // Bytes already accepted by sendBuf are handed to the system first.
    void close();

    // True from open() (or adoption) until close or disconnection.
    bool isActive() const { return active; }
    bool isConnected() const;

    // Hands up to len bytes to the connection. Returns the count accepted (0 < count <= len),
    // WouldBlock when the send buffer is full, SendFailed (after raising the error and
    // disconnect notifications) when the socket cannot send.
    qint64 sendBuf(const char *data, qint64 len);
    // Reads up to maxLen of the bytes waiting; returns the count read (0 when none wait).
    qint64 receiveBuf(char *data, qint64 maxLen);
    qint64 receiveLength() const;

    void setSendBufferLimit(qint64 bytes) { sendLimit = bytes > 0 ? bytes : 1; }
    qint64 sendBufferLimit() const { return sendLimit; }

    // The address of the peer, for reports ("host:port").
    QString peerText() const;

signals:
    void connecting();
    void connected();
    void disconnected();
    void readable();
    void writable();
    // errorCode is a Windows Sockets number; a receiver that handles the error sets it to 0.
    // A code left non-zero is handed to ErrorReporter.
    void errorOccurred(quenlap::SocketErrorEvent errorEvent, int &errorCode);

private:
    void wire();
    void onConnected();
    void onDisconnected();
    void onReadyRead();
    void onBytesWritten();
    void onError();
    void raiseError(SocketErrorEvent errorEvent, int errorCode);
    void notify(void (ClientSocket::*signal)());
    SocketErrorEvent currentOperation() const;

    QTcpSocket *socket = nullptr;
    QString hostName;
    quint16 portNumber = 0;
    qint64 sendLimit = DefaultSendBufferLimit;
    bool active = false;
    bool connectionOpen = false;
    bool waitingWritable = false;
    bool received = false;
    bool quiet = false;
    enum class Operation { None, Connecting, Sending } operation = Operation::None;
};

} // namespace quenlap
