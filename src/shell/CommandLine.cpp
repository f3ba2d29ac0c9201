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
        } else {
            pathParts << a;
        }
    }
    out.path = pathParts.join(QLatin1Char(' ')).trimmed();
    return out;
}

}  // namespace mv
