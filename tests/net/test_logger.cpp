#include "base/clock.h"
#include "base/formatsettings.h"
#include "base/racetime.h"
#include "common/testsupport.h"
#include "net/logger.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

const QDateTime Momento(QDate(2026, 12, 9), QTime(19, 30, 5));
const QByteArray Entrada("[LAP#1#2#3#0:00:04:5000#0#0]");
constexpr qint64 Hora = 3600 * 1000;

QList<QByteArray> Lineas(const QString &ruta)
{
    return quenlap::test::splitLines(quenlap::test::readFile(ruta));
}

QByteArray SinCR(QByteArray linea)
{
    if (linea.endsWith('\r'))
        linea.chop(1);
    return linea;
}

} // namespace

class TestLogger : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void banner();
    void lineaDeEntrada();
    void reabrirAnadeBanner();
    void rotacion_data();
    void rotacion();
    void tamanoSoloCadaMedioDia();
    void nombreRotado_data();
    void nombreRotado();
    void creaLaCarpeta();
    void cerradoNoEscribe();
    void ficheroImposibleQuedaCerrado();

private:
    QString Ruta(const QString &nombre) const { return QDir(carpeta->path()).filePath(nombre); }

    std::unique_ptr<QTemporaryDir> carpeta;
    ManualClock reloj{Momento};
};

void TestLogger::init()
{
    carpeta = std::make_unique<QTemporaryDir>();
    QVERIFY(carpeta->isValid());
    reloj.setNow(Momento);
}

void TestLogger::banner()
{
    const QString ruta = Ruta(QStringLiteral("x.log"));
    TLogger logger(ruta, 10000, true, "DSRouter", reloj);
    QVERIFY(logger.Activo());

    const QList<QByteArray> lineas = Lineas(ruta);
    QCOMPARE(lineas.size(), 9);
    for (const QByteArray &linea : lineas)
        QVERIFY2(linea.endsWith('\r'), linea.constData());
    const QByteArray fecha("Wednesday 09, December 26 - 19:30:05");
    QCOMPARE(SinCR(lineas[0]), QByteArray());
    QCOMPARE(SinCR(lineas[1]), QByteArray(120, '*'));
    QCOMPARE(SinCR(lineas[2]), '*' + QByteArray(118, ' ') + '*');
    QCOMPARE(SinCR(lineas[3]),
             "* DSRouter" + QByteArray(116 - 8 - fecha.size(), ' ') + fecha + " *");
    QCOMPARE(SinCR(lineas[3]).size(), 120);
    QCOMPARE(SinCR(lineas[4]), '*' + QByteArray(118, ' ') + '*');
    QCOMPARE(SinCR(lineas[5]), QByteArray(120, '*'));
    QCOMPARE(SinCR(lineas[6]), QByteArray());
    QCOMPARE(SinCR(lineas[7]), QByteArray("  FECHA      HORA        TEXTO"));
    QCOMPARE(SinCR(lineas[8]), QByteArray(120, '='));
}

void TestLogger::lineaDeEntrada()
{
    const QString ruta = Ruta(QStringLiteral("x.log"));
    FormatSettings otros;
    otros.dateSeparator = QLatin1Char('-');
    otros.timeSeparator = QLatin1Char('.');
    {
        TLogger logger(ruta, 10000, true, "DSRouter", reloj);
        logger.Escribir(Entrada);
        logger.Escribir("two\r\nlines");
    }
    {
        TLogger logger(ruta, 10000, true, "DSRouter", reloj, otros);
        logger.Escribir(Entrada);
    }
    const QList<QByteArray> lineas = Lineas(ruta);
    QCOMPARE(SinCR(lineas[9]), "2026/12/09 19:30:05 --> " + Entrada);
    QCOMPARE(SinCR(lineas[10]), QByteArray("2026/12/09 19:30:05 --> two"));
    QCOMPARE(SinCR(lineas[11]), QByteArray("lines"));
    QCOMPARE(SinCR(lineas.last()), "2026-12-09 19.30.05 --> " + Entrada);
}

void TestLogger::reabrirAnadeBanner()
{
    const QString ruta = Ruta(QStringLiteral("x.log"));
    {
        TLogger logger(ruta, 0, true, "Uno", reloj);
        logger.Escribir("primera");
    }
    reloj.advanceMs(Hora);
    TLogger logger(ruta, 0, false, "Dos", reloj);
    QVERIFY(!logger.Activo());
    logger.SetActivo(true);
    logger.Escribir("segunda");

    const QList<QByteArray> lineas = Lineas(ruta);
    QCOMPARE(lineas.size(), 9 + 1 + 9 + 1);
    QCOMPARE(SinCR(lineas[9]), QByteArray("2026/12/09 19:30:05 --> primera"));
    QCOMPARE(SinCR(lineas[10]), QByteArray());
    QVERIFY(lineas[13].startsWith("* Dos "));
    QCOMPARE(SinCR(lineas[19]), QByteArray("2026/12/09 20:30:05 --> segunda"));
}

