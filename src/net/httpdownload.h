#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace quenlap {

// Fetches the whole content at a URL into a caller's stream, blocking the calling thread until
// it ends. Proxies come from the usual environment settings; no cached copy is ever used.
class THttpDownload
{
public:
    // Content past this size is refused: no track archive or picture comes near it.
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    explicit THttpDownload(const QByteArray &Agente);

    // Writes the content from Destino's start and leaves its position at 0 (what it held past
    // the written bytes stays). An HTTP error status is not a failure: its body is the content.
    // Throws quenlap::Error "Cannot open URL ..." when the address cannot be reached, and when
    // the content exceeds MaxBytes.
    void Descargar(const QByteArray &Url, QIODevice &Destino) const;

    const QByteArray &Agente() const { return agente; }

private:
    QByteArray agente;
};

// The URL up to and including its last "/"; empty when it has none.
QByteArray UrlBase(QByteArrayView Url);

} // namespace quenlap
