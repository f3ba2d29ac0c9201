#include "core/MemoryDocument.h"

#include "core/AppState.h"
#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"
#include "core/NumberText.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"
#include "shell/WindowLayout.h"

#include <QDir>
#include <QFileInfo>

namespace mv {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");
const QString kOpenFilter
    = QStringLiteral("Memories Files (*.450)|*.450|Description Files (*.450dsc)|*.450dsc|All Files (*.*)|*.*");
const QString kSaveFilter = QStringLiteral("Memories Files (*.450)|*.450|All Files (*.*)|*.*");
constexpr int kMaxSkippedInBox = 15;

// The description column width the views use by default for the grid size profile.
int defaultDescriptionWidth(const SettingsStore &settings)
{
    const GridProfile profile = GridProfileFor(settings.get<Setting::GridSize>());
    return DefaultMemoryWidths(profile)[MemoryTable::ColDescription];
}

bool isReadOnlyFile(const QFileInfo &fi)
{
    // The write bit, not access(): a read-only file stays read-only for an
    // administrator too.
    return fi.isFile() && !(fi.permissions() & QFileDevice::WriteOwner);
}

QString failureText(const WriteFailure &f)
{
    return QStringLiteral("Error number ") + SignedText(f.number) + QStringLiteral(" (") + f.description
           + QStringLiteral(") in line ") + SignedText(int(f.stage));
}

QString nativeAbsolute(const QString &path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); }

}  // namespace

bool LoadDescriptions(AppContext &ctx, const QString &path)
{
    const QString dscPath = DescriptionPathFor(path);
    if (dscPath.isEmpty())
        return false;
    DescriptionSet set;
    if (!ReadDescriptionFile(dscPath, &ctx.log, &set))
        return false;
    if (set.hasWidthRecord) {
        const int width = set.widthValid ? set.widthTwips : defaultDescriptionWidth(ctx.settings);
        ctx.state.DescriptionWidthTwips = width;
        ctx.view.SetDescriptionWidth(width);
    }
    ApplyDescriptions(ctx.state.table, set);
    return true;
}

bool LoadMemoryFile(AppContext &ctx)
{
    AppState &st = ctx.state;
    MainView &view = ctx.view;
    view.ShowMemoriesTab();
    if (st.MemoriesChanged) {
        const Answer a = ctx.dialogs.messageBox(QStringLiteral("Changes have been made but not yet saved to disk")
                                                    + kLineBreak + QStringLiteral("Are you sure you want to continue?"),
                                                Buttons::YesNo, Icon::Question);
        if (a != Answer::Yes)
            return false;
    }
    view.SetMainButtonsEnabled(false);

    const bool automatic = !st.AutoOpenPath.isEmpty();
    QString path = st.AutoOpenPath;
    if (!automatic) {
        FileDialogRequest request;
        request.title = QStringLiteral("Open memory file");
        request.filter = kOpenFilter;
        request.startFolder = st.HomeDir;
        const FileChoice choice = ctx.dialogs.openFile(request);
        if (choice.cancelled || choice.path.trimmed().isEmpty()) {
            view.RestoreMainButtons();
            return false;
        }
        path = choice.path;
    }
    path = MemoryFilePathFor(path);
    st.AutoOpenPath.clear();

    const QFileInfo fi(path);
    if (!fi.exists()) {
        if (!automatic)
            ctx.dialogs.messageBox(QStringLiteral("Filename ") + path + QStringLiteral(" does not exist"), Buttons::Ok,
                                   Icon::Exclamation);
        view.RestoreMainButtons();
        return false;
    }

    // Everything is read and checked before the table is touched.
    const TextFile file = ReadMemorySetFile(path);
    if (file.problem == TextFile::Problem::TooLarge || file.problem == TextFile::Problem::Binary) {
        ctx.dialogs.messageBox(MemorySetFileError(path, file) + kLineBreak + QStringLiteral("Nothing has been loaded."),
                               Buttons::Ok, Icon::Exclamation);
        view.RestoreMainButtons();
        return false;
    }
    if (file.problem != TextFile::Problem::None) {
        WriteFailure f;
        f.number = 75;
        f.description = QStringLiteral("Path/File access error - ") + MemorySetFileError(path, file);
        f.stage = FileStage::Open;
        ctx.dialogs.messageBox(QStringLiteral("An error has been encountered when trying to open the file.")
                                   + kLineBreak + failureText(f),
                               Buttons::Ok, Icon::Exclamation);
        view.RestoreMainButtons();
        return false;
    }

    if (HasDescriptionFileSuffix(path)) {
        const bool ok = LoadDescriptions(ctx, path);
        view.RestoreMainButtons();
        return ok;
    }

    {
        MemoryTable::Batch batch(st.table);
        st.table.ClearAllMemories();
        view.TableCleared();
        FillFromMemoryLines(st.table, file.lines, fi.fileName(), &ctx.log);
    }

    const QString fullPath = nativeAbsolute(path);
    ctx.settings.set<Setting::LastOpened>(fullPath);
    st.CurrentFilePath = fullPath;
    st.MemoriesChanged = false;
    st.ClipboardHasMemories = false;
    st.CopiedFirst = 0;
    st.CopiedLast = 0;
    st.CutPending = false;
    view.SetStatusPanel(1, QStringLiteral(" ") + fi.fileName());

    st.DataSource = DataSource::File;
    st.FileLoadComplete = true;
    st.RadioReadComplete = false;
    view.CommandsChanged();
    view.ApplyHideEmpty();
    view.ApplyBanding();
    LoadDescriptions(ctx, path);

    view.ShowMemoriesTab();
    view.SelectCell(1, 1);
    view.RestoreMainButtons();
    return true;
}

