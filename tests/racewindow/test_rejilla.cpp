#include "base/colors.h"
#include "base/global.h"
#include "base/inifile.h"
#include "model/coche.h"
#include "model/listacoches.h"
#include "model/vueltacorredor.h"
#include "racewindow/datosrejilla.h"
#include "racewindow/modelovueltas.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

using namespace quenlap;

namespace {

constexpr double Segundo = 1.0 / 86400.0;

// Competitors and their lap records, as a race window holds them.
class Carrera
{
public:
    TCoche &Coche(int numero)
    {
        if (TCoche *coche = TCoche::BuscarCoche(coches, numero))
            return *coche;
        return TCoche::NuevoCoche(coches, numero, QStringLiteral("C%1").arg(numero));
    }

    TVueltaCorredor &Vuelta(int numero, double segundos, double carrera = 0)
    {
        TCoche &coche = Coche(numero);
        const double tiempoCarrera = carrera > 0 ? carrera : coche.TiempoTotal / Segundo + segundos;
        coche.AgregarVuelta(false, tiempoCarrera * Segundo, segundos * Segundo);
        TVueltaCorredor &vuelta = vueltas.emplace_back();
        vuelta.Coche = &coche;
        vuelta.Vuelta = coche.Vueltas;
        vuelta.TiempoCarrera = tiempoCarrera * Segundo;
        vuelta.TiempoVuelta = segundos * Segundo;
        vuelta.EsMejor = coche.VueltaMejor == coche.Vueltas;
        vuelta.MejorHastaAhora = coche.MejorVuelta;
        return vuelta;
    }

    TListaCoches coches;
    std::deque<TVueltaCorredor> vueltas;
};

QColor ColorQt(TColor color)
{
    int r = 0, g = 0, b = 0;
    ColorToRgb(color, r, g, b);
    return QColor(r, g, b);
}

} // namespace

class TestRejilla : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void clases_data();
    void clases();
    void umbralesEnAjustes();
    void filasYPasos();
    void modeloDeLaRejilla();
};

void TestRejilla::initTestCase()
{
    FormatSettings ajustes;
    FijarAjustesFormato(ajustes);
}

void TestRejilla::clases_data()
{
    QTest::addColumn<double>("media");
    QTest::addColumn<double>("segundos");
    QTest::addColumn<int>("vuelta");
    QTest::addColumn<int>("vueltaMejor");
    QTest::addColumn<int>("clase");
    QTest::addColumn<TColor>("texto");
    QTest::addColumn<TColor>("fondo");

    const auto muyBuena = int(TClaseVuelta::MuyBuena);
    QTest::newRow("very good") << 20.0 << 18.9 << 3 << 1 << muyBuena << Colores::clLime
                               << Colores::clBlack;
    QTest::newRow("very good limit")
        << 20.0 << 19.0 << 4 << 1 << muyBuena << Colores::clLime << TColor(0x101010);
    QTest::newRow("good") << 20.0 << 19.5 << 3 << 1 << int(TClaseVuelta::Buena) << Colores::clGreen
                          << Colores::clBlack;
    QTest::newRow("normal") << 20.0 << 21.5 << 3 << 1 << int(TClaseVuelta::Normal)
                            << Colores::clWhite << Colores::clBlack;
    QTest::newRow("bad") << 20.0 << 22.5 << 3 << 1 << int(TClaseVuelta::Mala) << Colores::clYellow
                         << Colores::clBlack;
    QTest::newRow("very bad") << 20.0 << 40.5 << 3 << 1 << int(TClaseVuelta::MuyMala)
                              << Colores::clRed << Colores::clBlack;
    QTest::newRow("best lap on purple") << 20.0 << 40.5 << 3 << 3 << int(TClaseVuelta::MejorVuelta)
                                        << Colores::clYellow << Colores::clPurple;
    QTest::newRow("no mean yet") << 0.0 << 1.5 << 2 << 0 << int(TClaseVuelta::MuyMala)
                                 << Colores::clRed << TColor(0x101010);
    QTest::newRow("no time") << 20.0 << 0.0 << 2 << 1 << int(TClaseVuelta::SinTiempo)
                             << Colores::clWhite << TColor(0x101010);
}

