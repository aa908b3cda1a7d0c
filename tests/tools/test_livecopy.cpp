#include "base/global.h"
#include "common/testsupport.h"
#include "model/clasificacion.h"
#include "model/coche.h"
#include "model/copiacarrera.h"
#include "model/listacoches.h"
#include "model/vueltacorredor.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

constexpr double Segundo = 1.0 / 86400.0;

QByteArray Exportar(const QStringList &argumentos)
{
    const test::ProgramRun ejecucion = test::runProgram(
        QStringLiteral("quenlap-cli"), QStringList{QStringLiteral("export")} + argumentos, 30000);
    return ejecucion.exitCode == 0 ? ejecucion.output : QByteArray();
}

struct Vuelta
{
    int numero;
    const char16_t *nombre;
    int vuelta;
    double carrera;
    double tiempo;
};

// Laps of three competitors: 5 runs three laps, 8 two laps with the best lap of the race, 2 one.
const Vuelta Vueltas[] = {
    {5, u"Ana", 1, 20.0, 20.0}, {8, u"Luis", 1, 21.0, 21.0}, {2, u"Eva", 1, 22.5, 22.5},
    {5, u"Ana", 2, 39.5, 19.5}, {8, u"Luis", 2, 39.9, 18.9}, {5, u"Ana", 3, 59.0, 19.5},
};

} // namespace

// A live window's race copy, written as the window writes it, read back by quenlap-cli export
// with its standings.
class TestLiveCopy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void resultadosYClasificacion();

private:
    QTemporaryDir carpeta;
    QString copia;
    QStringList resultados;
};

void TestLiveCopy::initTestCase()
{
    FijarAjustesFormato(FormatSettings());
    TListaCoches coches;
    TCopiaCarrera escritor;
    for (const Vuelta &v : Vueltas) {
        const QString linea =
            FormatearLineaVuelta(v.numero, QString::fromUtf16(v.nombre), v.vuelta,
                                 v.carrera * Segundo, v.tiempo * Segundo, QString(), 0);
        TVueltaCorredor vuelta;
        vuelta.LeerLineaVuelta(linea, coches, false, false, 0);
        escritor.RegistrarVuelta(vuelta.LineaVuelta());
    }
    CalcularClasificacion(coches, false);
    resultados = LineasResultado(coches);
    copia = carpeta.filePath(QStringLiteral("Tarvel-Copa-20260101-100000.dat"));
    QVERIFY(escritor.Guardar(copia, resultados));
}

void TestLiveCopy::resultadosYClasificacion()
{
    const QByteArray lineas =
        Exportar({QStringLiteral("--format"), QStringLiteral("results"), copia});
    QCOMPARE(QString::fromUtf8(lineas).split(QLatin1Char('\n'), Qt::SkipEmptyParts), resultados);

    const QJsonArray carrera =
        QJsonDocument::fromJson(Exportar({copia})).object().value(u"competitors").toArray();
    QCOMPARE(carrera.size(), 3);
    const QList<QList<QVariant>> esperado = {
        {5, 1, QString(), QString()},
        {8, 2, QStringLiteral("+1 V"), QStringLiteral("+1 V")},
        {2, 3, QStringLiteral("+1 V"), QStringLiteral("+2 V")},
    };
    for (qsizetype i = 0; i < carrera.size(); ++i) {
        const QJsonObject c = carrera[i].toObject();
        QCOMPARE(c.value(u"numero").toInt(), esperado[i][0].toInt());
        QCOMPARE(c.value(u"posicion").toInt(), esperado[i][1].toInt());
        QCOMPARE(c.value(u"diff").toString(), esperado[i][2].toString());
        QCOMPARE(c.value(u"gap").toString(), esperado[i][3].toString());
    }

    // Best-lap order: 8 (18.9 s at its lap 2), 5 (19.5 s at lap 2), 2 (22.5 s).
    const QJsonArray mejores =
        QJsonDocument::fromJson(Exportar({QStringLiteral("--clasificacion"), copia}))
            .object()
            .value(u"competitors")
            .toArray();
    QCOMPARE(mejores.size(), 3);
    QCOMPARE(mejores[0].toObject().value(u"numero").toInt(), 8);
    QCOMPARE(mejores[1].toObject().value(u"gap").toString(), QStringLiteral("+0.600 (02)"));
    QCOMPARE(mejores[2].toObject().value(u"diff").toString(), QStringLiteral("+3.000"));
    QCOMPARE(mejores[2].toObject().value(u"gap").toString(), QStringLiteral("+3.600 (01)"));
}

QTEST_GUILESS_MAIN(TestLiveCopy)
#include "test_livecopy.moc"
