#include "tarvelserver.h"

#include "base/clock.h"
#include "net/mensajestarvel.h"
#include "simsupport.h"
#include "tarvelviewer.h"

#include <QTcpSocket>

#include <algorithm>
#include <cmath>

namespace sim {

using namespace quenlap::MensajesTarvel;

namespace {

constexpr const char *Command = "tarvel";

QString seconds(double ms)
{
    return QString::number(ms / 1000.0, 'f', 3);
}

// How long a viewer may take to receive what is queued once the race is over.
constexpr int DrainLimitMs = 5000;

} // namespace

TarvelServer::TarvelServer(TarvelRace race, const Options &options, const quenlap::Clock &clock,
                           QObject *parent)
    : QObject(parent), race(std::move(race)), options(options), clock(clock)
{
    finishing = this->race.finishingLaps();
    connect(&server, &QTcpServer::newConnection, this, &TarvelServer::accept);
    startTimer.setSingleShot(true);
    startTimer.setInterval(options.startDelayMs);
    connect(&startTimer, &QTimer::timeout, this, &TarvelServer::start);
    lapTimer.setSingleShot(true);
    connect(&lapTimer, &QTimer::timeout, this, &TarvelServer::playDueLaps);
    cronoTimer.setInterval(options.cronoEveryMs);
    connect(&cronoTimer, &QTimer::timeout, this, &TarvelServer::sendCrono);
}

bool TarvelServer::listen(const QHostAddress &address, quint16 port)
{
    if (!listenOn(Command, server, address, port))
        return false;
    tell(Command,
         QStringLiteral("listening on %1:%2; race \"%3\": %4 competitors, %5 laps, speed %6")
             .arg(address.toString())
             .arg(server.serverPort())
             .arg(race.description)
             .arg(race.competitors.size())
             .arg(race.laps.size())
             .arg(options.speed));
    return true;
}

void TarvelServer::accept()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        auto *viewer = new TarvelViewer(socket, this);
        if (stopping || activeViewers() >= options.maxViewers) {
            tell(Command, QStringLiteral("%1 refused: %2 viewers already")
                              .arg(viewer->name())
                              .arg(activeViewers()));
            viewer->send(CrearLimiteConexion());
            viewer->closeWhenSent();
        } else {
            tell(Command, QStringLiteral("%1 connected (%2 of at most %3)")
                              .arg(viewer->name())
                              .arg(activeViewers() + 1)
                              .arg(options.maxViewers));
        }
        viewers.push_back(viewer);
        connect(viewer, &TarvelViewer::logon, this,
                [this, viewer](const QString &user, const QString &password) {
                    welcome(viewer, user, password);
                });
        connect(viewer, &TarvelViewer::gone, this, [this, viewer] {
            tell(Command, QStringLiteral("%1 left").arg(viewer->name()));
            viewers.erase(std::remove(viewers.begin(), viewers.end(), viewer), viewers.end());
            viewer->deleteLater();
            checkDrained();
        });
    }
}

void TarvelServer::welcome(TarvelViewer *viewer, const QString &user, const QString &password)
{
    if (viewer->closing())
        return;
    const bool known = user == UsuarioFijo && password == ClaveFijo;
    tell(Command, QStringLiteral("%1 logged on as \"%2\"%3")
                      .arg(viewer->name(), user,
                           known ? QString() : QStringLiteral(" (unknown credentials)")));
    viewer->send(
        CrearRespuestaLogon(known ? 0 : 1, known ? QStringLiteral("Bienvenido")
                                                 : QStringLiteral("Usuario o clave desconocidos")));
    sendSnapshot(viewer);
    if (stage == Stage::Waiting && !startTimer.isActive()) {
        tell(Command, QStringLiteral("race starts in %1 ms").arg(options.startDelayMs));
        startTimer.start();
    }
}

