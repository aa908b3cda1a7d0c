#include "net/conexion.h"
#include "net/textoutf16.h"
#include "net/trama.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace quenlap;

namespace {

// Bytes that arrive in pieces, read the way a socket offers them.
class Llegadas
{
public:
    void llega(QByteArrayView piece) { bytes.append(piece); }
    qint64 esperando() const { return bytes.size() - leidos; }
    qint64 recibir(char *destino, qint64 maximo)
    {
        const qint64 n = std::min(maximo, esperando());
        std::copy_n(bytes.constData() + leidos, n, destino);
        leidos += n;
        return n;
    }

private:
    QByteArray bytes;
    qint64 leidos = 0;
};

struct Resultado
{
    QList<QByteArray> tramas;
    bool cabeceraInvalida = false;
};

// Read steps until no byte waits, as the socket repeats its read notification.
void leerLoQueEspera(TConexion &conexion, Llegadas &llegadas, Resultado &resultado)
{
    for (int guarda = 0; llegadas.esperando() > 0 && !resultado.cabeceraInvalida; ++guarda) {
        QVERIFY2(guarda < 1000000, "read steps do not progress");
        QByteArray trama;
        const auto lectura = conexion.PasoLectura(
            llegadas.esperando(),
            [&](char *destino, qint64 maximo) { return llegadas.recibir(destino, maximo); }, trama);
        if (lectura == TConexion::Lectura::Trama)
            resultado.tramas.append(trama);
        else if (lectura == TConexion::Lectura::CabeceraInvalida)
            resultado.cabeceraInvalida = true;
        QVERIFY(conexion.EstadoRecepcion != 3);
    }
}

Resultado leerEnTrozos(const QByteArray &flujo, QList<int> cortes)
{
    TConexion conexion(1, nullptr);
    conexion.Cerrada = true;
    Llegadas llegadas;
    Resultado resultado;
    cortes.append(int(flujo.size()));
    int desde = 0;
    for (const int corte : std::as_const(cortes)) {
        llegadas.llega(QByteArrayView(flujo).sliced(desde, corte - desde));
        leerLoQueEspera(conexion, llegadas, resultado);
        desde = corte;
    }
    return resultado;
}

QByteArray tresTramas()
{
    return CrearTrama("0123456789") + CrearTrama("") + CrearTrama(QByteArray("a\0b\r\n", 5));
}

} // namespace

class TestTarvelFrames : public QObject
{
    Q_OBJECT

private slots:
    void readsFramesCutInPieces_data();
    void readsFramesCutInPieces();
    void readsStreamCutAtEveryPosition();
    void emptyFrameWaitsForTheNextBytes();
    void refusesHeadersItCannotDelimit_data();
    void refusesHeadersItCannotDelimit();
    void writesUpperCaseHeaders_data();
    void writesUpperCaseHeaders();
    void randomBytesNeverBreakTheReader();
};

void TestTarvelFrames::readsFramesCutInPieces_data()
{
    QTest::addColumn<QByteArray>("flujo");
    QTest::addColumn<QList<int>>("cortes");
    QTest::addColumn<QList<QByteArray>>("esperadas");

    const QByteArray diez = QByteArray("0000000A") + "0123456789";
    QTest::newRow("payload in three pieces")
        << diez << QList<int>{8, 11, 15} << QList<QByteArray>{"0123456789"};
    QTest::newRow("header split") << diez << QList<int>{4} << QList<QByteArray>{"0123456789"};
    QTest::newRow("byte by byte") << diez << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}
                                  << QList<QByteArray>{"0123456789"};
    QTest::newRow("two frames in one arrival")
        << QByteArray("00000002ab00000003cde") << QList<int>{} << QList<QByteArray>{"ab", "cde"};
    QTest::newRow("lower-case header") << QByteArray("0000001a") + QByteArray(26, 'z')
                                       << QList<int>{} << QList<QByteArray>{QByteArray(26, 'z')};
    QTest::newRow("mixed-case header")
        << QByteArray("0000001A") + QByteArray(26, 'z') + "0000000b" + QByteArray(11, 'y')
        << QList<int>{30} << QList<QByteArray>{QByteArray(26, 'z'), QByteArray(11, 'y')};
    QTest::newRow("header ended by a zero byte")
        << QByteArray("0003\0\0\0\0abc", 11) << QList<int>{} << QList<QByteArray>{"abc"};
    QTest::newRow("payload with zero bytes") << QByteArray("00000003\0\0\0", 11) << QList<int>{9}
                                             << QList<QByteArray>{QByteArray(3, '\0')};
}

