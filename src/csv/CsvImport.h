#pragma once
// CSV import into memories 1..500 ("Import CSV" / "Preview Import" of the
// Import/Export window, and memvault-cli import-csv): header recognition, a
// pre-check pass that reports every problem to the messages window, then a load
// pass that adds the records with MemoryTable::AddMemory.
#include <QString>
#include <functional>

namespace mv {

struct AppContext;
struct RepeaterRuleSet;

struct CsvImportOptions {
    QString startText;  // "Start at mem number"; empty means 1
    bool useNumbers = false;  // "Use imported mem numbers"
    bool clearBefore = false;  // "Clear all before import"
    bool omitDuplicates = false;  // "Omit duplicate frequencies"
    bool preview = false;  // "Preview Import"
    // When set, this file is read as it stands: no open dialog, no ".CSV"
    // appended (command line).
    QString path;
    // The rules that propose the mode of a record without one; without a set,
    // the band table alone.
    const RepeaterRuleSet *rules = nullptr;
    // Takes the undo snapshot "Import" just before the table is changed.
    std::function<void()> saveUndoSnapshot;
    // The caller shows CsvImportResult::completion itself once its own work is
    // done (the command line saves the memory file first).
    bool deferCompletion = false;
};

enum class CsvImportOutcome {
    Imported,  // the load pass ran ("Import completed")
    Previewed,
    Cancelled,  // open dialog cancelled
    BadStartNumber,
    MissingFile,
    Refused,  // over 10 MiB, not text, or not a regular file
    UnknownHeader,
    ForeignHeader,  // a known layout other than the one export writes
    NothingToImport,  // every record a duplicate (or none at all)
    PrecheckDeclined,  // "No" to loading despite pre-check errors
    ClearDeclined,  // not "Yes" to clearing all memories
    ReadError,
};

struct CsvImportResult {
    CsvImportOutcome outcome = CsvImportOutcome::Cancelled;
    QString startText;  // the start-number box afterwards ("1" when it was empty)
    QString path;  // the file read
    QString source;  // CsvSource: the header's layout id
    bool precheckErrors = false;
    int records = 0;  // R of the pre-check
    int duplicates = 0;  // D of the pre-check
    int added = 0;  // records loaded: memories that hold a record of the file at the end
    int skipped = 0;  // records the load did not add, or that a later record replaced
    int omitted = 0;  // records left out as duplicate frequencies ("Omit duplicate frequencies")
    // The closing message: "Import completed", or, when records were skipped,
    // a warning that says how many.
    QString completion;
};

CsvImportResult ImportCsv(AppContext &ctx, const CsvImportOptions &options);

// The line closing a preview and a pre-check with errors: CR LF and 55 underscores.
QString CsvRuleLine();

}  // namespace mv
