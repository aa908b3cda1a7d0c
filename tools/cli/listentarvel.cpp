#include "base/errorreporter.h"
#include "commands.h"
#include "jsonwriter.h"
#include "net/clientetarvel.h"
#include "net/mensajestarvel.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace cli {

namespace {

using quenlap::TClienteTarvel;

constexpr int ReconnectDelayMs = 3000;

QString jsonList(const QStringList &items)
{
    QStringList quoted;
    for (const QString &item : items)
        quoted.append(jsonString(item));
    return QLatin1Char('[') + quoted.join(QLatin1Char(',')) + QLatin1Char(']');
}

// One event as one JSON line, its fields in the order given; values already in JSON.
void printEvent(const char *event,
                std::initializer_list<std::pair<const char *, QString>> fields = {})
{
    QString line = QStringLiteral("{\"event\":\"%1\"").arg(QLatin1String(event));
    for (const auto &[name, value] : fields)
        line += QStringLiteral(",\"%1\":%2").arg(QLatin1String(name), value);
    line += QLatin1String("}\n");
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void printMessages(TClienteTarvel &client)
{
    QObject::connect(&client, &TClienteTarvel::OnLogon, [](int resultado, const QString &msg) {
        printEvent("logon", {{"resultado", QString::number(resultado)}, {"msg", jsonString(msg)}});
    });
    QObject::connect(
        &client, &TClienteTarvel::OnEstado,
        [](const QString &carrera, const QStringList &c, const QStringList &l) {
            printEvent("estado",
                       {{"carrera", jsonString(carrera)}, {"c", jsonList(c)}, {"l", jsonList(l)}});
        });
    QObject::connect(&client, &TClienteTarvel::OnInicio,
                     [](const QString &carrera, int clasificacion) {
                         printEvent("inicio", {{"carrera", jsonString(carrera)},
                                               {"clasificacion", QString::number(clasificacion)}});
                     });
    QObject::connect(&client, &TClienteTarvel::OnVuelta, [](const QString &v) {
        printEvent("vuelta", {{"v", jsonString(v)}});
    });
    QObject::connect(&client, &TClienteTarvel::OnFin, [] { printEvent("fin"); });
    QObject::connect(&client, &TClienteTarvel::OnCrono, [](const QString &crono) {
        printEvent("crono", {{"crono", jsonString(crono)}});
    });
    QObject::connect(&client, &TClienteTarvel::OnTTS, [](const QString &texto, bool purga) {
        printEvent("tts", {{"texto", jsonString(texto)}, {"purga", jsonBool(purga)}});
    });
    QObject::connect(&client, &TClienteTarvel::OnPausa, [](bool onOff) {
        printEvent("pausa", {{"onOff", jsonBool(onOff)}});
    });
    QObject::connect(&client, &TClienteTarvel::OnLimiteConexion,
                     [] { printEvent("limiteConexion"); });
    QObject::connect(&client, &TClienteTarvel::OnFinCoche, [](int coche) {
        printEvent("finCoche", {{"coche", QString::number(coche)}});
    });
    QObject::connect(&client, &TClienteTarvel::OnDuracion, [](int tipo, double duracion) {
        printEvent("duracion", {{"tipo", QString::number(tipo)},
                                {"duracion", QString::number(duracion, 'g', 17)}});
    });
    QObject::connect(&client, &TClienteTarvel::OnDescartarPrimeraVuelta, [](bool descartar) {
        printEvent("descartarPrimeraVuelta", {{"descartar", jsonBool(descartar)}});
    });
}

} // namespace

int listenTarvel(const QString &host, quint16 port, bool once)
{
    // A message that fails to decode is one more event of the stream.
    quenlap::ErrorReporter::setHandler([](const QString &message) {
        printEvent("error", {{"message", jsonString(message)}});
    });

    TClienteTarvel client;
    QTimer reconnect;
    reconnect.setSingleShot(true);
    reconnect.setInterval(ReconnectDelayMs);
    bool connected = false;
    const auto connectNow = [&] {
        quenlap::ErrorReporter::guard([&] { client.Conectar(host, port); });
    };
    QObject::connect(&reconnect, &QTimer::timeout, connectNow);

    printMessages(client);
    QObject::connect(&client, &TClienteTarvel::OnConnect, [&] {
        connected = true;
        printEvent("connect");
        client.EnviarLogon(quenlap::MensajesTarvel::UsuarioFijo,
                           quenlap::MensajesTarvel::ClaveFijo);
    });
    bool ending = false;
    // An attempt that ended without a connection (refused, unknown host): --once has nothing
    // to wait for; otherwise try again later, as a race window does.
    const auto attemptFailed = [&] {
        if (ending)
            return;
        if (once) {
            ending = true;
            QCoreApplication::exit(1);
        } else {
            reconnect.start();
        }
    };
    QObject::connect(&client, &TClienteTarvel::OnDisconnect, [&] {
        if (!connected) {
            // A lost connection can be told twice; only an attempt that never connected counts.
            if (!reconnect.isActive())
                attemptFailed();
            return;
        }
        connected = false;
        printEvent("disconnect");
        if (once) {
            ending = true;
            QCoreApplication::exit(0);
        } else {
            reconnect.start();
        }
    });
    QObject::connect(
        &client, &TClienteTarvel::OnSocketError,
        [&](quenlap::TConexion *, quenlap::SocketErrorEvent errorEvent, int errorCode) {
            printEvent("socketError", {{"errorEvent", QString::number(int(errorEvent))},
                                       {"errorCode", QString::number(errorCode)}});
            if (!connected)
                attemptFailed();
        });

    QTimer::singleShot(0, connectNow);
    return QCoreApplication::exec();
}

} // namespace cli
