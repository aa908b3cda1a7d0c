#include "base/error.h"
#include "net/clientetarvel.h"
#include "net/mensajestarvel.h"
#include "net/textoutf16.h"

#include <QRandomGenerator>
#include <QTest>

using namespace quenlap;
using namespace quenlap::MensajesTarvel;
using namespace Qt::StringLiterals;

namespace {

// Every event of a client as one line of text.
class Registro
{
public:
    explicit Registro(TClienteTarvel &cliente, bool conCrono = true)
    {
        QObject::connect(&cliente, &TClienteTarvel::OnVuelta,
                         [this](const QString &v) { anotar(QStringLiteral("vuelta|") + v); });
        QObject::connect(
            &cliente, &TClienteTarvel::OnEstado,
            [this](const QString &carrera, const QStringList &c, const QStringList &l) {
                anotar(QStringLiteral("estado|") + carrera + QLatin1Char('|') + c.join(u'/') +
                       QLatin1Char('|') + l.join(u'/') +
                       QStringLiteral("|%1|%2").arg(c.size()).arg(l.size()));
            });
        QObject::connect(&cliente, &TClienteTarvel::OnInicio,
                         [this](const QString &carrera, int clasificacion) {
                             anotar(QStringLiteral("inicio|%1|%2").arg(carrera).arg(clasificacion));
                         });
        QObject::connect(&cliente, &TClienteTarvel::OnFin,
                         [this] { anotar(QStringLiteral("fin")); });
        if (conCrono)
            QObject::connect(&cliente, &TClienteTarvel::OnCrono, [this](const QString &crono) {
                anotar(QStringLiteral("crono|") + crono);
            });
        QObject::connect(&cliente, &TClienteTarvel::OnLogon,
                         [this](int resultado, const QString &msg) {
                             anotar(QStringLiteral("logon|%1|%2").arg(resultado).arg(msg));
                         });
        QObject::connect(&cliente, &TClienteTarvel::OnTTS,
                         [this](const QString &texto, bool purga) {
                             anotar(QStringLiteral("tts|%1|%2").arg(texto).arg(purga));
                         });
        QObject::connect(&cliente, &TClienteTarvel::OnPausa,
                         [this](bool onOff) { anotar(QStringLiteral("pausa|%1").arg(onOff)); });
        QObject::connect(&cliente, &TClienteTarvel::OnLimiteConexion,
                         [this] { anotar(QStringLiteral("limite")); });
        QObject::connect(&cliente, &TClienteTarvel::OnFinCoche,
                         [this](int coche) { anotar(QStringLiteral("fincoche|%1").arg(coche)); });
        QObject::connect(&cliente, &TClienteTarvel::OnDuracion, [this](int tipo, double duracion) {
            anotar(QStringLiteral("duracion|%1|%2").arg(tipo).arg(duracion, 0, 'g', 17));
        });
        QObject::connect(
            &cliente, &TClienteTarvel::OnDescartarPrimeraVuelta,
            [this](bool descartar) { anotar(QStringLiteral("descartar|%1").arg(descartar)); });
    }

    QStringList eventos;

private:
    void anotar(const QString &evento) { eventos.append(evento); }
};

QString numero(double valor)
{
    return QString::number(valor, 'g', 17);
}

} // namespace

class TestTarvelMessages : public QObject
{
    Q_OBJECT

private slots:
    void buildsMessages_data();
    void buildsMessages();
    void refusesTextsTooLongForTheirField();
    void decodesMessages_data();
    void decodesMessages();
    void decodesWhatItBuilds();
    void refusesBrokenMessages_data();
    void refusesBrokenMessages();
    void readsClockOnlyForListeners();
    void readsLogon();
    void randomPayloadsNeverBreakTheDecoder();
};

