#include "cat/RadioWorker.h"

#include "cat/RadioTransfer.h"

namespace mv {

void FlowRunner::run()
{
    (m_transfer.*flow)();
    emit flowEnded();
}

RadioWorker::RadioWorker(RadioTransfer &transfer, QObject *parent)
    : QObject(parent)
    , m_transfer(transfer)
{
    m_thread.setObjectName(QStringLiteral("radio"));
    // One thread for the window's whole life: the serial port object is made on
    // it by the first transfer and must be used on the same thread after.
    m_runner = new FlowRunner(transfer);
    m_runner->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_runner, &QObject::deleteLater);
    connect(this, &RadioWorker::runRequested, m_runner, &FlowRunner::run, Qt::QueuedConnection);
    // Queued behind everything the flow handed the front end.
    connect(m_runner, &FlowRunner::flowEnded, this, &RadioWorker::onFlowEnded, Qt::QueuedConnection);
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
    // Read by the worker only after the queued signal below has reached it.
    m_runner->flow = flow;
    emit runRequested();
    return true;
}

void RadioWorker::onFlowEnded()
{
    m_running = false;
    emit finished();
}

void RadioWorker::requestCancel()
{
    m_transfer.ReadCancelRequested = true;
    m_transfer.WriteCancelRequested = true;
}

}  // namespace mv