void TarvelServer::sendSnapshot(TarvelViewer *viewer)
{
    viewer->send(CrearEstado(race.description, race.competitors, lapsPlayed));
    viewer->send(CrearDuracion(race.durationType, race.durationDays));
    viewer->send(CrearDescartarPrimeraVuelta(false));
    if (stage == Stage::Running) {
        viewer->send(CrearInicio(race.description, 0));
        viewer->send(CrearCrono(QString::number(std::llround(raceMs()))));
    } else if (stage == Stage::Over) {
        viewer->send(CrearFin());
    }
}

void TarvelServer::start()
{
    stage = Stage::Running;
    startedAt = clock.monotonicMs();
    tell(Command, QStringLiteral("race started"));
    broadcast(CrearInicio(race.description, 0));
    cronoTimer.start();
    playDueLaps();
}

double TarvelServer::raceMs() const
{
    return double(clock.monotonicMs() - startedAt) * options.speed;
}

void TarvelServer::playDueLaps()
{
    if (stage != Stage::Running)
        return;
    const double now = raceMs();
    while (nextLap < race.laps.size() && race.laps[nextLap].raceMs <= now)
        playLap(nextLap++);
    if (nextLap >= race.laps.size()) {
        endRace();
        return;
    }
    const double waitMs = (race.laps[nextLap].raceMs - now) / options.speed;
    lapTimer.start(int(std::clamp(std::ceil(waitMs), 0.0, 60000.0)));
}

void TarvelServer::playLap(std::size_t index)
{
    const TarvelRace::Lap &lap = race.laps[index];
    lapsPlayed.append(lap.line);
    broadcast(CrearVuelta(lap.line));
    if (lap.lap > 0 && lap.lapMs > 0 && (bestLapMs <= 0 || lap.lapMs < bestLapMs)) {
        bestLapMs = lap.lapMs;
        const QString text =
            QStringLiteral("Vuelta rápida de %1: %2 segundos").arg(lap.name, seconds(lap.lapMs));
        tell(Command, QStringLiteral("fastest lap: %1 (car %2, lap %3)")
                          .arg(seconds(lap.lapMs))
                          .arg(lap.number)
                          .arg(lap.lap));
        broadcast(CrearTTS(text, false));
    }
    if (finishing[index]) {
        tell(Command, QStringLiteral("car %1 finished after %2 laps").arg(lap.number).arg(lap.lap));
        broadcast(CrearFinCoche(lap.number));
    }
}

void TarvelServer::sendCrono()
{
    if (stage == Stage::Running)
        broadcast(CrearCrono(QString::number(std::llround(raceMs()))));
}

void TarvelServer::endRace()
{
    stage = Stage::Over;
    cronoTimer.stop();
    lapTimer.stop();
    tell(Command, QStringLiteral("race over after %1 laps").arg(lapsPlayed.size()));
    broadcast(CrearFin());
    closeWhenSent();
}

void TarvelServer::stop()
{
    tell(Command, QStringLiteral("stopping"));
    startTimer.stop();
    cronoTimer.stop();
    lapTimer.stop();
    closeWhenSent();
}

void TarvelServer::closeWhenSent()
{
    stopping = true;
    server.close();
    for (TarvelViewer *viewer : std::vector<TarvelViewer *>(viewers))
        viewer->closeWhenSent();
    QTimer::singleShot(DrainLimitMs, this, [this] {
        for (TarvelViewer *viewer : std::vector<TarvelViewer *>(viewers))
            viewer->close();
        checkDrained();
    });
    checkDrained();
}

void TarvelServer::checkDrained()
{
    if (stopping && viewers.empty() && !ended) {
        ended = true;
        emit finished();
    }
}

void TarvelServer::broadcast(const QString &message)
{
    for (TarvelViewer *viewer : std::vector<TarvelViewer *>(viewers))
        if (viewer->loggedOn() && !viewer->closing())
            viewer->send(message);
}

int TarvelServer::activeViewers() const
{
    return int(std::count_if(viewers.begin(), viewers.end(),
                             [](const TarvelViewer *viewer) { return !viewer->closing(); }));
}

} // namespace sim
