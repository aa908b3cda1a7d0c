#include "model/generadorcarrera.h"

#include "base/racetime.h"
#include "model/vueltacorredor.h"

#include <QStringEncoder>

#include <algorithm>
#include <array>

namespace quenlap {

namespace {

// splitmix64: small, fast and the same on every platform and library, unlike the standard
// distributions.
class Aleatorio
{
public:
    explicit Aleatorio(quint64 semilla) : estado(semilla) {}

    quint64 Siguiente()
    {
        quint64 z = (estado += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Uniforme() { return double(Siguiente() >> 11) * 0x1.0p-53; }

    // Close to a standard normal: the sum of twelve uniforms, arithmetic only, so it repeats
    // exactly everywhere.
    double Normal()
    {
        double suma = 0;
        for (int i = 0; i < 12; ++i)
            suma += Uniforme();
        return suma - 6;
    }

private:
    quint64 estado;
};

const std::array<const char16_t *, 20> Nombres = {
    u"Ana Garcia",   u"Luis Martin",    u"Carmen Ruiz",  u"Javier Soto",  u"Begoña Ibáñez",
    u"Pablo Ortega", u"Marta Iglesias", u"Diego Romero", u"Elena Castro", u"Sergio Vidal",
    u"Nuria Pons",   u"Raul Molina",    u"Irene Campos", u"Hector Gil",   u"Sara Delgado",
    u"Oscar Prieto", u"Alba Serrano",   u"Ivan Cano",    u"Julia Marin",  u"Victor Rubio"};

QString NombreDe(int numero)
{
    if (numero >= 1 && numero <= int(Nombres.size()))
        return QString::fromUtf16(Nombres[std::size_t(numero - 1)]);
    return QStringLiteral("Piloto %1").arg(numero);
}

struct VueltaMs
{
    int Numero;
    int Vuelta;
    qint64 Carrera;
    qint64 Tiempo;
};

void GenerarCompetidor(int numero, qint64 duracionMs, Aleatorio &azar,
                       std::vector<VueltaMs> &salida)
{
    const double ritmo = 4500 + azar.Uniforme() * 2500;
    const double dispersion = 60 + azar.Uniforme() * 160;
    qint64 carrera = 0;
    for (int vuelta = 1;; ++vuelta) {
        double ms = ritmo + dispersion * azar.Normal();
        if (vuelta == 1)
            ms += 300 + azar.Uniforme() * 700;
        if (azar.Uniforme() < 0.04)
            ms += 1500 + azar.Uniforme() * 4500;
        const qint64 tiempo = std::max<qint64>(qint64(ms), qint64(ritmo * 0.9));
        if (carrera + tiempo > duracionMs)
            return;
        carrera += tiempo;
        salida.push_back({numero, vuelta, carrera, tiempo});
    }
}

} // namespace

std::vector<VueltaGenerada> GenerarCarrera(const ParametrosCarrera &parametros)
{
    Aleatorio azar(parametros.Semilla);
    const qint64 duracionMs = qint64(parametros.Minutos * 60000);
    std::vector<VueltaMs> vueltas;
    for (int numero = 1; numero <= parametros.Competidores; ++numero)
        GenerarCompetidor(numero, duracionMs, azar, vueltas);
    std::sort(vueltas.begin(), vueltas.end(), [](const VueltaMs &a, const VueltaMs &b) {
        return a.Carrera != b.Carrera ? a.Carrera < b.Carrera : a.Numero < b.Numero;
    });

    std::vector<QString> nombres;
    std::vector<int> hechas(std::size_t(std::max(parametros.Competidores, 0)) + 1, 0);
    for (int numero = 0; numero <= parametros.Competidores; ++numero)
        nombres.push_back(NombreDe(numero));
    std::vector<VueltaGenerada> resultado;
    resultado.reserve(vueltas.size());
    for (const VueltaMs &v : vueltas) {
        // Everyone already at this lap count crossed earlier, so is ahead.
        const int delante =
            int(std::count_if(hechas.begin(), hechas.end(), [&](int n) { return n >= v.Vuelta; }));
        hechas[std::size_t(v.Numero)] = v.Vuelta;
        resultado.push_back({v.Numero, nombres[std::size_t(v.Numero)], v.Vuelta,
                             MsToDias(double(v.Carrera)), MsToDias(double(v.Tiempo)), delante + 1});
    }
    return resultado;
}

QStringList LineasCarrera(const std::vector<VueltaGenerada> &vueltas)
{
    QStringList lineas;
    lineas.reserve(qsizetype(vueltas.size()));
    for (const VueltaGenerada &v : vueltas)
        lineas.append(FormatearLineaVuelta(v.Numero, v.Nombre, v.Vuelta, v.TiempoCarrera,
                                           v.TiempoVuelta, QString(), v.Rnk));
    return lineas;
}

QByteArray FicheroCarrera(const std::vector<VueltaGenerada> &vueltas)
{
    QStringList lineas = LineasCarrera(vueltas);
    lineas.append(QStringLiteral("-1"));
    const QString texto = lineas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    QStringEncoder codificador(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return codificador.encode(texto);
}

} // namespace quenlap
