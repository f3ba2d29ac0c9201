// The rules window's rows: presets as cell texts, storing and reloading them,
// and the checks of typed Low, High and Amount cells, under "." and "," locales.
#include "DataRows.h"
#include "LocaleCases.h"
#include "TestContext.h"
#include "core/NumberText.h"
#include "rules/RepeaterRules.h"
#include "rules/RulePresets.h"
#include "rules/RuleRows.h"

#include <QLocale>
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
    // "Low|High|Direction|Offset|Step" rows written with a decimal point.
    QList<QStringList> expectRows(const QStringList &rows) const
    {
        QList<QStringList> out;
        for (const QString &r : rows) {
            QStringList cells = r.split('|');
            cells[0] = mark(cells[0]);
            cells[1] = mark(cells[1]);
            cells[3] = mark(cells[3]);
            out << cells;
        }
        return out;
    }
    static QList<QStringList> cellsOf(const std::vector<RuleRow> &rows)
    {
        QList<QStringList> out;
        for (const RuleRow &r : rows)
            out << r.cells();
        return out;
    }

private slots:
    MV_LOCALE_CASES("en_US", "fr_FR")

    void newRuleRow()
    {
        QCOMPARE(NewRuleRow().cells(), expectRows({"145.60000|145.80000|Minus|.60000|12.5 K"}).first());
    }

    // OK stores the cell texts exactly, including a preset limit that no typed
    // cell would accept; loading then applies them.
    void storeExactlyTheCells()
    {
        TestContext t;
        std::vector<RuleRow> rows = PresetRuleRows(*FindRulePreset("cmdLoadDefaultUS"));
        rows[1].Amount = mark("0.5");  // typed Amounts are stored as typed
        StoreRuleRows(*t.settings, rows, true, false);
        auto get = [&](Setting setting, int index = 0) { return t.settings->text(setting, index); };
        QCOMPARE(get(Setting::NumberOfRules), QString("10"));
        QCOMPARE(get(Setting::RepeaterRulesActive), QString("True"));
        QCOMPARE(get(Setting::AllowAnyRepeaterFrequency), QString("False"));
        QCOMPARE(get(Setting::RuleLow, 3), mark("53.01000"));
        QCOMPARE(get(Setting::RuleHigh, 3), mark("53.99000"));
        QCOMPARE(get(Setting::RuleDirection, 3), QString("Minus"));
        QCOMPARE(get(Setting::RuleAmount, 3), mark("1.00000"));
        QCOMPARE(get(Setting::RuleStep, 3), QString("20.0 K"));
        QCOMPARE(get(Setting::RuleAmount, 2), mark("0.5"));
        QCOMPARE(get(Setting::RuleHigh, 10), mark("449.97500"));

        RepeaterRuleSet set;
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QVERIFY(set.RepeaterRulesActive);
        QCOMPARE(set.rules.size(), size_t(10));
        QCOMPARE(FindRepeaterRule(set, 5301000).value_or(RepeaterRuleMatch()).Amount, mark("1.00000"));
        QCOMPARE(set.rules[1].Amount, mark(".50000"));
        QVERIFY(t.dialogs.boxes.isEmpty());

        // What was stored reads back as the same rows.
        const StoredRuleRows back = ReadStoredRuleRows(*t.settings);
        rows[1].Amount = mark(".50000");
        QVERIFY(back.RepeaterRulesActive);
        QVERIFY(back.rows == rows);
    }

    void storeNoRules()
    {
        TestContext t;
        StoreRuleRows(*t.settings, PresetRuleRows(*FindRulePreset("cmdLoadDefaultUK")), true, true);
        StoreRuleRows(*t.settings, {}, true, true);
        QCOMPARE(t.settings->text(Setting::NumberOfRules), QString("0"));
        RepeaterRuleSet set;
        LoadRepeaterRules(set, *t.settings, &t.dialogs, &t.log);
        QVERIFY(!set.RepeaterRulesActive);
        const StoredRuleRows back = ReadStoredRuleRows(*t.settings);
        QVERIFY(back.rows.empty());
        QVERIFY(!back.RepeaterRulesActive);
        QVERIFY(back.AllowAnyRepeaterFrequency);
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
        QCOMPARE(back.rows[0].cells(), expectRows({"145.60000|145.80000|Minus|.60000|12.5 K"}).first());
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
        mv::test::row("52", "52", false, "52.00000", QStringList());
        mv::test::row("30.00001", "30.00001", false, "", refused);
        mv::test::row("53.01", "53.01", false, "", refused);
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
        const QStringList shown = d.texts();
        QCOMPARE(shown.size(), boxes.size());
        for (int i = 0; i < boxes.size(); ++i) {
            const QString box = QString(boxes[i]).replace('@', DecimalSeparator());
            if (box.endsWith("..."))
                QVERIFY2(shown[i].startsWith(box.chopped(3)), qPrintable(shown[i]));
            else
                QCOMPARE(shown[i], box);
        }
        for (const auto &b : d.boxes)
            QCOMPARE(b.buttons, Buttons::Ok);
    }

    void amountEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("boxes");
        mv::test::row("0", "0", true, QStringList{});
        mv::test::row("99.99", "99.99", true, QStringList{});
        mv::test::row("100", "100", false, QStringList{});
        mv::test::row("-1", "-1", false, QStringList{});
        mv::test::row("text", "six", false, QStringList{"Not a numeric value"});
    }
    void amountEntry()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QStringList, boxes);
        ScriptedDialogs d;
        QCOMPARE(CheckRuleAmountEntry(mark(typed), &d), accepted);
        QCOMPARE(d.texts(), boxes);
    }
};

QTEST_GUILESS_MAIN(TestRuleRows)
#include "tst_rulerows.moc"
