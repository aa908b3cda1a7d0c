#include "commands.h"
#include "jsonwriter.h"
#include "net/clientsocket.h"
#include "net/dsrouter.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace cli {

namespace {

constexpr int ReconnectMs = 3000;
// Calls of the parser per read notification, as a race window makes them.
constexpr int MaxRecordsPerRead = 1001;

void print(const JsonObject &line)
{
    std::fputs(qPrintable(line.compact()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

JsonObject eventLine(const QString &name)
{
    JsonObject line;
    line.add(u"event", name);
    return line;
}

// Follows a DS Router as a race window does: one parser and one log for the whole run, every
// complete record handled on each read notification, reconnection after a loss.
class DsRouterListener final : public QObject
{
public:
    DsRouterListener(const QString &host, quint16 port, bool once);

    void start() { socket.open(); }

private:
    void onConnected();
    void onDisconnected();
    void onReadable();
    void onError(quenlap::SocketErrorEvent errorEvent, int &errorCode);
    void report(int tipo);
    void end(int status);

    quenlap::ClientSocket socket;
    quenlap::TDSRouter router;
    QTimer reconnect;
    bool once;
    bool everConnected = false;
};

DsRouterListener::DsRouterListener(const QString &host, quint16 port, bool once) : once(once)
{
    socket.setHost(host);
    socket.setPort(port);
    reconnect.setSingleShot(true);
    reconnect.setInterval(ReconnectMs);
    connect(&reconnect, &QTimer::timeout, &socket, &quenlap::ClientSocket::open);
    connect(&socket, &quenlap::ClientSocket::connected, this, &DsRouterListener::onConnected);
    connect(&socket, &quenlap::ClientSocket::disconnected, this, &DsRouterListener::onDisconnected);
    connect(&socket, &quenlap::ClientSocket::readable, this, &DsRouterListener::onReadable);
    connect(&socket, &quenlap::ClientSocket::errorOccurred, this, &DsRouterListener::onError);
}

void DsRouterListener::onConnected()
{
    everConnected = true;
    router.Log("**** DSROUTER CONECTADO ****");
    print(eventLine(QStringLiteral("connect")));
}

void DsRouterListener::onDisconnected()
{
    router.Log("**** DSROUTER DESCONECTADO ****");
    // A lost connection ends the race: what is pending will never be completed.
    router.Limpiar();
    print(eventLine(QStringLiteral("disconnect")));
    if (once)
        end(everConnected ? 0 : 1);
    else
        reconnect.start();
}

void DsRouterListener::onError(quenlap::SocketErrorEvent errorEvent, int &errorCode)
{
    router.Log("**** DSROUTER ERROR (" + QByteArray::number(errorCode) + ") ****");
    print(eventLine(QStringLiteral("socketError"))
              .add(u"errorEvent", int(errorEvent))
              .add(u"errorCode", errorCode));
    errorCode = 0;
    if (socket.isConnected())
        return; // the disconnection follows
    // A refused or failed attempt waits like a lost connection, so a router that is down is not
    // hammered with attempts.
    if (once)
        end(1);
    else
        reconnect.start();
}

void DsRouterListener::onReadable()
{
    for (int call = 0; call < MaxRecordsPerRead; ++call) {
        QByteArray piece(socket.receiveLength(), Qt::Uninitialized);
        piece.truncate(socket.receiveBuf(piece.data(), piece.size()));
        const int tipo = router.Procesar(piece);
        if (tipo == quenlap::TDSRouter::Ninguno)
            return;
        report(tipo);
        if (tipo == quenlap::TDSRouter::END || tipo == quenlap::TDSRouter::UNK)
            router.Limpiar();
    }
}

void DsRouterListener::report(int tipo)
{
    JsonObject line = eventLine(QStringLiteral("record"));
    line.add(u"tipo", tipo).add(u"segundoCampo", router.SegundoCampo());
    if (tipo == quenlap::TDSRouter::ST1)
        line.add(u"valorST1", router.ValorST1());
    if (tipo == quenlap::TDSRouter::LAP) {
        line.add(u"carril", router.Carril())
            .add(u"numeroVuelta", router.NumeroVuelta())
            .addSeconds(u"tiempoVuelta", router.TiempoVuelta())
            .add(u"primeraPosicion", router.PrimeraPosicion())
            .add(u"vueltaRapida", router.VueltaRapida());
    }
    print(line);
}

void DsRouterListener::end(int status)
{
    reconnect.stop();
    QCoreApplication::exit(status);
}

} // namespace

int listenDsRouter(const QString &host, quint16 port, bool once)
{
    DsRouterListener listener(host, port, once);
    // Started from the event loop, so that an exit requested by the first notifications is
    // not lost before the loop runs.
    QTimer::singleShot(0, &listener, &DsRouterListener::start);
    return QCoreApplication::exec();
}

} // namespace cli
