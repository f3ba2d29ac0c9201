#include "rules/RepeaterRules.h"

namespace mv {

namespace {
struct BandEdge {
    qint32 from;  // 10 Hz units, inclusive
    Mode mode;
};

// Tested from the top; the first threshold the frequency reaches decides.
constexpr BandEdge kBandTable[] = {
    {79000000, Mode::FMN}, {47000000, Mode::FM},  {32000000, Mode::FM}, {23000000, Mode::AM}, {17400000, Mode::FM},
    {14450000, Mode::FM},  {14400000, Mode::USB}, {13600000, Mode::FM}, {10800000, Mode::AM}, {8750000, Mode::FM},
    {5200000, Mode::FMN},  {5010000, Mode::USB},  {5000000, Mode::CW},  {2970000, Mode::USB}, {2966000, Mode::FMN},
    {2800000, Mode::USB},  {2499000, Mode::AM},   {2489000, Mode::USB}, {2145000, Mode::AM},  {2100000, Mode::USB},
    {1817000, Mode::AM},   {1806800, Mode::USB},  {1435000, Mode::AM},  {1400000, Mode::USB}, {1015000, Mode::AM},
    {1010000, Mode::CW},   {730000, Mode::AM},    {700000, Mode::LSB},  {380000, Mode::AM},   {350000, Mode::LSB},
    {200000, Mode::AM},    {180000, Mode::LSB},
};
}  // namespace

Mode DefaultModeForFrequency(const RepeaterRuleSet &set, qint32 f)
{
    if (const std::optional<RepeaterRuleMatch> rule = FindRepeaterRule(set, f)) {
        // A text comparison, as the step is text: "10.0 K" and "12.5 K" sort
        // before "15"; "5.0 K" sorts after it.
        return rule->Step.left(2) < QLatin1String("15") ? Mode::FMN : Mode::FM;
    }
    for (const BandEdge &b : kBandTable) {
        if (f >= b.from)
            return b.mode;
    }
    return Mode::AM;
}

}  // namespace mv
