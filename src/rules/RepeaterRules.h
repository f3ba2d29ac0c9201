#pragma once
// Repeater rules: for a receive frequency between Low and High the shift is
// Plus, Minus or Simplex, with an offset and a tuning step. Stored under the
// application "VaultGlobal", section "RepeaterRules"; looked up when a memory's
// frequency is edited and for the default mode of a frequency.
#include "core/Memory.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace mv {

class Dialogs;
class MessageLog;
class SettingsStore;

// A hand-edited NumberOfRules beyond this is cut to it (and logged), so that a
// stray huge number cannot make loading read keys for ever.
inline constexpr int kMaxRepeaterRules = 1000;

struct RepeaterRule {
    qint32 Low = 0;  // 10 Hz units, inclusive
    qint32 High = 0;  // 10 Hz units, inclusive
    QString Direction;  // "Plus", "Minus", "Simplex"
    QString Amount;  // MHz, "##.00000"
    QString Step;  // "12.5 K" ...
    // False when the stored Low or High could not be read as a frequency; such a
    // rule holds no frequency at all.
    bool Readable = true;
};

// What a rule says about a frequency it holds.
struct RepeaterRuleMatch {
    QString Direction;
    QString Amount;  // "##.00000"
    QString Step;
};

// The program's rule set: loaded at start-up and after OK in the rules window.
// After LoadRepeaterRules, RepeaterRulesActive is also the check mark of the
// main menu item mnuBandPlan ("Define &Repeater rules...").
struct RepeaterRuleSet {
    bool RepeaterRulesActive = false;
    bool AllowAnyRepeaterFrequency = false;
    std::vector<RepeaterRule> rules;
};

// When the decimal separator is ".", every "," becomes "."; otherwise unchanged.
QString NormaliseDecimalText(const QString &text);

// Formats a decimal text (locale's decimal mark) with a number pattern such as
// "##0.00000" or "##.00000", rounding half away from zero. A text that is not a
// plain number comes back unchanged.
QString FormatDecimalText(const QString &text, const QString &pattern);

// Reads the switches and rules from the settings store into `set`. A Low or High
// that is not a number makes its rule hold no frequency; such a rule gets one
// always-line in the log, and the whole load shows at most one message box.
// With fewer than one stored rule, rules are inactive and the list is kept.
void LoadRepeaterRules(RepeaterRuleSet &set, SettingsStore &settings, Dialogs *dialogs, MessageLog *log);

// The first rule holding f when rules are active.
std::optional<RepeaterRuleMatch> FindRepeaterRule(const RepeaterRuleSet &set, qint32 f);

// Mode proposed for a frequency: a matching rule's step (FMN below "15" as text,
// else FM), otherwise the band table.
Mode DefaultModeForFrequency(const RepeaterRuleSet &set, qint32 f);

}  // namespace mv
