#include "common/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

constexpr int Espera = 20000;

// quenlap-cli listen --dsrouter, its output read line by line as JSON objects.
class Escucha : public QObject
{
public:
    Escucha(const QString &carpeta, quint16 puerto, bool once)
    {
        proceso.setWorkingDirectory(carpeta);
        QStringList argumentos{QStringLiteral("listen"), QStringLiteral("--dsrouter"),
                               QStringLiteral("127.0.0.1:") + QString::number(puerto)};
        if (once)
            argumentos << QStringLiteral("--once");
        connect(&proceso, &QProcess::readyReadStandardOutput, this, [this] {
            while (proceso.canReadLine()) {
                const QByteArray linea = proceso.readLine().trimmed();
                QJsonParseError error;
                const QJsonDocument json = QJsonDocument::fromJson(linea, &error);
                if (error.error != QJsonParseError::NoError || !json.isObject())
                    malas << linea;
                else
                    lineas << json.object();
            }
        });
        proceso.start(test::programPath(QStringLiteral("quenlap-cli")), argumentos);
    }
    ~Escucha() override { test::stopProgram(proceso, Espera); }

    QList<QJsonObject> Eventos(const QString &nombre) const
    {
        QList<QJsonObject> encontrados;
        for (const QJsonObject &linea : lineas) {
            if (linea.value(QStringLiteral("event")).toString() == nombre)
                encontrados << linea;
        }
        return encontrados;
    }

    QProcess proceso;
    QList<QJsonObject> lineas;
    QList<QByteArray> malas;
};

QString Evento(const QJsonObject &linea)
{
    return linea.value(QStringLiteral("event")).toString();
}

int Entero(const QJsonObject &linea, const char *clave)
{
    return linea.value(QLatin1String(clave)).toInt(-999);
}

} // namespace

class TestListenDsRouter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void carreraDelSimulador();
    void puertoRechazado();
    void piezasYReconexion();

private:
    std::unique_ptr<QTemporaryDir> carpeta;
};

void TestListenDsRouter::initTestCase()
{
    QVERIFY(QFile::exists(test::programPath(QStringLiteral("quenlap-cli"))));
    QVERIFY(QFile::exists(test::programPath(QStringLiteral("quenlap-sim"))));
}

void TestListenDsRouter::init()
{
    carpeta = std::make_unique<QTemporaryDir>();
    QVERIFY(carpeta->isValid());
}

