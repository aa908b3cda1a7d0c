#pragma once

#include <QString>

#include <functional>

namespace quenlap {

// Where failures caught at a socket, timer or menu boundary end up: a message box in the viewer,
// standard error in the tools. Exceptions never cross Qt's event loop; they stop here.
class ErrorReporter
{
public:
    using Handler = std::function<void(const QString &message)>;

    // Replaces the handler; an empty handler restores the default (standard error).
    static void setHandler(Handler handler);
    static void report(const QString &message);

    // Runs work and reports any exception it throws. Returns false when something was reported.
    static bool guard(const std::function<void()> &work);

    // Wraps a handler that may run a nested event loop (a modal message box): a message reported
    // again while the same message is still being shown is dropped, so a source that keeps
    // failing behind an open box does not pile boxes up.
    static Handler withoutRepeats(Handler handler);
};

} // namespace quenlap
