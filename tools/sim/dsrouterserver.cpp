#include "dsrouterserver.h"

#include "base/clock.h"
#include "simsupport.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <cmath>

namespace sim {

namespace {

constexpr const char *Command = "dsrouter";

QString peer(const QTcpSocket *socket)
{
    return socket->peerAddress().toString() + QLatin1Char(':') +
           QString::number(socket->peerPort());
}

} // namespace

DsRouterServer::DsRouterServer(DsRouterRace race, double speed, const quenlap::Clock &clock,
                               QObject *parent)
    : QObject(parent), race(std::move(race)), speed(speed), clock(clock),
      server(new QTcpServer(this))
{
    nextRecord.setSingleShot(true);
    connect(&nextRecord, &QTimer::timeout, this, &DsRouterServer::sendDue);
    connect(server, &QTcpServer::newConnection, this, &DsRouterServer::acceptViewers);
}

bool DsRouterServer::listen(const QHostAddress &address, quint16 port)
{
    if (!listenOn(Command, *server, address, port))
        return false;
    tell(Command, QStringLiteral("listening on %1:%2, waiting for a viewer to start the race")
                      .arg(server->serverAddress().toString())
                      .arg(server->serverPort()));
    return true;
}

void DsRouterServer::acceptViewers()
{
    while (QTcpSocket *viewer = server->nextPendingConnection()) {
        if (over) {
            viewer->abort();
            viewer->deleteLater();
            continue;
        }
        tell(Command, QStringLiteral("viewer %1 connected").arg(peer(viewer)));
        viewers.append(viewer);
        connect(viewer, &QTcpSocket::disconnected, this, [this, viewer] {
            tell(Command, QStringLiteral("viewer %1 left").arg(peer(viewer)));
            viewers.removeOne(viewer);
            viewer->deleteLater();
            checkFinished();
        });
    }
    if (startMs < 0)
        start();
}

void DsRouterServer::start()
{
    startMs = clock.monotonicMs();
    tell(Command, QStringLiteral("race started: %1 records over %2 s of race time at speed %3")
                      .arg(race.records().size())
                      .arg(race.lengthMs() / 1000)
                      .arg(speed));
    sendDue();
}

void DsRouterServer::sendDue()
{
    const double raceMs = double(clock.monotonicMs() - startMs) * speed;
    const QList<DsRouterRace::Record> &records = race.records();
    while (sent < records.size() && double(records[sent].dueMs) <= raceMs)
        broadcast(records[sent++].text);
    if (sent == records.size()) {
        finish();
        return;
    }
    const double waitMs =
        double(records[sent].dueMs) / speed - double(clock.monotonicMs() - startMs);
    nextRecord.start(int(std::clamp(std::ceil(waitMs), 0.0, 3600000.0)));
}

void DsRouterServer::broadcast(const QByteArray &record)
{
    tell(Command, QStringLiteral("sends %1").arg(QString::fromLatin1(record.trimmed())));
    for (QTcpSocket *viewer : std::as_const(viewers))
        viewer->write(record);
}

void DsRouterServer::finish()
{
    over = true;
    server->close();
    tell(Command, QStringLiteral("race over, closing %1 viewer(s)").arg(viewers.size()));
    // Closing after the pending records are written; the viewers' disconnections end the run.
    const QList<QTcpSocket *> closing = viewers;
    for (QTcpSocket *viewer : closing)
        viewer->disconnectFromHost();
    checkFinished();
}

void DsRouterServer::stop()
{
    over = true;
    nextRecord.stop();
    server->close();
    const QList<QTcpSocket *> closing = viewers;
    for (QTcpSocket *viewer : closing)
        viewer->abort();
    checkFinished();
}

void DsRouterServer::checkFinished()
{
    if (over && viewers.isEmpty())
        emit finished();
}

} // namespace sim