void TestTarvelMessages::buildsMessages_data()
{
    QTest::addColumn<QString>("construido");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("logon, empty password") << CrearLogon(u"orvek", u"") << u"00050005orvek0000"_s;
    QTest::newRow("fixed logon") << CrearLogon(UsuarioFijo, ClaveFijo)
                                 << u"00050005orvek0007qamitul"_s;
    QTest::newRow("logon answer") << CrearRespuestaLogon(0, u"OK") << u"000500000002OK"_s;
    QTest::newRow("empty state") << CrearEstado(u"Final", {}, {})
                                 << u"00040005Final0000000000000000"_s;
    QTest::newRow("state with blocks")
        << CrearEstado(u"F", {u"1\t1\tAna"_s, u"2\t2\tBea"_s}, {u"x"_s})
        << u"00040001F000000121\t1\tAna\r\n2\t2\tBea\r\n00000003x\r\n"_s;
    QTest::newRow("thirty-minute race")
        << CrearDuracion(0, 30.0 / 1440.0) << u"000A0000555555555555953F"_s;
    QTest::newRow("25-lap race") << CrearDuracion(1, 25) << u"000A00010000000000003940"_s;
    QTest::newRow("one day") << CrearDuracion(0, 1.0) << u"000A0000000000000000F03F"_s;
    QTest::newRow("start") << CrearInicio(u"Final A", 1) << u"000100010007Final A"_s;
    QTest::newRow("end") << CrearFin() << u"0002"_s;
    QTest::newRow("lap") << CrearVuelta(u"7\tAna\t3")
                         << u"00030007"
                            "7\tAna\t3"_s;
    QTest::newRow("clock") << CrearCrono(u"61000") << u"0006000561000"_s;
    QTest::newRow("speech with purge") << CrearTTS(u"hola", true) << u"000700010004hola"_s;
    QTest::newRow("pause off") << CrearPausa(false) << u"00080000"_s;
    QTest::newRow("connection limit") << CrearLimiteConexion() << u"0009"_s;
    QTest::newRow("competitor finished") << CrearFinCoche(12) << u"0010000C"_s;
    QTest::newRow("first lap discarded") << CrearDescartarPrimeraVuelta(true) << u"00110001"_s;
}

void TestTarvelMessages::buildsMessages()
{
    QFETCH(QString, construido);
    QFETCH(QString, esperado);
    QCOMPARE(construido, esperado);
}

void TestTarvelMessages::refusesTextsTooLongForTheirField()
{
    const QString largo(0x10000, u'x');
    QVERIFY_THROWS_EXCEPTION(Error, CrearLogon(largo, u""));
    QVERIFY_THROWS_EXCEPTION(Error, CrearLogon(u"orvek", largo));
    QVERIFY_THROWS_EXCEPTION(Error, CrearVuelta(largo));
    QCOMPARE(CrearLogon(QString(0xFFFF, u'x'), u"").size(), 4 + 4 + 0xFFFF + 4);
}

