#include "conexion.h"

#include "clientsocket.h"
#include "trama.h"

#include <algorithm>
#include <cstring>

namespace quenlap {

TConexion::TConexion(int id, ClientSocket *socket) : Id(id), Socket(socket) {}

TConexion::~TConexion()
{
    if (!Cerrada && Socket) {
        Cerrada = true;
        Socket->close();
    }
}

TConexion::Lectura TConexion::PasoLectura(qint64 esperando, const Receptor &recibir,
                                          QByteArray &trama)
{
    // An announced empty payload is complete without reading, yet waits for the next step that
    // finds bytes, as the sender's peers expect.
    if (esperando <= 0)
        return Lectura::Nada;
    if (EstadoRecepcion == 0) {
        const qint64 falta = std::min<qint64>(LongitudCabecera - Recibidos, esperando);
        Recibidos += std::max<qint64>(recibir(Cabecera.data() + Recibidos, falta), 0);
        if (Recibidos < LongitudCabecera)
            return Lectura::Nada;
        Cabecera[LongitudCabecera] = 0;
        const std::optional<qint32> longitud =
            LeerCabecera(QByteArrayView(Cabecera.data(), LongitudCabecera));
        if (!longitud)
            return Lectura::CabeceraInvalida;
        EstadoRecepcion = 1;
        LongitudEsperada = *longitud;
        BufferDatos = QByteArray(qsizetype(LongitudEsperada) + 1, '\0');
    } else {
        const qint64 leidos = Recibidos - LongitudCabecera;
        const qint64 falta = std::min<qint64>(LongitudEsperada - leidos, esperando);
        // Called even for nothing: the socket counts it as a read and offers the rest again.
        Recibidos += std::max<qint64>(recibir(BufferDatos.data() + leidos, falta), 0);
        EstadoRecepcion = Recibidos == LongitudEsperada + LongitudCabecera ? 3 : 2;
    }
    if (EstadoRecepcion != 3)
        return Lectura::Nada;
    EstadoRecepcion = 0;
    Recibidos = 0;
    trama = BufferDatos.first(LongitudEsperada);
    BufferDatos = QByteArray();
    return Lectura::Trama;
}

void TConexion::Encolar(QByteArrayView payload)
{
    auto buffer = std::make_unique<TBufferEnvio>();
    buffer->Buffer = CrearTrama(payload);
    buffer->Longitud = buffer->Buffer.size();
    ColaEnvio.push_back(std::move(buffer));
}

void TConexion::Escribir()
{
    const std::weak_ptr<int> sigueViva = vida;
    while (!ColaEnvio.empty() && Socket && Socket->isConnected()) {
        TBufferEnvio &buffer = *ColaEnvio.front();
        const qint64 aceptados = Socket->sendBuf(buffer.Buffer.constData() + buffer.Enviados,
                                                 buffer.Longitud - buffer.Enviados);
        if (sigueViva.expired() || aceptados <= 0)
            return;
        buffer.Enviados += aceptados;
        if (buffer.Enviados == buffer.Longitud)
            ColaEnvio.pop_front();
    }
}

} // namespace quenlap
