#include "ui/MainWindow.h"

#include "Version.h"
#include "app/Session.h"
#include "cat/CatLink.h"
#include "cat/PortMap.h"
#include "cat/RadioTransfer.h"
#include "cat/RadioWorker.h"
#include "cat/SerialPort.h"
#include "core/MemoryDocument.h"
#include "core/NumberText.h"
#include "editing/EditingCommands.h"
#include "editing/UndoSnapshot.h"
#include "rules/RepeaterRules.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"
#include "ui/AboutWindow.h"
#include "ui/CellDelegates.h"
#include "ui/ComPortIdentifierDialog.h"
#include "ui/DesktopLinks.h"
#include "ui/FirstTimeUseWindow.h"
#include "ui/HelpViewer.h"
#include "ui/MemoryGridView.h"
#include "ui/MemoryPrinter.h"
#include "ui/MemoryViewModel.h"
#include "ui/MessagesWindow.h"
#include "ui/QtDialogs.h"
#include "ui/RepeaterRulesDialog.h"
#include "ui/TransferWaitWindow.h"
#include "ui/UiMetrics.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

static void initAppIcon() { Q_INIT_RESOURCE(appicon); }

namespace mv {

namespace {

constexpr int kDesignWidthTwips = 11700;
constexpr int kDesignHeightTwips = 7410;
constexpr int kSpeeds[4] = {4800, 9600, 19200, 38400};
const char *const kNothingLoaded = " Nothing loaded. Read the radio or a file from disk.";
const char *const kFolderChooserTitle = "Choose a folder to use for storing memory and .CSV files";

QRect availableScreens()
{
    QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->virtualGeometry() : QRect(0, 0, 1920, 1080);
}

// A right click on cell i of a view: with no block selected the clicked cell
// becomes the current one, then the menu opens under the pointer.
void popUpCellMenu(QTableView *view, QMenu *menu, const QModelIndex &i, const QPoint &pos)
{
    const QItemSelection sel = view->selectionModel()->selection();
    const bool single = sel.isEmpty() || (sel.size() == 1 && sel.first().width() == 1 && sel.first().height() == 1);
    if (single)
        view->setCurrentIndex(i);
    menu->popup(view->viewport()->mapToGlobal(pos));
}

SessionOptions sessionOptions(const MainWindowOptions &options)
{
    SessionOptions s;
    s.settingsFolder = options.settingsFolder;
    s.serialFactory = options.serialFactory;
    s.deviceOverride = options.deviceOverride;
    // A settings file that cannot be read or saved is said in the messages window.
    s.logSettingsProblems = true;
    return s;
}

}  // namespace

MainWindow::MainWindow(const MainWindowOptions &options, QWidget *parent)
    : QMainWindow(parent)
    , m_qtDialogs(std::make_unique<QtDialogs>(this))
    , m_dialogs(options.dialogs ? options.dialogs : m_qtDialogs.get())
    , m_session(std::make_unique<Session>(sessionOptions(options), *m_dialogs, *this))
    , m_state(m_session->state())
    , m_ctx(&m_session->context())
    , m_settings(&m_session->settings())
    , m_log(&m_session->log())
    , m_factory(&m_session->serialFactory())
    , m_link(&m_session->link())
    , m_transfer(&m_session->transfer())
    , m_worker(&m_session->worker())
    , m_undo(&m_session->undo())
    , m_rules(m_session->rules())
    , m_commands(&m_session->commands())
    , m_commandLinePath(options.commandLinePath)
{
    initAppIcon();
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/memvault.svg")));

    connect(m_worker, &RadioWorker::finished, this, &MainWindow::onTransferFinished);
    m_undo->createFile();

    buildWidgets();
    buildMenus();

    // Start-up, in order. 3: shared values, separators, stored choices.
    readSettingsAtStart();
    // 4: window placement.
    restoreWindowPlacement();
    // 5: caption, tabs, font, status.
    setWindowTitle(MainWindowCaption());
    m_tabs->setTabEnabled(1, false);
    ApplyUserInterfaceFont(this);
    SetStatusPanel(1, QString::fromLatin1(kNothingLoaded));
    RefreshChangedState();
    // 6: views.
    setUpViews();
    // 7: grid font size, header heights and column widths; banding.
    chooseGridSize(m_gridSize);
    ApplyBanding();
    // 8: speed menus.
    setSpeedMenus();
}

MainWindow::~MainWindow()
{
    // Nothing goes away under a running transfer: it is stopped first.
    m_session->shutDown();
    m_worker = nullptr;
    // The windows that listen to the log go before it.
    delete m_errorList;
    m_errorList = nullptr;
    delete m_help.data();
}

// ---------------------------------------------------------------------------
// Widgets and menus

void MainWindow::buildWidgets()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);

    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_memoryModel = new MemoryViewModel(m_state, MemoryTableModel::Kind::Memories, this);
    m_pmsModel = new MemoryViewModel(m_state, MemoryTableModel::Kind::Pms, this);
    m_memoryView = new MemoryGridView(MemoryGridView::Kind::Memories);
    m_memoryView->setModel(m_memoryModel);
    m_pmsView = new MemoryGridView(MemoryGridView::Kind::Pms);
    m_pmsView->setModel(m_pmsModel);
    m_tabs->addTab(m_memoryView, QStringLiteral("Memories"));
    m_tabs->addTab(m_pmsView, QStringLiteral("PMS"));
    m_tabs->widget(0)->setProperty("tabName", QStringLiteral("Memories"));
    layout->addWidget(m_tabs, 1);

    auto *buttons = new QHBoxLayout;
    auto makeButton = [&](const char *name, const QString &caption, const QString &tip) {
        auto *b = new QPushButton(caption, central);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_cmdReadFile = makeButton("cmdReadFile", QStringLiteral("Read &Disk File"),
                               QStringLiteral("Read memories from a file on disk"));
    m_cmdRead
        = makeButton("cmdRead", QStringLiteral("&Read Radio"), QStringLiteral("Read the radio into the computer"));
    m_cmdWriteFile = makeButton("cmdWriteFile", QStringLiteral("&Write Disk File"),
                                QStringLiteral("Write the memories shown to a file on disk"));
    m_cmdWriteRig = makeButton("cmdWriteRig", QStringLiteral("Write R&adio"),
                               QStringLiteral("Write the currently shown memory to the radio"));
    m_cmdImportExport = makeButton("cmdImportExport", QStringLiteral("&Import/Export"),
                                   QStringLiteral("Import memories from or export them to a CSV file"));
    layout->addLayout(buttons);
    setCentralWidget(central);

    connect(m_cmdReadFile, &QPushButton::clicked, this, [this] { LoadMemoryFile(*m_ctx); });
    connect(m_cmdRead, &QPushButton::clicked, this, &MainWindow::readRadio);
    connect(m_cmdWriteFile, &QPushButton::clicked, this, [this] { SaveMemoryFile(*m_ctx); });
    connect(m_cmdWriteRig, &QPushButton::clicked, this, &MainWindow::writeRadio);
    connect(m_cmdImportExport, &QPushButton::clicked, this, &MainWindow::openImportExport);

    // Status bar: source, changed state, first and last selected row.
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 4; ++i) {
        auto *l = new QLabel(bar);
        l->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i + 1));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->installEventFilter(this);
        m_panels[size_t(i)] = l;
    }
    bar->addWidget(m_panels[0], 1);
    bar->addWidget(m_panels[1]);
    bar->addWidget(m_panels[2]);
    bar->addWidget(m_panels[3]);
    m_panels[1]->setMinimumWidth(TwipsX(this, 1800));
    m_panels[2]->setMinimumWidth(TwipsX(this, 700));
    m_panels[3]->setMinimumWidth(TwipsX(this, 700));
    bar->installEventFilter(this);

    m_errorList = new MessagesWindow(*m_log, *m_settings, nullptr);
    m_transferWindow = new TransferWaitWindow(this);
    connect(m_transferWindow, &TransferWaitWindow::readCancelClicked, this,
            [this] { m_transfer->ReadCancelRequested = true; });
    connect(m_transferWindow, &TransferWaitWindow::writeCancelClicked, this,
            [this] { m_transfer->WriteCancelRequested = true; });

    m_printer = new MemoryPrinter(m_state, *m_settings, *m_dialogs, this);

    m_startupTimer = new QTimer(this);
    m_startupTimer->setObjectName(QStringLiteral("tmrStartup"));
    m_startupTimer->setSingleShot(true);
    m_startupTimer->setInterval(100);
    connect(m_startupTimer, &QTimer::timeout, this, &MainWindow::onStartupTimer);

    // Views: edits, drags, keys, selection, pop-ups.
    m_memoryModel->setMoveHandler([this](int from, int to) { m_commands->DragMove(from, to); });
    m_memoryDelegate = new CellDelegate(*m_commands, CellDelegate::ViewKind::Memories, this);
    m_pmsDelegate = new CellDelegate(*m_commands, CellDelegate::ViewKind::Pms, this);
    m_memoryView->setItemDelegate(m_memoryDelegate);
    m_pmsView->setItemDelegate(m_pmsDelegate);
    connect(m_memoryView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::onMemorySelectionChanged);
    connect(m_memoryView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::onMemorySelectionChanged);
    connect(m_memoryView, &MemoryGridView::pasteIntoCellRequested, this, [this] {
        const int row = CurrentRow();
        const int column = CurrentColumn();
        if (!m_memoryModel->isCellEditable(row, column))
            return;
        SelectCell(row, column);
        m_commands->PasteIntoCell(row, column);
    });
    connect(m_pmsView, &MemoryGridView::deletePmsPairRequested, this, [this] {
        const QModelIndex i = m_pmsView->currentIndex();
        m_commands->DeletePmsMemoryPair(i.isValid() ? i.row() + 1 : 0);
    });
    connect(m_memoryView, &QWidget::customContextMenuRequested, this, &MainWindow::onMemoryContextMenu);
    connect(m_pmsView, &QWidget::customContextMenuRequested, this, &MainWindow::onPmsContextMenu);
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::onTabChanged);
}

