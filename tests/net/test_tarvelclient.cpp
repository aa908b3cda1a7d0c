#include "base/error.h"
#include "base/errorreporter.h"
#include "common/testsupport.h"
#include "net/clientetarvel.h"
#include "net/mensajestarvel.h"
#include "net/textoutf16.h"
#include "net/trama.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <sys/socket.h>

using namespace quenlap;
using namespace quenlap::MensajesTarvel;
using namespace Qt::StringLiterals;

namespace {

constexpr int Espera = 15000;

QByteArray tramaDe(const QString &mensaje)
{
    return CrearTrama(TextoAUtf16(mensaje));
}

// Splits what a peer received into frame payloads.
QList<QByteArray> tramasDe(const QByteArray &flujo)
{
    QList<QByteArray> tramas;
    qsizetype pos = 0;
    while (pos + LongitudCabecera <= flujo.size()) {
        const auto longitud = LeerCabecera(QByteArrayView(flujo).sliced(pos, LongitudCabecera));
        if (!longitud || pos + LongitudCabecera + *longitud > flujo.size())
            break;
        tramas.append(flujo.sliced(pos + LongitudCabecera, *longitud));
        pos += LongitudCabecera + *longitud;
    }
    return tramas;
}

QStringList reportes;

// A race server client connected to a loopback server, and the server's side.
struct Enlace
{
    QTcpServer server;
    TClienteTarvel cliente;
    QTcpSocket *par = nullptr;
    int conexiones = 0;
    int desconexiones = 0;

    Enlace()
    {
        QObject::connect(&cliente, &TClienteTarvel::OnConnect, [this] { ++conexiones; });
        QObject::connect(&cliente, &TClienteTarvel::OnDisconnect, [this] { ++desconexiones; });
    }

    bool abrir()
    {
        if (!server.isListening() && !server.listen(QHostAddress::LocalHost, 0))
            return false;
        const int antes = conexiones;
        cliente.Conectar(QStringLiteral("127.0.0.1"), server.serverPort());
        if (!server.waitForNewConnection(Espera))
            return false;
        par = server.nextPendingConnection();
        return QTest::qWaitFor([&] { return conexiones > antes; }, Espera);
    }

    QByteArray recibidoPorPar(qsizetype bytes)
    {
        QByteArray datos;
        (void)QTest::qWaitFor(
            [&] {
                datos += par->readAll();
                return datos.size() >= bytes;
            },
            Espera);
        return datos;
    }
};

} // namespace

class TestTarvelClient : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void deliversFramesArrivingInPieces_data();
    void deliversFramesArrivingInPieces();
    void sendsTextAsOneFrame();
    void sendsNothingBeforeConnecting();
    void sendsLogonFromOnConnect();
    void slowPeerGetsFramesInOrder_data();
    void slowPeerGetsFramesInOrder();
    void desconectarRaisesOnDisconnectBeforeReturning();
    void resetIsADisconnectionRefusedIsAnError_data();
    void resetIsADisconnectionRefusedIsAnError();
    void peerResetEndsTheConnection();
    void refusedConnectRaisesConnectError();
    void closesOnHeaderItCannotDelimit_data();
    void closesOnHeaderItCannotDelimit();
    void failuresInDecodingOrHandlersKeepTheStreamInStep();
    void refusesAnotherAddressWhileConnected();
    void handlerMayCloseTheConnection();
};

void TestTarvelClient::init()
{
    reportes.clear();
    ErrorReporter::setHandler([](const QString &mensaje) { reportes.append(mensaje); });
}

void TestTarvelClient::cleanup()
{
    ErrorReporter::setHandler({});
}

void TestTarvelClient::deliversFramesArrivingInPieces_data()
{
    QTest::addColumn<QList<int>>("cortes");
    QTest::newRow("whole") << QList<int>{};
    QTest::newRow("inside the first header") << QList<int>{4};
    QTest::newRow("inside payloads") << QList<int>{9, 15, 40};
    QTest::newRow("between frames") << QList<int>{16};
}