void TestTarvelMessages::decodesMessages_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("eventos");
    const auto texto = [](const QString &mensaje) { return TextoAUtf16(mensaje); };

    QTest::newRow("start") << texto(u"000100010005Final"_s) << QStringList{u"inicio|Final|1"_s};
    QTest::newRow("end") << texto(u"0002"_s) << QStringList{u"fin"_s};
    QTest::newRow("lap keeps tabs")
        << texto(u"0003000B1\tAna\t2\t\tx"_s) << QStringList{u"vuelta|1\tAna\t2\t\tx"_s};
    QTest::newRow("empty state") << texto(u"00040005Final0000000000000000"_s)
                                 << QStringList{u"estado|Final|||0|0"_s};
    QTest::newRow("state, empty competitors, laps after")
        << texto(u"00040001F0000000000000004a\r\nb"_s) << QStringList{u"estado|F||a/b|0|2"_s};
    QTest::newRow("state, two items ended by CR LF")
        << texto(u"00040001F000000121\t1\tAna\r\n2\t2\tBea\r\n00000000"_s)
        << QStringList{u"estado|F|1\t1\tAna/2\t2\tBea||2|0"_s};
    QTest::newRow("state, every line break")
        << texto(u"00040000000000000000000Aa\rb\nc\u2028d\r\n"_s)
        << QStringList{u"estado|||a/b/c/d|0|4"_s};
    QTest::newRow("state, inner empty line")
        << texto(u"000400000000000000000006a\r\n\r\nb"_s) << QStringList{u"estado|||a//b|0|3"_s};
    QTest::newRow("logon answer") << texto(u"000500000002OK"_s) << QStringList{u"logon|0|OK"_s};
    QTest::newRow("clock") << texto(u"0006000561000"_s) << QStringList{u"crono|61000"_s};
    QTest::newRow("speech, purge 0002 is true")
        << texto(u"000700020002ab"_s) << QStringList{u"tts|ab|1"_s};
    QTest::newRow("speech, no purge") << texto(u"000700000002ab"_s) << QStringList{u"tts|ab|0"_s};
    QTest::newRow("pause on") << texto(u"00080001"_s) << QStringList{u"pausa|1"_s};
    QTest::newRow("pause off") << texto(u"00080000"_s) << QStringList{u"pausa|0"_s};
    QTest::newRow("connection limit") << texto(u"0009"_s) << QStringList{u"limite"_s};
    QTest::newRow("one day") << texto(u"000A0000000000000000F03F"_s)
                             << QStringList{u"duracion|0|1"_s};
    QTest::newRow("thirty minutes") << texto(u"000A0000555555555555953F"_s)
                                    << QStringList{u"duracion|0|"_s + numero(30.0 / 1440.0)};
    QTest::newRow("25 laps") << texto(u"000A00010000000000003940"_s)
                             << QStringList{u"duracion|1|25"_s};
    QTest::newRow("duration not hexadecimal")
        << texto(u"000A00000000000000ZZF03F"_s) << QStringList{u"duracion|0|0"_s};
    QTest::newRow("lower-case digits")
        << texto(u"000a0000000000000000f03f"_s) << QStringList{u"duracion|0|1"_s};
    QTest::newRow("competitor finished") << texto(u"001000ff"_s) << QStringList{u"fincoche|255"_s};
    QTest::newRow("first lap discarded") << texto(u"00110001"_s) << QStringList{u"descartar|1"_s};
    QTest::newRow("code 000C ignored") << texto(u"000C0001"_s) << QStringList{};
    QTest::newRow("code 0012 ignored") << texto(u"0012"_s) << QStringList{};
    QTest::newRow("code FFFF ignored") << texto(u"FFFF"_s) << QStringList{};
    QTest::newRow("code 0000 ignored") << texto(u"0000"_s) << QStringList{};
    QTest::newRow("text cut at the end") << texto(u"0003000Aabc"_s) << QStringList{u"vuelta|abc"_s};
    QTest::newRow("text past the end") << texto(u"000100010005"_s) << QStringList{u"inicio||1"_s};
    QTest::newRow("message ends at NUL")
        << texto(u"00030004ab"_s) + QByteArray("\0\0c\0", 4) << QStringList{u"vuelta|ab"_s};
    QTest::newRow("odd last byte ignored") << texto(u"0002"_s) + 'x' << QStringList{u"fin"_s};
}

void TestTarvelMessages::decodesMessages()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, eventos);
    TClienteTarvel cliente;
    Registro registro(cliente);
    cliente.DoData(nullptr, payload);
    QCOMPARE(registro.eventos, eventos);
}

void TestTarvelMessages::decodesWhatItBuilds()
{
    TClienteTarvel cliente;
    Registro registro(cliente);
    const QStringList mensajes{
        CrearInicio(u"Carrera\t1", 0),
        CrearVuelta(u"3\tBea\t1\t00:00:05.120\t00:05.120\t\tRnk 1"),
        CrearEstado(u"Final", {u"3\t1\tBea"_s}, {u"l1"_s, u"l2"_s}),
        CrearRespuestaLogon(5, u"Bienvenido"),
        CrearDuracion(0, 0.0123456789),
        CrearTTS(u"Vuelta rápida", false),
    };
    for (const QString &mensaje : mensajes)
        cliente.DoData(nullptr, TextoAUtf16(mensaje));
    QCOMPARE(registro.eventos,
             (QStringList{u"inicio|Carrera\t1|0"_s,
                          u"vuelta|3\tBea\t1\t00:00:05.120\t00:05.120\t\tRnk 1"_s,
                          u"estado|Final|3\t1\tBea|l1/l2|1|2"_s, u"logon|5|Bienvenido"_s,
                          u"duracion|0|"_s + numero(0.0123456789), u"tts|Vuelta rápida|0"_s}));
}

