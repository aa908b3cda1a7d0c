#pragma once

#include "net/clientsocket.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class QTableView;
class QTimer;
class QVBoxLayout;

namespace quenlap {

class Clock;
class TClienteTarvel;
class TCoche;
class TCopiaCarrera;
class TDSRouter;
class TListaCoches;
class TListaVueltas;
class TVueltaCorredor;

// The race window: one race in one child window of the main frame, fed by exactly one source (a
// race data file, a race server or a DS Router). It owns every competitor and lap of its race.
class TFrmListaVueltas final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFrmListaVueltas)

public:
    enum Origenes : int { OrigenFichero = 0, OrigenTarvel = 1, OrigenDSRouter = 2 };

    // The clock gives "now" to the race clock and to everything that stamps times.
    explicit TFrmListaVueltas(const Clock &clock, QWidget *parent = nullptr);
    ~TFrmListaVueltas() override;

    // Operations of the main frame, in the order it calls them.
    void PonerLogo(const QString &Fichero);
    // Throws quenlap::Error when the file cannot be read.
    void AbrirFichero(const QString &Fichero);
    void ConectarTarvel(const QString &Servidor, int Puerto, const QByteArray &Usuario,
                        const QByteArray &Clave);
    void ConectarDSRouter(const QString &Servidor, int Puerto);
    void DisposicionDSRouter();
    void PonerUrlPista(const QByteArray &Url);
    void MostrarPista(bool Visible);

    // A day-fraction duration as text: literal "ss.zzz" / "nn:ss.zzz", or the locale patterns.
    QString FormatoTiempo(bool Literal, double Tiempo) const;

    // Clock states: running (true) or paused (false); stopped; stopped and disconnected.
    void MostrarPausa(bool EnMarcha);
    void MostrarParada();
    void MostrarDesconectado();

    // Race server events.
    void TarvelEstado(const QString &carrera, const QStringList &c, const QStringList &l);
    void TarvelInicio(const QString &carrera, int clasificacion);
    void TarvelVuelta(const QString &v);
    void TarvelFin();
    void TarvelPausa(bool OnOff);
    void TarvelCrono(const QString &crono);
    void TarvelTTS(const QString &texto, bool purga);
    void TarvelLimiteConexion();
    void TarvelFinCoche(int coche);
    void TarvelDuracion(int tipo, double duracion);
    void TarvelDescartarPrimeraVuelta(bool descartar);

    // Standings, lap grid and race copy.
    void EmpezarCarrera(const QString &Nombre, int Clasificacion);
    // Splits a competitor line "number TAB lane TAB name"; Carril keeps the previous line's lane
    // when the line has no TAB.
    static void LeerLineaCorredor(const QString &Linea, int &Numero, int &Carril, QString &Nombre);
    void RegistrarVuelta(const TVueltaCorredor &Vuelta);
    void GuardarCopia();
    void CalcularClasificacion();
    void NuevoCorredor(TCoche &Coche);
    void ActualizarFila(TCoche &Coche, bool Completa);
    void OrdenarLista();
    void LVCochesColumnClick(int Column);
    void MostrarVueltas(int n);
    void MostrarCorredores(int n);
    void MostrarMejorTiempo();
    void LimpiarRejilla();
    void ReiniciarTabla(bool Reiniciar);
    void NuevaColumna(TCoche &Coche, int Ancho);
    void PonerCelda(TVueltaCorredor &Vuelta);
    void AnadirVuelta(TVueltaCorredor &Vuelta, bool Refrescar);
    void FijarReferencia(bool Repintar, double Media);
    void LeerOpciones();
    void GuardarOpciones();

    // Components.
    QTabWidget *Paginas = nullptr;
    // Pages 0 to 4: "Corredores", "Tiempos", "Gráfica Vueltas", "Monitor", "Log". The first two
    // get their lists from CrearPaginasCarrera; the others stay empty containers for now.
    QWidget *PaginaCorredores = nullptr;
    QWidget *PaginaTiempos = nullptr;
    QWidget *PaginaGrafica = nullptr;
    QWidget *TabMonitor = nullptr;
    QWidget *PaginaLog = nullptr;
    // Under PanelCarrera on "Corredores": where the competitors list goes, and the splitter that
    // holds it above Panel3.
    QVBoxLayout *ZonaCoches = nullptr;
    QSplitter *Splitter1 = nullptr;
    QVBoxLayout *ZonaTiempos = nullptr;

    QFrame *PanelCarrera = nullptr;
    QLabel *lCarrera = nullptr;
    QLabel *PanelCrono = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QFrame *Bevel1 = nullptr;
    QWidget *Panel3 = nullptr;
    QWidget *PanelTrack = nullptr;
    QWidget *Panel2 = nullptr;

    QTableView *LVCoches = nullptr;
    QTableView *GridVueltas = nullptr;
    QWidget *Panel1 = nullptr;

    // Status bar panels: "Vueltas", laps, "Corredores", competitors, "Mejor Tiempo", best lap.
    std::array<QLabel *, 6> StatusBar{};
    QTimer *TimerConexion = nullptr;
    // The paced attempt that follows a socket error.
    QTimer *TimerReintento = nullptr;
    QTimer *Reloj = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QAction *CopiarRejilla1 = nullptr;
    QAction *Desconectar1 = nullptr;

    std::unique_ptr<TClienteTarvel> Tarvel;
    ClientSocket *ClienteDS = nullptr;

    // Fields.
    QPixmap BmpCronoRojo, BmpCronoAzul, BmpCronoVerde;
    QPixmap BmpVueltasRojo, BmpVueltasAzul, BmpVueltasVerde;
    std::unique_ptr<TCopiaCarrera> CopiaCarrera;
    QString FicheroCopia;
    bool Cerrando = false;
    double MediaReferencia = 0;
    int ColumnaOrden = 0;
    bool OrdenAscendente = true;
    std::unique_ptr<TListaVueltas> ListaVueltas;
    QByteArray Usuario;
    QByteArray Clave;
    QString Servidor;
    int Puerto = 0;
    bool Clasificacion = false;
    int MaxVueltas = 0;
    int Origen = OrigenFichero;
    std::unique_ptr<TDSRouter> Router;
    QByteArray UrlPista;
    double DuracionCarrera = 0;
    int VueltasCarrera = 0;
    int TipoDuracion = 0;
    std::unique_ptr<TListaCoches> Coches;
    // Entry n-1 lists the laps of lap number n in crossing order; the lap list owns them.
    std::vector<std::vector<TVueltaCorredor *>> VueltasPorNumero;
    TCoche *MejorCoche = nullptr;
    bool Reconectar = false;
    TCoche *LiderAnunciado = nullptr;
    TCoche *UltimoCoche = nullptr;
    double InicioCarrera = 0;

    // What the competitors list, the lap grid and their legend need beyond the fields above.
    struct Tablas;
    struct BorrarTablas
    {
        void operator()(Tablas *tablas) const;
    };
    std::unique_ptr<Tablas, BorrarTablas> tablas;

    const Clock &clock() const { return reloj; }

    // A size that shows the lists when the frame cascades its windows.
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    enum class Titulo {
        Inicial,
        Fichero,
        ConectadoTarvel,
        Desconectado,
        Reconectando,
        ConectadoDSRouter
    };

    void CrearComponentes();
    void CrearPanelCarrera();
    void CrearPaginasCarrera();
    void CargarBitmaps();
    void retranslateUi();
    void PonerTitulo(Titulo titulo);
    void PonerColorCrono(quint32 color);

    void FormClose();
    void RelojTimer();
    void TimerConexionTimer();
    void Reconexion();
    // What follows a lost connection: the stopped clock and, while reconnecting, the next
    // attempt by the given timer (the 3 s one after a loss, the short one after an error).
    void TrasPerdida(QTimer &intento);
    void ReconectarFuente();
    void Desconectar1Click();
    void PopupMenu2Popup();

    // The competitor of the selected row of LVCoches, or none.
    TCoche *CocheSeleccionado() const;
    // Ends the grid's bracket of many laps (see AnadirVuelta): the grid hears of them at once.
    void TerminarRejillaEnBloque();

    void TarvelConnect();
    void TarvelDisconnect();
    void TarvelSocketError(SocketErrorEvent ErrorEvent, int &ErrorCode);
    void ClienteDSConnect();
    void ClienteDSDisconnect();
    void ClienteDSRead();
    void ClienteDSError(SocketErrorEvent ErrorEvent, int &ErrorCode);

    const Clock &reloj;
    Titulo titulo = Titulo::Inicial;
    QString ficheroAbierto;
};

} // namespace quenlap
