#include "cat/CatLink.h"

#include "cat/PortMap.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

namespace mv {

namespace {
constexpr LogLevel kTrace = LogLevel::Trace;
constexpr int kReplyPollMs = 5;

// Received text for a log line: control and 8-bit characters as \xNN.
QString printable(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u >= 0x20 && u < 0x7f)
            out += c;
        else
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return out;
}
}  // namespace

const QList<LineSettings> &CatLink::RateSettings()
{
    static const QList<LineSettings> rates{LineSettings::catRate(38400), LineSettings::catRate(19200),
                                           LineSettings::catRate(9600), LineSettings::catRate(4800)};
    return rates;
}

CatLink::CatLink(SettingsStore &settings, MessageLog &log, Dialogs &dialogs, std::unique_ptr<SerialPortFactory> factory)
    : m_settings(settings)
    , m_log(log)
    , m_dialogs(dialogs)
    , m_factory(std::move(factory))
{
}

CatLink::~CatLink()
{
    if (m_port)
        m_port->close();
}

void CatLink::LoadSettings()
{
    const int port = m_settings.get<Setting::CommPort>();
    CommPort = (port >= 1 && port <= kPortCount) ? port : 1;
    const QString speed = m_settings.get<Setting::UserCommSpeed>();
    UserCommSpeed = LineSettings::catRate(38400);
    for (const LineSettings &rate : RateSettings()) {
        if (rate.text() == speed)
            UserCommSpeed = rate;
    }
    DoNotUseRts = m_settings.get<Setting::RTS>();
    RestoreCatRate = m_settings.get<Setting::RestoreCatRate>();
}

void CatLink::ChooseCommPort(int n)
{
    if (n < 1 || n > kPortCount)
        return;
    CommPort = n;
    m_settings.set<Setting::CommPort>(n);
}

void CatLink::ChooseCommSpeed(int baud)
{
    const LineSettings speed = LineSettings::catRate(baud);
    if (!RateSettings().contains(speed))
        return;
    UserCommSpeed = speed;
    m_settings.set<Setting::UserCommSpeed>(speed.text());
}

void CatLink::SetDoNotUseRts(bool on)
{
    DoNotUseRts = on;
    m_settings.set<Setting::RTS>(on);
}

void CatLink::SetRestoreCatRate(bool on)
{
    RestoreCatRate = on;
    m_settings.set<Setting::RestoreCatRate>(on);
}

QString CatLink::deviceFor(int port) const
{
    if (!m_deviceOverride.isEmpty())
        return m_deviceOverride;
    return PortDeviceName(m_settings, port);
}

bool CatLink::isOpen() const { return m_port && m_port->isOpen(); }

void CatLink::SetCommPort(int port, const LineSettings &settings)
{
    if (m_port)
        CloseCommPort();
    m_openPort = port;
    m_openSettings = settings;
    m_lastDevice = deviceFor(port);
    m_lastOpenError.clear();

    bool opened = false;
    if (m_lastDevice.isEmpty()) {
        m_lastOpenError = QStringLiteral("there is no device for port %1").arg(port);
    } else {
        if (!m_port)
            m_port = m_factory->create();
        opened = m_port && m_port->open(m_lastDevice, settings, !DoNotUseRts);
        if (!opened)
            m_lastOpenError = m_port ? m_port->errorString() : QStringLiteral("no serial port");
    }

    if (!opened) {
        m_log.LogMessage(QStringLiteral("SetCommPort: open failed for port %1").arg(port), kTrace);
        QString text = QStringLiteral("COM Port %1 is not available. It may be in use by another program.\r\n"
                                      "The requested operation cannot continue.")
                           .arg(port);
        // The device and the system's reason tell a missing cable from a busy
        // port from a user who may not open it.
        if (!m_lastDevice.isEmpty())
            text += QStringLiteral("\r\n\r\nDevice %1: %2.").arg(m_lastDevice, m_lastOpenError);
        if (m_port && m_port->openDenied())
            text += QStringLiteral("\r\nYour user is not allowed to open it. On Debian, add yourself to the "
                                   "\"dialout\" group (sudo adduser $USER dialout), then log out and in again.");
        m_dialogs.messageBox(text, Buttons::Ok, Icon::Exclamation);
        return;
    }
    LinkFault.clear();
    m_log.LogMessage(QStringLiteral("SetCommPort: open OK for port %1").arg(port), kTrace);
    m_port->clearInput();
}

