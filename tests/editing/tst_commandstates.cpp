// Which commands the main window offers, from the program's state alone: the
// five buttons, the file, clipboard and editing items, the menus and the PMS
// tab, and the "&Undo" item with its caption.
#include "editing/CommandStates.h"
#include "editing/UndoSnapshot.h"

#include <QtTest>

using namespace mv;

namespace {

// The commands that are on, by name, in a fixed order.
QString enabledNames(const CommandStates &c)
{
    const std::pair<const char *, bool> items[] = {
        {"readFile", c.readFile},         {"readRadio", c.readRadio},       {"writeFile", c.writeFile},
        {"writeRadio", c.writeRadio},     {"importExport", c.importExport}, {"fileItems", c.fileItems},
        {"compare", c.compareRadio},      {"copyCut", c.copyCut},           {"paste", c.paste},
        {"insertAbove", c.insertAbove},   {"delete", c.deleteMemory},       {"editing", c.otherEditing},
        {"memoriesMenu", c.memoriesMenu}, {"pmsMenu", c.pmsMenu},           {"pmsTab", c.pmsTab},
    };
    QStringList on;
    for (const auto &[name, enabled] : items)
        if (enabled)
            on << QLatin1String(name);
    return on.join(QLatin1Char(' '));
}

}  // namespace

class TestCommandStates : public QObject {
    Q_OBJECT
private slots:
    void enabledCommands_data();
    void enabledCommands();
};

void TestCommandStates::enabledCommands_data()
{
    QTest::addColumn<int>("dataSource");
    QTest::addColumn<bool>("complete");  // read in full or loaded from a file
    QTest::addColumn<bool>("memoriesCopied");
    QTest::addColumn<bool>("block");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<bool>("importExportOpen");
    QTest::addColumn<bool>("rowPicking");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("enabled");
    const QString loaded = QStringLiteral("readFile readRadio writeFile writeRadio importExport fileItems compare "
                                          "copyCut insertAbove delete editing memoriesMenu pmsTab");
    QTest::newRow("nothing loaded") << 0 << false << false << false << false << false << false << 0
                                    << "readFile readRadio fileItems memoriesMenu";
    QTest::newRow("a file loaded, one cell") << 2 << true << false << false << false << false << false << 0 << loaded;
    QTest::newRow("memories copied: paste")
        << 2 << true << true << false << false << false << false << 0
        << "readFile readRadio writeFile writeRadio importExport fileItems compare copyCut paste insertAbove delete "
           "editing memoriesMenu pmsTab";
    QTest::newRow("a block: no insert above")
        << 1 << true << false << true << false << false << false << 0
        << "readFile readRadio writeFile writeRadio importExport fileItems compare copyCut delete editing "
           "memoriesMenu pmsTab";
    QTest::newRow("a transfer holds the buttons and file items")
        << 1 << true << false << false << true << false << false << 0
        << "copyCut insertAbove delete editing memoriesMenu pmsTab";
    QTest::newRow("a cancelled read: editable, not writable")
        << 1 << false << false << false << false << false << false << 0
        << "readFile readRadio fileItems copyCut insertAbove delete editing memoriesMenu pmsTab";
    QTest::newRow("Import/Export window open")
        << 2 << true << false << false << false << true << false << 0
        << "readFile readRadio writeFile writeRadio fileItems compare copyCut insertAbove delete editing "
           "memoriesMenu pmsTab";
    QTest::newRow("picking rows to export: no memories menu")
        << 2 << true << false << true << false << true << true << 0
        << "readFile readRadio writeFile writeRadio fileItems compare copyCut delete editing pmsTab";
    QTest::newRow("PMS tab: its own menu")
        << 2 << true << false << false << false << false << false << 1
        << "readFile readRadio writeFile writeRadio importExport fileItems compare copyCut insertAbove delete "
           "editing pmsMenu pmsTab";
}

void TestCommandStates::enabledCommands()
{
    QFETCH(int, dataSource);
    QFETCH(bool, complete);
    QFETCH(bool, memoriesCopied);
    QFETCH(bool, block);
    QFETCH(bool, busy);
    QFETCH(bool, importExportOpen);
    QFETCH(bool, rowPicking);
    QFETCH(int, tab);
    QFETCH(QString, enabled);
    AppState state;
    state.DataSource = DataSource(dataSource);  // 0 nothing, 1 radio, 2 file
    state.RadioReadComplete = complete && dataSource == 1;
    state.FileLoadComplete = complete && dataSource == 2;
    state.ClipboardHasMemories = memoriesCopied;
    state.selection = block ? SelectionBlock{3, 5, 1, 2} : SelectionBlock{4, 4, 2, 2};
    const UndoSnapshot undo;
    const CommandStates c = commandStates(state, undo, {busy, importExportOpen, rowPicking, tab});
    QCOMPARE(enabledNames(c), enabled);
    QVERIFY(!c.undo);
    QCOMPARE(c.undoCaption, QStringLiteral("&Undo"));
}

QTEST_MAIN(TestCommandStates)
#include "tst_commandstates.moc"
