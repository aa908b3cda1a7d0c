#include "base/clock.h"
#include "base/error.h"
#include "base/global.h"
#include "model/listavueltas.h"
#include "racewindow/frmlistavueltas.h"
#include "racewindow/uiseams.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quenlap;

namespace {

QColor Fondo(const QWidget *widget)
{
    return widget->palette().color(QPalette::Window);
}

} // namespace

class TestRacewindowVentana : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(carpeta.isValid());
        FijarCarpetaConfiguracion(carpeta.path());
        QDir::setCurrent(carpeta.path());
        ui::MessageBox::setAnswerAll(QMessageBox::Ok);
    }

    void creacion()
    {
        TFrmListaVueltas ventana(reloj);
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Vueltas de carrera"));
        QStringList paginas;
        for (int i = 0; i < ventana.Paginas->count(); ++i)
            paginas.append(ventana.Paginas->tabText(i));
        QCOMPARE(paginas, QStringList({QStringLiteral("Corredores"), QStringLiteral("Tiempos"),
                                       QStringLiteral("Gráfica Vueltas"), QStringLiteral("Monitor"),
                                       QStringLiteral("Log")}));
        QCOMPARE(ventana.StatusBar[0]->text(), QStringLiteral("Vueltas"));
        QCOMPARE(ventana.StatusBar[2]->text(), QStringLiteral("Corredores"));
        QCOMPARE(ventana.StatusBar[4]->text(), QStringLiteral("Mejor Tiempo"));
        QCOMPARE(ventana.TimerConexion->interval(), 3000);
        QCOMPARE(ventana.Reloj->interval(), 100);
        QVERIFY(!ventana.TimerConexion->isActive());
        QVERIFY(!ventana.Reloj->isActive());
        QCOMPARE(ventana.Origen, int(TFrmListaVueltas::OrigenFichero));
        QVERIFY(ventana.PanelCarrera->isHidden());
        QVERIFY(ventana.Image1->isHidden());
        QVERIFY(ventana.Image2->isHidden());
        QCOMPARE(ventana.PanelCrono->text(), QStringLiteral("0:00:00.0"));
        QVERIFY(!ventana.BmpCronoRojo.isNull());
        QVERIFY(!ventana.BmpVueltasVerde.isNull());
    }

    void abrirFichero()
    {
        TFrmListaVueltas ventana(reloj);
        const QString muestra = QStringLiteral(QUENLAP_SAMPLES "/sample-race.dat");
        ventana.AbrirFichero(muestra);
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Vueltas de ") + muestra);
        QVERIFY(ventana.ListaVueltas->Count() > 0);
        QCOMPARE(ventana.ColumnaOrden, 2);
        QVERIFY(ventana.OrdenAscendente);

        // A file that does not exist opens a window without laps.
        TFrmListaVueltas vacia(reloj);
        vacia.AbrirFichero(carpeta.filePath(QStringLiteral("no-existe.dat")));
        QCOMPARE(vacia.ListaVueltas->Count(), 0);
    }

    void abrirFicheroQueFallaLanza()
    {
        const QString mala = carpeta.filePath(QStringLiteral("mala.dat"));
        QFile fichero(mala);
        QVERIFY(fichero.open(QIODevice::WriteOnly));
        fichero.write("1\tA\t1\tno es un tiempo\r\n");
        fichero.close();
        TFrmListaVueltas ventana(reloj);
        QVERIFY_THROWS_EXCEPTION(Error, ventana.AbrirFichero(mala));
    }

    // A logo that cannot be loaded is reported; the window works on with its pictures hidden.
    void logo()
    {
        ui::MessageBox::takeShownTexts();
        TFrmListaVueltas ventana(reloj);
        ventana.PonerLogo(QString());
        QVERIFY(ui::MessageBox::takeShownTexts().isEmpty());
        const QString roto = carpeta.filePath(QStringLiteral("roto.jpg"));
        QFile fichero(roto);
        QVERIFY(fichero.open(QIODevice::WriteOnly));
        fichero.write("no es una imagen");
        fichero.close();
        ventana.PonerLogo(roto);
        const QStringList mostrados = ui::MessageBox::takeShownTexts();
        QCOMPARE(mostrados.size(), 1);
        QVERIFY(mostrados.first().contains(roto));
        QVERIFY(ventana.Image1->isHidden());
    }

    void estadosDelReloj()
    {
        TFrmListaVueltas ventana(reloj);
        ventana.MostrarPausa(true);
        QVERIFY(ventana.Reloj->isActive());
        QCOMPARE(Fondo(ventana.PanelCrono), QColor(0, 0, 128)); // clNavy
        ventana.MostrarPausa(false);
        QVERIFY(!ventana.Reloj->isActive());
        QCOMPARE(Fondo(ventana.PanelCrono), QColor(0, 128, 0)); // clGreen
        ventana.MostrarPausa(true);
        ventana.MostrarParada();
        QVERIFY(!ventana.Reloj->isActive());
        QCOMPARE(Fondo(ventana.PanelCrono), QColor(255, 0, 0)); // clRed
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Vueltas de carrera"));
        ventana.MostrarDesconectado();
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Desconectado"));
    }

    void pista()
    {
        TFrmListaVueltas ventana(reloj);
        ventana.MostrarPista(true);
        QVERIFY(!ventana.PanelTrack->isHidden());
        QCOMPARE(ventana.Panel2->width(), 450);
        ventana.MostrarPista(false);
        QVERIFY(ventana.PanelTrack->isHidden());
        QCOMPARE(ventana.Panel2->maximumWidth(), QWIDGETSIZE_MAX);
    }

    // The DS Router layout: large text, the columns a lane counter fills.
    void disposicionDSRouter()
    {
        TFrmListaVueltas ventana(reloj);
        ventana.DisposicionDSRouter();
        QCOMPARE(ventana.LVCoches->font().pointSize(), 30);
        const QList<std::pair<int, int>> anchos = {{1, 140}, {2, 90},  {4, 220}, {5, 165},
                                                   {6, 220}, {7, 240}, {8, 165}};
        for (const auto &[columna, ancho] : anchos) {
            QVERIFY(!ventana.LVCoches->isColumnHidden(columna));
            QCOMPARE(ventana.LVCoches->columnWidth(columna), ancho);
        }
        for (const int columna : {0, 3, 9})
            QVERIFY(ventana.LVCoches->isColumnHidden(columna));
        QVERIFY(!ventana.LVCoches->isColumnHidden(10));
    }

private:
    QTemporaryDir carpeta;
    ManualClock reloj;
};

QTEST_MAIN(TestRacewindowVentana)
#include "test_racewindow_ventana.moc"
