#include "common/testsupport.h"
#include "net/dsrouter.h"

#include <QDir>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace quenlap;

namespace {

constexpr int Espera = 20000;

// Starts the simulator and waits until it listens.
bool Arrancar(QProcess &sim, quint16 puerto, const QStringList &opciones)
{
    return test::startServer(
        sim, QStringLiteral("quenlap-sim"),
        QStringList{QStringLiteral("dsrouter"), QStringLiteral("--port"), QString::number(puerto)} +
            opciones,
        puerto, Espera);
}

// Everything a viewer receives from connection to close.
QByteArray Recibir(quint16 puerto)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, puerto);
    if (!socket.waitForConnected(Espera))
        return {};
    QByteArray recibido;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(Espera))
        recibido += socket.readAll();
    return recibido + socket.readAll();
}

QByteArray Carrera(const QStringList &opciones)
{
    const quint16 puerto = test::freeLoopbackPort();
    QProcess sim;
    if (!Arrancar(sim, puerto, opciones))
        return {};
    const QByteArray recibido = Recibir(puerto);
    sim.waitForFinished(Espera);
    return sim.exitStatus() == QProcess::NormalExit && sim.exitCode() == 0 ? recibido
                                                                           : QByteArray();
}

// The records of a race, decoded.
struct Registro
{
    int tipo = 0;
    int segundoCampo = 0;
    int valorST1 = 0;
    int carril = 0;
    int numeroVuelta = 0;
    double tiempoVuelta = 0;
    bool primeraPosicion = false;
    bool vueltaRapida = false;
};

QList<Registro> Leer(const QByteArray &texto)
{
    TDSRouter router;
    QList<Registro> registros;
    for (int tipo = router.Procesar(texto); tipo != 0; tipo = router.Procesar({})) {
        registros.append({tipo, router.SegundoCampo(), router.ValorST1(), router.Carril(),
                          router.NumeroVuelta(), router.TiempoVuelta(), router.PrimeraPosicion(),
                          router.VueltaRapida()});
    }
    return router.Pendiente().isEmpty() ? registros : QList<Registro>();
}

} // namespace

class TestSimDsRouter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void carreraCompleta();
    void repetibleConSemilla();
    void opcionesMalas_data();
    void opcionesMalas();
    void ctrlC();

private:
    QTemporaryDir carpeta;
    QString carpetaAnterior;
};

void TestSimDsRouter::initTestCase()
{
    QVERIFY(QFile::exists(test::programPath(QStringLiteral("quenlap-sim"))));
    // The parser of the checks writes its log in the current directory.
    QVERIFY(carpeta.isValid());
    carpetaAnterior = QDir::currentPath();
    QVERIFY(QDir::setCurrent(carpeta.path()));
}

void TestSimDsRouter::cleanupTestCase()
{
    QDir::setCurrent(carpetaAnterior);
}

void TestSimDsRouter::carreraCompleta()
{
    const int carriles = 3;
    const QList<Registro> registros =
        Leer(Carrera({QStringLiteral("--speed"), QStringLiteral("200"), QStringLiteral("--lanes"),
                      QString::number(carriles), QStringLiteral("--minutes"), QStringLiteral("1"),
                      QStringLiteral("--seed"), QStringLiteral("11")}));
    QVERIFY(registros.size() > 2 + carriles * 5);
    QCOMPARE(registros.first().tipo, int(TDSRouter::ST1));
    QCOMPARE(registros.first().valorST1, carriles);
    QCOMPARE(registros[1].tipo, int(TDSRouter::ST2));
    QCOMPARE(registros.last().tipo, int(TDSRouter::END));

    // Lap numbers run on from 1 in each lane; the flags follow from the race so far.
    QList<int> vueltas(carriles + 1, 0);
    QList<double> totales(carriles + 1, 0);
    double rapida = 0;
    for (qsizetype i = 2; i + 1 < registros.size(); ++i) {
        const Registro &r = registros[i];
        QCOMPARE(r.tipo, int(TDSRouter::LAP));
        QCOMPARE(r.segundoCampo, int(i + 1));
        QVERIFY(r.carril >= 1 && r.carril <= carriles);
        QCOMPARE(r.numeroVuelta, vueltas[r.carril] + 1);
        vueltas[r.carril] = r.numeroVuelta;
        totales[r.carril] += r.tiempoVuelta;
        QVERIFY(r.tiempoVuelta > 0);
        int porDelante = 0;
        for (int otro = 1; otro <= carriles; ++otro)
            porDelante += otro != r.carril && vueltas[otro] >= r.numeroVuelta ? 1 : 0;
        QCOMPARE(r.primeraPosicion, porDelante == 0);
        const bool esRapida = r.numeroVuelta > 1 && (rapida == 0 || r.tiempoVuelta < rapida);
        QCOMPARE(r.vueltaRapida, esRapida);
        if (esRapida)
            rapida = r.tiempoVuelta;
    }
    for (int carril = 1; carril <= carriles; ++carril) {
        QVERIFY(vueltas[carril] > 5);
        QVERIFY(totales[carril] <= 60.0 / 86400.0);
    }
}

