#pragma once

#include <QByteArray>

#include <array>
#include <deque>
#include <functional>
#include <memory>

namespace quenlap {

class ClientSocket;

// One outgoing frame waiting in a send queue: header and payload, and how much of it the socket
// has taken so far.
struct TBufferEnvio
{
    QByteArray Buffer;
    qint64 Longitud = 0;
    qint64 Enviados = 0;
};

// The state of one open framed connection: the receive state machine and the send queue.
// Used by the race server client and by the emulator's server side alike.
class TConexion
{
public:
    // What one read step produced.
    enum class Lectura {
        Nada,             // bytes taken, or none waiting; no frame complete yet
        Trama,            // a whole payload is in `trama`
        CabeceraInvalida, // the header is no length this side accepts: the stream is lost
    };
    // Reads up to the given count into the buffer and returns how many it read.
    using Receptor = std::function<qint64(char *destino, qint64 maximo)>;

    TConexion(int id, ClientSocket *socket);
    // Closes the socket unless it is already marked closed.
    ~TConexion();
    TConexion(const TConexion &) = delete;
    TConexion &operator=(const TConexion &) = delete;

    // One read step: takes at most the bytes the current stage misses, never more than
    // `esperando`. The state is back at the header stage before a frame is handed out, so the
    // stream stays in step whatever the receiver of the frame does.
    Lectura PasoLectura(qint64 esperando, const Receptor &recibir, QByteArray &trama);

    // Frames the payload and appends it to the send queue.
    void Encolar(QByteArrayView payload);
    // Hands the socket queued frames, oldest first, until it would block or fails. A failing
    // send may end the connection and destroy this object: nothing is touched after that.
    void Escribir();

    bool Cerrada = false;
    int Id = 0;
    ClientSocket *Socket = nullptr;
    std::deque<std::unique_ptr<TBufferEnvio>> ColaEnvio;
    qint64 Recibidos = 0;
    qint32 LongitudEsperada = 0;
    int EstadoRecepcion = 0;
    std::array<char, 9> Cabecera{};
    QByteArray BufferDatos;

private:
    std::shared_ptr<int> vida = std::make_shared<int>(0);
};

} // namespace quenlap
