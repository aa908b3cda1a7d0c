#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace quenlap {

class Clock;
class TFrmListaVueltas;
class TListaIdiomas;
class Translator;

// What the start-up arguments ask for.
struct ArgumentosArranque
{
    // Every file to open, in order (none with "-c" or with fewer than two arguments).
    QStringList ficheros;
    // "-c host:port": a fixed live display of that race server.
    bool pantallaFija = false;
    QString host;
    int puerto = 0;
};

// Arguments without the program's name. Two or more: "-c" and an address, or files to open.
ArgumentosArranque LeerArgumentos(const QStringList &argumentos);

// The main frame: every race is a child window of its multiple-document area.
class TFrmMain final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFrmMain)

public:
    // The translator switches the language chosen in "&Idioma".
    TFrmMain(const Clock &clock, Translator &traductor, QWidget *parent = nullptr);
    ~TFrmMain() override;

    // The start-up arguments (without the program's name); they also choose the mode.
    void ProcesarArgumentos(const QStringList &argumentos);
    bool PantallaFija() const { return pantallaFija; }

    // Opens one race data file in a new race window; on failure reports it and leaves no window.
    TFrmListaVueltas *AbrirFicheroDatos(const QString &Fichero);
    // Opens each file in order; cascades the windows when there is more than one.
    void AbrirFicherosDatos(const QStringList &Ficheros);
    // New race windows on live sources; on failure report it and leave no window.
    TFrmListaVueltas *ConectarATarvel(const QString &host, int puerto, const QByteArray &urlPista,
                                      bool reconectar);
    TFrmListaVueltas *ConectarADSRouter(const QString &host, int puerto, bool reconectar);

    // The race windows in creation order.
    QList<TFrmListaVueltas *> VentanasCarrera() const;
    // The speech settings window that "&Lectura ..." shows modally.
    void PonerVentanaLectura(QWidget *ventana) { ventanaLectura = ventana; }

    // Switches the language, translates every window again, remembers the choice.
    void ElegirIdioma(int indice);
    const TListaIdiomas &Idiomas() const { return *idiomas; }

    QMdiArea *Area = nullptr;
    QMenu *Archivo1 = nullptr;
    QAction *Abrir1 = nullptr;
    QAction *CerrarTodo1 = nullptr;
    QAction *N2 = nullptr;
    QAction *Conectar1 = nullptr;
    QAction *ConectarDSSlot1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Salir1 = nullptr;
    QMenu *Ver1 = nullptr;
    QAction *Cascada1 = nullptr;
    QAction *Tile1 = nullptr;
    QAction *Organizar1 = nullptr;
    QMenu *Herramientas1 = nullptr;
    QAction *Opciones1 = nullptr;
    QMenu *Idioma1 = nullptr;
    QAction *Acercade1 = nullptr;

    void Abrir1Click();
    void CerrarTodo1Click();
    void Conectar1Click();
    void ConectarDSSlot1Click();
    void Salir1Click();
    void Cascada1Click();
    void Tile1Click();
    void Organizar1Click();
    void Opciones1Click();
    void Acercade1Click();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void CrearMenus();
    void retranslateUi();
    void ConstruirMenuIdiomas();
    void ActualizarListaVentanas();
    void PonerModoPantallaFija();
    TFrmListaVueltas *CrearVentanaCarrera();
    // A new race window with its logo, set up by preparar; when that fails the window goes and
    // the user reads textoError, ". " and the reason.
    TFrmListaVueltas *PrepararVentana(const char *textoError,
                                      const std::function<void(TFrmListaVueltas &)> &preparar);
    void DestruirVentanaCarrera(TFrmListaVueltas *ventana);
    QString LeerLogo() const;

    const Clock &reloj;
    Translator &traductor;
    std::unique_ptr<TListaIdiomas> idiomas;
    QList<QAction *> accionesVentanas;
    QWidget *ventanaLectura = nullptr;
    bool pantallaFija = false;
};

} // namespace quenlap
