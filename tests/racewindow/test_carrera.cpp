#include "base/clock.h"
#include "base/global.h"
#include "base/racetime.h"
#include "model/coche.h"
#include "model/generadorcarrera.h"
#include "model/listacoches.h"
#include "model/listavueltas.h"
#include "model/vueltacorredor.h"
#include "racewindow/frmlistavueltas.h"
#include "racewindow/modelocoches.h"
#include "racewindow/uiseams.h"
#include "racewindow/vozcarrera.h"
#include "speech/frmsapi5.h"
#include "speech/recordingengine.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QStringDecoder>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quenlap;

namespace {

constexpr double Segundo = 1.0 / 86400.0;

QString Linea(int numero, const QString &nombre, int vuelta, double carrera, double tiempo)
{
    return FormatearLineaVuelta(numero, nombre, vuelta, carrera * Segundo, tiempo * Segundo,
                                QString(), 0);
}

QList<int> NumerosDeFilas(const QTableView &vista)
{
    QList<int> numeros;
    for (int fila = 0; fila < vista.model()->rowCount(); ++fila)
        numeros << vista.model()->index(fila, TModeloCoches::ColN).data().toInt();
    return numeros;
}

QStringList LineasFichero(const QString &fichero)
{
    QFile f(fichero);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decodificador(QStringConverter::Utf16LE);
    QString texto = decodificador.decode(f.readAll().mid(2));
    QStringList lineas = texto.split(QStringLiteral("\r\n"));
    lineas.removeAll(QString());
    return lineas;
}

} // namespace

class TestCarrera : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void leerLineaCorredor_data();
    void leerLineaCorredor();
    void instantaneaConCarrilCeroYDesorden();
    void vueltaDeUnNumeroNuevo();
    void coloresDeFila();
    void clicEnColumnas();
    void cronoDuracionYFinDeCoche();
    void copiaDeLaCarrera();
    void umbralesDeLaRejilla();
    void leerVueltasDeUnCorredor();
    void abrirFicheroLlenaLasPaginas();
    void limiteDeConexiones();

private:
    QTemporaryDir ajustes;
    ManualClock reloj{QDateTime(QDate(2026, 5, 1), QTime(10, 0))};
    QPointer<TFrmListaVueltas> ventana;
};

void TestCarrera::initTestCase()
{
    QVERIFY(ajustes.isValid());
    FijarCarpetaConfiguracion(ajustes.path());
    FijarAjustesFormato(FormatSettings());
    ui::MessageBox::setAnswerAll(QMessageBox::Ok);
}

void TestCarrera::init()
{
    ventana = new TFrmListaVueltas(reloj);
    new QAbstractItemModelTester(ventana->LVCoches->model(),
                                 QAbstractItemModelTester::FailureReportingMode::QtTest, ventana);
    new QAbstractItemModelTester(ventana->GridVueltas->model(),
                                 QAbstractItemModelTester::FailureReportingMode::QtTest, ventana);
    ventana->show();
}

