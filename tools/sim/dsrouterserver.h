#pragma once

#include "dsrouterrace.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>

class QTcpServer;
class QTcpSocket;

namespace quenlap {
class Clock;
}

namespace sim {

// Plays a DS Router race to every viewer connected. The race starts when the first viewer
// connects; later viewers get the records from the moment they join, as from a real router.
// Once the race is over every viewer is closed and finished() is raised.
class DsRouterServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DsRouterServer)

public:
    DsRouterServer(DsRouterRace race, double speed, const quenlap::Clock &clock,
                   QObject *parent = nullptr);

    // Returns false, with the reason on standard error, when the address cannot be opened.
    bool listen(const QHostAddress &address, quint16 port);
    // Closes the listener and every viewer at once.
    void stop();

signals:
    void finished();

private:
    void acceptViewers();
    void start();
    void sendDue();
    void broadcast(const QByteArray &record);
    void finish();
    void checkFinished();

    DsRouterRace race;
    double speed;
    const quenlap::Clock &clock;
    QTcpServer *server;
    QList<QTcpSocket *> viewers;
    QTimer nextRecord;
    qint64 startMs = -1;
    qsizetype sent = 0;
    bool over = false;
};

} // namespace sim
