#pragma once
// The commands of the "&Memories" and "&PMS" menus and the cell-edit
// confirmation, on the memory table through the AppContext. The main window's
// menu items call these; selection and current cell come from AppState /
// MainView.
#include "core/AppState.h"
#include "editing/UndoSnapshot.h"

#include <QString>

namespace mv {

class EditingCommands {
public:
    EditingCommands(AppContext &ctx, UndoSnapshot &undo);

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

    // Cell editing: returns true when the edit was accepted (the cell now holds the
    // confirmed text), false when refused (the editor stays open).
    bool ConfirmMemoryEdit(int row, int column, const QString &text);
    bool ConfirmPmsEdit(int k, int column, const QString &text);
    // Shift+Insert: the clipboard text into the current cell, through the same checks.
    bool PasteIntoCell(int row, int column);

    static void ClearText(QString &text);

    QString FindTextValue;  // `FindText`, offered again next time
    int FoundRow = 0, FoundColumn = 0;

private:
    AppContext &m_ctx;
    UndoSnapshot &m_undo;
};

} // namespace mv
