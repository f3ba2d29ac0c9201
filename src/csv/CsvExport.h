#pragma once
// CSV export of memories 1..500 ("Export CSV" / "Preview Export" of the
// Import/Export window, and memvault-cli export-csv).
#include <QSet>
#include <QString>
#include <QStringList>

namespace mv {

struct AppContext;
class MemoryTable;
struct RepeaterRuleSet;

// The columns an export writes: this program's own, or CHIRP's generic CSV.
enum class CsvLayout { Own, Chirp };

struct CsvExportOptions {
    // Chirp: CHIRP's columns, always "," and "." and a header; tab, keepNumbers
    // and omitHeader do not apply.
    CsvLayout layout = CsvLayout::Own;
    // The repeater rules the CHIRP offsets come from; null: offsets of 0.
    const RepeaterRuleSet *rules = nullptr;
    bool tab = false;  // "Tab": fields separated by TAB instead of the ListSeparator
    bool keepNumbers = false;  // "Keep existing mem numbers"
    bool omitHeader = false;  // "Omit header"
    bool onlySelected = false;  // "Export only selected mems"
    QSet<int> selectedRows;  // memory numbers picked in the memory view (onlySelected)
    bool preview = false;  // "Preview Export": records go to the messages window
    // When set, the records are written to this path as it stands: no save
    // dialog, no replace question, no retry after an error (command line).
    QString path;
};

enum class CsvExportOutcome { Written, Previewed, Cancelled, Failed };

struct CsvExportResult {
    CsvExportOutcome outcome = CsvExportOutcome::Cancelled;
    QString path;  // the file written
    int records = 0;  // memory records emitted (header not counted)
    QString error;  // the error box text after a failure (fixed path only)
};

// Header (unless omitted) and one record per exported memory, fields joined by
// the current ListSeparator. Cell texts go out exactly as they stand.
QStringList CsvExportRecords(const MemoryTable &table, const CsvExportOptions &options);

// The whole export: DetectSeparators (then TAB for the "Tab" option), the save
// dialog with its ".CSV" and replace rules, the records, "Export completed".
// A failed write shows the error box and offers the save dialog again.
CsvExportResult ExportCsv(AppContext &ctx, const CsvExportOptions &options);

// Writes lines with CR LF in UTF-8; the old file is replaced only when every
// byte reached the new one. On failure returns false with the error box's
// number, description (the file and the system's reason) and line reference:
// 0 when the file could not be created, the line count plus one when it could
// not be completed.
struct CsvWriteError {
    int number = 0;
    QString description;
    int line = 0;
};
bool WriteCsvLines(const QString &path, const QStringList &lines, CsvWriteError *error);

// "An error has been encountered when trying to export the file." ... with the
// error's number, description and line.
QString CsvExportErrorText(const CsvWriteError &error);

}  // namespace mv
