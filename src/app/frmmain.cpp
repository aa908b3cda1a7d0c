#include "app/frmmain.h"

#include "app/frminputserver.h"
#include "app/splash.h"
#include "app/version.h"
#include "base/clock.h"
#include "base/error.h"
#include "base/global.h"
#include "base/idiomas.h"
#include "base/inifile.h"
#include "base/textos.h"
#include "base/translator.h"
#include "net/mensajestarvel.h"
#include "racewindow/frmlistavueltas.h"
#include "racewindow/uiseams.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

namespace quenlap {

namespace {

constexpr int PuertoDSRouter = 7000;

// Shows the busy cursor while it lives, also when an error escapes.
class CursorOcupado
{
public:
    CursorOcupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado &) = delete;
    CursorOcupado &operator=(const CursorOcupado &) = delete;
};

QByteArray Latin1(QStringView texto)
{
    return texto.toLatin1();
}

} // namespace

ArgumentosArranque LeerArgumentos(const QStringList &argumentos)
{
    ArgumentosArranque arranque;
    if (argumentos.size() < 2)
        return arranque;
    if (argumentos[0] == QLatin1String("-c")) {
        const DireccionServidor direccion =
            DividirDireccion(argumentos[1], TfrmInputServer::PuertoTarvel);
        arranque.pantallaFija = true;
        arranque.host = direccion.host;
        arranque.puerto = direccion.puerto;
    } else {
        arranque.ficheros = argumentos;
    }
    return arranque;
}

TFrmMain::TFrmMain(const Clock &clock, Translator &traductor, QWidget *parent)
    : QMainWindow(parent), reloj(clock), traductor(traductor),
      idiomas(std::make_unique<TListaIdiomas>())
{
    Area = new QMdiArea(this);
    Area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(Area);
    CrearMenus();
    retranslateUi();

    idiomas->CargarIdiomas(IniFile(RutaTarvelIni()));
    ConstruirMenuIdiomas();
    setWindowTitle(TituloPrincipal());
    setWindowState(windowState() | Qt::WindowMaximized);
    setAcceptDrops(true);
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::CrearMenus()
{
    Archivo1 = menuBar()->addMenu(QString());
    Abrir1 = Archivo1->addAction(QString(), this, &TFrmMain::Abrir1Click);
    CerrarTodo1 = Archivo1->addAction(QString(), this, &TFrmMain::CerrarTodo1Click);
    N2 = Archivo1->addSeparator();
    Conectar1 = Archivo1->addAction(QString(), this, &TFrmMain::Conectar1Click);
    ConectarDSSlot1 = Archivo1->addAction(QString(), this, &TFrmMain::ConectarDSSlot1Click);
    N1 = Archivo1->addSeparator();
    Salir1 = Archivo1->addAction(QString(), this, &TFrmMain::Salir1Click);

    Ver1 = menuBar()->addMenu(QString());
    Cascada1 = Ver1->addAction(QString(), this, &TFrmMain::Cascada1Click);
    Tile1 = Ver1->addAction(QString(), this, &TFrmMain::Tile1Click);
    Organizar1 = Ver1->addAction(QString(), this, &TFrmMain::Organizar1Click);
    connect(Ver1, &QMenu::aboutToShow, this, &TFrmMain::ActualizarListaVentanas);

    Herramientas1 = menuBar()->addMenu(QString());
    Opciones1 = Herramientas1->addAction(QString(), this, &TFrmMain::Opciones1Click);
    Idioma1 = Herramientas1->addMenu(QString());

    Acercade1 = menuBar()->addAction(QString(), this, &TFrmMain::Acercade1Click);
}

void TFrmMain::retranslateUi()
{
    Archivo1->setTitle(tr("&Archivo"));
    Abrir1->setText(tr("&Abrir"));
    CerrarTodo1->setText(tr("&Cerrar todo"));
    Conectar1->setText(tr("Conectar a &Tarvel"));
    ConectarDSSlot1->setText(tr("Conectar a &DS Router ..."));
    Salir1->setText(tr("&Salir"));
    Ver1->setTitle(tr("&Ventana"));
    Cascada1->setText(tr("&Cascada"));
    Tile1->setText(tr("&Mosaico"));
    Organizar1->setText(tr("&Reorganizar iconos"));
    Herramientas1->setTitle(tr("&Herramientas"));
    Opciones1->setText(tr("&Lectura ..."));
    Idioma1->setTitle(tr("&Idioma"));
    Acercade1->setText(tr("&Acerca de ..."));
}

void TFrmMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        setWindowTitle(TituloPrincipal());
    }
    QMainWindow::changeEvent(event);
}

void TFrmMain::ProcesarArgumentos(const QStringList &argumentos)
{
    const ArgumentosArranque arranque = LeerArgumentos(argumentos);
    if (arranque.pantallaFija) {
        PonerModoPantallaFija();
        ConectarATarvel(arranque.host, arranque.puerto, QByteArray(), true);
    } else {
        for (const QString &fichero : arranque.ficheros)
            AbrirFicheroDatos(fichero);
    }
}