QAction *MainWindow::addItem(QMenu *menu, const QString &objectName, const QString &caption,
                             const QKeySequence &shortcut)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(objectName);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    return a;
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    // &File
    m_mnuFile = bar->addMenu(QStringLiteral("&File"));
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_mnuOpen
        = addItem(m_mnuFile, QStringLiteral("mnuOpen"), QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    m_mnuSave
        = addItem(m_mnuFile, QStringLiteral("mnuSave"), QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m_mnuSaveAs = addItem(m_mnuFile, QStringLiteral("mnuSaveAs"), QStringLiteral("Save &As"));
    m_mnuFile->addSeparator();
    m_mnuCompareRadio = addItem(m_mnuFile, QStringLiteral("mnuCompareRadio"), QStringLiteral("&Compare with Radio..."));
    connect(m_mnuCompareRadio, &QAction::triggered, this, [this] { runTransfer(&RadioTransfer::CompareWithRadio); });
    m_mnuFile->addSeparator();
    QAction *printOptions
        = addItem(m_mnuFile, QStringLiteral("mnuPrintOptions"), QStringLiteral("Select &Print options..."));
    QAction *print
        = addItem(m_mnuFile, QStringLiteral("mnuPrint"), QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction *pdf = addItem(m_mnuFile, QStringLiteral("mnuExportPdf"), QStringLiteral("&Export to PDF..."));
    m_mnuFile->addSeparator();
    QAction *exitItem = addItem(m_mnuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
    connect(m_mnuOpen, &QAction::triggered, this, [this] { LoadMemoryFile(*m_ctx); });
    connect(m_mnuSave, &QAction::triggered, this, [this] { SaveMemoryFileCommand(*m_ctx); });
    connect(m_mnuSaveAs, &QAction::triggered, this, [this] { SaveMemoryFileAsCommand(*m_ctx); });
    connect(printOptions, &QAction::triggered, this, [this] { m_printer->showOptions(); });
    connect(print, &QAction::triggered, this, [this] { m_printer->print(); });
    connect(pdf, &QAction::triggered, this, [this] { m_printer->exportPdf(); });
    connect(exitItem, &QAction::triggered, this, &QWidget::close);

    // &Memories (also the memory view's pop-up)
    m_mnuMemories = bar->addMenu(QStringLiteral("&Memories"));
    m_mnuMemories->setObjectName(QStringLiteral("mnuMemories"));
    m_mnuUndo = addItem(m_mnuMemories, QStringLiteral("mnuUndo"), QStringLiteral("&Undo"),
                        QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_mnuMemories->addSeparator();
    m_mnuCopy = addItem(m_mnuMemories, QStringLiteral("mnuCopy"), QStringLiteral("&Copy (and memories)"),
                        QKeySequence(Qt::CTRL | Qt::Key_C));
    m_mnuCut = addItem(m_mnuMemories, QStringLiteral("mnuCut"), QStringLiteral("Cu&t memories"),
                       QKeySequence(Qt::CTRL | Qt::Key_X));
    m_mnuPaste = addItem(m_mnuMemories, QStringLiteral("mnuPaste"), QStringLiteral("&Paste memories"),
                         QKeySequence(Qt::CTRL | Qt::Key_V));
    m_mnuMemories->addSeparator();
    m_mnuInsertAbove = addItem(m_mnuMemories, QStringLiteral("mnuInsertAbove"), QStringLiteral("Insert memory &Above"),
                               QKeySequence(Qt::CTRL | Qt::Key_I));
    m_mnuDelete = addItem(m_mnuMemories, QStringLiteral("mnuDelete"), QStringLiteral("&Delete memory"),
                          QKeySequence(Qt::Key_Delete));
    m_mnuRemove = addItem(m_mnuMemories, QStringLiteral("mnuRemove"), QStringLiteral("&Remove memory"),
                          QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    m_mnuMoveUp = addItem(m_mnuMemories, QStringLiteral("mnuMoveUp"), QStringLiteral("Move selected memories Up"),
                          QKeySequence(Qt::Key_F11));
    m_mnuMoveDown = addItem(m_mnuMemories, QStringLiteral("mnuMoveDown"), QStringLiteral("Move selected memories Down"),
                            QKeySequence(Qt::Key_F12));
    m_mnuFillDown = addItem(m_mnuMemories, QStringLiteral("mnuFillDown"), QStringLiteral("Fill selection &Downwards"),
                            QKeySequence(Qt::CTRL | Qt::Key_D));
    m_mnuCompact = addItem(m_mnuMemories, QStringLiteral("mnuCompact"), QStringLiteral("Compact empty memories"));
    m_mnuMemories->addSeparator();
    m_mnuSortFreq = addItem(m_mnuMemories, QStringLiteral("mnuSortFreq"), QStringLiteral("Sort by &Frequency"));
    m_mnuSortDescription
        = addItem(m_mnuMemories, QStringLiteral("mnuSortDescription"), QStringLiteral("Sort by Description"));
    m_mnuDuplicates
        = addItem(m_mnuMemories, QStringLiteral("mnuDuplicates"), QStringLiteral("List &duplicate frequencies"));
    m_mnuFind = addItem(m_mnuMemories, QStringLiteral("mnuFind"), QStringLiteral("Find te&xt"),
                        QKeySequence(Qt::CTRL | Qt::Key_F));
    m_mnuFindNext
        = addItem(m_mnuMemories, QStringLiteral("mnuFindNext"), QStringLiteral("Find next"), QKeySequence(Qt::Key_F3));
    m_mnuMemories->addSeparator();
    m_mnuHideEmpty = addItem(m_mnuMemories, QStringLiteral("mnuHideEmpty"), QStringLiteral("&Hide empty memories"),
                             QKeySequence(Qt::CTRL | Qt::Key_H));
    m_mnuHideEmpty->setCheckable(true);

    EditingCommands *c = m_commands;
    connect(m_mnuUndo, &QAction::triggered, this, [c] { c->Undo(); });
    connect(m_mnuCopy, &QAction::triggered, this, [c] { c->Copy(); });
    connect(m_mnuCut, &QAction::triggered, this, [c] { c->Cut(); });
    connect(m_mnuPaste, &QAction::triggered, this, [c] { c->Paste(); });
    connect(m_mnuInsertAbove, &QAction::triggered, this, [c] { c->InsertMemoryAbove(); });
    connect(m_mnuDelete, &QAction::triggered, this, [c] { c->DeleteMemory(); });
    connect(m_mnuRemove, &QAction::triggered, this, [c] { c->RemoveMemory(); });
    connect(m_mnuMoveUp, &QAction::triggered, this, [c] { c->MoveSelectedUp(); });
    connect(m_mnuMoveDown, &QAction::triggered, this, [c] { c->MoveSelectedDown(); });
    connect(m_mnuFillDown, &QAction::triggered, this, [c] { c->FillSelectionDownwards(); });
    connect(m_mnuCompact, &QAction::triggered, this, [c] { c->CompactEmptyMemories(); });
    connect(m_mnuSortFreq, &QAction::triggered, this, [c] { c->SortByFrequency(); });
    connect(m_mnuSortDescription, &QAction::triggered, this, [c] { c->SortByDescription(); });
    connect(m_mnuDuplicates, &QAction::triggered, this, [c] { c->ListDuplicateFrequencies(); });
    connect(m_mnuFind, &QAction::triggered, this, [c] { c->FindText(); });
    connect(m_mnuFindNext, &QAction::triggered, this, [c] { c->FindNext(); });
    connect(m_mnuHideEmpty, &QAction::triggered, this, [this](bool on) {
        m_state.HideEmptyMemories = on;
        ApplyHideEmpty();
    });

    // &PMS (also the PMS view's pop-up)
    m_mnuPms = bar->addMenu(QStringLiteral("&PMS"));
    m_mnuPms->setObjectName(QStringLiteral("mnuPMS"));
    m_mnuDeletePmsPair
        = addItem(m_mnuPms, QStringLiteral("mnuDeletePmsPair"), QStringLiteral("&Delete PMS memory pair"));
    m_mnuDeletePmsPair->setShortcut(QKeySequence(Qt::Key_Delete));
    // The PMS view takes Del itself; the caption only shows it.
    m_mnuDeletePmsPair->setShortcutContext(Qt::WidgetShortcut);
    connect(m_mnuDeletePmsPair, &QAction::triggered, this, [this] {
        const QModelIndex i = m_pmsView->currentIndex();
        m_commands->DeletePmsMemoryPair(i.isValid() ? i.row() + 1 : 0);
    });

    // &Settings
    m_mnuSettings = bar->addMenu(QStringLiteral("&Settings"));
    m_mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    QMenu *com = m_mnuSettings->addMenu(QStringLiteral("&Com port"));
    com->setObjectName(QStringLiteral("mnuComPort"));
    auto *comGroup = new QActionGroup(this);
    comGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int n = 1; n <= 16; ++n) {
        QAction *a = addItem(com, QStringLiteral("mnuCom%1").arg(n), QStringLiteral("COM%1").arg(n));
        a->setCheckable(true);
        comGroup->addAction(a);
        m_mnuCom[size_t(n - 1)] = a;
        connect(a, &QAction::triggered, this, [this, n] {
            m_link->ChooseCommPort(n);
            setComMenus();
        });
    }
    QMenu *speed = m_mnuSettings->addMenu(QStringLiteral("Com speed"));
    speed->setObjectName(QStringLiteral("mnuComSpeed"));
    auto *speedGroup = new QActionGroup(this);
    speedGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int i = 0; i < 4; ++i) {
        const int baud = kSpeeds[i];
        QAction *a = addItem(speed, QStringLiteral("mnuComSpeed%1").arg(baud), QString::number(baud));
        a->setCheckable(true);
        speedGroup->addAction(a);
        m_mnuSpeed[size_t(i)] = a;
        connect(a, &QAction::triggered, this, [this, baud] {
            m_link->ChooseCommSpeed(baud);
            setSpeedMenus();
        });
    }
    QAction *identifier
        = addItem(m_mnuSettings, QStringLiteral("mnuComPortIdentifier"), QStringLiteral("Com port &Identifier"));
    connect(identifier, &QAction::triggered, this, &MainWindow::openComPortIdentifier);
    m_mnuLog = addItem(m_mnuSettings, QStringLiteral("mnuLog"), QStringLiteral("&Log read/write to rig"));
    m_mnuLog->setCheckable(true);
    connect(m_mnuLog, &QAction::triggered, this, [this](bool on) {
        m_log->setLoggingEnabled(on);
        m_settings->set<Setting::Log>(on);
    });
    m_mnuDisableRts = addItem(m_mnuSettings, QStringLiteral("mnuDisableRTS"), QStringLiteral("&Do not use RTS"));
    m_mnuDisableRts->setCheckable(true);
    connect(m_mnuDisableRts, &QAction::triggered, this, [this](bool on) { m_link->SetDoNotUseRts(on); });
    m_mnuRestoreCatRate = addItem(m_mnuSettings, QStringLiteral("mnuRestoreCatRate"),
                                  QStringLiteral("Restore the radio's CAT rate after a transfer"));
    m_mnuRestoreCatRate->setCheckable(true);
    connect(m_mnuRestoreCatRate, &QAction::triggered, this, [this](bool on) { m_link->SetRestoreCatRate(on); });
    m_mnuSettings->addSeparator();
    m_mnuBandPlan = addItem(m_mnuSettings, QStringLiteral("mnuBandPlan"), QStringLiteral("Define &Repeater rules..."));
    m_mnuBandPlan->setCheckable(true);
    connect(m_mnuBandPlan, &QAction::triggered, this, &MainWindow::openRepeaterRules);
    QAction *folder = addItem(m_mnuSettings, QStringLiteral("mnuChooseFolder"),
                              QStringLiteral("Choose a folder for &memory and .CSV files..."));
    connect(folder, &QAction::triggered, this, &MainWindow::chooseHomeFolder);
    m_mnuSettings->addSeparator();
    QMenu *grid = m_mnuSettings->addMenu(QStringLiteral("Font size of grids"));
    grid->setObjectName(QStringLiteral("mnuGridSize"));
    auto *gridGroup = new QActionGroup(this);
    m_mnuGridNormal = addItem(grid, QStringLiteral("mnuGridNormal"), QStringLiteral("Normal"));
    m_mnuGridLarger = addItem(grid, QStringLiteral("mnuGridLarger"), QStringLiteral("Larger"));
    m_mnuGridLargest = addItem(grid, QStringLiteral("mnuGridLargest"), QStringLiteral("Largest"));
    for (QAction *a : {m_mnuGridNormal, m_mnuGridLarger, m_mnuGridLargest}) {
        a->setCheckable(true);
        gridGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { chooseGridSize(a->text()); });
    }
    QMenu *window = m_mnuSettings->addMenu(QStringLiteral("&Window Position and Column Widths"));
    window->setObjectName(QStringLiteral("mnuWindowPosition"));
    m_mnuAutosize = addItem(window, QStringLiteral("mnuAutosize"), QStringLiteral("Enable &Autosize of column widths"));
    m_mnuAutosize->setCheckable(true);
    m_mnuUserWidths
        = addItem(window, QStringLiteral("mnuUserColumnWidths"), QStringLiteral("Enable &User chosen column widths"));
    m_mnuUserWidths->setCheckable(true);
    QAction *savePos = addItem(window, QStringLiteral("mnuSavePosition"), QStringLiteral("&Save size and position"));
    QAction *force
        = addItem(window, QStringLiteral("mnuForceOnScreen"), QStringLiteral("&Force windows onto the primary desktop"),
                  QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F1));
    connect(m_mnuAutosize, &QAction::triggered, this, [this](bool on) {
        m_settings->set<Setting::Autosize>(on);
        setColumnWidths();
    });
    connect(m_mnuUserWidths, &QAction::triggered, this, [this](bool on) {
        m_settings->set<Setting::UserChosenColumnWidths>(on);
        setColumnWidths();
    });
    connect(savePos, &QAction::triggered, this, &MainWindow::saveSizeAndPosition);
    connect(force, &QAction::triggered, this, &MainWindow::forceWindowsOntoPrimaryDesktop);

    // &Help
    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction *contents
        = addItem(help, QStringLiteral("mnuContents"), QStringLiteral("&Contents"), QKeySequence(Qt::Key_F1));
    QAction *download
        = addItem(help, QStringLiteral("mnuDownload"), QStringLiteral("Check &Download page for updates"));
    QAction *about = addItem(help, QStringLiteral("mnuAbout"),
                             QStringLiteral("About ") + QString::fromLatin1(kProgramTitle) + QStringLiteral("..."));
    connect(contents, &QAction::triggered, this, &MainWindow::showHelp);
    connect(download, &QAction::triggered, this, [] { OpenWithDesktop(QString::fromLatin1(kMakerDownloadPage)); });
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);

    m_memoryDelegate->setDeleteAction(m_mnuDelete);
}

