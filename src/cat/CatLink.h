#pragma once
// The one connection to the radio: a serial port carrying the CAT protocol.
// Synchronous and polled on the user-interface thread; every wait handles
// pending events first so the window stays alive during a transfer.
#include "cat/SerialPort.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace mv {

class Dialogs;
class MessageLog;
class SettingsStore;

class CatLink {
public:
    CatLink(SettingsStore &settings, MessageLog &log, Dialogs &dialogs,
            std::unique_ptr<SerialPortFactory> factory = makeQtSerialPortFactory());
    ~CatLink();

    // Link state
    int CommPort = 1;                                   // 1..16
    QString UserCommSpeed = QStringLiteral("38400,N,8,2");
    QString ActiveSettings = QStringLiteral("38400,N,8,2");
    QString ReplyBuffer;
    bool DoNotUseRts = false;

    // Reads "Commport", "UserCommSpeed", "RTS" from the settings (bad values fall
    // back to the defaults).
    void LoadSettings();
    // Menu choices: store the value (the open port is not touched).
    void ChooseCommPort(int n);          // writes "CommPort"
    void ChooseCommSpeed(int baud);      // writes "UserCommSpeed" as baud + ",N,8,2"
    void SetDoNotUseRts(bool on);        // writes "RTS"

    // A device path that overrides the port-number mapping for this run (command
    // line); empty to use the mapping.
    void setDeviceOverride(const QString &device) { m_deviceOverride = device; }
    // The device that SetCommPort(port) opens.
    QString deviceFor(int port) const;

    void SetCommPort(int port, const QString &settings);
    bool isOpen() const;
    void SendCommand(const QString &command);
    bool ReceiveData();
    void CloseCommPort();
    void PauseWithEvents(int ms);

    // Discards received characters nobody has read.
    void DiscardInput();
    // Handles pending events and sleeps the whole time, whatever arrives (the
    // output-drain waits and the pause after a memory write).
    void SleepWithEvents(int ms);
    // Why the link stopped by itself (output stuck), for the transfer's message;
    // empty while it works. Cleared by the next successful SetCommPort.
    QString LinkFault;
    // The device and the port's reason of the last SetCommPort (for messages that
    // name the device, such as the command line's).
    QString lastDevice() const { return m_lastDevice; }
    QString lastOpenError() const { return m_lastOpenError; }
    // The line settings the port is open with (empty when closed).
    QString openSettings() const { return isOpen() ? m_openSettings : QString(); }

    // A reply longer than this without its ";" is noise, not a reply.
    static constexpr int kReplyLimit = 1024;
    // The longest wait for written characters to leave the port.
    static constexpr int kDrainLimitMs = 2000;
    // The four line settings the radio can be set to, fastest first.
    static const QStringList &RateSettings();

private:
    SettingsStore &m_settings;
    MessageLog &m_log;
    Dialogs &m_dialogs;
    std::unique_ptr<SerialPortFactory> m_factory;
    std::unique_ptr<SerialPort> m_port;
    QString m_deviceOverride;
    QString m_lastDevice;
    QString m_lastOpenError;
    QString m_openSettings;
    int m_openPort = 0;

    void waitForWireIdle();
    void failOutputStuck();
};

} // namespace mv