void TestCarrera::cleanup()
{
    // A window over the viewer limit closes itself; the guarded pointer knows when.
    if (ventana)
        ventana->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestCarrera::leerLineaCorredor_data()
{
    QTest::addColumn<QString>("linea");
    QTest::addColumn<int>("carrilAntes");
    QTest::addColumn<int>("numero");
    QTest::addColumn<int>("carril");
    QTest::addColumn<QString>("nombre");

    QTest::newRow("full") << QStringLiteral("12\t3\tAna Ruiz") << 0 << 12 << 3
                          << QStringLiteral("Ana Ruiz");
    QTest::newRow("no lane") << QStringLiteral("7\tBeto") << 5 << 7 << 0 << QStringLiteral("Beto");
    QTest::newRow("no tab keeps the lane")
        << QStringLiteral("Carla") << 4 << 0 << 4 << QStringLiteral("Carla");
    QTest::newRow("not numbers") << QStringLiteral("x\ty\tDani\tE") << 0 << 0 << 0
                                 << QStringLiteral("Dani\tE");
}

void TestCarrera::leerLineaCorredor()
{
    QFETCH(QString, linea);
    QFETCH(int, carrilAntes);
    QFETCH(int, numero);
    QFETCH(int, carril);
    QFETCH(QString, nombre);
    int n = -1;
    int c = carrilAntes;
    QString s;
    TFrmListaVueltas::LeerLineaCorredor(linea, n, c, s);
    QCOMPARE(n, numero);
    QCOMPARE(c, carril);
    QCOMPARE(s, nombre);
}

void TestCarrera::instantaneaConCarrilCeroYDesorden()
{
    const QStringList corredores = {QStringLiteral("9\t0\tNueve"), QStringLiteral("4\tCuatro"),
                                    QStringLiteral("6\t2\tSeis")};
    const QStringList vueltas = {Linea(4, QStringLiteral("Cuatro"), 1, 20, 20),
                                 Linea(6, QStringLiteral("Seis"), 1, 21, 21),
                                 Linea(4, QStringLiteral("Cuatro"), 2, 39.5, 19.5)};
    ventana->TarvelEstado(QStringLiteral("Final"), corredores, vueltas);

    QCOMPARE(ventana->lCarrera->text(), QStringLiteral("Final"));
    QCOMPARE(ventana->Coches->Count(), 3);
    QCOMPARE(TCoche::BuscarCoche(*ventana->Coches, 9)->Carril, 1);
    QCOMPARE(TCoche::BuscarCoche(*ventana->Coches, 4)->Carril, 2);
    QCOMPARE(TCoche::BuscarCoche(*ventana->Coches, 6)->Carril, 2);
    // Rows and columns were made in number order, before any standings order existed.
    QCOMPARE(ventana->GridVueltas->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("4-Cuatro"));
    QCOMPARE(ventana->GridVueltas->model()->headerData(2, Qt::Horizontal).toString(),
             QStringLiteral("9-Nueve"));
    QVERIFY(!ventana->GridVueltas->isHidden());
    QCOMPARE(ventana->GridVueltas->model()->rowCount(), 2);
    QCOMPARE(ventana->VueltasPorNumero.size(), std::size_t(2));
    QCOMPARE(ventana->VueltasPorNumero[0].size(), std::size_t(2));
    QCOMPARE(NumerosDeFilas(*ventana->LVCoches), (QList<int>{4, 6, 9}));
    QCOMPARE(ventana->StatusBar[1]->text(), QStringLiteral("2"));
    QCOMPARE(ventana->StatusBar[3]->text(), QStringLiteral("3"));
    QCOMPARE(ventana->StatusBar[5]->text(), QStringLiteral("Cuatro : 00:19.500  en vuelta 2"));

    // A second snapshot starts again from scratch.
    ventana->TarvelEstado(QStringLiteral("Otra"), {QStringLiteral("1\t1\tUno")}, {});
    QCOMPARE(ventana->Coches->Count(), 1);
    QCOMPARE(ventana->LVCoches->model()->rowCount(), 1);
    QCOMPARE(ventana->GridVueltas->model()->columnCount(), 1);
    QCOMPARE(ventana->StatusBar[5]->text(), QString());
}

void TestCarrera::vueltaDeUnNumeroNuevo()
{
    // The grid page shows, so the views ask their models until the window is gone.
    ventana->Paginas->setCurrentIndex(1);
    ventana->TarvelEstado(QStringLiteral("Final"), {QStringLiteral("1\t1\tUno")}, {});
    for (int vuelta = 1; vuelta <= 9; ++vuelta)
        ventana->TarvelVuelta(Linea(1, QStringLiteral("Uno"), vuelta, vuelta * 20.0, 20));
    QCOMPARE(ventana->GridVueltas->model()->rowCount(), 9);

    ventana->TarvelVuelta(Linea(8, QStringLiteral("Ocho"), 10, 200.5, 18));
    QCOMPARE(ventana->Coches->Count(), 2);
    QCOMPARE(ventana->LVCoches->model()->rowCount(), 2);
    QCOMPARE(ventana->GridVueltas->model()->columnCount(), 2);
    QCOMPARE(ventana->GridVueltas->model()->rowCount(), 10);
    // The grid follows the last row.
    QCOMPARE(ventana->GridVueltas->currentIndex().row(), 9);
    const QModelIndex celda = ventana->GridVueltas->model()->index(9, 1);
    QCOMPARE(celda.data().toString(), QStringLiteral("18.000"));
    QCOMPARE(ventana->ListaVueltas->Count(), 10);
}

void TestCarrera::coloresDeFila()
{
    ventana->TarvelEstado(QStringLiteral("Final"), {QStringLiteral("1\t1\tUno")}, {});
    ventana->LVCochesColumnClick(2);
    ventana->TarvelVuelta(Linea(1, QStringLiteral("Uno"), 1, 20, 20));
    QAbstractItemModel &modelo = *ventana->LVCoches->model();
    // Alone: no last-lap green, no leader red, no best-lap blue; still bold as first.
    QCOMPARE(modelo.index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    QVERIFY(modelo.index(0, 1).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(modelo.index(0, 1).data(TModeloCoches::ImagenRole).toInt(), 1);
    QCOMPARE(modelo.index(0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(231, 231, 247));

    ventana->TarvelVuelta(Linea(2, QStringLiteral("Dos"), 1, 19, 19));
    ventana->TarvelVuelta(Linea(1, QStringLiteral("Uno"), 2, 39, 19));
    ventana->TarvelVuelta(Linea(2, QStringLiteral("Dos"), 2, 36, 17));
    // 2 leads on equal laps by total time, and its lap arrived last: green wins over red.
    QCOMPARE(NumerosDeFilas(*ventana->LVCoches), (QList<int>{2, 1}));
    QCOMPARE(modelo.index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(80, 191, 80));
    QCOMPARE(modelo.index(1, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(247, 247, 255));
    QCOMPARE(modelo.index(1, TModeloCoches::ColDiff).data().toString(), QStringLiteral("+3.000"));
    QCOMPARE(modelo.index(1, TModeloCoches::ColGap).data().toString(), QStringLiteral("+3.000"));

    // A pass without a lap clears the mark: the leader is red, the other plain, waiting.
    ventana->TarvelFinCoche(1);
    QCOMPARE(modelo.index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(modelo.index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    QCOMPARE(modelo.index(1, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(126, 120, 201));
    QVERIFY(modelo.index(1, 1).data(Qt::FontRole).value<QFont>().bold());

    // The holder of the race's best lap placed second is blue.
    ventana->TarvelVuelta(Linea(1, QStringLiteral("Uno"), 3, 55, 10));
    ventana->TarvelFinCoche(1);
    QCOMPARE(NumerosDeFilas(*ventana->LVCoches), (QList<int>{1, 2}));
    ventana->TarvelVuelta(Linea(2, QStringLiteral("Dos"), 3, 60, 9));
    ventana->TarvelFinCoche(2);
    QCOMPARE(NumerosDeFilas(*ventana->LVCoches), (QList<int>{1, 2}));
    QCOMPARE(modelo.index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(modelo.index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    // A competitor without laps shows dashes and the empty time.
    ventana->TarvelVuelta(Linea(3, QStringLiteral("Tres"), 0, 0, 0));
    QCOMPARE(modelo.rowCount(), 3);
    QCOMPARE(modelo.index(2, TModeloCoches::ColPos).data().toString(), QStringLiteral("-"));
    QCOMPARE(modelo.index(2, TModeloCoches::ColV).data().toString(), QStringLiteral("-"));
    QCOMPARE(modelo.index(2, TModeloCoches::ColTotal).data().toString(), TiempoVacio());
}

void TestCarrera::clicEnColumnas()
{
    ventana->TarvelEstado(
        QStringLiteral("Final"),
        {QStringLiteral("1\t1\tZeta"), QStringLiteral("2\t2\tAlfa"), QStringLiteral("3\t3\tbeta")},
        {});
    ventana->TarvelVuelta(Linea(3, QStringLiteral("beta"), 1, 20, 20));
    ventana->TarvelVuelta(Linea(1, QStringLiteral("Zeta"), 1, 21, 21));
    ventana->TarvelVuelta(Linea(2, QStringLiteral("Alfa"), 1, 22, 22));
    ventana->LVCochesColumnClick(2);
    QCOMPARE(NumerosDeFilas(*ventana->LVCoches), (QList<int>{3, 1, 2}));

    ventana->LVCochesColumnClick(1);
    QCOMPARE(NumerosDeFilas(*ventana->LVCoches), (QList<int>{2, 3, 1}));
    ventana->LVCochesColumnClick(1);
    QCOMPARE(ventana->OrdenAscendente, false);
    QCOMPARE(NumerosDeFilas(*ventana->LVCoches), (QList<int>{1, 3, 2}));

    // "Diff" twice: the column and the direction change, the rows do not.
    ventana->LVCochesColumnClick(5);
    ventana->LVCochesColumnClick(5);
    QCOMPARE(ventana->ColumnaOrden, 5);
    QCOMPARE(ventana->OrdenAscendente, false);
    QCOMPARE(NumerosDeFilas(*ventana->LVCoches), (QList<int>{1, 3, 2}));
    ventana->LVCochesColumnClick(2);
    QCOMPARE(ventana->ColumnaOrden, 2);
    QCOMPARE(ventana->OrdenAscendente, true);
    QCOMPARE(NumerosDeFilas(*ventana->LVCoches), (QList<int>{3, 1, 2}));
}

void TestCarrera::cronoDuracionYFinDeCoche()
{
    ventana->TarvelCrono(QStringLiteral("125000"));
    const double ahora = DateTimeToDias(reloj.now());
    QVERIFY(qAbs(ventana->InicioCarrera - (ahora - 125 * Segundo)) < 1e-9);
    ventana->TarvelCrono(QStringLiteral("12.5"));
    QVERIFY(qAbs(ventana->InicioCarrera - (ahora - 125 * Segundo)) < 1e-9);
    QCOMPARE(ventana->PanelCrono->palette().color(QPalette::Window), QColor(255, 0, 0));

    ventana->TarvelDuracion(1, 25.9);
    QCOMPARE(ventana->TipoDuracion, 1);
    QCOMPARE(ventana->VueltasCarrera, 25);
    ventana->TarvelDuracion(0, 600 * Segundo);
    QCOMPARE(ventana->TipoDuracion, 0);
    QCOMPARE(ventana->DuracionCarrera, 600 * Segundo);

    ventana->TarvelEstado(QStringLiteral("Final"), {QStringLiteral("1\t1\tUno")}, {});
    ventana->TarvelVuelta(Linea(1, QStringLiteral("Uno"), 1, 30, 30));
    // A timed race estimates the laps at the end: trunc((600 - 30) / 30) + 1 = 20 more.
    QCOMPARE(ventana->LVCoches->model()->index(0, TModeloCoches::ColEst).data().toString(),
             QStringLiteral("21"));
    ventana->TarvelFinCoche(1);
    QVERIFY(ventana->Coches->operator[](0).EnEspera);
    ventana->TarvelDescartarPrimeraVuelta(true);
    QVERIFY(ventana->ListaVueltas->DescartarPrimera);
}

void TestCarrera::copiaDeLaCarrera()
{
    ventana->Origen = TFrmListaVueltas::OrigenTarvel;
    // Laps of a race joined after its start: no copy path, so no copy.
    ventana->TarvelVuelta(Linea(1, QStringLiteral("Uno"), 1, 20, 20));
    ventana->GuardarCopia();
    QCOMPARE(ventana->FicheroCopia, QString());

    ventana->TarvelEstado(QStringLiteral("x"), {QStringLiteral("1\t1\tUno")}, {});
    reloj.setNow(QDateTime(QDate(2026, 5, 1), QTime(11, 12, 13)));
    ventana->TarvelInicio(QStringLiteral("Copa ../../fuera"), 0);
    const QString datos = QDir(ajustes.path()).filePath(QStringLiteral("Datos"));
    QCOMPARE(ventana->FicheroCopia,
             QDir(datos).filePath(QStringLiteral("Tarvel-Copa .._.._fuera-20260501-111213.dat")));
    QVERIFY(ventana->Reloj->isActive());
    QCOMPARE(ventana->ColumnaOrden, 2);

    const QString primera = Linea(1, QStringLiteral("Uno"), 1, 20, 20);
    const QString segunda = Linea(2, QStringLiteral("Dos"), 1, 21, 21);
    ventana->TarvelVuelta(primera);
    ventana->TarvelVuelta(segunda);
    ventana->TarvelFin();
    QVERIFY(!ventana->Reloj->isActive());
    QStringList lineas = LineasFichero(ventana->FicheroCopia);
    QCOMPARE(lineas.size(), 6);
    QCOMPARE(lineas.mid(1, 3), (QStringList{primera, segunda, QStringLiteral("-1")}));
    QVERIFY(lineas[4].startsWith(QStringLiteral("1\t(01)\tUno")));

    // A later write of the same race keeps what the first one wrote.
    const QString tercera = Linea(1, QStringLiteral("Uno"), 2, 40, 20);
    ventana->TarvelVuelta(tercera);
    ventana->GuardarCopia();
    lineas = LineasFichero(ventana->FicheroCopia);
    QCOMPARE(lineas.mid(1, 4), (QStringList{primera, segunda, tercera, QStringLiteral("-1")}));
    QCOMPARE(QDir(datos).entryList(QDir::Files).size(), 1);
}

void TestCarrera::umbralesDeLaRejilla()
{
    auto *muyBuena = ventana->Panel1->findChild<QLineEdit *>(QStringLiteral("EMuyBuena"));
    auto *buena = ventana->Panel1->findChild<QLineEdit *>(QStringLiteral("EBuena"));
    QVERIFY(muyBuena && buena);
    QCOMPARE(muyBuena->text(), QStringLiteral("-1"));
    ventana->TarvelEstado(QStringLiteral("x"), {QStringLiteral("1\t1\tUno")},
                          {Linea(1, QStringLiteral("Uno"), 1, 20, 20),
                           Linea(1, QStringLiteral("Uno"), 2, 38, 18),
                           Linea(1, QStringLiteral("Uno"), 3, 60, 22)});
    // Mean 20 s: the third lap (22 s) is bad at 2 s over.
    const QModelIndex tercera = ventana->GridVueltas->model()->index(2, 0);
    QCOMPARE(tercera.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 255, 0));
    ventana->Panel1->findChild<QLineEdit *>(QStringLiteral("EMala"))->setText(QStringLiteral("x"));
    QCOMPARE(tercera.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 255, 0));
    buena->setText(QStringLiteral("2.5"));
    QCOMPARE(tercera.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
    buena->setText(QStringLiteral("1"));
    ventana->Panel1->findChild<QLineEdit *>(QStringLiteral("EMala"))->setText(QStringLiteral("2"));
}

void TestCarrera::leerVueltasDeUnCorredor()
{
    auto *motor = new RecordingEngine();
    TFrmSAPI5 voz(motor, ajustes.filePath(QStringLiteral("quenlap.ini")),
                  ajustes.filePath(QStringLiteral("tarvel.ini")));
    FijarVozCarrera(&voz);
    ventana->TarvelEstado(QStringLiteral("x"),
                          {QStringLiteral("1\t1\tUno"), QStringLiteral("2\t2\tDos")}, {});
    // Spoken texts of the race server go out only when speech is on.
    ventana->TarvelTTS(QStringLiteral("Hola"), false);
    QCOMPARE(motor->begun(), QStringList());

    QAction *leer = nullptr;
    QMenu *menu = nullptr;
    for (QMenu *candidato : ventana->findChildren<QMenu *>()) {
        for (QAction *accion : candidato->actions()) {
            if (accion->text() == QStringLiteral("&Leer Vueltas")) {
                leer = accion;
                menu = candidato;
            }
        }
    }
    QVERIFY(leer && menu);
    emit menu->aboutToShow();
    QVERIFY(!leer->isVisible());
    ventana->LVCoches->selectRow(1);
    const int numero = ventana->LVCoches->model()->index(1, 0).data().toInt();
    emit menu->aboutToShow();
    QVERIFY(leer->isVisible());
    QVERIFY(!leer->isChecked());
    leer->trigger();
    QVERIFY(TCoche::BuscarCoche(*ventana->Coches, numero)->LeerVueltas);

    // That competitor's laps are spoken even with speech off; the other's are not.
    ventana->TarvelVuelta(Linea(3 - numero, QStringLiteral("Otro"), 1, 20, 20));
    ventana->TarvelVuelta(Linea(numero, QStringLiteral("Leido"), 1, 21.5, 21.5));
    QCOMPARE(motor->begun(), QStringList{QStringLiteral("21.500")});
    FijarVozCarrera(nullptr);
}

void TestCarrera::abrirFicheroLlenaLasPaginas()
{
    ParametrosCarrera parametros;
    parametros.Competidores = 5;
    parametros.Minutos = 2;
    const std::vector<VueltaGenerada> vueltas = GenerarCarrera(parametros);
    const QString fichero = ajustes.filePath(QStringLiteral("carrera.dat"));
    QFile salida(fichero);
    QVERIFY(salida.open(QIODevice::WriteOnly));
    salida.write(FicheroCarrera(vueltas));
    salida.close();

    ventana->Paginas->setCurrentIndex(1);
    ventana->AbrirFichero(fichero);
    QVERIFY(!ventana->GridVueltas->isHidden());
    QCOMPARE(ventana->LVCoches->model()->rowCount(), 5);
    QCOMPARE(ventana->GridVueltas->model()->columnCount(), 5);
    QCOMPARE(ventana->GridVueltas->model()->rowCount(), ventana->MaxVueltas);
    QCOMPARE(ventana->StatusBar[1]->text(), QString::number(ventana->MaxVueltas));
    QCOMPARE(ventana->StatusBar[3]->text(), QStringLiteral("5"));
    // Rows in position order; every lap of the file is in the grid, in its competitor's column.
    for (int fila = 0; fila < 5; ++fila) {
        QCOMPARE(ventana->LVCoches->model()->index(fila, TModeloCoches::ColPos).data().toInt(),
                 fila + 1);
    }
    int celdas = 0;
    for (int fila = 0; fila < ventana->GridVueltas->model()->rowCount(); ++fila) {
        for (int columna = 0; columna < 5; ++columna)
            celdas +=
                ventana->GridVueltas->model()->index(fila, columna).data().toString().isEmpty() ? 0
                                                                                                : 1;
    }
    QCOMPARE(celdas, int(vueltas.size()));
    // A file's window writes no copy.
    const QDir datos(ajustes.filePath(QStringLiteral("Datos")));
    const QStringList antes = datos.entryList(QDir::Files);
    ventana->FicheroCopia = datos.filePath(QStringLiteral("nunca.dat"));
    ventana->GuardarCopia();
    QCOMPARE(datos.entryList(QDir::Files), antes);
}

void TestCarrera::limiteDeConexiones()
{
    ui::MessageBox::takeShownTexts();
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->TarvelLimiteConexion();
    QCOMPARE(ui::MessageBox::takeShownTexts(),
             QStringList{QStringLiteral("Se alcanzó el límite de conexiones")});
    QTRY_VERIFY_WITH_TIMEOUT(ventana.isNull() || !ventana->isVisible(), 10000);
}

QTEST_MAIN(TestCarrera)
#include "test_carrera.moc"
