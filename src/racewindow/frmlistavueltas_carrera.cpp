#include "base/clock.h"
#include "base/errorreporter.h"
#include "base/formatw.h"
#include "base/global.h"
#include "base/inifile.h"
#include "base/racetime.h"
#include "model/clasificacion.h"
#include "model/coche.h"
#include "model/copiacarrera.h"
#include "model/listacoches.h"
#include "model/listavueltas.h"
#include "model/vueltacorredor.h"
#include "racewindow/datosrejilla.h"
#include "racewindow/frmlistavueltas.h"
#include "racewindow/modelocoches.h"
#include "racewindow/modelovueltas.h"
#include "racewindow/uiseams.h"
#include "racewindow/vistascarrera.h"
#include "racewindow/vozcarrera.h"
#include "speech/frmsapi5.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

namespace quenlap {

struct TFrmListaVueltas::Tablas
{
    explicit Tablas(TFrmListaVueltas &ventana)
        : rejilla(ventana.VueltasPorNumero), modeloCoches(std::make_unique<TModeloCoches>()),
          modeloVueltas(std::make_unique<TModeloVueltas>(rejilla))
    {}

    TDatosRejilla rejilla;
    // Owned here, not by the window: they go (and their views let go of them) with the grid's
    // data, before the competitors and laps they show.
    std::unique_ptr<TModeloCoches> modeloCoches;
    std::unique_ptr<TModeloVueltas> modeloVueltas;
    TPanelCalidad *panelCalidad = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *LeerTodas1 = nullptr;
    // The grid hears of the laps of a file or a snapshot once, when they are all in.
    bool rejillaEnBloque = false;
};

void TFrmListaVueltas::BorrarTablas::operator()(Tablas *tablas) const
{
    std::unique_ptr<Tablas> borrar(tablas);
}

void TFrmListaVueltas::CrearPaginasCarrera()
{
    tablas.reset(new Tablas(*this));

    LVCoches = CrearLVCoches(tablas->modeloCoches.get(), PaginaCorredores);
    ZonaCoches->addWidget(LVCoches);
    connect(LVCoches->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFrmListaVueltas::LVCochesColumnClick);

    tablas->PopupMenu1 = new QMenu(this);
    tablas->LeerTodas1 = tablas->PopupMenu1->addAction(tr("&Leer Vueltas"));
    tablas->LeerTodas1->setCheckable(true);
    connect(tablas->PopupMenu1, &QMenu::aboutToShow, this, [this] {
        const TCoche *coche = CocheSeleccionado();
        // Translated as it opens, so a change of language reaches it too.
        tablas->LeerTodas1->setText(tr("&Leer Vueltas"));
        tablas->LeerTodas1->setVisible(coche != nullptr);
        tablas->LeerTodas1->setChecked(coche && coche->LeerVueltas);
    });
    connect(tablas->LeerTodas1, &QAction::triggered, this, [this] {
        if (TCoche *coche = CocheSeleccionado())
            coche->LeerVueltas = !coche->LeerVueltas;
    });
    connect(LVCoches, &QWidget::customContextMenuRequested, this, [this](const QPoint &punto) {
        tablas->PopupMenu1->popup(LVCoches->viewport()->mapToGlobal(punto));
    });

    tablas->panelCalidad = new TPanelCalidad(PaginaTiempos);
    Panel1 = tablas->panelCalidad;
    ZonaTiempos->addWidget(Panel1);
    GridVueltas = CrearGridVueltas(tablas->modeloVueltas.get(), PaginaTiempos);
    ZonaTiempos->addWidget(GridVueltas, 1);
    connect(GridVueltas, &QWidget::customContextMenuRequested, this, [this](const QPoint &punto) {
        PopupMenu2->popup(GridVueltas->viewport()->mapToGlobal(punto));
    });

    tablas->panelCalidad->MostrarUmbrales();
    connect(tablas->panelCalidad, &TPanelCalidad::UmbralesCambiados, this,
            [this] { FijarReferencia(true, MediaReferencia); });
    FijarReferencia(true, MediaReferencia);
    ReiniciarTabla(false);
}

TCoche *TFrmListaVueltas::CocheSeleccionado() const
{
    if (!tablas || !LVCoches || !LVCoches->selectionModel())
        return nullptr;
    const QModelIndexList filas = LVCoches->selectionModel()->selectedRows();
    return filas.isEmpty() ? nullptr : tablas->modeloCoches->Coche(filas.first().row());
}

void TFrmListaVueltas::LeerOpciones()
{
    TUmbralesCalidad::Globales().Leer(IniFile(RutaQuenlapIni()));
}

void TFrmListaVueltas::GuardarOpciones()
{
    IniFile ini(RutaQuenlapIni());
    TUmbralesCalidad::Globales().Escribir(ini);
}

// --- Race server events ------------------------------------------------------------------

void TFrmListaVueltas::TarvelEstado(const QString &carrera, const QStringList &c,
                                    const QStringList &l)
{
    lCarrera->setText(carrera);
    // The displays let go of the old laps and competitors before these are freed.
    tablas->modeloCoches->IniciarActualizacion();
    tablas->modeloCoches->Limpiar();
    tablas->modeloVueltas->Reiniciar();
    ListaVueltas->Clear();
    // Whatever still points at the old competitors must not outlive them.
    UltimoCoche = nullptr;
    MejorCoche = nullptr;
    LiderAnunciado = nullptr;
    Coches->Clear();

    struct AlTerminar
    {
        TFrmListaVueltas &ventana;
        ~AlTerminar()
        {
            ventana.TerminarRejillaEnBloque();
            ventana.tablas->modeloCoches->TerminarActualizacion();
            ventana.GridVueltas->show();
        }
    } alTerminar{*this};

    int carril = 0;
    for (int k = 1; k <= c.size(); ++k) {
        int numero = 0;
        QString nombre;
        LeerLineaCorredor(c[k - 1], numero, carril, nombre);
        auto nuevo = std::make_unique<TCoche>();
        nuevo->Numero = numero;
        nuevo->Carril = carril >= 1 ? carril : k;
        TCoche &coche = TCoche::InsertarCoche(*Coches, std::move(nuevo));
        coche.Nombre = nombre;
        coche.Serie.Leyenda = nombre;
        const TColor color = TCoche::ColorNumero(numero);
        coche.Serie.ColorLinea = color;
        coche.Serie.RellenoPunto = color;
        coche.MarcaMedia.ColorPluma = color;
    }
    ListaVueltas->CargarLineas(*Coches, l);
    ReiniciarTabla(false);
    FijarReferencia(false, 0);
    GridVueltas->hide();
    for (const std::unique_ptr<TVueltaCorredor> &vuelta : *ListaVueltas)
        AnadirVuelta(*vuelta, true);
}

void TFrmListaVueltas::TarvelInicio(const QString &carrera, int clasificacion)
{
    EmpezarCarrera(carrera, clasificacion);
    Paginas->setCurrentIndex(3);
}

void TFrmListaVueltas::TarvelVuelta(const QString &v)
{
    ErrorReporter::guard([&] {
        auto nueva = std::make_unique<TVueltaCorredor>();
        nueva->LeerLineaVuelta(v, *Coches, ListaVueltas->DescartarPrimera, false, 0);
        TVueltaCorredor &vuelta = ListaVueltas->Agregar(std::move(nueva));
        TCoche *coche = vuelta.Coche;
        if (coche)
            coche->UltimaRecepcion = DateTimeToDias(clock().now());
        RegistrarVuelta(vuelta);
        AnadirVuelta(vuelta, true);
        CalcularClasificacion();
        if (!coche)
            return;
        tablas->modeloCoches->PonerImagen(coche);
        if (coche->LeerVueltas) {
            if (TFrmSAPI5 *voz = VozCarrera())
                voz->Hablar(FormatoTiempo(false, vuelta.TiempoVuelta), false, true);
        }
    });
}

void TFrmListaVueltas::TarvelFin()
{
    MostrarParada();
}

void TFrmListaVueltas::TarvelPausa(bool OnOff)
{
    MostrarPausa(OnOff);
}

void TFrmListaVueltas::TarvelCrono(const QString &crono)
{
    bool valido = false;
    const qint64 ms = crono.trimmed().toLongLong(&valido);
    if (!valido) {
        PonerColorCrono(Colores::clRed);
        return;
    }
    InicioCarrera = DateTimeToDias(clock().now()) - MsToDias(double(ms));
}

void TFrmListaVueltas::TarvelTTS(const QString &texto, bool purga)
{
    if (TFrmSAPI5 *voz = VozCarrera())
        voz->Hablar(texto, purga, false);
}

void TFrmListaVueltas::TarvelLimiteConexion()
{
    ui::MessageBox::warning(this, tr("Se alcanzó el límite de conexiones"));
    // Closed once the socket's own notification has returned: the window frees its client.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TFrmListaVueltas::TarvelFinCoche(int coche)
{
    if (TCoche *encontrado = TCoche::BuscarCoche(*Coches, coche)) {
        encontrado->EnEspera = true;
        CalcularClasificacion();
    }
}

void TFrmListaVueltas::TarvelDuracion(int tipo, double duracion)
{
    TipoDuracion = tipo;
    if (tipo != 0)
        VueltasCarrera = int(Trunc(duracion));
    else
        DuracionCarrera = duracion;
}

void TFrmListaVueltas::TarvelDescartarPrimeraVuelta(bool descartar)
{
    ListaVueltas->DescartarPrimera = descartar;
}

// --- Race start and the race copy ---------------------------------------------------------

void TFrmListaVueltas::EmpezarCarrera(const QString &Nombre, int Clasificacion_)
{
    const QDateTime ahora = clock().now();
    InicioCarrera = DateTimeToDias(ahora);
    Clasificacion = Clasificacion_ != 0;
    ColumnaOrden = 2;
    OrdenAscendente = true;
    lCarrera->setText(Nombre);
    MostrarPausa(true);

    const QString carpeta = CarpetaDatos();
    TCopiaCarrera::CrearCarpeta(carpeta);
    const QString etiqueta = Origen == OrigenDSRouter
                                 ? TCopiaCarrera::EtiquetaDSRouter()
                                 : TCopiaCarrera::EtiquetaTarvel(lCarrera->text());
    FicheroCopia = TCopiaCarrera::RutaFichero(carpeta, etiqueta, ahora);

    for (const std::unique_ptr<TCoche> &coche : *Coches) {
        if (tablas->modeloCoches->Fila(*coche) >= 0)
            coche->EnEspera = true;
    }
    tablas->modeloCoches->ActualizarTodas();
}

void TFrmListaVueltas::LeerLineaCorredor(const QString &Linea, int &Numero, int &Carril,
                                         QString &Nombre)
{
    const auto entero = [](QStringView texto) {
        bool valido = false;
        const int valor = texto.trimmed().toInt(&valido);
        return valido ? valor : 0;
    };
    const qsizetype tab = Linea.indexOf(QLatin1Char('\t'));
    if (tab < 0) {
        Numero = 0;
        Nombre = Linea;
        return;
    }
    Numero = entero(QStringView(Linea).left(tab));
    const QString resto = Linea.mid(tab + 1);
    const qsizetype tab2 = resto.indexOf(QLatin1Char('\t'));
    if (tab2 < 0) {
        Carril = 0;
        Nombre = resto;
        return;
    }
    Carril = entero(QStringView(resto).left(tab2));
    Nombre = resto.mid(tab2 + 1);
}

void TFrmListaVueltas::RegistrarVuelta(const TVueltaCorredor &Vuelta)
{
    if (Origen == OrigenFichero)
        return;
    try {
        CopiaCarrera->RegistrarVuelta(Vuelta.LineaVuelta());
    } catch (const std::exception &) {
        // A lap that cannot be written as a line stays out of the copy; the race goes on.
    }
}

void TFrmListaVueltas::GuardarCopia()
{
    if (!CopiaCarrera || FicheroCopia.isEmpty() || Origen == OrigenFichero)
        return;
    try {
        CopiaCarrera->Guardar(FicheroCopia, LineasResultado(*Coches));
    } catch (const std::exception &) {
        // The copy is a convenience: a failure to write it never stops the race window.
    }
}

// --- Standings ----------------------------------------------------------------------------

void TFrmListaVueltas::CalcularClasificacion()
{
    if (!tablas)
        return;
    TerminarRejillaEnBloque();
    const TResultadoClasificacion resultado =
        quenlap::CalcularClasificacion(*Coches, Clasificacion);
    MejorCoche = resultado.MejorCoche;
    MaxVueltas = resultado.MaxVueltas;
    TModeloCoches &modelo = *tablas->modeloCoches;
    modelo.QuitarImagenes();
    modelo.PonerEstado(MejorCoche, MaxVueltas);
    for (const std::unique_ptr<TCoche> &coche : *Coches) {
        if (modelo.Fila(*coche) < 0)
            NuevoCorredor(*coche);
    }
    modelo.ActualizarTodas();
    MostrarVueltas(MaxVueltas);
    MostrarCorredores(Coches->Count());
    MostrarMejorTiempo();
    OrdenarLista();
}

void TFrmListaVueltas::NuevoCorredor(TCoche &Coche)
{
    NuevaColumna(Coche, 120);
    tablas->modeloCoches->NuevaFila(Coche);
}

void TFrmListaVueltas::ActualizarFila(TCoche &Coche, bool)
{
    tablas->modeloCoches->ActualizarFila(Coche);
}

void TFrmListaVueltas::OrdenarLista()
{
    tablas->modeloCoches->Ordenar(ColumnaOrden, OrdenAscendente);
}

void TFrmListaVueltas::LVCochesColumnClick(int Column)
{
    if (Column == ColumnaOrden) {
        OrdenAscendente = !OrdenAscendente;
    } else {
        ColumnaOrden = Column;
        OrdenAscendente = true;
    }
    OrdenarLista();
}

namespace {

// A label that is given its own text again does not lay itself out again: the status bar is
// refreshed after every lap.
void PonerTexto(QLabel *etiqueta, const QString &texto)
{
    if (etiqueta->text() != texto)
        etiqueta->setText(texto);
}

} // namespace

void TFrmListaVueltas::MostrarVueltas(int n)
{
    PonerTexto(StatusBar[1], QString::number(n));
}

void TFrmListaVueltas::MostrarCorredores(int n)
{
    PonerTexto(StatusBar[3], QString::number(n));
}

void TFrmListaVueltas::MostrarMejorTiempo()
{
    if (!MejorCoche) {
        PonerTexto(StatusBar[5], QString());
        return;
    }
    PonerTexto(StatusBar[5],
               FormatW(u"%s : %s  %s %d",
                       {MejorCoche->Nombre,
                        FormatDateTime(FormatoMinutos(), MejorCoche->MejorVuelta, AjustesFormato()),
                        tr("en vuelta"), MejorCoche->VueltaMejor}));
}

// --- Lap grid ----------------------------------------------------------------------------

void TFrmListaVueltas::LimpiarRejilla()
{
    if (!tablas)
        return;
    TerminarRejillaEnBloque();
    tablas->modeloVueltas->Limpiar();
}

void TFrmListaVueltas::ReiniciarTabla(bool Reiniciar)
{
    TerminarRejillaEnBloque();
    // Rows and grid columns are made together for a competitor that has no row: the grid starts
    // again without columns, so the list starts again without rows.
    tablas->modeloCoches->Limpiar();
    tablas->modeloVueltas->Reiniciar();
    if (Reiniciar) {
        for (const std::unique_ptr<TCoche> &coche : *Coches)
            coche->Reiniciar();
    }
    CalcularClasificacion();
}

void TFrmListaVueltas::NuevaColumna(TCoche &Coche, int Ancho)
{
    const int columna = tablas->modeloVueltas->NuevaColumna(Coche);
    if (!tablas->rejillaEnBloque)
        GridVueltas->setColumnWidth(columna - 1, Ancho);
}

void TFrmListaVueltas::PonerCelda(TVueltaCorredor &Vuelta)
{
    if (tablas->rejillaEnBloque || !Vuelta.Coche)
        return;
    const QModelIndex celda =
        tablas->modeloVueltas->IndiceCelda(Vuelta.Coche->Columna, Vuelta.Vuelta);
    GridVueltas->update(celda);
}

void TFrmListaVueltas::AnadirVuelta(TVueltaCorredor &Vuelta, bool Refrescar)
{
    Q_UNUSED(Refrescar);
    if (Vuelta.Vuelta == 0 || !Vuelta.Coche)
        return;
    TCoche &coche = *Vuelta.Coche;
    UltimoCoche = &coche;
    if (coche.Inicio == 0) {
        coche.Inicio = Vuelta.TiempoVuelta;
        coche.EnEspera = false;
    }
    if (TipoDuracion == 0)
        EstimarFinal(coche, DuracionCarrera);
    // A competitor met for the first time in this very lap gets its row and column before its
    // lap is put in the grid, so the lap shows at once.
    if (tablas->modeloCoches->Fila(coche) < 0)
        NuevoCorredor(coche);

    // A hidden grid is being filled with many laps: it hears of them once, at the end.
    if (!tablas->rejillaEnBloque && GridVueltas->isHidden()) {
        tablas->rejillaEnBloque = true;
        tablas->modeloVueltas->IniciarActualizacion();
    }
    const bool filaNueva = tablas->modeloVueltas->AnadirVuelta(Vuelta);
    if (filaNueva && !tablas->rejillaEnBloque) {
        const int fila = tablas->modeloVueltas->rowCount() - 1;
        const int columna = std::max(GridVueltas->currentIndex().column(), 0);
        GridVueltas->setCurrentIndex(tablas->modeloVueltas->index(fila, columna));
    }
}

void TFrmListaVueltas::TerminarRejillaEnBloque()
{
    if (!tablas || !tablas->rejillaEnBloque)
        return;
    tablas->rejillaEnBloque = false;
    tablas->modeloVueltas->TerminarActualizacion();
    for (int columna = 0; columna < tablas->modeloVueltas->columnCount(); ++columna)
        GridVueltas->setColumnWidth(columna, 120);
    const int fila = tablas->modeloVueltas->rowCount() - 1;
    if (fila >= 0 && tablas->modeloVueltas->columnCount() > 0)
        GridVueltas->setCurrentIndex(tablas->modeloVueltas->index(fila, 0));
}

void TFrmListaVueltas::FijarReferencia(bool Repintar, double Media)
{
    MediaReferencia = Media;
    if (Repintar && tablas)
        tablas->modeloVueltas->Repintar();
}

} // namespace quenlap