bool SaveMemoryFile(AppContext &ctx)
{
    AppState &st = ctx.state;
    MainView &view = ctx.view;
    if (st.DataSource == DataSource::Nothing)
        return false;
    view.SetMainButtonsEnabled(false);
    st.SaveCompleted = false;

    QString suggested = st.CurrentFilePath;
    QString path;
    QList<int> skipped;
    for (;;) {
        FileDialogRequest request;
        request.title = QStringLiteral("Save memory file");
        request.filter = kSaveFilter;
        request.startFolder = st.HomeDir;
        request.suggestedName = suggested;
        const FileChoice choice = ctx.dialogs.saveFile(request);
        if (choice.cancelled || choice.path.trimmed().isEmpty()) {
            view.RestoreMainButtons();
            return false;
        }
        path = choice.path;
        if (!HasMemoryFileSuffix(path))
            path += QStringLiteral(".450");

        const QFileInfo fi(path);
        if (fi.exists()) {
            if (isReadOnlyFile(fi)) {
                suggested.clear();
                ctx.dialogs.messageBox(QStringLiteral("File ") + path
                                           + QStringLiteral(" is read-only and cannot be over-written. Please choose "
                                                            "another filename."),
                                       Buttons::Ok, Icon::None);
                continue;
            }
            if (st.ConfirmReplace) {
                st.ConfirmReplace = false;
                const Answer a
                    = ctx.dialogs.messageBox(QStringLiteral("Filename ") + path + QStringLiteral(" already exists")
                                                 + kLineBreak + QStringLiteral("Do you wish to replace it?"),
                                             Buttons::YesNo, Icon::Question);
                if (a != Answer::Yes) {
                    view.RestoreMainButtons();
                    return false;
                }
            }
        }

        // The old files stay in place until the new ones are complete.
        skipped.clear();
        const WriteFailure f = WriteMemorySetFiles(path, st.table, view.DescriptionWidth(), &skipped);
        if (!f.failed())
            break;
        ctx.dialogs.messageBox(QStringLiteral("An error has been encountered when trying to save the file.")
                                   + kLineBreak + failureText(f) + kLineBreak + kLineBreak
                                   + QStringLiteral("Cannot save the file here - please try an alternative location"),
                               Buttons::Ok, Icon::Exclamation);
        suggested.clear();
    }

    const QString fullPath = nativeAbsolute(path);
    st.HomeDir = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    ctx.settings.set<Setting::LastOpened>(fullPath);
    st.CurrentFilePath = fullPath;
    view.SetStatusPanel(1, QStringLiteral(" ") + FileNameOf(fullPath));
    st.DescriptionWidthTwips = view.DescriptionWidth();

    // A row left out of the file is still a change the file does not hold.
    if (skipped.isEmpty())
        st.MemoriesChanged = false;
    st.SaveCompleted = true;

    if (!skipped.isEmpty()) {
        QStringList shown;
        for (int cat : std::as_const(skipped)) {
            const QString reason = RowSaveProblem(st.table, cat);
            ctx.log.LogMessage(MemoryNameOf(cat) + QStringLiteral(" was not saved: ") + reason);
            if (shown.size() < kMaxSkippedInBox)
                shown << MemoryNameOf(cat) + QStringLiteral(": ") + reason;
        }
        if (skipped.size() > kMaxSkippedInBox)
            shown << QStringLiteral("... and") + SignedText(skipped.size() - kMaxSkippedInBox)
                         + QStringLiteral(" more (see the messages window)");
        ctx.dialogs.messageBox(QStringLiteral("The file was saved, but these memories could not be written to it "
                                              "and were left out:")
                                   + kLineBreak + shown.join(kLineBreak) + kLineBreak + kLineBreak
                                   + QStringLiteral("They are still in the table: correct them and save again."),
                               Buttons::Ok, Icon::Exclamation);
    }
    view.RestoreMainButtons();
    return true;
}

