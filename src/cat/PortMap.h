#pragma once
// Which device each port number 1..16 means. "COM" + n on Windows; elsewhere a
// device path per number kept in the settings (section "Settings", keys
// "PortDevice1".."PortDevice16"), with defaults that find a single USB-serial
// cable as COM1.
#include <QString>
#include <QStringList>

namespace mv {

class SettingsStore;

inline constexpr int kPortCount = 16;

// Default device for number n on this platform.
QString DefaultPortDevice(int n);
// The device that number n means now (stored choice, else the default).
QString PortDeviceName(const SettingsStore &settings, int n);
// Stores the device for number n; an empty device restores the default.
void SetPortDeviceName(SettingsStore &settings, int n, const QString &device);
// Serial devices present on this machine (for the port chooser).
QStringList AvailableSerialDevices();

}  // namespace mv
