#include "base/error.h"
#include "net/httpdownload.h"

#include <QBuffer>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <atomic>

using namespace quenlap;

namespace {

constexpr int Espera = 10000;

// Answers one HTTP request with a fixed response. The download blocks the test's thread, so the
// server runs on its own with the blocking socket calls.
class ServidorUnaRespuesta : public QThread
{
public:
    explicit ServidorUnaRespuesta(QByteArray respuesta) : respuesta(std::move(respuesta))
    {
        start();
        listo.acquire();
    }
    ~ServidorUnaRespuesta() override { wait(); }

    quint16 Puerto() const { return puerto; }
    // The request read, once the thread has ended.
    QByteArray Peticion()
    {
        wait();
        return peticion;
    }

protected:
    void run() override
    {
        QTcpServer servidor;
        servidor.listen(QHostAddress::LocalHost, 0);
        puerto = servidor.serverPort();
        listo.release();
        if (!servidor.waitForNewConnection(Espera))
            return;
        std::unique_ptr<QTcpSocket> socket(servidor.nextPendingConnection());
        while (!peticion.contains("\r\n\r\n") && socket->waitForReadyRead(Espera))
            peticion += socket->readAll();
        socket->write(respuesta);
        while (socket->bytesToWrite() > 0 && socket->waitForBytesWritten(Espera)) {
        }
        socket->disconnectFromHost();
        if (socket->state() != QAbstractSocket::UnconnectedState)
            socket->waitForDisconnected(Espera);
    }

private:
    QByteArray respuesta;
    QByteArray peticion;
    std::atomic<quint16> puerto = 0;
    QSemaphore listo;
};

QByteArray Cuerpo(qsizetype bytes)
{
    QByteArray cuerpo(bytes, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes; ++i)
        cuerpo[i] = char('a' + i % 26);
    return cuerpo;
}

QByteArray Respuesta(const QByteArray &estado, const QByteArray &cuerpo, bool conLongitud = true)
{
    QByteArray respuesta = "HTTP/1.0 " + estado + "\r\nContent-Type: application/octet-stream\r\n";
    if (conLongitud)
        respuesta += "Content-Length: " + QByteArray::number(cuerpo.size()) + "\r\n";
    return respuesta + "\r\n" + cuerpo;
}

QByteArray Url(quint16 puerto, const char *ruta = "/pistas/circuito.tvs")
{
    return "http://127.0.0.1:" + QByteArray::number(puerto) + ruta;
}

} // namespace

class TestHttpDownload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void descarga_data();
    void descarga();
    void peticion();
    void puertoRechazado();
    void direccionInvalida();
    void demasiadoGrande_data();
    void demasiadoGrande();
    void interrumpida();
    void urlBase_data();
    void urlBase();
};

void TestHttpDownload::initTestCase()
{
    // The test's own server is on loopback: a proxy of the machine must not stand in between.
    qputenv("no_proxy", "127.0.0.1");
    qputenv("NO_PROXY", "127.0.0.1");
}

void TestHttpDownload::descarga_data()
{
    QTest::addColumn<QByteArray>("respuesta");
    QTest::addColumn<QByteArray>("previo");
    QTest::addColumn<QByteArray>("esperado");

    const QByteArray cuerpo = Cuerpo(3000);
    QTest::newRow("3000 bytes") << Respuesta("200 OK", cuerpo) << QByteArray() << cuerpo;
    QTest::newRow("3000 bytes until the close")
        << Respuesta("200 OK", cuerpo, false) << QByteArray() << cuerpo;
    QTest::newRow("empty body") << Respuesta("200 OK", {}) << QByteArray() << QByteArray();
    QTest::newRow("error status keeps its body")
        << Respuesta("404 Not Found", "missing") << QByteArray() << QByteArray("missing");
    QTest::newRow("stream longer than the content keeps its tail")
        << Respuesta("200 OK", "abc") << QByteArray("0123456789") << QByteArray("abc3456789");
    QTest::newRow("empty body into a filled stream")
        << Respuesta("200 OK", {}) << QByteArray("0123") << QByteArray("0123");
}

void TestHttpDownload::descarga()
{
    QFETCH(QByteArray, respuesta);
    QFETCH(QByteArray, previo);
    QFETCH(QByteArray, esperado);

    ServidorUnaRespuesta servidor(respuesta);
    QBuffer destino;
    destino.setData(previo);
    QVERIFY(destino.open(QIODevice::ReadWrite));
    QVERIFY(destino.seek(previo.size()));

    THttpDownload(QByteArrayLiteral("Quenlap")).Descargar(Url(servidor.Puerto()), destino);
    QCOMPARE(destino.pos(), qint64(0));
    QCOMPARE(destino.data(), esperado);
}

