// Speed and memory of a race window with 100,000 laps of 20 competitors: opening a race data
// file, a race server snapshot, live laps through TarvelVuelta, and memory per lap.
// Run by hand on a release build: bench_racewindow [laps]

#include "base/clock.h"
#include "base/global.h"
#include "model/generadorcarrera.h"
#include "racewindow/frmlistavueltas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>
#include <malloc.h>
#include <memory>
#include <vector>

using namespace quenlap;

namespace {

constexpr int Competidores = 20;

std::vector<VueltaGenerada> Carrera(int vueltas)
{
    ParametrosCarrera parametros;
    parametros.Competidores = Competidores;
    // About 5.75 s a lap: long enough for every lap asked for.
    parametros.Minutos = vueltas * 6.0 / Competidores / 60.0 + 5;
    parametros.Semilla = 7;
    std::vector<VueltaGenerada> generadas = GenerarCarrera(parametros);
    if (generadas.size() > std::size_t(vueltas))
        generadas.resize(std::size_t(vueltas));
    return generadas;
}

QStringList LineasCorredores()
{
    QStringList lineas;
    for (int numero = Competidores; numero >= 1; --numero)
        lineas << QStringLiteral("%1\t%2\tPiloto %1").arg(numero).arg(Competidores + 1 - numero);
    return lineas;
}

std::size_t MemoriaEnUso()
{
    return mallinfo2().uordblks;
}

// Until the window has painted what the laps changed.
void Mostrar(TFrmListaVueltas &ventana)
{
    ventana.show();
    QApplication::processEvents();
    ventana.GridVueltas->viewport()->repaint();
    ventana.LVCoches->viewport()->repaint();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int vueltas = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir ajustes;
    FijarCarpetaConfiguracion(ajustes.path());

    const std::vector<VueltaGenerada> generadas = Carrera(vueltas);
    const QString fichero = ajustes.filePath(QStringLiteral("carrera.dat"));
    {
        QFile salida(fichero);
        if (!salida.open(QIODevice::WriteOnly) || salida.write(FicheroCarrera(generadas)) < 0)
            return 1;
    }
    const QStringList lineas = LineasCarrera(generadas);
    std::printf("race: %zu laps, %d competitors\n", generadas.size(), Competidores);

    // Opening the file, until standings and grid are shown.
    {
        TFrmListaVueltas ventana(Clock::system());
        ventana.PaginaTiempos->show();
        Mostrar(ventana);
        QElapsedTimer t;
        t.start();
        ventana.AbrirFichero(fichero);
        Mostrar(ventana);
        std::printf("open file:        %7.3f s (target <= 1.5 s)\n", t.nsecsElapsed() / 1e9);
    }

    // Memory per lap over an empty race window, with the file's laps in.
    {
        malloc_trim(0);
        auto ventana = std::make_unique<TFrmListaVueltas>(Clock::system());
        Mostrar(*ventana);
        const std::size_t antes = MemoriaEnUso();
        ventana->AbrirFichero(fichero);
        Mostrar(*ventana);
        const std::size_t despues = MemoriaEnUso();
        std::printf("memory per lap:   %7.1f bytes (target <= 300)\n",
                    double(despues - antes) / double(generadas.size()));
    }

    // A race server snapshot with the same laps.
    {
        TFrmListaVueltas ventana(Clock::system());
        ventana.Origen = TFrmListaVueltas::OrigenTarvel;
        Mostrar(ventana);
        QElapsedTimer t;
        t.start();
        ventana.TarvelEstado(QStringLiteral("Bench"), LineasCorredores(), lineas);
        Mostrar(ventana);
        std::printf("snapshot:         %7.3f s (target <= 1.5 s)\n", t.nsecsElapsed() / 1e9);
    }

    // Live laps, one TarvelVuelta each, the grid page showing.
    for (const bool pintarCadaVuelta : {false, true}) {
        TFrmListaVueltas ventana(Clock::system());
        ventana.Origen = TFrmListaVueltas::OrigenTarvel;
        ventana.TarvelEstado(QStringLiteral("Bench"), LineasCorredores(), {});
        ventana.TarvelInicio(QStringLiteral("Bench"), 0);
        ventana.Paginas->setCurrentIndex(1);
        Mostrar(ventana);
        const int vivas = std::min<int>(int(lineas.size()), pintarCadaVuelta ? 5000 : 30000);
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < vivas; ++i) {
            ventana.TarvelVuelta(lineas[i]);
            if (pintarCadaVuelta || i % 100 == 99)
                QApplication::processEvents();
        }
        Mostrar(ventana);
        const double segundos = t.nsecsElapsed() / 1e9;
        std::printf("live laps:        %7.0f laps/s (%s; target >= 5000)\n", vivas / segundos,
                    pintarCadaVuelta ? "events and painting after every lap"
                                     : "events every 100 laps");
        ventana.FicheroCopia.clear();
    }
    return 0;
}
