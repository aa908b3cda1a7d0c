#include "base/colors.h"
#include "model/coche.h"
#include "model/listacoches.h"
#include "support/numeroscoches.h"

#include <QTest>

#include <limits>

using namespace quenlap;

namespace {

double Seg(double segundos)
{
    return segundos * 1000.0 / 86400000.0;
}

// A competitor with the given figures; times in seconds.
std::unique_ptr<TCoche> Coche(int numero, int vueltas = 0, double total = 0, double mejor = 0)
{
    auto c = std::make_unique<TCoche>();
    c->Numero = numero;
    c->Vueltas = vueltas;
    c->TiempoTotal = Seg(total);
    c->MejorVuelta = Seg(mejor);
    return c;
}

std::unique_ptr<TCoche> Coche(int numero, const QString &nombre)
{
    auto c = Coche(numero);
    c->Nombre = nombre;
    return c;
}

} // namespace

class TestCoche : public QObject
{
    Q_OBJECT

private slots:
    void nuevo();
    void agregarVuelta_data();
    void agregarVuelta();
    void inicioConTiempoPrevio();
    void mejorIgualNoMueveVueltaMejor();
    void reiniciar();
    void nuevoCocheOrdenYCarril();
    void insertarEnListaOrdenada();
    void buscar();
    void paleta_data();
    void paleta();
    void compararCarrera();
    void compararMejorVuelta();
    void numerosExtremos();
    void columnas_data();
    void columnas();
    void lineaCoche_data();
    void lineaCoche();
};

void TestCoche::nuevo()
{
    const TCoche c;
    QCOMPARE(c.Numero, 0);
    QVERIFY(c.Nombre.isEmpty());
    QCOMPARE(c.Serie.ColorLinea, Colores::clWhite);
    QCOMPARE(c.Serie.Estilo, EstiloLinea::Punteada);
    QVERIFY(c.Serie.PuntosVisibles);
    QCOMPARE(c.Serie.AnchoPunto, 6);
    QCOMPARE(c.Serie.AltoPunto, 6);
    QCOMPARE(c.Serie.BordePunto, Colores::clBlack);
    QCOMPARE(c.MarcaMedia.Estilo, EstiloLinea::RayaPunto);
    QVERIFY(!c.MarcaMedia.Relleno);
}

void TestCoche::agregarVuelta_data()
{
    QTest::addColumn<bool>("descartar");
    QTest::addColumn<int>("vueltas");
    QTest::addColumn<double>("mejor");
    QTest::addColumn<int>("vueltaMejor");
    QTest::addColumn<double>("media");
    QTest::addColumn<double>("inicio");

    // Laps at race times 60, 118, 177 s with lap times 60, 58, 59 s. The first lap starts at
    // race time 0, so the start is only taken at the second lap.
    QTest::newRow("1 sin descarte") << false << 1 << 60.0 << 1 << 60.0 << 0.0;
    QTest::newRow("2 sin descarte") << false << 2 << 58.0 << 2 << 59.0 << 60.0;
    QTest::newRow("3 sin descarte") << false << 3 << 58.0 << 2 << 59.0 << 60.0;
    QTest::newRow("1 con descarte") << true << 1 << 0.0 << 0 << 0.0 << 0.0;
    QTest::newRow("2 con descarte") << true << 2 << 58.0 << 2 << 58.0 << 60.0;
    QTest::newRow("3 con descarte") << true << 3 << 58.0 << 2 << 58.5 << 60.0;
}

void TestCoche::agregarVuelta()
{
    QFETCH(bool, descartar);
    QFETCH(int, vueltas);
    QFETCH(double, mejor);
    QFETCH(int, vueltaMejor);
    QFETCH(double, media);
    QFETCH(double, inicio);

    const double carrera[] = {60, 118, 177};
    const double tiempos[] = {60, 58, 59};
    TCoche c;
    c.EnEspera = true;
    for (int i = 0; i < vueltas; ++i)
        c.AgregarVuelta(descartar, Seg(carrera[i]), Seg(tiempos[i]));
    QCOMPARE(c.Vueltas, vueltas);
    QCOMPARE(c.TiempoTotal, Seg(carrera[vueltas - 1]));
    QCOMPARE(c.UltimaVuelta, Seg(tiempos[vueltas - 1]));
    QCOMPARE(c.MejorVuelta, Seg(mejor));
    QCOMPARE(c.VueltaMejor, vueltaMejor);
    QCOMPARE(c.Media, Seg(media));
    QCOMPARE(c.Inicio, Seg(inicio));
    QVERIFY(!c.EnEspera);
}

