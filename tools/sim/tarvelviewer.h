#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QTcpSocket;

namespace quenlap {
class ClientSocket;
class TConexion;
} // namespace quenlap

namespace sim {

// One viewer connected to the race server emulator: the same framing as the viewer's own
// client, on the accepting side.
class TarvelViewer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TarvelViewer)

public:
    TarvelViewer(QTcpSocket *accepted, QObject *parent);
    ~TarvelViewer() override;

    QString name() const { return peer; }
    bool loggedOn() const { return logged; }
    bool closing() const { return closeRequested; }

    void send(const QString &message);
    // Closes once everything queued has been handed to the system.
    void closeWhenSent();
    // Closes at once.
    void close();

signals:
    void logon(const QString &user, const QString &password);
    void gone();

private:
    void onReadable();
    void onWritable();
    void onDisconnected();
    void received(const QByteArray &payload);

    quenlap::ClientSocket *socket;
    std::unique_ptr<quenlap::TConexion> conexion;
    QString peer;
    bool logged = false;
    bool closeRequested = false;
};

} // namespace sim
