#pragma once
// Repeater rules: for a receive frequency between Low and High the shift is
// Plus, Minus or Simplex, with an offset and a tuning step. Stored under the
// application "VaultGlobal", section "RepeaterRules"; looked up when a memory's
// frequency is edited and for the default mode of a frequency.
#include <QString>
#include <QtGlobal>
#include <vector>

namespace mv {

class Dialogs;
class MessageLog;
class SettingsStore;

inline constexpr const char *kRulesSection = "RepeaterRules";

struct RepeaterRule {
    qint32 Low = 0;    // 10 Hz units, inclusive
    qint32 High = 0;   // 10 Hz units, inclusive
    QString Direction; // "Plus", "Minus", "Simplex"
    QString Amount;    // MHz, "##.00000"
    QString Step;      // "12.5 K" ...
};

struct CurrentRuleInfo {
    QString Direction;
    QString Amount;
    QString Step;
};

// The program's rule set: loaded at start-up and after OK in the rules window.
struct RepeaterRuleSet {
    bool RepeaterRulesActive = false;
    bool AllowAnyRepeaterFrequency = false;
    std::vector<RepeaterRule> rules;
    CurrentRuleInfo CurrentRule;
};

// The one rule set of the running program.
RepeaterRuleSet &repeaterRules();

// When the decimal separator is ".", every "," becomes "."; otherwise unchanged.
QString NormaliseDecimalText(const QString &text);

// Reads the switches and rules from the settings store into `set`.
void LoadRepeaterRules(RepeaterRuleSet &set, SettingsStore &settings, Dialogs *dialogs, MessageLog *log);

// First rule holding f when rules are active; sets CurrentRule.
bool FindRepeaterRule(RepeaterRuleSet &set, qint32 f);
inline bool FindRepeaterRule(qint32 f) { return FindRepeaterRule(repeaterRules(), f); }

// Mode proposed for a frequency: a matching rule's step ("FMN" below "15" as text,
// else "FM"), otherwise the band table.
QString DefaultModeForFrequency(RepeaterRuleSet &set, qint32 f);
inline QString DefaultModeForFrequency(qint32 f) { return DefaultModeForFrequency(repeaterRules(), f); }

} // namespace mv
