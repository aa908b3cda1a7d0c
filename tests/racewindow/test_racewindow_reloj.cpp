#include "base/clock.h"
#include "base/global.h"
#include "base/racetime.h"
#include "racewindow/frmlistavueltas.h"
#include "racewindow/relojcarrera.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quenlap;

namespace {

double Segundos(double s)
{
    return MsToDias(s * 1000.0);
}

} // namespace

class TestRacewindowReloj : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(carpeta.isValid());
        FijarCarpetaConfiguracion(carpeta.path());
    }

    void lectura_data()
    {
        QTest::addColumn<double>("duracion");
        QTest::addColumn<double>("transcurrido");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("agotado");

        const double diezMinutos = Segundos(600);
        QTest::newRow("timed race, 1.7 s left")
            << diezMinutos << Segundos(598.3) << "00:01.7" << false;
        QTest::newRow("tenths cut, not rounded")
            << diezMinutos << Segundos(598.36) << "00:01.6" << false;
        QTest::newRow("2 s after the end") << diezMinutos << Segundos(602) << "10:02.0" << true;
        QTest::newRow("at the start") << diezMinutos << 0.0 << "10:00.0" << false;
        QTest::newRow("no duration: elapsed") << 0.0 << Segundos(247.3) << "04:07.3" << true;
        QTest::newRow("over an hour") << 0.0 << Segundos(3723.45) << "01:02:03" << true;
        QTest::newRow("two-hour race, over an hour left")
            << Segundos(7200) << Segundos(600) << "01:50:00" << false;
    }

    void lectura()
    {
        QFETCH(double, duracion);
        QFETCH(double, transcurrido);
        QFETCH(QString, texto);
        QFETCH(bool, agotado);

        const double inicio = DateTimeToDias(QDateTime(QDate(2026, 5, 1), QTime(18, 0)));
        const LecturaReloj lectura = LeerReloj(duracion, inicio, inicio + transcurrido);
        QCOMPARE(lectura.texto, texto);
        QCOMPARE(lectura.agotado, agotado);
    }

    // The window's clock reads the injected clock at each tick of Reloj.
    void ventanaMuestraElRelojManual()
    {
        ManualClock reloj;
        TFrmListaVueltas ventana(reloj);
        ventana.DuracionCarrera = Segundos(600);
        ventana.InicioCarrera = DateTimeToDias(reloj.now());
        reloj.advanceMs(598300);
        ventana.MostrarPausa(true);
        QVERIFY(ventana.Reloj->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(ventana.PanelCrono->text(), QStringLiteral("00:01.7"), 10000);
        reloj.advanceMs(3700);
        QTRY_COMPARE_WITH_TIMEOUT(ventana.PanelCrono->text(), QStringLiteral("10:02.0"), 10000);

        ventana.MostrarPausa(false);
        QVERIFY(!ventana.Reloj->isActive());
        reloj.advanceMs(1000);
        QTest::qWait(250);
        QCOMPARE(ventana.PanelCrono->text(), QStringLiteral("10:02.0"));
    }

private:
    QTemporaryDir carpeta;
};

QTEST_MAIN(TestRacewindowReloj)
#include "test_racewindow_reloj.moc"
