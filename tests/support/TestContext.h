#pragma once
// A complete AppContext over a private settings folder, scripted dialogs and a
// recording main view, for logic tests.
#include "ScriptedDialogs.h"
#include "core/AppState.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"

#include <QTemporaryDir>
#include <memory>

namespace mv::test {

class RecordingView : public MainView {
public:
    void SetMainButtonsEnabled(bool on) override
    {
        calls << (on ? "SetMainButtonsEnabled(true)" : "SetMainButtonsEnabled(false)");
    }
    void RestoreMainButtons() override { calls << "RestoreMainButtons"; }
    void RefreshChangedState() override { calls << "RefreshChangedState"; }
    void ShowMemoriesTab() override { calls << "ShowMemoriesTab"; }
    void SetStatusPanel(int panel, const QString &text) override
    {
        if (panel >= 1 && panel <= 4)
            status[panel - 1] = text;
    }
    void ApplyHideEmpty() override { calls << "ApplyHideEmpty"; }
    void ApplyBanding() override { calls << "ApplyBanding"; }
    void SelectCell(int row, int column) override
    {
        calls << QStringLiteral("SelectCell(%1,%2)").arg(row).arg(column);
        currentRow = row;
        currentColumn = column;
    }
    void TableCleared() override { calls << "TableCleared"; }
    void SetDescriptionWidth(int twips) override { descriptionWidth = twips; }
    int DescriptionWidth() const override { return descriptionWidth; }
    void SetClipboardItemsEnabled(bool copyCut, bool paste) override
    {
        copyCutEnabled = copyCut;
        pasteEnabled = paste;
    }
    void ShowTransferWindow(TransferKind k) override
    {
        calls << (k == TransferKind::Read ? "ShowTransferWindow(Read)" : "ShowTransferWindow(Write)");
    }
    void HideTransferWindow() override { calls << "HideTransferWindow"; }
    void SetTransferProgress(int value, int maximum) override
    {
        progress = value;
        progressMax = maximum;
    }

    // The memory view's cursor, block, focus, undo item, hide check, clipboard and
    // hidden columns: scriptable by tests, updated by the hooks like a real view.
    int CurrentRow() const override { return currentRow; }
    int CurrentColumn() const override { return currentColumn; }
    void SelectBlock(int firstRow, int lastRow, int firstCol, int lastCol) override
    {
        block = {firstRow, lastRow, firstCol, lastCol};
        ++blockSelections;
        currentRow = firstRow;
        currentColumn = firstCol;
    }
    void FocusMemoryView() override { ++focusRequests; }
    void SetUndoItem(bool enabled, const QString &caption) override
    {
        undoEnabled = enabled;
        undoCaption = caption;
    }
    void SetHideEmptyChecked(bool on) override { hideEmptyChecked = on; }
    void SetClipboardText(const QString &text) override { clipboard = text; }
    QString ClipboardText() const override { return clipboard; }
    bool IsColumnHidden(int column) const override { return hiddenColumns.contains(column); }

    int currentRow = 1;
    int currentColumn = 1;
    SelectionBlock block;
    int blockSelections = 0;
    int focusRequests = 0;
    bool undoEnabled = false;
    QString undoCaption = QStringLiteral("&Undo");
    bool hideEmptyChecked = false;
    QString clipboard;
    QList<int> hiddenColumns;

    QStringList calls;
    QString status[4];
    int descriptionWidth = 3450;
    bool copyCutEnabled = false;
    bool pasteEnabled = false;
    int progress = 0;
    int progressMax = 0;
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
