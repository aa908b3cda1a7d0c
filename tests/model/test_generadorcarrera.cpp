#include "common/testsupport.h"
#include "model/coche.h"
#include "model/generadorcarrera.h"
#include "model/listacoches.h"
#include "model/listavueltas.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

class TestGeneradorCarrera : public QObject
{
    Q_OBJECT

private slots:
    void repetible();
    void carreraPlausible_data();
    void carreraPlausible();
    void ficheroSeLeeIgual();
};

void TestGeneradorCarrera::repetible()
{
    const ParametrosCarrera parametros{4, 2, 77};
    const QByteArray a = FicheroCarrera(GenerarCarrera(parametros));
    const QByteArray b = FicheroCarrera(GenerarCarrera(parametros));
    QCOMPARE(a, b);
    const QByteArray otra = FicheroCarrera(GenerarCarrera({4, 2, 78}));
    QVERIFY(a != otra);

    // A fixed seed gives a fixed race, whatever the platform's standard library.
    const QStringList lineas = LineasCarrera(GenerarCarrera({2, 0.5, 1}));
    QCOMPARE(lineas.size(), 10);
    QCOMPARE(lineas.first(),
             QStringLiteral("2\tLuis Martin         \t1\t00:00:05.825\t00:05.825\t\tRnk 1"));
}

void TestGeneradorCarrera::carreraPlausible_data()
{
    QTest::addColumn<int>("competidores");
    QTest::addColumn<double>("minutos");
    QTest::newRow("muestra") << 6 << 3.0;
    QTest::newRow("uno") << 1 << 1.0;
    QTest::newRow("veinte") << 20 << 10.0;
    QTest::newRow("mas nombres que la lista") << 25 << 1.0;
}

void TestGeneradorCarrera::carreraPlausible()
{
    QFETCH(int, competidores);
    QFETCH(double, minutos);

    const std::vector<VueltaGenerada> vueltas =
        GenerarCarrera({competidores, minutos, quint64(competidores)});
    const double dia = 86400.0;
    std::vector<int> hechas(std::size_t(competidores) + 1, 0);
    double anterior = 0;
    for (const VueltaGenerada &v : vueltas) {
        QVERIFY(v.Numero >= 1 && v.Numero <= competidores);
        QCOMPARE(v.Vuelta, hechas[std::size_t(v.Numero)] + 1);
        hechas[std::size_t(v.Numero)] = v.Vuelta;
        QVERIFY(v.TiempoCarrera >= anterior);
        anterior = v.TiempoCarrera;
        QVERIFY(v.TiempoCarrera * dia <= minutos * 60);
        const double segundos = v.TiempoVuelta * dia;
        QVERIFY2(segundos >= 4 && segundos <= 15, qPrintable(QString::number(segundos)));
        QVERIFY(v.Rnk >= 1 && v.Rnk <= competidores);
        QVERIFY(!v.Nombre.isEmpty());
    }
    // Everyone runs close to the whole race.
    for (int n = 1; n <= competidores; ++n)
        QVERIFY(hechas[std::size_t(n)] >= int(minutos * 60 / 15));
}

void TestGeneradorCarrera::ficheroSeLeeIgual()
{
    const std::vector<VueltaGenerada> vueltas = GenerarCarrera({6, 3, 1});
    QTemporaryDir carpeta;
    QVERIFY(carpeta.isValid());
    const QString ruta = carpeta.filePath(QStringLiteral("carrera.dat"));
    const QByteArray bytes = FicheroCarrera(vueltas);
    QVERIFY(bytes.startsWith("\xFF\xFE"));
    QVERIFY(quenlap::test::writeFile(ruta, bytes));

    TListaCoches coches;
    TListaVueltas lista;
    lista.CargarFichero(ruta, coches);
    QCOMPARE(lista.Count(), int(vueltas.size()));
    QCOMPARE(coches.Count(), 6);
    for (int i = 0; i < lista.Count(); ++i) {
        QCOMPARE(lista[i].Coche->Numero, vueltas[std::size_t(i)].Numero);
        QCOMPARE(lista[i].Coche->Nombre.trimmed(), vueltas[std::size_t(i)].Nombre);
        QCOMPARE(lista[i].TiempoCarrera, vueltas[std::size_t(i)].TiempoCarrera);
        QCOMPARE(lista[i].TiempoVuelta, vueltas[std::size_t(i)].TiempoVuelta);
        QCOMPARE(lista[i].Rnk, vueltas[std::size_t(i)].Rnk);
    }
}

QTEST_GUILESS_MAIN(TestGeneradorCarrera)
#include "test_generadorcarrera.moc"
