#include "base/clock.h"
#include "base/error.h"
#include "base/errorreporter.h"
#include "base/racetime.h"
#include "common/testsupport.h"
#include "net/dsrouter.h"
#include "net/dsrouterrecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace quenlap;

namespace {

const QDateTime Momento(QDate(2026, 12, 9), QTime(19, 30, 5));
const QString NombreLog = QStringLiteral("Quenlap.dsrouter.20261209-193005.log");

double Ms(double ms)
{
    return ms / MsPorDia;
}

} // namespace

class TestDsRouter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void registros_data();
    void registros();
    void lapMalFormado_data();
    void lapMalFormado();
    void tiempo_data();
    void tiempo();
    void cortadoEnCualquierPunto();
    void byteAByte();
    void dosRegistrosEnUnaPieza();
    void lineaSinFinQuedaPendiente();
    void limpiarDescartaPendiente();
    void logGuardaLasPiezasTalCual();
    void sinUsoNoCreaLog();
    void limiteDePendiente_data();
    void limiteDePendiente();
    void registrosCodificadosSeLeen_data();
    void registrosCodificadosSeLeen();
    void bytesAleatoriosNoRompen();
    void logQueFallaNoParaLaLectura();

private:
    QString LeerLog() const;
    // Feeds text as a race window does on one read notification; returns the kinds found.
    static QList<int> Notificacion(TDSRouter &router, const QByteArray &texto);

    std::unique_ptr<QTemporaryDir> carpeta;
    QString carpetaAnterior;
    ManualClock reloj{Momento};
};

void TestDsRouter::init()
{
    carpeta = std::make_unique<QTemporaryDir>();
    QVERIFY(carpeta->isValid());
    carpetaAnterior = QDir::currentPath();
    QVERIFY(QDir::setCurrent(carpeta->path()));
    reloj.setNow(Momento);
}

void TestDsRouter::cleanup()
{
    QDir::setCurrent(carpetaAnterior);
    carpeta.reset();
}

QString TestDsRouter::LeerLog() const
{
    return QString::fromLatin1(quenlap::test::readFile(QDir(carpeta->path()).filePath(NombreLog)));
}

QList<int> TestDsRouter::Notificacion(TDSRouter &router, const QByteArray &texto)
{
    QList<int> tipos;
    QByteArray pieza = texto;
    for (int i = 0; i < 1001; ++i) {
        const int tipo = router.Procesar(pieza);
        pieza.clear();
        if (tipo == 0)
            break;
        tipos << tipo;
    }
    return tipos;
}

void TestDsRouter::registros_data()
{
    QTest::addColumn<QByteArray>("linea");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("segundoCampo");
    QTest::addColumn<int>("valorST1");

    QTest::newRow("ST1") << QByteArray("ST1#5#42\r\n") << 1 << 5 << 42;
    QTest::newRow("ST1 value not a number") << QByteArray("ST1#5#x\r\n") << 1 << 5 << 0;
    QTest::newRow("ST1 without value") << QByteArray("ST1#5\r\n") << 1 << 5 << 0;
    QTest::newRow("ST2") << QByteArray("ST2#7\r\n") << 2 << 7 << 0;
    QTest::newRow("ST3 with extra fields") << QByteArray("ST3#8#1#2\r\n") << 3 << 8 << 0;
    QTest::newRow("END") << QByteArray("END#9\r\n") << 5 << 9 << 0;
    QTest::newRow("UNK") << QByteArray("UNK#10\r\n") << 6 << 10 << 0;
    QTest::newRow("kind alone") << QByteArray("END\r\n") << 5 << 0 << 0;
    QTest::newRow("number not a number") << QByteArray("ST2#abc\r\n") << 2 << 0 << 0;
    QTest::newRow("number with blanks") << QByteArray("ST2# 4\r\n") << 2 << 0 << 0;
    QTest::newRow("negative number") << QByteArray("ST2#-4\r\n") << 2 << -4 << 0;
    QTest::newRow("lower-case kind")
        << QByteArray("lap#17#3#12#0:00:05:1234#0#1\r\n") << 0 << 17 << 0;
    QTest::newRow("mixed-case kind") << QByteArray("St2#1\r\n") << 0 << 1 << 0;
    QTest::newRow("unknown kind") << QByteArray("XYZ#1\r\n") << 0 << 1 << 0;
    QTest::newRow("empty line") << QByteArray("\r\n") << 0 << 0 << 0;
    QTest::newRow("lone LF ends nothing") << QByteArray("ST2#1\n") << 0 << 0 << 0;
    QTest::newRow("lone CR ends nothing") << QByteArray("ST2#1\r") << 0 << 0 << 0;
    QTest::newRow("LF CR ends nothing") << QByteArray("ST2#1\n\r") << 0 << 0 << 0;
}