void TestTarvelClient::deliversFramesArrivingInPieces()
{
    QFETCH(QList<int>, cortes);
    Enlace enlace;
    QVERIFY(enlace.abrir());
    QStringList vueltas;
    int fines = 0;
    connect(&enlace.cliente, &TClienteTarvel::OnVuelta,
            [&](const QString &v) { vueltas.append(v); });
    connect(&enlace.cliente, &TClienteTarvel::OnFin, [&] { ++fines; });

    const QByteArray flujo = tramaDe(CrearFin()) + tramaDe(CrearVuelta(u"1\tAna\t1")) +
                             tramaDe(CrearVuelta(u"2\tBea\t1")) + tramaDe(CrearFin());
    int desde = 0;
    cortes.append(int(flujo.size()));
    for (const int corte : std::as_const(cortes)) {
        enlace.par->write(flujo.mid(desde, corte - desde));
        QVERIFY(enlace.par->waitForBytesWritten(Espera));
        desde = corte;
    }
    QTRY_COMPARE_WITH_TIMEOUT(fines, 2, Espera);
    QCOMPARE(vueltas, (QStringList{QStringLiteral("1\tAna\t1"), QStringLiteral("2\tBea\t1")}));
    QVERIFY(reportes.isEmpty());
}

void TestTarvelClient::sendsTextAsOneFrame()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    QCOMPARE(enlace.cliente.EnviarTexto(u"ab"), 4);
    QCOMPARE(enlace.recibidoPorPar(12), QByteArray("00000004a\0b\0", 12));
}

void TestTarvelClient::sendsNothingBeforeConnecting()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    TClienteTarvel cliente;
    QCOMPARE(cliente.EnviarTexto(u"early"), 0);
    bool conectado = false;
    connect(&cliente, &TClienteTarvel::OnConnect, [&] { conectado = true; });
    cliente.Conectar(QStringLiteral("127.0.0.1"), server.serverPort());
    QCOMPARE(cliente.EnviarTexto(u"early"), 0);
    QVERIFY(server.waitForNewConnection(Espera));
    QTcpSocket *par = server.nextPendingConnection();
    QTRY_VERIFY_WITH_TIMEOUT(conectado, Espera);
    QCOMPARE(cliente.EnviarTexto(u"late"), 8);
    QTRY_COMPARE_WITH_TIMEOUT(par->bytesAvailable(), 16, Espera);
    QCOMPARE(par->readAll(), CrearTrama(TextoAUtf16(u"late")));
}

void TestTarvelClient::sendsLogonFromOnConnect()
{
    Enlace enlace;
    connect(&enlace.cliente, &TClienteTarvel::OnConnect,
            [&] { enlace.cliente.EnviarLogon(UsuarioFijo, ClaveFijo); });
    QVERIFY(enlace.abrir());
    const QByteArray esperado = tramaDe(u"00050005orvek0007qamitul"_s);
    QCOMPARE(enlace.recibidoPorPar(esperado.size()), esperado);
}

void TestTarvelClient::slowPeerGetsFramesInOrder_data()
{
    QTest::addColumn<qint64>("limite");
    QTest::addColumn<int>("tramas");
    QTest::addColumn<int>("tamano");
    QTest::newRow("socket takes a few bytes at a time") << qint64(7) << 40 << 33;
    QTest::newRow("frames larger than what the socket takes") << qint64(1000) << 12 << 5000;
    QTest::newRow("peer far behind") << ClientSocket::DefaultSendBufferLimit << 16 << 60000;
}

void TestTarvelClient::slowPeerGetsFramesInOrder()
{
    QFETCH(qint64, limite);
    QFETCH(int, tramas);
    QFETCH(int, tamano);
    Enlace enlace;
    QVERIFY(enlace.abrir());
    enlace.cliente.Socket()->setSendBufferLimit(limite);

    QList<QByteArray> enviadas;
    for (int i = 0; i < tramas; ++i) {
        QByteArray datos(tamano + i, char('a' + i % 26));
        datos[0] = char(i);
        enviadas.append(datos);
        QCOMPARE(enlace.cliente.EnviarBuffer(datos.constData(), int(datos.size())),
                 int(datos.size()));
    }
    // The peer does not read until everything is queued, then reads slowly.
    enlace.par->setReadBufferSize(16384);
    qsizetype total = 0;
    for (const QByteArray &datos : std::as_const(enviadas))
        total += datos.size() + LongitudCabecera;
    QByteArray recibido;
    QVERIFY(QTest::qWaitFor(
        [&] {
            recibido += enlace.par->read(16384);
            return recibido.size() >= total;
        },
        60000));
    QCOMPARE(tramasDe(recibido), enviadas);
    QVERIFY(enlace.cliente.ConexionActual()->ColaEnvio.empty());
}

