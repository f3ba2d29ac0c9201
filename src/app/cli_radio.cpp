// memvault-cli subcommands (radio).
#include "CliCommands.h"

namespace mv::cli {

int runRead(const QStringList &)
{
    printErr(QStringLiteral("memvault-cli: this command is not available yet"));
    return 2;
}

int runWrite(const QStringList &)
{
    printErr(QStringLiteral("memvault-cli: this command is not available yet"));
    return 2;
}

int runDiff(const QStringList &)
{
    printErr(QStringLiteral("memvault-cli: this command is not available yet"));
    return 2;
}

} // namespace mv::cli