void TestTarvelFrames::readsFramesCutInPieces()
{
    QFETCH(QByteArray, flujo);
    QFETCH(QList<int>, cortes);
    QFETCH(QList<QByteArray>, esperadas);

    const Resultado resultado = leerEnTrozos(flujo, cortes);
    QVERIFY(!resultado.cabeceraInvalida);
    QCOMPARE(resultado.tramas, esperadas);
}

void TestTarvelFrames::readsStreamCutAtEveryPosition()
{
    const QByteArray flujo = tresTramas() + CrearTrama("fin");
    const QList<QByteArray> esperadas{"0123456789", "", QByteArray("a\0b\r\n", 5), "fin"};
    for (int primero = 1; primero < flujo.size(); ++primero) {
        for (int segundo = primero + 1; segundo < flujo.size(); segundo += 3) {
            const Resultado resultado = leerEnTrozos(flujo, {primero, segundo});
            QVERIFY(!resultado.cabeceraInvalida);
            QCOMPARE(resultado.tramas, esperadas);
        }
    }
}

void TestTarvelFrames::emptyFrameWaitsForTheNextBytes()
{
    TConexion conexion(1, nullptr);
    conexion.Cerrada = true;
    Llegadas llegadas;
    Resultado resultado;
    llegadas.llega("00000000");
    leerLoQueEspera(conexion, llegadas, resultado);
    QVERIFY(resultado.tramas.isEmpty());
    QCOMPARE(conexion.EstadoRecepcion, 1);

    llegadas.llega("00000001x");
    leerLoQueEspera(conexion, llegadas, resultado);
    QCOMPARE(resultado.tramas, (QList<QByteArray>{"", "x"}));
}

void TestTarvelFrames::refusesHeadersItCannotDelimit_data()
{
    QTest::addColumn<QByteArray>("cabecera");
    QTest::newRow("not hexadecimal") << QByteArray("0000G000");
    QTest::newRow("blanks") << QByteArray("   0001A");
    QTest::newRow("sign") << QByteArray("-0000001");
    QTest::newRow("starts with a zero byte") << QByteArray("\0"
                                                           "0000001",
                                                           8);
    QTest::newRow("negative length") << QByteArray("80000000");
    QTest::newRow("largest the header can carry") << QByteArray("7FFFFFFF");
    QTest::newRow("one byte past 64 MiB") << QByteArray("04000001");
}

void TestTarvelFrames::refusesHeadersItCannotDelimit()
{
    QFETCH(QByteArray, cabecera);

    QVERIFY(!LeerCabecera(cabecera));
    const Resultado resultado = leerEnTrozos(cabecera + CrearTrama("next"), {3});
    QVERIFY(resultado.cabeceraInvalida);
    QVERIFY(resultado.tramas.isEmpty());
}

void TestTarvelFrames::writesUpperCaseHeaders_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("trama");
    QTest::newRow("two characters") << TextoAUtf16(u"ab") << QByteArray("00000004a\0b\0", 12);
    QTest::newRow("empty") << QByteArray() << QByteArray("00000000");
    QTest::newRow("26 bytes") << QByteArray(26, 'q')
                              << QByteArray("0000001A") + QByteArray(26, 'q');
}

void TestTarvelFrames::writesUpperCaseHeaders()
{
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, trama);
    QCOMPARE(CrearTrama(payload), trama);
    QCOMPARE(LeerCabecera(QByteArrayView(trama).first(8)), qint32(payload.size()));
}

void TestTarvelFrames::randomBytesNeverBreakTheReader()
{
    QRandomGenerator random(20261211);
    for (int ronda = 0; ronda < 3000; ++ronda) {
        QByteArray flujo;
        const int piezas = random.bounded(1, 6);
        for (int p = 0; p < piezas; ++p) {
            // Mostly frames with a plausible header, sometimes plain noise.
            const int longitud = random.bounded(0, 40);
            QByteArray datos(longitud, Qt::Uninitialized);
            for (char &c : datos)
                c = char(random.bounded(256));
            if (random.bounded(3) == 0)
                flujo += datos;
            else
                flujo += CrearTrama(datos).left(random.bounded(0, longitud + 9));
        }
        QList<int> cortes;
        for (int i = 1; i < flujo.size(); ++i)
            if (random.bounded(5) == 0)
                cortes.append(i);
        const Resultado resultado = leerEnTrozos(flujo, cortes);
        qsizetype entregados = 0;
        for (const QByteArray &trama : resultado.tramas)
            entregados += trama.size() + LongitudCabecera;
        QVERIFY(entregados <= flujo.size());
    }
}

QTEST_GUILESS_MAIN(TestTarvelFrames)
#include "test_tarvelframes.moc"
