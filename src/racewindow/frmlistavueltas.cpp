#include "racewindow/frmlistavueltas.h"

#include "base/clock.h"
#include "base/colors.h"
#include "base/error.h"
#include "base/errorreporter.h"
#include "base/racetime.h"
#include "model/clasificacion.h"
#include "model/coche.h"
#include "model/copiacarrera.h"
#include "model/listacoches.h"
#include "model/listavueltas.h"
#include "net/clientetarvel.h"
#include "net/clientsocket.h"
#include "net/dsrouter.h"
#include "racewindow/relojcarrera.h"
#include "racewindow/uiseams.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

// Resources of a static library are only linked when something asks for them by name.
static void CargarRecursosVentana()
{
    Q_INIT_RESOURCE(racewindow);
}

namespace quenlap {

namespace {

constexpr int IntervaloConexionMs = 3000;
constexpr int IntervaloRelojMs = 100;
// A refused connect on Windows takes about a second to come back; here it is instant, and a retry
// "at once" after each refusal would spin the user-interface thread. The next attempt after a
// socket error waits this long, posted like the immediate one.
constexpr int PausaReintentoMs = 1000;
// The DS Router parser is asked again with no new text while it finds records, up to this many
// calls per read notification.
constexpr int MaxLlamadasProcesar = 1001;

QColor ColorQt(TColor color)
{
    int rojo = 0, verde = 0, azul = 0;
    ColorToRgb(color, rojo, verde, azul);
    return QColor(rojo, verde, azul);
}

void PonerFondo(QWidget *widget, TColor color)
{
    QPalette paleta = widget->palette();
    paleta.setColor(QPalette::Window, ColorQt(color));
    widget->setPalette(paleta);
    widget->setAutoFillBackground(true);
}

QWidget *CrearPagina(QWidget *parent)
{
    auto *pagina = new QWidget(parent);
    auto *layout = new QVBoxLayout(pagina);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return pagina;
}

} // namespace

TFrmListaVueltas::TFrmListaVueltas(const Clock &clock, QWidget *parent)
    : QMainWindow(parent), reloj(clock)
{
    CrearComponentes();
    retranslateUi();

    CopiaCarrera = std::make_unique<TCopiaCarrera>();
    Image1->hide();
    Image2->hide();

    Router = std::make_unique<TDSRouter>(reloj);
    Origen = OrigenFichero;

    LeerOpciones();
    ColumnaOrden = 0;
    OrdenAscendente = true;

    Coches = std::make_unique<TListaCoches>();
    ListaVueltas = std::make_unique<TListaVueltas>();
    CrearPaginasCarrera();
    retranslateUi();
}

TFrmListaVueltas::~TFrmListaVueltas()
{
    // Nothing of the sources may reach a window that is going away.
    Cerrando = true;
    TimerConexion->stop();
    TimerReintento->stop();
    Reloj->stop();
    QObject::disconnect(ClienteDS, nullptr, this, nullptr);
    Tarvel.reset();

    ErrorReporter::guard([this] { GuardarOpciones(); });
    LimpiarRejilla();
    VueltasPorNumero.clear();
    tablas.reset();
    // Laps point at their competitors: they go first.
    ListaVueltas.reset();
    UltimoCoche = nullptr;
    MejorCoche = nullptr;
    LiderAnunciado = nullptr;
    Coches.reset();
    Router.reset();
}

void TFrmListaVueltas::CrearComponentes()
{
    Paginas = new QTabWidget(this);
    setCentralWidget(Paginas);

    PaginaCorredores = CrearPagina(Paginas);
    CrearPanelCarrera();
    Splitter1 = new QSplitter(Qt::Vertical, PaginaCorredores);
    auto *zona = new QWidget(Splitter1);
    ZonaCoches = new QVBoxLayout(zona);
    ZonaCoches->setContentsMargins(0, 0, 0, 0);
    Panel3 = new QWidget(Splitter1);
    Panel3->setMinimumHeight(0);
    auto *layoutPanel3 = new QHBoxLayout(Panel3);
    layoutPanel3->setContentsMargins(0, 0, 0, 0);
    Panel2 = new QWidget(Panel3);
    PanelTrack = new QWidget(Panel3);
    layoutPanel3->addWidget(Panel2);
    layoutPanel3->addWidget(PanelTrack, 1);
    // The position chart and the track replay come with their own pages of work; until then the
    // bottom panel has nothing to show.
    Panel3->hide();
    Splitter1->addWidget(zona);
    Splitter1->addWidget(Panel3);
    Splitter1->setStretchFactor(0, 1);
    PaginaCorredores->layout()->addWidget(PanelCarrera);
    PaginaCorredores->layout()->addWidget(Splitter1);

    PaginaTiempos = CrearPagina(Paginas);
    ZonaTiempos = static_cast<QVBoxLayout *>(PaginaTiempos->layout());
    Image2 = new QLabel(PaginaTiempos);
    PaginaGrafica = CrearPagina(Paginas);
    TabMonitor = CrearPagina(Paginas);
    PaginaLog = CrearPagina(Paginas);
    for (QWidget *pagina : {PaginaCorredores, PaginaTiempos, PaginaGrafica, TabMonitor, PaginaLog})
        Paginas->addTab(pagina, QString());

    const std::array<int, 6> anchos = {50, 50, 70, 30, 80, 50};
    for (std::size_t i = 0; i < StatusBar.size(); ++i) {
        StatusBar[i] = new QLabel(this);
        StatusBar[i]->setMinimumWidth(anchos[i]);
        statusBar()->addWidget(StatusBar[i], i + 1 == StatusBar.size() ? 1 : 0);
    }
    StatusBar[1]->setText(QStringLiteral("0"));
    StatusBar[3]->setText(QStringLiteral("0"));
    StatusBar[5]->setText(QStringLiteral("0"));

    TimerConexion = new QTimer(this);
    TimerConexion->setInterval(IntervaloConexionMs);
    connect(TimerConexion, &QTimer::timeout, this, &TFrmListaVueltas::TimerConexionTimer);
    TimerReintento = new QTimer(this);
    TimerReintento->setSingleShot(true);
    TimerReintento->setInterval(PausaReintentoMs);
    connect(TimerReintento, &QTimer::timeout, this, &TFrmListaVueltas::Reconexion);
    Reloj = new QTimer(this);
    Reloj->setInterval(IntervaloRelojMs);
    connect(Reloj, &QTimer::timeout, this, &TFrmListaVueltas::RelojTimer);

    PopupMenu2 = new QMenu(this);
    CopiarRejilla1 = PopupMenu2->addAction(QString());
    Desconectar1 = PopupMenu2->addAction(QString());
    connect(PopupMenu2, &QMenu::aboutToShow, this, &TFrmListaVueltas::PopupMenu2Popup);
    connect(Desconectar1, &QAction::triggered, this, &TFrmListaVueltas::Desconectar1Click);

    Tarvel = std::make_unique<TClienteTarvel>();
    TClienteTarvel *cliente = Tarvel.get();
    connect(cliente, &TClienteTarvel::OnConnect, this, &TFrmListaVueltas::TarvelConnect);
    connect(cliente, &TClienteTarvel::OnDisconnect, this, &TFrmListaVueltas::TarvelDisconnect);
    connect(cliente, &TClienteTarvel::OnSocketError, this,
            [this](TConexion *, SocketErrorEvent evento, int codigo) {
                TarvelSocketError(evento, codigo);
            });
    connect(cliente, &TClienteTarvel::OnEstado, this, &TFrmListaVueltas::TarvelEstado);
    connect(cliente, &TClienteTarvel::OnInicio, this, &TFrmListaVueltas::TarvelInicio);
    connect(cliente, &TClienteTarvel::OnVuelta, this, &TFrmListaVueltas::TarvelVuelta);
    connect(cliente, &TClienteTarvel::OnFin, this, &TFrmListaVueltas::TarvelFin);
    connect(cliente, &TClienteTarvel::OnPausa, this, &TFrmListaVueltas::TarvelPausa);
    connect(cliente, &TClienteTarvel::OnCrono, this, &TFrmListaVueltas::TarvelCrono);
    connect(cliente, &TClienteTarvel::OnTTS, this, &TFrmListaVueltas::TarvelTTS);
    connect(cliente, &TClienteTarvel::OnLimiteConexion, this,
            &TFrmListaVueltas::TarvelLimiteConexion);
    connect(cliente, &TClienteTarvel::OnFinCoche, this, &TFrmListaVueltas::TarvelFinCoche);
    connect(cliente, &TClienteTarvel::OnDuracion, this, &TFrmListaVueltas::TarvelDuracion);
    connect(cliente, &TClienteTarvel::OnDescartarPrimeraVuelta, this,
            &TFrmListaVueltas::TarvelDescartarPrimeraVuelta);

    ClienteDS = new ClientSocket(this);
    connect(ClienteDS, &ClientSocket::connected, this, &TFrmListaVueltas::ClienteDSConnect);
    connect(ClienteDS, &ClientSocket::disconnected, this, &TFrmListaVueltas::ClienteDSDisconnect);
    connect(ClienteDS, &ClientSocket::readable, this, &TFrmListaVueltas::ClienteDSRead);
    connect(ClienteDS, &ClientSocket::errorOccurred, this, &TFrmListaVueltas::ClienteDSError);

    CargarBitmaps();
}

void TFrmListaVueltas::CrearPanelCarrera()
{
    PanelCarrera = new QFrame(PaginaCorredores);
    PanelCarrera->setFixedHeight(80);
    PonerFondo(PanelCarrera, Colores::clBackground);
    auto *layout = new QHBoxLayout(PanelCarrera);
    layout->setContentsMargins(4, 2, 4, 2);

    Image1 = new QLabel(PanelCarrera);
    lCarrera = new QLabel(PanelCarrera);
    lCarrera->setAlignment(Qt::AlignCenter);
    lCarrera->setWordWrap(true);
    QFont fuenteCarrera(QStringLiteral("Verdana"), 20);
    fuenteCarrera.setBold(true);
    lCarrera->setFont(fuenteCarrera);
    QPalette paletaCarrera = lCarrera->palette();
    paletaCarrera.setColor(QPalette::WindowText, ColorQt(Colores::clYellow));
    lCarrera->setPalette(paletaCarrera);

    PanelCrono = new QLabel(QStringLiteral("0:00:00.0"), PanelCarrera);
    PanelCrono->setFont(QFont(QStringLiteral("Verdana"), 37));
    PanelCrono->setAlignment(Qt::AlignCenter);
    PanelCrono->setMinimumWidth(300);
    QPalette paletaCrono = PanelCrono->palette();
    paletaCrono.setColor(QPalette::WindowText, ColorQt(Colores::clWhite));
    PanelCrono->setPalette(paletaCrono);
    PonerFondo(PanelCrono, Colores::clRed);

    Bevel1 = new QFrame(PanelCarrera);
    Bevel1->setFrameShape(QFrame::VLine);
    Bevel1->setFrameShadow(QFrame::Sunken);

    layout->addWidget(Image1);
    layout->addWidget(lCarrera, 1);
    layout->addWidget(Bevel1);
    layout->addWidget(PanelCrono);
    PanelCarrera->hide();
}

void TFrmListaVueltas::CargarBitmaps()
{
    CargarRecursosVentana();
    const auto cargar = [](const char *nombre) {
        return QPixmap(QStringLiteral(":/racewindow/%1.bmp").arg(QLatin1String(nombre)));
    };
    BmpCronoRojo = cargar("CronoRojo");
    BmpCronoAzul = cargar("CronoAzul");
    BmpCronoVerde = cargar("CronoVerde");
    BmpVueltasRojo = cargar("VueltasRojo");
    BmpVueltasAzul = cargar("VueltasAzul");
    BmpVueltasVerde = cargar("VueltasVerde");
}

void TFrmListaVueltas::retranslateUi()
{
    Paginas->setTabText(0, tr("Corredores"));
    Paginas->setTabText(1, tr("Tiempos"));
    Paginas->setTabText(2, tr("Gráfica Vueltas"));
    Paginas->setTabText(3, tr("Monitor"));
    Paginas->setTabText(4, tr("Log"));
    StatusBar[0]->setText(tr("Vueltas"));
    StatusBar[2]->setText(tr("Corredores"));
    StatusBar[4]->setText(tr("Mejor Tiempo"));
    CopiarRejilla1->setText(tr("&Copiar al portapales"));
    Desconectar1->setText(tr("&Desconectar"));
    PonerTitulo(titulo);
}

void TFrmListaVueltas::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(event);
}

