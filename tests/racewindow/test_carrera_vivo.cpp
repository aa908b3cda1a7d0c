#include "base/clock.h"
#include "base/global.h"
#include "net/mensajestarvel.h"
#include "racewindow/frmlistavueltas.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

QString Programa(const char *nombre)
{
    return QDir(QStringLiteral(QUENLAP_BIN_DIR)).filePath(QLatin1String(nombre));
}

QByteArray Ejecutar(const QString &programa, const QStringList &argumentos)
{
    QProcess proceso;
    proceso.start(programa, argumentos);
    if (!proceso.waitForFinished(60000) || proceso.exitCode() != 0)
        return {};
    return proceso.readAllStandardOutput();
}

quint16 PuertoLibre()
{
    QTcpServer servidor;
    servidor.listen(QHostAddress::LocalHost, 0);
    return servidor.serverPort();
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
    Ejecutar(Programa("quenlap-cli"),
             {QStringLiteral("generate"), QStringLiteral("--competitors"), QStringLiteral("4"),
              QStringLiteral("--minutes"), QStringLiteral("0.5"), QStringLiteral("--seed"),
              QStringLiteral("11"), QStringLiteral("--output"), original});
    QVERIFY(QFile::exists(original));

    const quint16 puerto = PuertoLibre();
    QProcess emulador;
    emulador.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    emulador.start(Programa("quenlap-sim"),
                   {QStringLiteral("tarvel"), QStringLiteral("--listen"),
                    QStringLiteral("127.0.0.1"), QStringLiteral("--port"), QString::number(puerto),
                    QStringLiteral("--speed"), QStringLiteral("10"), original});
    QVERIFY(emulador.waitForStarted(10000));
    QTest::qWait(300);

    TFrmListaVueltas ventana(Clock::system());
    ventana.ConectarTarvel(QStringLiteral("127.0.0.1"), puerto,
                           MensajesTarvel::UsuarioFijo.toString().toLatin1(),
                           MensajesTarvel::ClaveFijo.toString().toLatin1());
    QTRY_VERIFY_WITH_TIMEOUT(!ventana.FicheroCopia.isEmpty(), 20000);
    const QString copia = ventana.FicheroCopia;
    QTRY_VERIFY_WITH_TIMEOUT(!SeccionResultados(copia).isEmpty(), 60000);
    emulador.waitForFinished(20000);
    if (emulador.state() != QProcess::NotRunning)
        emulador.kill();

    const QByteArray vueltasOriginal =
        Ejecutar(Programa("quenlap-cli"), {QStringLiteral("export"), QStringLiteral("--format"),
                                           QStringLiteral("laps"), original});
    const QByteArray vueltasCopia =
        Ejecutar(Programa("quenlap-cli"), {QStringLiteral("export"), QStringLiteral("--format"),
                                           QStringLiteral("laps"), copia});
    QVERIFY(!vueltasOriginal.isEmpty());
    QCOMPARE(vueltasCopia, vueltasOriginal);

    const QByteArray resultados =
        Ejecutar(Programa("quenlap-cli"), {QStringLiteral("export"), QStringLiteral("--format"),
                                           QStringLiteral("results"), original});
    QCOMPARE(SeccionResultados(copia),
             QString::fromUtf8(resultados).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
}

QTEST_MAIN(TestCarreraVivo)
#include "test_carrera_vivo.moc"
