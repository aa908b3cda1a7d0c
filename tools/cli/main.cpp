#include "commands.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void printUsage()
{
    std::fputs(
        "usage: quenlap-cli export [--format json|laps|competitors|results] [--clasificacion] "
        "FILE...\n"
        "       quenlap-cli generate [--competitors N] [--minutes M] [--seed S] "
        "[--output FILE]\n"
        "       quenlap-cli listen (--tarvel|--dsrouter) HOST:PORT [--once]\n",
        stderr);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.isEmpty()) {
        printUsage();
        return 2;
    }
    const QString command = arguments.takeFirst();
    int status = 2;
    if (command == QLatin1String("export"))
        status = cli::runExport(arguments);
    else if (command == QLatin1String("generate"))
        status = cli::runGenerate(arguments);
    else if (command == QLatin1String("listen"))
        status = cli::runListen(arguments);
    if (status == 2)
        printUsage();
    return status;
}