void TestCoche::inicioConTiempoPrevio()
{
    TCoche c;
    c.AgregarVuelta(false, Seg(65), Seg(60));
    QCOMPARE(c.Inicio, Seg(5));
    QCOMPARE(c.Media, Seg(65));
}

void TestCoche::mejorIgualNoMueveVueltaMejor()
{
    TCoche c;
    c.AgregarVuelta(false, Seg(5), Seg(5));
    c.AgregarVuelta(false, Seg(10), Seg(5));
    QCOMPARE(c.VueltaMejor, 1);
    c.AgregarVuelta(false, Seg(14.9), Seg(4.9));
    QCOMPARE(c.VueltaMejor, 3);
}

void TestCoche::reiniciar()
{
    TListaCoches coches;
    TCoche &c = TCoche::NuevoCoche(coches, 4, QStringLiteral("Ana"));
    c.AgregarVuelta(false, Seg(60), Seg(60));
    c.Posicion = 2;
    c.StopGo = 1;
    c.VueltasEstimadas = 9;
    c.EnEspera = true;
    c.Reiniciar();
    QCOMPARE(c.Vueltas, 0);
    QCOMPARE(c.Posicion, 0);
    QCOMPARE(c.StopGo, 0);
    QCOMPARE(c.VueltasEstimadas, 0);
    QCOMPARE(c.TiempoTotal, 0.0);
    QCOMPARE(c.MejorVuelta, 0.0);
    QCOMPARE(c.Media, 0.0);
    QCOMPARE(c.Inicio, 0.0);
    QVERIFY(!c.EnEspera);
    QCOMPARE(c.Numero, 4);
    QCOMPARE(c.Nombre, QStringLiteral("Ana"));
    QCOMPARE(c.Carril, 1);
    QCOMPARE(c.Serie.ColorLinea, Colores::clBlue);
}

void TestCoche::nuevoCocheOrdenYCarril()
{
    TListaCoches coches;
    TCoche &tres = TCoche::NuevoCoche(coches, 3, QStringLiteral("Tres"));
    TCoche &uno = TCoche::NuevoCoche(coches, 1, QStringLiteral("Uno"));
    TCoche &dos = TCoche::NuevoCoche(coches, 2, QStringLiteral("Dos"));
    QCOMPARE(test::Numeros(coches), (QList<int>{1, 2, 3}));
    QCOMPARE(tres.Carril, 1);
    QCOMPARE(uno.Carril, 2);
    QCOMPARE(dos.Carril, 3);
    QCOMPARE(dos.Nombre, QStringLiteral("Dos"));
    QCOMPARE(dos.Serie.Leyenda, QStringLiteral("Dos"));
    QCOMPARE(dos.Serie.ColorLinea, Colores::clGray);
    QCOMPARE(dos.Serie.RellenoPunto, Colores::clGray);
    QCOMPARE(dos.MarcaMedia.ColorPluma, Colores::clGray);
}

void TestCoche::insertarEnListaOrdenada()
{
    // Once sorted by standings, a new competitor goes before the first greater number as the
    // list then stands; equal numbers keep their order of insertion.
    TListaCoches coches;
    for (const int n : {5, 2, 8})
        coches.Agregar(Coche(n));
    TCoche::InsertarCoche(coches, Coche(4));
    QCOMPARE(test::Numeros(coches), (QList<int>{4, 5, 2, 8}));
    TCoche::InsertarCoche(coches, Coche(9));
    QCOMPARE(test::Numeros(coches), (QList<int>{4, 5, 2, 8, 9}));

    TListaCoches iguales;
    TCoche &primero = TCoche::InsertarCoche(iguales, Coche(1, QStringLiteral("a")));
    TCoche &segundo = TCoche::InsertarCoche(iguales, Coche(1, QStringLiteral("b")));
    QCOMPARE(&iguales[0], &primero);
    QCOMPARE(&iguales[1], &segundo);
}

