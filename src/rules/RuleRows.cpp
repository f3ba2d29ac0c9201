#include "rules/RuleRows.h"

#include "core/Frequency.h"
#include "core/NumberText.h"
#include "rules/RepeaterRules.h"
#include "rules/RulePresets.h"
#include "shell/Dialogs.h"
#include "shell/SettingsStore.h"

#include <algorithm>

namespace mv {

namespace {
const QString kLimitPattern = QStringLiteral("##0.00000");
const QString kAmountPattern = QStringLiteral("##.00000");

QString amountText(qint32 units) { return FormatScaled(units, 5, kAmountPattern); }

struct Band {
    qint32 low;
    qint32 high;
};
// 29-30, 50-52, 145-147 and 430-450 MHz.
constexpr Band kPermittedBands[] = {{2900000, 3000000}, {5000000, 5200000}, {14500000, 14700000}, {43000000, 45000000}};
}  // namespace

StoredRuleRows ReadStoredRuleRows(const SettingsStore &settings)
{
    StoredRuleRows out;
    out.AllowAnyRepeaterFrequency = settings.get<Setting::AllowAnyRepeaterFrequency>();
    out.RepeaterRulesActive = settings.get<Setting::RepeaterRulesActive>();
    const int count = std::min(settings.get<Setting::NumberOfRules>(), kMaxRepeaterRules);
    if (count < 1) {
        out.RepeaterRulesActive = false;
        return out;
    }
    auto number = [](const std::optional<QString> &stored, const QString &def, const QString &pattern) {
        return FormatDecimalText(NormaliseDecimalText(stored.value_or(def)), pattern);
    };
    out.rows.reserve(size_t(count));
    for (int n = 1; n <= count; ++n) {
        RuleRow row;
        row.Low = number(settings.find<Setting::RuleLow>(n), FormatFrequency(14560000), kLimitPattern);
        row.High = number(settings.find<Setting::RuleHigh>(n), FormatFrequency(14580000), kLimitPattern);
        row.Direction = settings.get<Setting::RuleDirection>(n);
        row.Amount = number(settings.find<Setting::RuleAmount>(n), amountText(60000), kAmountPattern);
        row.Step = settings.get<Setting::RuleStep>(n);
        out.rows.push_back(std::move(row));
    }
    return out;
}

void StoreRuleRows(SettingsStore &settings, const std::vector<RuleRow> &rows, bool rulesActive, bool allowAnyFrequency)
{
    settings.set<Setting::NumberOfRules>(int(rows.size()));
    settings.set<Setting::RepeaterRulesActive>(rulesActive);
    settings.set<Setting::AllowAnyRepeaterFrequency>(allowAnyFrequency);
    int n = 0;
    for (const RuleRow &row : rows) {
        ++n;
        settings.set<Setting::RuleLow>(n, row.Low);
        settings.set<Setting::RuleHigh>(n, row.High);
        settings.set<Setting::RuleDirection>(n, row.Direction);
        settings.set<Setting::RuleAmount>(n, row.Amount);
        settings.set<Setting::RuleStep>(n, row.Step);
    }
    settings.sync();
}

RuleRow NewRuleRow()
{
    return {FormatFrequency(14560000), FormatFrequency(14580000), QStringLiteral("Minus"), amountText(60000),
            QStringLiteral("12.5 K")};
}

std::vector<RuleRow> PresetRuleRows(const RulePreset &preset)
{
    std::vector<RuleRow> rows;
    rows.reserve(preset.rules.size());
    for (const PresetRule &r : preset.rules) {
        rows.push_back({FormatFrequency(r.low), FormatFrequency(r.high), QString::fromLatin1(r.direction),
                        amountText(r.offset), QString::fromLatin1(r.step)});
    }
    return rows;
}

const QStringList &DirectionChoices()
{
    static const QStringList choices{QStringLiteral("Plus"), QStringLiteral("Minus"), QStringLiteral("Simplex")};
    return choices;
}

const QStringList &StepChoices()
{
    static const QStringList choices{QStringLiteral("5.0 K"),  QStringLiteral("10.0 K"), QStringLiteral("12.5 K"),
                                     QStringLiteral("15.0 K"), QStringLiteral("20.0 K"), QStringLiteral("25.0 K"),
                                     QStringLiteral("50.0 K")};
    return choices;
}

bool IsPermittedRepeaterFrequency(qint32 f)
{
    return std::any_of(std::begin(kPermittedBands), std::end(kPermittedBands),
                       [f](const Band &b) { return b.low <= f && f <= b.high; });
}

QString RepeaterRangeMessage(const QString &x)
{
    return QStringLiteral("The frequency of '") + x
           + QStringLiteral("' is not acceptable. Valid ranges in MHz are:\r\n"
                            "29 - 30, 50 - 52, 145 - 147 and 430 - 450.\r\n"
                            " If your local rules are outside these limits please contact the author.");
}

bool CheckRuleFrequencyEntry(const QString &typed, bool allowAny, Dialogs *dialogs, QString *cellText)
{
    const QString formatted = FormatDecimalText(typed, kLimitPattern);
    // Even when any frequency is allowed, the text must read as a frequency:
    // otherwise the stored rule could never be applied.
    const qint32 value = ParseFrequency(formatted, Boxes::Show, dialogs).value_or(kNotAFrequency);
    if (allowAny) {
        if (value == kNotAFrequency)
            return false;
    } else if (!IsPermittedRepeaterFrequency(value)) {
        if (dialogs)
            dialogs->messageBox(RepeaterRangeMessage(formatted), Buttons::Ok, Icon::Exclamation);
        return false;
    }
    *cellText = formatted;
    return true;
}

bool CheckRuleAmountEntry(const QString &typed, Dialogs *dialogs)
{
    const std::optional<qint32> value = ParseFrequency(typed, Boxes::Show, dialogs);
    return value && *value >= 0 && *value <= 9999000;
}

}  // namespace mv
