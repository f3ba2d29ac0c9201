// Timings of the bulk editing commands on a full table, each beside the floor
// of copying the 500 rows into the table (one batched change), measured in the
// same run. No thresholds: read the figures as ratios to the floor.
#include "EditingFixture.h"

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

using namespace mv;
using mv::test::EditingFixture;

class BenchEditing : public QObject {
    Q_OBJECT

    // 500 used memories in a fixed random order; every frequency occurs twice
    // so the duplicate search has 250 lines to write.
    static std::vector<Memory> shuffledRows()
    {
        EditingFixture f;
        for (int n = 1; n <= 500; ++n)
            f.use(n, EditingFixture::frequencyOf((n + 1) / 2));
        std::vector<Memory> rows = f.table().memoryRows();
        QRandomGenerator random(450);
        std::shuffle(rows.begin(), rows.end(), random);
        return rows;
    }

    static void setRows(EditingFixture &f, const std::vector<Memory> &rows) { f.table().setMemoryRows(rows); }

private slots:
    void floorCopy500Rows()
    {
        EditingFixture f;
        const auto rows = shuffledRows();
        QBENCHMARK { setRows(f, rows); }
    }

    void sortByFrequency500()
    {
        EditingFixture f;
        const auto rows = shuffledRows();
        f.select(1, 500);
        QBENCHMARK
        {
            setRows(f, rows);  // the floor's work, so the difference is the sort
            f.commands.SortByFrequency();
        }
        QCOMPARE(f.freq(1), EditingFixture::frequencyOf(1));
    }

    void compactHalfEmpty()
    {
        EditingFixture f;
        for (int n = 1; n <= 500; n += 2)
            f.use(n);
        QBENCHMARK { f.commands.CompactEmptyMemories(); }
        QCOMPARE(f.table().usedMemoryCount(), 250);
    }

    void saveSnapshotFull()
    {
        EditingFixture f;
        setRows(f, shuffledRows());
        QBENCHMARK { f.undo.SaveUndoSnapshot(f.t.ctx, "Delete"); }
    }

    // A snapshot and its undo: subtract saveSnapshotFull for the undo alone.
    void saveSnapshotAndUndoFull()
    {
        EditingFixture f;
        setRows(f, shuffledRows());
        QBENCHMARK
        {
            f.undo.SaveUndoSnapshot(f.t.ctx, "Delete");
            f.commands.Undo();
        }
        QVERIFY(!f.table().isEmpty(500));
    }

    void duplicateSearch500()
    {
        EditingFixture f;
        setRows(f, shuffledRows());
        QBENCHMARK { f.commands.ListDuplicateFrequencies(); }
    }
};

QTEST_GUILESS_MAIN(BenchEditing)
#include "bench_editing.moc"