bool SaveMemoryFileCommand(AppContext &ctx)
{
    ctx.state.ConfirmReplace = false;
    return SaveMemoryFile(ctx);
}

bool SaveMemoryFileAsCommand(AppContext &ctx)
{
    const QString previous = ctx.state.CurrentFilePath;
    ctx.state.CurrentFilePath.clear();
    ctx.state.ConfirmReplace = true;
    const bool saved = SaveMemoryFile(ctx);
    // A cancelled "Save As" does not forget which file is open.
    if (!saved && ctx.state.CurrentFilePath.isEmpty())
        ctx.state.CurrentFilePath = previous;
    return saved;
}

bool ConfirmExit(AppContext &ctx)
{
    AppState &st = ctx.state;
    if (!st.MemoriesChanged)
        return true;
    const Answer answer = ctx.dialogs.messageBox(
        QStringLiteral("Changes have been made but not yet saved to disk. Do you want to save these changes before "
                       "exit?\r\n\r\n   Yes - save the changes and exit,\r\n   No - ignore the changes and exit,\r\n"
                       "   Cancel - do not exit."),
        Buttons::YesNoCancel, Icon::Exclamation);
    if (answer == Answer::Cancel)
        return false;
    if (answer == Answer::Yes) {
        st.ConfirmReplace = false;
        st.SaveCompleted = false;
        SaveMemoryFile(ctx);
        return st.SaveCompleted;
    }
    return true;
}

void CreateInitialMemoryFile(AppContext &ctx)
{
    AppState &st = ctx.state;
    const QString folder = st.HomeDir.isEmpty() ? QDir::currentPath() : st.HomeDir;
    const QString path = QDir::toNativeSeparators(QDir(QDir::fromNativeSeparators(folder)).filePath(kInitialFileName));
    if (!QFileInfo::exists(path)) {
        const WriteFailure f = WriteLinesAtomically(path, {kInitialRecord});
        if (f.failed()) {
            ctx.log.LogMessage(QStringLiteral("The initial memory file ") + path
                               + QStringLiteral(" could not be created: ") + f.description);
        } else {
            st.HomeDir = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
            ctx.settings.set<Setting::LastOpened>(path);
        }
    }
    st.AutoOpenPath = path;
}

bool PrepareAutoOpen(AppContext &ctx, const QString &commandLinePath)
{
    QString path = commandLinePath;
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    if (path.isEmpty())
        path = ctx.settings.get<Setting::LastOpened>();
    if (IsFloppyDrivePath(path)) {
        ctx.state.AutoOpenPath.clear();
        return false;
    }
    ctx.state.AutoOpenPath = path;
    if (path.isEmpty())
        CreateInitialMemoryFile(ctx);
    return !ctx.state.AutoOpenPath.isEmpty();
}

}  // namespace mv
