#pragma once

#include "tarvelrace.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QTimer>

#include <vector>

namespace quenlap {
class Clock;
}

namespace sim {

class TarvelViewer;

// Plays one race to every viewer that connects: logon answer and snapshot on arrival, the start,
// each lap at its race time divided by the speed, the clock every few seconds, a spoken text at
// each new fastest lap, each competitor's finish and the end.
class TarvelServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TarvelServer)

public:
    struct Options
    {
        double speed = 1.0;
        int maxViewers = 16;
        // Real time between the first viewer's logon and the start.
        int startDelayMs = 1000;
        int cronoEveryMs = 2000;
    };

    TarvelServer(TarvelRace race, const Options &options, const quenlap::Clock &clock,
                 QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port);
    // Closes every viewer and ends.
    void stop();

signals:
    void finished();

private:
    enum class Stage { Waiting, Running, Over };

    void accept();
    void welcome(TarvelViewer *viewer, const QString &user, const QString &password);
    void sendSnapshot(TarvelViewer *viewer);
    void start();
    void playDueLaps();
    void playLap(std::size_t index);
    void sendCrono();
    void endRace();
    void broadcast(const QString &message);
    void closeWhenSent();
    void checkDrained();
    double raceMs() const;
    int activeViewers() const;

    TarvelRace race;
    Options options;
    const quenlap::Clock &clock;
    QTcpServer server;
    std::vector<TarvelViewer *> viewers;
    std::vector<bool> finishing;
    QStringList lapsPlayed;
    std::size_t nextLap = 0;
    double bestLapMs = 0;
    qint64 startedAt = 0;
    Stage stage = Stage::Waiting;
    bool stopping = false;
    bool ended = false;
    QTimer startTimer;
    QTimer lapTimer;
    QTimer cronoTimer;
};

} // namespace sim
