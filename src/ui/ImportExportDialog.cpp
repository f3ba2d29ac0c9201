#include "ui/ImportExportDialog.h"

#include "core/AppState.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "editing/UndoSnapshot.h"
#include "rules/RepeaterRules.h"
#include "shell/SettingsStore.h"
#include "ui/UiMetrics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mv {

namespace {
QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QCheckBox *checkBox(const QString &name, const QString &caption, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    return c;
}
}  // namespace

ImportExportDialog::ImportExportDialog(AppContext &ctx, UndoSnapshot *undo, RowPicker *picker, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
    , m_undo(undo)
    , m_picker(picker)
{
    setObjectName(QStringLiteral("frmImportExport"));
    setWindowTitle(QStringLiteral("Import/Export"));
    setModal(false);

    auto *exportBox = new QGroupBox(QStringLiteral("Export"), this);
    exportBox->setObjectName(QStringLiteral("fraExport"));
    m_exportSelected
        = checkBox(QStringLiteral("chkExportSelected"), QStringLiteral("Export only selected mems"), exportBox);
    m_tab = new QRadioButton(QStringLiteral("Tab"), exportBox);
    m_tab->setObjectName(QStringLiteral("optTabChar_0"));
    m_comma = new QRadioButton(QStringLiteral("Comma"), exportBox);
    m_comma->setObjectName(QStringLiteral("optTabChar_1"));
    m_comma->setChecked(true);
    m_keepNumbers = checkBox(QStringLiteral("chkKeepNumbers"), QStringLiteral("Keep existing mem numbers"), exportBox);
    m_omitHeader = checkBox(QStringLiteral("chkOmitHeader"), QStringLiteral("Omit header"), exportBox);
    auto *layoutLabel = new QLabel(QStringLiteral("&Layout"), exportBox);
    layoutLabel->setObjectName(QStringLiteral("lblExportLayout"));
    m_layout = new QComboBox(exportBox);
    m_layout->setObjectName(QStringLiteral("cboExportLayout"));
    m_layout->addItems({QStringLiteral("MEMVAULT"), QStringLiteral("CHIRP")});
    m_layout->setToolTip(QStringLiteral("CHIRP: the generic CSV of CHIRP, with its own columns, commas and points"));
    layoutLabel->setBuddy(m_layout);
    auto *cmdExport = button(QStringLiteral("cmdExport"), QStringLiteral("Export CSV"), exportBox);
    auto *cmdPreviewExport = button(QStringLiteral("cmdPreviewExport"), QStringLiteral("Preview Export"), exportBox);

    auto *exportLayout = new QGridLayout(exportBox);
    auto *layoutRow = new QHBoxLayout;
    layoutRow->addWidget(layoutLabel);
    layoutRow->addWidget(m_layout);
    layoutRow->addStretch();
    exportLayout->addLayout(layoutRow, 0, 0, 1, 2);
    exportLayout->addWidget(m_exportSelected, 1, 0, 1, 2);
    auto *separatorRow = new QHBoxLayout;
    separatorRow->addWidget(m_tab);
    separatorRow->addWidget(m_comma);
    separatorRow->addStretch();
    exportLayout->addLayout(separatorRow, 2, 0, 1, 2);
    exportLayout->addWidget(m_keepNumbers, 3, 0, 1, 2);
    exportLayout->addWidget(m_omitHeader, 4, 0, 1, 2);
    exportLayout->addWidget(cmdExport, 5, 0);
    exportLayout->addWidget(cmdPreviewExport, 5, 1);

    auto *importBox = new QGroupBox(QStringLiteral("Import"), this);
    importBox->setObjectName(QStringLiteral("fraImport"));
    auto *startLabel = new QLabel(QStringLiteral("Start at mem number"), importBox);
    startLabel->setObjectName(QStringLiteral("lblStartMemory"));
    m_startMemory = new QLineEdit(QStringLiteral("1"), importBox);
    m_startMemory->setObjectName(QStringLiteral("txtStartMemory"));
    m_startMemory->setMaxLength(5);
    startLabel->setBuddy(m_startMemory);
    m_useNumbers
        = checkBox(QStringLiteral("chkUseMemoryNumbers"), QStringLiteral("Use imported mem numbers"), importBox);
    m_clearBefore
        = checkBox(QStringLiteral("chkClearBeforeImport"), QStringLiteral("Clear all before import"), importBox);
    m_duplicates = checkBox(QStringLiteral("chkDuplicates"), QStringLiteral("Omit duplicate frequencies"), importBox);
    auto *cmdImport = button(QStringLiteral("cmdImport"), QStringLiteral("Import CSV"), importBox);
    auto *cmdPreviewImport = button(QStringLiteral("cmdPreviewImport"), QStringLiteral("Preview Import"), importBox);

    auto *importLayout = new QGridLayout(importBox);
    importLayout->addWidget(startLabel, 0, 0);
    importLayout->addWidget(m_startMemory, 0, 1);
    importLayout->addWidget(m_useNumbers, 1, 0, 1, 2);
    importLayout->addWidget(m_clearBefore, 2, 0, 1, 2);
    importLayout->addWidget(m_duplicates, 3, 0, 1, 2);
    importLayout->addWidget(cmdImport, 4, 0);
    importLayout->addWidget(cmdPreviewImport, 4, 1);

    auto *cmdSetPosition = button(QStringLiteral("cmdSetPosition"), QStringLiteral("&Save size and position"), this);
    auto *cmdClose = button(QStringLiteral("cmdClose"), QStringLiteral("Close"), this);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(cmdSetPosition);
    bottom->addStretch();
    bottom->addWidget(cmdClose);

    auto *groups = new QHBoxLayout;
    groups->addWidget(exportBox);
    groups->addWidget(importBox);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(bottom);

    ApplyUserInterfaceFont(this);

    connect(cmdExport, &QPushButton::clicked, this, [this] { ExportCsv(false); });
    connect(cmdPreviewExport, &QPushButton::clicked, this, [this] { ExportCsv(true); });
    connect(cmdImport, &QPushButton::clicked, this, [this] { ImportCsv(false); });
    connect(cmdPreviewImport, &QPushButton::clicked, this, [this] { ImportCsv(true); });
    connect(cmdSetPosition, &QPushButton::clicked, this, &ImportExportDialog::savePosition);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    // CHIRP's layout fixes the separator, the numbering and the header.
    connect(m_layout, &QComboBox::currentIndexChanged, this, [this](int index) {
        for (QWidget *w : {static_cast<QWidget *>(m_tab), static_cast<QWidget *>(m_comma),
                           static_cast<QWidget *>(m_keepNumbers), static_cast<QWidget *>(m_omitHeader)})
            w->setEnabled(index == 0);
    });
    connect(m_useNumbers, &QCheckBox::toggled, m_startMemory, [this](bool on) { m_startMemory->setEnabled(!on); });
    connect(m_exportSelected, &QCheckBox::toggled, this, [this](bool on) {
        if (m_picker)
            m_picker->setRowPickingMode(on);
    });
}

void ImportExportDialog::showEvent(QShowEvent *event)
{
    if (!m_open) {
        m_open = true;
        // The memory view starts in its normal selection whatever the box says;
        // ticking the box again switches row picking on.
        m_exportSelected->setChecked(false);
        if (m_picker)
            m_picker->setRowPickingMode(false);
    }
    if (!m_positioned) {
        m_positioned = true;
        restorePosition();
    }
    QDialog::showEvent(event);
}

void ImportExportDialog::done(int result)
{
    if (m_open) {
        m_open = false;
        if (m_picker)
            m_picker->setRowPickingMode(false);
        QDialog::done(result);
        emit closed();
        return;
    }
    QDialog::done(result);
}

void ImportExportDialog::restorePosition()
{
    const SettingsStore &s = m_ctx.settings;
    if (!s.contains(Setting::ImportExportTop) || !s.contains(Setting::ImportExportLeft))
        return;
    const int top = TwipsY(this, s.get<Setting::ImportExportTop>());
    const int left = TwipsX(this, s.get<Setting::ImportExportLeft>());
    move(left, top);
}

void ImportExportDialog::savePosition()
{
    // Positions are kept in twips, like every window geometry of the program.
    m_ctx.settings.set<Setting::ImportExportTop>(PixelsToTwipsY(this, pos().y()));
    m_ctx.settings.set<Setting::ImportExportLeft>(PixelsToTwipsX(this, pos().x()));
}

void ImportExportDialog::ExportCsv(bool preview)
{
    CsvExportOptions options;
    options.layout = m_layout->currentIndex() == 1 ? CsvLayout::Chirp : CsvLayout::Own;
    options.rules = m_rules;
    options.tab = m_tab->isChecked();
    options.keepNumbers = m_keepNumbers->isChecked();
    options.omitHeader = m_omitHeader->isChecked();
    options.onlySelected = m_exportSelected->isChecked();
    options.preview = preview;
    if (options.onlySelected) {
        if (m_picker) {
            for (int row : m_picker->pickedRows())
                options.selectedRows.insert(row);
        } else {
            const SelectionBlock &b = m_ctx.state.selection;
            for (int row = b.firstRow; row <= b.lastRow; ++row)
                options.selectedRows.insert(row);
        }
    }
    mv::ExportCsv(m_ctx, options);
}

void ImportExportDialog::ImportCsv(bool preview)
{
    CsvImportOptions options;
    options.startText = m_startMemory->text();
    options.useNumbers = m_useNumbers->isChecked();
    options.clearBefore = m_clearBefore->isChecked();
    options.omitDuplicates = m_duplicates->isChecked();
    options.preview = preview;
    options.rules = m_rules;
    if (m_undo)
        options.saveUndoSnapshot = [this] { m_undo->SaveUndoSnapshot(m_ctx, QStringLiteral("Import")); };
    const CsvImportResult result = mv::ImportCsv(m_ctx, options);
    m_startMemory->setText(result.startText);
}

}  // namespace mv
