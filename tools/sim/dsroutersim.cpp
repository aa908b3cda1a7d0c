#include "base/clock.h"
#include "dsrouterserver.h"
#include "simsupport.h"
#include "simulators.h"

#include <optional>

namespace sim {

namespace {

constexpr const char *Command = "dsrouter";

struct DsRouterArguments
{
    ServerOptions server{7000};
    DsRouterRace::Options race;
};

std::optional<bool> readRaceOption(const QString &option, const QString &value,
                                   DsRouterRace::Options &race)
{
    std::optional<long long> number;
    if (option == QLatin1String("--lanes")) {
        number = wholeNumber(value, 1, 99);
        race.lanes = number ? int(*number) : 0;
    } else if (option == QLatin1String("--minutes")) {
        number = wholeNumber(value, 1, 1440);
        race.minutes = number ? int(*number) : 0;
    } else if (option == QLatin1String("--seed")) {
        number = wholeNumber(value, 0, 0xFFFFFFFFLL);
        race.seed = number ? quint32(*number) : 0;
    } else {
        return std::nullopt;
    }
    return number.has_value();
}

std::optional<DsRouterArguments> parse(const QStringList &arguments)
{
    DsRouterArguments parsed;
    const bool good = parseOptions(Command, arguments, parsed.server,
                                   [&parsed](const QString &option, const QString &value) {
                                       return readRaceOption(option, value, parsed.race);
                                   });
    return good ? std::optional(parsed) : std::nullopt;
}

} // namespace

int runDsRouter(QCoreApplication &app, const QStringList &arguments)
{
    const std::optional<DsRouterArguments> parsed = parse(arguments);
    if (!parsed)
        return 2;

    DsRouterServer server(DsRouterRace(parsed->race), parsed->server.speed,
                          quenlap::Clock::system());
    if (!server.listen(parsed->server.address, parsed->server.port))
        return 1;
    QObject::connect(&server, &DsRouterServer::finished, &app, [&app] { app.exit(0); });
    return runUntilInterrupted(app, [&server] {
        tell(Command, QStringLiteral("interrupted, closing"));
        server.stop();
    });
}

} // namespace sim
