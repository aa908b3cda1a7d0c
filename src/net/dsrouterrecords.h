#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quenlap {

// One lap as a DS Router reports it in a LAP record.
struct VueltaDS
{
    int carril = 0;
    int numeroVuelta = 0;
    double tiempoVuelta = 0; // day fraction, below one day
    bool primeraPosicion = false;
    bool vueltaRapida = false;
};

// The records a DS Router writes, each ended by CR LF; numero is the record's second field.
QByteArray RegistroST1(int numero, int valor);
// A record of a kind without data fields: "ST2", "ST3", "END" or "UNK".
QByteArray RegistroSimple(QByteArrayView tipo, int numero);
QByteArray RegistroLAP(int numero, const VueltaDS &vuelta);

// A time below one day as "h:mm:ss:tttt" (hours, minutes, seconds, ten-thousandths of a second).
QByteArray TiempoDS(double dias);

} // namespace quenlap