void TFrmMain::PonerModoPantallaFija()
{
    pantallaFija = true;
    for (QAction *accion : {Abrir1, CerrarTodo1, N2, Conectar1, ConectarDSSlot1, N1})
        accion->setVisible(false);
    Ver1->menuAction()->setVisible(false);
    setAcceptDrops(false);
}

QString TFrmMain::LeerLogo() const
{
    return IniFile(RutaTarvelIni())
        .readString(QStringLiteral("Monitor"), QStringLiteral("Logo"), QString());
}

TFrmListaVueltas *TFrmMain::CrearVentanaCarrera()
{
    auto *ventana = new TFrmListaVueltas(reloj);
    QMdiSubWindow *marco = Area->addSubWindow(ventana);
    marco->setAttribute(Qt::WA_DeleteOnClose);
    marco->showMaximized();
    return ventana;
}

void TFrmMain::DestruirVentanaCarrera(TFrmListaVueltas *ventana)
{
    // Freed, not closed: a window that never got its source has nothing to save.
    std::unique_ptr<QWidget> marco(ventana->parentWidget());
    Area->removeSubWindow(marco.get());
}

TFrmListaVueltas *TFrmMain::PrepararVentana(const char *textoError,
                                            const std::function<void(TFrmListaVueltas &)> &preparar)
{
    TFrmListaVueltas *ventana = CrearVentanaCarrera();
    try {
        ventana->PonerLogo(LeerLogo());
        preparar(*ventana);
        return ventana;
    } catch (const std::exception &error) {
        const auto *propio = dynamic_cast<const Error *>(&error);
        const QString mensaje = propio ? propio->message() : QString::fromLocal8Bit(error.what());
        DestruirVentanaCarrera(ventana);
        ui::MessageBox::error(this, TextoRecurso(textoError) + QStringLiteral(". ") + mensaje);
    }
    return nullptr;
}

TFrmListaVueltas *TFrmMain::AbrirFicheroDatos(const QString &Fichero)
{
    return PrepararVentana(Recursos::ErrorCargandoFichero,
                           [&](TFrmListaVueltas &ventana) { ventana.AbrirFichero(Fichero); });
}

void TFrmMain::AbrirFicherosDatos(const QStringList &Ficheros)
{
    const CursorOcupado cursor;
    for (const QString &fichero : Ficheros)
        AbrirFicheroDatos(fichero);
    if (Ficheros.size() > 1)
        Area->cascadeSubWindows();
}

TFrmListaVueltas *TFrmMain::ConectarATarvel(const QString &host, int puerto,
                                            const QByteArray &urlPista, bool reconectar)
{
    const CursorOcupado cursor;
    return PrepararVentana(Recursos::ErrorConectandoTarvel, [&](TFrmListaVueltas &ventana) {
        ventana.PanelCarrera->show();
        ventana.Reconectar = reconectar;
        ventana.ConectarTarvel(host, puerto, Latin1(MensajesTarvel::UsuarioFijo),
                               Latin1(MensajesTarvel::ClaveFijo));
        ventana.PonerUrlPista(urlPista);
        ventana.MostrarPista(false);
    });
}

TFrmListaVueltas *TFrmMain::ConectarADSRouter(const QString &host, int puerto, bool reconectar)
{
    return PrepararVentana(Recursos::ErrorConectandoTarvel, [&](TFrmListaVueltas &ventana) {
        ventana.PanelCarrera->show();
        ventana.Reconectar = reconectar;
        ventana.DisposicionDSRouter();
        ventana.ConectarDSRouter(host, puerto);
    });
}

QList<TFrmListaVueltas *> TFrmMain::VentanasCarrera() const
{
    QList<TFrmListaVueltas *> ventanas;
    for (QMdiSubWindow *marco : Area->subWindowList(QMdiArea::CreationOrder)) {
        if (auto *ventana = qobject_cast<TFrmListaVueltas *>(marco->widget()))
            ventanas.append(ventana);
    }
    return ventanas;
}

void TFrmMain::Abrir1Click()
{
    const QStringList ficheros = ui::FileDialog::getOpenFileNames(
        this, QString(),
        tr("Archivos de datos de Tarvel (*.dat)") + QStringLiteral(";;") +
            tr("Archivos de pelta (*.plresult)") + QStringLiteral(";;") +
            tr("Todos los archivos (*.*)"),
        QStringLiteral("dat"));
    if (ficheros.isEmpty())
        return;
    AbrirFicherosDatos(ficheros);
}

void TFrmMain::CerrarTodo1Click()
{
    Area->closeAllSubWindows();
}

