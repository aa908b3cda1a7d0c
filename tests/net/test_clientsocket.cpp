#include "base/error.h"
#include "base/errorreporter.h"
#include "common/testsupport.h"
#include "net/clientsocket.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace quenlap;

namespace {

constexpr int Espera = 15000;

// A client socket connected to a loopback server, and the server's side of the connection.
struct Enlace
{
    QTcpServer server;
    ClientSocket cliente;
    QTcpSocket *par = nullptr;
    bool conectado = false;

    bool abrir()
    {
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        QObject::connect(&cliente, &ClientSocket::connected, [this] { conectado = true; });
        cliente.setHost(QStringLiteral("127.0.0.1"));
        cliente.setPort(server.serverPort());
        cliente.open();
        if (!server.waitForNewConnection(Espera))
            return false;
        par = server.nextPendingConnection();
        return QTest::qWaitFor([this] { return conectado; }, Espera);
    }
};

QStringList reportes;

} // namespace

class TestClientSocket : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readsOnePiecePerNotification();
    void offersBytesBeforeThePeerClose();
    void closeRaisesDisconnectedDuringTheCall();
    void refusedConnectIsAConnectError();
    void unhandledErrorGoesToTheReporter();
    void fullBufferAnswersWouldBlockThenWritable();
    void refusesNewAddressWhileActive();
    void adoptsAnAcceptedSocket();
    void failureInAReceiverIsReported();
};

void TestClientSocket::init()
{
    reportes.clear();
    ErrorReporter::setHandler([](const QString &mensaje) { reportes.append(mensaje); });
}

void TestClientSocket::cleanup()
{
    ErrorReporter::setHandler({});
}

void TestClientSocket::readsOnePiecePerNotification()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    QByteArray leido;
    connect(&enlace.cliente, &ClientSocket::readable, [&] {
        char c = 0;
        if (enlace.cliente.receiveLength() > 0 && enlace.cliente.receiveBuf(&c, 1) == 1)
            leido.append(c);
    });
    enlace.par->write("hello, world");
    QTRY_COMPARE_WITH_TIMEOUT(leido, QByteArray("hello, world"), Espera);
    QCOMPARE(enlace.cliente.receiveLength(), 0);
}

void TestClientSocket::offersBytesBeforeThePeerClose()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    QByteArray leido;
    QByteArray alCerrar;
    bool cerrado = false;
    connect(&enlace.cliente, &ClientSocket::readable, [&] {
        char pieza[7];
        leido.append(pieza, enlace.cliente.receiveBuf(pieza, sizeof pieza));
    });
    connect(&enlace.cliente, &ClientSocket::disconnected, [&] {
        alCerrar = leido;
        cerrado = true;
    });
    const QByteArray datos(5000, 'k');
    enlace.par->write(datos);
    enlace.par->disconnectFromHost();
    QTRY_VERIFY_WITH_TIMEOUT(cerrado, Espera);
    QCOMPARE(alCerrar, datos);
    QVERIFY(!enlace.cliente.isActive());
}

void TestClientSocket::closeRaisesDisconnectedDuringTheCall()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    int avisos = 0;
    connect(&enlace.cliente, &ClientSocket::disconnected, [&] { ++avisos; });
    enlace.cliente.close();
    QCOMPARE(avisos, 1);
    QVERIFY(!enlace.cliente.isActive());
    QVERIFY(!enlace.cliente.isConnected());
    QTRY_COMPARE_WITH_TIMEOUT(enlace.par->state(), QAbstractSocket::UnconnectedState, Espera);
    enlace.cliente.close();
    QCOMPARE(avisos, 1);
}

void TestClientSocket::refusedConnectIsAConnectError()
{
    ClientSocket cliente;
    QList<std::pair<SocketErrorEvent, int>> errores;
    int desconexiones = 0;
    connect(&cliente, &ClientSocket::errorOccurred, [&](SocketErrorEvent tipo, int &codigo) {
        errores.append({tipo, codigo});
        codigo = 0;
    });
    connect(&cliente, &ClientSocket::disconnected, [&] { ++desconexiones; });
    cliente.setHost(QStringLiteral("127.0.0.1"));
    cliente.setPort(test::freeLoopbackPort());
    cliente.open();
    QVERIFY(cliente.isActive());
    QTRY_COMPARE_WITH_TIMEOUT(errores.size(), 1, Espera);
    QCOMPARE(errores[0].first, SocketErrorEvent::Connect);
    QCOMPARE(errores[0].second, SocketErrorCode::ConnRefused);
    QVERIFY(!cliente.isActive());
    QCOMPARE(desconexiones, 0);
    QVERIFY(reportes.isEmpty());
}