void TestDsRouter::registros()
{
    QFETCH(QByteArray, linea);
    QFETCH(int, tipo);
    QFETCH(int, segundoCampo);
    QFETCH(int, valorST1);

    TDSRouter router(reloj);
    QCOMPARE(router.Procesar(linea), tipo);
    QCOMPARE(router.Tipo(), tipo);
    if (linea.endsWith("\r\n")) {
        QCOMPARE(router.SegundoCampo(), segundoCampo);
        QCOMPARE(router.ValorST1(), valorST1);
        QVERIFY(router.Pendiente().isEmpty());
    } else {
        QCOMPARE(router.Pendiente(), linea);
    }
}

void TestDsRouter::lapMalFormado_data()
{
    QTest::addColumn<QByteArray>("linea");
    QTest::addColumn<int>("carril");
    QTest::addColumn<int>("numeroVuelta");
    QTest::addColumn<double>("tiempoMs");
    QTest::addColumn<bool>("primeraPosicion");
    QTest::addColumn<bool>("vueltaRapida");
    // Empty when the record decodes fully; else the rest logged after the failing field.
    QTest::addColumn<QString>("restoEnElLog");

    QTest::newRow("example") << QByteArray("LAP#17#3#12#0:00:05:1234#0#1") << 3 << 12 << 5123.0
                             << false << true << QString();
    QTest::newRow("both flags") << QByteArray("LAP#1#2#3#0:00:04:5000#1#1") << 2 << 3 << 4500.0
                                << true << true << QString();
    QTest::newRow("flags other than 1") << QByteArray("LAP#1#2#3#0:00:04:5000#2#yes") << 2 << 3
                                        << 4500.0 << false << false << QString();
    QTest::newRow("no flags") << QByteArray("LAP#1#2#3#0:00:04:5000") << 2 << 3 << 4500.0 << false
                              << false << QString();
    QTest::newRow("fields past the seventh") << QByteArray("LAP#1#2#3#1:02:03:0040#1#0#9#x") << 2
                                             << 3 << 3723004.0 << true << false << QString();
    QTest::newRow("negative lane") << QByteArray("LAP#1#-2#3#0:00:04:5000#0#0") << -2 << 3 << 4500.0
                                   << false << false << QString();
    QTest::newRow("time of three parts") << QByteArray("LAP#17#3#12#0:00:04#0#1") << 3 << 12 << 0.0
                                         << false << false << QStringLiteral("0#1");
    QTest::newRow("lane not a number") << QByteArray("LAP#1#x#3#0:00:04:5000#0#0") << 0 << 0 << 0.0
                                       << false << false << QStringLiteral("3#0:00:04:5000#0#0");
    QTest::newRow("lap number not a number")
        << QByteArray("LAP#1#2#3a#0:00:04:5000#1#1") << 2 << 0 << 0.0 << false << false
        << QStringLiteral("0:00:04:5000#1#1");
    QTest::newRow("minutes above 59") << QByteArray("LAP#1#2#3#0:60:00:0000#1#1") << 2 << 3 << 0.0
                                      << false << false << QStringLiteral("1#1");
    QTest::newRow("lane missing") << QByteArray("LAP#1") << 0 << 0 << 0.0 << false << false
                                  << QStringLiteral("");
    QTest::newRow("lap number missing")
        << QByteArray("LAP#1#4") << 4 << 0 << 0.0 << false << false << QStringLiteral("");
}

