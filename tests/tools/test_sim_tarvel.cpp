#include "common/testsupport.h"
#include "model/generadorcarrera.h"
#include "net/clientetarvel.h"
#include "net/mensajestarvel.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <set>

using namespace quenlap;

namespace {

constexpr int Espera = 30000;

// The emulator in a child process, on a port of its own.
struct Emulador
{
    QProcess proceso;
    quint16 puerto = test::freeLoopbackPort();

    bool arrancar(const QStringList &opciones)
    {
        return test::startServer(proceso, QStringLiteral("quenlap-sim"),
                                 QStringList{QStringLiteral("tarvel"), QStringLiteral("--port"),
                                             QString::number(puerto)} +
                                     opciones,
                                 puerto, Espera);
    }

    ~Emulador() { test::stopProgram(proceso, Espera); }
};

// A race window's view of the race server: the events it got, in order.
struct Espectador
{
    TClienteTarvel cliente;
    QString carrera;
    QStringList competidores;
    QStringList vueltasEstado;
    QStringList vueltas;
    QStringList orden;
    std::set<int> terminados;
    int resultadoLogon = -1;
    int tipoDuracion = -1;
    double duracion = 0;
    int textos = 0;
    int cronos = 0;
    bool fin = false;
    bool limite = false;
    bool desconectado = false;

    explicit Espectador(quint16 puerto)
    {
        QObject::connect(&cliente, &TClienteTarvel::OnConnect, [this] {
            cliente.EnviarLogon(MensajesTarvel::UsuarioFijo, MensajesTarvel::ClaveFijo);
        });
        QObject::connect(&cliente, &TClienteTarvel::OnLogon,
                         [this](int resultado, const QString &) {
                             resultadoLogon = resultado;
                             orden.append(QStringLiteral("logon"));
                         });
        QObject::connect(&cliente, &TClienteTarvel::OnEstado,
                         [this](const QString &nombre, const QStringList &c, const QStringList &l) {
                             carrera = nombre;
                             competidores = c;
                             vueltasEstado = l;
                             orden.append(QStringLiteral("estado"));
                         });
        QObject::connect(&cliente, &TClienteTarvel::OnDuracion, [this](int tipo, double valor) {
            tipoDuracion = tipo;
            duracion = valor;
            orden.append(QStringLiteral("duracion"));
        });
        QObject::connect(&cliente, &TClienteTarvel::OnDescartarPrimeraVuelta,
                         [this](bool) { orden.append(QStringLiteral("descartar")); });
        QObject::connect(&cliente, &TClienteTarvel::OnInicio,
                         [this](const QString &, int) { orden.append(QStringLiteral("inicio")); });
        QObject::connect(&cliente, &TClienteTarvel::OnVuelta,
                         [this](const QString &v) { vueltas.append(v); });
        QObject::connect(&cliente, &TClienteTarvel::OnTTS,
                         [this](const QString &, bool) { ++textos; });
        QObject::connect(&cliente, &TClienteTarvel::OnCrono, [this](const QString &) { ++cronos; });
        QObject::connect(&cliente, &TClienteTarvel::OnFinCoche,
                         [this](int coche) { terminados.insert(coche); });
        QObject::connect(&cliente, &TClienteTarvel::OnFin, [this] { fin = true; });
        QObject::connect(&cliente, &TClienteTarvel::OnLimiteConexion, [this] { limite = true; });
        QObject::connect(&cliente, &TClienteTarvel::OnDisconnect, [this] { desconectado = true; });
        cliente.Conectar(QStringLiteral("127.0.0.1"), puerto);
    }
};

QStringList lineasGeneradas(int competidores, double minutos, quint64 semilla)
{
    return LineasCarrera(GenerarCarrera({competidores, minutos, semilla}));
}

} // namespace

class TestSimTarvel : public QObject
{
    Q_OBJECT

private slots:
    void viewerReceivesTheWholeRace();
    void lateViewerGetsTheSnapshot();
    void viewerPastTheLimitIsTurnedAway();
    void playsARaceFile();
    void stopsCleanlyOnInterrupt();
    void refusesBadArguments_data();
    void refusesBadArguments();
};

void TestSimTarvel::viewerReceivesTheWholeRace()
{
    Emulador emulador;
    QVERIFY(emulador.arrancar({QStringLiteral("--speed"), QStringLiteral("30"),
                               QStringLiteral("--generate"), QStringLiteral("4,1,7")}));
    Espectador espectador(emulador.puerto);
    QTRY_VERIFY_WITH_TIMEOUT(espectador.desconectado, Espera);
    QTRY_COMPARE_WITH_TIMEOUT(emulador.proceso.state(), QProcess::NotRunning, Espera);
    QCOMPARE(emulador.proceso.exitStatus(), QProcess::NormalExit);
    QCOMPARE(emulador.proceso.exitCode(), 0);

    QCOMPARE(espectador.resultadoLogon, 0);
    QCOMPARE(espectador.orden, (QStringList{QStringLiteral("logon"), QStringLiteral("estado"),
                                            QStringLiteral("duracion"), QStringLiteral("descartar"),
                                            QStringLiteral("inicio")}));
    QCOMPARE(espectador.competidores.size(), 4);
    QVERIFY(espectador.vueltasEstado.isEmpty());
    QCOMPARE(espectador.tipoDuracion, 0);
    QCOMPARE(espectador.duracion, 1.0 / 1440.0);
    QCOMPARE(espectador.vueltas, lineasGeneradas(4, 1, 7));
    QCOMPARE(espectador.terminados, (std::set<int>{1, 2, 3, 4}));
    QVERIFY(espectador.textos > 0);
    QVERIFY(espectador.fin);
}