void TestListenDsRouter::carreraDelSimulador()
{
    const quint16 puerto = test::freeLoopbackPort();
    QProcess sim;
    QVERIFY(test::startServer(sim, QStringLiteral("quenlap-sim"),
                              {QStringLiteral("dsrouter"), QStringLiteral("--port"),
                               QString::number(puerto), QStringLiteral("--speed"),
                               QStringLiteral("200"), QStringLiteral("--minutes"),
                               QStringLiteral("1"), QStringLiteral("--lanes"), QStringLiteral("2"),
                               QStringLiteral("--seed"), QStringLiteral("21")},
                              puerto, Espera));

    Escucha escucha(carpeta->path(), puerto, true);
    QVERIFY(escucha.proceso.waitForStarted(Espera));
    QTRY_COMPARE_WITH_TIMEOUT(escucha.proceso.state(), QProcess::NotRunning, Espera);
    QCOMPARE(escucha.proceso.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(sim.state(), QProcess::NotRunning, Espera);
    QCOMPARE(sim.exitCode(), 0);

    const QList<QJsonObject> &lineas = escucha.lineas;
    QCOMPARE(escucha.malas, QList<QByteArray>());
    QVERIFY(lineas.size() > 10);
    QCOMPARE(Evento(lineas.first()), QStringLiteral("connect"));
    QCOMPARE(Evento(lineas.last()), QStringLiteral("disconnect"));
    QCOMPARE(Entero(lineas[1], "tipo"), 1);
    QCOMPARE(Entero(lineas[1], "valorST1"), 2);
    QCOMPARE(Entero(lineas[2], "tipo"), 2);
    QCOMPARE(Entero(lineas[lineas.size() - 2], "tipo"), 5);

    QList<int> vueltas(3, 0);
    for (qsizetype i = 3; i < lineas.size() - 2; ++i) {
        const QJsonObject &vuelta = lineas[i];
        QCOMPARE(Evento(vuelta), QStringLiteral("record"));
        QCOMPARE(Entero(vuelta, "tipo"), 4);
        QCOMPARE(Entero(vuelta, "segundoCampo"), int(i));
        const int carril = Entero(vuelta, "carril");
        QVERIFY(carril == 1 || carril == 2);
        QCOMPARE(Entero(vuelta, "numeroVuelta"), ++vueltas[carril]);
        const double segundos = vuelta.value(QStringLiteral("tiempoVuelta")).toDouble();
        QVERIFY2(segundos > 4 && segundos < 13, qPrintable(QString::number(segundos)));
        QVERIFY(vuelta.value(QStringLiteral("primeraPosicion")).isBool());
        QVERIFY(vuelta.value(QStringLiteral("vueltaRapida")).isBool());
    }

    const QStringList logs =
        QDir(carpeta->path()).entryList({QStringLiteral("Quenlap.dsrouter.*.log")}, QDir::Files);
    QCOMPARE(logs.size(), 1);
    QVERIFY(QRegularExpression(QStringLiteral("^Quenlap\\.dsrouter\\.\\d{8}-\\d{6}\\.log$"))
                .match(logs.first())
                .hasMatch());
    QFile log(QDir(carpeta->path()).filePath(logs.first()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray texto = log.readAll();
    QVERIFY(texto.contains("* DSRouter "));
    QVERIFY(texto.contains(" --> **** DSROUTER CONECTADO ****\r\n"));
    QVERIFY(texto.contains(" --> [ST1#1#2\r\n"));
    QVERIFY(texto.contains(" --> **** DSROUTER DESCONECTADO ****\r\n"));
}

void TestListenDsRouter::puertoRechazado()
{
    Escucha escucha(carpeta->path(), test::freeLoopbackPort(), true);
    QVERIFY(escucha.proceso.waitForStarted(Espera));
    QTRY_COMPARE_WITH_TIMEOUT(escucha.proceso.state(), QProcess::NotRunning, Espera);
    QCOMPARE(escucha.proceso.exitCode(), 1);
    const QList<QJsonObject> errores = escucha.Eventos(QStringLiteral("socketError"));
    QCOMPARE(errores.size(), 1);
    QCOMPARE(Entero(errores.first(), "errorEvent"), 3);
    QCOMPARE(Entero(errores.first(), "errorCode"), 10061);
    QVERIFY(escucha.Eventos(QStringLiteral("connect")).isEmpty());
}

void TestListenDsRouter::piezasYReconexion()
{
    QTcpServer router;
    QVERIFY(router.listen(QHostAddress::LocalHost, 0));
    Escucha escucha(carpeta->path(), router.serverPort(), false);
    QVERIFY(router.waitForNewConnection(Espera));
    std::unique_ptr<QTcpSocket> conexion(router.nextPendingConnection());

    const auto registros = [&escucha] { return escucha.Eventos(QStringLiteral("record")); };
    conexion->write("ST1#1#7\r\nLAP#2#2#3#0:00:0");
    QTRY_COMPARE_WITH_TIMEOUT(registros().size(), 1, Espera);
    QCOMPARE(Entero(registros()[0], "valorST1"), 7);

    // A record of an unknown kind stops the reading until more text arrives.
    conexion->write("4:5000#0#1\r\nlap#3\r\nST2#4\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(registros().size(), 2, Espera);
    QTest::qWait(300);
    QCOMPARE(registros().size(), 2);
    const QJsonObject vuelta = registros()[1];
    QCOMPARE(Entero(vuelta, "carril"), 2);
    QCOMPARE(Entero(vuelta, "numeroVuelta"), 3);
    QCOMPARE(vuelta.value(QStringLiteral("tiempoVuelta")).toDouble(), 4.5);
    QCOMPARE(vuelta.value(QStringLiteral("primeraPosicion")).toBool(), false);
    QCOMPARE(vuelta.value(QStringLiteral("vueltaRapida")).toBool(), true);

    conexion->write("END#5\r\nST2#6");
    QTRY_COMPARE_WITH_TIMEOUT(registros().size(), 4, Espera);
    QCOMPARE(Entero(registros()[2], "tipo"), 2);
    QCOMPARE(Entero(registros()[3], "tipo"), 5);

    // The text left after END belongs to no race: a new connection starts clean.
    QElapsedTimer perdida;
    perdida.start();
    conexion->disconnectFromHost();
    QTRY_COMPARE_WITH_TIMEOUT(escucha.Eventos(QStringLiteral("disconnect")).size(), 1, Espera);
    QVERIFY(router.waitForNewConnection(Espera));
    QVERIFY(perdida.elapsed() >= 2500);
    conexion.reset(router.nextPendingConnection());
    QTRY_COMPARE_WITH_TIMEOUT(escucha.Eventos(QStringLiteral("connect")).size(), 2, Espera);
    conexion->write("END#7\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(registros().size(), 5, Espera);
    QCOMPARE(Entero(registros()[4], "segundoCampo"), 7);
    QCOMPARE(escucha.malas, QList<QByteArray>());
}

QTEST_GUILESS_MAIN(TestListenDsRouter)
#include "test_listen_dsrouter.moc"
