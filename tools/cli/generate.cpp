#include "commands.h"
#include "model/generadorcarrera.h"

#include <QFile>

#include <cstdio>

namespace cli {

namespace {

// Race times are read back as times of day, so a race must end within 24 hours.
constexpr double MaxMinutes = 24 * 60 - 1;
constexpr int MaxCompetitors = 999;

bool parseOptions(const QStringList &arguments, quenlap::ParametrosCarrera &parameters,
                  QString &output)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        if (i + 1 == arguments.size())
            return false;
        const QString &value = arguments[++i];
        bool ok = false;
        if (option == QLatin1String("--competitors")) {
            parameters.Competidores = value.toInt(&ok);
            ok = ok && parameters.Competidores >= 1 && parameters.Competidores <= MaxCompetitors;
        } else if (option == QLatin1String("--minutes")) {
            parameters.Minutos = value.toDouble(&ok);
            ok = ok && parameters.Minutos > 0 && parameters.Minutos <= MaxMinutes;
        } else if (option == QLatin1String("--seed")) {
            parameters.Semilla = value.toULongLong(&ok);
        } else if (option == QLatin1String("--output")) {
            output = value;
            ok = !output.isEmpty();
        }
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

int runGenerate(const QStringList &arguments)
{
    quenlap::ParametrosCarrera parameters;
    QString output;
    if (!parseOptions(arguments, parameters, output))
        return 2;

    const QByteArray data = quenlap::FicheroCarrera(quenlap::GenerarCarrera(parameters));
    if (output.isEmpty()) {
        std::fwrite(data.constData(), 1, std::size_t(data.size()), stdout);
        std::fflush(stdout);
        return 0;
    }
    QFile file(output);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
        std::fprintf(stderr, "quenlap-cli: %s: %s\n", qUtf8Printable(output),
                     qUtf8Printable(file.errorString()));
        return 1;
    }
    return 0;
}

} // namespace cli
