#pragma once
// ft450sim as a child process on a pseudo-terminal, for the end-to-end tests.
#include "TestFiles.h"

#include <QCoreApplication>

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
        if (!memories.isEmpty() && writeBytes(path("load.450"), memories))
            args << "--load" << path("load.450");
        m_process.start(binDir() + "/ft450sim", args << "--dump" << path("dump.450") << "--log" << path("sim.log"));
        while (m_process.waitForStarted(5000) && !m_process.canReadLine() && m_process.waitForReadyRead(5000)) { }
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
    QByteArray dump() const { return readBytes(path("dump.450")); }
    QStringList log() const { return QString::fromUtf8(readBytes(path("sim.log"))).split('\n', Qt::SkipEmptyParts); }

    QString device;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

}  // namespace mv::test