void TestDsRouter::lapMalFormado()
{
    QFETCH(QByteArray, linea);
    QFETCH(int, carril);
    QFETCH(int, numeroVuelta);
    QFETCH(double, tiempoMs);
    QFETCH(bool, primeraPosicion);
    QFETCH(bool, vueltaRapida);
    QFETCH(QString, restoEnElLog);

    TDSRouter router(reloj);
    QCOMPARE(router.Procesar(linea + "\r\n"), int(TDSRouter::LAP));
    QCOMPARE(router.Carril(), carril);
    QCOMPARE(router.NumeroVuelta(), numeroVuelta);
    QCOMPARE(router.TiempoVuelta(), Ms(tiempoMs));
    QCOMPARE(router.PrimeraPosicion(), primeraPosicion);
    QCOMPARE(router.VueltaRapida(), vueltaRapida);

    const QString log = LeerLog();
    const QString error = QStringLiteral("Excepcion analizando trama LAP : [");
    if (restoEnElLog.isNull()) {
        QVERIFY(!log.contains(error));
    } else {
        QVERIFY2(log.contains(error + restoEnElLog + QStringLiteral("]. ")), qPrintable(log));
    }
}

void TestDsRouter::tiempo_data()
{
    QTest::addColumn<QByteArray>("texto");
    QTest::addColumn<double>("ms"); // negative: a conversion error

    QTest::newRow("example") << QByteArray("0:00:05:1234") << 5123.0;
    QTest::newRow("last digit dropped") << QByteArray("0:00:00:0009") << 0.0;
    QTest::newRow("9999 gives 999 ms") << QByteArray("0:00:00:9999") << 999.0;
    QTest::newRow("10000 is an error") << QByteArray("0:00:00:10000") << -1.0;
    QTest::newRow("short parts") << QByteArray("1:2:3:40") << 3723004.0;
    QTest::newRow("largest") << QByteArray("23:59:59:9999") << 86399999.0;
    QTest::newRow("hours above 23") << QByteArray("24:00:00:0000") << -1.0;
    QTest::newRow("seconds above 59") << QByteArray("0:00:60:0000") << -1.0;
    QTest::newRow("negative part") << QByteArray("0:-1:00:0000") << -1.0;
    QTest::newRow("three parts") << QByteArray("0:00:04") << -1.0;
    QTest::newRow("five parts") << QByteArray("0:00:04:5000:1") << -1.0;
    QTest::newRow("empty part") << QByteArray("0::04:5000") << -1.0;
    QTest::newRow("letters") << QByteArray("0:0a:04:5000") << -1.0;
    QTest::newRow("decimal point") << QByteArray("0:00:04.5:0") << -1.0;
    QTest::newRow("empty") << QByteArray("") << -1.0;
    QTest::newRow("overflowing part") << QByteArray("0:00:00:99999999999") << -1.0;
}

void TestDsRouter::tiempo()
{
    QFETCH(QByteArray, texto);
    QFETCH(double, ms);

    if (ms < 0) {
        QVERIFY_THROWS_EXCEPTION(Error, TDSRouter::LeerTiempoDS(texto));
        return;
    }
    QCOMPARE(TDSRouter::LeerTiempoDS(texto), Ms(ms));
    QCOMPARE(TDSRouter::LeerTiempoDS(TiempoDS(Ms(ms))), Ms(ms));
}

