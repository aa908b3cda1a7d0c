#pragma once

#include <QCoreApplication>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>

#include <functional>
#include <optional>

// What every simulator command does the same way: its messages, the options of its server and
// how it runs until its race ends or Ctrl-C.
namespace sim {

// Writes "quenlap-sim <command>: <text>" to standard error.
void tell(const char *command, const QString &text);

// Opens server on address:port; when it cannot, tells why and answers false.
bool listenOn(const char *command, QTcpServer &server, const QHostAddress &address, quint16 port);

// A whole number in [lowest, highest], or nothing.
std::optional<long long> wholeNumber(const QString &text, long long lowest, long long highest);

// Where a simulator listens and how fast its race runs.
struct ServerOptions
{
    quint16 port = 0;
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    double speed = 1.0;
};

// Reads one option of a command's own: nothing when it does not know the option, else whether
// the value was good.
using OptionReader =
    std::function<std::optional<bool>(const QString &option, const QString &value)>;
// Takes an argument that is no option; answers false, after telling why, when it refuses it.
using ArgumentReader = std::function<bool(const QString &argument)>;

// Reads "--option value" pairs: --port, --listen and --speed into server, the rest through
// readOption. Tells and answers false at the first wrong argument.
bool parseOptions(const char *command, const QStringList &arguments, ServerOptions &server,
                  const OptionReader &readOption, const ArgumentReader &readArgument = {});

// Runs the event loop and returns its status. Ctrl-C or SIGTERM only raises a flag; the loop
// notices it and calls interrupt once, so the server can close its viewers in order.
int runUntilInterrupted(QCoreApplication &app, const std::function<void()> &interrupt);

} // namespace sim