void TestHttpDownload::peticion()
{
    ServidorUnaRespuesta servidor(Respuesta("200 OK", "x"));
    QBuffer destino;
    QVERIFY(destino.open(QIODevice::ReadWrite));
    THttpDownload(QByteArrayLiteral("QuenlapBMP")).Descargar(Url(servidor.Puerto()), destino);

    const QByteArray peticion = servidor.Peticion();
    QVERIFY2(peticion.startsWith("GET /pistas/circuito.tvs HTTP/1."), peticion.constData());
    QVERIFY(peticion.contains("\r\nUser-Agent: QuenlapBMP\r\n"));
    QVERIFY(peticion.contains("\r\nCache-Control: no-cache\r\n"));
}

void TestHttpDownload::puertoRechazado()
{
    QTcpServer cerrado;
    QVERIFY(cerrado.listen(QHostAddress::LocalHost, 0));
    const QByteArray url = Url(cerrado.serverPort());
    cerrado.close();

    QBuffer destino;
    QVERIFY(destino.open(QIODevice::ReadWrite));
    try {
        THttpDownload(QByteArrayLiteral("Quenlap")).Descargar(url, destino);
        QFAIL("no error raised");
    } catch (const Error &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot open URL ") + QString::fromLatin1(url));
    }
    QCOMPARE(destino.size(), qint64(0));
}

void TestHttpDownload::direccionInvalida()
{
    QBuffer destino;
    QVERIFY(destino.open(QIODevice::ReadWrite));
    for (const QByteArray &url :
         {QByteArray("no es una url"), QByteArray("file:///etc/hostname")}) {
        try {
            THttpDownload(QByteArrayLiteral("Quenlap")).Descargar(url, destino);
            QFAIL("no error raised");
        } catch (const Error &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Cannot open URL ") + QString::fromLatin1(url));
        }
    }
    QCOMPARE(destino.size(), qint64(0));
}

void TestHttpDownload::demasiadoGrande_data()
{
    QTest::addColumn<QByteArray>("respuesta");

    QTest::newRow("announced") << QByteArray(
        "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(THttpDownload::MaxBytes + 1) +
        "\r\n\r\nabc");
    QTest::newRow("until the close")
        << Respuesta("200 OK", QByteArray(THttpDownload::MaxBytes + 1, 'x'), false);
}

void TestHttpDownload::demasiadoGrande()
{
    QFETCH(QByteArray, respuesta);

    ServidorUnaRespuesta servidor(respuesta);
    respuesta.clear();
    QBuffer destino;
    QVERIFY(destino.open(QIODevice::ReadWrite));
    const QByteArray url = Url(servidor.Puerto());
    try {
        THttpDownload(QByteArrayLiteral("Quenlap")).Descargar(url, destino);
        QFAIL("no error raised");
    } catch (const Error &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("URL %1 is larger than 64 MiB").arg(QLatin1String(url)));
    }
    QVERIFY(destino.size() <= THttpDownload::MaxBytes);
    QCOMPARE(destino.pos(), qint64(0));
}

void TestHttpDownload::interrumpida()
{
    // The server announces 3000 bytes and closes after 1000.
    QByteArray respuesta = Respuesta("200 OK", Cuerpo(3000));
    respuesta.chop(2000);
    ServidorUnaRespuesta servidor(respuesta);
    QBuffer destino;
    destino.open(QIODevice::ReadWrite);
    try {
        THttpDownload(QByteArrayLiteral("Quenlap")).Descargar(Url(servidor.Puerto()), destino);
        QFAIL("a shortened download was reported as done");
    } catch (const Error &error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("Download of URL ")),
                 qPrintable(error.message()));
    }
}

void TestHttpDownload::urlBase_data()
{
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<QByteArray>("base");

    QTest::newRow("file name") << QByteArray("http://example.org/pistas/circuito.tvs")
                               << QByteArray("http://example.org/pistas/");
    QTest::newRow("ends with a slash")
        << QByteArray("http://example.org/pistas/") << QByteArray("http://example.org/pistas/");
    QTest::newRow("no slash") << QByteArray("circuito.tvs") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("host only") << QByteArray("http://example.org") << QByteArray("http://");
}

void TestHttpDownload::urlBase()
{
    QFETCH(QByteArray, url);
    QFETCH(QByteArray, base);
    QCOMPARE(UrlBase(url), base);
}

QTEST_GUILESS_MAIN(TestHttpDownload)
#include "test_httpdownload.moc"
