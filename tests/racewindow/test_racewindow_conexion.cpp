#include "base/clock.h"
#include "base/global.h"
#include "common/testsupport.h"
#include "net/mensajestarvel.h"
#include "net/textoutf16.h"
#include "net/trama.h"
#include "racewindow/frmlistavueltas.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quenlap;

namespace {

constexpr int Espera = 15000;

int Contar(const QSignalSpy &titulos, const QString &titulo)
{
    int n = 0;
    for (const QList<QVariant> &argumentos : titulos)
        n += argumentos.at(0).toString() == titulo ? 1 : 0;
    return n;
}

// Reads one whole frame, header and UTF-16 payload.
QString LeerTrama(QTcpSocket &socket)
{
    QByteArray datos;
    qsizetype total = -1;
    QElapsedTimer tiempo;
    tiempo.start();
    while (tiempo.elapsed() < Espera) {
        if (socket.bytesAvailable() == 0)
            QTest::qWait(20); // both ends live on this thread
        datos += socket.readAll();
        if (total < 0 && datos.size() >= LongitudCabecera)
            total = LongitudCabecera +
                    LeerCabecera(QByteArrayView(datos).first(LongitudCabecera)).value_or(0);
        if (total >= 0 && datos.size() >= total)
            break;
    }
    return TextoDeUtf16(QByteArrayView(datos).sliced(LongitudCabecera, total - LongitudCabecera));
}

// Connects a window that reconnects quickly to a loopback server, with the fixed logon, and
// returns the server's end once the window says it is connected; null when it did not.
std::unique_ptr<QTcpSocket> ConectarATarvel(TFrmListaVueltas &ventana, QTcpServer &servidor)
{
    ventana.TimerConexion->setInterval(100);
    ventana.Reconectar = true;
    ventana.ConectarTarvel(QStringLiteral("127.0.0.1"), servidor.serverPort(), "orvek", "qamitul");
    if (!servidor.waitForNewConnection(Espera))
        return nullptr;
    std::unique_ptr<QTcpSocket> par(servidor.nextPendingConnection());
    const bool conectado = QTest::qWaitFor(
        [&] { return ventana.windowTitle() == QStringLiteral("Conectado a Tarvel"); }, Espera);
    return conectado ? std::move(par) : nullptr;
}

} // namespace

