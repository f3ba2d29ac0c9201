#pragma once
// The commands of the "&Memories" and "&PMS" menus and the cell-edit
// confirmation, on the memory table through the AppContext. The main window's
// menu items call these; selection and current cell come from AppState /
// MainView.
#include "core/AppState.h"
#include "editing/UndoSnapshot.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace mv {

struct RepeaterRuleSet;

class EditingCommands {
public:
    // `rules` decide the shift (and the proposed mode) of a confirmed frequency.
    EditingCommands(AppContext &ctx, UndoSnapshot &undo, const RepeaterRuleSet &rules);

    // Block commands
    void InsertMemoryAbove();
    void DeleteMemory();
    void RemoveMemory();
    void MoveSelectedUp();
    void MoveSelectedDown();
    void FillSelectionDownwards();
    void CompactEmptyMemories();
    // k: current row of the PMS view (0 = header).
    void DeletePmsMemoryPair(int k);
    // A row dragged from `from` to `to` in the memory view.
    void DragMove(int from, int to);

    // Clipboard and undo
    void Copy();
    void Cut();
    void Paste();
    void Undo();

    // Sort, find, duplicates
    void SortByFrequency();
    void SortByDescription();
    void ListDuplicateFrequencies();
    void FindText();
    void FindNext();

    // Cell editing: returns true when the edit was accepted (the memory now holds
    // the confirmed value), false when refused (the editor stays open).
    bool ConfirmMemoryEdit(int row, int column, const QString &text);
    bool ConfirmPmsEdit(int k, int column, const QString &text);
    // Shift+Insert: the clipboard text into the current cell, through the same checks.
    bool PasteIntoCell(int row, int column);

    static void ClearText(QString &text);

    // The choices of a pick-list column (2 mode, 3 shift, 4 encoding, 5 tone), in
    // menu order and without the trailing empty choice; empty for other columns.
    static QStringList PickListChoices(int column);
    // The entry of a pick list that `text` names: the text itself when it is one
    // of the choices, else the choice equal to it after trimming and without
    // regard to case ("fm" names "FM"); empty when it names none.
    static QString MatchPickList(int column, const QString &text);

    // The text of the selected cells as the clipboard receives it: cells joined
    // by tabs, rows by CR LF.
    QString SelectionText() const;

    QString FindTextValue;  // `FindText`, offered again next time
    int FoundRow = 0, FoundColumn = 0;

    // The prompt of the find box.
    static QString FindPrompt();

    // Expires when these commands are destroyed. Cell editors that can still
    // commit while their window is being torn down check it first.
    std::weak_ptr<const int> lifetime() const { return m_lifetime; }

private:
    // The table differs from what was last loaded or saved, and the window's
    // "Memories changed" says so at once.
    void markChanged()
    {
        m_ctx.state.MemoriesChanged = true;
        m_ctx.view.RefreshChangedState();
    }
    bool hasData() const { return m_ctx.state.DataSource != DataSource::Nothing; }
    int firstRow() const;
    int lastRow() const;
    void selectCell(int row, int column);
    void selectBlock(int first, int last);
    // With "&Hide empty memories" on, hidden rows follow the rows they belong to
    // after a reordering: a used memory never stays in a hidden row.
    void refreshHiding();
    void copyOrCut(bool cut);
    void sortBlock(int column);
    bool searchFrom(int row, int column);
    bool isMemoryCellEditable(int row, int column) const;

    AppContext &m_ctx;
    UndoSnapshot &m_undo;
    const RepeaterRuleSet &m_rules;
    std::shared_ptr<const int> m_lifetime = std::make_shared<const int>(0);
};

}  // namespace mv
