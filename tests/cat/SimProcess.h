#pragma once
// ft450sim as a child process on a pseudo-terminal, for the end-to-end tests.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace mv::test {

inline QString binDir()
{
    const QString dir = qEnvironmentVariable("MEMVAULT_BIN_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() + "/../bin" : dir;
}

class SimProcess {
public:
    // `memories`: a memory file to start with (empty: an empty radio).
    explicit SimProcess(const QStringList &options, const QByteArray &memories = {})
    {
        QStringList args = options;
        if (!memories.isEmpty()) {
            QFile f(path("load.450"));
            if (f.open(QIODevice::WriteOnly))
                f.write(memories);
            args << "--load" << path("load.450");
        }
        args << "--dump" << path("dump.450") << "--log" << path("sim.log");
        m_process.setProgram(binDir() + "/ft450sim");
        m_process.setArguments(args);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return;
        QElapsedTimer t;
        t.start();
        while (!m_process.canReadLine() && t.elapsed() < 5000)
            m_process.waitForReadyRead(100);
        device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~SimProcess() { stop(); }

    bool ok() const { return device.startsWith('/'); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill(), m_process.waitForFinished(2000);
    }
    QByteArray dump() const
    {
        QFile f(path("dump.450"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList log() const
    {
        QFile f(path("sim.log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }
    // The commands the radio took, in order ("< " lines of the trace).
    QStringList commands() const
    {
        QStringList out;
        for (const QString &l : log().filter(" < "))
            out << l.mid(l.indexOf(" < ") + 3);
        return out;
    }

    QString device;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

}  // namespace mv::test
