#include "base/clock.h"
#include "base/global.h"
#include "common/testsupport.h"
#include "net/mensajestarvel.h"
#include "racewindow/frmlistavueltas.h"

#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

// What quenlap-cli export prints for a file in one format; empty when it failed.
QByteArray Exportar(const char *formato, const QString &fichero)
{
    const test::ProgramRun salida = test::runProgram(
        QStringLiteral("quenlap-cli"),
        {QStringLiteral("export"), QStringLiteral("--format"), QLatin1String(formato), fichero},
        60000);
    return salida.exitCode == 0 ? salida.output : QByteArray();
}

QStringList SeccionResultados(const QString &fichero)
{
    QFile f(fichero);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decodificador(QStringConverter::Utf16LE);
    const QStringList lineas = QString(decodificador.decode(f.readAll().mid(2)))
                                   .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const qsizetype fin = lineas.indexOf(QStringLiteral("-1"));
    return fin < 0 ? QStringList() : lineas.mid(fin + 1);
}

} // namespace

// A race window following the race server emulator over loopback writes a race copy that reads
// back to the very laps the emulator played, with the same standings.
class TestCarreraVivo : public QObject
{
    Q_OBJECT

private slots:
    void copiaDeUnaCarreraEnVivo();
};

void TestCarreraVivo::copiaDeUnaCarreraEnVivo()
{
    QTemporaryDir carpeta;
    FijarCarpetaConfiguracion(carpeta.path());
    const QString original = carpeta.filePath(QStringLiteral("original.dat"));
    QCOMPARE(test::runProgram(QStringLiteral("quenlap-cli"),
                              {QStringLiteral("generate"), QStringLiteral("--competitors"),
                               QStringLiteral("4"), QStringLiteral("--minutes"),
                               QStringLiteral("0.5"), QStringLiteral("--seed"),
                               QStringLiteral("11"), QStringLiteral("--output"), original},
                              60000)
                 .exitCode,
             0);
    QVERIFY(QFile::exists(original));

    const quint16 puerto = test::freeLoopbackPort();
    QProcess emulador;
    QVERIFY(test::startServer(emulador, QStringLiteral("quenlap-sim"),
                              {QStringLiteral("tarvel"), QStringLiteral("--listen"),
                               QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                               QString::number(puerto), QStringLiteral("--speed"),
                               QStringLiteral("10"), original},
                              puerto, 10000));

    TFrmListaVueltas ventana(Clock::system());
    ventana.ConectarTarvel(QStringLiteral("127.0.0.1"), puerto,
                           MensajesTarvel::UsuarioFijo.toString().toLatin1(),
                           MensajesTarvel::ClaveFijo.toString().toLatin1());
    QTRY_VERIFY_WITH_TIMEOUT(!ventana.FicheroCopia.isEmpty(), 20000);
    const QString copia = ventana.FicheroCopia;
    QTRY_VERIFY_WITH_TIMEOUT(!SeccionResultados(copia).isEmpty(), 60000);
    emulador.waitForFinished(20000);
    test::stopProgram(emulador, 5000);

    const QByteArray vueltasOriginal = Exportar("laps", original);
    const QByteArray vueltasCopia = Exportar("laps", copia);
    QVERIFY(!vueltasOriginal.isEmpty());
    QCOMPARE(vueltasCopia, vueltasOriginal);

    const QByteArray resultados = Exportar("results", original);
    QCOMPARE(SeccionResultados(copia),
             QString::fromUtf8(resultados).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
}

QTEST_MAIN(TestCarreraVivo)
#include "test_carrera_vivo.moc"
