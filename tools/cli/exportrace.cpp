#include "exportrace.h"

#include "base/error.h"

#include <QFileInfo>

namespace cli {

using quenlap::TCoche;
using quenlap::TVueltaCorredor;

void LoadedRace::load()
{
    // The model reads a missing file as an empty race; here that would pass for success.
    if (!QFileInfo(file).isFile()) {
        error = QStringLiteral("File not found: ") + file;
        return;
    }
    try {
        vueltas.CargarFichero(file, coches);
    } catch (const quenlap::Error &e) {
        error = e.message();
    }
}

JsonObject lapJson(const TVueltaCorredor &vuelta)
{
    JsonObject object;
    object.add(u"numero", vuelta.Coche ? vuelta.Coche->Numero : 0)
        .add(u"nombre", vuelta.Coche ? vuelta.Coche->Nombre : QString())
        .add(u"vuelta", vuelta.Vuelta)
        .addSeconds(u"tiempoCarrera", vuelta.TiempoCarrera)
        .addSeconds(u"tiempoVuelta", vuelta.TiempoVuelta)
        .addSeconds(u"mejorHastaAhora", vuelta.MejorHastaAhora)
        .add(u"texto", vuelta.Texto)
        .add(u"rnk", vuelta.Rnk)
        .add(u"esMejor", vuelta.EsMejor);
    return object;
}

JsonObject competitorJson(const TCoche &coche)
{
    JsonObject object;
    object.add(u"numero", coche.Numero)
        .add(u"nombre", coche.Nombre)
        .add(u"carril", coche.Carril)
        .add(u"vueltas", coche.VueltasTotales())
        .addSeconds(u"tiempoTotal", coche.TiempoTotal)
        .addSeconds(u"ultimaVuelta", coche.UltimaVuelta)
        .addSeconds(u"mejorVuelta", coche.MejorVuelta)
        .add(u"vueltaMejor", coche.VueltaMejor)
        .addSeconds(u"media", coche.Media)
        .addSeconds(u"inicio", coche.Inicio)
        .add(u"enEspera", coche.EnEspera)
        .add(u"posicion", coche.Posicion)
        .add(u"diff", coche.Diff)
        .add(u"gap", coche.Gap);
    return object;
}

namespace {

// The elements of a JSON array, one per line after the given indentation.
template <typename List, typename ToJson>
void writeArray(const List &list, int indent, const std::function<void(const QString &)> &write,
                ToJson toJson)
{
    if (list.begin() == list.end()) {
        write(QStringLiteral("[]"));
        return;
    }
    const QString inner(indent + 2, QLatin1Char(' '));
    QString text = QStringLiteral("[\n");
    bool first = true;
    for (const auto &element : list) {
        if (!first)
            text += QLatin1String(",\n");
        first = false;
        text += inner + toJson(*element).compact();
        if (text.size() > 32768) {
            write(text);
            text.clear();
        }
    }
    write(text + QLatin1Char('\n') + QString(indent, QLatin1Char(' ')) + QLatin1Char(']'));
}

} // namespace

void writeRaceJson(const LoadedRace &race, int indent,
                   const std::function<void(const QString &)> &write)
{
    const QString inner(indent + 2, QLatin1Char(' '));
    JsonObject head;
    head.add(u"file", race.file).add(u"descartarPrimera", race.vueltas.DescartarPrimera);
    if (race.error)
        head.add(u"error", *race.error);
    else
        head.addNull(u"error");
    QString text = head.indented(indent);
    text.chop(indent + 2); // reopen the object: drop the closing line
    write(text + QLatin1String(",\n") + inner + jsonString(u"laps") + QLatin1String(": "));
    writeArray(race.vueltas, indent + 2, write, lapJson);
    write(QLatin1String(",\n") + inner + jsonString(u"competitors") + QLatin1String(": "));
    writeArray(race.coches, indent + 2, write, competitorJson);
    write(QLatin1Char('\n') + QString(indent, QLatin1Char(' ')) + QLatin1Char('}'));
}

QString raceJson(const LoadedRace &race, int indent)
{
    QString text;
    writeRaceJson(race, indent, [&text](const QString &piece) { text += piece; });
    return text;
}

} // namespace cli