// ---------------------------------------------------------------------------
// Start-up

void MainWindow::readSettingsAtStart()
{
    DetectSeparators();
    const QString home = m_settings->get<Setting::HomeDir>().trimmed();
    m_state.HomeDir = (!home.isEmpty() && QFileInfo(home).isDir()) ? home : QString();
    m_link->LoadSettings();
    m_mnuAutosize->setChecked(m_settings->get<Setting::Autosize>());
    m_mnuUserWidths->setChecked(m_settings->get<Setting::UserChosenColumnWidths>());
    const bool logging = m_settings->get<Setting::Log>();
    m_log->setLoggingEnabled(logging);
    m_mnuLog->setChecked(logging);
    m_mnuDisableRts->setChecked(m_link->DoNotUseRts);
    m_mnuRestoreCatRate->setChecked(m_link->RestoreCatRate);
    m_gridSize = m_settings->get<Setting::GridSize>();
    setComMenus();
    LoadRepeaterRules(m_rules, *m_settings, m_dialogs, m_log);
    m_mnuBandPlan->setChecked(m_rules.RepeaterRulesActive);
}

void MainWindow::restoreWindowPlacement()
{
    resize(TwipsX(this, kDesignWidthTwips), TwipsY(this, kDesignHeightTwips));
    const int stateValue = m_settings->get<Setting::MemoryWindowState>();
    m_savedWindowState = (stateValue >= 0 && stateValue <= 2) ? stateValue : 0;

    const QRect screens = availableScreens();
    const int height
        = TwipsY(this, m_settings->find<Setting::MemoryHeight>().value_or(PixelsToTwipsY(this, this->height())));
    const int width
        = TwipsX(this, m_settings->find<Setting::MemoryWidth>().value_or(PixelsToTwipsX(this, this->width())));
    // Sizes and places from a hand-edited or foreign settings file are used only
    // when they leave the window usable and on a screen.
    if (width >= 200 && width <= 4 * screens.width() && height >= 150 && height <= 4 * screens.height())
        resize(width, height);
    if (m_settings->contains(Setting::MemoryTop) && m_settings->contains(Setting::MemoryLeft)) {
        const int top = TwipsY(this, m_settings->get<Setting::MemoryTop>());
        const int left = TwipsX(this, m_settings->get<Setting::MemoryLeft>());
        const QRect wanted(left, top, this->width(), this->height());
        if (screens.intersects(wanted.adjusted(0, 0, -this->width() / 2, -this->height() / 2)))
            move(left, top);
    }
}

