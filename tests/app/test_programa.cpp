#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// The viewer as a program: headless, it opens what it is given and, asked to, ends by itself.
class TestPrograma : public QObject
{
    Q_OBJECT

private slots:
    void arrancaYTerminaSolo_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::newRow("no arguments") << QStringList();
        QTest::newRow("two race files")
            << QStringList({QStringLiteral(QUENLAP_SAMPLES "/sample-race.dat"),
                            QStringLiteral(QUENLAP_SAMPLES "/sample-race.dat")});
        QTest::newRow("fixed display of an absent server")
            << QStringList({QStringLiteral("-c"), QStringLiteral("127.0.0.1:1")});
    }

    void arrancaYTerminaSolo()
    {
        QFETCH(QStringList, argumentos);
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        entorno.insert(QStringLiteral("QUENLAP_CONFIG_DIR"), carpeta.path());
        entorno.insert(QStringLiteral("QUENLAP_QUIT_AFTER_MS"), QStringLiteral("1500"));
        QProcess programa;
        programa.setProcessEnvironment(entorno);
        programa.setWorkingDirectory(carpeta.path());
        programa.start(QStringLiteral(QUENLAP_BIN_DIR "/quenlap"), argumentos);
        QVERIFY2(programa.waitForStarted(10000), qPrintable(programa.errorString()));
        QVERIFY(programa.waitForFinished(60000));
        QCOMPARE(programa.exitStatus(), QProcess::NormalExit);
        QCOMPARE(programa.exitCode(), 0);
    }
};

QTEST_MAIN(TestPrograma)
#include "test_programa.moc"
