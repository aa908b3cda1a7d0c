#pragma once

#include <QString>

namespace quenlap {

// One reading of the race clock. A timed race counts down to zero and then shows the time since
// the start; a race without a duration always shows the time since the start.
struct LecturaReloj
{
    QString texto;
    // The countdown is over (or there was none): the scoreboard's clock shows its stopped state.
    bool agotado = false;
};

// duracion, inicio and ahora are day fractions (inicio and ahora are moments). Under one hour the
// text is minutes, seconds and tenths ("04:07.3", tenths cut, not rounded), else "hh:nn:ss".
LecturaReloj LeerReloj(double duracion, double inicio, double ahora);

} // namespace quenlap
