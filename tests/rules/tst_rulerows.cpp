// The rules window's rows: presets as cell texts, storing and reloading them,
// and the checks of typed Low, High and Amount cells, under "." and "," locales.
#include "DataRows.h"
#include "LocaleCases.h"
#include "TestContext.h"
#include "core/NumberText.h"
#include "rules/RepeaterRules.h"
#include "rules/RulePresets.h"
#include "rules/RuleRows.h"

#include <QtTest>

using namespace mv;
using mv::test::mark;
using mv::test::ScriptedDialogs;
using mv::test::TestContext;

namespace {
const char *const kRangeMessage144 = "The frequency of '144@00000' is not acceptable. Valid ranges in MHz are:\r\n"
                                     "29 - 30, 50 - 52, 145 - 147 and 430 - 450.\r\n"
                                     " If your local rules are outside these limits please contact the author.";
}

class TestRuleRows : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES("en_US", "fr_FR")

    // OK stores the cells exactly (the window suite's scenarios): a typed Amount
    // as typed, read back and loaded in the "##.00000" form.
    void typedAmountIsStoredAsTyped()
    {
        TestContext t;
        std::vector<RuleRow> rows = PresetRuleRows(*FindRulePreset("cmdLoadDefaultUS"));
        rows[1].Amount = mark("0.5");
        StoreRuleRows(*t.settings, rows, true, false);
        QCOMPARE(t.settings->text(Setting::RuleAmount, 2), mark("0.5"));
        RepeaterRuleSet set;
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QCOMPARE(set.rules[1].Amount, mark(".50000"));
        QVERIFY(t.dialogs.boxes.isEmpty());
        const StoredRuleRows back = ReadStoredRuleRows(*t.settings);
        rows[1].Amount = mark(".50000");
        QVERIFY(back.RepeaterRulesActive && !back.AllowAnyRepeaterFrequency && back.rows == rows);
    }

    // Reloading: missing keys take the window's defaults (High 145.8), and a
    // decimal comma written elsewhere is brought to the locale's mark.
    void reloadDefaultsAndNormalising()
    {
        TestContext t;
        t.settings->set<Setting::NumberOfRules>(2);
        t.settings->set<Setting::RuleLow>(2, "145,6");
        t.settings->set<Setting::RuleAmount>(2, "0,6");
        const StoredRuleRows back = ReadStoredRuleRows(*t.settings);
        QCOMPARE(back.rows.size(), size_t(2));
        QCOMPARE(back.rows[0].cells(),
                 QStringList({mark("145.60000"), mark("145.80000"), "Minus", mark(".60000"), "12.5 K"}));
        QCOMPARE(back.rows[1].Low, mark("145.60000"));
        QCOMPARE(back.rows[1].Amount, mark(".60000"));
    }

    // A typed Low or High: the cell it becomes ("" when refused) and the boxes,
    // "@" standing for the decimal mark and "..." ending a box given by its start.
    // Text that is no number is refused even when any frequency is allowed, as
    // such a rule could never apply.
    void frequencyEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("allowAny");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("boxes");
        const QStringList refused{"The frequency of '..."};
        mv::test::row("30, band top", "30", false, "30.00000", QStringList());
        mv::test::row("30.00001", "30.00001", false, "", refused);
        mv::test::row("rounded into the band", "29.999996", false, "30.00000", QStringList());
        mv::test::row("144 allowed", "144", true, "144.00000", QStringList());
        mv::test::row("53.01 allowed", "53.01", true, "53.01000", QStringList());
        mv::test::row("144, the whole message", "144", false, "", QStringList{kRangeMessage144});
        mv::test::row("text", "abc", false, "",
                      QStringList{"Not a numeric value", "The frequency of 'abc' is not acceptable...."});
        mv::test::row("text, any frequency allowed", "abc", true, "", QStringList{"Not a numeric value"});
        mv::test::row("overflow", "99999", true, "", QStringList{"Error converting from string 99999@00000"});
    }
    void frequencyEntry()
    {
        QFETCH(QString, typed);
        QFETCH(bool, allowAny);
        QFETCH(QString, cell);
        QFETCH(QStringList, boxes);
        ScriptedDialogs d;
        QString out = "old";
        QCOMPARE(CheckRuleFrequencyEntry(mark(typed), allowAny, &d, &out), !cell.isEmpty());
        QCOMPARE(out, cell.isEmpty() ? QString("old") : mark(cell));
        QStringList shown = d.texts();
        for (int i = 0; i < qMin(boxes.size(), shown.size()); ++i) {
            boxes[i].replace('@', DecimalSeparator());
            if (boxes[i].endsWith("..."))
                shown[i] = shown[i].left(boxes[i].size() - 3) + "...";
        }
        QCOMPARE(shown, boxes);
    }
};

QTEST_GUILESS_MAIN(TestRuleRows)
#include "tst_rulerows.moc"
