#pragma once

#include "base/clock.h"
#include "base/formatsettings.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

namespace quenlap {

class TLogger;

// Reads the text a DS Router sends: buffers it, cuts it into CR LF records and decodes the
// records that carry data. Every piece received and every decoding problem goes to the DS Router
// log, a file in the current directory that is created at the first line logged.
//
// A race window calls Procesar on each read notification of its socket with all the text
// received, then again with empty text while the result is not 0 (at most 1001 calls in all),
// and reads the decoded values right after a call returns the kind it wants.
class TDSRouter
{
public:
    // Kind codes that Procesar returns.
    enum Tipos : int {
        Ninguno = 0,
        ST1 = 1,
        ST2 = 2,
        ST3 = 3,
        LAP = 4,
        END = 5,
        UNK = 6,
    };

    // Longest text kept without a CR LF; past it the unfinished line is dropped up to its end.
    static constexpr qsizetype MaxPendiente = 64 * 1024;

    // clock stamps the log; formato gives its date and time separators and names.
    explicit TDSRouter(const Clock &clock = Clock::system(),
                       const FormatSettings &formato = FormatSettings::fromLocale());
    ~TDSRouter();
    TDSRouter(const TDSRouter &) = delete;
    TDSRouter &operator=(const TDSRouter &) = delete;

    // Logs and buffers Data, cuts at most one record and returns its kind (0 when no complete
    // record of a known kind was found).
    int Procesar(QByteArrayView Data);
    // Writes one line to the DS Router log, creating the log on first use. A log that fails to
    // write is reported once and closed, so the feed itself goes on.
    void Log(QByteArrayView Texto);
    // Drops the text not yet cut into records.
    void Limpiar();

    const QByteArray &Pendiente() const { return pendiente; }
    int Tipo() const { return tipo; }
    int SegundoCampo() const { return segundoCampo; }
    int ValorST1() const { return valorST1; }
    int Carril() const { return carril; }
    int NumeroVuelta() const { return numeroVuelta; }
    double TiempoVuelta() const { return tiempoVuelta; }
    bool PrimeraPosicion() const { return primeraPosicion; }
    bool VueltaRapida() const { return vueltaRapida; }
    // The log, or none before the first line logged or after it failed.
    const TLogger *Logger() const { return logger.get(); }

    // A DS Router time "h:m:s:t" (t in ten-thousandths of a second, its last digit dropped) as
    // a day fraction. Throws quenlap::Error when a part is not a number or out of range.
    static double LeerTiempoDS(QByteArrayView texto);

private:
    void AcotarPendiente();
    QByteArrayView SaltarLineaDescartada(QByteArrayView data);
    void ExtraerRegistro();
    void LeerST1(QByteArrayView resto);
    void LeerLAP(QByteArrayView resto);

    const Clock &clock;
    FormatSettings formato;
    std::unique_ptr<TLogger> logger;
    bool logFallido = false;

    QByteArray pendiente;
    // An overlong line is being dropped until its CR LF; crDescartado: its last byte was a CR.
    bool descartando = false;
    bool crDescartado = false;
    qint64 bytesDescartados = 0;

    int tipo = Ninguno;
    int segundoCampo = 0;
    int valorST1 = 0;
    int carril = 0;
    int numeroVuelta = 0;
    double tiempoVuelta = 0;
    bool primeraPosicion = false;
    bool vueltaRapida = false;
};

} // namespace quenlap
