#include "testsupport.h"

#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QProcess>
#include <QTcpServer>
#include <QTest>

namespace quenlap::test {

quint16 freeLoopbackPort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 0;
    return server.serverPort();
}

QString loopbackAddress(quint16 port)
{
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

QString programPath(const QString &name)
{
    return QStringLiteral(QUENLAP_BIN_DIR "/") + name;
}

ProgramRun runProgram(const QString &name, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(programPath(name), arguments);
    if (!process.waitForFinished(timeoutMs)) {
        qWarning("%s did not finish", qPrintable(name));
        stopProgram(process, timeoutMs);
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

bool startServer(QProcess &process, const QString &name, const QStringList &arguments, quint16 port,
                 int timeoutMs, QByteArray *errors)
{
    process.start(programPath(name), arguments);
    if (!process.waitForStarted(timeoutMs))
        return false;
    QByteArray said;
    (void)QTest::qWaitFor(
        [&] {
            said += process.readAllStandardError();
            return said.contains("listening on") || process.state() == QProcess::NotRunning;
        },
        timeoutMs);
    if (errors)
        *errors += said;
    return said.contains("listening on " + loopbackAddress(port).toLatin1());
}

void stopProgram(QProcess &process, int timeoutMs)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(timeoutMs);
}

QList<QByteArray> splitLines(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QList<QByteArray> outputLines(QProcess &process)
{
    return splitLines(process.readAllStandardOutput());
}

QJsonObject jsonObject(const QByteArray &line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    return error.error == QJsonParseError::NoError ? document.object() : QJsonObject();
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace quenlap::test
