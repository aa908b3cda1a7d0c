#include "base/global.h"
#include "model/clasificacion.h"
#include "model/coche.h"
#include "model/listacoches.h"
#include "support/numeroscoches.h"

#include <QTest>

using namespace quenlap;

namespace {

constexpr double Segundo = 1.0 / 86400.0;

// One competitor as the tests describe it: its number and its lap times in seconds (a best of 0
// when none counts).
struct Corredor
{
    int numero = 0;
    QList<double> vueltas;
};

void Anadir(TListaCoches &coches, const Corredor &corredor)
{
    TCoche &coche = TCoche::NuevoCoche(coches, corredor.numero,
                                       QStringLiteral("Coche %1").arg(corredor.numero));
    double total = 0;
    for (double vuelta : corredor.vueltas) {
        total += vuelta;
        coche.AgregarVuelta(false, total * Segundo, vuelta * Segundo);
    }
}

QStringList Textos(const TListaCoches &coches, QString TCoche::*campo)
{
    QStringList textos;
    for (const auto &coche : coches)
        textos << (*coche).*campo;
    return textos;
}

} // namespace

Q_DECLARE_METATYPE(QList<Corredor>)

class TestClasificacion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void formatoTiempo_data();
    void formatoTiempo();
    void ordenYDiferencias_data();
    void ordenYDiferencias();
    void mejorCocheYMaxVueltas();
    void estimarFinal_data();
    void estimarFinal();
    void lineasResultado();
};

void TestClasificacion::initTestCase()
{
    FormatSettings ajustes;
    ajustes.decimalSeparator = QLatin1Char('.');
    ajustes.timeSeparator = QLatin1Char(':');
    FijarAjustesFormato(ajustes);
}

void TestClasificacion::formatoTiempo_data()
{
    QTest::addColumn<bool>("literal");
    QTest::addColumn<double>("segundos");
    QTest::addColumn<QString>("texto");

    QTest::newRow("literal under a minute") << true << 5.25 << QStringLiteral("05.250");
    QTest::newRow("literal over a minute") << true << 65.5 << QStringLiteral("01:05.500");
    QTest::newRow("locale under a minute") << false << 5.25 << QStringLiteral("5.250");
    QTest::newRow("locale a minute") << false << 60.0 << QStringLiteral("01:00.000");
    QTest::newRow("rounds up to a minute") << false << 59.9996 << QStringLiteral("01:00.000");
}

void TestClasificacion::formatoTiempo()
{
    QFETCH(bool, literal);
    QFETCH(double, segundos);
    QFETCH(QString, texto);
    QCOMPARE(FormatoTiempo(literal, segundos * Segundo), texto);
}

void TestClasificacion::ordenYDiferencias_data()
{
    QTest::addColumn<bool>("mejorVuelta");
    QTest::addColumn<QList<Corredor>>("corredores");
    QTest::addColumn<QList<int>>("orden");
    QTest::addColumn<QStringList>("diffs");
    QTest::addColumn<QStringList>("gaps");

    QTest::newRow("equal laps, smaller total leads")
        << false << QList<Corredor>{{2, {30, 30.5}}, {1, {30, 30}}} << QList<int>{1, 2}
        << QStringList{QString(), QStringLiteral("+0.500")}
        << QStringList{QString(), QStringLiteral("+0.500")};
    QTest::newRow("one lap less") << false << QList<Corredor>{{1, {30, 30}}, {2, {29}}}
                                  << QList<int>{1, 2}
                                  << QStringList{QString(), QStringLiteral("+1 V")}
                                  << QStringList{QString(), QStringLiteral("+1 V")};
    QTest::newRow("diff to the one ahead, gap to the leader")
        << false << QList<Corredor>{{3, {28, 28, 28}}, {1, {30, 30, 30}}, {2, {20, 20}}, {4, {}}}
        << QList<int>{3, 1, 2, 4}
        << QStringList{QString(), QStringLiteral("+6.000"), QStringLiteral("+1 V"),
                       QStringLiteral("+2 V")}
        << QStringList{QString(), QStringLiteral("+6.000"), QStringLiteral("+1 V"),
                       QStringLiteral("+3 V")};
    QTest::newRow("over a minute behind")
        << false << QList<Corredor>{{1, {30}}, {2, {105.25}}} << QList<int>{1, 2}
        << QStringList{QString(), QStringLiteral("+01:15.250")}
        << QStringList{QString(), QStringLiteral("+01:15.250")};
    QTest::newRow("equal laps and total, smaller number leads")
        << false << QList<Corredor>{{7, {30, 30}}, {5, {31, 29}}} << QList<int>{5, 7}
        << QStringList{QString(), QStringLiteral("+0.000")}
        << QStringList{QString(), QStringLiteral("+0.000")};
    QTest::newRow("nobody has run")
        << false << QList<Corredor>{{2, {}}, {1, {}}} << QList<int>{1, 2}
        << QStringList{QString(), QStringLiteral("+0.000")}
        << QStringList{QString(), QStringLiteral("+0.000")};
    QTest::newRow("best lap order, none last")
        << true << QList<Corredor>{{1, {}}, {2, {40, 31}}, {3, {30, 35, 33}}} << QList<int>{3, 2, 1}
        << QStringList{QString(), QStringLiteral("+1.000"), QString()}
        << QStringList{QString(), QStringLiteral("+1.000 (02)"), QString()};
    QTest::newRow("best lap order, gap names the lap")
        << true
        << QList<Corredor>{{1, {20, 21, 22}},
                           {2, {20.5, 25}},
                           {3, {23, 23, 23, 21, 24, 26, 27, 28, 29, 30, 22.5}}}
        << QList<int>{1, 2, 3}
        << QStringList{QString(), QStringLiteral("+0.500"), QStringLiteral("+0.500")}
        << QStringList{QString(), QStringLiteral("+0.500 (01)"), QStringLiteral("+1.000 (04)")};
}

