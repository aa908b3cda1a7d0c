#include "base/error.h"
#include "model/coche.h"
#include "model/listacoches.h"
#include "model/vueltacorredor.h"

#include <QTest>

using namespace quenlap;

namespace {

double Ms(qint64 ms)
{
    return double(ms) / 86400000.0;
}

QString Linea(QStringView campos)
{
    // Lines are written with "|" for TAB to keep the tables readable.
    QString linea = campos.toString();
    linea.replace(QLatin1Char('|'), QLatin1Char('\t'));
    return linea;
}

} // namespace

class TestVueltaCorredor : public QObject
{
    Q_OBJECT

private slots:
    void leerLinea_data();
    void leerLinea();
    void leerLineaFalla_data();
    void leerLineaFalla();
    void lecturaNoTransaccional();
    void cocheExistenteConservaNombre();
    void vueltaCeroSoloAnadePunto();
    void mejorVuelta();
    void entrenamiento();
    void lineaVuelta_data();
    void lineaVuelta();
    void idaYVuelta_data();
    void idaYVuelta();
    void leerTiempo_data();
    void leerTiempo();
    void compararPaso_data();
    void compararPaso();
};

void TestVueltaCorredor::leerLinea_data()
{
    QTest::addColumn<QString>("linea");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("vuelta");
    QTest::addColumn<qint64>("carreraMs");
    QTest::addColumn<qint64>("vueltaMs");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("rnk");

    QTest::newRow("completa") << Linea(u"7|Ana|3|00:04:12.500|01:23.456|X|Rnk 2") << 7 << "Ana" << 3
                              << 252500LL << 83456LL << "X" << 2;
    QTest::newRow("carrera de 11") << Linea(u"7|Ana|3|00:04:12.50|01:23.456|X|Rnk 2") << 7 << "Ana"
                                   << 3 << 252500LL << 83456LL << "X" << 2;
    QTest::newRow("vuelta de 8") << Linea(u"7|Ana|3|00:04:12.500|01:02.34|X|Rnk 2") << 7 << "Ana"
                                 << 3 << 252500LL << 62034LL << "X" << 2;
    QTest::newRow("vuelta de 7") << Linea(u"7|Ana|3|00:04:12.500|01:02.3|X|Rnk 2") << 7 << "Ana"
                                 << 3 << 252500LL << 62003LL << "X" << 2;
    QTest::newRow("con horas") << Linea(u"7|Ana|3|23:59:59.999|59:59.999||Rnk 2") << 7 << "Ana" << 3
                               << 86399999LL << 3599999LL << "" << 2;
    QTest::newRow("rnk de dos cifras") << Linea(u"7|Ana|3|00:04:12.500|01:23.456|X|Rnk 12") << 7
                                       << "Ana" << 3 << 252500LL << 83456LL << "X" << 12;
    QTest::newRow("rnk con otro prefijo") << Linea(u"7|Ana|3|00:04:12.500|01:23.456|X|####12") << 7
                                          << "Ana" << 3 << 252500LL << 83456LL << "X" << 12;
    QTest::newRow("rnk con blancos") << Linea(u"7|Ana|3|00:04:12.500|01:23.456|X|Rnk  4 ") << 7
                                     << "Ana" << 3 << 252500LL << 83456LL << "X" << 4;
    QTest::newRow("blancos antes del numero") << Linea(u"  7|Ana|3|00:04:12.500|01:23.456|X|Rnk 2")
                                              << 7 << "Ana" << 3 << 252500LL << 83456LL << "X" << 2;
    QTest::newRow("numero con signo") << Linea(u"-7|Ana|3|00:04:12.500|01:23.456|X|Rnk 2") << -7
                                      << "Ana" << 3 << 252500LL << 83456LL << "X" << 2;
    QTest::newRow("vuelta entre blancos") << Linea(u"7|Ana| 3  |00:04:12.500|01:23.456|X|Rnk 2")
                                          << 7 << "Ana" << 3 << 252500LL << 83456LL << "X" << 2;
    QTest::newRow("tiempo entre blancos") << Linea(u"7|Ana|3| 00:04:12.500 |01:23.456|X|Rnk 2") << 7
                                          << "Ana" << 3 << 252500LL << 83456LL << "X" << 2;
    QTest::newRow("nombre con blancos")
        << Linea(u"7| Ana  Ruiz   |3|00:04:12.500|01:23.456|X|Rnk 2") << 7 << " Ana  Ruiz   " << 3
        << 252500LL << 83456LL << "X" << 2;
    QTest::newRow("texto con blancos") << Linea(u"7|Ana|3|00:04:12.500|01:23.456| a b |Rnk 2") << 7
                                       << "Ana" << 3 << 252500LL << 83456LL << " a b " << 2;
    QTest::newRow("campos de mas") << Linea(u"7|Ana|3|00:04:12.500|01:23.456|X|Rnk 2|otro|mas") << 7
                                   << "Ana" << 3 << 252500LL << 83456LL << "X" << 2;
    QTest::newRow("acentos") << Linea(u"12|Begoña Ibáñez|1|00:00:05.000|00:05.000||Rnk 1") << 12
                             << QStringLiteral("Begoña Ibáñez") << 1 << 5000LL << 5000LL << "" << 1;
}

