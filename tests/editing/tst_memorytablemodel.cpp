// The memory and PMS table models without a window: shape, one signal per bulk
// change, the editability rule as item flags, and row drops (colours, hiding
// and edits through the views: the window suites).
#include "DataRows.h"
#include "core/AppState.h"
#include "editing/MemoryTableModel.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

using namespace mv;
using mv::test::row;

namespace {
Memory usedRow(qint32 frequency)
{
    return {
        .used = true, .frequency = frequency, .mode = Mode::FM, .shift = Shift::Simplex, .tone = 0, .description = {}};
}
}  // namespace

class TestMemoryTableModel : public QObject {
    Q_OBJECT

private slots:
    // The tester watches the signals of real changes; a bulk change is one signal,
    // and a PMS change reaches only the PMS model.
    void shapeAndSignals()
    {
        AppState state;
        MemoryTableModel memories(state, MemoryTableModel::Kind::Memories);
        MemoryTableModel pms(state, MemoryTableModel::Kind::Pms);
        QAbstractItemModelTester t1(&memories, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester t2(&pms, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(memories.rowCount(), 500);
        QCOMPARE(pms.columnCount(), 6);
        QCOMPARE(memories.index(499, 0).data().toString(), QStringLiteral("500"));
        QCOMPARE(memories.index(41, 1).data().toString(), QStringLiteral("Empty"));
        QCOMPARE(pms.index(3, 0).data().toString(), QStringLiteral("P2U"));

        state.DataSource = DataSource::File;
        QSignalSpy spy(&memories, &QAbstractItemModel::dataChanged);
        QSignalSpy pmsSpy(&pms, &QAbstractItemModel::dataChanged);
        {
            MemoryTable::Batch batch(state.table);
            for (int n = 1; n <= 500; ++n)
                state.table.setMemory(n, usedRow(1420000));
        }
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(1).value<QModelIndex>().row(), 499);
        QCOMPARE(spy.at(0).at(1).value<QModelIndex>().column(), 6);
        state.table.ClearAllMemories();
        QCOMPARE(spy.count(), 2);
        memories.refreshColours();
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(2).at(2).value<QList<int>>(), QList<int>{MemoryTableModel::BackgroundRgbRole});
        pmsSpy.clear();
        state.table.setPms(4, usedRow(2960000));
        QCOMPARE(spy.count(), 3);
        QCOMPARE(pmsSpy.count(), 1);
        QCOMPARE(pms.index(3, 1).data().toString(), QStringLiteral("29.60000"));
        memories.setBanding(true);
    }

    void editability_data()
    {
        QTest::addColumn<bool>("pms");
        QTest::addColumn<DataSource>("dataSource");
        QTest::addColumn<bool>("rowUsed");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("flag");  // "", "loading", "undo"
        QTest::addColumn<bool>("editable");
        row("empty memory: frequency", false, DataSource::File, false, 1, QString(), true);
        row("empty memory: mode locked", false, DataSource::File, false, 2, QString(), false);
        row("used memory: tone", false, DataSource::Radio, true, 5, QString(), true);
        row("number column never", false, DataSource::File, true, 0, QString(), false);
        row("nothing loaded", false, DataSource::Nothing, true, 1, QString(), false);
        row("while the form loads", false, DataSource::File, true, 2, QString("loading"), false);
        row("memory view during undo", false, DataSource::File, true, 2, QString("undo"), false);
        row("pms view during undo", true, DataSource::File, true, 2, QString("undo"), true);
        row("empty pms: shift locked", true, DataSource::Radio, false, 3, QString(), false);
        row("empty pms: frequency", true, DataSource::Radio, false, 1, QString(), true);
    }

    void editability()
    {
        QFETCH(bool, pms);
        QFETCH(DataSource, dataSource);
        QFETCH(bool, rowUsed);
        QFETCH(int, column);
        QFETCH(QString, flag);
        QFETCH(bool, editable);
        AppState state;
        MemoryTableModel model(state, pms ? MemoryTableModel::Kind::Pms : MemoryTableModel::Kind::Memories);
        if (rowUsed)
            pms ? state.table.setPms(3, usedRow(14560000)) : state.table.setMemory(3, usedRow(14560000));
        state.DataSource = dataSource;
        state.FormLoading = flag == QLatin1String("loading");
        state.UndoInProgress = flag == QLatin1String("undo");
        QCOMPARE(bool(model.flags(model.index(2, column)) & Qt::ItemIsEditable), editable);
        QCOMPARE(model.isCellEditable(3, column), editable);
    }

    void dropMovesRow_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onRow");  // dropped onto this memory (0: between rows)
        QTest::addColumn<int>("between");  // model row to insert before (-1: at the end)
        QTest::addColumn<int>("to");  // 0: no move
        row("onto a lower memory", 3, 10, -1, 10);
        row("onto a higher memory", 10, 3, -1, 3);
        row("onto itself", 7, 7, -1, 0);
        row("between, moving down", 3, 0, 9, 9);
        row("between, moving up", 10, 0, 2, 3);
        row("below the last row", 5, 0, -1, 500);
    }

    void dropMovesRow()
    {
        QFETCH(int, from);
        QFETCH(int, onRow);
        QFETCH(int, between);
        QFETCH(int, to);
        AppState state;
        state.DataSource = DataSource::File;
        MemoryTableModel model(state, MemoryTableModel::Kind::Memories);
        QList<QPair<int, int>> moves;
        model.setMoveHandler([&](int f, int t) { moves << qMakePair(f, t); });
        std::unique_ptr<QMimeData> mime(model.mimeData({model.index(from - 1, 0)}));
        const QModelIndex parent = onRow > 0 ? model.index(onRow - 1, 1) : QModelIndex();
        // The view must never remove rows itself after the drop.
        QVERIFY(!model.dropMimeData(mime.get(), Qt::MoveAction, onRow > 0 ? -1 : between, -1, parent));
        using Moves = QList<QPair<int, int>>;
        QCOMPARE(moves, to == 0 ? Moves() : Moves({{from, to}}));

        // Nothing loaded: no drops at all.
        state.DataSource = DataSource::Nothing;
        moves.clear();
        model.dropMimeData(mime.get(), Qt::MoveAction, -1, -1, model.index(20, 1));
        QVERIFY(moves.isEmpty());
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsDragEnabled));
    }
};

QTEST_GUILESS_MAIN(TestMemoryTableModel)
#include "tst_memorytablemodel.moc"
