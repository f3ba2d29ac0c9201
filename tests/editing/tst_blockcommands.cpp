// The block commands of the "&Memories" and "&PMS" menus on a loaded table.
#include "EditingFixture.h"

#include <QSignalSpy>
#include <QtTest>

using namespace mv;
using mv::test::EditingFixture;

class TestBlockCommands : public QObject {
    Q_OBJECT

private slots:
    void insertAboveShiftsDownToTheFirstEmpty()
    {
        EditingFixture f;
        f.useRange(10, 15);
        f.use(17);
        const QString old10 = f.freq(10), old15 = f.freq(15), old17 = f.freq(17);
        f.current(10);
        f.commands.InsertMemoryAbove();
        QVERIFY(f.table().isEmpty(10));
        QCOMPARE(f.freq(11), old10);
        QCOMPARE(f.freq(16), old15);
        QCOMPARE(f.freq(17), old17);
        QVERIFY(f.table().isEmpty(18));
        QVERIFY(f.t.dialogs.boxes.isEmpty());
        QCOMPARE(f.t.view.currentRow, 11);
        QVERIFY(f.t.view.calls.contains("ShowMemoriesTab"));
        QVERIFY(f.t.state.MemoriesChanged);
        QCOMPARE(f.t.view.undoCaption, QString("Undo last InsertAbove"));
        QVERIFY(f.consistent());
    }

