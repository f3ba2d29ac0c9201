#include "core/MemoryFiles.h"

#include "core/AppState.h"
#include "core/MemoryRecord.h"
#include "core/MemoryTable.h"
#include "core/MemoryText.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"
#include "shell/SafeSave.h"
#include "shell/SettingsStore.h"
#include "shell/WindowLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>

#include <array>

namespace mv {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");
const QString kOpenFilter
    = QStringLiteral("Memories Files (*.450)|*.450|Description Files (*.450dsc)|*.450dsc|All Files (*.*)|*.*");
const QString kSaveFilter = QStringLiteral("Memories Files (*.450)|*.450|All Files (*.*)|*.*");
constexpr int kMaxSkippedInBox = 15;

QString stripTrailingBlanks(const QString &s)
{
    int end = int(s.size());
    while (end > 0 && (s.at(end - 1) == QLatin1Char(' ') || s.at(end - 1) == QLatin1Char('\t')))
        --end;
    return s.left(end);
}

QString plural(int n, const char *one, const char *many) { return QLatin1String(n == 1 ? one : many); }

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

QString saveProblemOf(const MemoryTable &table, int cat)
{
    QString problem = RecordProblem(table, cat);
    if (!problem.isEmpty())
        return problem;
    // Eight digits of Hz: up to 99.999999 MHz.
    const Memory &m = table.byCatNumber(cat);
    if (m.frequencyHz() < 0 || m.frequencyHz() > 99999999)
        return QStringLiteral("the frequency '%1' does not fit a memory record").arg(FrequencyText(m));
    if (BuildMemoryWrite(table, cat).size() != kRecordLength)
        return QStringLiteral("the memory cannot be written as a record");
    return {};
}

WriteFailure failureOf(const SaveError &e, int step)
{
    WriteFailure f;
    f.step = step;
    QString what;
    switch (e.kind) {
    case SaveErrorKind::NoSpace:
    case SaveErrorKind::TooLarge:
        f.number = 61;
        what = QStringLiteral("Disk full");
        break;
    case SaveErrorKind::Permission:
    case SaveErrorKind::Busy:
        f.number = 70;
        what = QStringLiteral("Permission denied");
        break;
    case SaveErrorKind::PathNotFound:
        f.number = 76;
        what = QStringLiteral("Path not found");
        break;
    case SaveErrorKind::Io:
        if (e.writing) {
            f.number = 57;
            what = QStringLiteral("Device I/O error");
            break;
        }
        [[fallthrough]];
    default:
        f.number = 75;
        what = QStringLiteral("Path/File access error");
        break;
    }
    f.description = what + QStringLiteral(" - ") + e.text();
    f.file = e.path;
    f.reason = e.reason;
    return f;
}

QByteArray encodeLines(const QStringList &lines)
{
    QByteArray data;
    for (const QString &line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }
    return data;
}

WriteFailure writeSetFiles(const QString &path, const MemoryTable &table, int descriptionWidth, QList<int> *skipped)
{
    QList<FileContent> files{{path, encodeLines(MemoryFileLines(table, skipped))}};
    if (HasMemoryFileSuffix(path))
        files.append({DescriptionPathFor(path), encodeLines(DescriptionFileLines(table, descriptionWidth))});
    // Both files are complete before either replaces its old file, and the
    // lock keeps another save of the same set from running in between.
    const SaveError e = SaveFilesTogether(files, SaveLockPathFor(path));
    if (!e.failed())
        return {};
    const bool descriptions = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())
                              != QDir::toNativeSeparators(QFileInfo(e.path).absoluteFilePath());
    return failureOf(e, descriptions ? 11 : (e.writing ? 9 : 8));
}

QString failureText(const WriteFailure &f)
{
    return QStringLiteral("Error number ") + SignedText(f.number) + QStringLiteral(" (") + f.description
           + QStringLiteral(") in line ") + SignedText(f.step);
}

QString nativeAbsolute(const QString &path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); }

}  // namespace

// ---------------------------------------------------------------------------
// Paths

