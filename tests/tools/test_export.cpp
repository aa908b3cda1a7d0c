#include "common/testsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

test::ProgramRun Ejecutar(const QStringList &argumentos)
{
    return test::runProgram(QStringLiteral("quenlap-cli"), argumentos, 60000);
}

QJsonValue Json(const QByteArray &texto)
{
    QJsonParseError error;
    const QJsonDocument documento = QJsonDocument::fromJson(texto, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", qPrintable(error.errorString()));
    return documento.isArray() ? QJsonValue(documento.array()) : QJsonValue(documento.object());
}

const QString VueltaAna = QStringLiteral("7\tAna\t3\t00:04:12.500\t01:23.456\tX\tRnk 2");
const QString VueltaLuis = QStringLiteral("3\tLuis\t1\t00:00:05.001\t00:05.001\t\tRnk 1");

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void json();
    void textosEscapados();
    void cabeceraConDescarte();
    void variosFicheros();
    void ficheroQueFalla();
    void ficheroInexistente();
    void formatoVueltas();
    void formatoCompetidores();
    void usoIncorrecto_data();
    void usoIncorrecto();

private:
    QString Fichero(const QString &nombre, const QStringList &lineas);
    QTemporaryDir carpeta;
};

void TestExport::initTestCase()
{
    QVERIFY(carpeta.isValid());
    QVERIFY(QFile::exists(test::programPath(QStringLiteral("quenlap-cli"))));
}

QString TestExport::Fichero(const QString &nombre, const QStringList &lineas)
{
    const QString ruta = carpeta.filePath(nombre);
    QStringEncoder codificador(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    if (!test::writeFile(ruta, codificador.encode(lineas.join(QStringLiteral("\r\n")))))
        qFatal("cannot write %s", qPrintable(ruta));
    return ruta;
}

void TestExport::json()
{
    const QString ruta = Fichero(QStringLiteral("dos.dat"), {VueltaAna, VueltaLuis});
    const test::ProgramRun r = Ejecutar({QStringLiteral("export"), ruta});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.errors.isEmpty());
    // Times are exact to the microsecond as written.
    QVERIFY(r.output.contains("\"tiempoVuelta\": 83.456,"));
    QVERIFY(r.output.contains("\"tiempoCarrera\": 252.5,"));

    const QJsonObject carrera = Json(r.output).toObject();
    QCOMPARE(carrera.value(u"file").toString(), ruta);
    QCOMPARE(carrera.value(u"descartarPrimera").toBool(true), false);
    QVERIFY(carrera.value(u"error").isNull());

    const QJsonArray vueltas = carrera.value(u"laps").toArray();
    QCOMPARE(vueltas.size(), 2);
    const QJsonObject ana = vueltas[0].toObject();
    QCOMPARE(ana.value(u"numero").toInt(), 7);
    QCOMPARE(ana.value(u"nombre").toString(), QStringLiteral("Ana"));
    QCOMPARE(ana.value(u"vuelta").toInt(), 3);
    QCOMPARE(ana.value(u"tiempoCarrera").toDouble(), 252.5);
    QCOMPARE(ana.value(u"tiempoVuelta").toDouble(), 83.456);
    QCOMPARE(ana.value(u"mejorHastaAhora").toDouble(), 83.456);
    QCOMPARE(ana.value(u"texto").toString(), QStringLiteral("X"));
    QCOMPARE(ana.value(u"rnk").toInt(), 2);
    QCOMPARE(ana.value(u"esMejor").toBool(), true);
    QCOMPARE(vueltas[1].toObject().value(u"tiempoVuelta").toDouble(), 5.001);

    // Competitors in the list's own order: by number.
    const QJsonArray competidores = carrera.value(u"competitors").toArray();
    QCOMPARE(competidores.size(), 2);
    const QJsonObject luis = competidores[0].toObject();
    QCOMPARE(luis.value(u"numero").toInt(), 3);
    QCOMPARE(luis.value(u"carril").toInt(), 2);
    const QJsonObject c = competidores[1].toObject();
    QCOMPARE(c.value(u"numero").toInt(), 7);
    QCOMPARE(c.value(u"nombre").toString(), QStringLiteral("Ana"));
    QCOMPARE(c.value(u"carril").toInt(), 1);
    QCOMPARE(c.value(u"vueltas").toInt(), 1);
    QCOMPARE(c.value(u"tiempoTotal").toDouble(), 252.5);
    QCOMPARE(c.value(u"ultimaVuelta").toDouble(), 83.456);
    QCOMPARE(c.value(u"mejorVuelta").toDouble(), 83.456);
    QCOMPARE(c.value(u"vueltaMejor").toInt(), 1);
    QCOMPARE(c.value(u"media").toDouble(), 252.5);
    QCOMPARE(c.value(u"inicio").toDouble(), 169.044);
    QCOMPARE(c.value(u"enEspera").toBool(true), false);
}

void TestExport::textosEscapados()
{
    const QString nombre = QStringLiteral("Ana \"la\" \\ Ruiz ñ");
    const QString texto = QStringLiteral("a\u0001b/\u00e9");
    const QString ruta = Fichero(
        QStringLiteral("escapes.dat"),
        {QStringLiteral("7\t%1\t3\t00:04:12.500\t01:23.456\t%2\tRnk 2").arg(nombre, texto)});
    const test::ProgramRun r = Ejecutar({QStringLiteral("export"), ruta});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject vuelta = Json(r.output).toObject().value(u"laps").toArray()[0].toObject();
    QCOMPARE(vuelta.value(u"nombre").toString(), nombre);
    QCOMPARE(vuelta.value(u"texto").toString(), texto);
}