void TFrmListaVueltas::PonerTitulo(Titulo nuevo)
{
    titulo = nuevo;
    switch (titulo) {
    case Titulo::Inicial:
        setWindowTitle(tr("Vueltas de carrera"));
        break;
    case Titulo::Fichero:
        setWindowTitle(tr("Vueltas de ") + ficheroAbierto);
        break;
    case Titulo::ConectadoTarvel:
        setWindowTitle(tr("Conectado a Tarvel"));
        break;
    case Titulo::Desconectado:
        setWindowTitle(tr("Desconectado"));
        break;
    case Titulo::Reconectando:
        setWindowTitle(tr("Reconectando a Tarvel"));
        break;
    case Titulo::ConectadoDSRouter:
        setWindowTitle(tr("Conectado a DSRouter"));
        break;
    }
}

void TFrmListaVueltas::PonerLogo(const QString &Fichero)
{
    // There is no built-in logo: without a file the pictures stay as they are.
    if (Fichero.isEmpty())
        return;
    QPixmap logo;
    if (!logo.load(Fichero)) {
        ui::MessageBox::error(this, tr("No se puede cargar la imagen %1").arg(Fichero));
        return;
    }
    Image1->setPixmap(logo);
    Image2->setPixmap(logo);
}

void TFrmListaVueltas::AbrirFichero(const QString &Fichero)
{
    ListaVueltas->Clear();
    ListaVueltas->CargarFichero(Fichero, *Coches);
    ficheroAbierto = Fichero;
    PonerTitulo(Titulo::Fichero);
    ReiniciarTabla(false);
    FijarReferencia(false, 0);
    if (GridVueltas)
        GridVueltas->hide();
    for (const std::unique_ptr<TVueltaCorredor> &vuelta : *ListaVueltas)
        AnadirVuelta(*vuelta, false);
    CalcularClasificacion();
    ColumnaOrden = 2;
    OrdenAscendente = true;
    OrdenarLista();
    if (GridVueltas)
        GridVueltas->show();
}

