#pragma once

#include <QString>

#include <stdexcept>

namespace quenlap {

// The one exception type of the program: a user-visible message, already translated where the
// message is the system's own text.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message);

    const QString &message() const noexcept { return text; }

private:
    QString text;
};

} // namespace quenlap
