#pragma once
// The serial port as the CAT link needs it, behind a seam so that tests can plug
// in an in-process radio. The real one is QSerialPort (QtSerialPortDevice).
#include <QByteArray>
#include <QChar>
#include <QString>
#include <memory>

namespace mv {

// The line settings of a serial port: rate, parity letter (N, E, O, M, S), data
// bits (5..8), stop bits (1, 1.5, 2). The radio's CAT link always runs N,8,2.
struct LineSettings {
    int baud = 0;
    QChar parity = QLatin1Char('N');
    int dataBits = 8;
    int stopBits = 2;  // 1 or 2; 3 stands for 1.5

    // No parity, 8 data bits, 2 stop bits at `baud`: what the FT-450 talks.
    static LineSettings catRate(int baud) { return {baud, QLatin1Char('N'), 8, 2}; }
    // "9600,N,8,2": the text form, as the stored setting and the log lines have it.
    QString text() const;
    bool operator==(const LineSettings &) const = default;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // rtsCts: hardware handshaking. Returns false (with errorString()) when the
    // port cannot be opened.
    virtual bool open(const QString &device, const LineSettings &settings, bool rtsCts) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    virtual bool write(const QByteArray &data) = 0;
    virtual qint64 bytesAvailable() = 0;
    virtual QByteArray readAll() = 0;
    virtual void clearInput() = 0;
    virtual qint64 bytesToWrite() = 0;
    // Waits at most `ms` for received data (returns early when some arrives);
    // lets the link wake on data instead of sleeping a whole poll.
    virtual void waitForData(int ms) = 0;
    virtual QString errorString() const { return {}; }
    // The last open failed because this user may not open the device (on Debian:
    // not in the "dialout" group), not because it is missing or busy.
    virtual bool openDenied() const { return false; }

    // Sleeps `ms` whatever arrives (received data stays waiting).
    virtual void sleep(int ms);
    // Milliseconds until the last character written has left the wire at the line
    // rate (a port may still be shifting it out after the write and the output
    // count have finished); 0 when the line is idle.
    virtual int msUntilWireIdle() { return 0; }
    // Discards written characters that have not left yet.
    virtual void clearOutput() { }
    // Milliseconds on a monotonic clock. The link measures its reply windows on
    // the port's clock, so that a simulated port can run on a virtual one.
    virtual qint64 clockMs();
};

// Time one character takes on the wire in microseconds: start bit, data bits,
// parity bit, stop bits (11 bits for "N,8,2").
qint64 CharacterWireMicros(const LineSettings &settings);

class SerialPortFactory {
public:
    virtual ~SerialPortFactory() = default;
    virtual std::unique_ptr<SerialPort> create() = 0;
};

// QSerialPort-backed factory.
std::unique_ptr<SerialPortFactory> makeQtSerialPortFactory();

}  // namespace mv