void TFrmMain::Conectar1Click()
{
    QString host;
    int puerto = 0;
    QByteArray urlPista;
    bool reconectar = true;
    {
        TfrmInputServer dialogo(this);
        dialogo.PonerPuertoDefecto(TfrmInputServer::PuertoTarvel);
        dialogo.CargarRecientes(CarpetaConfiguracion());
        if (dialogo.exec() != QDialog::Accepted)
            return;
        host = dialogo.Host();
        puerto = dialogo.Puerto();
        urlPista = dialogo.EURLTrack->text().toLatin1();
        reconectar = dialogo.ChkAutoConnect->isChecked();
    }
    ConectarATarvel(host, puerto, urlPista, reconectar);
}

void TFrmMain::ConectarDSSlot1Click()
{
    QString host;
    int puerto = 0;
    bool reconectar = true;
    {
        TfrmInputServer dialogo(this);
        dialogo.PonerModoDSRouter(tr("Conexion a DS Router - Slot"), tr("Servidor DSRouter"));
        dialogo.PonerPuertoDefecto(PuertoDSRouter);
        dialogo.CargarRecientes(CarpetaConfiguracion(), QStringLiteral("RecientesDSRouter"));
        if (dialogo.CBServidor->currentText().isEmpty())
            dialogo.CBServidor->setEditText(QStringLiteral("localhost"));
        if (dialogo.exec() != QDialog::Accepted)
            return;
        host = dialogo.Host();
        puerto = dialogo.Puerto();
        reconectar = dialogo.ChkAutoConnect->isChecked();
    }
    ConectarADSRouter(host, puerto, reconectar);
}

void TFrmMain::Salir1Click()
{
    close();
}

void TFrmMain::Cascada1Click()
{
    Area->cascadeSubWindows();
}

void TFrmMain::Tile1Click()
{
    Area->tileSubWindows();
}

void TFrmMain::Organizar1Click()
{
    // Minimised windows line up along the bottom of the area, as icons do.
    const QList<QMdiSubWindow *> marcos = Area->subWindowList(QMdiArea::CreationOrder);
    int x = 0;
    for (QMdiSubWindow *marco : marcos) {
        if (!marco->isMinimized())
            continue;
        const QSize tamano = marco->minimumSizeHint();
        marco->move(x, Area->viewport()->height() - tamano.height());
        x += tamano.width();
    }
}

void TFrmMain::Opciones1Click()
{
    if (!ventanaLectura)
        return;
    if (auto *dialogo = qobject_cast<QDialog *>(ventanaLectura)) {
        dialogo->exec();
        return;
    }
    ventanaLectura->setWindowModality(Qt::ApplicationModal);
    ventanaLectura->show();
}

void TFrmMain::Acercade1Click()
{
    TSplash acercaDe(true, this);
    acercaDe.exec();
}

void TFrmMain::ActualizarListaVentanas()
{
    for (QAction *accion : std::as_const(accionesVentanas))
        Ver1->removeAction(accion);
    qDeleteAll(std::exchange(accionesVentanas, {}));
    if (pantallaFija)
        return;
    const QList<QMdiSubWindow *> marcos = Area->subWindowList(QMdiArea::CreationOrder);
    if (marcos.isEmpty())
        return;
    QAction *separador = new QAction(Ver1);
    separador->setSeparator(true);
    accionesVentanas.append(separador);
    int numero = 1;
    for (QMdiSubWindow *marco : marcos) {
        auto *accion =
            new QAction(QStringLiteral("&%1 %2").arg(numero++).arg(marco->windowTitle()), Ver1);
        accion->setCheckable(true);
        accion->setChecked(marco == Area->activeSubWindow());
        connect(accion, &QAction::triggered, Area,
                [this, marco] { Area->setActiveSubWindow(marco); });
        accionesVentanas.append(accion);
    }
    Ver1->addActions(accionesVentanas);
}

void TFrmMain::ConstruirMenuIdiomas()
{
    Idioma1->clear();
    for (int i = 0; i < idiomas->Count(); ++i) {
        Idioma1->addAction(idiomas->Items(i).NombreIdioma, this, [this, i] { ElegirIdioma(i); });
    }
}

void TFrmMain::ElegirIdioma(int indice)
{
    const QString codigo = idiomas->Items(indice).CodigoIdioma;
    // Installing the catalogue sends LanguageChange to every widget: each window translates
    // itself again in its changeEvent.
    traductor.useLanguage(codigo);
    try {
        IniFile tarvel(RutaTarvelIni());
        Translator::rememberLanguage(tarvel, codigo);
    } catch (const Error &error) {
        ui::MessageBox::error(this, error.message());
    }
    ConstruirMenuIdiomas();
    setWindowTitle(TituloPrincipal());
}

void TFrmMain::closeEvent(QCloseEvent *event)
{
    // Every race window closes as the user would close it, so each writes its race copy.
    Area->closeAllSubWindows();
    event->accept();
}

void TFrmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!pantallaFija && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFrmMain::dropEvent(QDropEvent *event)
{
    if (pantallaFija)
        return;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            AbrirFicheroDatos(url.toLocalFile());
    }
    event->acceptProposedAction();
}

} // namespace quenlap