void TestSimDsRouter::repetibleConSemilla()
{
    const QStringList opciones = {QStringLiteral("--speed"), QStringLiteral("500"),
                                  QStringLiteral("--minutes"), QStringLiteral("1")};
    const QByteArray una =
        Carrera(opciones + QStringList{QStringLiteral("--seed"), QStringLiteral("3")});
    const QByteArray otra =
        Carrera(opciones + QStringList{QStringLiteral("--seed"), QStringLiteral("3")});
    const QByteArray distinta =
        Carrera(opciones + QStringList{QStringLiteral("--seed"), QStringLiteral("4")});
    QVERIFY(!una.isEmpty());
    QCOMPARE(una, otra);
    QVERIFY(!distinta.isEmpty());
    QVERIFY(una != distinta);
}

void TestSimDsRouter::opcionesMalas_data()
{
    QTest::addColumn<QStringList>("opciones");

    QTest::newRow("no lanes") << QStringList{QStringLiteral("--lanes"), QStringLiteral("0")};
    QTest::newRow("speed not a number")
        << QStringList{QStringLiteral("--speed"), QStringLiteral("fast")};
    QTest::newRow("zero speed") << QStringList{QStringLiteral("--speed"), QStringLiteral("0")};
    QTest::newRow("port too large")
        << QStringList{QStringLiteral("--port"), QStringLiteral("70000")};
    QTest::newRow("bad address") << QStringList{QStringLiteral("--listen"),
                                                QStringLiteral("nowhere")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--laps"), QStringLiteral("3")};
    QTest::newRow("missing value") << QStringList{QStringLiteral("--seed")};
}

void TestSimDsRouter::opcionesMalas()
{
    QFETCH(QStringList, opciones);
    const test::ProgramRun sim = test::runProgram(
        QStringLiteral("quenlap-sim"), QStringList{QStringLiteral("dsrouter")} + opciones, Espera);
    QCOMPARE(sim.exitCode, 2);
    QVERIFY(!sim.errors.isEmpty());
}

void TestSimDsRouter::ctrlC()
{
    const quint16 puerto = test::freeLoopbackPort();
    QProcess sim;
    QVERIFY(Arrancar(sim, puerto, {QStringLiteral("--minutes"), QStringLiteral("60")}));
    QTcpSocket visor;
    visor.connectToHost(QHostAddress::LocalHost, puerto);
    QVERIFY(visor.waitForConnected(Espera));
    QTRY_VERIFY_WITH_TIMEOUT(visor.bytesAvailable() > 0 || visor.waitForReadyRead(100), Espera);
    QVERIFY(visor.readAll().startsWith("ST1#1#4\r\nST2#2\r\n"));

    ::kill(pid_t(sim.processId()), SIGINT);
    QTRY_COMPARE_WITH_TIMEOUT(sim.state(), QProcess::NotRunning, Espera);
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(sim.readAllStandardError().contains("interrupted"));
    QTRY_COMPARE_WITH_TIMEOUT(visor.state(), QAbstractSocket::UnconnectedState, Espera);
}

QTEST_GUILESS_MAIN(TestSimDsRouter)
#include "test_sim_dsrouter.moc"
