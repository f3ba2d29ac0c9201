#include "app/Session.h"

#include "cat/CatLink.h"
#include "cat/RadioTransfer.h"
#include "cat/RadioWorker.h"
#include "cat/SerialPort.h"
#include "editing/EditingCommands.h"
#include "editing/UndoSnapshot.h"
#include "shell/FrontEnd.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"

namespace mv {

namespace {

// Hands out the one factory the session was given without giving it away.
class BorrowedFactory : public SerialPortFactory {
public:
    explicit BorrowedFactory(SerialPortFactory &f)
        : m_f(f)
    {
    }
    std::unique_ptr<SerialPort> create() override { return m_f.create(); }

private:
    SerialPortFactory &m_f;
};

}  // namespace

Session::Session(const SessionOptions &options, Dialogs &dialogs, MainView &view)
    : m_settings(std::make_unique<SettingsStore>(options.settingsFolder))
    , m_log(std::make_unique<MessageLog>())
    // The logic asks its boxes through the front end: from the radio's worker
    // thread they are shown on the front end's thread.
    , m_frontEnd(std::make_unique<FrontEndThread>())
    , m_dialogs(std::make_unique<FrontEndDialogs>(dialogs, *m_frontEnd))
{
    m_ctx = std::make_unique<AppContext>(AppContext{m_state, *m_settings, *m_log, *m_dialogs, view});
    if (options.logSettingsProblems)
        m_settings->setProblemHandler([log = m_log.get()](const QString &text) { log->LogMessage(text); });
    if (options.serialFactory) {
        m_factory = options.serialFactory;
    } else {
        m_ownedFactory = makeQtSerialPortFactory();
        m_factory = m_ownedFactory.get();
    }
    m_link = std::make_unique<CatLink>(*m_settings, *m_log, *m_dialogs, std::make_unique<BorrowedFactory>(*m_factory));
    m_link->setDeviceOverride(options.deviceOverride);
    m_transfer = std::make_unique<RadioTransfer>(*m_ctx, *m_link, m_frontEnd.get());
    m_undo = std::make_unique<UndoSnapshot>();
    m_commands = std::make_unique<EditingCommands>(*m_ctx, *m_undo, m_rules);
}

Session::~Session() { shutDown(); }

void Session::shutDown()
{
    // Nothing goes away under a running transfer: it is stopped first.
    m_worker.reset();
    m_settings->setProblemHandler(nullptr);
    m_link->CloseCommPort();
}

Dialogs &Session::dialogs() { return *m_dialogs; }

RadioWorker &Session::worker()
{
    if (!m_worker)
        m_worker = std::make_unique<RadioWorker>(*m_transfer);
    return *m_worker;
}

bool Session::transferRunning() const { return m_worker && m_worker->isRunning(); }

CommandStates Session::commandStates(const CommandInputs &inputs) const
{
    return mv::commandStates(m_state, *m_undo, inputs);
}

}  // namespace mv
