#pragma once

#include <QStringList>

// Each command takes its own arguments and returns the exit status: 0 done, 1 failed,
// 2 bad usage (main then prints the usage text).
namespace cli {
int runExport(const QStringList &arguments);
int runGenerate(const QStringList &arguments);
int runListen(const QStringList &arguments);
} // namespace cli