void TestTarvelClient::desconectarRaisesOnDisconnectBeforeReturning()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    ClientSocket *anterior = enlace.cliente.Socket();
    bool conectadoAlAviso = true;
    connect(&enlace.cliente, &TClienteTarvel::OnDisconnect,
            [&] { conectadoAlAviso = enlace.cliente.Conectado(); });
    enlace.cliente.Desconectar();
    QCOMPARE(enlace.desconexiones, 1);
    QVERIFY(!conectadoAlAviso);
    QVERIFY(!enlace.cliente.Conectado());
    QVERIFY(enlace.cliente.ConexionActual() == nullptr);
    QVERIFY(enlace.cliente.Socket() != anterior);
    QCOMPARE(enlace.cliente.EnviarTexto(u"x"), 0);

    enlace.cliente.Desconectar();
    QCOMPARE(enlace.desconexiones, 1);
    QVERIFY(enlace.abrir());
    QCOMPARE(enlace.conexiones, 2);
    QVERIFY(enlace.cliente.Conectado());
}

void TestTarvelClient::resetIsADisconnectionRefusedIsAnError_data()
{
    QTest::addColumn<int>("codigo");
    QTest::addColumn<bool>("desconecta");
    QTest::newRow("network reset") << SocketErrorCode::NetworkReset << true;
    QTest::newRow("connection aborted") << SocketErrorCode::ConnAborted << true;
    QTest::newRow("connection reset") << SocketErrorCode::ConnReset << true;
    QTest::newRow("refused") << SocketErrorCode::ConnRefused << false;
    QTest::newRow("timed out") << SocketErrorCode::TimedOut << false;
}

void TestTarvelClient::resetIsADisconnectionRefusedIsAnError()
{
    QFETCH(int, codigo);
    QFETCH(bool, desconecta);
    Enlace enlace;
    QVERIFY(enlace.abrir());
    QSignalSpy errores(&enlace.cliente, &TClienteTarvel::OnSocketError);
    int codigoTrasAviso = codigo;
    emit enlace.cliente.Socket()->errorOccurred(SocketErrorEvent::Receive, codigoTrasAviso);
    QCOMPARE(codigoTrasAviso, 0);
    QCOMPARE(enlace.desconexiones, desconecta ? 1 : 0);
    QCOMPARE(errores.size(), desconecta ? 0 : 1);
    if (!desconecta) {
        QCOMPARE(errores[0][1].value<SocketErrorEvent>(), SocketErrorEvent::Receive);
        QCOMPARE(errores[0][2].toInt(), codigo);
    }
    QVERIFY(reportes.isEmpty());
}

void TestTarvelClient::peerResetEndsTheConnection()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    QSignalSpy errores(&enlace.cliente, &TClienteTarvel::OnSocketError);
    // Linger zero: the peer's close is a reset.
    const linger sinEspera{1, 0};
    setsockopt(int(enlace.par->socketDescriptor()), SOL_SOCKET, SO_LINGER, &sinEspera,
               sizeof sinEspera);
    enlace.par->abort();
    QTRY_COMPARE_WITH_TIMEOUT(enlace.desconexiones, 1, Espera);
    QVERIFY(errores.isEmpty());
    QVERIFY(!enlace.cliente.Conectado());
    QVERIFY(reportes.isEmpty());
}

void TestTarvelClient::refusedConnectRaisesConnectError()
{
    TClienteTarvel cliente;
    QSignalSpy errores(&cliente, &TClienteTarvel::OnSocketError);
    QSignalSpy desconexiones(&cliente, &TClienteTarvel::OnDisconnect);
    cliente.Conectar(QStringLiteral("127.0.0.1"), test::freeLoopbackPort());
    QTRY_COMPARE_WITH_TIMEOUT(errores.size(), 1, Espera);
    QVERIFY(errores[0][0].value<TConexion *>() == nullptr);
    QCOMPARE(errores[0][1].value<SocketErrorEvent>(), SocketErrorEvent::Connect);
    QCOMPARE(errores[0][2].toInt(), SocketErrorCode::ConnRefused);
    QVERIFY(!cliente.Conectado());
    QVERIFY(reportes.isEmpty());
}