void TestTarvelMessages::refusesBrokenMessages_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("empty payload") << QByteArray();
    QTest::newRow("code not hexadecimal") << TextoAUtf16(u"00G1");
    QTest::newRow("length not hexadecimal") << TextoAUtf16(u"0003XYZ1abc");
    QTest::newRow("number field past the end") << TextoAUtf16(u"0001");
    QTest::newRow("flag past the end") << TextoAUtf16(u"0008");
    QTest::newRow("state, laps length missing") << TextoAUtf16(u"00040005Final00000000");
    QTest::newRow("state, negative block length") << TextoAUtf16(u"00040000FFFFFFFF00000000");
    QTest::newRow("state, block running past the end") << TextoAUtf16(u"0004000000000100abc");
}

void TestTarvelMessages::refusesBrokenMessages()
{
    QFETCH(QByteArray, payload);
    TClienteTarvel cliente;
    Registro registro(cliente);
    QVERIFY_THROWS_EXCEPTION(Error, cliente.DoData(nullptr, payload));
    QVERIFY(registro.eventos.isEmpty());
}

void TestTarvelMessages::readsClockOnlyForListeners()
{
    TClienteTarvel sinOyente;
    Registro registro(sinOyente, false);
    sinOyente.DoData(nullptr, TextoAUtf16(u"0006"));
    QVERIFY(registro.eventos.isEmpty());

    TClienteTarvel conOyente;
    Registro otro(conOyente);
    QVERIFY_THROWS_EXCEPTION(Error, conOyente.DoData(nullptr, TextoAUtf16(u"0006")));
}

void TestTarvelMessages::readsLogon()
{
    const auto [usuario, clave] = LeerLogon(CrearLogon(UsuarioFijo, ClaveFijo));
    QCOMPARE(usuario, u"orvek"_s);
    QCOMPARE(clave, u"qamitul"_s);
    QVERIFY_THROWS_EXCEPTION(Error, LeerLogon(u"0005zz"));
}

void TestTarvelMessages::randomPayloadsNeverBreakTheDecoder()
{
    TClienteTarvel cliente;
    Registro registro(cliente);
    QRandomGenerator random(7331);
    const QString alfabeto = u"0123456789ABCDEFabcdefXZ \t\r\n\u2028\0"_s;
    const QStringList codigos{u"0001"_s, u"0002"_s, u"0003"_s, u"0004"_s, u"0005"_s, u"0006"_s,
                              u"0007"_s, u"0008"_s, u"0009"_s, u"000A"_s, u"0010"_s, u"0011"_s};
    int rechazados = 0;
    for (int ronda = 0; ronda < 20000; ++ronda) {
        QString mensaje = codigos[random.bounded(int(codigos.size()))];
        const int largo = random.bounded(0, 48);
        for (int i = 0; i < largo; ++i)
            mensaje.append(random.bounded(4) == 0 ? QChar(char16_t(random.bounded(0x10000)))
                                                  : alfabeto[random.bounded(int(alfabeto.size()))]);
        QByteArray payload = TextoAUtf16(mensaje);
        if (random.bounded(10) == 0)
            payload.chop(random.bounded(0, int(payload.size()) + 1));
        try {
            cliente.DoData(nullptr, payload);
        } catch (const Error &) {
            ++rechazados;
        }
    }
    QVERIFY(rechazados > 0);
    QVERIFY(!registro.eventos.isEmpty());
}

QTEST_GUILESS_MAIN(TestTarvelMessages)
#include "test_tarvelmessages.moc"