void TestRejilla::clases()
{
    QFETCH(double, media);
    QFETCH(double, segundos);
    QFETCH(int, vuelta);
    QFETCH(int, vueltaMejor);
    QFETCH(int, clase);
    QFETCH(TColor, texto);
    QFETCH(TColor, fondo);

    const TLimitesCalidad limites = TLimitesCalidad::Para(TUmbralesCalidad(), media * Segundo);
    const TClaseVuelta encontrada = ClaseVuelta(limites, segundos * Segundo, vuelta, vueltaMejor);
    QCOMPARE(int(encontrada), clase);
    QCOMPARE(ColorTextoClase(encontrada), texto);
    QCOMPARE(ColorFondoClase(encontrada, vuelta), fondo);
}

void TestRejilla::umbralesEnAjustes()
{
    QTemporaryDir carpeta;
    IniFile ini(carpeta.filePath(QStringLiteral("quenlap.ini")));
    TUmbralesCalidad umbrales;
    umbrales.Leer(ini);
    QCOMPARE(umbrales.Buena, 1.0 * Segundo);
    QCOMPARE(umbrales.MuyMala, 2.0);

    umbrales.MuyBuena = -0.5 * Segundo;
    umbrales.MuyMala = 3;
    umbrales.Escribir(ini);
    QCOMPARE(ini.readFloat(QStringLiteral("VUELTAS"), QStringLiteral("MuyBuena"), 0), -0.5);
    QCOMPARE(ini.readFloat(QStringLiteral("VUELTAS"), QStringLiteral("MuyMala"), 0), 3.0);
    TUmbralesCalidad leidos;
    leidos.Leer(ini);
    QVERIFY(qAbs(leidos.MuyBuena - umbrales.MuyBuena) < 1e-12);
    QCOMPARE(leidos.MuyMala, 3.0);
}

void TestRejilla::filasYPasos()
{
    Carrera carrera;
    TDatosRejilla::ListasPorNumero porNumero;
    TDatosRejilla rejilla(porNumero);
    rejilla.Reiniciar();
    QCOMPARE(rejilla.Filas(), 2);
    QCOMPARE(rejilla.Columnas(), 1);
    QCOMPARE(rejilla.Texto(0, 0), QStringLiteral("Num."));
    QCOMPARE(rejilla.Texto(0, 1), QStringLiteral("1"));

    QCOMPARE(rejilla.NuevaColumna(carrera.Coche(7)), 1);
    QCOMPARE(rejilla.NuevaColumna(carrera.Coche(3)), 2);
    QCOMPARE(carrera.Coche(3).Columna, 2);
    QCOMPARE(rejilla.Texto(2, 0), QStringLiteral("3-C3"));

    // Lap 0 is a crossing that is not a lap: never shown.
    TVueltaCorredor cero;
    cero.Coche = &carrera.Coche(7);
    QVERIFY(!rejilla.AnadirVuelta(cero));
    QVERIFY(porNumero.empty());

    QVERIFY(!rejilla.AnadirVuelta(carrera.Vuelta(7, 20.5)));
    QVERIFY(rejilla.AnadirVuelta(carrera.Vuelta(7, 19.25)));
    QCOMPARE(rejilla.Filas(), 3);
    QCOMPARE(rejilla.Texto(1, 2), QStringLiteral("19.250"));
    QCOMPARE(rejilla.Celda(1, 2), &carrera.vueltas.back());
    QCOMPARE(rejilla.Celda(2, 2), nullptr);

    // Competitor 3 crosses lap 1 after 7 did, but lap 2 before it.
    rejilla.AnadirVuelta(carrera.Vuelta(3, 21));
    rejilla.AnadirVuelta(carrera.Vuelta(3, 18));
    QCOMPARE(porNumero.size(), std::size_t(2));
    QCOMPARE(porNumero[0][0]->Coche->Numero, 7);
    QCOMPARE(porNumero[0][1]->Coche->Numero, 3);
    QCOMPARE(porNumero[1][0]->Coche->Numero, 3);
    QCOMPARE(porNumero[1][1]->Coche->Numero, 7);

    // A jump in lap numbers adds the rows in between, empty.
    TVueltaCorredor &salto = carrera.Vuelta(3, 65.5);
    salto.Vuelta = 10;
    QVERIFY(rejilla.AnadirVuelta(salto));
    QCOMPARE(rejilla.Filas(), 11);
    QCOMPARE(rejilla.Texto(2, 10), QStringLiteral("01:05.500"));
    QCOMPARE(rejilla.Texto(2, 9), QString());
    QCOMPARE(rejilla.Texto(0, 9), QStringLiteral("9"));

    rejilla.Limpiar();
    QCOMPARE(rejilla.Filas(), 2);
    QCOMPARE(rejilla.Columnas(), 3);
    QCOMPARE(rejilla.Celda(1, 1), nullptr);
    QVERIFY(porNumero.empty());
}