void MainWindow::setUpViews()
{
    m_state.FormLoading = true;
    m_state.table.ClearAllMemories();
    m_state.FormLoading = false;
}

void MainWindow::startUp()
{
    // 9: the first-run window.
    if (m_settings->get<Setting::FirstTime>() == 0) {
        FirstTimeUseWindow first(*m_settings, this);
        first.exec();
    }
    // 10: the data folder.
    if (m_state.HomeDir.isEmpty())
        chooseHomeFolder();
    if (m_state.HomeDir.isEmpty())
        m_state.HomeDir = QDir::currentPath();
    // 11, 12: the file to open once the window shows.
    const bool loadDue = PrepareAutoOpen(*m_ctx, m_commandLinePath);
    m_memoryView->setFocus();
    switch (m_savedWindowState) {
    case 1:
        showMinimized();
        break;
    case 2:
        showMaximized();
        break;
    default:
        show();
        break;
    }
    if (loadDue)
        m_startupTimer->start();
}

void MainWindow::onStartupTimer()
{
    m_startupTimer->stop();
    LoadMemoryFile(*m_ctx);
}

void MainWindow::chooseHomeFolder()
{
    const QString folder = m_dialogs->browseForFolder(QString::fromLatin1(kFolderChooserTitle));
    if (folder.isEmpty())
        return;
    m_state.HomeDir = folder;
    m_settings->set<Setting::HomeDir>(folder);
}

