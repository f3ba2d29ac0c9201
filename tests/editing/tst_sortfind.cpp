// Sorting inside the selected block, the duplicate list and find / find next.
#include "EditingFixture.h"

#include <QtTest>

using namespace mv;
using mv::test::EditingFixture;

namespace {
QPair<int, int> cursor(const EditingFixture &f) { return qMakePair(f.t.view.currentRow, f.t.view.currentColumn); }
}  // namespace

class TestSortFind : public QObject {
    Q_OBJECT

private slots:
    void sortByFrequencyIsNumericAndStaysInTheBlock()
    {
        EditingFixture f;
        f.useRange(1, 20);
        f.use(2, "14.20000");
        f.use(3, "7.05000");
        f.use(4, "145.60000");
        f.table().ClearMemoryRow(5);
        f.use(6, "0.13700");
        const auto before = f.table().memoryRows();
        f.select(1, 10);
        f.commands.SortByFrequency();
        // 1 holds 7.01000, 7..10 hold 7.07000..7.10000.
        const QStringList expected{"0.13700", "7.01000", "7.05000",  "7.07000",   "7.08000",
                                   "7.09000", "7.10000", "14.20000", "145.60000", "Empty"};
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(f.freq(n), expected[n - 1]);
        for (int n = 11; n <= 500; ++n)
            QVERIFY(f.table().memory(n) == before[size_t(n - 1)]);
        QCOMPARE(f.table().memory(8).description, QString("Memory 2"));  // rows keep their cells together
        QCOMPARE(f.menus().undoCaption, QString("Undo last SortFreq"));
        const auto sorted = f.table().memoryRows();
        f.select(9, 9);  // one row sorts nothing
        f.commands.SortByFrequency();
        QVERIFY(f.table().memoryRows() == sorted);
    }

    // Empty memories are no duplicates of each other.
    void threeEqualFrequenciesGiveThreeLines()
    {
        EditingFixture f;
        f.useRange(1, 500);
        f.table().ClearMemoryRow(400);
        f.table().ClearMemoryRow(401);
        f.use(3, "7.00000");
        f.use(250, "7.00000");
        f.use(500, "7.00000");
        f.use(100, "50.00000");
        f.use(7, "50.00000");
        QStringList lines;
        QObject::connect(&f.t.log, &MessageLog::lineAdded, [&](const QString &l) { lines << l; });
        f.commands.ListDuplicateFrequencies();
        QCOMPARE(lines, QStringList({"Row 3 and row 250 are the same frequency of 7.00000",
                                     "Row 3 and row 500 are the same frequency of 7.00000",
                                     "Row 7 and row 100 are the same frequency of 50.00000",
                                     "Row 250 and row 500 are the same frequency of 7.00000"}));
    }

    void findThenFindNextWalksColumnsThenRows()
    {
        EditingFixture f;
        f.useRange(1, 10);
        f.use(3, {}, "USB");
        f.use(4, {}, "FM", "Repeater FMN net");
        for (int n : {1, 2, 5, 6, 7, 8, 9, 10})
            f.use(n, {}, "LSB");
        f.use(500, {}, "FM");
        f.t.dialogs.inputs.enqueue(QString("fm"));
        f.commands.FindText();
        QCOMPARE(f.t.dialogs.inputPrompts,
                 QStringList{"Find what:\r\n\r\nThe case of the text is ignored.\r\n\r\n"
                             "After a successful find you can use F3 to find the next occurence"});
        QCOMPARE(cursor(f), qMakePair(4, 2));
        f.commands.FindNext();
        QCOMPARE(cursor(f), qMakePair(500, 2));
        f.commands.FindNext();  // after the last row: the next column from row 1
        QCOMPARE(cursor(f), qMakePair(4, 6));
        QVERIFY(f.t.dialogs.boxes.isEmpty());
        f.commands.FindNext();
        QCOMPARE(f.t.dialogs.texts(), QStringList{"Find completed"});
        QCOMPARE(f.t.dialogs.boxes[0].title, QString());
        f.commands.FindNext();  // nothing to continue from
        QCOMPARE(f.t.dialogs.boxes.size(), 1);
        // The text is offered again.
        f.t.dialogs.inputs.clear();
        f.commands.FindText();
        QCOMPARE(f.commands.FindTextValue, QString("fm"));
        QCOMPARE(f.t.view.currentRow, 4);
        // A cancelled box forgets the text and moves nothing.
        f.current(7, 3);
        f.t.dialogs.inputs.enqueue(std::nullopt);
        f.commands.FindText();
        QCOMPARE(cursor(f), qMakePair(7, 3));
        QCOMPARE(f.commands.FindTextValue, QString());
        f.commands.FindNext();
        QCOMPARE(f.t.dialogs.boxes.size(), 1);
    }

    void findSkipsHiddenColumnsButNotHiddenRows()
    {
        EditingFixture f;
        f.use(3, {}, "FM", "Hilltop");
        f.use(9, {}, "FM", "Hilltop");
        f.t.state.HideEmptyMemories = true;  // rows hidden by it are searched anyway
        f.t.view.hiddenColumns = {6};
        f.t.dialogs.inputs.enqueue(QString("hill"));
        f.commands.FindText();
        QCOMPARE(f.t.dialogs.texts(), QStringList{"Find completed"});
        QCOMPARE(f.t.dialogs.boxes[0].title, QString("Find"));
        QCOMPARE(f.commands.FoundRow, 0);
        f.t.view.hiddenColumns.clear();
        f.t.dialogs.inputs.enqueue(QString("HILL"));
        f.commands.FindText();
        QCOMPARE(cursor(f), qMakePair(3, 6));
    }
};

QTEST_GUILESS_MAIN(TestSortFind)
#include "tst_sortfind.moc"
