// memvault-cli subcommands (csv).
#include "CliCommands.h"

namespace mv::cli {

int runExportCsv(const QStringList &)
{
    printErr(QStringLiteral("memvault-cli: this command is not available yet"));
    return 2;
}

int runImportCsv(const QStringList &)
{
    printErr(QStringLiteral("memvault-cli: this command is not available yet"));
    return 2;
}

} // namespace mv::cli
