#pragma once
// The radio model behind the program's serial-port seam, in-process and on a
// virtual clock: time moves only while the link waits, so a full read of 504
// memories with all its time-outs runs in milliseconds and always the same way.
#include "Ft450Radio.h"
#include "cat/SerialPort.h"

#include <QSet>
#include <functional>
#include <memory>

namespace ft450 {

// The cable and the radio on its far end, shared by every port the factory makes.
class SimulatedLine {
public:
    explicit SimulatedLine(const RadioOptions &options = {})
        : radio(options)
    {
    }

    Ft450Radio radio;
    qint64 now = 0;  // virtual microseconds
    QString device = QStringLiteral("sim");  // the one device name that opens
    bool stuckOutput = false;  // written characters never leave (handshaking held)
    QSet<int> refusedRates;  // opens at these rates fail
    int refuseOpensAfter = -1;  // every open after this many succeeded fails (-1: never)
    int opens = 0;  // successful opens
    QStringList openLog;  // "4800,N,8,2 rtscts" per successful open
    // Sees everything the program writes, before the radio hears it, on the
    // program's thread (tests use it to act at a given command).
    std::function<void(const QByteArray &written)> onWrite;

    qint64 nowMs() const { return now / 1000; }
};

class SimulatedSerialPort : public mv::SerialPort {
public:
    explicit SimulatedSerialPort(std::shared_ptr<SimulatedLine> line)
        : m_line(std::move(line))
    {
    }
    ~SimulatedSerialPort() override { close(); }

    bool open(const QString &device, const mv::LineSettings &settings, bool rtsCts) override;
    bool isOpen() const override { return m_open; }
    void close() override;
    bool write(const QByteArray &data) override;
    qint64 bytesAvailable() override;
    QByteArray readAll() override;
    void clearInput() override;
    qint64 bytesToWrite() override { return m_unsent.size(); }
    void waitForData(int ms) override;
    QString errorString() const override { return m_error; }
    bool openDenied() const override { return m_denied; }
    void sleep(int ms) override;
    int msUntilWireIdle() override;
    void clearOutput() override { m_unsent.clear(); }
    qint64 clockMs() override { return m_line->nowMs(); }

private:
    void pump();
    void setHostLine(const HostLine &line);

    std::shared_ptr<SimulatedLine> m_line;
    bool m_open = false;
    HostLine m_host;
    QByteArray m_rx;
    QByteArray m_unsent;
    QString m_error;
    bool m_denied = false;
};

class SimulatedPortFactory : public mv::SerialPortFactory {
public:
    explicit SimulatedPortFactory(std::shared_ptr<SimulatedLine> line)
        : m_line(std::move(line))
    {
    }
    std::unique_ptr<mv::SerialPort> create() override { return std::make_unique<SimulatedSerialPort>(m_line); }

private:
    std::shared_ptr<SimulatedLine> m_line;
};

}  // namespace ft450