void TestTarvelClient::closesOnHeaderItCannotDelimit_data()
{
    QTest::addColumn<QByteArray>("cabecera");
    QTest::newRow("not hexadecimal") << QByteArray("zzzzzzzz");
    QTest::newRow("more than 64 MiB") << QByteArray("04000001");
    QTest::newRow("negative") << QByteArray("FFFFFFFF");
}

void TestTarvelClient::closesOnHeaderItCannotDelimit()
{
    QFETCH(QByteArray, cabecera);
    Enlace enlace;
    QVERIFY(enlace.abrir());
    int fines = 0;
    connect(&enlace.cliente, &TClienteTarvel::OnFin, [&] { ++fines; });
    enlace.par->write(tramaDe(CrearFin()) + cabecera + tramaDe(CrearFin()));
    QTRY_COMPARE_WITH_TIMEOUT(enlace.desconexiones, 1, Espera);
    QCOMPARE(fines, 1);
    QVERIFY(!enlace.cliente.Conectado());
    QTRY_COMPARE_WITH_TIMEOUT(enlace.par->state(), QAbstractSocket::UnconnectedState, Espera);
    // The race window reconnects on the same component.
    QVERIFY(enlace.abrir());
}

void TestTarvelClient::failuresInDecodingOrHandlersKeepTheStreamInStep()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    QStringList vueltas;
    connect(&enlace.cliente, &TClienteTarvel::OnVuelta, [&](const QString &v) {
        vueltas.append(v);
        if (v == QLatin1String("boom"))
            throw Error(QStringLiteral("handler failed"));
    });
    enlace.par->write(tramaDe(u"0003XYZW"_s) + tramaDe(CrearVuelta(u"boom")) + CrearTrama({}) +
                      tramaDe(CrearVuelta(u"after")));
    QTRY_COMPARE_WITH_TIMEOUT(
        vueltas, (QStringList{QStringLiteral("boom"), QStringLiteral("after")}), Espera);
    QCOMPARE(reportes.size(), 3);
    QCOMPARE(reportes[1], QStringLiteral("handler failed"));
    QVERIFY(enlace.cliente.Conectado());
    QCOMPARE(enlace.desconexiones, 0);
}

void TestTarvelClient::refusesAnotherAddressWhileConnected()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    enlace.cliente.Conectar(QStringLiteral("127.0.0.1"), enlace.server.serverPort());
    QCOMPARE(enlace.conexiones, 1);
    QVERIFY_THROWS_EXCEPTION(
        Error, enlace.cliente.Conectar(QStringLiteral("127.0.0.1"), test::freeLoopbackPort()));
    QVERIFY(enlace.cliente.Conectado());
}

void TestTarvelClient::handlerMayCloseTheConnection()
{
    Enlace enlace;
    QVERIFY(enlace.abrir());
    int fines = 0;
    bool limite = false;
    connect(&enlace.cliente, &TClienteTarvel::OnFin, [&] { ++fines; });
    connect(&enlace.cliente, &TClienteTarvel::OnLimiteConexion, [&] {
        limite = true;
        enlace.cliente.Desconectar();
    });
    enlace.par->write(tramaDe(CrearFin()) + tramaDe(CrearLimiteConexion()) + tramaDe(CrearFin()));
    QTRY_VERIFY_WITH_TIMEOUT(limite, Espera);
    QCOMPARE(enlace.desconexiones, 1);
    QVERIFY(!enlace.cliente.Conectado());
    QTest::qWait(100);
    QCOMPARE(fines, 1);
    QVERIFY(enlace.abrir());
    enlace.par->write(tramaDe(CrearFin()));
    QTRY_COMPARE_WITH_TIMEOUT(fines, 2, Espera);
}

QTEST_GUILESS_MAIN(TestTarvelClient)
#include "test_tarvelclient.moc"