void TestVueltaCorredor::leerLinea()
{
    QFETCH(QString, linea);
    QFETCH(int, numero);
    QFETCH(QString, nombre);
    QFETCH(int, vuelta);
    QFETCH(qint64, carreraMs);
    QFETCH(qint64, vueltaMs);
    QFETCH(QString, texto);
    QFETCH(int, rnk);

    TListaCoches coches;
    TVueltaCorredor v;
    v.LeerLineaVuelta(linea, coches, false, false, 1);
    QVERIFY(v.Coche);
    QCOMPARE(v.Coche->Numero, numero);
    QCOMPARE(v.Coche->Nombre, nombre);
    QCOMPARE(v.Vuelta, vuelta);
    QCOMPARE(v.TiempoCarrera, Ms(carreraMs));
    QCOMPARE(v.TiempoVuelta, Ms(vueltaMs));
    QCOMPARE(v.Texto, texto);
    QCOMPARE(v.Rnk, rnk);
    QCOMPARE(coches.Count(), 1);
}

void TestVueltaCorredor::leerLineaFalla_data()
{
    QTest::addColumn<QString>("linea");
    QTest::addColumn<QString>("mensaje");

    const QString entero = QStringLiteral("is not a valid integer value");
    const QString hora = QStringLiteral("Invalid argument to time encode");
    QTest::newRow("vacia") << QString() << QStringLiteral("'' ") + entero;
    QTest::newRow("blanco tras el numero")
        << Linea(u"7 |Ana|3|00:04:12.500|01:23.456|X|Rnk 2") << QStringLiteral("'7 ' ") + entero;
    QTest::newRow("numero no numerico")
        << Linea(u"A7|Ana|3|00:04:12.500|01:23.456|X|Rnk 2") << QStringLiteral("'A7' ") + entero;
    QTest::newRow("numero desbordado") << Linea(u"2147483648|Ana|3|00:04:12.500|01:23.456|X|Rnk 2")
                                       << QStringLiteral("'2147483648' ") + entero;
    QTest::newRow("solo signo") << Linea(u"-|Ana|3|00:04:12.500|01:23.456|X|Rnk 2")
                                << QStringLiteral("'-' ") + entero;
    QTest::newRow("vuelta vacia") << Linea(u"7|Ana||00:04:12.500|01:23.456|X|Rnk 2")
                                  << QStringLiteral("'' ") + entero;
    QTest::newRow("vuelta termina en blanco")
        << Linea(u"7|Ana|3|00:04:12.500|01:23.456 |X|Rnk 2") << QStringLiteral("'' ") + entero;
    QTest::newRow("rnk de tres") << Linea(u"7|Ana|3|00:04:12.500|01:23.456|X|Rnk")
                                 << QStringLiteral("'' ") + entero;
    QTest::newRow("sin rnk") << Linea(u"7|Ana|3|00:04:12.500|01:23.456|X")
                             << QStringLiteral("'' ") + entero;
    QTest::newRow("rnk no numerico")
        << Linea(u"7|Ana|3|00:04:12.500|01:23.456|X|Rnk x") << QStringLiteral("'x' ") + entero;
    QTest::newRow("hora 24") << Linea(u"7|Ana|3|24:04:12.500|01:23.456|X|Rnk 2") << hora;
    QTest::newRow("minuto 60") << Linea(u"7|Ana|3|00:60:12.500|01:23.456|X|Rnk 2") << hora;
    QTest::newRow("segundo 60") << Linea(u"7|Ana|3|00:04:12.500|01:60.456|X|Rnk 2") << hora;
    QTest::newRow("minuto negativo") << Linea(u"7|Ana|3|00:04:12.500|-1:23.456|X|Rnk 2") << hora;
    QTest::newRow("letra en el tiempo")
        << Linea(u"7|Ana|3|00:0a:12.500|01:23.456|X|Rnk 2") << QStringLiteral("'0a' ") + entero;
    QTest::newRow("tiempo corto") << Linea(u"7|Ana|3|00:04:12.500|01|X|Rnk 2")
                                  << QStringLiteral("'' ") + entero;
    QTest::newRow("fin de vueltas con blanco")
        << QStringLiteral("-1 ") << QStringLiteral("'-1 ' ") + entero;
}