void TestClasificacion::ordenYDiferencias()
{
    QFETCH(bool, mejorVuelta);
    QFETCH(QList<Corredor>, corredores);
    QFETCH(QList<int>, orden);
    QFETCH(QStringList, diffs);
    QFETCH(QStringList, gaps);

    TListaCoches coches;
    for (const Corredor &corredor : corredores)
        Anadir(coches, corredor);
    CalcularClasificacion(coches, mejorVuelta);

    QCOMPARE(test::Numeros(coches), orden);
    for (int i = 0; i < coches.Count(); ++i)
        QCOMPARE(coches[i].Posicion, i + 1);
    QCOMPARE(Textos(coches, &TCoche::Diff), diffs);
    QCOMPARE(Textos(coches, &TCoche::Gap), gaps);
}

void TestClasificacion::mejorCocheYMaxVueltas()
{
    TListaCoches coches;
    Anadir(coches, {4, {25, 25, 25}});
    Anadir(coches, {2, {30, 25}});
    Anadir(coches, {9, {}});
    const TResultadoClasificacion resultado = CalcularClasificacion(coches, false);
    // Equal best laps: the one placed higher keeps the race's best.
    QCOMPARE(resultado.MejorCoche, &coches[0]);
    QCOMPARE(resultado.MejorCoche->Numero, 4);
    QCOMPARE(resultado.MaxVueltas, 3);

    TListaCoches vacia;
    const TResultadoClasificacion nada = CalcularClasificacion(vacia, false);
    QCOMPARE(nada.MejorCoche, nullptr);
    QCOMPARE(nada.MaxVueltas, 0);
}

void TestClasificacion::estimarFinal_data()
{
    QTest::addColumn<double>("duracion");
    QTest::addColumn<QList<double>>("vueltas");
    QTest::addColumn<int>("estimadas");
    QTest::addColumn<double>("fin");

    // Mean 20 s after 3 laps (60 s); 5 minutes: trunc(240 / 20) + 1 = 13 more laps.
    QTest::newRow("timed race") << 300.0 << QList<double>{20, 20, 20} << 16 << 320.0;
    // Past the end the truncation toward zero still counts the lap under way.
    QTest::newRow("past the end") << 50.0 << QList<double>{20, 20, 20} << 4 << 80.0;
    QTest::newRow("no mean yet") << 300.0 << QList<double>{} << 0 << 0.0;
}

void TestClasificacion::estimarFinal()
{
    QFETCH(double, duracion);
    QFETCH(QList<double>, vueltas);
    QFETCH(int, estimadas);
    QFETCH(double, fin);

    TListaCoches coches;
    Anadir(coches, {1, vueltas});
    TCoche &coche = coches[0];
    EstimarFinal(coche, duracion * Segundo);
    QCOMPARE(coche.VueltasEstimadas, estimadas);
    QVERIFY(qAbs(coche.FinEstimado - fin * Segundo) < 1e-9);
}

void TestClasificacion::lineasResultado()
{
    TListaCoches coches;
    Anadir(coches, {7, {20, 18.245, 19}});
    Anadir(coches, {3, {20, 20, 20}});
    CalcularClasificacion(coches, false);
    QCOMPARE(
        LineasResultado(coches),
        (QStringList{QStringLiteral("1\t(07)\tCoche 7             \t3\t00.00.57.24\t00.18.24"),
                     QStringLiteral("2\t(03)\tCoche 3             \t3\t00.01.00.00\t00.20.00")}));
}

QTEST_GUILESS_MAIN(TestClasificacion)
#include "test_clasificacion.moc"
