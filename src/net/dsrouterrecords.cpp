#include "net/dsrouterrecords.h"

#include "base/racetime.h"

namespace quenlap {

namespace {

const QByteArray FinRegistro = QByteArrayLiteral("\r\n");

QByteArray Digitos(qint64 valor, int ancho)
{
    return QByteArray::number(valor).rightJustified(ancho, '0');
}

} // namespace

QByteArray RegistroSimple(QByteArrayView tipo, int numero)
{
    return tipo.toByteArray() + '#' + QByteArray::number(numero) + FinRegistro;
}

QByteArray RegistroST1(int numero, int valor)
{
    return "ST1#" + QByteArray::number(numero) + '#' + QByteArray::number(valor) + FinRegistro;
}

QByteArray RegistroLAP(int numero, const VueltaDS &vuelta)
{
    return "LAP#" + QByteArray::number(numero) + '#' + QByteArray::number(vuelta.carril) + '#' +
           QByteArray::number(vuelta.numeroVuelta) + '#' + TiempoDS(vuelta.tiempoVuelta) + '#' +
           (vuelta.primeraPosicion ? '1' : '0') + '#' + (vuelta.vueltaRapida ? '1' : '0') +
           FinRegistro;
}

QByteArray TiempoDS(double dias)
{
    const qint64 ms = Round(DiasToMs(dias));
    return QByteArray::number(ms / 3600000) + ':' + Digitos(ms / 60000 % 60, 2) + ':' +
           Digitos(ms / 1000 % 60, 2) + ':' + Digitos(ms % 1000 * 10, 4);
}

} // namespace quenlap
