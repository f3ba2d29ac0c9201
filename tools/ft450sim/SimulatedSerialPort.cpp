#include "SimulatedSerialPort.h"

#include <algorithm>

namespace ft450 {

bool SimulatedSerialPort::open(const QString &device, const mv::LineSettings &s, bool rtsCts)
{
    close();
    m_denied = false;
    if (device != m_line->device) {
        m_error = QStringLiteral("No such file or directory");
        return false;
    }
    if (m_line->refusedRates.contains(s.baud)
        || (m_line->refuseOpensAfter >= 0 && m_line->opens >= m_line->refuseOpensAfter)) {
        m_error = QStringLiteral("Permission denied");
        m_denied = true;
        return false;
    }
    ++m_line->opens;
    m_line->openLog << s.text() + (rtsCts ? QStringLiteral(" rtscts") : QString());
    m_open = true;
    m_error.clear();
    m_rx.clear();
    m_unsent.clear();
    setHostLine(HostLine{s.baud, s.stopBits == 2});
    return true;
}

void SimulatedSerialPort::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_unsent.clear();
    m_rx.clear();
    setHostLine(HostLine{});
}

void SimulatedSerialPort::setHostLine(const HostLine &line)
{
    if (line == m_host)
        return;
    m_host = line;
    m_line->radio.hostLineChanged(line, m_line->now);
}

void SimulatedSerialPort::pump()
{
    m_line->radio.advance(m_line->now);
    const QByteArray out = m_line->radio.takeOutput(m_line->now, m_host);
    if (m_open)
        m_rx += out;
}

bool SimulatedSerialPort::write(const QByteArray &data)
{
    if (!m_open)
        return false;
    if (m_line->onWrite)
        m_line->onWrite(data);
    if (m_line->stuckOutput) {
        m_unsent += data;
        return true;
    }
    m_line->radio.hostWrote(data, m_host, m_line->now);
    return true;
}

qint64 SimulatedSerialPort::bytesAvailable()
{
    pump();
    return m_rx.size();
}

QByteArray SimulatedSerialPort::readAll()
{
    pump();
    QByteArray out;
    out.swap(m_rx);
    return out;
}

void SimulatedSerialPort::clearInput()
{
    pump();
    m_rx.clear();
}

void SimulatedSerialPort::waitForData(int ms)
{
    pump();
    if (!m_rx.isEmpty())
        return;
    const qint64 until = m_line->now + qint64(std::max(ms, 0)) * 1000;
    for (;;) {
        const qint64 next = m_line->radio.nextEventTime();
        if (next > until) {
            m_line->now = until;
            pump();
            return;
        }
        m_line->now = std::max(m_line->now, next);
        pump();
        if (!m_rx.isEmpty())
            return;
    }
}

void SimulatedSerialPort::sleep(int ms)
{
    m_line->now += qint64(std::max(ms, 0)) * 1000;
    pump();
}

int SimulatedSerialPort::msUntilWireIdle()
{
    const qint64 left = m_line->radio.inputIdleTime() - m_line->now;
    return left > 0 ? int((left + 999) / 1000) : 0;
}

}  // namespace ft450
