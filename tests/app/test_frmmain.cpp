#include "app/frminputserver.h"
#include "app/frmmain.h"
#include "app/splash.h"
#include "base/clock.h"
#include "base/error.h"
#include "base/global.h"
#include "base/idiomas.h"
#include "base/inifile.h"
#include "base/translator.h"
#include "model/listacoches.h"
#include "model/listavueltas.h"
#include "racewindow/frmlistavueltas.h"
#include "racewindow/uiseams.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace quenlap;

namespace {

QStringList Lista(const char *elementos)
{
    return QString::fromLatin1(elementos).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList Titulos(const TFrmMain &principal)
{
    QStringList titulos;
    for (const TFrmListaVueltas *ventana : principal.VentanasCarrera())
        titulos.append(ventana->windowTitle());
    return titulos;
}

void Soltar(TFrmMain &principal, const QStringList &ficheros)
{
    QMimeData datos;
    QList<QUrl> urls;
    for (const QString &fichero : ficheros)
        urls.append(QUrl::fromLocalFile(fichero));
    datos.setUrls(urls);
    QDragEnterEvent entrada(QPoint(10, 10), Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&principal, &entrada);
    if (!entrada.isAccepted())
        return;
    QDropEvent soltar(QPointF(10, 10), Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&principal, &soltar);
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(carpeta.isValid());
        FijarCarpetaConfiguracion(carpeta.path());
        QDir::setCurrent(carpeta.path());
        ui::MessageBox::setAnswerAll(QMessageBox::Ok);
        muestra = QStringLiteral(QUENLAP_SAMPLES "/sample-race.dat");
        segunda = carpeta.filePath(QStringLiteral("segunda.dat"));
        tercera = carpeta.filePath(QStringLiteral("tercera.dat"));
        QVERIFY(QFile::copy(muestra, segunda));
        QVERIFY(QFile::copy(muestra, tercera));
    }

    void init() { ui::MessageBox::takeShownTexts(); }

    void argumentos_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QStringList>("ficheros");
        QTest::addColumn<bool>("pantallaFija");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("puerto");

        QTest::newRow("none") << Lista("") << Lista("") << false << "" << 0;
        QTest::newRow("one file opens nothing") << Lista("a.dat") << Lista("") << false << "" << 0;
        QTest::newRow("two files, in order")
            << Lista("b.dat a.dat") << Lista("b.dat a.dat") << false << "" << 0;
        QTest::newRow("-c alone opens nothing") << Lista("-c") << Lista("") << false << "" << 0;
        QTest::newRow("-c host and port")
            << Lista("-c localhost:6001") << Lista("") << true << "localhost" << 6001;
        QTest::newRow("-c without port")
            << Lista("-c myhost") << Lista("") << true << "myhost" << 5000;
        QTest::newRow("-c without host")
            << Lista("-c :6001") << Lista("") << true << "localhost" << 6001;
        QTest::newRow("-c further arguments ignored")
            << Lista("-c h:7 x.dat") << Lista("") << true << "h" << 7;
        QTest::newRow("-c not first: files")
            << Lista("a.dat -c") << Lista("a.dat -c") << false << "" << 0;
    }

