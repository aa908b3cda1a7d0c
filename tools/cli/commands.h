#pragma once

#include <QString>
#include <QStringList>

// Each command takes its own arguments and returns the exit status: 0 done, 1 failed,
// 2 bad usage (main then prints the usage text).
namespace cli {
int runExport(const QStringList &arguments);
int runGenerate(const QStringList &arguments);
int runListen(const QStringList &arguments);

// The two sources runListen follows; once: exit 0 at the first disconnection.
int listenTarvel(const QString &host, quint16 port, bool once);
int listenDsRouter(const QString &host, quint16 port, bool once);
} // namespace cli