void TestCoche::buscar()
{
    TListaCoches coches;
    TCoche::NuevoCoche(coches, 3, QStringLiteral("Tres"));
    TCoche &siete = TCoche::NuevoCoche(coches, 7, QStringLiteral("Siete"));
    QCOMPARE(TCoche::BuscarCoche(coches, 7), &siete);
    QCOMPARE(TCoche::BuscarCoche(coches, 4), nullptr);
    QCOMPARE(TCoche::BuscarCoche(TListaCoches(), 4), nullptr);
}

void TestCoche::paleta_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<TColor>("color");
    QTest::newRow("0") << 0 << Colores::clAqua;
    QTest::newRow("15") << 15 << Colores::clFuchsia;
    QTest::newRow("5") << 5 << Colores::clSilver;
    QTest::newRow("10") << 10 << Colores::clSilver;
    QTest::newRow("13") << 13 << Colores::clYellow;
    QTest::newRow("-1") << -1 << Colores::clYellow;
    QTest::newRow("-14") << -14 << Colores::clAqua;
    QTest::newRow("minimo") << std::numeric_limits<int>::min() << Colores::clWhite;
}

void TestCoche::paleta()
{
    QFETCH(int, numero);
    QFETCH(TColor, color);
    QCOMPARE(TCoche::ColorNumero(numero), color);
}

void TestCoche::compararCarrera()
{
    TListaCoches coches;
    coches.Agregar(Coche(1, 9, 200));
    coches.Agregar(Coche(2, 10, 301));
    coches.Agregar(Coche(5, 10, 300));
    coches.Agregar(Coche(4, 10, 300));
    coches.Ordenar(&TCoche::CompararCarrera);
    QCOMPARE(test::Numeros(coches), (QList<int>{4, 5, 2, 1}));
    QVERIFY(TCoche::CompararCarrera(coches[0], coches[1]) < 0);
    QCOMPARE(TCoche::CompararCarrera(coches[0], coches[0]), 0);
}

void TestCoche::compararMejorVuelta()
{
    TListaCoches coches;
    coches.Agregar(Coche(1));
    coches.Agregar(Coche(2, 0, 0, 31));
    coches.Agregar(Coche(3, 0, 0, 30));
    coches.Ordenar(&TCoche::CompararMejorVuelta);
    QCOMPARE(test::Numeros(coches), (QList<int>{3, 2, 1}));
    const TCoche sinMejor;
    QCOMPARE(TCoche::CompararMejorVuelta(sinMejor, sinMejor), 0);
    QCOMPARE(TCoche::CompararMejorVuelta(sinMejor, coches[0]), 1);
}

void TestCoche::numerosExtremos()
{
    TListaCoches coches;
    coches.Agregar(Coche(std::numeric_limits<int>::max()));
    coches.Agregar(Coche(std::numeric_limits<int>::min()));
    coches.Ordenar(&TCoche::CompararCarrera);
    QCOMPARE(coches[0].Numero, std::numeric_limits<int>::min());
    coches.OrdenarColumna(0, true);
    QCOMPARE(coches[0].Numero, std::numeric_limits<int>::max());
}

