#include "base/errorreporter.h"

#include "base/error.h"

#include <QSet>

#include <cstdio>
#include <memory>

namespace quenlap {

namespace {

ErrorReporter::Handler &currentHandler()
{
    static ErrorReporter::Handler handler;
    return handler;
}

} // namespace

void ErrorReporter::setHandler(Handler handler)
{
    currentHandler() = std::move(handler);
}

void ErrorReporter::report(const QString &message)
{
    if (currentHandler()) {
        currentHandler()(message);
        return;
    }
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
}

ErrorReporter::Handler ErrorReporter::withoutRepeats(Handler handler)
{
    auto showing = std::make_shared<QSet<QString>>();
    return [handler = std::move(handler), showing](const QString &message) {
        if (showing->contains(message))
            return;
        showing->insert(message);
        try {
            handler(message);
        } catch (...) {
            showing->remove(message);
            throw;
        }
        showing->remove(message);
    };
}

bool ErrorReporter::guard(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const Error &error) {
        report(error.message());
    } catch (const std::exception &error) {
        report(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        report(QStringLiteral("Error desconocido"));
    }
    return false;
}

} // namespace quenlap
