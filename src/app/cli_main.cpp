// memvault-cli: the command-line front end on the same logic as the window.
#include "CliCommands.h"
#include "CliWording.h"
#include "Version.h"
#include "core/NumberText.h"

#include <QCoreApplication>
#include <cstdio>
#include <vector>

namespace mv::cli {

void printErr(const QString &text)
{
    const QByteArray b = CliWording(text).toUtf8() + '\n';
    std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
    std::fflush(stderr);
}

void printOut(const QString &text)
{
    const QByteArray b = CliWording(text).toUtf8() + '\n';
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
}

}  // namespace mv::cli

namespace {

using mv::cli::printErr;
using mv::cli::printOut;

struct Option {
    const char *name;
    const char *text;
};

struct Command {
    const char *name;
    const char *synopsis;
    const char *summary;
    std::vector<Option> options;
    int (*run)(const QStringList &);
};

// The radio commands share how they reach the radio.
const Option kPort{"--port N", "serial port N (1-16), the device stored for it (PortDevice1..16 in MEMVAULT.ini)"};
const Option kDevice{"--device PATH",
                     "the serial device itself: /dev/ttyUSB0, /dev/serial/by-id/..., or the pseudo-terminal of "
                     "ft450sim"};
const Option kSpeed{"--speed RATE",
                    "CAT rate to work at: 4800, 9600, 19200 or 38400 (default: the stored setting, 38400); "
                    "the radio's own rate is found first"};
const Option kKeepRate{"--keep-rate", "leave the radio at the working rate instead of the rate it was found at"};
const Option kNoRts{"--no-rts", "do not use RTS/CTS handshaking (cables without RTS/CTS wires), for this run"};
const Option kRts{"--rts", "use RTS/CTS handshaking for this run, whatever the stored setting says"};
const Option kLog{"--log", "also print the trace of every record sent and received"};

// How every radio command reaches the radio, then its own options.
std::vector<Option> radioOptions(std::initializer_list<Option> own)
{
    std::vector<Option> all{kPort, kDevice, kSpeed, kKeepRate, kNoRts, kRts};
    all.insert(all.end(), own);
    return all;
}

const std::vector<Command> &commands()
{
    static const std::vector<Command> list = {
        {"show",
         "show [--records] FILE",
         "Print the used memories and PMS memories of a memory set as a table.",
         {{"--records", "print exactly the lines that saving the set would write instead"}},
         &mv::cli::runShow},
        {"read", "read (--port N | --device PATH) [options] FILE",
         "Read the radio's 500 memories and 4 PMS memories into the memory set FILE (.450 added when missing).",
         radioOptions(
             {kLog, {"--force", "replace FILE when it exists (its descriptions are kept with their memory numbers)"}}),
         &mv::cli::runRead},
        {"write", "write (--port N | --device PATH) [options] FILE",
         "Write the memories of FILE that differ from the radio's; the radio's old memories are saved first.",
         radioOptions({kLog,
                       {"--dry-run", "read the radio and print what a write would change; write nothing"},
                       {"--verify", "read every written memory back and compare it with what was sent"},
                       {"--backup-dir DIR",
                        "folder of the copy of the radio's memories (default: Backups of the data folder)"}}),
         &mv::cli::runWrite},
        {"diff", "diff (--port N | --device PATH) [options] FILE",
         "Read the radio and print every memory that a write of FILE would replace or add.", radioOptions({}),
         &mv::cli::runDiff},
        {"export-csv",
         "export-csv [options] FILE.450 OUT.csv",
         "Write the used memories of a memory set as CSV (replacing OUT.csv).",
         {{"--format memvault|chirp", "this program's own layout (default) or CHIRP's generic CSV"},
          {"--tab", "separate fields by TAB (own layout)"},
          {"--keep-numbers", "give each memory its own number instead of 1, 2, 3... (own layout)"},
          {"--omit-header", "leave the header line out (own layout)"}},
         &mv::cli::runExportCsv},
        {"import-csv",
         "import-csv [options] IN.csv|- FILE.450",
         "Import a CSV file (this program's or CHIRP's; - is standard input) into a memory set and save it.",
         {{"--start N", "put the first record in memory N (default 1) and the next ones after it"},
          {"--use-numbers", "put every record in the memory number it carries"},
          {"--clear", "clear all memories of the set first"},
          {"--omit-duplicates", "leave out records whose frequency is already in a memory"},
          {"--force", "import even when the pre-check finds errors; records that cannot be loaded are named and "
                      "skipped"}},
         &mv::cli::runImportCsv},
    };
    return list;
}

QString overview()
{
    QString t = QStringLiteral("Usage: memvault-cli COMMAND [options] ARGUMENTS\n"
                               "The FT-450 memory manager without a window: memory sets, the radio over CAT, CSV.\n\n"
                               "Commands:\n");
    for (const Command &c : commands())
        t += QStringLiteral("  %1\n      %2\n").arg(QLatin1String(c.synopsis), QLatin1String(c.summary));
    t += QStringLiteral("\n  -h, --help      show this help; memvault-cli COMMAND --help shows a command's options\n"
                        "  --version       show the version\n\n"
                        "Exit status: 0 success, 1 failure (the reason on standard error), 2 usage error.\n"
                        "See memvault-cli(1).");
    return t;
}

QString commandHelp(const Command &c)
{
    QString t = QStringLiteral("Usage: memvault-cli %1\n%2\n\nOptions:\n")
                    .arg(QLatin1String(c.synopsis), QLatin1String(c.summary));
    for (const Option &o : c.options)
        t += QStringLiteral("  %1\n      %2\n").arg(QLatin1String(o.name), QLatin1String(o.text));
    t += QStringLiteral("  -h, --help\n      show this help");
    return t;
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : commands()) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

// --help or -h among the options (not after "--", where it would be a file).
bool asksForHelp(const QStringList &args)
{
    for (const QString &a : args) {
        if (a == QLatin1String("--"))
            return false;
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("memvault-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(mv::kVersionText));
    mv::DetectSeparators();
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        printErr(overview());
        return 2;
    }
    const QString first = args.takeFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        printOut(overview());
        return 0;
    }
    if (first == QLatin1String("--version")) {
        printOut(QStringLiteral("memvault-cli ") + QLatin1String(mv::kVersionText));
        return 0;
    }
    if (first == QLatin1String("help")) {
        const Command *c = args.isEmpty() ? nullptr : findCommand(args.first());
        if (!args.isEmpty() && !c) {
            printErr(QStringLiteral("memvault-cli: unknown command '%1'").arg(args.first()));
            return 2;
        }
        printOut(c ? commandHelp(*c) : overview());
        return 0;
    }
    const Command *command = findCommand(first);
    if (!command) {
        printErr(QStringLiteral("memvault-cli: unknown command '%1'\nTry 'memvault-cli --help'.").arg(first));
        return 2;
    }
    if (asksForHelp(args)) {
        printOut(commandHelp(*command));
        return 0;
    }
    return command->run(args);
}