void TestVueltaCorredor::leerLineaFalla()
{
    QFETCH(QString, linea);
    QFETCH(QString, mensaje);

    TListaCoches coches;
    TVueltaCorredor v;
    try {
        v.LeerLineaVuelta(linea, coches, false, false, 1);
        QFAIL("the line was read");
    } catch (const Error &error) {
        QCOMPARE(error.message(), mensaje);
    }
}

void TestVueltaCorredor::lecturaNoTransaccional()
{
    TListaCoches coches;
    TVueltaCorredor v;
    QVERIFY_THROWS_EXCEPTION(Error,
                             v.LeerLineaVuelta(Linea(u"7|Ana|x|00:04:12.500|01:23.456|X|Rnk 2"),
                                               coches, false, false, 1));
    QCOMPARE(coches.Count(), 1);
    QCOMPARE(coches[0].Serie.Puntos.size(), 0);

    TVueltaCorredor w;
    QVERIFY_THROWS_EXCEPTION(
        Error,
        w.LeerLineaVuelta(Linea(u"7|Ana|3|00:04:12.500|01:23.456|X|Rnk"), coches, false, false, 1));
    QCOMPARE(coches[0].Serie.Puntos.size(), 1);
    QCOMPARE(coches[0].Vueltas, 0);
}

void TestVueltaCorredor::cocheExistenteConservaNombre()
{
    TListaCoches coches;
    TVueltaCorredor a;
    TVueltaCorredor b;
    a.LeerLineaVuelta(Linea(u"7|Ana|1|00:00:05.000|00:05.000||Rnk 1"), coches, false, false, 1);
    b.LeerLineaVuelta(Linea(u"7|Otra|2|00:00:10.000|00:05.000||Rnk 1"), coches, false, false, 1);
    QCOMPARE(coches.Count(), 1);
    QCOMPARE(a.Coche, b.Coche);
    QCOMPARE(b.Coche->Nombre, QStringLiteral("Ana"));
    QCOMPARE(b.Coche->Vueltas, 2);
}