class TestRacewindowConexion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(carpeta.isValid());
        FijarCarpetaConfiguracion(carpeta.path());
        // The DS Router log and race copies go below the temporary folder.
        QDir::setCurrent(carpeta.path());
    }

    // Each refusal raises a socket error that posts the next attempt, paced so that an instant
    // refusal does not spin the thread.
    void puertoRechazadoReintentaSinFin()
    {
        const quint16 puerto = test::freeLoopbackPort();
        QVERIFY(puerto != 0);
        ManualClock reloj;
        TFrmListaVueltas ventana(reloj);
        QSignalSpy titulos(&ventana, &QWidget::windowTitleChanged);
        ventana.Reconectar = true;
        ventana.ConectarTarvel(QStringLiteral("127.0.0.1"), puerto, "orvek", "qamitul");
        QCOMPARE(ventana.Origen, int(TFrmListaVueltas::OrigenTarvel));
        QTRY_VERIFY_WITH_TIMEOUT(Contar(titulos, QStringLiteral("Desconectado")) >= 1, Espera);
        QTest::qWait(1500);
        QVERIFY(Contar(titulos, QStringLiteral("Reconectando a Tarvel")) <= 3);
        QTRY_VERIFY_WITH_TIMEOUT(Contar(titulos, QStringLiteral("Reconectando a Tarvel")) >= 3,
                                 Espera);
        QVERIFY(Contar(titulos, QStringLiteral("Desconectado")) >= 3);

        // Closing while attempts are under way starts none after it.
        ventana.close();
        QVERIFY(ventana.Cerrando);
        QVERIFY(!ventana.TimerConexion->isActive());
        QCoreApplication::processEvents();
        const qsizetype intentos = titulos.size();
        QTest::qWait(300);
        QCOMPARE(titulos.size(), intentos);
    }

    // The logon goes out on connect; a lost connection arms TimerConexion; closing the window
    // then disarms it, and nothing connects again.
    void cerrarDuranteUnaPerdidaNoReconecta()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        ManualClock reloj;
        TFrmListaVueltas ventana(reloj);
        const std::unique_ptr<QTcpSocket> par = ConectarATarvel(ventana, servidor);
        QVERIFY(par);
        const QString logon = LeerTrama(*par);
        QVERIFY(!logon.isEmpty());
        const auto [usuario, clave] = MensajesTarvel::LeerLogon(logon);
        QCOMPARE(usuario, QStringLiteral("orvek"));
        QCOMPARE(clave, QStringLiteral("qamitul"));

        par->disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(ventana.windowTitle(), QStringLiteral("Desconectado"), Espera);
        QVERIFY(ventana.TimerConexion->isActive());
        QVERIFY(!ventana.Reloj->isActive());

        ventana.close();
        QVERIFY(!ventana.TimerConexion->isActive());
        QTest::qWait(500);
        QVERIFY(!servidor.hasPendingConnections());
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Desconectado"));
    }

    // A lost connection with Reconectar set comes back after TimerConexion.
    void perdidaReconectaTrasElTemporizador()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        ManualClock reloj;
        TFrmListaVueltas ventana(reloj);
        const std::unique_ptr<QTcpSocket> primero = ConectarATarvel(ventana, servidor);
        QVERIFY(primero);
        primero->disconnectFromHost();
        QTRY_VERIFY_WITH_TIMEOUT(servidor.hasPendingConnections(), Espera);
        QTRY_COMPARE_WITH_TIMEOUT(ventana.windowTitle(), QStringLiteral("Conectado a Tarvel"),
                                  Espera);
    }

    // "&Desconectar" stops reconnection for good.
    void desconectarParaLaReconexion()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        ManualClock reloj;
        TFrmListaVueltas ventana(reloj);
        const std::unique_ptr<QTcpSocket> par = ConectarATarvel(ventana, servidor);
        QVERIFY(par);
        ventana.MostrarPausa(true);

        emit ventana.PopupMenu2->aboutToShow();
        QVERIFY(ventana.Desconectar1->isVisible());
        ventana.Desconectar1->trigger();

        QVERIFY(!ventana.Reconectar);
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Desconectado"));
        QVERIFY(!ventana.Reloj->isActive());
        QVERIFY(!ventana.TimerConexion->isActive());
        QTest::qWait(500);
        QVERIFY(!servidor.hasPendingConnections());

        emit ventana.PopupMenu2->aboutToShow();
        QVERIFY(!ventana.Desconectar1->isVisible());
    }

    // A DS Router window logs what arrives and reconnects after a loss.
    void dsRouterRegistraYReconecta()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        ManualClock reloj;
        TFrmListaVueltas ventana(reloj);
        ventana.TimerConexion->setInterval(100);
        ventana.Reconectar = true;
        ventana.ConectarDSRouter(QStringLiteral("127.0.0.1"), servidor.serverPort());
        QCOMPARE(ventana.Origen, int(TFrmListaVueltas::OrigenDSRouter));
        QVERIFY(servidor.waitForNewConnection(Espera));
        std::unique_ptr<QTcpSocket> par(servidor.nextPendingConnection());
        QTRY_COMPARE_WITH_TIMEOUT(ventana.windowTitle(), QStringLiteral("Conectado a DSRouter"),
                                  Espera);
        par->write("texto del router\r\n");
        par->flush();

        const auto registro = [] {
            QString todo;
            const QDir dir;
            for (const QString &nombre :
                 dir.entryList({QStringLiteral("Quenlap.dsrouter.*.log")}, QDir::Files)) {
                QFile fichero(nombre);
                if (fichero.open(QIODevice::ReadOnly))
                    todo += QString::fromLatin1(fichero.readAll());
            }
            return todo;
        };
        QTRY_VERIFY_WITH_TIMEOUT(registro().contains(QLatin1String("texto del router")), Espera);
        QVERIFY(registro().contains(QLatin1String("**** DSROUTER CONECTADO ****")));

        par->disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(ventana.windowTitle(), QStringLiteral("Desconectado"), Espera);
        QVERIFY(registro().contains(QLatin1String("**** DSROUTER DESCONECTADO ****")));
        QTRY_VERIFY_WITH_TIMEOUT(servidor.hasPendingConnections(), Espera);
        QTRY_COMPARE_WITH_TIMEOUT(ventana.windowTitle(), QStringLiteral("Conectado a DSRouter"),
                                  Espera);
    }

private:
    QTemporaryDir carpeta;
};

QTEST_MAIN(TestRacewindowConexion)
#include "test_racewindow_conexion.moc"
