#pragma once
// The serial port as the CAT link needs it, behind a seam so that tests can plug
// in an in-process radio. The real one is QSerialPort (QtSerialPortDevice).
#include <QByteArray>
#include <QString>
#include <memory>

namespace mv {

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // settings: "9600,N,8,2" style line settings. rtsCts: hardware handshaking.
    // Returns false (with errorString()) when the port cannot be opened.
    virtual bool open(const QString &device, const QString &settings, bool rtsCts) = 0;
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
};

class SerialPortFactory {
public:
    virtual ~SerialPortFactory() = default;
    virtual std::unique_ptr<SerialPort> create() = 0;
};

// QSerialPort-backed factory.
std::unique_ptr<SerialPortFactory> makeQtSerialPortFactory();

} // namespace mv