void TestVueltaCorredor::vueltaCeroSoloAnadePunto()
{
    TListaCoches coches;
    TVueltaCorredor v;
    v.LeerLineaVuelta(Linea(u"7|Ana|0|00:00:05.000|00:05.000||Rnk 1"), coches, false, false, 1);
    const TCoche &coche = *v.Coche;
    QCOMPARE(coche.Vueltas, 0);
    QCOMPARE(coche.TiempoTotal, 0.0);
    QCOMPARE(coche.Serie.Puntos, QList<QPointF>{QPointF(0, Ms(5000))});
    QVERIFY(!v.EsMejor);

    TVueltaCorredor cero;
    cero.LeerLineaVuelta(Linea(u"7|Ana|0|00:00:00.000|00:00.000||Rnk 1"), coches, false, false, 1);
    QVERIFY(cero.EsMejor);
    QCOMPARE(cero.MejorHastaAhora, 0.0);
}

void TestVueltaCorredor::mejorVuelta()
{
    TListaCoches coches;
    const QStringList lineas = {Linea(u"7|Ana|1|00:00:06.000|00:06.000||Rnk 1"),
                                Linea(u"7|Ana|2|00:00:11.000|00:05.000||Rnk 1"),
                                Linea(u"7|Ana|3|00:00:16.500|00:05.500||Rnk 1")};
    const bool esMejor[] = {true, true, false};
    const qint64 mejorMs[] = {6000, 5000, 5000};
    for (int i = 0; i < 3; ++i) {
        TVueltaCorredor v;
        v.LeerLineaVuelta(lineas[i], coches, false, false, 1);
        QCOMPARE(v.EsMejor, esMejor[i]);
        QCOMPARE(v.MejorHastaAhora, Ms(mejorMs[i]));
    }

    TListaCoches conDescarte;
    TVueltaCorredor primera;
    primera.LeerLineaVuelta(lineas[0], conDescarte, true, false, 1);
    QVERIFY(!primera.EsMejor);
    QCOMPARE(primera.MejorHastaAhora, 0.0);
}

void TestVueltaCorredor::entrenamiento()
{
    TListaCoches coches;
    TVueltaCorredor v;
    v.LeerLineaVuelta(Linea(u"7|Ana|1|00:00:05.000|00:05.000||Rnk 1"), coches, true, true, 3);
    QCOMPARE(v.Coche->Numero, 3);
    QCOMPARE(v.Coche->Nombre, QStringLiteral("Sesion 3"));
    QCOMPARE(v.Coche->MejorVuelta, 0.0); // the discard flag is the caller's, passed on as is

    TVueltaCorredor w;
    QVERIFY_THROWS_EXCEPTION(
        Error,
        w.LeerLineaVuelta(Linea(u"x|Ana|1|00:00:05.000|00:05.000||Rnk 1"), coches, false, true, 3));
}

void TestVueltaCorredor::lineaVuelta_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<qint64>("carreraMs");
    QTest::addColumn<qint64>("vueltaMs");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("linea");

    QTest::newRow("ana") << "Ana" << 252500LL << 83456LL << "X"
                         << Linea(u"7|Ana                 |3|00:04:12.500|01:23.456|X|Rnk 2");
    QTest::newRow("nombre de 25") << "ABCDEFGHIJKLMNOPQRSTUVWXY" << 252500LL << 83456LL << ""
                                  << Linea(
                                         u"7|ABCDEFGHIJKLMNOPQRST|3|00:04:12.500|01:23.456||Rnk 2");
    QTest::newRow("vuelta de una hora")
        << "Ana" << 3605000LL << 3605000LL << ""
        << Linea(u"7|Ana                 |3|01:00:05.000|00:05.000||Rnk 2");
    QTest::newRow("separadores dentro")
        << "A\tB\nC" << 252500LL << 83456LL << "x\ty"
        << Linea(u"7|A B C               |3|00:04:12.500|01:23.456|x y|Rnk 2");
}

