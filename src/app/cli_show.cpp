// memvault-cli subcommands (show).
#include "CliCommands.h"

namespace mv::cli {

int runShow(const QStringList &)
{
    printErr(QStringLiteral("memvault-cli: this command is not available yet"));
    return 2;
}

} // namespace mv::cli
