#include "net/dsrouter.h"

#include "base/error.h"
#include "base/errorreporter.h"
#include "base/racetime.h"
#include "net/logger.h"

#include <optional>

namespace quenlap {

namespace {

constexpr int LimiteLogKB = 10000;
constexpr QByteArrayView FinRegistro("\r\n");

// Splits off the text up to the first separator; without one the whole rest is the field.
QByteArrayView Separar(QByteArrayView &resto, char separador)
{
    const qsizetype posicion = resto.indexOf(separador);
    if (posicion < 0) {
        const QByteArrayView campo = resto;
        resto = {};
        return campo;
    }
    const QByteArrayView campo = resto.first(posicion);
    resto = resto.sliced(posicion + 1);
    return campo;
}

// A decimal integer with an optional sign and nothing else around it.
std::optional<int> Entero(QByteArrayView texto)
{
    bool ok = false;
    const int valor = texto.toInt(&ok, 10);
    const bool soloDigitos = !texto.isEmpty() && texto.back() >= '0' && texto.back() <= '9' &&
                             (texto.front() == '-' || texto.front() == '+' ||
                              (texto.front() >= '0' && texto.front() <= '9'));
    if (!ok || !soloDigitos)
        return std::nullopt;
    return valor;
}

int EnteroDef(QByteArrayView texto, int porDefecto)
{
    return Entero(texto).value_or(porDefecto);
}

int EnteroEstricto(QByteArrayView texto)
{
    if (const auto valor = Entero(texto))
        return *valor;
    throw Error(QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(texto)));
}

int TipoDe(QByteArrayView texto)
{
    static constexpr QByteArrayView Tipos[] = {"ST1", "ST2", "ST3", "LAP", "END", "UNK"};
    for (int i = 0; i < 6; ++i) {
        if (texto == Tipos[i])
            return i + 1;
    }
    return TDSRouter::Ninguno;
}

QByteArray Numero(qint64 valor)
{
    return QByteArray::number(valor);
}

} // namespace

TDSRouter::TDSRouter(const Clock &clock, const FormatSettings &formato)
    : clock(clock), formato(formato)
{}

TDSRouter::~TDSRouter() = default;

void TDSRouter::Log(QByteArrayView Texto)
{
    if (logFallido)
        return;
    try {
        if (!logger) {
            const QString nombre =
                QLatin1String("Quenlap.dsrouter.") +
                FormatDateTime(u"yyyymmdd-hhnnss", DateTimeToDias(clock.now()), formato) +
                QLatin1String(".log");
            logger = std::make_unique<TLogger>(nombre, LimiteLogKB, true,
                                               QByteArrayLiteral("DSRouter"), clock, formato);
        }
        logger->Escribir(Texto);
    } catch (const Error &error) {
        // Losing the log must not lose the race: stop logging, say so once, keep reading.
        logFallido = true;
        logger.reset();
        ErrorReporter::report(error.message());
    }
}

void TDSRouter::Limpiar()
{
    pendiente.clear();
}

int TDSRouter::Procesar(QByteArrayView Data)
{
    Log(QByteArray('[' + Data.toByteArray() + ']'));
    if (!Data.isEmpty()) {
        pendiente += descartando ? SaltarLineaDescartada(Data) : Data;
        AcotarPendiente();
    }
    try {
        ExtraerRegistro();
        return tipo;
    } catch (const std::exception &) {
        tipo = Ninguno;
        return tipo;
    }
}

QByteArrayView TDSRouter::SaltarLineaDescartada(QByteArrayView data)
{
    qsizetype fin = -1;
    if (crDescartado && data.startsWith('\n'))
        fin = 1;
    else if (const qsizetype posicion = data.indexOf(FinRegistro); posicion >= 0)
        fin = posicion + 2;
    if (fin < 0) {
        crDescartado = data.endsWith('\r');
        bytesDescartados += data.size();
        return {};
    }
    bytesDescartados += fin;
    descartando = false;
    Log("**** DSROUTER: fin de la linea descartada, " + Numero(bytesDescartados) +
        " bytes en total ****");
    return data.sliced(fin);
}

void TDSRouter::AcotarPendiente()
{
    const qsizetype ultimoFin = pendiente.lastIndexOf(FinRegistro);
    const qsizetype inicio = ultimoFin < 0 ? 0 : ultimoFin + 2;
    const qsizetype largo = pendiente.size() - inicio;
    if (largo <= MaxPendiente)
        return;
    // The rest of that line is dropped too as it arrives, so its tail is never read as a record.
    crDescartado = pendiente.endsWith('\r');
    pendiente.truncate(inicio);
    descartando = true;
    bytesDescartados = largo;
    Log("**** DSROUTER: descartados " + Numero(largo) + " bytes recibidos sin CR LF ****");
}

void TDSRouter::ExtraerRegistro()
{
    tipo = Ninguno;
    const qsizetype fin = pendiente.indexOf(FinRegistro);
    if (fin < 0)
        return;
    const QByteArray linea = pendiente.left(fin);
    pendiente.remove(0, fin + 2);

    QByteArrayView resto = linea;
    const QByteArrayView textoTipo = Separar(resto, '#');
    segundoCampo = EnteroDef(Separar(resto, '#'), 0);
    tipo = TipoDe(textoTipo);
    if (tipo == ST1)
        LeerST1(resto);
    else if (tipo == LAP)
        LeerLAP(resto);
}

void TDSRouter::LeerST1(QByteArrayView resto)
{
    valorST1 = EnteroDef(Separar(resto, '#'), 0);
}

void TDSRouter::LeerLAP(QByteArrayView resto)
{
    carril = 0;
    numeroVuelta = 0;
    tiempoVuelta = 0;
    primeraPosicion = false;
    vueltaRapida = false;
    try {
        carril = EnteroEstricto(Separar(resto, '#'));
        numeroVuelta = EnteroEstricto(Separar(resto, '#'));
        tiempoVuelta = LeerTiempoDS(Separar(resto, '#'));
        primeraPosicion = Separar(resto, '#') == "1";
        vueltaRapida = Separar(resto, '#') == "1";
    } catch (const Error &error) {
        Log("Excepcion analizando trama LAP : [" + resto.toByteArray() + "]. " +
            error.message().toLatin1());
    }
}

double TDSRouter::LeerTiempoDS(QByteArrayView texto)
{
    QByteArrayView resto = texto;
    const int horas = EnteroEstricto(Separar(resto, ':'));
    const int minutos = EnteroEstricto(Separar(resto, ':'));
    const int segundos = EnteroEstricto(Separar(resto, ':'));
    const int diezmilesimas = EnteroEstricto(resto);
    const int milisegundos = diezmilesimas / 10;
    if (horas < 0 || horas > 23 || minutos < 0 || minutos > 59 || segundos < 0 || segundos > 59 ||
        diezmilesimas < 0 || milisegundos > 999)
        throw Error(QStringLiteral("Invalid argument to time encode"));
    const qint64 total = ((qint64(horas) * 60 + minutos) * 60 + segundos) * 1000 + milisegundos;
    return MsToDias(double(total));
}

} // namespace quenlap
