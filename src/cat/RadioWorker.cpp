#include "cat/RadioWorker.h"

#include "cat/RadioTransfer.h"

namespace mv {

RadioWorker::RadioWorker(RadioTransfer &transfer, QObject *parent)
    : QObject(parent)
    , m_transfer(transfer)
{
    m_thread.setObjectName(QStringLiteral("radio"));
    // One thread for the window's whole life: the serial port object is made on
    // it by the first transfer and must be used on the same thread after.
    m_inThread = new QObject;
    m_inThread->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_inThread, &QObject::deleteLater);
    m_thread.start();
}

RadioWorker::~RadioWorker()
{
    if (m_running) {
        requestCancel();
        m_transfer.shutFrontEnd();
    }
    m_thread.quit();
    m_thread.wait();
}

bool RadioWorker::start(void (RadioTransfer::*flow)())
{
    if (m_running)
        return false;
    m_running = true;
    QMetaObject::invokeMethod(
        m_inThread,
        [this, flow] {
            (m_transfer.*flow)();
            // Queued behind everything the flow handed the front end.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_running = false;
                    emit finished();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    return true;
}

void RadioWorker::requestCancel()
{
    m_transfer.ReadCancelRequested = true;
    m_transfer.WriteCancelRequested = true;
}

} // namespace mv
