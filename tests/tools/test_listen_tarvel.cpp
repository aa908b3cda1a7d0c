#include "common/testsupport.h"
#include "model/generadorcarrera.h"
#include "net/mensajestarvel.h"
#include "net/textoutf16.h"
#include "net/trama.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace quenlap;
using namespace quenlap::MensajesTarvel;
using namespace Qt::StringLiterals;

namespace {

constexpr int Espera = 30000;

QString cli()
{
    return test::programPath(QStringLiteral("quenlap-cli"));
}

QByteArray tramaDe(const QString &mensaje)
{
    return CrearTrama(TextoAUtf16(mensaje));
}

} // namespace

class TestListenTarvel : public QObject
{
    Q_OBJECT

private slots:
    void printsEveryEventAsOneJsonLine();
    void followsAWholeRaceFromTheEmulator();
    void reconnectsThreeSecondsAfterALoss();
    void failedConnectEndsARunOnce_data();
    void failedConnectEndsARunOnce();
    void refusesBadUsage_data();
    void refusesBadUsage();
};

void TestListenTarvel::printsEveryEventAsOneJsonLine()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QByteArray logon;
    connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket *par = server.nextPendingConnection();
        connect(par, &QTcpSocket::readyRead, [&, par] {
            logon += par->readAll();
            if (logon.size() < tramaDe(CrearLogon(UsuarioFijo, ClaveFijo)).size())
                return;
            const QStringList mensajes{CrearRespuestaLogon(0, u"OK"),
                                       CrearEstado(u"Final", {QStringLiteral("1\t1\tAna")}, {}),
                                       CrearInicio(u"Final", 1),
                                       CrearVuelta(u"1\tAna"),
                                       CrearCrono(u"1500"),
                                       CrearTTS(u"hola \"tú\"", true),
                                       CrearPausa(true),
                                       CrearFinCoche(7),
                                       CrearDuracion(1, 25),
                                       CrearDescartarPrimeraVuelta(true),
                                       QStringLiteral("0003XYZW"),
                                       CrearFin(),
                                       CrearLimiteConexion()};
            for (const QString &mensaje : mensajes)
                par->write(tramaDe(mensaje));
            par->disconnectFromHost();
        });
    });

    QProcess proceso;
    proceso.start(cli(), {QStringLiteral("listen"), QStringLiteral("--tarvel"),
                          test::loopbackAddress(server.serverPort()), QStringLiteral("--once")});
    QTRY_COMPARE_WITH_TIMEOUT(proceso.state(), QProcess::NotRunning, Espera);
    QCOMPARE(proceso.exitCode(), 0);
    QCOMPARE(logon, tramaDe(u"00050005orvek0007qamitul"_s));

    const QList<QByteArray> salida = test::outputLines(proceso);
    const QList<QByteArray> esperadas{
        R"({"event":"connect"})",
        R"({"event":"logon","resultado":0,"msg":"OK"})",
        R"({"event":"estado","carrera":"Final","c":["1\t1\tAna"],"l":[]})",
        R"({"event":"inicio","carrera":"Final","clasificacion":1})",
        R"({"event":"vuelta","v":"1\tAna"})",
        R"({"event":"crono","crono":"1500"})",
        QStringLiteral(R"({"event":"tts","texto":"hola \"tú\"","purga":true})").toUtf8(),
        R"({"event":"pausa","onOff":true})",
        R"({"event":"finCoche","coche":7})",
        R"({"event":"duracion","tipo":1,"duracion":25})",
        R"({"event":"descartarPrimeraVuelta","descartar":true})",
        QByteArray(),
        R"({"event":"fin"})",
        R"({"event":"limiteConexion"})",
        R"({"event":"disconnect"})",
    };
    QCOMPARE(salida.size(), esperadas.size());
    for (qsizetype i = 0; i < salida.size(); ++i) {
        QVERIFY2(!test::jsonObject(salida[i]).isEmpty(), salida[i].constData());
        if (esperadas[i].isEmpty()) {
            QCOMPARE(test::jsonObject(salida[i]).value(QLatin1String("event")).toString(),
                     QStringLiteral("error"));
            QVERIFY(
                !test::jsonObject(salida[i]).value(QLatin1String("message")).toString().isEmpty());
        } else {
            QCOMPARE(salida[i], esperadas[i]);
        }
    }
}