void TestCoche::columnas_data()
{
    QTest::addColumn<int>("columna");
    QTest::addColumn<bool>("descendente");
    QTest::addColumn<QList<int>>("orden");

    // 1 Ana: 10 laps in 300 s, best 30, last 31, mean 30, pos 2, est 20.
    // 2 bob: 10 laps in 290 s, best 29, last 31, mean 29, pos 1, est 21.
    // 3 Ann: no laps, pos 3.
    // 4 carl: 9 laps in 280 s, best 29, last 32, mean 31, pos 4, est 20.
    QTest::newRow("N") << 0 << false << QList<int>{1, 2, 3, 4};
    QTest::newRow("N desc") << 0 << true << QList<int>{4, 3, 2, 1};
    QTest::newRow("Piloto") << 1 << false << QList<int>{1, 3, 2, 4};
    QTest::newRow("Piloto desc") << 1 << true << QList<int>{4, 2, 3, 1};
    QTest::newRow("Pos") << 2 << false << QList<int>{2, 1, 3, 4};
    QTest::newRow("V") << 3 << false << QList<int>{3, 4, 2, 1};
    QTest::newRow("V desc, desempate ascendente") << 3 << true << QList<int>{2, 1, 4, 3};
    QTest::newRow("Total, sin vueltas al final") << 4 << false << QList<int>{4, 2, 1, 3};
    QTest::newRow("Total desc") << 4 << true << QList<int>{3, 1, 2, 4};
    QTest::newRow("Diff no ordena") << 5 << false << QList<int>{1, 2, 3, 4};
    QTest::newRow("Gap no ordena") << 6 << true << QList<int>{1, 2, 3, 4};
    QTest::newRow("Ultima") << 7 << false << QList<int>{3, 2, 1, 4};
    QTest::newRow("Ultima desc") << 7 << true << QList<int>{4, 1, 2, 3};
    QTest::newRow("Mejor") << 8 << false << QList<int>{3, 4, 2, 1};
    QTest::newRow("Mejor desc, desempate ascendente") << 8 << true << QList<int>{1, 4, 2, 3};
    QTest::newRow("Media") << 9 << false << QList<int>{3, 2, 1, 4};
    QTest::newRow("Est") << 10 << false << QList<int>{3, 1, 4, 2};
    QTest::newRow("Est desc") << 10 << true << QList<int>{2, 4, 1, 3};
}

void TestCoche::columnas()
{
    QFETCH(int, columna);
    QFETCH(bool, descendente);
    QFETCH(QList<int>, orden);

    TListaCoches coches;
    const auto agregar = [&](int numero, const char16_t *nombre, int vueltas, double total,
                             double mejor, double ultima, double media, int posicion,
                             int estimadas) {
        TCoche &c = coches.Agregar(Coche(numero, vueltas, total, mejor));
        c.Nombre = QString::fromUtf16(nombre);
        c.UltimaVuelta = Seg(ultima);
        c.Media = Seg(media);
        c.Posicion = posicion;
        c.VueltasEstimadas = estimadas;
    };
    agregar(1, u"Ana", 10, 300, 30, 31, 30, 2, 20);
    agregar(2, u"bob", 10, 290, 29, 31, 29, 1, 21);
    agregar(3, u"Ann", 0, 0, 0, 0, 0, 3, 0);
    agregar(4, u"carl", 9, 280, 29, 32, 31, 4, 20);
    coches.OrdenarColumna(columna, descendente);
    QCOMPARE(test::Numeros(coches), orden);
}

void TestCoche::lineaCoche_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("vueltas");
    QTest::addColumn<QString>("linea");
    QTest::newRow("sin vueltas")
        << "Ana" << 0 << "7\tAna\t0\t0\t0\t00:00.000\t0:00:00.000\t00:00.000\t00:00.000\t0";
    QTest::newRow("nombre de 25") << "ABCDEFGHIJKLMNOPQRSTUVWXY" << 0
                                  << "7\tABCDEFGHIJKLMNOPQRST\t0\t0\t0\t00:00.000\t0:00:00.000\t"
                                     "00:00.000\t00:00.000\t0";
    QTest::newRow("tres vueltas")
        << "Ana" << 3 << "7\tAna\t3\t0\t0\t00:59.000\t0:02:57.000\t00:58.000\t00:59.000\t0";
}

void TestCoche::lineaCoche()
{
    QFETCH(QString, nombre);
    QFETCH(int, vueltas);
    QFETCH(QString, linea);
    const double carrera[] = {60, 118, 177};
    const double tiempos[] = {60, 58, 59};
    TListaCoches coches;
    TCoche &c = TCoche::NuevoCoche(coches, 7, nombre);
    for (int i = 0; i < vueltas; ++i)
        c.AgregarVuelta(false, Seg(carrera[i]), Seg(tiempos[i]));
    QCOMPARE(c.LineaCoche(), linea);
}

QTEST_GUILESS_MAIN(TestCoche)
#include "test_coche.moc"
