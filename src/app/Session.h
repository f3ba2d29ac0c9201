#pragma once
// One run of the program, for either front end: the settings, the message log,
// the memory table with its state, the undo snapshot and the editing commands,
// the CAT link and the radio transfer with its worker thread. The main window
// and memvault-cli each build one and plug in their boxes and their MainView.
#include "core/AppState.h"
#include "editing/CommandStates.h"
#include "rules/RepeaterRules.h"

#include <QString>
#include <memory>

namespace mv {

class CatLink;
class Dialogs;
class EditingCommands;
class FrontEndDialogs;
class FrontEndThread;
class MessageLog;
class RadioTransfer;
class RadioWorker;
class SerialPortFactory;
class SettingsStore;
class UndoSnapshot;

struct SessionOptions {
    // Settings folder; empty: $MEMVAULT_CONFIG_DIR or the user's config folder.
    QString settingsFolder;
    // Serial ports; null: the real serial ports. Not owned.
    SerialPortFactory *serialFactory = nullptr;
    // A device that replaces the port-number mapping for this run (--device).
    QString deviceOverride;
    // A settings file that cannot be read or saved is said in the message log.
    bool logSettingsProblems = false;
};

class Session {
public:
    // `dialogs` and `view` are the front end's and must outlive the session; the
    // view is not called while the session is being built.
    Session(const SessionOptions &options, Dialogs &dialogs, MainView &view);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    AppState &state() { return m_state; }
    const AppState &state() const { return m_state; }
    AppContext &context() { return *m_ctx; }
    SettingsStore &settings() { return *m_settings; }
    MessageLog &log() { return *m_log; }
    // The front end's boxes as the logic asks them, from any thread.
    Dialogs &dialogs();
    SerialPortFactory &serialFactory() { return *m_factory; }
    CatLink &link() { return *m_link; }
    RadioTransfer &transfer() { return *m_transfer; }
    UndoSnapshot &undo() { return *m_undo; }
    EditingCommands &commands() { return *m_commands; }
    // The repeater rules of this run: cell edits, the CSV import and the CHIRP
    // export read them; the front end loads them (at start-up, after the rules
    // window's OK).
    RepeaterRuleSet &rules() { return m_rules; }
    // The thread radio transfers run on, started on first use; a front end that
    // runs its transfers in line never starts it.
    RadioWorker &worker();
    bool transferRunning() const;
    // The front end is going away: a running transfer is stopped (and waited
    // for), settings problems are no longer reported, the port is closed.
    void shutDown();

    // The commands that can be chosen now, and the captions that follow state.
    CommandStates commandStates(const CommandInputs &inputs) const;

private:
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<MessageLog> m_log;
    std::unique_ptr<FrontEndThread> m_frontEnd;
    std::unique_ptr<FrontEndDialogs> m_dialogs;
    AppState m_state;
    std::unique_ptr<AppContext> m_ctx;
    std::unique_ptr<SerialPortFactory> m_ownedFactory;
    SerialPortFactory *m_factory = nullptr;
    std::unique_ptr<CatLink> m_link;
    std::unique_ptr<RadioTransfer> m_transfer;
    std::unique_ptr<RadioWorker> m_worker;
    std::unique_ptr<UndoSnapshot> m_undo;
    RepeaterRuleSet m_rules;
    std::unique_ptr<EditingCommands> m_commands;
};

}  // namespace mv
