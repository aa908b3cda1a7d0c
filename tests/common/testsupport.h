#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

class QProcess;

// Helpers shared by the tests that drive our programs and loopback sockets.
namespace quenlap::test {

// A loopback port nobody listened on a moment ago; 0 when none could be had.
quint16 freeLoopbackPort();

// "127.0.0.1:<port>", as the programs take an address.
QString loopbackAddress(quint16 port);

// One of our programs in the build's bin folder.
QString programPath(const QString &name);

struct ProgramRun
{
    int exitCode = -1; // -1 when the program crashed or did not finish in time
    QByteArray output;
    QByteArray errors;
};

// Runs one of our programs to its end.
ProgramRun runProgram(const QString &name, const QStringList &arguments, int timeoutMs);

// Starts one of our server programs and waits until its standard error says it listens on
// 127.0.0.1:<port>. What it said meanwhile is added to *errors when given.
bool startServer(QProcess &process, const QString &name, const QStringList &arguments, quint16 port,
                 int timeoutMs, QByteArray *errors = nullptr);

// Kills a child that still runs and waits for it, so no test leaves one behind.
void stopProgram(QProcess &process, int timeoutMs);

// The lines of a text, without a last empty one after its final newline.
QList<QByteArray> splitLines(const QByteArray &text);

// What the child has written to its standard output so far, one entry per line.
QList<QByteArray> outputLines(QProcess &process);

// The JSON object on one line of output; an empty object when the line holds none.
QJsonObject jsonObject(const QByteArray &line);

bool writeFile(const QString &path, const QByteArray &contents);

// The whole file, or nothing when it cannot be read.
QByteArray readFile(const QString &path);

} // namespace quenlap::test