void TFrmListaVueltas::ConectarTarvel(const QString &Servidor, int Puerto,
                                      const QByteArray &Usuario, const QByteArray &Clave)
{
    Paginas->setCurrentIndex(3);
    Origen = OrigenTarvel;
    this->Usuario = Usuario;
    this->Clave = Clave;
    this->Servidor = Servidor;
    this->Puerto = Puerto;
    Tarvel->Conectar(Servidor, Puerto);
}

void TFrmListaVueltas::ConectarDSRouter(const QString &Servidor, int Puerto)
{
    // A port outside the range would be cut silently into another one.
    if (Puerto < 0 || Puerto > 65535)
        throw Error(tr("Puerto no válido %1").arg(Puerto));
    Origen = OrigenDSRouter;
    this->Servidor = Servidor;
    this->Puerto = Puerto;
    ClienteDS->setHost(Servidor);
    ClienteDS->setPort(quint16(Puerto));
    ClienteDS->open();
}

void TFrmListaVueltas::DisposicionDSRouter()
{
    if (!LVCoches)
        return;
    QFont fuente = LVCoches->font();
    fuente.setPointSize(30);
    LVCoches->setFont(fuente);
    // "N", "Piloto", "Pos", "V", "Total", "Diff", "Gap", "Ultima", "Mejor", "Media"; "Est" keeps
    // its width.
    const std::array<int, 10> anchos = {0, 140, 90, 0, 220, 165, 220, 240, 165, 0};
    for (std::size_t columna = 0; columna < anchos.size(); ++columna) {
        LVCoches->setColumnHidden(int(columna), anchos[columna] == 0);
        if (anchos[columna] > 0)
            LVCoches->setColumnWidth(int(columna), anchos[columna]);
    }
}

