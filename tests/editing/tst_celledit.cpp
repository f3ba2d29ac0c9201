// Confirming cell edits in the memory and PMS views, Shift+Insert, and the
// pick lists the editors offer.
#include "DataRows.h"
#include "EditingFixture.h"
#include "core/RadioTables.h"
#include "rules/RepeaterRules.h"

#include <QtTest>

using namespace mv;
using mv::test::EditingFixture;

class TestCellEdit : public QObject {
    Q_OBJECT

private slots:
    void repeaterRuleSetsTheShift_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shift");
        QTest::addColumn<QString>("mode");
        // The rule's step 20.0 K gives "FM"; the band table gives "FMN" there.
        mv::test::row("inside the rule", true, "29.67", "Minus", "FM");
        mv::test::row("on its upper limit", true, "29.69", "Minus", "FM");
        mv::test::row("outside every rule", true, "14.2", "Simplex", "USB");
        mv::test::row("rules switched off", false, "29.67", "Plus", "FMN");
    }
    void repeaterRuleSetsTheShift()
    {
        QFETCH(bool, active);
        QFETCH(QString, typed);
        QFETCH(QString, shift);
        QFETCH(QString, mode);
        EditingFixture f;
        f.rules.RepeaterRulesActive = active;
        f.rules.rules = {RepeaterRule{2966000, 2969000, "Minus", ".10000", "20.0 K"}};
        f.table().setMemory(20, mv::test::memoryOf({"7.05000", "", "Plus"}));
        QVERIFY(f.commands.ConfirmMemoryEdit(20, 1, typed));
        QCOMPARE(mv::test::cellsOf(f.table(), 20).mid(2, 2), QStringList({mode, shift}));
    }

    // A confirmed choice or description, and the tone the memory then has; a
    // blank or unknown choice is refused silently and changes nothing.
    void editsAreStored_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");  // "": refused
        QTest::addColumn<QString>("tone");
        mv::test::row("blank mode", 2, "", "", "88.5");
        mv::test::row("blank shift", 3, "", "", "88.5");
        mv::test::row("no such mode", 2, "SSB", "", "88.5");
        mv::test::row("no such tone", 5, "100", "", "88.5");
        mv::test::row("mode", 2, "USRU", "USRU", "88.5");
        mv::test::row("mode, other case", 2, "fmn", "FMN", "88.5");
        mv::test::row("encoding", 4, "CTCSS Enc+Dec", "CTCSS Enc+Dec", "88.5");
        mv::test::row("tone", 5, "254.1", "254.1", "254.1");
        mv::test::row("description of 120 characters", 6, QString(120, 'x'), QString(100, 'x'), "88.5");
        mv::test::row("comma and semicolon", 6, "a,b;c", "a b c", "88.5");
        mv::test::row("double quote", 6, "say \"hi\"", "say  hi ", "88.5");
        mv::test::row("tab and line break", 6, "two\tlines\r\nhere", "two lines  here", "88.5");
        mv::test::row("cleaned before the cut", 6, QString(99, 'y') + ",z", QString(99, 'y') + " ", "88.5");
    }
    void editsAreStored()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(QString, tone);
        EditingFixture f;
        f.use(6);
        const QString before = mv::test::cellOf(f.table(), 6, column);
        QCOMPARE(f.commands.ConfirmMemoryEdit(6, column, text), !stored.isEmpty());
        QCOMPARE(mv::test::cellOf(f.table(), 6, column), stored.isEmpty() ? before : stored);
        QCOMPARE(mv::test::cellOf(f.table(), 6, MemoryTable::ColTone), tone);
        QCOMPARE(f.t.state.MemoriesChanged, !stored.isEmpty());
        QVERIFY(f.t.dialogs.boxes.isEmpty());
    }

    // An empty memory takes only a frequency; nothing is taken while no data is
    // loaded or an undo is under way, and no undo is offered for what was refused.
    void refusedEditsChangeNothing()
    {
        EditingFixture f;
        for (int column = 2; column <= 6; ++column)
            QVERIFY(!f.commands.ConfirmMemoryEdit(9, column, "FM"));
        QVERIFY(!f.commands.ConfirmPmsEdit(2, 2, "FM"));
        f.t.state.UndoInProgress = true;
        QVERIFY(!f.commands.ConfirmMemoryEdit(1, 1, "14.2"));
        f.t.state.UndoInProgress = false;
        f.t.state.DataSource = DataSource::Nothing;
        QVERIFY(!f.commands.ConfirmMemoryEdit(1, 1, "14.2"));
        QVERIFY(f.table().isEmpty(1) && f.table().isPmsEmpty(2));
        QVERIFY(!f.undo.available());
    }

    void pmsEditTakesNoSnapshot()
    {
        EditingFixture f;
        QVERIFY(f.commands.ConfirmPmsEdit(3, 1, "14.2"));
        QCOMPARE(mv::test::pmsCellsOf(f.table(), 3), QStringList({"P2L", "14.20000", "USB", "Simplex", "", "67.0"}));
        QVERIFY(!f.undo.available() && f.t.state.MemoriesChanged);
        QVERIFY(!f.commands.ConfirmPmsEdit(3, 6, "text"));  // no description column
    }
};

QTEST_GUILESS_MAIN(TestCellEdit)
#include "tst_celledit.moc"
