#include "base/clock.h"
#include "base/error.h"
#include "simsupport.h"
#include "simulators.h"
#include "tarvelserver.h"

#include <optional>

namespace sim {

namespace {

constexpr const char *Command = "tarvel";

struct TarvelArguments
{
    ServerOptions server{5000};
    TarvelServer::Options options;
    QString file;
    quenlap::ParametrosCarrera generate;
};

std::optional<quenlap::ParametrosCarrera> parseGenerate(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return std::nullopt;
    bool competitorsOk = false;
    bool minutesOk = false;
    bool seedOk = false;
    quenlap::ParametrosCarrera parameters;
    parameters.Competidores = parts[0].toInt(&competitorsOk);
    parameters.Minutos = parts[1].toDouble(&minutesOk);
    parameters.Semilla = parts[2].toULongLong(&seedOk);
    if (!competitorsOk || !minutesOk || !seedOk || parameters.Competidores < 1 ||
        parameters.Competidores > 999 || parameters.Minutos <= 0 || parameters.Minutos > 1440)
        return std::nullopt;
    return parameters;
}

std::optional<TarvelArguments> parse(const QStringList &arguments)
{
    TarvelArguments parsed;
    bool generateGiven = false;
    const auto readOption = [&](const QString &option,
                                const QString &value) -> std::optional<bool> {
        if (option == QLatin1String("--max-viewers")) {
            bool good = false;
            parsed.options.maxViewers = value.toInt(&good);
            return good && parsed.options.maxViewers >= 0;
        }
        if (option == QLatin1String("--generate")) {
            const auto parameters = parseGenerate(value);
            const bool good = parameters.has_value() && parsed.file.isEmpty() && !generateGiven;
            if (parameters)
                parsed.generate = *parameters;
            generateGiven = true;
            return good;
        }
        return std::nullopt;
    };
    const auto readFile = [&](const QString &file) {
        if (!parsed.file.isEmpty() || generateGiven) {
            tell(Command, QStringLiteral("give one race: a file or --generate"));
            return false;
        }
        parsed.file = file;
        return true;
    };
    if (!parseOptions(Command, arguments, parsed.server, readOption, readFile))
        return std::nullopt;
    parsed.options.speed = parsed.server.speed;
    return parsed;
}

} // namespace

int runTarvel(QCoreApplication &app, const QStringList &arguments)
{
    const std::optional<TarvelArguments> parsed = parse(arguments);
    if (!parsed)
        return 2;

    std::optional<TarvelRace> race;
    try {
        race = parsed->file.isEmpty() ? TarvelRace::generated(parsed->generate)
                                      : TarvelRace::fromFile(parsed->file);
    } catch (const quenlap::Error &error) {
        tell(Command, error.message());
        return 1;
    }

    TarvelServer server(std::move(*race), parsed->options, quenlap::Clock::system());
    if (!server.listen(parsed->server.address, parsed->server.port))
        return 1;
    QObject::connect(&server, &TarvelServer::finished, &app, [&app] { app.exit(0); });
    return runUntilInterrupted(app, [&server] {
        tell(Command, QStringLiteral("interrupted"));
        server.stop();
    });
}

} // namespace sim
