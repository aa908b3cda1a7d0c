#include "commands.h"
#include "exportrace.h"
#include "model/clasificacion.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace cli {

namespace {

enum class ExportFormat { Json, Laps, Competitors, Results };

struct ExportOptions
{
    ExportFormat format = ExportFormat::Json;
    // Standings by best lap instead of race order.
    bool clasificacion = false;
    QStringList files;
};

struct FormatName
{
    QLatin1StringView name;
    ExportFormat format;
};

constexpr FormatName FormatNames[] = {
    {QLatin1StringView("json"), ExportFormat::Json},
    {QLatin1StringView("laps"), ExportFormat::Laps},
    {QLatin1StringView("competitors"), ExportFormat::Competitors},
    {QLatin1StringView("results"), ExportFormat::Results},
};

bool parseFormat(const QString &name, ExportFormat &format)
{
    for (const FormatName &known : FormatNames) {
        if (name == known.name) {
            format = known.format;
            return true;
        }
    }
    return false;
}

bool parseOptions(const QStringList &arguments, ExportOptions &options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--format")) {
            if (++i == arguments.size() || !parseFormat(arguments[i], options.format))
                return false;
        } else if (argument.startsWith(QLatin1String("--format="))) {
            if (!parseFormat(argument.mid(9), options.format))
                return false;
        } else if (argument == QLatin1String("--clasificacion")) {
            options.clasificacion = true;
        } else if (argument.startsWith(QLatin1String("--")) && argument.size() > 2) {
            return false;
        } else {
            options.files.append(argument);
        }
    }
    return !options.files.isEmpty();
}

void writeOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

QString textLines(const LoadedRace &race, ExportFormat format)
{
    QString text;
    if (format == ExportFormat::Laps) {
        for (const auto &vuelta : race.vueltas)
            text += vuelta->LineaVuelta() + QLatin1Char('\n');
    } else if (format == ExportFormat::Results) {
        for (const QString &linea : quenlap::LineasResultado(race.coches))
            text += linea + QLatin1Char('\n');
    } else {
        for (const auto &coche : race.coches)
            text += coche->LineaCoche() + QLatin1Char('\n');
    }
    return text;
}

} // namespace

int runExport(const QStringList &arguments)
{
    ExportOptions options;
    if (!parseOptions(arguments, options))
        return 2;

    bool failed = false;
    const bool several = options.files.size() > 1;
    if (options.format == ExportFormat::Json && several)
        writeOut(QStringLiteral("[\n"));
    for (qsizetype i = 0; i < options.files.size(); ++i) {
        auto race = std::make_unique<LoadedRace>();
        race->file = options.files[i];
        race->load();
        // The competitors come in standings order, with their positions and differences; the
        // competitor lines keep the list's own order unless a best-lap ranking is asked for.
        if (options.format != ExportFormat::Competitors || options.clasificacion)
            quenlap::CalcularClasificacion(race->coches, options.clasificacion);
        if (race->error) {
            failed = true;
            std::fprintf(stderr, "quenlap-cli: %s: %s\n", qUtf8Printable(race->file),
                         qUtf8Printable(*race->error));
        }
        if (options.format == ExportFormat::Json) {
            const int indent = several ? 2 : 0;
            const QString separator =
                i + 1 < options.files.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
            writeOut(QString(indent, QLatin1Char(' ')));
            writeRaceJson(*race, indent, writeOut);
            writeOut(separator);
        } else {
            writeOut(textLines(*race, options.format));
        }
    }
    if (options.format == ExportFormat::Json && several)
        writeOut(QStringLiteral("]\n"));
    std::fflush(stdout);
    return failed ? 1 : 0;
}

} // namespace cli
