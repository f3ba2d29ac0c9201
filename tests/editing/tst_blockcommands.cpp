// The block commands of the "&Memories" and "&PMS" menus on a loaded table.
#include "DataRows.h"
#include "EditingFixture.h"

#include <QtTest>

using namespace mv;
using mv::test::EditingFixture;
using Command = void (*)(EditingCommands &);
Q_DECLARE_METATYPE(Command)

class TestBlockCommands : public QObject {
    Q_OBJECT

private slots:
    void insertAboveWithoutRoomAsksToDrop_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("changed");
        mv::test::row("No keeps the table", int(Answer::No), false);
        mv::test::row("Yes drops memory 500", int(Answer::Yes), true);
    }
    void insertAboveWithoutRoomAsksToDrop()
    {
        QFETCH(int, answer);
        QFETCH(bool, changed);
        EditingFixture f;
        f.useRange(1, 500);
        const auto before = f.table().memoryRows();
        f.current(498);
        f.t.dialogs.answers.enqueue(Answer(answer));
        f.commands.InsertMemoryAbove();
        QCOMPARE(
            f.t.dialogs.texts(),
            QStringList{"No empty memory slot is available after memory 498\r\nIs it OK to drop the last memory?"});
        QCOMPARE(f.t.dialogs.boxes[0].buttons, Buttons::YesNo);
        QCOMPARE(f.t.state.MemoriesChanged, changed);
        if (!changed) {
            QVERIFY(f.table().memoryRows() == before);
            QVERIFY(!f.undo.available());
            return;
        }
        QVERIFY(f.table().isEmpty(498));
        QCOMPARE(f.table().memory(499), before[497]);
        QCOMPARE(f.table().memory(500), before[498]);
        QCOMPARE(f.t.view.currentRow, 499);
    }

    void insertAboveAtTheLastMemory()
    {
        EditingFixture f;
        f.use(500);
        f.current(500);
        f.commands.InsertMemoryAbove();  // nothing after 500: asks, Yes drops it
        QCOMPARE(f.t.dialogs.boxes.size(), 1);
        QVERIFY(f.table().isEmpty(500));
    }

    void cancelledQuestionsChangeNothing_data()
    {
        QTest::addColumn<Command>("command");
        mv::test::row("remove", Command([](EditingCommands &c) { c.RemoveMemory(); }));
        mv::test::row("PMS pair", Command([](EditingCommands &c) { c.DeletePmsMemoryPair(1); }));
    }
    void cancelledQuestionsChangeNothing()
    {
        QFETCH(Command, command);
        EditingFixture f;
        f.useRange(1, 10);
        f.table().setPms(1, f.table().memory(1));
        const auto before = f.table().memoryRows();
        const auto pmsBefore = f.table().pms(1);
        f.select(3, 5);
        f.t.dialogs.answers.enqueue(Answer::Cancel);
        command(f.commands);
        QCOMPARE(f.t.dialogs.boxes.size(), 1);
        QVERIFY(f.table().memoryRows() == before && f.table().pms(1) == pmsBefore);
        QVERIFY(!f.t.state.MemoriesChanged && !f.undo.available());
    }

    void fillDownGuards_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        mv::test::row("one row", 3, 3);
        mv::test::row("first row empty", 2, 5);
    }
    void fillDownGuards()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        EditingFixture f;
        f.useRange(3, 5);
        const auto before = f.table().memoryRows();
        f.select(first, last, 1, 6);
        f.commands.FillSelectionDownwards();
        QVERIFY(f.table().memoryRows() == before);
        QVERIFY(!f.undo.available());
    }

    void nothingLoadedRefusesEverything()
    {
        EditingFixture f;
        f.useRange(1, 10);
        f.t.state.DataSource = DataSource::Nothing;
        const auto before = f.table().memoryRows();
        f.select(2, 4, 1, 6);
        f.commands.InsertMemoryAbove();
        f.commands.DeleteMemory();
        f.commands.RemoveMemory();
        f.commands.MoveSelectedDown();
        f.commands.FillSelectionDownwards();
        f.commands.CompactEmptyMemories();
        f.commands.SortByFrequency();
        f.commands.ListDuplicateFrequencies();
        QVERIFY(f.table().memoryRows() == before);
        QVERIFY(f.t.dialogs.boxes.isEmpty() && !f.t.state.MemoriesChanged);
    }
};

QTEST_GUILESS_MAIN(TestBlockCommands)
#include "tst_blockcommands.moc"