// ---------------------------------------------------------------------------
// Settings menus

void MainWindow::setComMenus()
{
    const int port = (m_link->CommPort >= 1 && m_link->CommPort <= 16) ? m_link->CommPort : 16;
    for (int n = 1; n <= 16; ++n)
        m_mnuCom[size_t(n - 1)]->setChecked(n == port);
    updateComCaptions();
}

void MainWindow::updateComCaptions()
{
    for (int n = 1; n <= 16; ++n) {
        const QString device = m_link->deviceFor(n);
        // The device shows in the shortcut column of the menu.
        m_mnuCom[size_t(n - 1)]->setText(QStringLiteral("COM%1\t%2").arg(n).arg(device));
    }
}

void MainWindow::setSpeedMenus()
{
    for (int i = 0; i < 4; ++i)
        m_mnuSpeed[size_t(i)]->setChecked(m_link->UserCommSpeed == LineSettings::catRate(kSpeeds[i]));
}

void MainWindow::openComPortIdentifier()
{
    ComPortIdentifierDialog diag(*m_settings, *m_link, *m_factory, this);
    connect(&diag, &ComPortIdentifierDialog::portDevicesChanged, this, &MainWindow::updateComCaptions);
    diag.exec();
    updateComCaptions();
}

void MainWindow::openRepeaterRules()
{
    {
        RepeaterRulesDialog dialog(*m_settings, *m_dialogs, m_rules, m_log, this);
        dialog.exec();
    }
    // Choosing the item ticks it by itself; the tick shows whether rules apply.
    m_mnuBandPlan->setChecked(m_rules.RepeaterRulesActive);
}