void TestLogger::rotacion_data()
{
    QTest::addColumn<int>("maxKB");
    QTest::addColumn<qint64>("tamano");
    QTest::addColumn<bool>("rota");

    QTest::newRow("exactly the limit") << 10000 << qint64(10240000) << false;
    QTest::newRow("one KB past the limit") << 10000 << qint64(10241024) << true;
    QTest::newRow("no limit") << 0 << qint64(10241024) << false;
    QTest::newRow("negative limit") << -1 << qint64(10241024) << false;
    QTest::newRow("small limit") << 1 << qint64(2048) << true;
}

void TestLogger::rotacion()
{
    QFETCH(int, maxKB);
    QFETCH(qint64, tamano);
    QFETCH(bool, rota);

    const QString ruta = Ruta(QStringLiteral("Quenlap.dsrouter.20261209-193005.log"));
    {
        QFile previo(ruta);
        QVERIFY(previo.open(QIODevice::WriteOnly));
        QVERIFY(previo.resize(tamano));
    }
    TLogger logger(ruta, maxKB, true, "DSRouter", reloj);
    reloj.advanceMs(1234);
    logger.Escribir(Entrada);

    const QString rotado =
        Ruta(QStringLiteral("Quenlap.dsrouter.20261209-193005.261209-193006234.log"));
    QCOMPARE(QFile::exists(rotado), rota);
    QCOMPARE(QDir(carpeta->path()).entryList(QDir::Files).size(), rota ? 2 : 1);
    if (rota) {
        QVERIFY(QFileInfo(rotado).size() > tamano);
        const QList<QByteArray> lineas = Lineas(ruta);
        QCOMPARE(lineas.size(), 10);
        QCOMPARE(SinCR(lineas[1]), QByteArray(120, '*'));
        QCOMPARE(SinCR(lineas[9]), "2026/12/09 19:30:06 --> " + Entrada);
    } else {
        QVERIFY(QFileInfo(ruta).size() > tamano);
    }
}

void TestLogger::tamanoSoloCadaMedioDia()
{
    const QString ruta = Ruta(QStringLiteral("x.log"));
    TLogger logger(ruta, 1, true, "DSRouter", reloj);
    logger.Escribir(Entrada);
    QCOMPARE(QDir(carpeta->path()).entryList(QDir::Files).size(), 1);

    // Past the limit now, but the size was checked less than half a day ago.
    for (int i = 0; i < 60; ++i)
        logger.Escribir(Entrada);
    reloj.advanceMs(12 * Hora);
    logger.Escribir(Entrada);
    QCOMPARE(QDir(carpeta->path()).entryList(QDir::Files).size(), 1);

    reloj.advanceMs(1);
    logger.Escribir(Entrada);
    QCOMPARE(QDir(carpeta->path()).entryList(QDir::Files).size(), 2);
    QCOMPARE(Lineas(ruta).size(), 10);
}

void TestLogger::nombreRotado_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("rotado");

    QTest::newRow("bare name") << QStringLiteral("a.log")
                               << QStringLiteral("a.261209-193005000.log");
    QTest::newRow("no extension") << QStringLiteral("log")
                                  << QStringLiteral("log.261209-193005000");
    QTest::newRow("dot in the folder only")
        << QStringLiteral("dir.x/log") << QStringLiteral("dir.x/log.261209-193005000");
    QTest::newRow("several dots") << QStringLiteral("dir/a.b.txt")
                                  << QStringLiteral("dir/a.b.261209-193005000.txt");
}

void TestLogger::nombreRotado()
{
    QFETCH(QString, nombre);
    QFETCH(QString, rotado);
    const TLogger logger(nombre, 0, false, "T", reloj);
    QCOMPARE(logger.NombreRotado(DateTimeToDias(Momento)), rotado);
}

void TestLogger::creaLaCarpeta()
{
    const QString ruta = Ruta(QStringLiteral("a/b/c.log"));
    TLogger logger(ruta, 0, true, "T", reloj);
    QVERIFY(logger.Activo());
    logger.Escribir(Entrada);
    QCOMPARE(Lineas(ruta).size(), 10);
}

void TestLogger::cerradoNoEscribe()
{
    const QString ruta = Ruta(QStringLiteral("x.log"));
    TLogger logger(ruta, 0, false, "T", reloj);
    logger.Escribir(Entrada);
    QVERIFY(!QFile::exists(ruta));
    logger.SetActivo(true);
    logger.SetActivo(false);
    logger.Escribir(Entrada);
    QCOMPARE(Lineas(ruta).size(), 9);
}

void TestLogger::ficheroImposibleQuedaCerrado()
{
    TLogger carpetaComoFichero(carpeta->path(), 0, true, "T", reloj);
    QVERIFY(!carpetaComoFichero.Activo());
    carpetaComoFichero.Escribir(Entrada);
}

QTEST_GUILESS_MAIN(TestLogger)
#include "test_logger.moc"
