#pragma once
// The regional rule sets that the rules window can load, as data: one row per
// rule, limits and offset in 10 Hz units. The window builds its preset buttons
// from this table.
#include <QString>
#include <QtGlobal>
#include <span>

namespace mv {

struct PresetRule {
    qint32 low;  // 10 Hz units
    qint32 high;  // 10 Hz units
    const char *direction;
    qint32 offset;  // 10 Hz units
    const char *step;
};

struct RulePreset {
    const char *objectName;  // the button's object name, e.g. "cmdLoadDefaultUK"
    const char *caption;  // the button's caption
    std::span<const PresetRule> rules;
};

// The eight presets in the order of their buttons.
std::span<const RulePreset> RulePresets();

// The preset of a button, or null.
const RulePreset *FindRulePreset(const QString &objectName);

}  // namespace mv
