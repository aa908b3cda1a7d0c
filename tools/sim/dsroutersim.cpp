#include "simulators.h"

namespace sim {

int runDsRouter(QCoreApplication &, const QStringList &)
{
    return 2;
}

} // namespace sim
