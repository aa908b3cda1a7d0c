#include "base/clock.h"
#include "base/error.h"
#include "simulators.h"
#include "tarvelserver.h"

#include <QHostAddress>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <optional>

namespace sim {

namespace {

volatile std::sig_atomic_t interruptRequested = 0;

extern "C" void requestInterrupt(int)
{
    interruptRequested = 1;
}

void complain(const QString &text)
{
    std::fprintf(stderr, "quenlap-sim tarvel: %s\n", qPrintable(text));
}

struct TarvelArguments
{
    quint16 port = 5000;
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
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
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        if (!option.startsWith(QLatin1String("--"))) {
            if (!parsed.file.isEmpty() || generateGiven) {
                complain(QStringLiteral("give one race: a file or --generate"));
                return std::nullopt;
            }
            parsed.file = option;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            complain(QStringLiteral("%1 needs a value or is unknown").arg(option));
            return std::nullopt;
        }
        const QString value = arguments[++i];
        bool good = true;
        if (option == QLatin1String("--port")) {
            const uint port = value.toUInt(&good);
            good = good && port <= 65535;
            parsed.port = quint16(port);
        } else if (option == QLatin1String("--listen")) {
            good = parsed.address.setAddress(value);
        } else if (option == QLatin1String("--speed")) {
            parsed.options.speed = value.toDouble(&good);
            good = good && parsed.options.speed > 0 && parsed.options.speed <= 10000;
        } else if (option == QLatin1String("--max-viewers")) {
            parsed.options.maxViewers = value.toInt(&good);
            good = good && parsed.options.maxViewers >= 0;
        } else if (option == QLatin1String("--generate")) {
            const auto parameters = parseGenerate(value);
            good = parameters.has_value() && parsed.file.isEmpty() && !generateGiven;
            if (parameters)
                parsed.generate = *parameters;
            generateGiven = true;
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
        complain(error.message());
        return 1;
    }

    TarvelServer server(std::move(*race), parsed->options, quenlap::Clock::system());
    if (!server.listen(parsed->address, parsed->port))
        return 1;
    QObject::connect(&server, &TarvelServer::finished, &app, [&app] { app.exit(0); });

    // Ctrl-C only raises a flag; the event loop notices it and closes the viewers in order.
    interruptRequested = 0;
    std::signal(SIGINT, requestInterrupt);
    std::signal(SIGTERM, requestInterrupt);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&server, &watch] {
        if (!interruptRequested)
            return;
        watch.stop();
        complain(QStringLiteral("interrupted"));
        server.stop();
    });
    watch.start(100);

    const int status = app.exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return status;
}

} // namespace sim
