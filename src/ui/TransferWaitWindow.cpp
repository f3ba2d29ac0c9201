#include "ui/TransferWaitWindow.h"

#include "ui/ClickableLabel.h"
#include "ui/UiMetrics.h"

#include <QCloseEvent>
#include <QFrame>
#include <QProgressBar>
#include <QVBoxLayout>

namespace mv {

QString TransferWaitWindow::readMessage()
{
    return QStringLiteral(
        "\r\nReading the radio.\r\n\r\nWait for the process to complete\r\nor click this message to cancel.");
}

QString TransferWaitWindow::writeMessage()
{
    return QStringLiteral(
        "\r\nWriting to the radio\r\n\r\nWait for the process to complete\r\nor click here to cancel");
}

namespace {
// Labels break lines at LF; the CR of the message texts would show as a box.
QString displayText(const QString &text) { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
}  // namespace

TransferWaitWindow::TransferWaitWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMessages"));
    setWindowTitle(QStringLiteral("Read/write instructions"));
    setModal(false);
    // The transfer keeps the program running; closing this window is the same as
    // clicking the message.
    ApplyUserInterfaceFont(this);

    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("frmClone"));
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_bar = new QProgressBar(m_frame);
    m_bar->setObjectName(QStringLiteral("pbarClone"));
    m_bar->setRange(0, 504);
    m_bar->setValue(0);

    QFont messageFont = UserInterfaceFont();
    messageFont.setPointSize(10);
    m_read = new ClickableLabel(displayText(readMessage()), m_frame);
    m_read->setObjectName(QStringLiteral("lblWaiting"));
    m_write = new ClickableLabel(displayText(writeMessage()), m_frame);
    m_write->setObjectName(QStringLiteral("lblWaitForWrite"));
    for (ClickableLabel *l : {m_read, m_write}) {
        l->setFont(messageFont);
        l->setAlignment(Qt::AlignCenter);
        l->setCursor(Qt::PointingHandCursor);
        l->setWordWrap(true);
        l->hide();
    }
    connect(m_read, &ClickableLabel::clicked, this, &TransferWaitWindow::readCancelClicked);
    connect(m_write, &ClickableLabel::clicked, this, &TransferWaitWindow::writeCancelClicked);

    auto *frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_bar);
    frameLayout->addWidget(m_read);
    frameLayout->addWidget(m_write);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    resize(TwipsX(this, 5200), TwipsY(this, 2400));
}

void TransferWaitWindow::showFor(TransferKind kind)
{
    m_bar->setRange(0, 504);
    m_bar->setValue(0);
    m_read->setVisible(kind == TransferKind::Read);
    m_write->setVisible(kind == TransferKind::Write);
    m_frame->show();
    show();
    raise();
}

void TransferWaitWindow::hideAll()
{
    m_read->hide();
    m_write->hide();
    m_frame->hide();
    m_bar->setValue(0);
    hide();
}

void TransferWaitWindow::setProgress(int value, int maximum)
{
    if (maximum > 0 && m_bar->maximum() != maximum)
        m_bar->setMaximum(maximum);
    m_bar->setValue(std::clamp(value, m_bar->minimum(), m_bar->maximum()));
}

void TransferWaitWindow::reject()
{
    // Esc: the same as closing the window.
    if (m_read->isVisible())
        emit readCancelClicked();
    if (m_write->isVisible())
        emit writeCancelClicked();
    QDialog::reject();
}

void TransferWaitWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window while a transfer runs asks for the same cancel as a click
    // on the message; otherwise the window could not be brought back.
    if (m_read->isVisible())
        emit readCancelClicked();
    if (m_write->isVisible())
        emit writeCancelClicked();
    QDialog::closeEvent(event);
}

}  // namespace mv
