#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

int Ejecutar(const QStringList &argumentos, QByteArray *salida = nullptr)
{
    QProcess proceso;
    proceso.start(QStringLiteral(QUENLAP_BIN_DIR "/quenlap-cli"), argumentos);
    if (!proceso.waitForFinished(60000))
        qFatal("quenlap-cli did not finish");
    if (salida)
        *salida = proceso.readAllStandardOutput();
    return proceso.exitStatus() == QProcess::NormalExit ? proceso.exitCode() : -1;
}

QByteArray Leer(const QString &ruta)
{
    QFile fichero(ruta);
    return fichero.open(QIODevice::ReadOnly) ? fichero.readAll() : QByteArray();
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
    QCOMPARE(Leer(a), Leer(b));
    QVERIFY(Leer(a).startsWith("\xFF\xFE"));

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
    QCOMPARE(Leer(ruta), Leer(QStringLiteral(QUENLAP_SAMPLES "/sample-race.dat")));
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
