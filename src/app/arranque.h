#pragma once

#include <QStringList>

class QApplication;

namespace quenlap {

class Clock;

struct OpcionesArranque
{
    // How long the splash stays once the main frame is up.
    int esperaSplashMs = 2000;
    // Unattended runs: close the main frame after this long; 0 runs until it is closed.
    int salirTrasMs = 0;
};

// The program's entry after QApplication exists: splash, main frame, speech window, start-up
// arguments (without the program's name), then the event loop until the main frame closes.
int EjecutarVisor(QApplication &app, const QStringList &argumentos, const Clock &clock,
                  const OpcionesArranque &opciones);

} // namespace quenlap