void MainWindow::openImportExport()
{
    if (m_importExport) {
        m_importExport->raise();
        m_importExport->activateWindow();
        return;
    }
    m_importExport = new ImportExportDialog(*m_ctx, m_undo, this, this);
    m_importExport->setRules(&m_rules);
    m_importExport->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(m_importExport, &ImportExportDialog::closed, this, [this] {
        if (QWidget *w = m_importExport.data())
            w->deleteLater();
        importExportClosed();
    });
    applyCommandStates();
    m_importExport->show();
}

void MainWindow::importExportClosed()
{
    m_importExport.clear();
    applyCommandStates();
}

void MainWindow::showAbout()
{
    AboutWindow about(this);
    about.exec();
}

void MainWindow::showHelp()
{
    if (!m_help) {
        m_help = new HelpViewer(nullptr);
        m_help->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    m_help->showPage();
}

// ---------------------------------------------------------------------------
// Layout and fonts

void MainWindow::applyGridFont()
{
    const GridProfile profile = GridProfileFor(m_gridSize);
    QFont f = UserInterfaceFont();
    f.setPointSize(profile.fontPoints);
    for (MemoryGridView *v : {m_memoryView, m_pmsView}) {
        v->setFont(f);
        v->horizontalHeader()->setFont(f);
        v->verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 6);
    }
    m_tabs->tabBar()->setFont(f);
}

void MainWindow::chooseGridSize(const QString &name)
{
    m_gridSize = name;
    if (!m_state.FormLoading && isVisible())
        m_settings->set<Setting::GridSize>(name);
    const GridProfile profile = GridProfileFor(name);
    m_mnuGridNormal->setChecked(profile.name == QLatin1String("Normal"));
    m_mnuGridLarger->setChecked(profile.name == QLatin1String("Larger"));
    m_mnuGridLargest->setChecked(profile.name == QLatin1String("Largest"));
    applyGridFont();
    for (MemoryGridView *v : {m_memoryView, m_pmsView}) {
        v->horizontalHeader()->setFixedHeight(TwipsY(this, profile.headerTwips));
        v->setColumnWidth(0, TwipsX(this, profile.column0Twips));
    }
    setColumnWidths();
}

void MainWindow::setColumnWidths()
{
    const GridProfile profile = GridProfileFor(m_gridSize);
    const int base = profile.column0Twips;
    if (m_mnuAutosize->isChecked()) {
        for (int c = 1; c < kMemoryColumns; ++c)
            m_memoryView->resizeColumnToContents(c);
        m_memoryView->setColumnWidth(5, m_memoryView->columnWidth(5) + TwipsX(this, kAutosizeToneExtraTwips));
        m_pmsView->resizeColumnsToContents();
        for (int c = 1; c < kPmsColumns; ++c)
            m_pmsView->setColumnWidth(c, TwipsX(this, base));
        return;
    }
    if (m_mnuUserWidths->isChecked()) {
        MemoryWidths current;
        for (int c = 0; c < kMemoryColumns; ++c)
            current[size_t(c)] = PixelsToTwipsX(this, m_memoryView->columnWidth(c));
        MemoryWidths stored;
        if (StoredColumnWidths(*m_settings, current, &stored)) {
            for (int c = 0; c < kMemoryColumns; ++c)
                m_memoryView->setColumnWidth(c, TwipsX(this, stored[size_t(c)]));
        }
        return;
    }
    const MemoryWidths memory = DefaultMemoryWidths(profile);
    for (int c = 1; c < kMemoryColumns; ++c)
        m_memoryView->setColumnWidth(c, TwipsX(this, memory[size_t(c)]));
    const PmsWidths pms = DefaultPmsWidths(profile);
    for (int c = 1; c < kPmsColumns; ++c)
        m_pmsView->setColumnWidth(c, TwipsX(this, pms[size_t(c)]));
}

void MainWindow::saveSizeAndPosition()
{
    int stateValue = 0;
    if (isMinimized())
        stateValue = 1;
    else if (isMaximized())
        stateValue = 2;
    m_settings->set<Setting::MemoryWindowState>(stateValue);
    // A minimised or maximised window keeps its normal size for the next start.
    const QRect g = (stateValue == 0) ? QRect(pos(), size()) : normalGeometry();
    m_settings->set<Setting::MemoryHeight>(PixelsToTwipsY(this, g.height()));
    m_settings->set<Setting::MemoryWidth>(PixelsToTwipsX(this, g.width()));
    m_settings->set<Setting::MemoryTop>(PixelsToTwipsY(this, g.top()));
    m_settings->set<Setting::MemoryLeft>(PixelsToTwipsX(this, g.left()));
    MemoryWidths widths;
    for (int c = 0; c < kMemoryColumns; ++c)
        widths[size_t(c)] = PixelsToTwipsX(this, m_memoryView->columnWidth(c));
    StoreColumnWidths(*m_settings, widths);
}

void MainWindow::forceWindowsOntoPrimaryDesktop()
{
    showNormal();
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect s = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const TwipsRect r = ForcedMainWindowRect(PixelsToTwipsX(this, s.width()), PixelsToTwipsY(this, s.height()));
    resize(TwipsX(this, r.width), TwipsY(this, r.height));
    move(s.left() + TwipsX(this, r.left), s.top() + TwipsY(this, r.top));
    m_errorList->forceOntoPrimaryDesktop();
}

// ---------------------------------------------------------------------------
// Radio

void MainWindow::readRadio() { runTransfer(&RadioTransfer::ReadRadio); }

void MainWindow::writeRadio() { runTransfer(&RadioTransfer::WriteRadio); }

void MainWindow::runTransfer(void (RadioTransfer::*flow)())
{
    // The buttons go off only once the rate is found: until then a second click
    // finds the first transfer running and does nothing.
    m_worker->start(flow);
}

bool MainWindow::transferRunning() const { return m_session->transferRunning(); }

void MainWindow::onTransferFinished()
{
    // A close asked for during the transfer happens now.
    if (m_closeAfterTransfer) {
        m_closeAfterTransfer = false;
        close();
    }
    emit transferFinished();
}

