#include "app/arranque.h"
#include "base/clock.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    quenlap::OpcionesArranque opciones;
    // For unattended runs (demos, smoke checks): close by itself after this many milliseconds.
    opciones.salirTrasMs = qEnvironmentVariableIntValue("QUENLAP_QUIT_AFTER_MS");
    QStringList argumentos = QApplication::arguments();
    argumentos.removeFirst();
    return quenlap::EjecutarVisor(app, argumentos, quenlap::Clock::system(), opciones);
}
