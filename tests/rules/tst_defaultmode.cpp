// Mode proposed for a frequency: band edges, and the step of a matching rule.
#include "core/NumberText.h"
#include "rules/RepeaterRules.h"

#include <QtTest>

using namespace mv;

namespace {
RepeaterRule rule(qint32 low, qint32 high, const QString &step, const QString &direction = "Minus")
{
    RepeaterRule r;
    r.Low = low;
    r.High = high;
    r.Direction = direction;
    r.Amount = ".60000";
    r.Step = step;
    return r;
}
}  // namespace

class TestDefaultMode : public QObject {
    Q_OBJECT

private slots:
    void bandEdges_data()
    {
        QTest::addColumn<int>("frequency");
        QTest::addColumn<QString>("mode");
        // Thresholds of several kinds, and the unit just below each (which falls to the next band down).
        const struct {
            int f;
            const char *at;
            const char *below;
        } edges[] = {
            {79000000, "FMN", "FM"}, {14400000, "USB", "FM"}, {5000000, "CW", "USB"},
            {2966000, "FMN", "USB"}, {1010000, "CW", "AM"},   {180000, "LSB", "AM"},
        };
        for (const auto &e : edges) {
            QTest::addRow("%d", e.f) << e.f << QString(e.at);
            QTest::addRow("%d", e.f - 1) << e.f - 1 << QString(e.below);
        }
        QTest::newRow("inside 40 m") << 705000 << "LSB";
        QTest::newRow("zero") << 0 << "AM";
        QTest::newRow("not a frequency") << -1 << "AM";
    }
    void bandEdges()
    {
        QFETCH(int, frequency);
        QFETCH(QString, mode);
        RepeaterRuleSet set;  // rules inactive
        QCOMPARE(DefaultModeForFrequency(set, frequency), mode);
    }

    // The step is compared as text with "15": "5.0 K" sorts after it.
    void ruleStep_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("mode");
        QTest::newRow("12.5 K") << "12.5 K"
                                << "FMN";
        QTest::newRow("15.0 K") << "15.0 K"
                                << "FM";
        QTest::newRow("5.0 K") << "5.0 K"
                               << "FM";
    }
    void ruleStep()
    {
        QFETCH(QString, step);
        QFETCH(QString, mode);
        RepeaterRuleSet set;
        set.RepeaterRulesActive = true;
        set.rules = {rule(14560000, 14578750, step)};
        QCOMPARE(DefaultModeForFrequency(set, 14570000), mode);
        QCOMPARE(set.CurrentRule.Step, step);
    }

    void ruleInactiveUsesBandTable()
    {
        RepeaterRuleSet set;
        set.rules = {rule(14560000, 14578750, "12.5 K")};
        QCOMPARE(DefaultModeForFrequency(set, 14570000), QString("FM"));
        set.RepeaterRulesActive = true;
        // Outside the rule the band table decides.
        QCOMPARE(DefaultModeForFrequency(set, 14400000), QString("USB"));
    }

    // The shortcut the cell editor uses works on the program's own rule set.
    void programRuleSet()
    {
        RepeaterRuleSet saved = repeaterRules();
        repeaterRules().RepeaterRulesActive = true;
        repeaterRules().rules = {rule(2962000, 2968000, "20.0 K", "Plus")};
        QCOMPARE(DefaultModeForFrequency(2965000), QString("FM"));
        QVERIFY(FindRepeaterRule(repeaterRules(), 2962000));
        QCOMPARE(repeaterRules().CurrentRule.Direction, QString("Plus"));
        repeaterRules() = saved;
    }
};

QTEST_GUILESS_MAIN(TestDefaultMode)
#include "tst_defaultmode.moc"
