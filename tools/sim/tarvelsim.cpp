#include "simulators.h"

namespace sim {

int runTarvel(QCoreApplication &, const QStringList &)
{
    return 2;
}

} // namespace sim
