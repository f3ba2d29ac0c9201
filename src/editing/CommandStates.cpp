#include "editing/CommandStates.h"

#include "editing/UndoSnapshot.h"

namespace mv {

CommandStates commandStates(const AppState &state, const UndoSnapshot &undo, const CommandInputs &inputs)
{
    CommandStates c;
    const bool loaded = state.DataSource != DataSource::Nothing;
    // A set read in full or loaded from a file can be written, compared and exported.
    const bool complete = state.RadioReadComplete || state.FileLoadComplete;
    const bool idle = !inputs.busy;

    c.readFile = idle;
    c.readRadio = idle;
    c.writeFile = idle && complete;
    c.writeRadio = idle && complete;
    // While the Import/Export window is open its button stays off.
    c.importExport = idle && complete && !inputs.importExportOpen;
    // The file items do what two of the buttons do; they pause with them so a
    // load cannot start in the middle of a transfer.
    c.fileItems = idle;
    c.compareRadio = idle && complete;

    c.undo = undo.available();
    // After an undo the item stays named after what it undid.
    c.undoCaption = undo.name().isEmpty() ? QStringLiteral("&Undo") : UndoSnapshot::captionFor(undo.name());

    c.copyCut = loaded;
    c.paste = loaded && state.ClipboardHasMemories;
    const SelectionBlock &b = state.selection;
    const bool oneCell = b.firstRow == b.lastRow && b.firstCol == b.lastCol;
    c.insertAbove = loaded && oneCell;
    c.deleteMemory = loaded;
    c.otherEditing = loaded;

    c.memoriesMenu = inputs.currentTab == 0 && !inputs.rowPicking;
    c.pmsMenu = inputs.currentTab == 1;
    c.pmsTab = loaded;
    c.hideEmptyChecked = state.HideEmptyMemories;
    return c;
}

}  // namespace mv
