#pragma once
// The memory set open in the window: what the window's buttons and menus run to
// load and save it (core/MemorySetFormat.h does the files), the start-up load,
// and the question when the program is closed with unsaved changes. These ask
// through Dialogs, drive the MainView hooks and keep AppState; tests run them
// with scripted dialogs and no window.
#include <QString>

namespace mv {

struct AppContext;

// "Read &Disk File" / "&Open" (and the start-up load with AutoOpenPath set).
// Returns true when a memory file or description file was loaded.
bool LoadMemoryFile(AppContext &ctx);
// "&Write Disk File" / "&Save" / "Save &As" / the exit question. Returns true
// when the memory set was saved (SaveCompleted).
bool SaveMemoryFile(AppContext &ctx);
// "&Save": no question before replacing; the save dialog suggests the current file.
bool SaveMemoryFileCommand(AppContext &ctx);
// "Save &As": no suggested name, asks before replacing.
bool SaveMemoryFileAsCommand(AppContext &ctx);

// Descriptions from the ".450dsc" of `path` (or `path` itself when it is one)
// into column 6 and the description column width. Missing or short files end
// quietly. Returns true when the file was read.
bool LoadDescriptions(AppContext &ctx, const QString &path);

// The question when the program is to close: with unsaved changes it asks
// whether to save them first. Yes saves (through the save dialog) and closes
// only when the set was saved; No closes without saving; Cancel stays. True
// when the program may close.
bool ConfirmExit(AppContext &ctx);

// Creates "Initial memory file.450" in HomeDir (or the current folder) when it is
// not there, and sets AutoOpenPath to it.
void CreateInitialMemoryFile(AppContext &ctx);

// The start-up choice of the file to open: `commandLinePath` (surrounding double
// quotes removed) or else the "LastOpened" setting; a floppy-drive path is
// dropped and nothing is loaded; when there is nothing at all the initial file
// is created. Sets AutoOpenPath and returns true when a load is due.
bool PrepareAutoOpen(AppContext &ctx, const QString &commandLinePath);

}  // namespace mv
