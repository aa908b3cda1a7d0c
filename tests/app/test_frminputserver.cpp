#include "app/frminputserver.h"
#include "base/inifile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

// "a,b" as a list of texts; "" is the empty list.
QStringList Lista(const char *elementos)
{
    return QString::fromLatin1(elementos).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

} // namespace

class TestFrmInputServer : public QObject
{
    Q_OBJECT

private slots:
    void direccion_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("defecto");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("puerto");

        QTest::newRow("host and port") << "192.168.1.5:6000" << 5000 << "192.168.1.5" << 6000;
        QTest::newRow("no port, race server") << "192.168.1.5" << 5000 << "192.168.1.5" << 5000;
        QTest::newRow("no port, DS Router") << "192.168.1.5" << 7000 << "192.168.1.5" << 7000;
        QTest::newRow("no host") << ":6000" << 5000 << "localhost" << 6000;
        QTest::newRow("port not a number") << "myhost:abc" << 5000 << "myhost" << 5000;
        QTest::newRow("empty") << "" << 7000 << "localhost" << 7000;
        QTest::newRow("blanks before the port") << "myhost:  6001" << 5000 << "myhost" << 6001;
        QTest::newRow("blank after the port") << "myhost:6001 " << 5000 << "myhost" << 5000;
        QTest::newRow("only the first colon splits") << "a:b:c" << 5000 << "a" << 5000;
        QTest::newRow("host kept as typed") << " myhost :1" << 5000 << " myhost " << 1;
        QTest::newRow("port not range-checked") << "h:70000" << 5000 << "h" << 70000;
    }

    void direccion()
    {
        QFETCH(QString, texto);
        QFETCH(int, defecto);
        QFETCH(QString, host);
        QFETCH(int, puerto);

        const DireccionServidor direccion = DividirDireccion(texto, defecto);
        QCOMPARE(direccion.host, host);
        QCOMPARE(direccion.puerto, puerto);

        TfrmInputServer dialogo;
        dialogo.PonerPuertoDefecto(defecto);
        dialogo.CBServidor->setEditText(texto);
        QCOMPARE(dialogo.Host(), host);
        QCOMPARE(dialogo.Puerto(), puerto);
    }

    void controles()
    {
        TfrmInputServer dialogo;
        QCOMPARE(dialogo.windowTitle(), QStringLiteral("Servidor Tarvel"));
        QCOMPARE(dialogo.PuertoDefecto(), 5000);
        QVERIFY(dialogo.ChkAutoConnect->isChecked());
        QVERIFY(dialogo.EURLTrack->text().isEmpty());
        QVERIFY(dialogo.BtnConectar->isDefault());
        QCOMPARE(dialogo.CBServidor->count(), 0);
    }

    // The list in "quenlap.ini": what a file holds, what is typed, how the dialog closes, and
    // what the file holds afterwards.
    void recientes_data()
    {
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<QStringList>("enFichero");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<bool>("conectar");
        QTest::addColumn<QStringList>("lista");
        QTest::addColumn<QStringList>("guardado");

        const QString recientes = QStringLiteral("Recientes");
        const QStringList abc = Lista("a,b,c");
        QTest::newRow("connecting to the last moves it to the top")
            << recientes << abc << "c" << true << Lista("c,a,b") << Lista("c,a,b");
        QTest::newRow("another case replaces the entry")
            << recientes << Lista("a,b") << "A" << true << Lista("A,b") << Lista("A,b");
        QTest::newRow("a new address goes on top")
            << recientes << Lista("a") << "h:1" << true << Lista("h:1,a") << Lista("h:1,a");
        QTest::newRow("the same address twice loads once")
            << recientes << Lista("x,x") << "x" << false << Lista("x") << Lista("x");
        QTest::newRow("cancelling saves the list unchanged")
            << recientes << abc << "zzz" << false << abc << abc;
        QTest::newRow("an empty text is not added")
            << recientes << Lista("a") << "" << true << Lista("a") << Lista("a");
        QTest::newRow("no file yet")
            << recientes << Lista("") << "h" << true << Lista("h") << Lista("h");
        QTest::newRow("the DS Router's own list")
            << QStringLiteral("RecientesDSRouter") << Lista("r1") << "r2:7001" << true
            << Lista("r2:7001,r1") << Lista("r2:7001,r1");
    }

    void recientes()
    {
        QFETCH(QString, seccion);
        QFETCH(QStringList, enFichero);
        QFETCH(QString, tecleado);
        QFETCH(bool, conectar);
        QFETCH(QStringList, lista);
        QFETCH(QStringList, guardado);

        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        IniFile ini(QDir(carpeta.path()).filePath(QStringLiteral("quenlap.ini")));
        ini.writeString(QStringLiteral("Otra"), QStringLiteral("Clave"), QStringLiteral("v"));
        if (!enFichero.isEmpty()) {
            ini.writeInteger(seccion, QStringLiteral("Total"), int(enFichero.size()));
            for (qsizetype i = 0; i < enFichero.size(); ++i)
                ini.writeString(seccion, QStringLiteral("Servidor%1").arg(i + 1), enFichero[i]);
        }

        {
            TfrmInputServer dialogo;
            dialogo.CargarRecientes(carpeta.path(), seccion);
            if (!enFichero.isEmpty())
                QCOMPARE(dialogo.CBServidor->currentText(), enFichero.first());
            dialogo.CBServidor->setEditText(tecleado);
            if (conectar)
                dialogo.BtnConectar->click();
            else
                dialogo.BtnCancelar->click();
            QCOMPARE(dialogo.result(), conectar ? int(QDialog::Accepted) : int(QDialog::Rejected));
            QCOMPARE(dialogo.Recientes(), lista);
        }

        QCOMPARE(ini.readInteger(seccion, QStringLiteral("Total"), -1), int(guardado.size()));
        for (qsizetype i = 0; i < guardado.size(); ++i) {
            QCOMPARE(ini.readString(seccion, QStringLiteral("Servidor%1").arg(i + 1), QString()),
                     guardado[i]);
        }
        QCOMPARE(ini.readString(QStringLiteral("Otra"), QStringLiteral("Clave"), QString()),
                 QStringLiteral("v"));
        if (seccion != QLatin1String("Recientes"))
            QVERIFY(!ini.sectionExists(QStringLiteral("Recientes")));
    }

    // Without a folder there is nothing to save to, and nothing is written anywhere.
    void sinCarpetaNoGuarda()
    {
        QTemporaryDir carpeta;
        const QString anterior = QDir::currentPath();
        QDir::setCurrent(carpeta.path());
        {
            TfrmInputServer dialogo;
            dialogo.CBServidor->setEditText(QStringLiteral("h"));
            dialogo.BtnConectar->click();
        }
        QDir::setCurrent(anterior);
        QVERIFY(QDir(carpeta.path()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(TestFrmInputServer)
#include "test_frminputserver.moc"
