// Which commands the main window offers, from the program's state alone: the
// five buttons, the file, clipboard and editing items, the menus and the PMS
// tab, and the "&Undo" item with its caption.
#include "DataRows.h"
#include "editing/CommandStates.h"
#include "editing/UndoSnapshot.h"

#include <QtTest>

using namespace mv;
using mv::test::row;

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
    // Given: "radio" or "file" (else nothing loaded), "complete" (read in full or
    // loaded), "copied" (memories on the clipboard), "block" (else one cell),
    // "busy" (a transfer), "importExport" (its window open), "picking" (rows to
    // export), "pmsTab".
    void enabledCommands_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("enabled");
        const QString files = "readFile readRadio writeFile writeRadio ";
        const QString editing = "copyCut insertAbove delete editing ";
        row("nothing loaded", QString(), QString("readFile readRadio fileItems memoriesMenu"));
        row("a file loaded, one cell", QString("file complete"),
            files + "importExport fileItems compare " + editing + "memoriesMenu pmsTab");
        row("memories copied: paste", QString("file complete copied"),
            files + "importExport fileItems compare copyCut paste insertAbove delete editing memoriesMenu pmsTab");
        row("a block: no insert above", QString("radio complete block"),
            files + "importExport fileItems compare copyCut delete editing memoriesMenu pmsTab");
        row("a transfer holds the buttons and file items", QString("radio complete busy"),
            editing + "memoriesMenu pmsTab");
        row("a cancelled read: editable, not writable", QString("radio"),
            "readFile readRadio fileItems " + editing + "memoriesMenu pmsTab");
        row("Import/Export window open", QString("file complete importExport"),
            files + "fileItems compare " + editing + "memoriesMenu pmsTab");
        row("picking rows to export: no memories menu", QString("file complete block importExport picking"),
            files + "fileItems compare copyCut delete editing pmsTab");
        row("PMS tab: its own menu", QString("file complete pmsTab"),
            files + "importExport fileItems compare " + editing + "pmsMenu pmsTab");
    }

    void enabledCommands()
    {
        QFETCH(QString, given);
        QFETCH(QString, enabled);
        const QStringList g = given.split(' ');
        AppState state;
        state.DataSource = g.contains("radio")  ? DataSource::Radio
                           : g.contains("file") ? DataSource::File
                                                : DataSource::Nothing;
        state.RadioReadComplete = g.contains("complete") && g.contains("radio");
        state.FileLoadComplete = g.contains("complete") && g.contains("file");
        state.ClipboardHasMemories = g.contains("copied");
        state.selection = g.contains("block") ? SelectionBlock{3, 5, 1, 2} : SelectionBlock{4, 4, 2, 2};
        const UndoSnapshot undo;
        const CommandStates c = commandStates(
            state, undo,
            {g.contains("busy"), g.contains("importExport"), g.contains("picking"), g.contains("pmsTab") ? 1 : 0});
        QCOMPARE(enabledNames(c), enabled.trimmed());
        QVERIFY(!c.undo);
        QCOMPARE(c.undoCaption, QStringLiteral("&Undo"));
    }
};

QTEST_MAIN(TestCommandStates)
#include "tst_commandstates.moc"
