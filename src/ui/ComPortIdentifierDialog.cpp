#include "ui/ComPortIdentifierDialog.h"

#include "cat/CatLink.h"
#include "cat/PortMap.h"
#include "cat/SerialPort.h"
#include "shell/SettingsStore.h"
#include "ui/UiMetrics.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mv {

QStringList ComPortIdentifierDialog::instructions()
{
    return {
        QStringLiteral("To find which Com port numbers are available on your PC:"),
        QStringLiteral("1. Turn off your radio"),
        QStringLiteral("2. Plug the programming cable into the radio"),
        QStringLiteral("3. Plug the programming cable into the PC. Use a USB adapter if required."),
        QStringLiteral("4. Click the 'Detect ports' button"),
        QStringLiteral("5. The available Com ports are shown in green."),
        QStringLiteral("6. Close this window and then set the Com port number."),
    };
}

ComPortIdentifierDialog::ComPortIdentifierDialog(SettingsStore &settings, CatLink &link, SerialPortFactory &factory,
                                                 QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_link(link)
    , m_factory(factory)
{
    setObjectName(QStringLiteral("ComPortDiag"));
    setWindowTitle(QStringLiteral("Com port identifier"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    int line = 0;
    for (const QString &text : instructions()) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QStringLiteral("lblInstruction%1").arg(line++));
        layout->addWidget(l);
    }

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Port"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Device"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("State"), this), 0, 2);
    const QStringList present = AvailableSerialDevices();
    for (int n = 1; n <= kPorts; ++n) {
        auto *name = new QLabel(QStringLiteral("COM%1").arg(n), this);
        name->setObjectName(QStringLiteral("lblPort%1").arg(n));
        auto *device = new QComboBox(this);
        device->setObjectName(QStringLiteral("cboDevice%1").arg(n));
        device->setEditable(true);
        device->setInsertPolicy(QComboBox::NoInsert);
        device->addItems(present);
        const QString current = PortDeviceName(m_settings, n);
        if (device->findText(current) < 0)
            device->insertItem(0, current);
        device->setCurrentText(current);
        device->setMinimumContentsLength(18);
        connect(device, &QComboBox::activated, this, [this, n] { deviceChosen(n); });
        connect(device->lineEdit(), &QLineEdit::editingFinished, this, [this, n] { deviceChosen(n); });
        auto *state = new QLabel(this);
        state->setObjectName(QStringLiteral("lblState%1").arg(n));
        state->setMinimumWidth(TwipsX(this, 1400));
        state->setAutoFillBackground(true);
        m_devices[size_t(n - 1)] = device;
        m_states[size_t(n - 1)] = state;
        grid->addWidget(name, n, 0);
        grid->addWidget(device, n, 1);
        grid->addWidget(state, n, 2);
    }
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    auto *detect = new QPushButton(QStringLiteral("Detect ports"), this);
    detect->setObjectName(QStringLiteral("cmdDetect"));
    auto *closePortsButton = new QPushButton(QStringLiteral("Close ports"), this);
    closePortsButton->setObjectName(QStringLiteral("cmdClosePorts"));
    auto *closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(detect);
    buttons->addWidget(closePortsButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(detect, &QPushButton::clicked, this, &ComPortIdentifierDialog::detectPorts);
    connect(closePortsButton, &QPushButton::clicked, this, &ComPortIdentifierDialog::closePorts);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    ApplyUserInterfaceFont(this);
}

ComPortIdentifierDialog::~ComPortIdentifierDialog() { closePorts(); }

QString ComPortIdentifierDialog::stateText(int n) const { return m_states[size_t(n - 1)]->text(); }

void ComPortIdentifierDialog::setState(int n, const QString &text, bool available)
{
    QLabel *l = m_states[size_t(n - 1)];
    l->setText(text);
    m_available[size_t(n - 1)] = available;
    QPalette p = l->palette();
    p.setColor(QPalette::Window, available ? QColor(0, 200, 0) : palette().color(QPalette::Window));
    l->setPalette(p);
}

void ComPortIdentifierDialog::detectPorts()
{
    for (int n = 1; n <= kPorts; ++n) {
        std::unique_ptr<SerialPort> &port = m_ports[size_t(n - 1)];
        if (port && port->isOpen()) {
            setState(n, QStringLiteral("Open"), true);
            continue;
        }
        // The link's own port during a transfer is in use by this program: it is
        // there, and it must not be disturbed.
        if (m_link.isOpen() && m_link.CommPort == n) {
            setState(n, QStringLiteral("Open"), true);
            continue;
        }
        const QString device = PortDeviceName(m_settings, n);
        if (!port)
            port = m_factory.create();
        const bool opened = port && !device.isEmpty() && port->open(device, m_link.ActiveSettings, false);
        if (opened)
            setState(n, QStringLiteral("Open"), true);
        else
            setState(n, QStringLiteral("Not available"), false);
    }
}

void ComPortIdentifierDialog::closePorts()
{
    for (int n = 1; n <= kPorts; ++n) {
        std::unique_ptr<SerialPort> &port = m_ports[size_t(n - 1)];
        if (port && port->isOpen()) {
            port->close();
            setState(n, QStringLiteral("Closed"), false);
        }
    }
}

void ComPortIdentifierDialog::deviceChosen(int n)
{
    QComboBox *box = m_devices[size_t(n - 1)];
    const QString before = PortDeviceName(m_settings, n);
    const QString chosen = box->currentText().trimmed();
    if (chosen == before)
        return;
    std::unique_ptr<SerialPort> &port = m_ports[size_t(n - 1)];
    if (port && port->isOpen())
        port->close();
    SetPortDeviceName(m_settings, n, chosen);
    if (chosen.isEmpty())
        box->setCurrentText(PortDeviceName(m_settings, n));
    setState(n, QString(), false);
    emit portDevicesChanged();
}

void ComPortIdentifierDialog::done(int result)
{
    closePorts();
    QDialog::done(result);
}

}  // namespace mv
