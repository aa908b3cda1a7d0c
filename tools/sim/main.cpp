#include "simulators.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const QString kind = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (kind == QLatin1String("tarvel"))
        return sim::runTarvel(app, arguments);
    if (kind == QLatin1String("dsrouter"))
        return sim::runDsRouter(app, arguments);
    std::fputs("usage: quenlap-sim tarvel [--port 5000] [--listen ADDRESS] [--speed X] "
               "[--max-viewers N] [FILE | --generate COMPETITORS,MINUTES,SEED]\n"
               "       quenlap-sim dsrouter [--port 7000] [--listen ADDRESS] [--speed X] "
               "[--lanes N] [--minutes M] [--seed S]\n",
               stderr);
    return 2;
}
