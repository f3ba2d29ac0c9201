#include "rules/RulePresets.h"

namespace mv {

namespace {
// Low, High, Direction, Offset, Step. Several limits lie outside the bands a
// typed cell accepts (53.01 MHz, 147.99 MHz); presets are written as they are.
constexpr PresetRule kUnitedKingdom[] = {
    {2966000, 2969000, "Minus", 10000, "10.0 K"},   {5071000, 5091000, "Plus", 50000, "10.0 K"},
    {14560000, 14578750, "Minus", 60000, "12.5 K"}, {43082500, 43097500, "Plus", 760000, "25.0 K"},
    {43300000, 43337500, "Plus", 160000, "25.0 K"},
};

constexpr PresetRule kUnitedStates[] = {
    {2962000, 2968000, "Minus", 10000, "20.0 K"},   {5170000, 5198000, "Minus", 50000, "20.0 K"},
    {5301000, 5399000, "Minus", 100000, "20.0 K"},  {14511000, 14549000, "Minus", 60000, "20.0 K"},
    {14601000, 14638500, "Plus", 60000, "15.0 K"},  {14661000, 14698500, "Minus", 60000, "15.0 K"},
    {14700000, 14739000, "Plus", 60000, "15.0 K"},  {14760000, 14799000, "Minus", 60000, "15.0 K"},
    {44180000, 44497500, "Plus", 500000, "25.0 K"}, {44680000, 44997500, "Minus", 500000, "25.0 K"},
};

constexpr PresetRule kAustralia[] = {
    {2962000, 2968000, "Minus", 10000, "20.0 K"},    {5355000, 5397500, "Minus", 100000, "25.0 K"},
    {14662500, 14700000, "Minus", 60000, "25.0 K"},  {14702500, 14737500, "Plus", 60000, "25.0 K"},
    {43802500, 43872500, "Minus", 500000, "25.0 K"}, {43927500, 43997500, "Minus", 500000, "25.0 K"},
};

constexpr PresetRule kNewZealand[] = {
    {2962000, 2968000, "Minus", 10000, "20.0 K"},   {5362500, 5397500, "Minus", 100000, "25.0 K"},
    {14530000, 14580000, "Minus", 60000, "25.0 K"}, {14662500, 14700000, "Minus", 60000, "25.0 K"},
    {14702500, 14737500, "Plus", 60000, "25.0 K"},  {43802500, 43972500, "Minus", 500000, "25.0 K"},
};

constexpr PresetRule kBelgium[] = {
    {14560000, 14578750, "Minus", 60000, "12.5 K"},
    {43002500, 43037500, "Plus", 160000, "12.5 K"},
};

constexpr PresetRule kDenmark[] = {
    {14560000, 14578750, "Minus", 60000, "12.5 K"},
    {43460000, 43497500, "Minus", 200000, "25.0 K"},
};

constexpr PresetRule kSwiss[] = {
    {2966000, 2969000, "Minus", 10000, "10.0 K"},
    {5181000, 5199000, "Minus", 60000, "20.0 K"},
    {14560000, 14578750, "Minus", 60000, "12.5 K"},
    {43865000, 43942500, "Minus", 760000, "25.0 K"},
};

constexpr PresetRule kOtherEurope[] = {
    {14560000, 14578750, "Minus", 60000, "12.5 K"},
    {43460000, 43497500, "Minus", 160000, "25.0 K"},
};

constexpr RulePreset kPresets[] = {
    {"cmdLoadDefaultUK", "United Kingdom", kUnitedKingdom},
    {"cmdLoadDefaultUS", "United States of America", kUnitedStates},
    {"cmdAustralia", "Australia", kAustralia},
    {"cmdNewZealand", "New Zealand", kNewZealand},
    {"cmdBelgium", "Belgium/France/Netherlands", kBelgium},
    {"cmdDenmark", "Denmark/Norway", kDenmark},
    {"cmdSwiss", "Switzerland/Germany/Austria", kSwiss},
    {"cmdOtherEU", "Other European countries", kOtherEurope},
};
}  // namespace

std::span<const RulePreset> RulePresets() { return kPresets; }

const RulePreset *FindRulePreset(const QString &objectName)
{
    for (const RulePreset &p : kPresets) {
        if (objectName == QLatin1String(p.objectName))
            return &p;
    }
    return nullptr;
}

}  // namespace mv
