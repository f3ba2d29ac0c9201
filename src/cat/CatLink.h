#pragma once
// The one connection to the radio: a serial port carrying the CAT protocol.
// Synchronous and polled: a transfer runs it on its worker thread (the window's
// thread never waits for the radio), the command line on its only thread.
#include "cat/SerialPort.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace mv {

class Dialogs;
class MessageLog;
class SettingsStore;

// What one exchange with the radio brought back.
struct CatReply {
    QString text;  // the reply that was accepted; empty when none came
    QStringList discarded;  // complete replies that were not accepted, in arrival order
    bool accepted() const { return !text.isEmpty(); }
};

// Decides whether a complete reply (text up to and including its ";") is the
// answer to the command in hand.
using ReplyFilter = std::function<bool(const QString &reply)>;

class CatLink {
public:
    CatLink(SettingsStore &settings, MessageLog &log, Dialogs &dialogs,
            std::unique_ptr<SerialPortFactory> factory = makeQtSerialPortFactory());
    ~CatLink();

    // Link state
    int CommPort = 1;  // 1..16
    LineSettings UserCommSpeed = LineSettings::catRate(38400);
    LineSettings ActiveSettings = LineSettings::catRate(38400);
    QString ReplyBuffer;
    bool DoNotUseRts = false;
    // Switch the radio back to the CAT rate it was found at when a transfer ends
    // (other programs on the same cable expect it there).
    bool RestoreCatRate = true;

    // Reads "Commport", "UserCommSpeed", "RTS", "RestoreCatRate" from the
    // settings (bad values fall back to the defaults). "UserCommSpeed" is kept
    // as text ("38400,N,8,2"), as older versions wrote it; any text but one of
    // the four radio rates counts as bad.
    void LoadSettings();
    // Menu choices: store the value (the open port is not touched).
    void ChooseCommPort(int n);  // writes "CommPort"
    void ChooseCommSpeed(int baud);  // writes "UserCommSpeed" as baud + ",N,8,2"
    void SetDoNotUseRts(bool on);  // writes "RTS"
    void SetRestoreCatRate(bool on);  // writes "RestoreCatRate"

    // A device path that overrides the port-number mapping for this run (command
    // line); empty to use the mapping.
    void setDeviceOverride(const QString &device) { m_deviceOverride = device; }
    // The device that SetCommPort(port) opens.
    QString deviceFor(int port) const;

    void SetCommPort(int port, const LineSettings &settings);
    bool isOpen() const;
    void SendCommand(const QString &command);
    // Sends `command` and waits for the reply `accept` takes. Every other
    // complete reply (a late answer to an earlier command, noise ending in ";")
    // is discarded with a log-only line and the wait goes on. The wait ends
    // kReplySilenceMs after the last character that arrived, and in any case
    // kReplyWindowMs after the command left. ReplyBuffer holds the accepted
    // reply, or what arrived of an unfinished one.
    CatReply Transact(const QString &command, const ReplyFilter &accept);
    // The waiting half of Transact, for a command already sent.
    CatReply AwaitReply(const ReplyFilter &accept);
    // Waits `ms` and returns the complete replies that
    // arrived meanwhile (for commands the radio answers only when it refuses).
    QStringList Listen(int ms);
    // Milliseconds on the port's clock (0 before the first open).
    qint64 clockMs() const;
    void CloseCommPort();
    // Waits up to `ms`, returning early when data arrives.
    void Pause(int ms);

    // Discards received characters nobody has read.
    void DiscardInput();
    // Sleeps the whole time, whatever arrives (the output-drain waits and the
    // pause after a memory write).
    void Sleep(int ms);
    // Why the link stopped by itself (output stuck), for the transfer's message;
    // empty while it works. Cleared by the next successful SetCommPort.
    QString LinkFault;
    // The device and the port's reason of the last SetCommPort (for messages that
    // name the device, such as the command line's).
    QString lastDevice() const { return m_lastDevice; }
    QString lastOpenError() const { return m_lastOpenError; }
    // The line settings the port is open with (none when closed).
    std::optional<LineSettings> openSettings() const
    {
        return isOpen() ? std::optional<LineSettings>(m_openSettings) : std::nullopt;
    }

    // A reply longer than this without its ";" is noise, not a reply.
    static constexpr int kReplyLimit = 1024;
    // Silence after the last character that ends the wait for a reply.
    static constexpr int kReplySilenceMs = 125;
    // However slowly characters keep coming, a reply not complete this long after
    // its command is no reply.
    static constexpr int kReplyWindowMs = 1000;
    // The longest wait for written characters to leave the port.
    static constexpr int kDrainLimitMs = 2000;
    // The four line settings the radio can be set to, fastest first.
    static const QList<LineSettings> &RateSettings();

private:
    SettingsStore &m_settings;
    MessageLog &m_log;
    Dialogs &m_dialogs;
    std::unique_ptr<SerialPortFactory> m_factory;
    std::unique_ptr<SerialPort> m_port;
    QString m_deviceOverride;
    QString m_lastDevice;
    QString m_lastOpenError;
    LineSettings m_openSettings;
    int m_openPort = 0;

    void waitForWireIdle();
    void failOutputStuck();
};

}  // namespace mv
