// Copy, cut and paste of memory blocks, and the one-level undo snapshot file.
#include "DataRows.h"
#include "EditingFixture.h"

#include <QFile>
#include <QtTest>
#include <set>

using namespace mv;
using mv::test::EditingFixture;

namespace {
std::multiset<qint32> usedFrequencies(const MemoryTable &table)
{
    std::multiset<qint32> set;
    for (int n = 1; n <= MemoryTable::kMemoryCount; ++n)
        if (!table.isEmpty(n))
            set.insert(table.memory(n).frequency);
    return set;
}
}  // namespace

class TestClipboardUndo : public QObject {
    Q_OBJECT

private slots:
    void overlappingCutAtTheEndLosesNoMemory()
    {
        EditingFixture f;
        // 490..499 cut and pasted at 495: 495 goes to 500 and 490 into the place
        // it left; the rows that cannot move keep their memories and are not
        // written over.
        f.useRange(485, 499);
        const auto before = f.table().memoryRows();
        const auto memories = usedFrequencies(f.table());
        f.select(490, 499);
        f.commands.Cut();
        f.current(495);
        f.commands.Paste();
        QVERIFY(usedFrequencies(f.table()) == memories);
        QCOMPARE(f.table().memory(500), before[494]);
        QCOMPARE(f.table().memory(495), before[489]);  // 490 moves into the place 495 left
        QVERIFY(f.table().isEmpty(490));
        for (int n : {491, 494, 496, 499})
            QCOMPARE(f.table().memory(n), before[size_t(n - 1)]);
    }

    void pasteThatDoesNothing_data()
    {
        QTest::addColumn<bool>("copied");
        mv::test::row("onto its own first row", true);
        mv::test::row("before any copy", false);
    }
    void pasteThatDoesNothing()
    {
        QFETCH(bool, copied);
        EditingFixture f;
        f.useRange(10, 12);
        const auto before = f.table().memoryRows();
        f.select(10, 12);
        if (copied)
            f.commands.Copy();
        f.current(copied ? 10 : 11);
        f.commands.Paste();
        QVERIFY(f.table().memoryRows() == before);
        QVERIFY(!f.undo.available());
        QVERIFY(!f.t.state.MemoriesChanged);
    }

    void snapshotGivesBackEveryCellExactly()
    {
        EditingFixture f;
        f.useRange(1, 500);
        Memory odd = f.table().memory(7);
        odd.description = QString::fromUtf8("tab\there\r\nline \"quoted\"; ü €");
        odd.mode = Mode::Unknown;
        odd.tone = kNoTone;
        odd.hertz = 7;
        f.table().setMemory(7, odd);
        f.table().setMemory(8, Memory{.description = "beside Empty"});
        const auto before = f.table().memoryRows();
        QVERIFY(f.undo.SaveUndoSnapshot(f.t.ctx, "Import"));
        QCOMPARE(f.menus().undoCaption, QString("Undo last Import"));
        f.table().ClearMemoryRows();
        f.commands.Undo();
        QVERIFY(f.table().memoryRows() == before);
    }

    void damagedSnapshotLeavesTheTableAlone()
    {
        EditingFixture f;
        f.useRange(1, 5);
        QVERIFY(f.undo.SaveUndoSnapshot(f.t.ctx, "Delete"));
        QFile file(f.undo.filePath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2));
        file.close();
        f.table().ClearMemoryRow(2);
        const auto before = f.table().memoryRows();
        f.commands.Undo();
        QVERIFY(f.table().memoryRows() == before);
        QVERIFY(!f.menus().undo);
    }
};

QTEST_GUILESS_MAIN(TestClipboardUndo)
#include "tst_clipboardundo.moc"
