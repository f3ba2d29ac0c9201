#pragma once
// The rules window's working copy: one row of five cell texts per rule, filled
// from the settings store, a preset or "Add a new rule", checked when the user
// edits a cell, and stored exactly as it stands on OK.
#include <QString>
#include <QStringList>
#include <vector>

namespace mv {

class Dialogs;
class SettingsStore;
struct RulePreset;

struct RuleRow {
    QString Low;  // MHz, "##0.00000"
    QString High;  // MHz, "##0.00000"
    QString Direction;  // "Plus", "Minus", "Simplex"
    QString Amount;  // MHz, "##.00000"
    QString Step;  // "12.5 K" ...

    QStringList cells() const { return {Low, High, Direction, Amount, Step}; }
    bool operator==(const RuleRow &) const = default;
};

struct StoredRuleRows {
    bool RepeaterRulesActive = false;
    bool AllowAnyRepeaterFrequency = false;
    std::vector<RuleRow> rows;
};

// "Reload my current rules": the switches and the rows as stored, numbers
// brought to the locale's decimal mark and formatted; rules are inactive
// when fewer than one is stored.
StoredRuleRows ReadStoredRuleRows(const SettingsStore &settings);

// OK: writes "NumberOfRules", "RepeaterRulesActive", "AllowAnyRepeaterFrequency",
// then the five keys of every row with the row's texts as they are.
void StoreRuleRows(SettingsStore &settings, const std::vector<RuleRow> &rows, bool rulesActive, bool allowAnyFrequency);

// The row "Add a new rule" appends: 145.60000, 145.80000, "Minus", .60000, "12.5 K".
RuleRow NewRuleRow();

// A preset's rows as cell texts in the locale's decimal mark.
std::vector<RuleRow> PresetRuleRows(const RulePreset &preset);

// The choices of the Direction and Step cells.
const QStringList &DirectionChoices();
const QStringList &StepChoices();

// The bands a typed Low or High must lie in unless any frequency is allowed,
// 10 Hz units, both ends inclusive.
bool IsPermittedRepeaterFrequency(qint32 f);

// The message for a Low or High outside the permitted bands; x is the formatted text.
QString RepeaterRangeMessage(const QString &x);

// A Low or High typed into a cell. Formats it with "##0.00000" into *cellText;
// false (after a box) when it is not a number, or, unless allowAny, when it lies
// outside the permitted bands ("Not a numeric value", then the range message).
bool CheckRuleFrequencyEntry(const QString &typed, bool allowAny, Dialogs *dialogs, QString *cellText);

// An Amount typed into a cell: accepted as typed for 0 to 99.99 MHz; "Not a
// numeric value" for text that is not a number; other values refused silently.
bool CheckRuleAmountEntry(const QString &typed, Dialogs *dialogs);

}  // namespace mv
