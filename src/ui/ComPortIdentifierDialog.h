#pragma once
// The serial port diagnostic window (ComPortIdentifierDialog): lists COM1..COM16 with the
// device each number means, tries to open each one and shows which are there,
// and lets the user choose the device of a number. Every port it opened is
// closed again when the window closes.
#include <QDialog>
#include <array>
#include <memory>

class QComboBox;
class QLabel;

namespace mv {

class CatLink;
class SerialPort;
class SerialPortFactory;
class SettingsStore;

class ComPortIdentifierDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPorts = 16;

    ComPortIdentifierDialog(SettingsStore &settings, CatLink &link, SerialPortFactory &factory,
                            QWidget *parent = nullptr);
    ~ComPortIdentifierDialog() override;

    static QStringList instructions();

    // "Detect ports": tries every port that is not open yet.
    void detectPorts();
    // Closes every port this window opened.
    void closePorts();

    QString stateText(int n) const;
    bool isAvailable(int n) const { return m_available[size_t(n - 1)]; }

signals:
    // The user chose another device for a number.
    void portDevicesChanged();

protected:
    void done(int result) override;

private:
    void setState(int n, const QString &text, bool available);
    void deviceChosen(int n);

    SettingsStore &m_settings;
    CatLink &m_link;
    SerialPortFactory &m_factory;
    std::array<std::unique_ptr<SerialPort>, kPorts> m_ports;
    std::array<QComboBox *, kPorts> m_devices{};
    std::array<QLabel *, kPorts> m_states{};
    std::array<bool, kPorts> m_available{};
};

}  // namespace mv