QString FileNameOf(const QString &path)
{
    const QString p = QDir::fromNativeSeparators(path);
    return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

bool HasMemoryFileSuffix(const QString &path) { return path.endsWith(QLatin1String(".450"), Qt::CaseInsensitive); }

bool HasDescriptionFileSuffix(const QString &path)
{
    return path.endsWith(QLatin1String(".450dsc"), Qt::CaseInsensitive);
}

QString MemoryFilePathFor(const QString &path)
{
    if (HasMemoryFileSuffix(path) || HasDescriptionFileSuffix(path))
        return path;
    return path + QStringLiteral(".450");
}

QString DescriptionPathFor(const QString &path)
{
    if (HasDescriptionFileSuffix(path))
        return path;
    if (HasMemoryFileSuffix(path))
        return path + QStringLiteral("dsc");
    return {};
}

bool IsFloppyDrivePath(const QString &path)
{
    if (path.size() < 2 || path.at(1) != QLatin1Char(':'))
        return false;
    const QChar drive = path.at(0).toUpper();
    return drive == QLatin1Char('A') || drive == QLatin1Char('B');
}

// ---------------------------------------------------------------------------
// Reading

FileText DecodeFileText(const QByteArray &bytes)
{
    FileText out;
    if (bytes.size() > kMaxMemorySetFileSize) {
        out.problem = FileProblem::TooLarge;
        out.error = QStringLiteral("it is larger than 1 MiB");
        return out;
    }
    if (bytes.contains('\0')) {
        out.problem = FileProblem::Binary;
        out.error = QStringLiteral("it holds binary data (NUL bytes)");
        return out;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        out.lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        out.lines << text.mid(start);
    return out;
}

FileText ReadFileText(const QString &path)
{
    FileText out;
    // Read once, and only from a regular file: a FIFO or a device would block
    // or never end.
    ReadResult r = ReadRegularFile(path, kMaxMemorySetFileSize);
    switch (r.problem) {
    case ReadResult::None:
        break;
    case ReadResult::Missing:
        out.problem = FileProblem::Missing;
        out.error = r.error;
        return out;
    case ReadResult::TooLarge:
        out.problem = FileProblem::TooLarge;
        out.error = QStringLiteral("File ") + path + QStringLiteral(" cannot be loaded: it is larger than 1 MiB.");
        return out;
    case ReadResult::NotRegularFile:
    case ReadResult::Unreadable:
        out.problem = FileProblem::Unreadable;
        out.error = r.error;
        return out;
    }
    out = DecodeFileText(r.bytes);
    if (out.problem != FileProblem::None)
        out.error
            = QStringLiteral("File ") + path + QStringLiteral(" cannot be loaded: ") + out.error + QLatin1Char('.');
    return out;
}

int FillFromMemoryLines(MemoryTable &table, const QStringList &lines, const QString &fileName, MessageLog *log)
{
    auto trace = [&](const QString &text) {
        if (log)
            log->LogMessage(text, QStringLiteral("Y"));
    };
    MemoryTable::Batch batch(table);
    // Each line is decoded into a scratch row first and reaches the table only
    // when every field decoded: a damaged line changes nothing.
    MemoryTable scratch;
    std::array<int, kLastCat + 1> lineOf{};  // the line that filled each memory
    int ignored = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = stripTrailingBlanks(lines.at(i));
        if (line.trimmed().isEmpty())
            continue;
        const QString where = QStringLiteral("Line") + SignedText(i + 1) + QStringLiteral(" of ") + fileName;
        if (line.size() > kMaxRecordLineLength) {
            trace(where + QStringLiteral(" is longer than 1000 characters - line ignored"));
            ++ignored;
            continue;
        }
        const QString digits = line.mid(2, 3);
        const int number = IsAsciiDigits(digits) ? digits.toInt() : 0;
        if (number < 1 || number > kLastCat) {
            trace(where + QStringLiteral(": memory number ") + QString::number(number).rightJustified(3, '0')
                  + QStringLiteral(" does not exist - line ignored"));
            ++ignored;
            continue;
        }
        if (line.size() < kRecordLength - 1) {
            trace(where + QStringLiteral(" is too short for a memory record - line ignored"));
            ++ignored;
            continue;
        }
        if (!FillMemory(scratch, number, line, log)) {
            ++ignored;
            continue;
        }
        if (lineOf[size_t(number)] != 0)
            trace(where + QStringLiteral(" sets ") + MemoryNameOf(number) + QStringLiteral(" again - it replaces line")
                  + SignedText(lineOf[size_t(number)]));
        lineOf[size_t(number)] = i + 1;
        Memory m = scratch.byCatNumber(number);
        m.description = table.byCatNumber(number).description;
        table.setByCatNumber(number, m);
    }
    if (ignored > 0 && log)
        log->LogMessage(QStringLiteral("Loading ") + fileName + QStringLiteral(" ignored") + SignedText(ignored)
                        + plural(ignored, " line", " lines") + QStringLiteral(" that could not be read"));
    return ignored;
}

QString CleanDescription(const QString &text)
{
    QString t = text;
    for (QChar &c : t) {
        if (c == QLatin1Char('"') || c == QLatin1Char(';') || c == QLatin1Char(','))
            c = QLatin1Char(' ');
    }
    return t.left(MemoryTable::kDescriptionLimit);
}

namespace {
// One `number,"text"` record; false when the line holds no second item.
bool parseDescriptionRecord(const QString &line, QString *text)
{
    const int comma = int(line.indexOf(QLatin1Char(',')));
    if (comma < 0)
        return false;
    const QString rest = line.mid(comma + 1).trimmed();
    if (rest.startsWith(QLatin1Char('"'))) {
        const int close = int(rest.indexOf(QLatin1Char('"'), 1));
        *text = close < 0 ? rest.mid(1) : rest.mid(1, close - 1);
    } else {
        *text = rest;
    }
    return true;
}

bool parseWidth(const QString &text, int *twips)
{
    const QString t = text.trimmed();
    bool ok = false;
    double d = QLocale::c().toDouble(t, &ok);
    if (!ok)
        d = QLocale().toDouble(t, &ok);
    if (!ok || !(d >= 1.0 && d <= 100000.0))
        return false;
    *twips = int(d + 0.5);
    return true;
}
}  // namespace

DescriptionSet ParseDescriptions(const QStringList &lines)
{
    DescriptionSet set;
    bool first = true;
    for (const QString &raw : lines) {
        if (raw.trimmed().isEmpty())
            continue;
        QString text;
        if (!parseDescriptionRecord(raw, &text))
            break;
        if (first) {
            first = false;
            set.hasWidthRecord = true;
            set.widthValid = parseWidth(text, &set.widthTwips);
            continue;
        }
        set.texts << CleanDescription(text);
        if (set.texts.size() == MemoryTable::kMemoryCount)
            break;
    }
    return set;
}

void ApplyDescriptions(MemoryTable &table, const DescriptionSet &set)
{
    MemoryTable::Batch batch(table);
    for (int i = 0; i < set.texts.size() && i < MemoryTable::kMemoryCount; ++i) {
        Memory m = table.memory(i + 1);
        m.description = set.texts.at(i);
        table.setMemory(i + 1, m);
    }
}

namespace {
// Reads and parses a description file. One too large or holding binary data is
// reported in the log; a missing or unreadable one ends quietly. False when
// nothing was read.
bool readDescriptionFile(const QString &dscPath, MessageLog *log, DescriptionSet *set)
{
    const FileText file = ReadFileText(dscPath);
    if (file.problem == FileProblem::TooLarge || file.problem == FileProblem::Binary) {
        if (log)
            log->LogMessage(file.error + QStringLiteral(" The descriptions were not loaded."));
        return false;
    }
    if (file.problem != FileProblem::None)
        return false;
    *set = ParseDescriptions(file.lines);
    return true;
}
}  // namespace

bool readMemorySet(const QString &path, MemoryTable &table, MessageLog *log, QString *error, int *descriptionWidth,
                   int *ignored)
{
    if (descriptionWidth)
        *descriptionWidth = kDefaultDescriptionWidth;
    if (ignored)
        *ignored = 0;
    const FileText file = ReadFileText(path);
    if (file.problem != FileProblem::None) {
        if (error)
            *error = file.error;
        return false;
    }
    MemoryTable::Batch batch(table);
    table.ClearAllMemories();
    const int bad = FillFromMemoryLines(table, file.lines, FileNameOf(path), log);
    if (ignored)
        *ignored = bad;
    if (!HasMemoryFileSuffix(path))
        return true;
    DescriptionSet set;
    if (!readDescriptionFile(DescriptionPathFor(path), log, &set))
        return true;
    if (set.widthValid && descriptionWidth)
        *descriptionWidth = set.widthTwips;
    ApplyDescriptions(table, set);
    return true;
}

// ---------------------------------------------------------------------------
// Writing

QString RowSaveProblem(const MemoryTable &table, int catNumber) { return saveProblemOf(table, catNumber); }

QStringList MemoryFileLines(const MemoryTable &table, QList<int> *skipped)
{
    QStringList lines;
    for (int cat = 1; cat <= kLastCat; ++cat) {
        if (table.isCatEmpty(cat))
            continue;
        if (!saveProblemOf(table, cat).isEmpty()) {
            if (skipped)
                skipped->append(cat);
            continue;
        }
        lines << BuildMemoryWrite(table, cat);
    }
    return lines;
}

QStringList DescriptionFileLines(const MemoryTable &table, int descriptionWidth)
{
    QStringList lines;
    lines.reserve(MemoryTable::kMemoryCount + 1);
    lines << QStringLiteral("0,\"%1\"").arg(descriptionWidth);
    for (int i = 1; i <= MemoryTable::kMemoryCount; ++i)
        lines << QStringLiteral("%1,\"%2\"").arg(i).arg(CleanDescription(table.memory(i).description));
    return lines;
}

WriteFailure DescribeSaveError(const SaveError &error, int step) { return failureOf(error, step); }

WriteFailure WriteLinesAtomically(const QString &path, const QStringList &lines, int step)
{
    const SaveError e = SaveFileContent(path, encodeLines(lines));
    return e.failed() ? failureOf(e, step) : WriteFailure{};
}

bool writeMemorySet(const QString &path, const MemoryTable &table, int descriptionWidth, QString *error,
                    QList<int> *skipped)
{
    const WriteFailure f = writeSetFiles(path, table, descriptionWidth, skipped);
    if (f.failed() && error)
        *error = QStringLiteral("Cannot save ") + f.file + QStringLiteral(": ") + f.reason;
    return !f.failed();
}

QString MemoryNameOf(int catNumber)
{
    if (catNumber > MemoryTable::kMemoryCount)
        return QStringLiteral("PMS memory ") + MemoryTable::pmsLabel(catNumber - MemoryTable::kMemoryCount);
    return QStringLiteral("Memory") + SignedText(catNumber);
}

// ---------------------------------------------------------------------------
// Commands of the window

bool LoadDescriptions(AppContext &ctx, const QString &path)
{
    const QString dscPath = DescriptionPathFor(path);
    if (dscPath.isEmpty())
        return false;
    DescriptionSet set;
    if (!readDescriptionFile(dscPath, &ctx.log, &set))
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
    const FileText file = ReadFileText(path);
    if (file.problem == FileProblem::TooLarge || file.problem == FileProblem::Binary) {
        ctx.dialogs.messageBox(file.error + kLineBreak + QStringLiteral("Nothing has been loaded."), Buttons::Ok,
                               Icon::Exclamation);
        view.RestoreMainButtons();
        return false;
    }
    if (file.problem != FileProblem::None) {
        WriteFailure f;
        f.number = 75;
        f.description = QStringLiteral("Path/File access error - ") + file.error;
        f.step = 8;
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

    st.DataSource = int(DataSourceKind::File);
    st.FileLoadComplete = true;
    st.RadioReadComplete = false;
    view.SetClipboardItemsEnabled(true, false);
    view.ApplyHideEmpty();
    view.ApplyBanding();
    LoadDescriptions(ctx, path);

    view.ShowMemoriesTab();
    view.SelectCell(1, 1);
    view.RestoreMainButtons();
    return true;
}

bool SaveDescriptions(AppContext &ctx, const QString &path)
{
    if (!HasMemoryFileSuffix(path))
        return false;
    const WriteFailure f = WriteLinesAtomically(DescriptionPathFor(path),
                                                DescriptionFileLines(ctx.state.table, ctx.view.DescriptionWidth()), 11);
    if (f.failed()) {
        ctx.dialogs.messageBox(QStringLiteral("An error has been encountered when trying to save the file.")
                                   + kLineBreak + failureText(f),
                               Buttons::Ok, Icon::Exclamation);
        return false;
    }
    return true;
}

bool SaveMemoryFile(AppContext &ctx)
{
    AppState &st = ctx.state;
    MainView &view = ctx.view;
    if (st.DataSource == int(DataSourceKind::Nothing))
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
        const WriteFailure f = writeSetFiles(path, st.table, view.DescriptionWidth(), &skipped);
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
            const QString reason = saveProblemOf(st.table, cat);
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
