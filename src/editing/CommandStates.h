#pragma once
// Which commands of the main window can be chosen, and the captions that
// depend on state, worked out from the program's state alone. The window
// applies the result to its buttons and menu items in one place.
#include "core/AppState.h"

#include <QString>

namespace mv {

class UndoSnapshot;

// What the window knows besides AppState and the undo snapshot.
struct CommandInputs {
    // A load, save or radio transfer holds the main buttons (from the hook
    // SetMainButtonsEnabled(false) to RestoreMainButtons()).
    bool busy = false;
    // The Import/Export window is open.
    bool importExportOpen = false;
    // "Export only selected mems" is picking rows in the memory view.
    bool rowPicking = false;
    // 0 the memory tab, 1 the PMS tab.
    int currentTab = 0;
};

struct CommandStates {
    // The five main buttons.
    bool readFile = true;
    bool readRadio = true;
    bool writeFile = false;
    bool writeRadio = false;
    bool importExport = false;
    // "&Open", "&Save", "Save &As"; "&Compare with Radio...".
    bool fileItems = true;
    bool compareRadio = false;
    // "&Undo" and its caption ("Undo last " + the command's name).
    bool undo = false;
    QString undoCaption = QStringLiteral("&Undo");
    // "&Copy (and memories)" and "Cu&t memories"; "&Paste memories".
    bool copyCut = false;
    bool paste = false;
    // "Insert memory &Above" works on one memory only; "&Delete memory" also on
    // a block; the other items of the "&Memories" menu once something is loaded.
    bool insertAbove = false;
    bool deleteMemory = false;
    bool otherEditing = false;
    // The "&Memories" and "&PMS" menus, the PMS tab.
    bool memoriesMenu = true;
    bool pmsMenu = false;
    bool pmsTab = false;
    // The "&Hide empty memories" check mark.
    bool hideEmptyChecked = false;

    bool operator==(const CommandStates &) const = default;
};

CommandStates commandStates(const AppState &state, const UndoSnapshot &undo, const CommandInputs &inputs);

}  // namespace mv