void TestDsRouter::cortadoEnCualquierPunto()
{
    const QByteArray linea("LAP#1#2#3#0:00:04:5000#0#0\r\n");
    for (qsizetype corte = 0; corte <= linea.size(); ++corte) {
        TDSRouter router(reloj);
        const QByteArray primera = linea.left(corte);
        const QByteArray segunda = linea.mid(corte);
        const int tipoPrimera = router.Procesar(primera);
        QCOMPARE(tipoPrimera, corte == linea.size() ? int(TDSRouter::LAP) : 0);
        if (tipoPrimera == 0)
            QCOMPARE(router.Procesar(segunda), int(TDSRouter::LAP));
        QCOMPARE(router.Carril(), 2);
        QCOMPARE(router.NumeroVuelta(), 3);
        QCOMPARE(router.TiempoVuelta(), Ms(4500));
        QVERIFY(router.Pendiente().isEmpty());
    }
}

void TestDsRouter::byteAByte()
{
    const QByteArray texto("ST1#1#4\r\nST2#2\r\nLAP#3#1#1#0:00:06:1000#1#0\r\nEND#4\r\n");
    TDSRouter router(reloj);
    QList<int> tipos;
    for (const char c : texto)
        tipos << Notificacion(router, QByteArray(1, c));
    QCOMPARE(tipos, (QList<int>{1, 2, 4, 5}));
    QCOMPARE(router.ValorST1(), 4);
    QVERIFY(router.PrimeraPosicion());
}

void TestDsRouter::dosRegistrosEnUnaPieza()
{
    const QByteArray pieza("LAP#1#1#1#0:00:04:0000#1#0\r\nLAP#2#2#1#0:00:04:5000#0#1\r\nST2");
    TDSRouter router(reloj);
    QCOMPARE(router.Procesar(pieza), int(TDSRouter::LAP));
    QCOMPARE(router.Carril(), 1);
    QCOMPARE(router.Procesar(""), int(TDSRouter::LAP));
    QCOMPARE(router.Carril(), 2);
    QVERIFY(router.VueltaRapida());
    QCOMPARE(router.Procesar(""), 0);
    QCOMPARE(router.Pendiente(), QByteArray("ST2"));

    const QString log = LeerLog();
    QVERIFY(log.contains(QStringLiteral("2026/12/09 19:30:05 --> [LAP#1#1#1")));
    QCOMPARE(log.count(QStringLiteral("2026/12/09 19:30:05 --> []\r\n")), 2);
}

void TestDsRouter::lineaSinFinQuedaPendiente()
{
    TDSRouter router(reloj);
    QCOMPARE(Notificacion(router, "LAP#1#2#3#0:00:04:5000#0#0"), QList<int>());
    QCOMPARE(Notificacion(router, ""), QList<int>());
    QCOMPARE(router.Pendiente(), QByteArray("LAP#1#2#3#0:00:04:5000#0#0"));
}

void TestDsRouter::limpiarDescartaPendiente()
{
    TDSRouter router(reloj);
    QCOMPARE(router.Procesar("LAP#1#2#3#0:00:04:5000#0#0\r\nST2#1\r\nEND"), 4);
    router.Limpiar();
    QVERIFY(router.Pendiente().isEmpty());
    QCOMPARE(router.Procesar("#1\r\n"), 0);
}

void TestDsRouter::logGuardaLasPiezasTalCual()
{
    TDSRouter router(reloj);
    router.Log("**** DSROUTER CONECTADO ****");
    reloj.advanceMs(1000);
    router.Procesar("ST2#1\r\nLAP");
    QVERIFY(QFile::exists(NombreLog));
    QVERIFY(router.Logger());

    const QString log = LeerLog();
    QVERIFY(log.contains(QStringLiteral("* DSRouter ")));
    QVERIFY(
        log.contains(QStringLiteral("2026/12/09 19:30:05 --> **** DSROUTER CONECTADO ****\r\n")));
    QVERIFY(log.contains(QStringLiteral("2026/12/09 19:30:06 --> [ST2#1\r\nLAP]\r\n")));
}

