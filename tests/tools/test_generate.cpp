#include "common/testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

int Ejecutar(const QStringList &argumentos, QByteArray *salida = nullptr)
{
    const test::ProgramRun ejecucion =
        test::runProgram(QStringLiteral("quenlap-cli"), argumentos, 60000);
    if (salida)
        *salida = ejecucion.output;
    return ejecucion.exitCode;
}

} // namespace

class TestGenerate : public QObject
{
    Q_OBJECT

private slots:
    void generaYSeLee();
    void muestra();
    void usoIncorrecto_data();
    void usoIncorrecto();
};

void TestGenerate::generaYSeLee()
{
    QTemporaryDir carpeta;
    QVERIFY(carpeta.isValid());
    const QString a = carpeta.filePath(QStringLiteral("a.dat"));
    const QString b = carpeta.filePath(QStringLiteral("b.dat"));
    const QStringList opciones = {QStringLiteral("--competitors"), QStringLiteral("8"),
                                  QStringLiteral("--minutes"),     QStringLiteral("2"),
                                  QStringLiteral("--seed"),        QStringLiteral("42")};
    QCOMPARE(Ejecutar(QStringList{QStringLiteral("generate")} + opciones +
                      QStringList{QStringLiteral("--output"), a}),
             0);
    QCOMPARE(Ejecutar(QStringList{QStringLiteral("generate")} + opciones +
                      QStringList{QStringLiteral("--output"), b}),
             0);
    QCOMPARE(test::readFile(a), test::readFile(b));
    QVERIFY(test::readFile(a).startsWith("\xFF\xFE"));

    QByteArray salida;
    QCOMPARE(Ejecutar({QStringLiteral("export"), a}, &salida), 0);
    const QJsonObject carrera = QJsonDocument::fromJson(salida).object();
    QCOMPARE(carrera.value(u"competitors").toArray().size(), 8);
    QVERIFY(carrera.value(u"laps").toArray().size() > 8 * 10);
}

void TestGenerate::muestra()
{
    // The shipped sample is what its README says made it.
    QTemporaryDir carpeta;
    QVERIFY(carpeta.isValid());
    const QString ruta = carpeta.filePath(QStringLiteral("muestra.dat"));
    QCOMPARE(
        Ejecutar({QStringLiteral("generate"), QStringLiteral("--competitors"), QStringLiteral("6"),
                  QStringLiteral("--minutes"), QStringLiteral("3"), QStringLiteral("--seed"),
                  QStringLiteral("1"), QStringLiteral("--output"), ruta}),
        0);
    QCOMPARE(test::readFile(ruta),
             test::readFile(QStringLiteral(QUENLAP_SAMPLES "/sample-race.dat")));
}

void TestGenerate::usoIncorrecto_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::newRow("sin competidores")
        << QStringList{QStringLiteral("--competitors"), QStringLiteral("0")};
    QTest::newRow("competidores no numericos")
        << QStringList{QStringLiteral("--competitors"), QStringLiteral("x")};
    QTest::newRow("mas de un dia")
        << QStringList{QStringLiteral("--minutes"), QStringLiteral("1440")};
    QTest::newRow("minutos negativos")
        << QStringList{QStringLiteral("--minutes"), QStringLiteral("-3")};
    QTest::newRow("opcion sin valor") << QStringList{QStringLiteral("--seed")};
    QTest::newRow("opcion desconocida")
        << QStringList{QStringLiteral("--laps"), QStringLiteral("3")};
}

void TestGenerate::usoIncorrecto()
{
    QFETCH(QStringList, argumentos);
    QByteArray salida;
    QCOMPARE(Ejecutar(QStringList{QStringLiteral("generate")} + argumentos, &salida), 2);
    QVERIFY(salida.isEmpty());
}

QTEST_GUILESS_MAIN(TestGenerate)
#include "test_generate.moc"
