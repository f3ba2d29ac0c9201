#include "rules/RepeaterRules.h"

namespace mv {

namespace {
struct BandEdge {
    qint32 from;  // 10 Hz units, inclusive
    const char *mode;
};

// Tested from the top; the first threshold the frequency reaches decides.
constexpr BandEdge kBandTable[] = {
    {79000000, "FMN"}, {47000000, "FM"}, {32000000, "FM"}, {23000000, "AM"}, {17400000, "FM"}, {14450000, "FM"},
    {14400000, "USB"}, {13600000, "FM"}, {10800000, "AM"}, {8750000, "FM"},  {5200000, "FMN"}, {5010000, "USB"},
    {5000000, "CW"},   {2970000, "USB"}, {2966000, "FMN"}, {2800000, "USB"}, {2499000, "AM"},  {2489000, "USB"},
    {2145000, "AM"},   {2100000, "USB"}, {1817000, "AM"},  {1806800, "USB"}, {1435000, "AM"},  {1400000, "USB"},
    {1015000, "AM"},   {1010000, "CW"},  {730000, "AM"},   {700000, "LSB"},  {380000, "AM"},   {350000, "LSB"},
    {200000, "AM"},    {180000, "LSB"},
};
}  // namespace

QString DefaultModeForFrequency(RepeaterRuleSet &set, qint32 f)
{
    if (FindRepeaterRule(set, f)) {
        // A text comparison, as the step is text: "10.0 K" and "12.5 K" sort
        // before "15"; "5.0 K" sorts after it.
        return set.CurrentRule.Step.left(2) < QLatin1String("15") ? QStringLiteral("FMN") : QStringLiteral("FM");
    }
    for (const BandEdge &b : kBandTable) {
        if (f >= b.from)
            return QString::fromLatin1(b.mode);
    }
    return QStringLiteral("AM");
}

}  // namespace mv
