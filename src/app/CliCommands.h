#pragma once
// The subcommands of memvault-cli. Each returns the process exit code:
// 0 success, 1 failure, 2 usage error (reason on stderr).
#include <QStringList>

namespace mv::cli {

int runShow(const QStringList &args);  // show [--records] FILE
int runRead(const QStringList &args);  // read (--port N | --device PATH) [--speed S] [--log] FILE
int runWrite(
    const QStringList &args);  // write (--port N | --device PATH) [--speed S] [--dry-run] [--verify] [--log] FILE
int runDiff(const QStringList &args);  // diff (--port N | --device PATH) [--speed S] FILE
int runExportCsv(const QStringList &args);  // export-csv FILE.450 OUT.csv [--tab] [--keep-numbers] [--omit-header]
int runImportCsv(const QStringList &args);  // import-csv IN.csv|- FILE.450 [--start N] [--use-numbers] [--clear]
                                            // [--omit-duplicates] [--force]

// Writes text and a line end to stderr / stdout (UTF-8).
void printErr(const QString &text);
void printOut(const QString &text);

}  // namespace mv::cli
