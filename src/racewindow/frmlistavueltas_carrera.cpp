#include "racewindow/frmlistavueltas.h"

namespace quenlap {

struct TFrmListaVueltas::Tablas
{
};

void TFrmListaVueltas::BorrarTablas::operator()(Tablas *tablas) const
{
    std::unique_ptr<Tablas> borrar(tablas);
}

void TFrmListaVueltas::CrearPaginasCarrera()
{
    tablas.reset(new Tablas);
}

void TFrmListaVueltas::LeerOpciones() {}

void TFrmListaVueltas::GuardarOpciones() {}

void TFrmListaVueltas::TarvelEstado(const QString &, const QStringList &, const QStringList &) {}

void TFrmListaVueltas::TarvelInicio(const QString &carrera, int clasificacion)
{
    EmpezarCarrera(carrera, clasificacion);
}

void TFrmListaVueltas::TarvelVuelta(const QString &) {}

void TFrmListaVueltas::TarvelFin()
{
    MostrarParada();
}

void TFrmListaVueltas::TarvelPausa(bool OnOff)
{
    MostrarPausa(OnOff);
}

void TFrmListaVueltas::TarvelCrono(const QString &) {}

void TFrmListaVueltas::TarvelTTS(const QString &, bool) {}

void TFrmListaVueltas::TarvelLimiteConexion() {}

void TFrmListaVueltas::TarvelFinCoche(int) {}

void TFrmListaVueltas::TarvelDuracion(int tipo, double duracion)
{
    TipoDuracion = tipo;
    if (tipo != 0)
        VueltasCarrera = int(duracion);
    else
        DuracionCarrera = duracion;
}

void TFrmListaVueltas::TarvelDescartarPrimeraVuelta(bool) {}

void TFrmListaVueltas::EmpezarCarrera(const QString &, int) {}

void TFrmListaVueltas::LeerLineaCorredor(const QString &Linea, int &Numero, int &Carril,
                                         QString &Nombre)
{
    Numero = 0;
    Nombre = Linea;
    (void)Carril;
}

void TFrmListaVueltas::RegistrarVuelta(const TVueltaCorredor &) {}

void TFrmListaVueltas::GuardarCopia() {}

void TFrmListaVueltas::CalcularClasificacion() {}

void TFrmListaVueltas::NuevoCorredor(TCoche &) {}

void TFrmListaVueltas::ActualizarFila(TCoche &, bool) {}

void TFrmListaVueltas::OrdenarLista() {}

void TFrmListaVueltas::LVCochesColumnClick(int) {}

void TFrmListaVueltas::MostrarVueltas(int) {}

void TFrmListaVueltas::MostrarCorredores(int) {}

void TFrmListaVueltas::MostrarMejorTiempo() {}

void TFrmListaVueltas::LimpiarRejilla() {}

void TFrmListaVueltas::ReiniciarTabla(bool) {}

void TFrmListaVueltas::NuevaColumna(TCoche &, int) {}

void TFrmListaVueltas::PonerCelda(TVueltaCorredor &) {}

void TFrmListaVueltas::AnadirVuelta(TVueltaCorredor &, bool) {}

void TFrmListaVueltas::FijarReferencia(bool, double Media)
{
    MediaReferencia = Media;
}

} // namespace quenlap
