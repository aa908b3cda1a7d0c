#include "commands.h"

#include <cstdio>

namespace cli {

namespace {

// "host:port", "[v6 address]:port": nothing when the address is not one.
bool splitAddress(const QString &address, QString &host, quint16 &port)
{
    const qsizetype colon = address.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    host = address.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint number = address.mid(colon + 1).toUInt(&ok);
    if (!ok || number == 0 || number > 65535 || host.isEmpty())
        return false;
    port = quint16(number);
    return true;
}

} // namespace

int runListen(const QStringList &arguments)
{
    QString source;
    QString address;
    bool once = false;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--tarvel") || argument == QLatin1String("--dsrouter")) {
            if (!source.isEmpty())
                return 2;
            source = argument;
        } else if (argument == QLatin1String("--once")) {
            once = true;
        } else if (address.isEmpty() && !argument.startsWith(QLatin1String("--"))) {
            address = argument;
        } else {
            return 2;
        }
    }
    QString host;
    quint16 port = 0;
    if (source.isEmpty() || address.isEmpty())
        return 2;
    if (!splitAddress(address, host, port)) {
        std::fprintf(stderr, "quenlap-cli listen: not a HOST:PORT address: %s\n",
                     qPrintable(address));
        return 2;
    }
    return source == QLatin1String("--tarvel") ? listenTarvel(host, port, once)
                                               : listenDsRouter(host, port, once);
}

} // namespace cli