void TestClientSocket::unhandledErrorGoesToTheReporter()
{
    ClientSocket cliente;
    cliente.setHost(QStringLiteral("127.0.0.1"));
    cliente.setPort(test::freeLoopbackPort());
    cliente.open();
    QTRY_COMPARE_WITH_TIMEOUT(reportes.size(), 1, Espera);
    QVERIFY2(reportes[0].contains(QLatin1String("10061")), qPrintable(reportes[0]));
}

void TestClientSocket::fullBufferAnswersWouldBlockThenWritable()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    enlace.cliente.setSendBufferLimit(10);
    int avisos = 0;
    connect(&enlace.cliente, &ClientSocket::writable, [&] { ++avisos; });
    QCOMPARE(enlace.cliente.sendBuf("0123456789abcdef", 16), 10);
    QCOMPARE(enlace.cliente.sendBuf("abcdef", 6), ClientSocket::WouldBlock);
    QTRY_VERIFY_WITH_TIMEOUT(avisos > 0, Espera);
    QCOMPARE(enlace.cliente.sendBuf("abcdef", 6), 6);
    QTRY_COMPARE_WITH_TIMEOUT(enlace.par->bytesAvailable(), 16, Espera);
    QCOMPARE(enlace.par->readAll(), QByteArray("0123456789abcdef"));
}

void TestClientSocket::refusesNewAddressWhileActive()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    enlace.cliente.setHost(QStringLiteral("127.0.0.1"));
    enlace.cliente.setPort(enlace.server.serverPort());
    QVERIFY_THROWS_EXCEPTION(Error, enlace.cliente.setHost(QStringLiteral("localhost")));
    QVERIFY_THROWS_EXCEPTION(Error, enlace.cliente.setPort(enlace.server.serverPort() + 1));
    enlace.cliente.close();
    enlace.cliente.setHost(QStringLiteral("localhost"));
    QCOMPARE(enlace.cliente.host(), QStringLiteral("localhost"));
}

void TestClientSocket::adoptsAnAcceptedSocket()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QTcpSocket otro;
    otro.connectToHost(QHostAddress::LocalHost, server.serverPort());
    QVERIFY(server.waitForNewConnection(Espera));
    ClientSocket adoptado(server.nextPendingConnection());
    QVERIFY(adoptado.isActive());
    QVERIFY(adoptado.isConnected());
    QByteArray leido;
    connect(&adoptado, &ClientSocket::readable, [&] {
        char pieza[3];
        leido.append(pieza, adoptado.receiveBuf(pieza, sizeof pieza));
    });
    QTRY_COMPARE_WITH_TIMEOUT(otro.state(), QAbstractSocket::ConnectedState, Espera);
    otro.write("ping");
    QTRY_COMPARE_WITH_TIMEOUT(leido, QByteArray("ping"), Espera);
    QCOMPARE(adoptado.sendBuf("pong", 4), 4);
    QTRY_COMPARE_WITH_TIMEOUT(otro.bytesAvailable(), 4, Espera);
}

void TestClientSocket::failureInAReceiverIsReported()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    QByteArray leido;
    connect(&enlace.cliente, &ClientSocket::readable, [&] {
        char c = 0;
        enlace.cliente.receiveBuf(&c, 1);
        leido.append(c);
        if (c == 'x')
            throw Error(QStringLiteral("bad byte"));
    });
    enlace.par->write("axb");
    QTRY_COMPARE_WITH_TIMEOUT(leido, QByteArray("axb"), Espera);
    QCOMPARE(reportes, QStringList{QStringLiteral("bad byte")});
}

QTEST_GUILESS_MAIN(TestClientSocket)
#include "test_clientsocket.moc"
