#pragma once

#include <QCoreApplication>
#include <QStringList>

// Each simulator runs the event loop until its race ends or Ctrl-C, and returns the exit status.
namespace sim {
int runTarvel(QCoreApplication &app, const QStringList &arguments);
int runDsRouter(QCoreApplication &app, const QStringList &arguments);
} // namespace sim
