#include "rules/RepeaterRules.h"

#include "core/Frequency.h"
#include "core/NumberText.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"

#include <algorithm>

namespace mv {

namespace {
// Reads a plain decimal text as a whole number scaled by 10^decimals, rounding
// half away from zero. False when the text is not a number or too large.
bool readScaled(const QString &text, int decimals, qint64 *out)
{
    const QString t = text.trimmed();
    if (!IsNumericText(t))
        return false;
    int i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) {
        negative = t[0] == QLatin1Char('-');
        i = 1;
    }
    const int sep = int(t.indexOf(DecimalSeparator(), i));
    const QString intDigits = sep < 0 ? t.mid(i) : t.mid(i, sep - i);
    const QString fracDigits = sep < 0 ? QString() : t.mid(sep + 1);
    qint64 v = 0;
    for (const QChar c : intDigits) {
        v = v * 10 + (c.unicode() - '0');
        if (v > 1000000000000LL)
            return false;
    }
    for (int d = 0; d < decimals; ++d)
        v = v * 10 + (d < fracDigits.size() ? fracDigits[d].unicode() - '0' : 0);
    if (decimals < fracDigits.size() && fracDigits[decimals].unicode() >= '5')
        ++v;
    *out = negative ? -v : v;
    return true;
}

int patternDecimals(const QString &pattern)
{
    const int dot = int(pattern.indexOf(QLatin1Char('.')));
    return dot < 0 ? 0 : int(pattern.mid(dot + 1).count(QLatin1Char('0')));
}
}  // namespace

QString NormaliseDecimalText(const QString &text)
{
    if (DecimalSeparator() == QLatin1Char('.')) {
        QString t = text;
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        return t;
    }
    return text;
}

QString FormatDecimalText(const QString &text, const QString &pattern)
{
    const int decimals = patternDecimals(pattern);
    qint64 v = 0;
    if (!readScaled(text, decimals, &v))
        return text;
    return FormatScaled(v, decimals, pattern);
}

static_assert(declarationOf(Setting::RuleLow).last == kMaxRepeaterRules);

std::optional<RepeaterRuleMatch> FindRepeaterRule(const RepeaterRuleSet &set, qint32 f)
{
    if (!set.RepeaterRulesActive)
        return std::nullopt;
    for (const RepeaterRule &r : set.rules) {
        if (r.Readable && r.Low <= f && f <= r.High)
            return RepeaterRuleMatch{r.Direction, FormatDecimalText(r.Amount, QStringLiteral("##.00000")), r.Step};
    }
    return std::nullopt;
}

void LoadRepeaterRules(RepeaterRuleSet &set, SettingsStore &settings, Dialogs *dialogs, MessageLog *log)
{
    set.RepeaterRulesActive = settings.get<Setting::RepeaterRulesActive>();
    set.AllowAnyRepeaterFrequency = settings.get<Setting::AllowAnyRepeaterFrequency>();
    int count = settings.get<Setting::NumberOfRules>();
    if (count < 1) {
        set.RepeaterRulesActive = false;
        return;
    }
    if (count > kMaxRepeaterRules) {
        if (log)
            log->LogMessage(QStringLiteral("Repeater rules: NumberOfRules of%1 is too high - only the first%2 "
                                           "rules are used")
                                .arg(SignedText(count), SignedText(kMaxRepeaterRules)));
        count = kMaxRepeaterRules;
    }

    // A missing High reads as 145.6 MHz here too (the rules window shows 145.8).
    const QString defaultLimit = FormatFrequency(14560000);
    const QString defaultAmount = FormatScaled(60000, 5, QStringLiteral("##0.00000"));
    // Only the first unreadable value gets a box; later ones are reported in the log.
    Dialogs *boxes = dialogs;

    std::vector<RepeaterRule> rules;
    rules.reserve(size_t(count));
    for (int n = 1; n <= count; ++n) {
        RepeaterRule rule;
        QString badKey;
        QString badText;
        auto readLimit = [&](Setting limit, const std::optional<QString> &stored) -> qint32 {
            const QString raw = stored.value_or(defaultLimit);
            const std::optional<qint32> v = ParseFrequency(NormaliseDecimalText(raw), Boxes::Show, boxes);
            if (!v) {
                boxes = nullptr;
                if (badKey.isEmpty()) {
                    badKey = SettingsStore::keyName(limit, n);
                    badText = raw;
                }
            }
            return v.value_or(kNotAFrequency);
        };
        rule.Low = readLimit(Setting::RuleLow, settings.find<Setting::RuleLow>(n));
        rule.High = readLimit(Setting::RuleHigh, settings.find<Setting::RuleHigh>(n));
        rule.Direction = settings.get<Setting::RuleDirection>(n);
        rule.Amount
            = FormatDecimalText(NormaliseDecimalText(settings.find<Setting::RuleAmount>(n).value_or(defaultAmount)),
                                QStringLiteral("##.00000"));
        rule.Step = settings.get<Setting::RuleStep>(n);
        if (!badKey.isEmpty()) {
            rule.Readable = false;
            if (log)
                log->LogMessage(QStringLiteral("Repeater rule%1 is not used: %2 of '%3' is not a frequency")
                                    .arg(SignedText(n), badKey, badText));
        }
        rules.push_back(std::move(rule));
    }
    set.rules = std::move(rules);
}

}  // namespace mv