void TestRejilla::modeloDeLaRejilla()
{
    Carrera carrera;
    TDatosRejilla::ListasPorNumero porNumero;
    TDatosRejilla rejilla(porNumero);
    TModeloVueltas modelo(rejilla);
    QAbstractItemModelTester tester(&modelo,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    modelo.Reiniciar();
    QCOMPARE(modelo.rowCount(), 1);
    QCOMPARE(modelo.columnCount(), 0);

    QSignalSpy columnas(&modelo, &QAbstractItemModel::columnsInserted);
    QSignalSpy filas(&modelo, &QAbstractItemModel::rowsInserted);
    QSignalSpy cambios(&modelo, &QAbstractItemModel::dataChanged);
    modelo.NuevaColumna(carrera.Coche(1));
    modelo.NuevaColumna(carrera.Coche(2));
    QCOMPARE(columnas.size(), 2);
    QCOMPARE(modelo.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("2-C2"));

    for (double segundos : {20.0, 20.0, 20.0, 20.0, 20.0, 20.0, 20.0, 20.0, 20.0})
        modelo.AnadirVuelta(carrera.Vuelta(1, segundos));
    QCOMPARE(modelo.rowCount(), 9);
    filas.clear();
    cambios.clear();
    // The 10th lap adds row 10.
    QVERIFY(modelo.AnadirVuelta(carrera.Vuelta(1, 18.9)));
    QCOMPARE(filas.size(), 1);
    QCOMPARE(filas[0][1].toInt(), 9);
    QCOMPARE(modelo.headerData(9, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("10"));
    // A new best repaints its whole column, because the best-lap mark moves.
    QCOMPARE(cambios.size(), 1);
    QCOMPARE(cambios[0][0].toModelIndex(), modelo.IndiceCelda(1, 1));
    QCOMPARE(cambios[0][1].toModelIndex(), modelo.IndiceCelda(1, 10));

    const QModelIndex mejor = modelo.IndiceCelda(1, 10);
    QCOMPARE(mejor.data().toString(), QStringLiteral("18.900"));
    QCOMPARE(mejor.data(Qt::BackgroundRole).value<QColor>(), ColorQt(Colores::clPurple));
    QCOMPARE(mejor.data(Qt::ForegroundRole).value<QColor>(), ColorQt(Colores::clYellow));
    QCOMPARE(mejor.data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignTop);
    const QModelIndex vacia = modelo.IndiceCelda(2, 3);
    QCOMPARE(vacia.data().toString(), QString());
    QCOMPARE(vacia.data(Qt::BackgroundRole).value<QColor>(), ColorQt(Colores::clBlack));

    cambios.clear();
    modelo.AnadirVuelta(carrera.Vuelta(2, 25));
    QCOMPARE(cambios.size(), 1);

    modelo.Limpiar();
    QCOMPARE(modelo.rowCount(), 1);
    QCOMPARE(modelo.columnCount(), 2);
}

QTEST_MAIN(TestRejilla)
#include "test_rejilla.moc"