    void insertAboveWithoutRoomAsksToDrop_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("changed");
        QTest::newRow("No keeps the table") << int(Answer::No) << false;
        QTest::newRow("Yes drops memory 500") << int(Answer::Yes) << true;
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
        QCOMPARE(f.t.dialogs.texts(),
                 QStringList{"No empty memory slot is available after memory 498\r\nIs it OK to drop the last memory?"});
        QCOMPARE(f.t.dialogs.boxes[0].buttons, Buttons::YesNo);
        QCOMPARE(f.t.state.MemoriesChanged, changed);
        if (!changed) {
            QVERIFY(f.table().memoryRows() == before);
            QVERIFY(!f.undo.available());
            return;
        }
        QVERIFY(f.table().isEmpty(498));
        QCOMPARE(f.freq(499), before[497][1]);
        QCOMPARE(f.freq(500), before[498][1]);
        QCOMPARE(f.t.view.currentRow, 499);
        QVERIFY(f.consistent());
    }

    void insertAboveAtTheLastMemory()
    {
        EditingFixture f;
        f.use(500);
        f.current(500);
        f.commands.InsertMemoryAbove();  // nothing after 500: asks, Yes drops it
        QCOMPARE(f.t.dialogs.boxes.size(), 1);
        QVERIFY(f.table().isEmpty(500));
        QCOMPARE(f.t.view.currentRow, 500);
    }

    void removeClosesTheGap()
    {
        EditingFixture f;
        f.useRange(1, 500);
        const auto before = f.table().memoryRows();
        f.select(3, 5);
        f.commands.RemoveMemory();
        QCOMPARE(f.t.dialogs.texts(), QStringList{"Are you sure you want to remove memories 3 to 5"});
        QCOMPARE(f.t.dialogs.boxes[0].buttons, Buttons::OkCancel);
        QCOMPARE(f.t.dialogs.boxes[0].icon, Icon::Question);
        QCOMPARE(f.freq(2), before[1][1]);
        QCOMPARE(f.freq(3), before[5][1]);  // old memory 6
        QCOMPARE(f.freq(497), before[499][1]);
        for (int n = 498; n <= 500; ++n)
            QVERIFY(f.table().isEmpty(n));
        QCOMPARE(f.t.view.currentRow, 3);
        QCOMPARE(f.t.view.undoCaption, QString("Undo last Remove"));
        QVERIFY(f.consistent());
    }

    void deleteClearsInPlace_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("question");
        QTest::newRow("block") << 3 << 5 << "Are you sure you want to delete memories 3 to 5";
        QTest::newRow("one") << 7 << 7 << "Are you sure you want to delete memory 7";
    }
    void deleteClearsInPlace()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, question);
        EditingFixture f;
        f.useRange(1, 10);
        const auto before = f.table().memoryRows();
        f.select(first, last, 1, 6);
        f.commands.DeleteMemory();
        QCOMPARE(f.t.dialogs.texts(), QStringList{question});
        for (int n = 1; n <= 10; ++n) {
            if (n >= first && n <= last)
                QVERIFY(f.table().isEmpty(n));
            else
                QVERIFY(f.table().memory(n) == before[size_t(n - 1)]);
        }
        QCOMPARE(f.t.view.currentRow, first);
        QVERIFY(f.t.state.MemoriesChanged);
        QVERIFY(f.consistent());
    }

    void cancelledQuestionsChangeNothing_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("delete") << 0;
        QTest::newRow("remove") << 1;
        QTest::newRow("PMS pair") << 2;
    }
    void cancelledQuestionsChangeNothing()
    {
        QFETCH(int, command);
        EditingFixture f;
        f.useRange(1, 10);
        f.table().setPmsRow(1, f.table().memory(1));
        const auto before = f.table().memoryRows();
        const auto pmsBefore = f.table().pms(1);
        f.select(3, 5);
        f.t.dialogs.answers.enqueue(Answer::Cancel);
        if (command == 0)
            f.commands.DeleteMemory();
        else if (command == 1)
            f.commands.RemoveMemory();
        else
            f.commands.DeletePmsMemoryPair(1);
        QCOMPARE(f.t.dialogs.boxes.size(), 1);
        QVERIFY(f.table().memoryRows() == before);
        QVERIFY(f.table().pms(1) == pmsBefore);
        QVERIFY(!f.t.state.MemoriesChanged);
        QVERIFY(!f.undo.available());
    }

    void movesAtTheEndsOnlySelect_data()
    {
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("down at 500") << true << 498 << 500;
        QTest::newRow("up at 1") << false << 1 << 3;
    }
    void movesAtTheEndsOnlySelect()
    {
        QFETCH(bool, down);
        QFETCH(int, first);
        QFETCH(int, last);
        EditingFixture f;
        f.useRange(1, 500);
        const auto before = f.table().memoryRows();
        f.select(first, last);
        down ? f.commands.MoveSelectedDown() : f.commands.MoveSelectedUp();
        QVERIFY(f.table().memoryRows() == before);
        QCOMPARE(f.t.view.block.firstRow, first);
        QCOMPARE(f.t.view.block.lastRow, last);
        QCOMPARE(f.t.view.block.firstCol, 1);
        QCOMPARE(f.t.view.block.lastCol, 6);
        QVERIFY(!f.t.state.MemoriesChanged);
    }

    void movesShiftTheBlockByOne_data()
    {
        QTest::addColumn<bool>("down");
        QTest::newRow("down") << true;
        QTest::newRow("up") << false;
    }
    void movesShiftTheBlockByOne()
    {
        QFETCH(bool, down);
        EditingFixture f;
        f.useRange(1, 10);
        const auto before = f.table().memoryRows();
        f.select(4, 6);
        down ? f.commands.MoveSelectedDown() : f.commands.MoveSelectedUp();
        const int shift = down ? 1 : -1;
        for (int n = 4; n <= 6; ++n)
            QCOMPARE(f.freq(n + shift), before[size_t(n - 1)][1]);
        // The neighbour that was jumped over sits at the other end of the block.
        QCOMPARE(f.freq(down ? 4 : 6), before[size_t(down ? 6 : 2)][1]);
        QCOMPARE(f.t.view.block.firstRow, 4 + shift);
        QCOMPARE(f.t.view.block.lastRow, 6 + shift);
        QVERIFY(f.t.view.calls.contains("RefreshChangedState"));
        QVERIFY(f.t.state.MemoriesChanged);
        QVERIFY(!f.undo.available());  // moves take no snapshot
        QVERIFY(f.consistent());
    }

    void fillDownSkipsEmptyMemories()
    {
        EditingFixture f;
        f.use(3, "14.20000", "USB");
        f.use(5, "7.05000", "LSB");
        f.use(6, "7.06000", "CW");
        f.select(3, 6, 0, 2);  // the number column is part of the selection
        f.commands.FillSelectionDownwards();
        QVERIFY(f.table().isEmpty(4));
        QCOMPARE(f.freq(5), QString("14.20000"));
        QCOMPARE(f.table().cell(6, MemoryTable::ColMode), QString("USB"));
        QCOMPARE(f.desc(6), QString("Memory 6"));  // outside the columns
        QVERIFY(f.consistent());                    // numbers untouched
        QVERIFY(f.t.state.MemoriesChanged);
        QCOMPARE(f.t.view.undoCaption, QString("Undo last FillDown"));
    }

    void fillDownGuards_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("one row") << 3 << 3;
        QTest::newRow("first row empty") << 2 << 5;
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

    void compactKeepsOrderAndShowsAllRows()
    {
        EditingFixture f;
        f.useRange(1, 500);
        {
            MemoryTable::Batch batch(f.table());
            for (int n : {1, 3, 499})
                f.table().ClearMemoryRow(n);
        }
        f.t.state.HideEmptyMemories = true;
        f.t.view.hideEmptyChecked = true;
        QSignalSpy spy(&f.table(), &MemoryTable::memoryRowsChanged);
        f.commands.CompactEmptyMemories();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(f.freq(1), EditingFixture::frequencyOf(2));
        QCOMPARE(f.freq(2), EditingFixture::frequencyOf(4));
        QCOMPARE(f.freq(496), EditingFixture::frequencyOf(498));
        QCOMPARE(f.freq(497), EditingFixture::frequencyOf(500));
        for (int n = 498; n <= 500; ++n)
            QVERIFY(f.table().isEmpty(n));
        QVERIFY(!f.t.state.HideEmptyMemories);
        QVERIFY(!f.t.view.hideEmptyChecked);
        QVERIFY(f.t.view.calls.contains("ApplyHideEmpty"));
        QVERIFY(f.t.state.MemoriesChanged);
        QVERIFY(f.consistent());
    }

    void deletePmsPair_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("pair");
        QTest::newRow("P1U") << 2 << 1;
        QTest::newRow("P2L") << 3 << 2;
    }
    void deletePmsPair()
    {
        QFETCH(int, row);
        QFETCH(int, pair);
        EditingFixture f;
        f.use(1);
        for (int k = 1; k <= 4; ++k)
            f.table().setPmsRow(k, f.table().memory(1));
        f.commands.DeletePmsMemoryPair(row);
        QCOMPARE(f.t.dialogs.texts(), QStringList{QString("Are you sure you want to delete PMS memory pair %1").arg(pair)});
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(f.table().isPmsEmpty(k), (k + 1) / 2 == pair);
        QCOMPARE(f.table().pmsCell(2 * pair, MemoryTable::ColMode), QString());
        QCOMPARE(f.table().pmsCell(2 * pair, MemoryTable::ColLabel), MemoryTable::pmsLabel(2 * pair));
        QVERIFY(f.t.state.MemoriesChanged);
    }

    void dragMovesOneRow()
    {
        EditingFixture f;
        f.useRange(1, 10);
        const auto before = f.table().memoryRows();
        f.commands.DragMove(2, 8);
        QCOMPARE(f.freq(8), before[1][1]);
        QCOMPARE(f.freq(2), before[2][1]);
        QCOMPARE(f.t.view.currentRow, 8);
        QVERIFY(f.t.state.MemoriesChanged);
        QVERIFY(f.consistent());
    }

    void nothingLoadedRefusesEverything()
    {
        EditingFixture f;
        f.useRange(1, 10);
        f.t.state.DataSource = 0;
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
        QVERIFY(f.t.dialogs.boxes.isEmpty());
        QVERIFY(!f.t.state.MemoriesChanged);
    }

    void hiddenRowsFollowReorderedMemories()
    {
        EditingFixture f;
        f.useRange(1, 3);
        f.t.state.HideEmptyMemories = true;
        f.select(1, 1);
        f.t.dialogs.answers.enqueue(Answer::Ok);
        f.commands.RemoveMemory();
        // Rows 3 and later changed from used to empty or back: the hiding is
        // worked out again so that no used memory stays in a hidden row.
        QVERIFY(f.t.view.calls.contains("ApplyHideEmpty"));
    }
};

QTEST_GUILESS_MAIN(TestBlockCommands)
#include "tst_blockcommands.moc"
