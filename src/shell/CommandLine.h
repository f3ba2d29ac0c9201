#pragma once
// The windowed program's command line: an optional "--device PATH" (or
// "--device=PATH") that replaces the port mapping for this run, and the memory
// file to open. The file may come in double quotes (one argument) or unquoted;
// an unquoted path with blanks that a shell split into several arguments is
// joined again with single blanks. "--help" (or "-h") and "--version" ask for
// the usage text and the version; any other argument that starts with "--" is
// an unknown option, an error, not a file name (a file named so comes after
// "--").
#include <QString>
#include <QStringList>

namespace mv {

struct CommandLine {
    QString path;  // memory file to open, quotes kept for PrepareAutoOpen
    QString device;  // --device value
    QString error;  // a usage problem, empty when none
    bool help = false;
    bool version = false;
};

// The text of "memvault --help".
QString CommandLineHelp();

// `arguments` without the program name.
CommandLine ParseCommandLine(const QStringList &arguments);

}  // namespace mv
