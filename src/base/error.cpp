#include "base/error.h"

namespace quenlap {

Error::Error(const QString &message) : std::runtime_error(message.toStdString()), text(message) {}

} // namespace quenlap
