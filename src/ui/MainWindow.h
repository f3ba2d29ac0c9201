#pragma once
// The main window: the memory and PMS views on their tabs, the five main
// buttons, the menus, the status bar. It builds the program's Session (state,
// settings, message log, CAT link and radio transfer, editing commands, undo)
// with its own boxes and itself as the MainView the logic calls, forwards the
// user's commands to it and shows its state.
#include "core/AppState.h"
#include "editing/CommandStates.h"
#include "rules/RepeaterRules.h"
#include "shell/WindowLayout.h"
#include "ui/ImportExportDialog.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;

namespace mv {

class CatLink;
class CellDelegate;
class Dialogs;
class EditingCommands;
class MessagesWindow;
class HelpViewer;
class MemoryGridView;
class MemoryPrinter;
class MemoryViewModel;
class MessageLog;
class QtDialogs;
class RadioTransfer;
class RadioWorker;
class SerialPortFactory;
class Session;
class SettingsStore;
class TransferWaitWindow;
class UndoSnapshot;

struct MainWindowOptions {
    // Settings folder; empty: $MEMVAULT_CONFIG_DIR or the user's config folder.
    QString settingsFolder;
    // Boxes and file choosers; null: Qt dialogs. Not owned.
    Dialogs *dialogs = nullptr;
    // Serial ports; null: the real serial ports. Not owned.
    SerialPortFactory *serialFactory = nullptr;
    // The memory file named on the command line (quoted or not); empty: none.
    QString commandLinePath;
    // A device that replaces the port-number mapping for this run (--device).
    QString deviceOverride;
};

class MainWindow : public QMainWindow, public MainView, public RowPicker {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowOptions &options = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Whether a radio transfer is running on its worker thread.
    bool transferRunning() const;

    // The rest of the start-up once the window exists: the first-run window, the
    // data-folder chooser, the choice of the file to open, showing the window and
    // the 100 ms timer that loads the file.
    void startUp();

    // The program's state and services.
    Session &session() { return *m_session; }
    MemoryGridView *memoryView() const { return m_memoryView; }
    MemoryGridView *pmsView() const { return m_pmsView; }
    MemoryViewModel *memoryModel() const { return m_memoryModel; }
    MemoryViewModel *pmsModel() const { return m_pmsModel; }
    MessagesWindow *messagesWindow() const { return m_errorList; }
    ImportExportDialog *importExportWindow() const { return m_importExport; }
    MemoryPrinter *printer() const { return m_printer; }
    TransferWaitWindow *transferWindow() const { return m_transferWindow; }
    QTimer *startupTimer() const { return m_startupTimer; }

    // Row picking for "Export only selected mems": every click toggles a row, the
    // context menu and the "&Memories" menu are off.
    void setRowPickingMode(bool on) override;
    QList<int> pickedRows() const override;

    // Enables the "&Import/Export" button again when its window closes.
    void importExportClosed();

    // Grid size and column widths.
    void chooseGridSize(const QString &name);
    void setColumnWidths();
    void saveSizeAndPosition();
    void forceWindowsOntoPrimaryDesktop();
    void showHelp();
    void chooseHomeFolder();

    // MainView
    void SetMainButtonsEnabled(bool on) override;
    void RestoreMainButtons() override;
    void RefreshChangedState() override;
    void ShowMemoriesTab() override;
    void SetStatusPanel(int panel, const QString &text) override;
    void ApplyHideEmpty() override;
    void ApplyBanding() override;
    void SelectCell(int row, int column) override;
    void TableCleared() override;
    void SetDescriptionWidth(int twips) override;
    int DescriptionWidth() const override;
    void CommandsChanged() override;
    void ShowTransferWindow(TransferKind kind) override;
    void HideTransferWindow() override;
    void SetTransferProgress(int value, int maximum) override;
    int CurrentRow() const override;
    int CurrentColumn() const override;
    void SelectBlock(int firstRow, int lastRow, int firstCol, int lastCol) override;
    void FocusMemoryView() override;
    void SetClipboardText(const QString &text) override;
    QString ClipboardText() const override;
    bool IsColumnHidden(int column) const override;

signals:
    // A radio transfer has ended and the window shows its outcome.
    void transferFinished();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWidgets();
    void buildMenus();
    QAction *addItem(QMenu *menu, const QString &objectName, const QString &caption, const QKeySequence &shortcut = {});
    void readSettingsAtStart();
    void restoreWindowPlacement();
    void setUpViews();
    void setComMenus();
    void setSpeedMenus();
    void updateComCaptions();

