// memvault-cli: the command-line front end on the same logic as the window.
#include "CliCommands.h"
#include "core/NumberText.h"

#include <QCoreApplication>
#include <cstdio>

namespace mv::cli {

void printErr(const QString &text)
{
    const QByteArray b = text.toUtf8() + '\n';
    std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
    std::fflush(stderr);
}

void printOut(const QString &text)
{
    const QByteArray b = text.toUtf8() + '\n';
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
}

}  // namespace mv::cli

namespace {
const char *kUsage
    = "usage: memvault-cli COMMAND ...\n"
      "  show [--records] FILE\n"
      "  read (--port N | --device PATH) [--speed 4800|9600|19200|38400] [--log] FILE\n"
      "  write (--port N | --device PATH) [--speed ...] [--dry-run] [--verify] [--log] FILE\n"
      "  diff (--port N | --device PATH) [--speed ...] FILE\n"
      "  export-csv FILE.450 OUT.csv [--tab] [--keep-numbers] [--omit-header]\n"
      "  import-csv IN.csv|- FILE.450 [--start N] [--use-numbers] [--clear] [--omit-duplicates] [--force]\n";
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("memvault-cli"));
    mv::DetectSeparators();
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("show"))
        return mv::cli::runShow(args);
    if (command == QLatin1String("read"))
        return mv::cli::runRead(args);
    if (command == QLatin1String("write"))
        return mv::cli::runWrite(args);
    if (command == QLatin1String("diff"))
        return mv::cli::runDiff(args);
    if (command == QLatin1String("export-csv"))
        return mv::cli::runExportCsv(args);
    if (command == QLatin1String("import-csv"))
        return mv::cli::runImportCsv(args);
    mv::cli::printErr(QStringLiteral("memvault-cli: unknown command '%1'").arg(command));
    std::fputs(kUsage, stderr);
    return 2;
}
