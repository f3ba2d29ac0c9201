// Rule lookup and loading the rules from the settings store, under "." and ","
// locales, including hand-edited values that cannot be read.
#include "DataRows.h"
#include "LocaleCases.h"
#include "TestContext.h"
#include "core/NumberText.h"
#include "rules/RepeaterRules.h"

#include <QLocale>
#include <QtTest>

using namespace mv;
using mv::test::mark;
using mv::test::TestContext;

namespace {
RepeaterRule rule(qint32 low, qint32 high, const QString &direction, const QString &step = "12.5 K")
{
    RepeaterRule r;
    r.Low = low;
    r.High = high;
    r.Direction = direction;
    r.Amount = ".60000";
    r.Step = step;
    return r;
}

// A text as the rules file holds it.
void put(TestContext &t, Setting setting, const QString &text, int index = 0)
{
    t.settings->setText(setting, text, index);
}
}  // namespace

class TestRepeaterRules : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES()

    void find_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("frequency");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("direction");
        // Rule 1 145.6-145.7875 Minus; rule 2 145.7-146.0 Plus overlaps it.
        mv::test::row("at Low", true, 14560000, true, "Minus");
        mv::test::row("below Low", true, 14559999, false, "");
        mv::test::row("overlap: first rule wins", true, 14570000, true, "Minus");
        mv::test::row("second rule past the first", true, 14578751, true, "Plus");
        mv::test::row("above all", true, 14600001, false, "");
        mv::test::row("inactive, inside a rule", false, 14570000, false, "");
        mv::test::row("not a frequency", true, -1, false, "");
    }
    void find()
    {
        QFETCH(bool, active);
        QFETCH(int, frequency);
        QFETCH(bool, found);
        QFETCH(QString, direction);
        RepeaterRuleSet set;
        set.RepeaterRulesActive = active;
        set.rules = {rule(14560000, 14578750, "Minus"), rule(14570000, 14600000, "Plus", "25.0 K")};
        for (RepeaterRule &r : set.rules)
            r.Amount = mark(".60000");
        const std::optional<RepeaterRuleMatch> match = FindRepeaterRule(set, frequency);
        QCOMPARE(match.has_value(), found);
        if (found) {
            QCOMPARE(match->Direction, direction);
            QCOMPARE(match->Amount, mark(".60000"));
        }
    }

    void noRulesStoredMeansInactive()
    {
        TestContext t;
        put(t, Setting::RepeaterRulesActive, "True");
        put(t, Setting::NumberOfRules, "0");
        RepeaterRuleSet set;
        set.rules = {rule(14560000, 14578750, "Minus")};
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QVERIFY(!set.RepeaterRulesActive);
        QVERIFY(!FindRepeaterRule(set, 14570000));
        QVERIFY(t.dialogs.boxes.isEmpty());
    }

    void loadsStoredRules()
    {
        TestContext t;
        put(t, Setting::RepeaterRulesActive, "True");
        put(t, Setting::AllowAnyRepeaterFrequency, "True");
        put(t, Setting::NumberOfRules, "2");
        put(t, Setting::RuleLow, mark("29.62000"), 1);
        put(t, Setting::RuleHigh, mark("29.68000"), 1);
        put(t, Setting::RuleDirection, "Minus", 1);
        put(t, Setting::RuleAmount, mark(".10000"), 1);
        put(t, Setting::RuleStep, "20.0 K", 1);
        put(t, Setting::RuleLow, mark("430.02500"), 2);
        put(t, Setting::RuleHigh, mark("430.375"), 2);
        put(t, Setting::RuleDirection, "Plus", 2);
        put(t, Setting::RuleAmount, mark("1.6"), 2);
        put(t, Setting::RuleStep, "12.5 K", 2);
        put(t, Setting::RuleLow, mark("1.00000"), 3);  // left over from a longer list: never read
        RepeaterRuleSet set;
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QVERIFY(set.RepeaterRulesActive);
        QVERIFY(set.AllowAnyRepeaterFrequency);
        QCOMPARE(set.rules.size(), size_t(2));
        QCOMPARE(set.rules[0].Low, 2962000);
        QCOMPARE(set.rules[0].High, 2968000);
        QCOMPARE(set.rules[0].Amount, mark(".10000"));
        QCOMPARE(set.rules[0].Step, QString("20.0 K"));
        QCOMPARE(set.rules[1].Low, 43002500);
        QCOMPARE(set.rules[1].High, 43037500);
        QCOMPARE(set.rules[1].Direction, QString("Plus"));
        QCOMPARE(set.rules[1].Amount, mark("1.60000"));
        QVERIFY(t.dialogs.boxes.isEmpty());
        QVERIFY(!t.log.isOpen());
    }

    // Missing keys read as their defaults; the start-up load takes 145.6 for High.
    void missingKeysReadAsDefaults()
    {
        TestContext t;
        put(t, Setting::NumberOfRules, "1");
        RepeaterRuleSet set;
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QVERIFY(!set.RepeaterRulesActive);
        QCOMPARE(set.rules.size(), size_t(1));
        QCOMPARE(set.rules[0].Low, 14560000);
        QCOMPARE(set.rules[0].High, 14560000);
        QCOMPARE(set.rules[0].Direction, QString("Minus"));
        QCOMPARE(set.rules[0].Amount, mark(".60000"));
        QCOMPARE(set.rules[0].Step, QString("12.5 K"));
    }

    // A rule written under a decimal-comma locale reads correctly under a decimal point.
    void commaWrittenRuleReadsEverywhere()
    {
        TestContext t;
        put(t, Setting::RepeaterRulesActive, "True");
        put(t, Setting::NumberOfRules, "1");
        put(t, Setting::RuleLow, "145,60000", 1);
        put(t, Setting::RuleHigh, "145,78750", 1);
        put(t, Setting::RuleAmount, ",60000", 1);
        RepeaterRuleSet set;
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QCOMPARE(set.rules[0].Low, 14560000);
        QCOMPARE(set.rules[0].High, 14578750);
        QCOMPARE(set.rules[0].Amount, mark(".60000"));
        QVERIFY(FindRepeaterRule(set, 14560000));
        QVERIFY(t.dialogs.boxes.isEmpty());
    }

    // A hand-edited limit that is not a number: its rule holds no frequency (not
    // every frequency up to its High), one box for the whole list, one log line
    // per such rule; the other rules still apply.
    void unreadableLimits()
    {
        TestContext t;
        put(t, Setting::RepeaterRulesActive, "True");
        put(t, Setting::NumberOfRules, "3");
        put(t, Setting::RuleLow, "abc", 1);
        put(t, Setting::RuleHigh, mark("145.78750"), 1);
        put(t, Setting::RuleLow, mark("29.62"), 2);
        put(t, Setting::RuleHigh, mark("29.68"), 2);
        put(t, Setting::RuleDirection, "Plus", 2);
        put(t, Setting::RuleLow, "x", 3);
        put(t, Setting::RuleHigh, "y", 3);
        RepeaterRuleSet set;
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QCOMPARE(t.dialogs.texts(), QStringList{"Not a numeric value"});
        QCOMPARE(t.dialogs.boxes[0].icon, Icon::Exclamation);
        QCOMPARE(set.rules.size(), size_t(3));
        QVERIFY(!set.rules[0].Readable);
        QVERIFY(set.rules[1].Readable);
        QVERIFY(!set.rules[2].Readable);
        QVERIFY(!FindRepeaterRule(set, 14560000));
        QVERIFY(!FindRepeaterRule(set, 0));
        QVERIFY(!FindRepeaterRule(set, -1));
        QCOMPARE(DefaultModeForFrequency(set, -1), Mode::AM);
        QCOMPARE(FindRepeaterRule(set, 2965000).value_or(RepeaterRuleMatch()).Direction, QString("Plus"));

        const QStringList lines = t.log.text().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{"Repeater rule 1 is not used: Rule1Low of 'abc' is not a frequency",
                                     "Repeater rule 3 is not used: Rule3Low of 'x' is not a frequency"}));
    }

    // A value too large for the conversion shows its own box, and still only one.
    void overflowingLimitShowsOneBox()
    {
        TestContext t;
        put(t, Setting::RepeaterRulesActive, "True");
        put(t, Setting::NumberOfRules, "2");
        put(t, Setting::RuleHigh, "99999", 1);
        put(t, Setting::RuleLow, "99999", 2);
        RepeaterRuleSet set;
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QCOMPARE(t.dialogs.texts(), QStringList{"Error converting from string 99999"});
        QVERIFY(!set.rules[0].Readable);
        QVERIFY(!set.rules[1].Readable);
    }

    void hugeRuleCountIsCut()
    {
        TestContext t;
        put(t, Setting::RepeaterRulesActive, "True");
        put(t, Setting::NumberOfRules, "2000000000");
        RepeaterRuleSet set;
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QCOMPARE(set.rules.size(), size_t(kMaxRepeaterRules));
        QVERIFY(t.log.text().startsWith("Repeater rules: NumberOfRules of 2000000000 is too high"));
    }

    void normaliseDecimalText()
    {
        const bool point = DecimalSeparator() == '.';
        QCOMPARE(NormaliseDecimalText("145,60000"), point ? QString("145.60000") : QString("145,60000"));
        QCOMPARE(NormaliseDecimalText("145.60000"), QString("145.60000"));
    }

    void formatDecimalText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        mv::test::row("whole", "144", "##0.00000", "144.00000");
        mv::test::row("rounded up", "145.123456", "##0.00000", "145.12346");
        mv::test::row("carry", "0.999996", "##.00000", "1.00000");
        mv::test::row("no leading zero", "0.6", "##.00000", ".60000");
        mv::test::row("negative", "-1", "##.00000", "-1.00000");
    }
    void formatDecimalText()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(FormatDecimalText(mark(text), pattern), mark(expected));
    }

    void formatDecimalTextLeavesOtherTextAlone()
    {
        QCOMPARE(FormatDecimalText("abc", "##0.00000"), QString("abc"));
        QCOMPARE(FormatDecimalText("", "##0.00000"), QString(""));
        QCOMPARE(FormatDecimalText("99999999999999999", "##0.00000"), QString("99999999999999999"));
    }
};

QTEST_GUILESS_MAIN(TestRepeaterRules)
#include "tst_repeaterrules.moc"
