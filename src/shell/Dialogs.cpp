#include "shell/Dialogs.h"

namespace mv {

QStringList filterListToQt(const QString &filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        QString name = parts[i];
        // The caption already shows the pattern in brackets; Qt wants exactly one.
        const int bracket = name.indexOf('(');
        if (bracket >= 0)
            name = name.left(bracket).trimmed();
        out << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    return out;
}

Answer NonInteractiveDialogs::messageBox(const QString &text, Buttons buttons, Icon, const QString &)
{
    shown << text;
    if (m_sink)
        m_sink(text);
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    }
    return Answer::Ok;
}

}  // namespace mv