void TestExport::cabeceraConDescarte()
{
    const QString ruta =
        Fichero(QStringLiteral("cabecera.dat"),
                {QStringLiteral("RACE PARAMETERS: DISCARD FIRST TIME = 1"), VueltaAna});
    const test::ProgramRun r =
        Ejecutar({QStringLiteral("export"), QStringLiteral("--format=json"), ruta});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject carrera = Json(r.output).toObject();
    QCOMPARE(carrera.value(u"descartarPrimera").toBool(), true);
    QCOMPARE(
        carrera.value(u"competitors").toArray()[0].toObject().value(u"mejorVuelta").toDouble(-1),
        0.0);
}

void TestExport::variosFicheros()
{
    const QString uno = Fichero(QStringLiteral("uno.dat"), {VueltaAna});
    const QString dos = Fichero(QStringLiteral("dos.dat"), {VueltaLuis, VueltaAna});
    const test::ProgramRun r = Ejecutar({QStringLiteral("export"), uno, dos});
    QCOMPARE(r.exitCode, 0);
    const QJsonArray carreras = Json(r.output).toArray();
    QCOMPARE(carreras.size(), 2);
    QCOMPARE(carreras[0].toObject().value(u"file").toString(), uno);
    QCOMPARE(carreras[0].toObject().value(u"laps").toArray().size(), 1);
    QCOMPARE(carreras[1].toObject().value(u"laps").toArray().size(), 2);
}

void TestExport::ficheroQueFalla()
{
    const QString bueno = Fichero(QStringLiteral("bueno.dat"), {VueltaAna});
    const QString malo =
        Fichero(QStringLiteral("malo.dat"),
                {VueltaAna, VueltaLuis, VueltaAna, VueltaLuis,
                 QStringLiteral("7\tAna\t3\t00:04:12.500\t01:23.456\tX\tRnk x"), VueltaLuis});
    const test::ProgramRun r = Ejecutar({QStringLiteral("export"), malo, bueno});
    QCOMPARE(r.exitCode, 1);
    const QJsonArray carreras = Json(r.output).toArray();
    QCOMPARE(carreras.size(), 2);
    const QJsonObject fallida = carreras[0].toObject();
    QCOMPARE(fallida.value(u"error").toString(),
             QStringLiteral("Error en linea (5). 'x' is not a valid integer value"));
    QCOMPARE(fallida.value(u"laps").toArray().size(), 4);
    QCOMPARE(fallida.value(u"competitors").toArray().size(), 2);
    QVERIFY(carreras[1].toObject().value(u"error").isNull());
    QVERIFY(r.errors.contains("Error en linea (5)."));
}

void TestExport::ficheroInexistente()
{
    const test::ProgramRun r =
        Ejecutar({QStringLiteral("export"), carpeta.filePath(QStringLiteral("no-existe.dat"))});
    QCOMPARE(r.exitCode, 1);
    const QJsonObject carrera = Json(r.output).toObject();
    QVERIFY(carrera.value(u"error").toString().contains(QStringLiteral("no-existe.dat")));
    QCOMPARE(carrera.value(u"laps").toArray().size(), 0);
}

void TestExport::formatoVueltas()
{
    const QString ruta =
        Fichero(QStringLiteral("vueltas.dat"),
                {VueltaAna, VueltaLuis, QStringLiteral("-1"), QStringLiteral("x")});
    const test::ProgramRun r = Ejecutar(
        {QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("laps"), ruta});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.output),
             QStringLiteral("7\tAna                 \t3\t00:04:12.500\t01:23.456\tX\tRnk 2\n"
                            "3\tLuis                \t1\t00:00:05.001\t00:05.001\t\tRnk 1\n"));
}

void TestExport::formatoCompetidores()
{
    const QString ruta = Fichero(QStringLiteral("competidores.dat"), {VueltaAna, VueltaLuis});
    const test::ProgramRun r = Ejecutar({QStringLiteral("export"), QStringLiteral("--format"),
                                         QStringLiteral("competitors"), ruta});
    QCOMPARE(r.exitCode, 0);
    const QStringList lineas = QString::fromUtf8(r.output).split(QLatin1Char('\n'));
    QCOMPARE(lineas.size(), 3);
    QVERIFY(lineas[0].startsWith(QStringLiteral("3\tLuis\t1\t0\t0\t")));
    QVERIFY(lineas[1].startsWith(QStringLiteral("7\tAna\t1\t0\t0\t")));
    QVERIFY(lineas[2].isEmpty());
}

void TestExport::usoIncorrecto_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::newRow("sin ficheros") << QStringList{QStringLiteral("export")};
    QTest::newRow("formato desconocido")
        << QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("xml"),
                       QStringLiteral("a.dat")};
    QTest::newRow("formato sin valor") << QStringList{
        QStringLiteral("export"), QStringLiteral("a.dat"), QStringLiteral("--format")};
    QTest::newRow("opcion desconocida")
        << QStringList{QStringLiteral("export"), QStringLiteral("--otra"), QStringLiteral("a.dat")};
}

void TestExport::usoIncorrecto()
{
    QFETCH(QStringList, argumentos);
    const test::ProgramRun r = Ejecutar(argumentos);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.output.isEmpty());
    QVERIFY(r.errors.contains("usage:"));
}

QTEST_GUILESS_MAIN(TestExport)
#include "test_export.moc"
