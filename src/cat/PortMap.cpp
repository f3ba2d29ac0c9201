#include "cat/PortMap.h"

#include "shell/SettingsStore.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace mv {

namespace {

#ifndef Q_OS_WIN
// Fixed defaults: the USB-serial adapters first (FTDI, CP210x, PL2303, CH340
// give ttyUSB; CDC cables ttyACM), then the built-in ports.
QString fixedDefault(int n)
{
    if (n <= 4)
        return QStringLiteral("/dev/ttyUSB%1").arg(n - 1);
    if (n <= 8)
        return QStringLiteral("/dev/ttyACM%1").arg(n - 5);
    return QStringLiteral("/dev/ttyS%1").arg(n - 9);
}
#endif

}  // namespace

static_assert(declarationOf(Setting::PortDevice).first == 1 && declarationOf(Setting::PortDevice).last == kPortCount);

QString DefaultPortDevice(int n)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    if (n < 1 || n > kPortCount)
        return {};
    if (n == 1 && !QFileInfo::exists(fixedDefault(1))) {
        // One cable of either kind is COM1: a CDC cable when no ttyUSB0 exists,
        // else the first serial device the system lists for USB.
        for (const QString &candidate : {QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyUSB1")}) {
            if (QFileInfo::exists(candidate))
                return candidate;
        }
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
            if (info.hasVendorIdentifier())
                return info.systemLocation();
        }
    }
    return fixedDefault(n);
#endif
}

QString PortDeviceName(const SettingsStore &settings, int n)
{
    if (n < 1 || n > kPortCount)
        return {};
    const QString stored = settings.get<Setting::PortDevice>(n).trimmed();
    return stored.isEmpty() ? DefaultPortDevice(n) : stored;
}

void SetPortDeviceName(SettingsStore &settings, int n, const QString &device)
{
    if (n < 1 || n > kPortCount)
        return;
    const QString d = device.trimmed();
    if (d.isEmpty())
        settings.remove(Setting::PortDevice, n);
    else
        settings.set<Setting::PortDevice>(n, d);
}

QStringList AvailableSerialDevices()
{
    QStringList out;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        out << info.systemLocation();
    out.sort();
    out.removeDuplicates();
    return out;
}

}  // namespace mv
