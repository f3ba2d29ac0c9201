// memvault-cli subcommands (csv): export-csv and import-csv, the same export and
// import that the Import/Export window runs, on a memory file instead of the
// window's table.
#include "CliCommands.h"
#include "core/AppState.h"
#include "core/MemorySetFormat.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "rules/RepeaterRules.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"

#include <QFileInfo>

namespace mv::cli {

namespace {

// Boxes become lines (results on stdout, everything else on stderr). The two
// questions of an import are answered by the command's options: loading despite
// pre-check errors only with --force, clearing only when --clear asked for it.
class CliDialogs : public Dialogs {
public:
    bool force = false;
    // While set, result lines ("Import completed") wait in `held` until the
    // command knows that its file was saved.
    bool holdResults = false;
    QStringList held;
    Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &) override
    {
        if (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) {
            const bool precheck = text.startsWith(QLatin1String("The pre-check"));
            const Answer a = (!precheck || force) ? Answer::Yes : Answer::No;
            printErr(text + (a == Answer::Yes ? QStringLiteral(" Yes") : QStringLiteral(" No")));
            return a;
        }
        if (icon == Icon::Information && holdResults)
            held << text;
        else if (icon == Icon::Information)
            printOut(text);
        else
            printErr(text);
        return Answer::Ok;
    }
    std::optional<QString> inputBox(const QString &, const QString &, const QString &) override { return std::nullopt; }
    FileChoice openFile(const FileDialogRequest &) override { return {}; }
    FileChoice saveFile(const FileDialogRequest &) override { return {}; }
    QString browseForFolder(const QString &) override { return {}; }
};

struct CliContext {
    AppState state;
    SettingsStore settings;
    MessageLog log;
    CliDialogs dialogs;
    MainView view;
    AppContext ctx{state, settings, log, dialogs, view};

    CliContext()
    {
        // Every line of the messages window (pre-check reports included) goes to stderr.
        QObject::connect(&log, &MessageLog::lineAdded, [](const QString &line) { printErr(line); });
    }
};

int usage(const char *text)
{
    printErr(QStringLiteral("usage: memvault-cli %1").arg(QLatin1String(text)));
    return 2;
}

const char *kExportUsage
    = "export-csv FILE.450 OUT.csv [--format memvault|chirp] [--tab] [--keep-numbers] [--omit-header]";
const char *kImportUsage
    = "import-csv IN.csv|- FILE.450 [--start N] [--use-numbers] [--clear] [--omit-duplicates] [--force]";

}  // namespace

int runExportCsv(const QStringList &args)
{
    QStringList files;
    CsvExportOptions options;
    bool ownOnly = false;  // an option of this program's own layout was given
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--format") || a.startsWith(QLatin1String("--format="))) {
            QString format;
            if (a.startsWith(QLatin1String("--format=")))
                format = a.mid(9);
            else if (i + 1 < args.size())
                format = args[++i];
            if (format == QLatin1String("chirp"))
                options.layout = CsvLayout::Chirp;
            else if (format != QLatin1String("memvault"))
                return usage(kExportUsage);
            continue;
        }
        ownOnly = ownOnly || a == QLatin1String("--tab") || a == QLatin1String("--keep-numbers")
                  || a == QLatin1String("--omit-header");
        if (a == QLatin1String("--tab"))
            options.tab = true;
        else if (a == QLatin1String("--keep-numbers"))
            options.keepNumbers = true;
        else if (a == QLatin1String("--omit-header"))
            options.omitHeader = true;
        else if (a.startsWith(QLatin1String("--")))
            return usage(kExportUsage);
        else
            files << a;
    }
    if (files.size() != 2)
        return usage(kExportUsage);
    if (ownOnly && options.layout == CsvLayout::Chirp) {
        printErr(QStringLiteral("memvault-cli: --tab, --keep-numbers and --omit-header do not apply to CHIRP's "
                                "layout, which always has a header, commas and memory numbers"));
        return 2;
    }

    CliContext c;
    RepeaterRuleSet rules;
    if (options.layout == CsvLayout::Chirp) {
        // Offsets come from the repeater rules the window uses.
        LoadRepeaterRules(rules, c.settings, nullptr, &c.log);
        options.rules = &rules;
    }
    QString error;
    int ignored = 0;
    if (!readMemorySet(files[0], c.state.table, &c.log, &error, nullptr, &ignored)) {
        printErr(QStringLiteral("memvault-cli: cannot read %1: %2").arg(files[0], error));
        return 1;
    }
    // A file of which no line is a memory record (a description file, say) is
    // not an empty memory set: exporting it would report success for nothing.
    if (ignored > 0 && MemoryFileLines(c.state.table).isEmpty()) {
        printErr(QStringLiteral("memvault-cli: %1 holds no memory records; nothing was exported").arg(files[0]));
        return 1;
    }
    options.path = files[1];
    const CsvExportResult result = ExportCsv(c.ctx, options);
    return result.outcome == CsvExportOutcome::Written ? 0 : 1;
}

int runImportCsv(const QStringList &args)
{
    QStringList files;
    CsvImportOptions options;
    bool force = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--start")) {
            if (i + 1 >= args.size())
                return usage(kImportUsage);
            options.startText = args[++i];
        } else if (a == QLatin1String("--use-numbers")) {
            options.useNumbers = true;
        } else if (a == QLatin1String("--clear")) {
            options.clearBefore = true;
        } else if (a == QLatin1String("--omit-duplicates")) {
            options.omitDuplicates = true;
        } else if (a == QLatin1String("--force")) {
            force = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage(kImportUsage);  // "-" alone is standard input
        } else {
            files << a;
        }
    }
    if (files.size() != 2)
        return usage(kImportUsage);

    CliContext c;
    c.dialogs.force = force;
    c.dialogs.holdResults = true;
    const QString memoryPath = files[1];
    int width = kDefaultDescriptionWidth;
    if (QFileInfo::exists(memoryPath)) {
        QString error;
        if (!readMemorySet(memoryPath, c.state.table, &c.log, &error, &width)) {
            printErr(QStringLiteral("memvault-cli: cannot read %1: %2").arg(memoryPath, error));
            return 1;
        }
    }
    options.path = files[0];
    // "Import completed" is said only once the memory file is saved.
    options.deferCompletion = true;
    const CsvImportResult result = ImportCsv(c.ctx, options);
    if (result.outcome != CsvImportOutcome::Imported) {
        for (const QString &line : std::as_const(c.dialogs.held))
            printOut(line);
    }
    switch (result.outcome) {
    case CsvImportOutcome::Imported:
        break;
    case CsvImportOutcome::NothingToImport:
        return 0;
    default:
        return 1;
    }
    QString error;
    QList<int> skipped;
    if (!writeMemorySet(memoryPath, c.state.table, width, &error, &skipped)) {
        // Nothing was imported into the file: no "Import completed".
        printErr(QStringLiteral("memvault-cli: ") + error);
        return 1;
    }
    for (const QString &line : std::as_const(c.dialogs.held))
        printOut(line);
    // Rows the record format cannot hold (they came in damaged) are not saved:
    // say which, rather than lose them quietly.
    for (int cat : skipped)
        printErr(QStringLiteral("memvault-cli: %1 could not be saved and was left out").arg(MemoryNameOf(cat)));
    // The file holds what was loaded; records that were not make the import a
    // failure for scripts.
    if (result.skipped > 0) {
        printErr(result.completion);
        return 1;
    }
    printOut(result.completion);
    return 0;
}

}  // namespace mv::cli
