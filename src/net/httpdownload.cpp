#include "net/httpdownload.h"

#include "base/error.h"

#include <QIODevice>

#include <curl/curl.h>
#include <memory>

namespace quenlap {

namespace {

struct CurlDeleter
{
    void operator()(CURL *handle) const { curl_easy_cleanup(handle); }
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

// What the write callback has done so far.
struct Transfer
{
    QIODevice *destino = nullptr;
    qint64 escritos = 0;
    bool demasiadoGrande = false;
    bool fallaDestino = false;
};

size_t Recibir(char *datos, size_t tamano, size_t cuantos, void *usuario)
{
    auto *transfer = static_cast<Transfer *>(usuario);
    const qint64 bytes = qint64(tamano * cuantos);
    if (transfer->escritos + bytes > THttpDownload::MaxBytes) {
        transfer->demasiadoGrande = true;
        return 0;
    }
    if (transfer->destino->write(datos, bytes) != bytes) {
        transfer->fallaDestino = true;
        return 0;
    }
    transfer->escritos += bytes;
    return size_t(bytes);
}

CURL *IniciarCliente()
{
    static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return iniciado ? curl_easy_init() : nullptr;
}

} // namespace

THttpDownload::THttpDownload(const QByteArray &Agente) : agente(Agente) {}

void THttpDownload::Descargar(const QByteArray &Url, QIODevice &Destino) const
{
    const std::unique_ptr<CURL, CurlDeleter> cliente(IniciarCliente());
    Destino.seek(0);
    if (!cliente)
        throw Error(QStringLiteral("Cannot start WinInet. Internet Explorer must be installed."));

    // Always fetched afresh, as a forced reload would.
    curl_slist *cabeceras = curl_slist_append(nullptr, "Cache-Control: no-cache");
    cabeceras = curl_slist_append(cabeceras, "Pragma: no-cache");
    const std::unique_ptr<curl_slist, CurlDeleter> sinCache(cabeceras);

    Transfer transfer;
    transfer.destino = &Destino;
    CURL *c = cliente.get();
    curl_easy_setopt(c, CURLOPT_URL, Url.constData());
    curl_easy_setopt(c, CURLOPT_USERAGENT, agente.constData());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, sinCache.get());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 60L);
    // The thread waits on the download: a server that stops sending must not hold it forever.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(MaxBytes));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Recibir);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);

    const CURLcode resultado = curl_easy_perform(c);
    Destino.seek(0);

    const QString url = QString::fromLatin1(Url);
    if (transfer.demasiadoGrande || resultado == CURLE_FILESIZE_EXCEEDED)
        throw Error(QStringLiteral("URL %1 is larger than 64 MiB").arg(url));
    if (transfer.fallaDestino)
        throw Error(QStringLiteral("Cannot write the content of URL %1: %2")
                        .arg(url, Destino.errorString()));
    long respuesta = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &respuesta);
    if (resultado != CURLE_OK && respuesta == 0)
        throw Error(QStringLiteral("Cannot open URL %1").arg(url));
    // A transfer cut after the server answered would hand a shortened archive or picture to a
    // caller that cannot tell: say so instead.
    if (resultado != CURLE_OK)
        throw Error(QStringLiteral("Download of URL %1 was interrupted: %2")
                        .arg(url, QString::fromLocal8Bit(curl_easy_strerror(resultado))));
}

QByteArray UrlBase(QByteArrayView Url)
{
    const qsizetype barra = Url.lastIndexOf('/');
    return barra < 0 ? QByteArray() : Url.first(barra + 1).toByteArray();
}

} // namespace quenlap
