// The memory and PMS table models without a window: shape, headers, the
// editability rule as item flags, colours, hiding, one signal per bulk change,
// and row drops.
#include "core/AppState.h"
#include "core/MemoryText.h"
#include "core/NumberText.h"
#include "editing/MemoryTableModel.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

using namespace mv;
Q_DECLARE_METATYPE(mv::Memory)

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
    void shapeAndTester();
    void cellTexts_data();
    void cellTexts();
    void editability_data();
    void editability();
    void colours_data();
    void colours();
    void bulkChangeIsOneSignal();
    void pmsChangesReachOnlyPmsModel();
    void hiddenRows_data();
    void hiddenRows();
    void dropMovesRow_data();
    void dropMovesRow();
    void setDataGoesThroughHandler();
};

void TestMemoryTableModel::shapeAndTester()
{
    AppState state;
    MemoryTableModel memories(state, MemoryTableModel::Kind::Memories);
    MemoryTableModel pms(state, MemoryTableModel::Kind::Pms);
    QAbstractItemModelTester t1(&memories, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester t2(&pms, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(memories.rowCount(), 500);
    QCOMPARE(memories.columnCount(), 7);
    QCOMPARE(pms.rowCount(), 4);
    QCOMPARE(pms.columnCount(), 6);
    QCOMPARE(memories.index(0, 0).data().toString(), QStringLiteral("1"));
    QCOMPARE(memories.index(499, 0).data().toString(), QStringLiteral("500"));
    QCOMPARE(memories.index(41, 1).data().toString(), QStringLiteral("Empty"));
    QCOMPARE(pms.index(0, 0).data().toString(), QStringLiteral("P1L"));
    QCOMPARE(pms.index(3, 0).data().toString(), QStringLiteral("P2U"));

    // The tester watches the signals of real changes too.
    state.DataSource = DataSource::File;
    {
        MemoryTable::Batch batch(state.table);
        for (int n = 1; n <= 500; n += 7)
            state.table.setMemory(n, usedRow(1420000));
        state.table.setPms(2, usedRow(705000));
    }
    memories.refreshColours();
    memories.setBanding(true);
}

void TestMemoryTableModel::cellTexts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("kind");
    QTest::addColumn<Memory>("memory");
    QTest::addColumn<QStringList>("cells");  // from the frequency on
    const Memory full{.used = true,
                      .frequency = 14560000,
                      .mode = Mode::FMN,
                      .shift = Shift::Minus,
                      .encoding = Encoding::EncDec,
                      .tone = 49,
                      .description = "Club"};
    const Memory damaged{.used = true,
                         .frequency = 705000,
                         .mode = Mode::Unknown,
                         .shift = Shift::Unknown,
                         .encoding = Encoding::Unknown,
                         .description = {}};
    const Memory pmsToTheHertz{.used = true, .frequency = 1419512, .hertz = 3, .mode = Mode::USB, .description = {}};
    for (const char *locale : {"en_GB", "de_DE"}) {
        const bool comma = QByteArray(locale) == "de_DE";
        auto mark = [&](QString text) { return comma ? text.replace('.', ',') : text; };
        QTest::addRow("%s: every field", locale)
            << locale << 0 << full << QStringList{mark("145.60000"), "FMN", "Minus", "CTCSS Enc+Dec", "254.1", "Club"};
        QTest::addRow("%s: unknown codes", locale)
            << locale << 0 << damaged << QStringList{mark("7.05000"), "?? ", "??", "??", "", ""};
        QTest::addRow("%s: PMS to the hertz", locale)
            << locale << 1 << pmsToTheHertz << QStringList{mark("14.195123"), "USB", "", "", ""};
    }
    QTest::newRow("empty with a description") << "en_GB" << 0 << Memory{.mode = Mode::FM, .description = "kept"}
                                              << QStringList{"Empty", "", "", "", "", "kept"};
    QTest::newRow("blank encoding choice")
        << "en_GB" << 0 << Memory{.used = true, .frequency = 700000, .encoding = Encoding::Off, .description = {}}
        << QStringList{"7.00000", "", "", " ", "", ""};
}

void TestMemoryTableModel::cellTexts()
{
    QFETCH(QString, locale);
    QFETCH(int, kind);
    QFETCH(Memory, memory);
    QFETCH(QStringList, cells);
    QLocale::setDefault(QLocale(locale));
    DetectSeparators();
    AppState state;
    const bool pms = kind == 1;
    MemoryTableModel model(state, pms ? MemoryTableModel::Kind::Pms : MemoryTableModel::Kind::Memories);
    if (pms)
        state.table.setPms(2, memory);
    else
        state.table.setMemory(2, memory);
    QStringList shown;
    for (int c = 1; c < model.columnCount(); ++c)
        shown << model.index(1, c).data().toString();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    DetectSeparators();
    QCOMPARE(shown, cells);
    QCOMPARE(model.index(1, 0).data().toString(), pms ? QString("P1U") : QString("2"));
}

void TestMemoryTableModel::editability_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<DataSource>("dataSource");
    QTest::addColumn<bool>("rowUsed");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("flag");  // "", "loading", "undo"
    QTest::addColumn<bool>("editable");

    QTest::newRow("empty memory: frequency") << 0 << DataSource::File << false << 1 << "" << true;
    QTest::newRow("empty memory: mode locked") << 0 << DataSource::File << false << 2 << "" << false;
    QTest::newRow("used memory: tone") << 0 << DataSource::Radio << true << 5 << "" << true;
    QTest::newRow("number column never") << 0 << DataSource::File << true << 0 << "" << false;
    QTest::newRow("nothing loaded") << 0 << DataSource::Nothing << true << 1 << "" << false;
    QTest::newRow("while the form loads") << 0 << DataSource::File << true << 2 << "loading" << false;
    QTest::newRow("memory view during undo") << 0 << DataSource::File << true << 2 << "undo" << false;
    QTest::newRow("pms view during undo") << 1 << DataSource::File << true << 2 << "undo" << true;
    QTest::newRow("empty pms: shift locked") << 1 << DataSource::Radio << false << 3 << "" << false;
    QTest::newRow("empty pms: frequency") << 1 << DataSource::Radio << false << 1 << "" << true;
}

