#include "shell/CommandLine.h"

namespace mv {

CommandLine ParseCommandLine(const QStringList &arguments)
{
    CommandLine out;
    QStringList pathParts;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--device")) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                out.error = QStringLiteral("--device needs the path of a serial device");
                continue;
            }
            out.device = arguments[++i];
        } else if (a.startsWith(QLatin1String("--device="))) {
            out.device = a.mid(9);
            if (out.device.isEmpty())
                out.error = QStringLiteral("--device needs the path of a serial device");
        } else if (a == QLatin1String("--")) {
            pathParts += arguments.mid(i + 1);
            break;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out.help = true;
        } else if (a == QLatin1String("--version")) {
            out.version = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            out.error = QStringLiteral("unknown option '%1'").arg(a);
        } else {
            pathParts << a;
        }
    }
    out.path = pathParts.join(QLatin1Char(' ')).trimmed();
    return out;
}

QString CommandLineHelp()
{
    return QStringLiteral("Usage: memvault [--device PATH] [FILE.450]\n"
                          "Edits the memories of a Yaesu FT-450 in a window: reads and writes the radio over its CAT\n"
                          "cable, keeps memory sets as files, imports and exports CSV (its own layout and CHIRP's).\n"
                          "\n"
                          "  FILE.450        memory file to open once the window shows (\"--\" before a name\n"
                          "                  that starts with \"--\")\n"
                          "  --device PATH   serial device that every port number means for this run: a USB\n"
                          "                  cable by its stable name (/dev/serial/by-id/...) or the\n"
                          "                  pseudo-terminal of the ft450sim radio simulator\n"
                          "  -h, --help      show this help and exit\n"
                          "  --version       show the version and exit\n"
                          "\n"
                          "The command-line tool is memvault-cli; see memvault(1) and memvault-cli(1).\n");
}

}  // namespace mv
