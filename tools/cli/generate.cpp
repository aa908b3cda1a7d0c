#include "commands.h"

namespace cli {

int runGenerate(const QStringList &)
{
    return 2;
}

} // namespace cli