void TestMemoryTableModel::editability()
{
    QFETCH(int, kind);
    QFETCH(DataSource, dataSource);
    QFETCH(bool, rowUsed);
    QFETCH(int, column);
    QFETCH(QString, flag);
    QFETCH(bool, editable);
    AppState state;
    const bool memories = kind == 0;
    MemoryTableModel model(state, memories ? MemoryTableModel::Kind::Memories : MemoryTableModel::Kind::Pms);
    if (rowUsed) {
        if (memories)
            state.table.setMemory(3, usedRow(14560000));
        else
            state.table.setPms(3, usedRow(14560000));
    }
    state.DataSource = dataSource;
    state.FormLoading = flag == QLatin1String("loading");
    state.UndoInProgress = flag == QLatin1String("undo");
    const QModelIndex i = model.index(2, column);
    QCOMPARE(bool(model.flags(i) & Qt::ItemIsEditable), editable);
    QCOMPARE(model.isCellEditable(3, column), editable);
}

void TestMemoryTableModel::colours_data()
{
    QTest::addColumn<DataSource>("dataSource");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<uint>("rgb");
    const uint radio = MemoryTableModel::kRadioColour;
    const uint file = MemoryTableModel::kFileColour;
    const uint band = MemoryTableModel::kBandColour;
    QTest::newRow("file row 1") << DataSource::File << 1 << 1 << true << file;
    QTest::newRow("file row 51 banded") << DataSource::File << 51 << 1 << true << band;
    QTest::newRow("file row 101") << DataSource::File << 101 << 1 << true << file;
    QTest::newRow("radio row 151 banded") << DataSource::Radio << 151 << 2 << true << band;
    QTest::newRow("radio row 150") << DataSource::Radio << 150 << 2 << true << radio;
    QTest::newRow("nothing loaded: button face") << DataSource::Nothing << 1 << 1 << false << 0u;
    QTest::newRow("nothing loaded: band stays") << DataSource::Nothing << 60 << 1 << true << band;
    QTest::newRow("number column: button face") << DataSource::File << 60 << 0 << false << 0u;
}

void TestMemoryTableModel::colours()
{
    QFETCH(DataSource, dataSource);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, valid);
    QFETCH(uint, rgb);
    AppState state;
    MemoryTableModel model(state, MemoryTableModel::Kind::Memories);
    model.setBanding(true);
    state.DataSource = dataSource;
    const QVariant v = model.index(row - 1, column).data(MemoryTableModel::BackgroundRgbRole);
    QCOMPARE(v.isValid(), valid);
    if (valid)
        QCOMPARE(v.toUInt(), rgb);
    // The PMS view carries no bands.
    MemoryTableModel pms(state, MemoryTableModel::Kind::Pms);
    pms.setBanding(true);
    QCOMPARE(pms.banding(), false);
}

void TestMemoryTableModel::bulkChangeIsOneSignal()
{
    AppState state;
    MemoryTableModel model(state, MemoryTableModel::Kind::Memories);
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    {
        MemoryTable::Batch batch(state.table);
        for (int n = 1; n <= 500; ++n)
            state.table.setMemory(n, usedRow(1420000));
    }
    QCOMPARE(spy.count(), 1);
    const QModelIndex tl = spy.at(0).at(0).value<QModelIndex>();
    const QModelIndex br = spy.at(0).at(1).value<QModelIndex>();
    QCOMPARE(tl.row(), 0);
    QCOMPARE(br.row(), 499);
    QCOMPARE(br.column(), 6);

    spy.clear();
    state.table.ClearAllMemories();
    QCOMPARE(spy.count(), 1);

    spy.clear();
    model.refreshColours();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(2).value<QList<int>>(), QList<int>{MemoryTableModel::BackgroundRgbRole});
}

