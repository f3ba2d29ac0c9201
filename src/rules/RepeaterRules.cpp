#include "rules/RepeaterRules.h"

#include "core/NumberText.h"

namespace mv {

RepeaterRuleSet &repeaterRules()
{
    static RepeaterRuleSet set;
    return set;
}

QString NormaliseDecimalText(const QString &text)
{
    if (DecimalSeparator() == QLatin1Char('.')) {
        QString t = text;
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        return t;
    }
    return text;
}

bool FindRepeaterRule(RepeaterRuleSet &set, qint32 f)
{
    if (!set.RepeaterRulesActive)
        return false;
    for (const RepeaterRule &r : set.rules) {
        if (r.Low <= f && f <= r.High) {
            set.CurrentRule = {r.Direction, r.Amount, r.Step};
            return true;
        }
    }
    return false;
}

void LoadRepeaterRules(RepeaterRuleSet &, SettingsStore &, Dialogs *, MessageLog *)
{
    // Filled in with the rules window work.
}

} // namespace mv
