#pragma once
// The program-wide state that the Session (src/session) owns for the whole run,
// the hooks the logic calls on the main window, and the bundle of services every
// operation is handed. Tests and the command line plug in their own MainView.
#include "core/MemoryTable.h"

#include <QString>

namespace mv {

class Dialogs;
class MessageLog;
class SettingsStore;

// Where the memories in the table came from; it decides the table's colours.
enum class DataSource { Nothing, Radio, File };

struct SelectionBlock {
    int firstRow = 1;
    int lastRow = 1;
    int firstCol = 1;
    int lastCol = 1;
};

struct AppState {
    MemoryTable table;

    mv::DataSource DataSource = mv::DataSource::Nothing;
    bool MemoriesChanged = false;
    SelectionBlock selection;
    bool ClipboardHasMemories = false;
    bool UndoInProgress = false;
    bool FormLoading = false;
    bool HideEmptyMemories = false;
    bool RadioReadComplete = false;
    bool FileLoadComplete = false;

    // Memory files
    QString CurrentFilePath;
    QString AutoOpenPath;
    QString HomeDir;
    bool ConfirmReplace = false;
    bool SaveCompleted = false;
    int DescriptionWidthTwips = 3450;  // width of the description column

    // Clipboard block (first row 0: nothing copied yet)
    int CopiedFirst = 0;
    int CopiedLast = 0;
    bool CutPending = false;
};

enum class TransferKind { Read, Write };

// What the logic asks of the main window. Every hook defaults to doing nothing.
class MainView {
public:
    virtual ~MainView() = default;
    virtual void SetMainButtonsEnabled(bool) { }
    virtual void RestoreMainButtons() { }
    virtual void RefreshChangedState() { }
    virtual void ShowMemoriesTab() { }
    virtual void SetStatusPanel(int /*panel 1..4*/, const QString &) { }
    virtual void ApplyHideEmpty() { }
    virtual void ApplyBanding() { }
    // Make (row, column) of the memory view the current, selected cell and scroll to it.
    virtual void SelectCell(int /*row*/, int /*column*/) { }
    // The views' part of ClearAllMemories: background back to the button face,
    // radio-type label and status panel 1 blank, every memory row shown.
    virtual void TableCleared() { }
    virtual void SetDescriptionWidth(int /*twips*/) { }
    virtual int DescriptionWidth() const { return 3450; }
    // State the commands on offer follow has changed (the clipboard block, the undo
    // snapshot, the hide switch): the window works out its items again from
    // AppState (commandStates).
    virtual void CommandsChanged() { }
    // The transfer wait window.
    virtual void ShowTransferWindow(TransferKind) { }
    virtual void HideTransferWindow() { }
    virtual void SetTransferProgress(int /*value*/, int /*maximum*/) { }

    // The memory view's current cell (row 0 is the header) and block selection.
    virtual int CurrentRow() const { return 1; }
    virtual int CurrentColumn() const { return 1; }
    virtual void SelectBlock(int /*firstRow*/, int /*lastRow*/, int /*firstCol*/, int /*lastCol*/) { }
    virtual void FocusMemoryView() { }
    // System clipboard (plain text).
    virtual void SetClipboardText(const QString &) { }
    virtual QString ClipboardText() const { return {}; }
    // Whether a column of the memory view is hidden (find skips hidden columns).
    virtual bool IsColumnHidden(int /*column*/) const { return false; }
};

struct AppContext {
    AppState &state;
    SettingsStore &settings;
    MessageLog &log;
    Dialogs &dialogs;
    MainView &view;
};

}  // namespace mv
