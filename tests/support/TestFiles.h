#pragma once
// Small file and process helpers shared by the suites.
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <QtTest>
#include <optional>

namespace mv::test {

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The CRLF lines of a text file, "<missing>" when it cannot be read.
inline QStringList fileLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<missing>")};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs one of the built programs (memvault-cli, memvault, ft450sim) with extra
// environment entries; never the user's own settings (CTest gives a private
// MEMVAULT_CONFIG_DIR, else a temporary one). `input`, when given, is written to
// its standard input (a pipe), then closed.
inline CliRun runProgram(const QString &program, const QStringList &args, const QProcessEnvironment &extra = {},
                         int timeoutMs = 120000, const std::optional<QByteArray> &input = std::nullopt)
{
    static QTemporaryDir settings;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("MEMVAULT_CONFIG_DIR")))
        env.insert(QStringLiteral("MEMVAULT_CONFIG_DIR"), settings.path());
    for (const QString &k : extra.keys())
        env.insert(k, extra.value(k));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("MEMVAULT_BIN_DIR") + QLatin1Char('/') + program, args);
    CliRun r;
    if (input) {
        if (!p.waitForStarted())
            return r;
        p.write(*input);
        p.closeWriteChannel();
    }
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

inline CliRun runCli(const QStringList &args, const QProcessEnvironment &extra = {}, int timeoutMs = 120000,
                     const std::optional<QByteArray> &input = std::nullopt)
{
    return runProgram(QStringLiteral("memvault-cli"), args, extra, timeoutMs, input);
}

inline QProcessEnvironment localeEnv(const QString &lcAll)
{
    QProcessEnvironment e;
    e.insert(QStringLiteral("LC_ALL"), lcAll);
    e.insert(QStringLiteral("LANG"), lcAll);
    return e;
}

}  // namespace mv::test