void TestSimTarvel::lateViewerGetsTheSnapshot()
{
    Emulador emulador;
    QVERIFY(emulador.arrancar({QStringLiteral("--speed"), QStringLiteral("15"),
                               QStringLiteral("--generate"), QStringLiteral("5,2,11")}));
    Espectador primero(emulador.puerto);
    QTRY_VERIFY_WITH_TIMEOUT(primero.vueltas.size() >= 10, Espera);
    Espectador tarde(emulador.puerto);
    QTRY_VERIFY_WITH_TIMEOUT(primero.desconectado && tarde.desconectado, Espera);

    const QStringList todas = lineasGeneradas(5, 2, 11);
    QCOMPARE(primero.vueltas, todas);
    QVERIFY(tarde.vueltasEstado.size() >= 10);
    QCOMPARE(tarde.vueltasEstado + tarde.vueltas, todas);
    QVERIFY(tarde.orden.contains(QStringLiteral("inicio")));
    QCOMPARE(tarde.competidores, primero.competidores);
    QVERIFY(tarde.fin);
}

void TestSimTarvel::viewerPastTheLimitIsTurnedAway()
{
    Emulador emulador;
    QVERIFY(emulador.arrancar({QStringLiteral("--max-viewers"), QStringLiteral("1"),
                               QStringLiteral("--generate"), QStringLiteral("3,30,1")}));
    Espectador primero(emulador.puerto);
    QTRY_COMPARE_WITH_TIMEOUT(primero.resultadoLogon, 0, Espera);
    Espectador segundo(emulador.puerto);
    QTRY_VERIFY_WITH_TIMEOUT(segundo.desconectado, Espera);
    QVERIFY(segundo.limite);
    QVERIFY(segundo.orden.isEmpty());
    QVERIFY(!primero.desconectado);
}

void TestSimTarvel::playsARaceFile()
{
    QTemporaryDir carpeta;
    QVERIFY(carpeta.isValid());
    const QString ruta = carpeta.filePath(QStringLiteral("Final.dat"));
    QVERIFY(test::writeFile(ruta, FicheroCarrera(GenerarCarrera({3, 1, 5}))));

    Emulador emulador;
    QVERIFY(emulador.arrancar({QStringLiteral("--speed"), QStringLiteral("30"), ruta}));
    Espectador espectador(emulador.puerto);
    QTRY_VERIFY_WITH_TIMEOUT(espectador.desconectado, Espera);
    QCOMPARE(espectador.carrera, QStringLiteral("Final"));
    QCOMPARE(espectador.competidores.size(), 3);
    QCOMPARE(espectador.vueltas.size(), lineasGeneradas(3, 1, 5).size());
    QCOMPARE(espectador.terminados.size(), std::size_t(3));
    QVERIFY(espectador.fin);
}

void TestSimTarvel::stopsCleanlyOnInterrupt()
{
    Emulador emulador;
    QVERIFY(emulador.arrancar({QStringLiteral("--generate"), QStringLiteral("3,30,2")}));
    Espectador espectador(emulador.puerto);
    QTRY_COMPARE_WITH_TIMEOUT(espectador.resultadoLogon, 0, Espera);
    ::kill(pid_t(emulador.proceso.processId()), SIGINT);
    QTRY_VERIFY_WITH_TIMEOUT(espectador.desconectado, Espera);
    QTRY_COMPARE_WITH_TIMEOUT(emulador.proceso.state(), QProcess::NotRunning, Espera);
    QCOMPARE(emulador.proceso.exitStatus(), QProcess::NormalExit);
    QCOMPARE(emulador.proceso.exitCode(), 0);
    QVERIFY(!espectador.fin);
}

void TestSimTarvel::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("opciones");
    QTest::addColumn<int>("estado");
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("--laps"), QStringLiteral("3")} << 2;
    QTest::newRow("bad speed") << QStringList{QStringLiteral("--speed"), QStringLiteral("0")} << 2;
    QTest::newRow("bad generate") << QStringList{QStringLiteral("--generate"),
                                                 QStringLiteral("3,x,1")}
                                  << 2;
    QTest::newRow("two races") << QStringList{QStringLiteral("a.dat"), QStringLiteral("b.dat")}
                               << 2;
    QTest::newRow("missing file") << QStringList{QStringLiteral("/nonexistent/race.dat")} << 1;
}

void TestSimTarvel::refusesBadArguments()
{
    QFETCH(QStringList, opciones);
    QFETCH(int, estado);
    const test::ProgramRun ejecucion = test::runProgram(
        QStringLiteral("quenlap-sim"), QStringList{QStringLiteral("tarvel")} + opciones, Espera);
    QCOMPARE(ejecucion.exitCode, estado);
}

QTEST_GUILESS_MAIN(TestSimTarvel)
#include "test_sim_tarvel.moc"