void TestListenTarvel::followsAWholeRaceFromTheEmulator()
{
    const quint16 puerto = test::freeLoopbackPort();
    QProcess emulador;
    QVERIFY(
        test::startServer(emulador, QStringLiteral("quenlap-sim"),
                          {QStringLiteral("tarvel"), QStringLiteral("--port"),
                           QString::number(puerto), QStringLiteral("--speed"), QStringLiteral("30"),
                           QStringLiteral("--generate"), QStringLiteral("3,1,4")},
                          puerto, Espera));

    QProcess proceso;
    proceso.start(cli(), {QStringLiteral("listen"), QStringLiteral("--tarvel"),
                          test::loopbackAddress(puerto), QStringLiteral("--once")});
    QTRY_COMPARE_WITH_TIMEOUT(proceso.state(), QProcess::NotRunning, Espera);
    QCOMPARE(proceso.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(emulador.state(), QProcess::NotRunning, Espera);

    QStringList eventos;
    QStringList vueltas;
    for (const QByteArray &linea : test::outputLines(proceso)) {
        const QJsonObject objeto = test::jsonObject(linea);
        const QString evento = objeto.value(QLatin1String("event")).toString();
        if (evento == QLatin1String("vuelta"))
            vueltas.append(objeto.value(QLatin1String("v")).toString());
        else if (evento != QLatin1String("crono") && evento != QLatin1String("tts") &&
                 evento != QLatin1String("finCoche"))
            eventos.append(evento);
        if (evento == QLatin1String("estado"))
            QCOMPARE(objeto.value(QLatin1String("c")).toArray().size(), 3);
    }
    QCOMPARE(eventos,
             (QStringList{QStringLiteral("connect"), QStringLiteral("logon"),
                          QStringLiteral("estado"), QStringLiteral("duracion"),
                          QStringLiteral("descartarPrimeraVuelta"), QStringLiteral("inicio"),
                          QStringLiteral("fin"), QStringLiteral("disconnect")}));
    QCOMPARE(vueltas, LineasCarrera(GenerarCarrera({3, 1, 4})));
}

void TestListenTarvel::reconnectsThreeSecondsAfterALoss()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QList<qint64> llegadas;
    QElapsedTimer reloj;
    reloj.start();
    connect(&server, &QTcpServer::newConnection, [&] {
        llegadas.append(reloj.elapsed());
        QTcpSocket *par = server.nextPendingConnection();
        par->disconnectFromHost();
    });
    QProcess proceso;
    proceso.start(cli(), {QStringLiteral("listen"), QStringLiteral("--tarvel"),
                          test::loopbackAddress(server.serverPort())});
    QTRY_VERIFY_WITH_TIMEOUT(llegadas.size() >= 2, Espera);
    proceso.kill();
    QVERIFY(proceso.waitForFinished(Espera));
    QVERIFY(llegadas[1] - llegadas[0] >= 2500);
    const QList<QByteArray> salida = test::outputLines(proceso);
    QVERIFY(salida.size() >= 3);
    QCOMPARE(salida[0], QByteArray(R"({"event":"connect"})"));
    QCOMPARE(salida[1], QByteArray(R"({"event":"disconnect"})"));
    QCOMPARE(salida[2], QByteArray(R"({"event":"connect"})"));
}

void TestListenTarvel::failedConnectEndsARunOnce_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("evento");
    QTest::newRow("refused") << test::loopbackAddress(test::freeLoopbackPort())
                             << QStringLiteral("socketError");
    QTest::newRow("unknown host") << QStringLiteral("nonexistent.invalid:5000")
                                  << QStringLiteral("error");
}

void TestListenTarvel::failedConnectEndsARunOnce()
{
    QFETCH(QString, address);
    QFETCH(QString, evento);
    QProcess proceso;
    proceso.start(cli(), {QStringLiteral("listen"), QStringLiteral("--tarvel"), address,
                          QStringLiteral("--once")});
    QTRY_COMPARE_WITH_TIMEOUT(proceso.state(), QProcess::NotRunning, Espera);
    QCOMPARE(proceso.exitCode(), 1);
    const QList<QByteArray> salida = test::outputLines(proceso);
    QCOMPARE(salida.size(), 1);
    QCOMPARE(test::jsonObject(salida[0]).value(QLatin1String("event")).toString(), evento);
    if (evento == QLatin1String("socketError"))
        QCOMPARE(salida[0],
                 QByteArray(R"({"event":"socketError","errorEvent":3,"errorCode":10061})"));
}

void TestListenTarvel::refusesBadUsage_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::newRow("no source") << QStringList{QStringLiteral("127.0.0.1:5000")};
    QTest::newRow("no address") << QStringList{QStringLiteral("--tarvel")};
    QTest::newRow("no port") << QStringList{QStringLiteral("--tarvel"),
                                            QStringLiteral("localhost")};
    QTest::newRow("port zero") << QStringList{QStringLiteral("--tarvel"),
                                              QStringLiteral("localhost:0")};
    QTest::newRow("port too large")
        << QStringList{QStringLiteral("--tarvel"), QStringLiteral("localhost:70000")};
    QTest::newRow("two sources") << QStringList{
        QStringLiteral("--tarvel"), QStringLiteral("--dsrouter"), QStringLiteral("localhost:5000")};
    QTest::newRow("unknown option") << QStringList{
        QStringLiteral("--tarvel"), QStringLiteral("localhost:5000"), QStringLiteral("--twice")};
}

void TestListenTarvel::refusesBadUsage()
{
    QFETCH(QStringList, argumentos);
    const test::ProgramRun ejecucion = test::runProgram(
        QStringLiteral("quenlap-cli"), QStringList{QStringLiteral("listen")} + argumentos, Espera);
    QCOMPARE(ejecucion.exitCode, 2);
}

QTEST_GUILESS_MAIN(TestListenTarvel)
#include "test_listen_tarvel.moc"
