// The real serial port: QSerialPort driven synchronously from the link's waits.
#include "cat/SerialPort.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <QFile>
#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace mv {

namespace {

// How long after a write a serial adapter may take to start sending it.
constexpr qint64 kAdapterLatencyNs = 20 * 1000 * 1000;

class QtSerialPortDevice : public SerialPort {
public:
    QtSerialPortDevice() { m_clock.start(); }

    bool open(const QString &device, const LineSettings &s, bool rtsCts) override
    {
        close();
        m_error.clear();
        m_denied = false;
        if (device.trimmed().isEmpty()) {
            m_error = QStringLiteral("no device name");
            return false;
        }
        m_port.setPortName(device);
        if (!m_port.open(QIODevice::ReadWrite)) {
            m_error = m_port.errorString();
#ifdef Q_OS_UNIX
            // Qt reports a busy port and a forbidden one alike; the file's
            // permissions tell them apart.
            const QByteArray path
                = QFile::encodeName(device.startsWith(QLatin1Char('/')) ? device : QStringLiteral("/dev/") + device);
            m_denied = m_port.error() == QSerialPort::PermissionError && ::access(path.constData(), R_OK | W_OK) != 0
                       && errno == EACCES;
#endif
            return false;
        }
        const bool configured
            = m_port.setBaudRate(s.baud) && m_port.setDataBits(QSerialPort::DataBits(s.dataBits))
              && m_port.setParity(parityOf(s.parity))
              && m_port.setStopBits(s.stopBits == 1   ? QSerialPort::OneStop
                                    : s.stopBits == 2 ? QSerialPort::TwoStop
                                                      : QSerialPort::OneAndHalfStop)
              && m_port.setFlowControl(rtsCts ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
        if (!configured) {
            m_error = m_port.errorString();
            m_port.close();
            return false;
        }
        m_settings = s;
        m_wireIdleAt = 0;
        return true;
    }

    bool isOpen() const override
    {
        // A device that vanished (USB cable pulled, simulator ended) counts as closed.
        return m_port.isOpen() && m_port.error() != QSerialPort::ResourceError;
    }

    void close() override
    {
        if (!m_port.isOpen())
            return;
        // Output that never left (handshaking holding it) would make the close
        // itself wait for the driver's closing time: drop it.
        if (bytesToWrite() > 0)
            m_port.clear(QSerialPort::Output);
        m_port.close();
    }

    bool write(const QByteArray &data) override
    {
        if (!isOpen())
            return false;
        const qint64 n = m_port.write(data);
        m_port.flush();
        if (n <= 0)
            return false;
        const qint64 now = m_clock.nsecsElapsed();
        m_wireIdleAt = std::max(now, m_wireIdleAt) + n * CharacterWireMicros(m_settings) * 1000;
        return n == data.size();
    }

    qint64 bytesAvailable() override { return isOpen() ? m_port.bytesAvailable() : 0; }

    QByteArray readAll() override { return isOpen() ? m_port.readAll() : QByteArray(); }

    void clearInput() override
    {
        if (isOpen())
            m_port.clear(QSerialPort::Input);
    }

    void clearOutput() override
    {
        if (isOpen())
            m_port.clear(QSerialPort::Output);
    }

    qint64 bytesToWrite() override
    {
        if (!isOpen())
            return 0;
        // Qt's own buffer, then what the driver still holds.
        m_port.flush();
        qint64 n = m_port.bytesToWrite();
#ifdef Q_OS_UNIX
        int queued = 0;
        if (::ioctl(m_port.handle(), TIOCOUTQ, &queued) == 0 && queued > 0)
            n += queued;
#endif
        return n;
    }

    void waitForData(int ms) override
    {
        if (ms <= 0)
            return;
        if (!isOpen()) {
            QThread::msleep(ulong(ms));
            return;
        }
        if (m_port.bytesAvailable() > 0)
            return;
        QElapsedTimer t;
        t.start();
        // waitForReadyRead returns on the first arriving data, or false at the
        // time-out or on an error; the rest of the time is slept so that a poll
        // always lasts its time unless data came.
        if (!m_port.waitForReadyRead(ms)) {
            const qint64 rest = ms - t.elapsed();
            if (rest > 0)
                QThread::msleep(ulong(rest));
        }
    }

    int msUntilWireIdle() override
    {
        if (!isOpen() || m_wireIdleAt == 0)
            return 0;
        const qint64 now = m_clock.nsecsElapsed();
        const qint64 pending = bytesToWrite() * CharacterWireMicros(m_settings) * 1000;
        // Characters still queued start no earlier than now. A USB adapter puts
        // them on the wire a little after the write returned: allow for that.
        const qint64 left = std::max<qint64>(
            {0, m_wireIdleAt + kAdapterLatencyNs - now, pending > 0 ? pending + kAdapterLatencyNs : 0});
        return int((left + 999999) / 1000000);
    }

    QString errorString() const override { return m_error.isEmpty() ? m_port.errorString() : m_error; }
    bool openDenied() const override { return m_denied; }

private:
    static QSerialPort::Parity parityOf(QChar p)
    {
        switch (p.toLatin1()) {
        case 'E':
            return QSerialPort::EvenParity;
        case 'O':
            return QSerialPort::OddParity;
        case 'M':
            return QSerialPort::MarkParity;
        case 'S':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
        }
    }

    QSerialPort m_port;
    LineSettings m_settings;
    QString m_error;
    QElapsedTimer m_clock;
    qint64 m_wireIdleAt = 0;  // ns on m_clock
    bool m_denied = false;
};

class QtSerialPortFactory : public SerialPortFactory {
public:
    std::unique_ptr<SerialPort> create() override { return std::make_unique<QtSerialPortDevice>(); }
};

}  // namespace

std::unique_ptr<SerialPortFactory> makeQtSerialPortFactory() { return std::make_unique<QtSerialPortFactory>(); }

}  // namespace mv