    void argumentos()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QStringList, ficheros);
        QFETCH(bool, pantallaFija);
        QFETCH(QString, host);
        QFETCH(int, puerto);

        const ArgumentosArranque arranque = LeerArgumentos(argumentos);
        QCOMPARE(arranque.ficheros, ficheros);
        QCOMPARE(arranque.pantallaFija, pantallaFija);
        if (pantallaFija) {
            QCOMPARE(arranque.host, host);
            QCOMPARE(arranque.puerto, puerto);
        }
    }

    void argumentosAbrenFicheros()
    {
        {
            TFrmMain principal(reloj, traductor);
            principal.ProcesarArgumentos({muestra});
            QVERIFY(principal.VentanasCarrera().isEmpty());
        }
        TFrmMain principal(reloj, traductor);
        principal.ProcesarArgumentos({segunda, muestra});
        QCOMPARE(Titulos(principal), QStringList({QStringLiteral("Vueltas de ") + segunda,
                                                  QStringLiteral("Vueltas de ") + muestra}));
        QVERIFY(!principal.PantallaFija());
        QVERIFY(principal.Ver1->menuAction()->isVisible());
        QVERIFY(principal.acceptDrops());
    }

    void argumentoConexion_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("puerto");

        QTest::newRow("host and port") << "localhost:6001"
                                       << "localhost" << 6001;
        QTest::newRow("no port") << "127.0.0.1"
                                 << "127.0.0.1" << 5000;
        QTest::newRow("no host") << ":6001"
                                 << "localhost" << 6001;
    }

    // "-c": one race window on that race server, reconnecting, and a frame with nothing else.
    void argumentoConexion()
    {
        QFETCH(QString, direccion);
        QFETCH(QString, host);
        QFETCH(int, puerto);

        TFrmMain principal(reloj, traductor);
        principal.ProcesarArgumentos({QStringLiteral("-c"), direccion});
        const QList<TFrmListaVueltas *> ventanas = principal.VentanasCarrera();
        QCOMPARE(ventanas.size(), 1);
        const TFrmListaVueltas &ventana = *ventanas.first();
        QCOMPARE(ventana.Origen, int(TFrmListaVueltas::OrigenTarvel));
        QCOMPARE(ventana.Servidor, host);
        QCOMPARE(ventana.Puerto, puerto);
        QCOMPARE(ventana.Usuario, QByteArray("orvek"));
        QCOMPARE(ventana.Clave, QByteArray("qamitul"));
        QVERIFY(ventana.Reconectar);
        QVERIFY(!ventana.PanelCarrera->isHidden());

        QVERIFY(principal.PantallaFija());
        for (QAction *oculta :
             {principal.Abrir1, principal.CerrarTodo1, principal.N2, principal.Conectar1,
              principal.ConectarDSSlot1, principal.N1, principal.Ver1->menuAction()})
            QVERIFY(!oculta->isVisible());
        for (QAction *visible :
             {principal.Salir1, principal.Herramientas1->menuAction(), principal.Acercade1})
            QVERIFY(visible->isVisible());
        QVERIFY(!principal.acceptDrops());
        Soltar(principal, {muestra});
        QCOMPARE(principal.VentanasCarrera().size(), 1);
    }

    void ficherosSoltados()
    {
        TFrmMain principal(reloj, traductor);
        Soltar(principal, {tercera, muestra});
        QCOMPARE(Titulos(principal), QStringList({QStringLiteral("Vueltas de ") + tercera,
                                                  QStringLiteral("Vueltas de ") + muestra}));
    }

    void dialogoAbrir_data()
    {
        QTest::addColumn<int>("cuantos");
        QTest::newRow("one file, not cascaded") << 1;
        QTest::newRow("three files, cascaded") << 3;
    }

    void dialogoAbrir()
    {
        QFETCH(int, cuantos);
        const QStringList ficheros = QStringList({muestra, segunda, tercera}).mid(0, cuantos);

        TFrmMain principal(reloj, traductor);
        principal.resize(1000, 800);
        principal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&principal));
        ui::FileDialog::setNextFileNames(ficheros);
        principal.Abrir1->trigger();

        QStringList esperados;
        for (const QString &fichero : ficheros)
            esperados.append(QStringLiteral("Vueltas de ") + fichero);
        QCOMPARE(Titulos(principal), esperados);
        const QList<QMdiSubWindow *> marcos =
            principal.Area->subWindowList(QMdiArea::CreationOrder);
        for (const QMdiSubWindow *marco : marcos)
            QCOMPARE(marco->isMaximized(), cuantos == 1);
        for (qsizetype i = 1; i < marcos.size(); ++i)
            QVERIFY(marcos[i]->pos().y() > marcos[i - 1]->pos().y());

        // Cancelling the dialog opens nothing.
        ui::FileDialog::setNextFileNames({});
        principal.Abrir1->trigger();
        QCOMPARE(principal.VentanasCarrera().size(), cuantos);
    }

    // A file that fails leaves no window behind and says why; the other files still open.
    void ficheroQueFalla()
    {
        const QString mala = carpeta.filePath(QStringLiteral("mala.dat"));
        QFile fichero(mala);
        QVERIFY(fichero.open(QIODevice::WriteOnly));
        fichero.write("esto no es una vuelta\r\n");
        fichero.close();
        QString motivo;
        try {
            TListaCoches coches;
            TListaVueltas vueltas;
            vueltas.CargarFichero(mala, coches);
        } catch (const Error &error) {
            motivo = error.message();
        }
        QVERIFY(!motivo.isEmpty());

        TFrmMain principal(reloj, traductor);
        QVERIFY(!principal.AbrirFicheroDatos(mala));
        QVERIFY(principal.VentanasCarrera().isEmpty());
        QVERIFY(principal.Area->subWindowList().isEmpty());
        QCOMPARE(ui::MessageBox::takeShownTexts(),
                 QStringList(QStringLiteral("Error cargando fichero de datos. ") + motivo));

        ui::FileDialog::setNextFileNames({mala, muestra});
        principal.Abrir1->trigger();
        QCOMPARE(Titulos(principal), QStringList(QStringLiteral("Vueltas de ") + muestra));
        QCOMPARE(ui::MessageBox::takeShownTexts().size(), 1);
    }

    void cerrarTodo()
    {
        TFrmMain principal(reloj, traductor);
        principal.AbrirFicherosDatos({muestra, segunda});
        QCOMPARE(principal.VentanasCarrera().size(), 2);

        // The "&Ventana" menu lists the windows and activates the one chosen.
        emit principal.Ver1->aboutToShow();
        QStringList lista;
        QAction *primera = nullptr;
        for (QAction *accion : principal.Ver1->actions()) {
            if (accion->text().startsWith(QLatin1Char('&')) && accion->text().at(1).isDigit()) {
                lista.append(accion->text());
                if (!primera)
                    primera = accion;
            }
        }
        QCOMPARE(lista, QStringList({QStringLiteral("&1 Vueltas de ") + muestra,
                                     QStringLiteral("&2 Vueltas de ") + segunda}));
        primera->trigger();
        QCOMPARE(principal.Area->activeSubWindow()->widget(), principal.VentanasCarrera().first());

        principal.CerrarTodo1->trigger();
        QTRY_VERIFY(principal.Area->subWindowList().isEmpty());
    }

    // A language choice translates every open window, is remembered, and keeps the submenu.
    void idioma()
    {
        TFrmMain principal(reloj, traductor);
        principal.AbrirFicheroDatos(muestra);
        const QStringList menu = [&] {
            QStringList nombres;
            for (const QAction *accion : principal.Idioma1->actions())
                nombres.append(accion->text());
            return nombres;
        }();
        QCOMPARE(menu.size(), principal.Idiomas().Count());
        QCOMPARE(menu.first(), QStringLiteral("Español"));

        int ingles = -1;
        for (int i = 0; i < principal.Idiomas().Count(); ++i) {
            if (principal.Idiomas().Items(i).CodigoIdioma == QLatin1String("en_US"))
                ingles = i;
        }
        QVERIFY(ingles >= 0);
        principal.Idioma1->actions().at(ingles)->trigger();
        QCoreApplication::processEvents();

        QCOMPARE(principal.Abrir1->text(), QStringLiteral("&Open"));
        QCOMPARE(principal.windowTitle(), QStringLiteral("Tarvel Viewer 1.12 Build 25"));
        const TFrmListaVueltas &ventana = *principal.VentanasCarrera().first();
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Laps of ") + muestra);
        QCOMPARE(
            IniFile(RutaTarvelIni())
                .readString(QStringLiteral("CONFIGURACION"), QStringLiteral("Idioma"), QString()),
            QStringLiteral("en_US"));
        QStringList despues;
        for (const QAction *accion : principal.Idioma1->actions())
            despues.append(accion->text());
        QCOMPARE(despues, menu);

        principal.Idioma1->actions().at(0)->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(principal.Abrir1->text(), QStringLiteral("&Abrir"));
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Vueltas de ") + muestra);
    }

    // "Conectar a &Tarvel": the address dialog, then a race window on that server; the address
    // joins the recent servers.
    void conectarTarvelConDialogo()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        const QString direccion = QStringLiteral("127.0.0.1:%1").arg(servidor.serverPort());
        TFrmMain principal(reloj, traductor);
        bool contestado = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialogo = qobject_cast<TfrmInputServer *>(QApplication::activeModalWidget());
            if (!dialogo)
                return;
            contestado = dialogo->windowTitle() == QLatin1String("Servidor Tarvel") &&
                         dialogo->EURLTrack->isVisibleTo(dialogo);
            dialogo->CBServidor->setEditText(direccion);
            dialogo->ChkAutoConnect->setChecked(false);
            dialogo->BtnConectar->click();
        });
        principal.Conectar1->trigger();
        QVERIFY(contestado);

        QCOMPARE(principal.VentanasCarrera().size(), 1);
        const TFrmListaVueltas &ventana = *principal.VentanasCarrera().first();
        QCOMPARE(ventana.Origen, int(TFrmListaVueltas::OrigenTarvel));
        QCOMPARE(ventana.Servidor, QStringLiteral("127.0.0.1"));
        QCOMPARE(ventana.Puerto, int(servidor.serverPort()));
        QVERIFY(!ventana.Reconectar);
        QVERIFY(!ventana.PanelCarrera->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(servidor.hasPendingConnections(), 15000);
        const IniFile quenlap(RutaQuenlapIni());
        QCOMPARE(
            quenlap.readString(QStringLiteral("Recientes"), QStringLiteral("Servidor1"), QString()),
            direccion);
    }

    // "Conectar a &DS Router ...": the same dialog relabelled, port 7000 unless typed, and a list
    // of recent DS Routers of its own.
    void conectarDSRouterConDialogo()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        const QString direccion = QStringLiteral(":%1").arg(servidor.serverPort());
        TFrmMain principal(reloj, traductor);
        QStringList vistos;
        int puertoDefecto = 0;
        QTimer::singleShot(0, this, [&] {
            auto *dialogo = qobject_cast<TfrmInputServer *>(QApplication::activeModalWidget());
            if (!dialogo)
                return;
            vistos = QStringList{dialogo->windowTitle(), dialogo->Label1->text(),
                                 dialogo->CBServidor->currentText()};
            puertoDefecto = dialogo->Puerto();
            QVERIFY(!dialogo->EURLTrack->isVisibleTo(dialogo));
            dialogo->CBServidor->setEditText(direccion);
            dialogo->BtnConectar->click();
        });
        principal.ConectarDSSlot1->trigger();
        QCOMPARE(vistos,
                 QStringList({QStringLiteral("Conexion a DS Router - Slot"),
                              QStringLiteral("Servidor DSRouter"), QStringLiteral("localhost")}));
        QCOMPARE(puertoDefecto, 7000);

        QCOMPARE(principal.VentanasCarrera().size(), 1);
        const TFrmListaVueltas &ventana = *principal.VentanasCarrera().first();
        QCOMPARE(ventana.Origen, int(TFrmListaVueltas::OrigenDSRouter));
        QCOMPARE(ventana.Servidor, QStringLiteral("localhost"));
        QCOMPARE(ventana.Puerto, int(servidor.serverPort()));
        QVERIFY(ventana.Reconectar);
        QTRY_VERIFY_WITH_TIMEOUT(servidor.hasPendingConnections(), 15000);
        const IniFile quenlap(RutaQuenlapIni());
        QCOMPARE(quenlap.readString(QStringLiteral("RecientesDSRouter"),
                                    QStringLiteral("Servidor1"), QString()),
                 direccion);
    }

    void conectarCancelado()
    {
        TFrmMain principal(reloj, traductor);
        QTimer::singleShot(0, this, [] {
            if (auto *dialogo = qobject_cast<TfrmInputServer *>(QApplication::activeModalWidget()))
                dialogo->BtnCancelar->click();
        });
        principal.Conectar1->trigger();
        QVERIFY(principal.VentanasCarrera().isEmpty());
    }

    // A connection that cannot be set up leaves no window and says why.
    void conexionImposible()
    {
        TFrmMain principal(reloj, traductor);
        QVERIFY(!principal.ConectarATarvel(QStringLiteral("localhost"), 70000, QByteArray(), true));
        QVERIFY(!principal.ConectarADSRouter(QStringLiteral("localhost"), -1, true));
        QVERIFY(principal.Area->subWindowList().isEmpty());
        const QStringList mostrados = ui::MessageBox::takeShownTexts();
        QCOMPARE(mostrados.size(), 2);
        for (const QString &texto : mostrados)
            QVERIFY2(texto.startsWith(QLatin1String("Error conectando con Tarvel. ")),
                     qPrintable(texto));
        QVERIFY(mostrados[0].contains(QLatin1String("70000")));
        QVERIFY(mostrados[1].contains(QLatin1String("-1")));
    }

    // At start-up the picture ignores clicks; the about box closes on one.
    void acercaDe()
    {
        for (const bool conAviso : {false, true}) {
            TSplash splash(conAviso);
            QCOMPARE(splash.size(), QSize(534, 292));
            QVERIFY(!splash.Image1->pixmap().isNull());
            QCOMPARE(splash.Image1->pixmap().size(), QSize(534, 292));
            QCOMPARE(splash.lVersion->text(), QStringLiteral("Version 1.12 Build 25"));
            splash.show();
            QVERIFY(QTest::qWaitForWindowExposed(&splash));
            QTest::mouseClick(splash.Image1, Qt::LeftButton);
            QCOMPARE(splash.isVisible(), !conAviso);
            QCOMPARE(splash.result(), conAviso ? int(QDialog::Accepted) : 0);
        }
    }

private:
    QTemporaryDir carpeta;
    ManualClock reloj;
    Translator traductor;
    QString muestra;
    QString segunda;
    QString tercera;
};

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