void TestVueltaCorredor::lineaVuelta()
{
    QFETCH(QString, nombre);
    QFETCH(qint64, carreraMs);
    QFETCH(qint64, vueltaMs);
    QFETCH(QString, texto);
    QFETCH(QString, linea);

    TListaCoches coches;
    TVueltaCorredor v;
    v.Coche = &TCoche::NuevoCoche(coches, 7, nombre);
    v.Vuelta = 3;
    v.TiempoCarrera = Ms(carreraMs);
    v.TiempoVuelta = Ms(vueltaMs);
    v.Texto = texto;
    v.Rnk = 2;
    QCOMPARE(v.LineaVuelta(), linea);
}

void TestVueltaCorredor::idaYVuelta_data()
{
    QTest::addColumn<QString>("linea");
    QTest::newRow("ana") << Linea(u"7|Ana                 |3|00:04:12.500|01:23.456|X|Rnk 2");
    QTest::newRow("negativos") << Linea(
        u"-4|Ana                 |-1|12:34:56.789|00:00.001||Rnk -3");
    QTest::newRow("acentos") << Linea(
        u"120|Begoña Ibáñez       |999|23:59:59.999|59:59.999|ñ|Rnk 0");
}

void TestVueltaCorredor::idaYVuelta()
{
    QFETCH(QString, linea);
    TListaCoches coches;
    TVueltaCorredor v;
    v.LeerLineaVuelta(linea, coches, false, false, 1);
    QCOMPARE(v.LineaVuelta(), linea);
}

void TestVueltaCorredor::leerTiempo_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("12") << "01:02:03.456" << 3723456LL;
    QTest::newRow("12 con otros separadores") << "01.02,03:456" << 3723456LL;
    QTest::newRow("11") << "01:02:03.45" << 3723450LL;
    QTest::newRow("9") << "02:03.456" << 123456LL;
    QTest::newRow("8") << "02:03.45" << 123045LL;
    QTest::newRow("10") << "02:03.4567" << 123456LL;
    QTest::newRow("cero") << "00:00.000" << 0LL;
}

void TestVueltaCorredor::leerTiempo()
{
    QFETCH(QString, texto);
    QFETCH(qint64, ms);
    QCOMPARE(TVueltaCorredor::LeerTiempo(texto), Ms(ms));
}

void TestVueltaCorredor::compararPaso_data()
{
    QTest::addColumn<qint64>("carreraA");
    QTest::addColumn<qint64>("mejorA");
    QTest::addColumn<qint64>("carreraB");
    QTest::addColumn<qint64>("mejorB");
    QTest::addColumn<int>("resultado");
    QTest::newRow("antes") << 1000LL << 900LL << 2000LL << 100LL << -1;
    QTest::newRow("despues") << 3000LL << 100LL << 2000LL << 900LL << 1;
    QTest::newRow("empate, mejor menor") << 2000LL << 100LL << 2000LL << 900LL << -1;
    QTest::newRow("empate, mejor mayor") << 2000LL << 900LL << 2000LL << 100LL << 1;
    QTest::newRow("iguales") << 2000LL << 900LL << 2000LL << 900LL << 0;
}

void TestVueltaCorredor::compararPaso()
{
    QFETCH(qint64, carreraA);
    QFETCH(qint64, mejorA);
    QFETCH(qint64, carreraB);
    QFETCH(qint64, mejorB);
    QFETCH(int, resultado);
    TVueltaCorredor a;
    a.TiempoCarrera = Ms(carreraA);
    a.MejorHastaAhora = Ms(mejorA);
    TVueltaCorredor b;
    b.TiempoCarrera = Ms(carreraB);
    b.MejorHastaAhora = Ms(mejorB);
    QCOMPARE(TVueltaCorredor::CompararPaso(a, b), resultado);
}

QTEST_GUILESS_MAIN(TestVueltaCorredor)
#include "test_vueltacorredor.moc"
