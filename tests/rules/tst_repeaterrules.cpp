// Rule lookup and loading the rules from the settings store, under "." and ","
// locales, including hand-edited values that cannot be read.
#include "DataRows.h"
#include "LocaleCases.h"
#include "TestContext.h"
#include "core/RadioTables.h"
#include "rules/RepeaterRules.h"

#include <QtTest>

using namespace mv;
using mv::test::mark;
using mv::test::row;
using mv::test::TestContext;

namespace {
RepeaterRule rule(qint32 low, qint32 high, const QString &direction, const QString &step = "12.5 K")
{
    return RepeaterRule{low, high, direction, mark(".60000"), step};
}

// Rules as the rules file holds them: "Key=text" or "Key#index=text".
RepeaterRuleSet loaded(TestContext &t, const QStringList &entries)
{
    t.settings->setText(Setting::RepeaterRulesActive, "True", 0);
    for (const QString &entry : entries) {
        const QString key = entry.section('=', 0, 0);
        const Setting setting = key.startsWith("Low")      ? Setting::RuleLow
                                : key.startsWith("High")   ? Setting::RuleHigh
                                : key.startsWith("Dir")    ? Setting::RuleDirection
                                : key.startsWith("Amount") ? Setting::RuleAmount
                                                           : Setting::NumberOfRules;
        t.settings->setText(setting, entry.section('=', 1), key.section('#', 1).toInt());
    }
    RepeaterRuleSet set;
    LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
    return set;
}
}  // namespace

class TestRepeaterRules : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES()

    // The rule found for a frequency, and the mode proposed for it: by the
    // step of the rule ("5.0 K" sorts after "15" as text, so it gives FM), or
    // by the band table where no rule applies.
    void find_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("frequency");
        QTest::addColumn<QString>("direction");  // "": no rule found
        QTest::addColumn<QString>("mode");
        // Rule 1 145.6-145.7875 Minus 12.5 K; rule 2 145.7-146.0 Plus 5.0 K overlaps it.
        row("at Low", true, 14560000, QString("Minus"), QString("FMN"));
        row("below Low: 2 m band", true, 14559999, QString(), QString("FM"));
        row("overlap: first rule wins", true, 14570000, QString("Minus"), QString("FMN"));
        row("second rule past the first", true, 14578751, QString("Plus"), QString("FM"));
        row("above all", true, 14600001, QString(), QString("FM"));
        row("inactive, inside a rule", false, 14570000, QString(), QString("FM"));
        row("not a frequency", true, -1, QString(), QString("AM"));
        row("band edge 5 MHz", true, 5000000, QString(), QString("CW"));
        row("just below 5 MHz", true, 4999999, QString(), QString("USB"));
        row("bottom of 160 m", true, 180000, QString(), QString("LSB"));
        row("below every band", true, 179999, QString(), QString("AM"));
    }
    void find()
    {
        QFETCH(bool, active);
        QFETCH(int, frequency);
        QFETCH(QString, direction);
        RepeaterRuleSet set;
        set.RepeaterRulesActive = active;
        set.rules = {rule(14560000, 14578750, "Minus"), rule(14570000, 14600000, "Plus", "5.0 K")};
        const std::optional<RepeaterRuleMatch> match = FindRepeaterRule(set, frequency);
        QCOMPARE(match.value_or(RepeaterRuleMatch()).Direction, direction);
        QCOMPARE(match.value_or(RepeaterRuleMatch()).Amount, direction.isEmpty() ? QString() : mark(".60000"));
        QTEST(modeText(DefaultModeForFrequency(set, frequency)), "mode");
    }

    // Missing keys read as their defaults (the start-up load takes 145.6 for
    // High); a rule written under a decimal comma reads under a decimal point.
    void oneStoredRule_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("high");
        row("missing keys", QStringList{"Count=1"}, 14560000);
        row("written with commas", QStringList{"Count=1", "Low#1=145,60000", "High#1=145,78750", "Amount#1=,60000"},
            14578750);
    }
    void oneStoredRule()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, high);
        TestContext t;
        const RepeaterRuleSet set = loaded(t, entries);
        QCOMPARE(set.rules.size(), size_t(1));
        QCOMPARE(set.rules[0].Low, 14560000);
        QCOMPARE(set.rules[0].High, high);
        QCOMPARE(set.rules[0].Direction, QString("Minus"));
        QCOMPARE(set.rules[0].Amount, mark(".60000"));
        QCOMPARE(set.rules[0].Step, QString("12.5 K"));
        QVERIFY(FindRepeaterRule(set, 14560000));
        QVERIFY(t.dialogs.boxes.isEmpty());
    }

    // A hand-edited limit that is not a number: its rule holds no frequency (not
    // every frequency up to its High), one box for the whole list, one log line
    // per such rule; the other rules still apply.
    void unreadableLimits()
    {
        TestContext t;
        const RepeaterRuleSet set
            = loaded(t, {"Count=3", "Low#1=abc", "High#1=" + mark("145.78750"), "Low#2=" + mark("29.62"),
                         "High#2=" + mark("29.68"), "Dir#2=Plus", "Low#3=x", "High#3=y"});
        QCOMPARE(t.dialogs.texts(), QStringList{"Not a numeric value"});
        QCOMPARE(t.dialogs.boxes[0].icon, Icon::Exclamation);
        QCOMPARE(set.rules.size(), size_t(3));
        QVERIFY(!set.rules[0].Readable && set.rules[1].Readable && !set.rules[2].Readable);
        QVERIFY(!FindRepeaterRule(set, 14560000));
        QVERIFY(!FindRepeaterRule(set, 0));
        QCOMPARE(DefaultModeForFrequency(set, -1), Mode::AM);
        QCOMPARE(FindRepeaterRule(set, 2965000).value_or(RepeaterRuleMatch()).Direction, QString("Plus"));
        QCOMPARE(t.log.text().split("\r\n", Qt::SkipEmptyParts),
                 (QStringList{"Repeater rule 1 is not used: Rule1Low of 'abc' is not a frequency",
                              "Repeater rule 3 is not used: Rule3Low of 'x' is not a frequency"}));
    }

    void hugeRuleCountIsCut()
    {
        TestContext t;
        const RepeaterRuleSet set = loaded(t, {"Count=2000000000"});
        QCOMPARE(set.rules.size(), size_t(kMaxRepeaterRules));
        QVERIFY(t.log.text().startsWith("Repeater rules: NumberOfRules of 2000000000 is too high"));
    }

    void formatDecimalText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        row("whole", "144", "##0.00000", "144.00000");
        row("rounded up", "145.123456", "##0.00000", "145.12346");
        row("carry", "0.999996", "##.00000", "1.00000");
        row("no leading zero", "0.6", "##.00000", ".60000");
        row("negative", "-1", "##.00000", "-1.00000");
        row("text left alone", "abc", "##0.00000", "abc");
        row("empty left alone", "", "##0.00000", "");
        row("too large left alone", "99999999999999999", "##0.00000", "99999999999999999");
    }
    void formatDecimalText()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(FormatDecimalText(mark(text), pattern), mark(expected));
    }
};

QTEST_GUILESS_MAIN(TestRepeaterRules)
#include "tst_repeaterrules.moc"
