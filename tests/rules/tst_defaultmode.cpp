// Mode proposed for a frequency: band edges, and the step of a matching rule.
#include "DataRows.h"
#include "core/RadioTables.h"
#include "rules/RepeaterRules.h"

#include <QtTest>

using namespace mv;

class TestDefaultMode : public QObject {
    Q_OBJECT

private slots:
    void modeOf_data()
    {
        QTest::addColumn<int>("frequency");
        QTest::addColumn<QString>("step");  // of an active rule over 145.6-145.7875 MHz; "" for none
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
            QTest::addRow("%d", e.f) << e.f << QString() << QString(e.at);
            QTest::addRow("%d", e.f - 1) << e.f - 1 << QString() << QString(e.below);
        }
        mv::test::row("inside 40 m", 705000, "", "LSB");
        mv::test::row("zero", 0, "", "AM");
        mv::test::row("not a frequency", -1, "", "AM");
        mv::test::row("no rule there: 2 m band", 14570000, "", "FM");
        // The step is compared as text with "15": "5.0 K" sorts after it.
        mv::test::row("rule step 12.5 K", 14570000, "12.5 K", "FMN");
        mv::test::row("rule step 15.0 K", 14570000, "15.0 K", "FM");
        mv::test::row("rule step 5.0 K", 14570000, "5.0 K", "FM");
        mv::test::row("outside the rule: band table", 14400000, "12.5 K", "USB");
    }
    void modeOf()
    {
        QFETCH(int, frequency);
        QFETCH(QString, step);
        QFETCH(QString, mode);
        RepeaterRuleSet set;
        set.RepeaterRulesActive = !step.isEmpty();
        set.rules = {RepeaterRule{14560000, 14578750, "Minus", ".60000", step.isEmpty() ? "12.5 K" : step}};
        QCOMPARE(modeText(DefaultModeForFrequency(set, frequency)), mode);
    }
};

QTEST_GUILESS_MAIN(TestDefaultMode)
#include "tst_defaultmode.moc"
