// Copy, cut and paste of memory blocks, and the one-level undo snapshot file.
#include "DataRows.h"
#include "EditingFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
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
    void copyPutsTabbedLinesOnTheClipboard()
    {
        EditingFixture f;
        f.use(10, "14.20000", "USB", "Net");
        f.use(11, "7.05000", "LSB", "Local");
        f.select(10, 11, 1, 3);
        f.commands.Copy();
        QCOMPARE(f.t.view.clipboard, QString("14.20000\tUSB\tSimplex\r\n7.05000\tLSB\tSimplex"));
        QCOMPARE(f.t.state.CopiedFirst, 10);
        QCOMPARE(f.t.state.CopiedLast, 11);
        QVERIFY(!f.t.state.CutPending);
        QVERIFY(f.t.state.ClipboardHasMemories);
        QVERIFY(f.menus().paste);
        f.commands.Cut();
        QVERIFY(f.t.state.CutPending);
        QVERIFY(!f.table().isEmpty(10));  // cut changes nothing yet
    }

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

    void snapshotIsAPrivateTemporaryFile()
    {
        QString path;
        {
            EditingFixture f;
            f.use(1);
            QVERIFY(f.undo.SaveUndoSnapshot(f.t.ctx, "Delete"));
            path = f.undo.filePath();
            const QFileInfo info(path);
            QVERIFY(info.exists());
            QCOMPARE(QDir(info.absolutePath()).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
            QVERIFY(info.fileName().startsWith("MEMVAULT"));
            // The path stays fixed from one snapshot to the next.
            QVERIFY(f.undo.SaveUndoSnapshot(f.t.ctx, "Paste"));
            QCOMPARE(f.undo.filePath(), path);
        }
        QVERIFY(!QFile::exists(path));  // removed with the snapshot at exit
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

    void imagesOfOtherShapesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("data");
        mv::test::row("empty", QByteArray());
        mv::test::row("garbage", QByteArray("MEMVAULT undo, but not really"));
        EditingFixture f;
        f.use(1);
        QByteArray good = mv::UndoSnapshot::encode(f.table());
        mv::test::row("trailing bytes", good + "x");
        QByteArray wrongVersion = good;
        wrongVersion[7] = 9;
        mv::test::row("version", wrongVersion);
    }
    void imagesOfOtherShapesAreRefused()
    {
        QFETCH(QByteArray, data);
        EditingFixture f;
        f.use(3);
        const auto before = f.table().memoryRows();
        QVERIFY(!mv::UndoSnapshot::decode(data, f.table()));
        QVERIFY(f.table().memoryRows() == before);
    }

    void eachBulkCommandIsOneChange_data()
    {
        QTest::addColumn<int>("command");
        mv::test::row("paste", 0);
        mv::test::row("sort by frequency", 1);
        mv::test::row("compact", 2);
        mv::test::row("remove", 3);
    }
    void eachBulkCommandIsOneChange()
    {
        QFETCH(int, command);
        EditingFixture f;
        for (int n = 1; n <= 500; n += 2)
            f.use(n);
        f.select(1, 400);
        f.commands.Copy();
        f.current(50);
        f.select(1, 400);
        f.t.view.currentRow = 50;
        QSignalSpy spy(&f.table(), &MemoryTable::memoryRowsChanged);
        switch (command) {
        case 0:
            f.commands.Paste();
            break;
        case 1:
            f.commands.SortByFrequency();
            break;
        case 2:
            f.commands.CompactEmptyMemories();
            break;
        case 3:
            f.commands.RemoveMemory();
            break;
        }
        QCOMPARE(spy.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestClipboardUndo)
#include "tst_clipboardundo.moc"
