#include "simsupport.h"

#include <QTimer>

#include <csignal>
#include <cstdio>

namespace sim {

namespace {

volatile std::sig_atomic_t interruptRequested = 0;

extern "C" void requestInterrupt(int)
{
    interruptRequested = 1;
}

// The options every simulator takes; nothing for another option.
std::optional<bool> readServerOption(const QString &option, const QString &value,
                                     ServerOptions &server)
{
    if (option == QLatin1String("--port")) {
        const std::optional<long long> port = wholeNumber(value, 0, 65535);
        server.port = port ? quint16(*port) : 0;
        return port.has_value();
    }
    if (option == QLatin1String("--listen"))
        return server.address.setAddress(value);
    if (option == QLatin1String("--speed")) {
        bool good = false;
        server.speed = value.toDouble(&good);
        return good && server.speed > 0 && server.speed <= 10000;
    }
    return std::nullopt;
}

} // namespace

void tell(const char *command, const QString &text)
{
    std::fprintf(stderr, "quenlap-sim %s: %s\n", command, qPrintable(text));
    std::fflush(stderr);
}

bool listenOn(const char *command, QTcpServer &server, const QHostAddress &address, quint16 port)
{
    if (server.listen(address, port))
        return true;
    tell(command, QStringLiteral("cannot listen on %1:%2: %3")
                      .arg(address.toString())
                      .arg(port)
                      .arg(server.errorString()));
    return false;
}

std::optional<long long> wholeNumber(const QString &text, long long lowest, long long highest)
{
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

bool parseOptions(const char *command, const QStringList &arguments, ServerOptions &server,
                  const OptionReader &readOption, const ArgumentReader &readArgument)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        if (readArgument && !option.startsWith(QLatin1String("--"))) {
            if (!readArgument(option))
                return false;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            tell(command, QStringLiteral("%1 needs a value or is unknown").arg(option));
            return false;
        }
        const QString value = arguments[++i];
        std::optional<bool> good = readServerOption(option, value, server);
        if (!good)
            good = readOption(option, value);
        if (!good) {
            tell(command, QStringLiteral("unknown option %1").arg(option));
            return false;
        }
        if (!*good) {
            tell(command, QStringLiteral("bad value for %1: %2").arg(option, value));
            return false;
        }
    }
    return true;
}

int runUntilInterrupted(QCoreApplication &app, const std::function<void()> &interrupt)
{
    interruptRequested = 0;
    std::signal(SIGINT, requestInterrupt);
    std::signal(SIGTERM, requestInterrupt);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&interrupt, &watch] {
        if (!interruptRequested)
            return;
        watch.stop();
        interrupt();
    });
    watch.start(100);

    const int status = app.exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return status;
}

} // namespace sim