void TestDsRouter::sinUsoNoCreaLog()
{
    {
        TDSRouter router(reloj);
        QVERIFY(!router.Logger());
    }
    QVERIFY(QDir(carpeta->path()).isEmpty());
}

void TestDsRouter::limiteDePendiente_data()
{
    QTest::addColumn<QList<QByteArray>>("piezas");
    QTest::addColumn<QList<int>>("tipos");
    QTest::addColumn<QByteArray>("pendiente");
    QTest::addColumn<bool>("descarteEnElLog");

    const qsizetype limite = TDSRouter::MaxPendiente;
    const QByteArray justo(limite, 'A');
    const QByteArray largo(limite + 1, 'A');

    QTest::newRow("exactly the limit stays")
        << QList<QByteArray>{justo} << QList<int>{} << justo << false;
    QTest::newRow("the limit reached in pieces stays")
        << QList<QByteArray>{justo.left(100), justo.mid(100)} << QList<int>{} << justo << false;
    QTest::newRow("one byte past the limit is dropped")
        << QList<QByteArray>{largo} << QList<int>{} << QByteArray() << true;
    QTest::newRow("dropped in pieces")
        << QList<QByteArray>{justo, QByteArray("B")} << QList<int>{} << QByteArray() << true;
    QTest::newRow("rest of the dropped line is dropped too")
        << QList<QByteArray>{largo, QByteArray("LAP#1#2#3#0:00:04:5000#0#0\r\nST2#1\r\n")}
        << QList<int>{2} << QByteArray() << true;
    QTest::newRow("CR LF of the dropped line split")
        << QList<QByteArray>{largo + '\r', QByteArray("\nST3#1\r\n")} << QList<int>{3}
        << QByteArray() << true;
    QTest::newRow("CR LF split after a dropped piece")
        << QList<QByteArray>{largo, QByteArray("BBB\r"), QByteArray("\nST3#1\r\n")} << QList<int>{3}
        << QByteArray() << true;
    QTest::newRow("lone CR does not end the dropped line")
        << QList<QByteArray>{largo + '\r', QByteArray("ST3#1\r\nEND#2\r\n")} << QList<int>{5}
        << QByteArray() << true;
    QTest::newRow("records before the long line are kept")
        << QList<QByteArray>{QByteArray("ST2#1\r\nEND#2\r\n") + largo, QByteArray("\r\nST3#3")}
        << QList<int>{2, 5} << QByteArray("ST3#3") << true;
    QTest::newRow("many records fit in any size")
        << QList<QByteArray>{QByteArray("ST3#1\r\n").repeated(20000)} << QList<int>(1001, 3)
        << QByteArray("ST3#1\r\n").repeated(20000 - 1001) << false;
}

void TestDsRouter::limiteDePendiente()
{
    QFETCH(QList<QByteArray>, piezas);
    QFETCH(QList<int>, tipos);
    QFETCH(QByteArray, pendiente);
    QFETCH(bool, descarteEnElLog);

    TDSRouter router(reloj);
    QList<int> encontrados;
    for (const QByteArray &pieza : piezas)
        encontrados << Notificacion(router, pieza);
    QCOMPARE(encontrados, tipos);
    QCOMPARE(router.Pendiente(), pendiente);
    QCOMPARE(LeerLog().contains(QStringLiteral("bytes recibidos sin CR LF")), descarteEnElLog);
}

