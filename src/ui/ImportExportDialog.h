#pragma once
// The Import/Export window (frmImportExport): CSV export and import of the
// memory table. Non-modal; the main window disables its "&Import/Export" button
// while it is open and enables it again on closed().
//
// Object names of the controls (tests and the main window find them by these):
//   export: cboExportLayout ("MEMVAULT" or "CHIRP", label lblExportLayout), chkExportSelected, optTabChar_0 ("Tab"),
//   optTabChar_1 ("Comma"),
//           chkKeepNumbers, chkOmitHeader, cmdExport, cmdPreviewExport
//   import: txtStartMemory (label lblStartMemory), chkUseMemoryNumbers,
//           chkClearBeforeImport, chkDuplicates, cmdImport, cmdPreviewImport
//   window: cmdSetPosition, cmdClose
#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mv {

struct AppContext;
struct RepeaterRuleSet;
class UndoSnapshot;

// What the window needs of the memory view for "Export only selected mems": a
// mode in which each click toggles a row's selection (and the Memories context
// menu is off), and the rows picked in it. The main window implements it.
class RowPicker {
public:
    virtual ~RowPicker() = default;
    // true: row-picking mode, context menu disabled. false: the view's normal
    // selection again; the context menu comes back when the first tab is shown.
    virtual void setRowPickingMode(bool on) = 0;
    // Memory numbers (1..500) of the rows picked, in any order.
    virtual QList<int> pickedRows() const = 0;
};

class ImportExportDialog : public QDialog {
    Q_OBJECT
public:
    // undo and picker may be null: no undo snapshot is taken, and "Export only
    // selected mems" then uses the selection block of the memory view.
    ImportExportDialog(AppContext &ctx, UndoSnapshot *undo, RowPicker *picker, QWidget *parent = nullptr);

    // The buttons' actions, also callable directly.
    void ExportCsv(bool preview);
    void ImportCsv(bool preview);

    // The repeater rules the import proposes modes from (none: the band table).
    void setRules(const RepeaterRuleSet *rules) { m_rules = rules; }

    void done(int result) override;

signals:
    // The window was closed (Close, the close box, Esc).
    void closed();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void savePosition();
    void restorePosition();

    AppContext &m_ctx;
    UndoSnapshot *m_undo;
    const RepeaterRuleSet *m_rules = nullptr;
    RowPicker *m_picker;
    bool m_positioned = false;
    bool m_open = false;

    QComboBox *m_layout;
    QCheckBox *m_exportSelected;
    QRadioButton *m_tab;
    QRadioButton *m_comma;
    QCheckBox *m_keepNumbers;
    QCheckBox *m_omitHeader;
    QLineEdit *m_startMemory;
    QCheckBox *m_useNumbers;
    QCheckBox *m_clearBefore;
    QCheckBox *m_duplicates;
};

}  // namespace mv
