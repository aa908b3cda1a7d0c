// Any payload through the race server message decoder: a message decodes into at most one event
// or is refused with an Error, nothing else.
#include "base/error.h"
#include "net/clientetarvel.h"

#include <QCoreApplication>

#include <cstdint>

using namespace quenlap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static TClienteTarvel cliente;
    try {
        cliente.DoData(nullptr, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const Error &) {
    }
    return 0;
}