void TFrmListaVueltas::PonerUrlPista(const QByteArray &Url)
{
    UrlPista = Url;
}

void TFrmListaVueltas::MostrarPista(bool Visible)
{
    PanelTrack->setVisible(Visible);
    if (Visible) {
        Panel2->setFixedWidth(450);
    } else {
        Panel2->setMinimumWidth(0);
        Panel2->setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

QString TFrmListaVueltas::FormatoTiempo(bool Literal, double Tiempo) const
{
    return quenlap::FormatoTiempo(Literal, Tiempo);
}

void TFrmListaVueltas::PonerColorCrono(quint32 color)
{
    PonerFondo(PanelCrono, color);
}

void TFrmListaVueltas::MostrarPausa(bool EnMarcha)
{
    if (EnMarcha) {
        PonerColorCrono(Colores::clNavy);
        Reloj->start(IntervaloRelojMs);
    } else {
        PonerColorCrono(Colores::clGreen);
        Reloj->stop();
    }
}

void TFrmListaVueltas::MostrarParada()
{
    PonerColorCrono(Colores::clRed);
    Reloj->stop();
    GuardarCopia();
    Router->Limpiar();
}

void TFrmListaVueltas::MostrarDesconectado()
{
    MostrarParada();
    PonerTitulo(Titulo::Desconectado);
}

void TFrmListaVueltas::RelojTimer()
{
    const LecturaReloj lectura =
        LeerReloj(DuracionCarrera, InicioCarrera, DateTimeToDias(reloj.now()));
    PanelCrono->setText(lectura.texto);
}

void TFrmListaVueltas::TarvelConnect()
{
    PonerTitulo(Titulo::ConectadoTarvel);
    Tarvel->EnviarLogon(QString::fromLatin1(Usuario), QString::fromLatin1(Clave));
}

void TFrmListaVueltas::TarvelDisconnect()
{
    TrasPerdida(*TimerConexion);
}

void TFrmListaVueltas::TarvelSocketError(SocketErrorEvent, int &ErrorCode)
{
    ErrorCode = 0;
    TrasPerdida(*TimerReintento);
}

void TFrmListaVueltas::TrasPerdida(QTimer &intento)
{
    if (Cerrando)
        return;
    MostrarDesconectado();
    if (Reconectar)
        intento.start();
}

void TFrmListaVueltas::ClienteDSConnect()
{
    PonerTitulo(Titulo::ConectadoDSRouter);
    Router->Log("**** DSROUTER CONECTADO ****");
}

void TFrmListaVueltas::ClienteDSDisconnect()
{
    Router->Log("**** DSROUTER DESCONECTADO ****");
    TrasPerdida(*TimerConexion);
}

void TFrmListaVueltas::ClienteDSRead()
{
    QByteArray datos(ClienteDS->receiveLength(), Qt::Uninitialized);
    datos.resize(ClienteDS->receiveBuf(datos.data(), datos.size()));
    int tipo = Router->Procesar(datos);
    for (int llamadas = 1; tipo != TDSRouter::Ninguno && llamadas < MaxLlamadasProcesar; ++llamadas)
        tipo = Router->Procesar({});
}

void TFrmListaVueltas::ClienteDSError(SocketErrorEvent, int &ErrorCode)
{
    Router->Log(QByteArrayLiteral("**** DSROUTER ERROR (") + QByteArray::number(ErrorCode) +
                QByteArrayLiteral(") ****"));
    ErrorCode = 0;
    TrasPerdida(*TimerReintento);
}

void TFrmListaVueltas::Reconexion()
{
    // "&Desconectar" or closing may have come while the attempt waited in the queue.
    if (Cerrando || !Reconectar)
        return;
    ReconectarFuente();
    if (Origen == OrigenTarvel)
        PonerTitulo(Titulo::Reconectando);
}

void TFrmListaVueltas::TimerConexionTimer()
{
    TimerConexion->stop();
    if (Reconectar && !Cerrando)
        ReconectarFuente();
}

void TFrmListaVueltas::ReconectarFuente()
{
    ErrorReporter::guard([this] {
        if (Origen == OrigenTarvel)
            Tarvel->Conectar(Servidor, Puerto);
        else if (Origen == OrigenDSRouter)
            ClienteDS->open();
    });
}

void TFrmListaVueltas::PopupMenu2Popup()
{
    Desconectar1->setVisible(Tarvel->Conectado());
}

void TFrmListaVueltas::Desconectar1Click()
{
    Reconectar = false;
    Tarvel->Desconectar();
}

QSize TFrmListaVueltas::sizeHint() const
{
    return QSize(760, 520);
}

void TFrmListaVueltas::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TFrmListaVueltas::FormClose()
{
    TimerConexion->stop();
    TimerReintento->stop();
    Cerrando = true;
    ErrorReporter::guard([this] { GuardarCopia(); });
}

} // namespace quenlap