void CatLink::SendCommand(const QString &command)
{
    if (!isOpen())
        return;
    m_port->clearInput();
    m_port->write(command.toLatin1());
    // The output must leave before the reply can come; a port held by
    // handshaking never drains, so the wait is bounded (about 2 s, counted both
    // in polls and in time, whichever ends first).
    QElapsedTimer clock;
    clock.start();
    for (int polls = 0; isOpen() && m_port->bytesToWrite() > 0; ++polls) {
        if (polls >= kDrainLimitMs || clock.elapsed() >= kDrainLimitMs) {
            failOutputStuck();
            return;
        }
        Sleep(1);
    }
}

void CatLink::failOutputStuck()
{
    LinkFault = QStringLiteral("COM Port %1 is not sending: what was written has not left the port in 2 seconds.\r\n"
                               "The radio's handshaking line may be holding it back. Check the cable, "
                               "or tick \"Do not use RTS\" in the Settings menu.\r\n"
                               "The requested operation cannot continue.")
                    .arg(m_openPort);
    m_log.LogMessage(QStringLiteral("SendCommand: output stuck on port %1, port closed").arg(m_openPort));
    m_port->clearOutput();
    m_port->close();
}

CatReply CatLink::Transact(const QString &command, const ReplyFilter &accept)
{
    SendCommand(command);
    return AwaitReply(accept);
}

qint64 CatLink::clockMs() const { return m_port ? m_port->clockMs() : 0; }

CatReply CatLink::AwaitReply(const ReplyFilter &accept)
{
    CatReply result;
    ReplyBuffer.clear();
    if (!isOpen())
        return result;
    const qint64 start = clockMs();
    qint64 lastArrival = start;
    for (;;) {
        if (isOpen() && m_port->bytesAvailable() > 0) {
            ReplyBuffer += QString::fromLatin1(m_port->readAll());
            lastArrival = clockMs();
            // Every complete reply is judged on its own: a late answer to an
            // earlier command may come first, in the same piece.
            qsizetype end;
            while ((end = ReplyBuffer.indexOf(QLatin1Char(';'))) >= 0) {
                const QString reply = ReplyBuffer.left(end + 1);
                ReplyBuffer.remove(0, end + 1);
                if (accept(reply)) {
                    if (!ReplyBuffer.isEmpty())
                        m_log.LogMessage(QStringLiteral("Reply discarded: %1").arg(printable(ReplyBuffer)), kTrace);
                    ReplyBuffer = reply;
                    result.text = reply;
                    return result;
                }
                result.discarded << reply;
                m_log.LogMessage(QStringLiteral("Reply discarded: %1").arg(printable(reply)), kTrace);
            }
            if (ReplyBuffer.size() > kReplyLimit) {
                // A device streaming without ";" (wrong speed, noise) is not a reply.
                m_log.LogMessage(
                    QStringLiteral("ReceiveData: %1 characters without \";\" discarded").arg(ReplyBuffer.size()),
                    kTrace);
                ReplyBuffer.truncate(kReplyLimit);
                m_port->clearInput();
                return result;
            }
        }
        const qint64 now = clockMs();
        if (!isOpen() || now - lastArrival >= kReplySilenceMs || now - start >= kReplyWindowMs) {
            if (isOpen())
                m_port->clearInput();
            return result;
        }
        Pause(int(std::min<qint64>(kReplyPollMs, kReplySilenceMs - (now - lastArrival))));
    }
}

QStringList CatLink::Listen(int ms)
{
    Sleep(ms);
    if (!isOpen())
        return {};
    const QString text = QString::fromLatin1(m_port->readAll());
    QStringList replies;
    qsizetype from = 0, end;
    while ((end = text.indexOf(QLatin1Char(';'), from)) >= 0) {
        replies << text.mid(from, end + 1 - from);
        from = end + 1;
    }
    return replies;
}

void CatLink::DiscardInput()
{
    if (isOpen())
        m_port->clearInput();
}

void CatLink::CloseCommPort()
{
    if (!m_port)
        return;
    if (m_port->isOpen())
        waitForWireIdle();
    m_port->close();
}

void CatLink::waitForWireIdle()
{
    // The last command may still be shifting out after the write returned; a
    // close or a change of speed now would cut it off at the radio's end.
    for (int i = 0; i < kDrainLimitMs && isOpen(); ++i) {
        const int ms = m_port->msUntilWireIdle();
        if (ms <= 0)
            break;
        Sleep(std::min(ms, 5));
    }
}

void CatLink::Pause(int ms)
{
    if (isOpen())
        m_port->waitForData(ms);
    else if (ms > 0)
        QThread::msleep(ulong(ms));
}

void CatLink::Sleep(int ms)
{
    // In slices, so that a port that closes under the pause is noticed.
    do {
        const int slice = std::min(ms, 10);
        if (isOpen())
            m_port->sleep(slice);
        else if (slice > 0)
            QThread::msleep(ulong(slice));
        ms -= slice;
    } while (ms > 0);
}

}  // namespace mv