void TestMemoryTableModel::pmsChangesReachOnlyPmsModel()
{
    AppState state;
    MemoryTableModel memories(state, MemoryTableModel::Kind::Memories);
    MemoryTableModel pms(state, MemoryTableModel::Kind::Pms);
    QSignalSpy memorySpy(&memories, &QAbstractItemModel::dataChanged);
    QSignalSpy pmsSpy(&pms, &QAbstractItemModel::dataChanged);
    state.table.setPms(4, usedRow(2960000));
    QCOMPARE(memorySpy.count(), 0);
    QCOMPARE(pmsSpy.count(), 1);
    QCOMPARE(pmsSpy.at(0).at(0).value<QModelIndex>().row(), 3);
    QCOMPARE(pms.index(3, 1).data().toString(), QStringLiteral("29.60000"));
}

void TestMemoryTableModel::hiddenRows_data()
{
    QTest::addColumn<QList<int>>("used");
    QTest::addColumn<bool>("hide");
    QTest::addColumn<QList<int>>("hidden");  // memory numbers among 1..8
    QTest::newRow("hiding off") << QList<int>{4} << false << QList<int>{};
    QTest::newRow("1 to 3 empty, 4 used") << QList<int>{4} << true << QList<int>{2, 3, 6, 7, 8};
    QTest::newRow("first empty of a run stays") << QList<int>{1, 2, 5} << true << QList<int>{4, 7, 8};
    QTest::newRow("all used") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << true << QList<int>{};
}

void TestMemoryTableModel::hiddenRows()
{
    QFETCH(QList<int>, used);
    QFETCH(bool, hide);
    QFETCH(QList<int>, hidden);
    AppState state;
    for (int n : used)
        state.table.setMemory(n, usedRow(700000));
    const std::vector<bool> h = MemoryTableModel::hiddenRows(state.table, hide);
    QCOMPARE(int(h.size()), 500);
    QList<int> got;
    for (int n = 1; n <= 8; ++n) {
        if (h[size_t(n - 1)])
            got << n;
    }
    QCOMPARE(got, hidden);
    QVERIFY(!h[0]);  // memory 1 is always visible
}

void TestMemoryTableModel::dropMovesRow_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("onRow");  // dropped onto this memory (0: between rows)
    QTest::addColumn<int>("between");  // model row to insert before (-1: at the end)
    QTest::addColumn<int>("to");  // 0: no move
    QTest::newRow("onto a lower memory") << 3 << 10 << -1 << 10;
    QTest::newRow("onto a higher memory") << 10 << 3 << -1 << 3;
    QTest::newRow("onto itself") << 7 << 7 << -1 << 0;
    QTest::newRow("between, moving down") << 3 << 0 << 9 << 9;
    QTest::newRow("between, moving up") << 10 << 0 << 2 << 3;
    QTest::newRow("below the last row") << 5 << 0 << -1 << 500;
}

void TestMemoryTableModel::dropMovesRow()
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
    QVERIFY(mime);
    const QModelIndex parent = onRow > 0 ? model.index(onRow - 1, 1) : QModelIndex();
    // The view must never remove rows itself after the drop.
    QVERIFY(!model.dropMimeData(mime.get(), Qt::MoveAction, onRow > 0 ? -1 : between, -1, parent));
    if (to == 0)
        QVERIFY(moves.isEmpty());
    else
        QCOMPARE(moves, (QList<QPair<int, int>>{{from, to}}));

    // Nothing loaded: no drops at all.
    state.DataSource = DataSource::Nothing;
    moves.clear();
    model.dropMimeData(mime.get(), Qt::MoveAction, -1, -1, model.index(20, 1));
    QVERIFY(moves.isEmpty());
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsDragEnabled));
}

void TestMemoryTableModel::setDataGoesThroughHandler()
{
    AppState state;
    state.DataSource = DataSource::Radio;
    MemoryTableModel model(state, MemoryTableModel::Kind::Memories);
    QStringList seen;
    bool accept = false;
    model.setEditHandler([&](int row, int column, const QString &text) {
        seen << QStringLiteral("%1/%2/%3").arg(row).arg(column).arg(text);
        Memory m = state.table.memory(row);
        if (accept && SetMemoryCellText(m, column, text))
            state.table.setMemory(row, m);
        return accept;
    });
    QVERIFY(!model.setData(model.index(4, 1), QStringLiteral("99")));
    QVERIFY(state.table.isEmpty(5));
    accept = true;
    QVERIFY(model.setData(model.index(4, 1), QStringLiteral("14.20000")));
    QCOMPARE(model.index(4, 1).data().toString(), QStringLiteral("14.20000"));
    // A locked cell never reaches the handler.
    QVERIFY(!model.setData(model.index(5, 2), QStringLiteral("FM")));
    QCOMPARE(seen, (QStringList{"5/1/99", "5/1/14.20000"}));
}

QTEST_GUILESS_MAIN(TestMemoryTableModel)
#include "tst_memorytablemodel.moc"