// ---------------------------------------------------------------------------
// MainView

void MainWindow::applyCommandStates()
{
    CommandInputs in;
    in.busy = m_busy;
    in.importExportOpen = !m_importExport.isNull();
    in.rowPicking = m_rowPicking;
    in.currentTab = m_tabs->currentIndex();
    const CommandStates c = m_session->commandStates(in);
    m_cmdReadFile->setEnabled(c.readFile);
    m_cmdRead->setEnabled(c.readRadio);
    m_cmdWriteFile->setEnabled(c.writeFile);
    m_cmdWriteRig->setEnabled(c.writeRadio);
    m_cmdImportExport->setEnabled(c.importExport);
    for (QAction *a : {m_mnuOpen, m_mnuSave, m_mnuSaveAs})
        a->setEnabled(c.fileItems);
    m_mnuCompareRadio->setEnabled(c.compareRadio);
    m_mnuUndo->setEnabled(c.undo);
    m_mnuUndo->setText(c.undoCaption);
    m_mnuCopy->setEnabled(c.copyCut);
    m_mnuCut->setEnabled(c.copyCut);
    m_mnuPaste->setEnabled(c.paste);
    m_mnuInsertAbove->setEnabled(c.insertAbove);
    m_mnuDelete->setEnabled(c.deleteMemory);
    for (QAction *a : {m_mnuSortFreq, m_mnuSortDescription, m_mnuDuplicates, m_mnuFind, m_mnuFindNext, m_mnuCompact,
                       m_mnuFillDown, m_mnuRemove, m_mnuMoveUp, m_mnuMoveDown})
        a->setEnabled(c.otherEditing);
    m_mnuMemories->menuAction()->setEnabled(c.memoriesMenu);
    m_mnuPms->menuAction()->setEnabled(c.pmsMenu);
    m_mnuHideEmpty->setChecked(c.hideEmptyChecked);
    m_tabs->setTabEnabled(1, c.pmsTab);
}

void MainWindow::SetMainButtonsEnabled(bool on)
{
    m_busy = !on;
    applyCommandStates();
}

void MainWindow::RestoreMainButtons()
{
    m_busy = false;
    RefreshChangedState();
    if (m_transferWindow->isVisible())
        HideTransferWindow();
}

void MainWindow::RefreshChangedState()
{
    m_memoryModel->refreshColours();
    m_pmsModel->refreshColours();
    applyCommandStates();
    SetStatusPanel(2,
                   m_state.MemoriesChanged ? QStringLiteral("Memories changed") : QStringLiteral("Memories unchanged"));
}

void MainWindow::ShowMemoriesTab()
{
    m_tabs->setCurrentIndex(0);
    // Also when the tab was current already: the keys then move in the table,
    // not along the tab bar.
    m_memoryView->setFocus();
}

void MainWindow::SetStatusPanel(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 4)
        m_panels[size_t(panel - 1)]->setText(text);
}

void MainWindow::ApplyHideEmpty()
{
    const std::vector<bool> hidden = MemoryTableModel::hiddenRows(m_state.table, m_state.HideEmptyMemories);
    applyCommandStates();
    m_memoryView->setUpdatesEnabled(false);
    for (int r = 0; r < MemoryTable::kMemoryCount; ++r) {
        if (m_memoryView->isRowHidden(r) != hidden[size_t(r)])
            m_memoryView->setRowHidden(r, hidden[size_t(r)]);
    }
    m_memoryView->setUpdatesEnabled(true);
}

void MainWindow::ApplyBanding()
{
    if (m_memoryModel->banding())
        m_memoryModel->refreshColours();
    else
        m_memoryModel->setBanding(true);
    m_memoryView->selectionModel()->setCurrentIndex(m_memoryModel->index(0, 1), QItemSelectionModel::ClearAndSelect);
    onMemorySelectionChanged();
}

void MainWindow::SelectCell(int row, int column)
{
    row = std::clamp(row, 1, int(MemoryTable::kMemoryCount));
    column = std::clamp(column, 0, MemoryTable::kColumnCount - 1);
    const QModelIndex i = m_memoryModel->index(row - 1, column);
    m_memoryView->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    m_memoryView->scrollTo(i);
    // The same cell again sends no signal, but the selection block and the
    // status panels must follow a load or a read all the same.
    onMemorySelectionChanged();
}

void MainWindow::TableCleared()
{
    m_memoryModel->refreshColours();
    m_pmsModel->refreshColours();
    SetStatusPanel(1, QString());
    m_memoryView->setUpdatesEnabled(false);
    for (int r = 0; r < MemoryTable::kMemoryCount; ++r) {
        if (m_memoryView->isRowHidden(r))
            m_memoryView->setRowHidden(r, false);
    }
    m_memoryView->setUpdatesEnabled(true);
}

void MainWindow::SetDescriptionWidth(int twips)
{
    // A width from a foreign file must leave the column usable.
    twips = std::clamp(twips, 300, 30000);
    m_state.DescriptionWidthTwips = twips;
    m_memoryView->setColumnWidth(MemoryTable::ColDescription, TwipsX(this, twips));
}

int MainWindow::DescriptionWidth() const
{
    return PixelsToTwipsX(this, m_memoryView->columnWidth(MemoryTable::ColDescription));
}

// The clipboard items, "&Undo" and the hide check follow the state the logic has
// set before it calls these.
void MainWindow::CommandsChanged() { applyCommandStates(); }

void MainWindow::ShowTransferWindow(TransferKind kind) { m_transferWindow->showFor(kind); }

void MainWindow::HideTransferWindow() { m_transferWindow->hideAll(); }

void MainWindow::SetTransferProgress(int value, int maximum) { m_transferWindow->setProgress(value, maximum); }