    void onMemorySelectionChanged();
    void onTabChanged(int index);
    void onMemoryContextMenu(const QPoint &pos);
    void onPmsContextMenu(const QPoint &pos);
    void onStartupTimer();
    void onStatusBarClicked();
    void readRadio();
    void writeRadio();
    // One transfer at a time, on the radio's worker thread; a close asked for
    // meanwhile waits for its end.
    void runTransfer(void (RadioTransfer::*flow)());
    void onTransferFinished();
    void openImportExport();
    void openRepeaterRules();
    void openComPortIdentifier();
    void showAbout();
    // Enables the commands and sets the captions that follow state, all in one place.
    void applyCommandStates();
    void applyGridFont();

    // The boxes the window shows (Qt's, or the ones it was given), and the
    // session built over them; the rest are the session's services.
    std::unique_ptr<QtDialogs> m_qtDialogs;
    Dialogs *m_dialogs = nullptr;
    std::unique_ptr<Session> m_session;
    AppState &m_state;
    AppContext *m_ctx = nullptr;
    SettingsStore *m_settings = nullptr;
    MessageLog *m_log = nullptr;
    SerialPortFactory *m_factory = nullptr;
    CatLink *m_link = nullptr;
    RadioTransfer *m_transfer = nullptr;
    RadioWorker *m_worker = nullptr;
    UndoSnapshot *m_undo = nullptr;
    // The session's repeater rules.
    RepeaterRuleSet &m_rules;
    EditingCommands *m_commands = nullptr;
    QString m_commandLinePath;

    // Widgets
    QTabWidget *m_tabs = nullptr;
    MemoryGridView *m_memoryView = nullptr;
    MemoryGridView *m_pmsView = nullptr;
    MemoryViewModel *m_memoryModel = nullptr;
    MemoryViewModel *m_pmsModel = nullptr;
    QPushButton *m_cmdReadFile = nullptr;
    QPushButton *m_cmdRead = nullptr;
    QPushButton *m_cmdWriteFile = nullptr;
    QPushButton *m_cmdWriteRig = nullptr;
    QPushButton *m_cmdImportExport = nullptr;
    std::array<QLabel *, 4> m_panels{};
    MessagesWindow *m_errorList = nullptr;
    TransferWaitWindow *m_transferWindow = nullptr;
    QPointer<HelpViewer> m_help;
    QPointer<ImportExportDialog> m_importExport;
    CellDelegate *m_memoryDelegate = nullptr;
    CellDelegate *m_pmsDelegate = nullptr;
    MemoryPrinter *m_printer = nullptr;
    QTimer *m_startupTimer = nullptr;

    // Menus and items
    QMenu *m_mnuFile = nullptr;
    QMenu *m_mnuMemories = nullptr;
    QMenu *m_mnuPms = nullptr;
    QMenu *m_mnuSettings = nullptr;
    QAction *m_mnuOpen = nullptr, *m_mnuSave = nullptr, *m_mnuSaveAs = nullptr;
    QAction *m_mnuUndo = nullptr, *m_mnuCopy = nullptr, *m_mnuCut = nullptr, *m_mnuPaste = nullptr;
    QAction *m_mnuInsertAbove = nullptr, *m_mnuDelete = nullptr, *m_mnuRemove = nullptr;
    QAction *m_mnuMoveUp = nullptr, *m_mnuMoveDown = nullptr, *m_mnuFillDown = nullptr;
    QAction *m_mnuCompact = nullptr, *m_mnuSortFreq = nullptr, *m_mnuSortDescription = nullptr;
    QAction *m_mnuDuplicates = nullptr, *m_mnuFind = nullptr, *m_mnuFindNext = nullptr;
    QAction *m_mnuHideEmpty = nullptr;
    QAction *m_mnuDeletePmsPair = nullptr;
    std::array<QAction *, 16> m_mnuCom{};
    std::array<QAction *, 4> m_mnuSpeed{};
    QAction *m_mnuLog = nullptr, *m_mnuDisableRts = nullptr, *m_mnuBandPlan = nullptr;
    QAction *m_mnuRestoreCatRate = nullptr, *m_mnuCompareRadio = nullptr;
    QAction *m_mnuGridNormal = nullptr, *m_mnuGridLarger = nullptr, *m_mnuGridLargest = nullptr;
    QAction *m_mnuAutosize = nullptr, *m_mnuUserWidths = nullptr;

    // View state that is the window's own
    QString m_gridSize = QStringLiteral("Normal");
    bool m_rowPicking = false;
    // A load, save or transfer holds the main buttons.
    bool m_busy = false;
    bool m_closeAfterTransfer = false;
    bool m_closing = false;
    int m_savedWindowState = 0;
};

}  // namespace mv
