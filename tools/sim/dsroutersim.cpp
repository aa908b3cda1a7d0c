#include "base/clock.h"
#include "dsrouterserver.h"
#include "simulators.h"

#include <QHostAddress>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <optional>

namespace sim {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int)
{
    interrupted = 1;
}

struct DsRouterArguments
{
    quint16 port = 7000;
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    double speed = 1.0;
    DsRouterRace::Options race;
};

void complain(const QString &text)
{
    std::fprintf(stderr, "quenlap-sim dsrouter: %s\n", qPrintable(text));
}

std::optional<long long> wholeNumber(const QString &text, long long lowest, long long highest)
{
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<DsRouterArguments> parse(const QStringList &arguments)
{
    DsRouterArguments parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        if (i + 1 >= arguments.size()) {
            complain(QStringLiteral("%1 needs a value or is unknown").arg(option));
            return std::nullopt;
        }
        const QString value = arguments[++i];
        std::optional<long long> number;
        bool good = true;
        if (option == QLatin1String("--port")) {
            good = (number = wholeNumber(value, 0, 65535)).has_value();
            parsed.port = good ? quint16(*number) : 0;
        } else if (option == QLatin1String("--listen")) {
            good = parsed.address.setAddress(value);
        } else if (option == QLatin1String("--speed")) {
            parsed.speed = value.toDouble(&good);
            good = good && parsed.speed > 0 && parsed.speed <= 10000;
        } else if (option == QLatin1String("--lanes")) {
            good = (number = wholeNumber(value, 1, 99)).has_value();
            parsed.race.lanes = good ? int(*number) : 0;
        } else if (option == QLatin1String("--minutes")) {
            good = (number = wholeNumber(value, 1, 1440)).has_value();
            parsed.race.minutes = good ? int(*number) : 0;
        } else if (option == QLatin1String("--seed")) {
            good = (number = wholeNumber(value, 0, 0xFFFFFFFFLL)).has_value();
            parsed.race.seed = good ? quint32(*number) : 0;
        } else {
            complain(QStringLiteral("unknown option %1").arg(option));
            return std::nullopt;
        }
        if (!good) {
            complain(QStringLiteral("bad value for %1: %2").arg(option, value));
            return std::nullopt;
        }
    }
    return parsed;
}

} // namespace

int runDsRouter(QCoreApplication &app, const QStringList &arguments)
{
    const std::optional<DsRouterArguments> parsed = parse(arguments);
    if (!parsed)
        return 2;

    DsRouterServer server(DsRouterRace(parsed->race), parsed->speed, quenlap::Clock::system());
    if (!server.listen(parsed->address, parsed->port))
        return 1;
    QObject::connect(&server, &DsRouterServer::finished, &app, [&app] { app.exit(0); });

    interrupted = 0;
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&server] {
        if (!interrupted)
            return;
        interrupted = 0;
        complain(QStringLiteral("interrupted, closing"));
        server.stop();
    });
    watch.start(100);

    const int status = app.exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return status;
}

} // namespace sim