int MainWindow::CurrentRow() const
{
    const QModelIndex i = m_memoryView->currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

int MainWindow::CurrentColumn() const
{
    const QModelIndex i = m_memoryView->currentIndex();
    return i.isValid() ? i.column() : 1;
}

void MainWindow::SelectBlock(int firstRow, int lastRow, int firstCol, int lastCol)
{
    const int rows = MemoryTable::kMemoryCount;
    const int cols = MemoryTable::kColumnCount;
    firstRow = std::clamp(firstRow, 1, rows);
    lastRow = std::clamp(lastRow, firstRow, rows);
    firstCol = std::clamp(firstCol, 0, cols - 1);
    lastCol = std::clamp(lastCol, firstCol, cols - 1);
    QItemSelectionModel *sm = m_memoryView->selectionModel();
    const QModelIndex tl = m_memoryModel->index(firstRow - 1, firstCol);
    const QModelIndex br = m_memoryModel->index(lastRow - 1, lastCol);
    sm->setCurrentIndex(tl, QItemSelectionModel::NoUpdate);
    sm->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
    onMemorySelectionChanged();
}

void MainWindow::FocusMemoryView() { m_memoryView->setFocus(); }

void MainWindow::SetClipboardText(const QString &text)
{
    QClipboard *c = QGuiApplication::clipboard();
    c->clear();
    c->setText(text);
}

QString MainWindow::ClipboardText() const { return QGuiApplication::clipboard()->text(); }

bool MainWindow::IsColumnHidden(int column) const { return m_memoryView->isColumnHidden(column); }

// ---------------------------------------------------------------------------
// Selection, tabs, pop-ups, status bar

void MainWindow::onMemorySelectionChanged()
{
    if (m_state.DataSource == DataSource::Nothing) {
        applyCommandStates();
        return;
    }
    const QModelIndex current = m_memoryView->currentIndex();
    const QItemSelection selection = m_memoryView->selectionModel()->selection();
    int firstRow = INT_MAX, lastRow = -1, firstCol = INT_MAX, lastCol = -1;
    for (const QItemSelectionRange &r : selection) {
        firstRow = std::min(firstRow, r.top());
        lastRow = std::max(lastRow, r.bottom());
        firstCol = std::min(firstCol, r.left());
        lastCol = std::max(lastCol, r.right());
    }
    if (lastRow < 0) {
        if (!current.isValid()) {
            applyCommandStates();
            return;
        }
        firstRow = lastRow = current.row();
        firstCol = lastCol = current.column();
    }
    const bool single = firstRow == lastRow && firstCol == lastCol;
    if (single && current.isValid())
        firstRow = lastRow = current.row();
    m_state.selection.firstRow = firstRow + 1;
    m_state.selection.lastRow = lastRow + 1;
    m_state.selection.firstCol = firstCol;
    m_state.selection.lastCol = lastCol;
    applyCommandStates();
    SetStatusPanel(3, SignedText(firstRow + 1));
    SetStatusPanel(4, SignedText(lastRow + 1));
}

void MainWindow::onTabChanged(int index)
{
    applyCommandStates();
    if (index == 0)
        m_memoryView->setFocus();
    else if (index == 1)
        m_pmsView->setFocus();
}

void MainWindow::onMemoryContextMenu(const QPoint &pos)
{
    if (m_state.DataSource == DataSource::Nothing || m_rowPicking)
        return;
    const QModelIndex i = m_memoryView->indexAt(pos);
    if (!i.isValid() || i.row() + 1 > MemoryTable::kMemoryCount || i.column() < 1)
        return;
    popUpCellMenu(m_memoryView, m_mnuMemories, i, pos);
}

void MainWindow::onPmsContextMenu(const QPoint &pos)
{
    if (m_state.DataSource == DataSource::Nothing)
        return;
    const QModelIndex i = m_pmsView->indexAt(pos);
    if (!i.isValid() || i.column() < 1)
        return;
    popUpCellMenu(m_pmsView, m_mnuPms, i, pos);
}

void MainWindow::setRowPickingMode(bool on)
{
    if (on == m_rowPicking)
        return;
    m_rowPicking = on;
    m_memoryView->clearSelection();
    if (on) {
        m_memoryView->setSelectionMode(QAbstractItemView::MultiSelection);
        m_memoryView->setSelectionBehavior(QAbstractItemView::SelectRows);
    } else {
        m_memoryView->setSelectionMode(QAbstractItemView::ContiguousSelection);
        m_memoryView->setSelectionBehavior(QAbstractItemView::SelectItems);
    }
    applyCommandStates();
}

QList<int> MainWindow::pickedRows() const
{
    QList<int> rows;
    for (const QModelIndex &i : m_memoryView->selectionModel()->selectedRows())
        rows << i.row() + 1;
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MainWindow::onStatusBarClicked()
{
    const QString text = m_state.CurrentFilePath.isEmpty() ? QStringLiteral("No file is currently loaded")
                                                           : QDir::toNativeSeparators(m_state.CurrentFilePath);
    m_dialogs->messageBox(text, Buttons::Ok, Icon::None);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool panel = std::find(m_panels.begin(), m_panels.end(), watched) != m_panels.end();
        if (panel || watched == statusBar()) {
            // Deferred so the box does not open inside the mouse handler.
            QTimer::singleShot(0, this, &MainWindow::onStatusBarClicked);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Exit

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_worker->isRunning()) {
        // Stop the transfer after the memory in hand and come back here when it
        // has ended (its last box is still shown).
        m_worker->requestCancel();
        m_closeAfterTransfer = true;
        event->ignore();
        return;
    }
    if (m_closing) {
        event->ignore();
        return;
    }
    // What is typed in an open cell editor counts as entered; a text the cell
    // refuses keeps the window open on it, with the check's message.
    m_closing = true;
    const bool committed = m_memoryDelegate->submitOpenEditor() && m_pmsDelegate->submitOpenEditor();
    m_closing = false;
    if (!committed) {
        event->ignore();
        return;
    }
    // The save the question may lead to shows its own boxes: no second close
    // meanwhile.
    m_closing = true;
    const bool close = ConfirmExit(*m_ctx);
    m_closing = false;
    if (!close) {
        event->ignore();
        return;
    }
    m_link->CloseCommPort();
    m_undo->remove();
    m_startupTimer->stop();
    // All windows close with the main window.
    m_transferWindow->hide();
    if (m_errorList->isVisible())
        m_errorList->close();
    if (m_help)
        m_help->close();
    if (m_importExport)
        m_importExport->close();
    event->accept();
}

}  // namespace mv
