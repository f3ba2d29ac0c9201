#pragma once
// A complete AppContext over a private settings folder, scripted dialogs and a
// recording main view, for logic tests.
#include "ScriptedDialogs.h"
#include "core/AppState.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace mv::test {

// A main view that keeps what it was last told to show (status panels, the
// description width) and the cursor and clipboard that tests script as a user
// would leave them.
class RecordingView : public MainView {
public:
    void SetStatusPanel(int panel, const QString &text) override
    {
        if (panel >= 1 && panel <= 4)
            status[panel - 1] = text;
    }
    void SelectCell(int row, int column) override
    {
        currentRow = row;
        currentColumn = column;
    }
    void SetDescriptionWidth(int twips) override { descriptionWidth = twips; }
    int DescriptionWidth() const override { return descriptionWidth; }
    int CurrentRow() const override { return currentRow; }
    int CurrentColumn() const override { return currentColumn; }
    void SelectBlock(int firstRow, int, int firstCol, int) override { SelectCell(firstRow, firstCol); }
    void SetClipboardText(const QString &text) override { clipboard = text; }
    QString ClipboardText() const override { return clipboard; }
    bool IsColumnHidden(int column) const override { return hiddenColumns.contains(column); }
    // Lets a test act while a transfer runs (a cancel click at memory n).
    void SetTransferProgress(int value, int maximum) override
    {
        if (onProgress)
            onProgress(value, maximum);
    }
    std::function<void(int value, int maximum)> onProgress;

    int currentRow = 1;
    int currentColumn = 1;
    QString clipboard;
    QList<int> hiddenColumns;
    QString status[4];
    int descriptionWidth = 3450;
};

struct TestContext {
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings = SettingsStore::createTemporary();
    AppState state;
    MessageLog log;
    ScriptedDialogs dialogs;
    RecordingView view;
    AppContext ctx{state, *settings, log, dialogs, view};
};

// Folder of the test data files.
QString testDataPath(const QString &name);

}  // namespace mv::test
