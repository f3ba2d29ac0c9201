#include "editing/EditingCommands.h"

namespace mv {

EditingCommands::EditingCommands(AppContext &ctx, UndoSnapshot &undo)
    : m_ctx(ctx)
    , m_undo(undo)
{
}

void EditingCommands::InsertMemoryAbove() {}
void EditingCommands::DeleteMemory() {}
void EditingCommands::RemoveMemory() {}
void EditingCommands::MoveSelectedUp() {}
void EditingCommands::MoveSelectedDown() {}
void EditingCommands::FillSelectionDownwards() {}
void EditingCommands::CompactEmptyMemories() {}
void EditingCommands::DeletePmsMemoryPair(int) {}
void EditingCommands::DragMove(int, int) {}
void EditingCommands::Copy() {}
void EditingCommands::Cut() {}
void EditingCommands::Paste() {}
void EditingCommands::Undo() {}
void EditingCommands::SortByFrequency() {}
void EditingCommands::SortByDescription() {}
void EditingCommands::ListDuplicateFrequencies() {}
void EditingCommands::FindText() {}
void EditingCommands::FindNext() {}
bool EditingCommands::ConfirmMemoryEdit(int, int, const QString &) { return false; }
bool EditingCommands::ConfirmPmsEdit(int, int, const QString &) { return false; }
bool EditingCommands::PasteIntoCell(int, int) { return false; }

void EditingCommands::ClearText(QString &text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char(';') || c == QLatin1Char(','))
            c = QLatin1Char(' ');
    }
}

} // namespace mv
