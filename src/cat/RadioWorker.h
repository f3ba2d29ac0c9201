#pragma once
// The thread the window's radio transfers run on. One flow at a time; the
// window's thread only starts it, shows what the flow hands it and answers its
// questions, so it never waits for the radio.
#include <QObject>
#include <QThread>

namespace mv {

class RadioTransfer;

// The worker thread's end: runs one flow when told to.
class FlowRunner : public QObject {
    Q_OBJECT
public:
    explicit FlowRunner(RadioTransfer &transfer)
        : m_transfer(transfer)
    {
    }
    void (RadioTransfer::*flow)() = nullptr;

public slots:
    void run();

signals:
    void flowEnded();

private:
    RadioTransfer &m_transfer;
};

class RadioWorker : public QObject {
    Q_OBJECT
public:
    // `transfer` must have been made with the front end of the calling thread.
    explicit RadioWorker(RadioTransfer &transfer, QObject *parent = nullptr);
    // A flow still running is asked to stop after the memory in hand, its
    // questions are answered Cancel, and the thread is waited for.
    ~RadioWorker() override;

    // Starts `flow` (ReadRadio, WriteRadio, CompareWithRadio) on the worker
    // thread. False, and nothing started, while a flow runs.
    bool start(void (RadioTransfer::*flow)());
    bool isRunning() const { return m_running; }
    // Asks the running flow to stop after the memory in hand.
    void requestCancel();

signals:
    // Queued to the runner on the worker thread.
    void runRequested();
    // The flow has returned and everything it handed the front end has been
    // shown. Emitted on the thread that owns the worker.
    void finished();

private:
    void onFlowEnded();

    RadioTransfer &m_transfer;
    QThread m_thread;
    FlowRunner *m_runner = nullptr;  // lives on m_thread: flows are queued to it
    bool m_running = false;
};

}  // namespace mv