void TestDsRouter::registrosCodificadosSeLeen_data()
{
    QTest::addColumn<QByteArray>("registro");
    QTest::addColumn<QByteArray>("esperado");

    VueltaDS vuelta;
    vuelta.carril = 3;
    vuelta.numeroVuelta = 12;
    vuelta.tiempoVuelta = Ms(5123);
    vuelta.vueltaRapida = true;
    QTest::newRow("LAP") << RegistroLAP(17, vuelta)
                         << QByteArray("LAP#17#3#12#0:00:05:1230#0#1\r\n");
    vuelta.tiempoVuelta = Ms(3723004);
    vuelta.primeraPosicion = true;
    vuelta.vueltaRapida = false;
    QTest::newRow("LAP over an hour")
        << RegistroLAP(1, vuelta) << QByteArray("LAP#1#3#12#1:02:03:0040#1#0\r\n");
    QTest::newRow("ST1") << RegistroST1(1, 4) << QByteArray("ST1#1#4\r\n");
    QTest::newRow("END") << RegistroSimple("END", 9) << QByteArray("END#9\r\n");
}

void TestDsRouter::registrosCodificadosSeLeen()
{
    QFETCH(QByteArray, registro);
    QFETCH(QByteArray, esperado);
    QCOMPARE(registro, esperado);
}

void TestDsRouter::bytesAleatoriosNoRompen()
{
    // Pieces drawn from the record alphabet, so that partial and whole records turn up often.
    static const QByteArray alfabeto("LAPSTENDUK0123456789#:#:\r\n\r\n-x");
    static const QList<QByteArray> trozos = {
        "LAP#", "ST1#", "ST2#", "END#", "\r\n", "0:00:04:5000#", "#1#", QByteArray(70000, 'z')};
    QRandomGenerator azar(20261209);
    TDSRouter router(reloj);
    for (int vuelta = 0; vuelta < 3000; ++vuelta) {
        QByteArray pieza;
        const int largo = int(azar.bounded(64));
        for (int i = 0; i < largo; ++i) {
            if (azar.bounded(8) == 0)
                pieza += trozos[azar.bounded(trozos.size() - (vuelta % 97 == 0 ? 0 : 1))];
            else if (azar.bounded(4) == 0)
                pieza += char(azar.bounded(256));
            else
                pieza += alfabeto[azar.bounded(alfabeto.size())];
        }
        Notificacion(router, pieza);
        const qsizetype ultimoFin = router.Pendiente().lastIndexOf("\r\n");
        const qsizetype sinFin = router.Pendiente().size() - (ultimoFin < 0 ? 0 : ultimoFin + 2);
        QVERIFY(sinFin <= TDSRouter::MaxPendiente);
        QVERIFY(router.Tipo() >= 0 && router.Tipo() <= 6);
    }
}

void TestDsRouter::logQueFallaNoParaLaLectura()
{
    QStringList avisos;
    ErrorReporter::setHandler([&avisos](const QString &mensaje) { avisos << mensaje; });
    TDSRouter router(reloj);
    router.Log("**** DSROUTER CONECTADO ****");
    QVERIFY(router.Logger());

    // A file size limit makes the next entry fail as a full disk would.
    rlimit anterior{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &anterior), 0);
    const auto anteriorSenal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limitado = anterior;
    limitado.rlim_cur = rlim_t(QFileInfo(NombreLog).size() + 16);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limitado), 0);
    const int primero = router.Procesar("ST2#1\r\nLAP#2#1#1#0:00:04:5000#0#0\r\n");
    const int segundo = router.Procesar("");
    const int tercero = router.Procesar("END#3\r\n");
    setrlimit(RLIMIT_FSIZE, &anterior);
    std::signal(SIGXFSZ, anteriorSenal);
    ErrorReporter::setHandler({});

    QCOMPARE(primero, int(TDSRouter::ST2));
    QCOMPARE(segundo, int(TDSRouter::LAP));
    QCOMPARE(router.Carril(), 1);
    QCOMPARE(tercero, int(TDSRouter::END));
    QCOMPARE(avisos.size(), 1);
    QVERIFY(!router.Logger());
}

QTEST_GUILESS_MAIN(TestDsRouter)
#include "test_dsrouter.moc"
