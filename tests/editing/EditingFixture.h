#pragma once
// A loaded table behind the editing commands: the test context, one undo
// snapshot and the command set, with helpers to lay out memories by number.
#include "SampleMemories.h"
#include "TestContext.h"
#include "core/MemoryTable.h"
#include "core/NumberText.h"
#include "editing/CommandStates.h"
#include "editing/EditingCommands.h"
#include "editing/UndoSnapshot.h"
#include "rules/RepeaterRules.h"

#include <QLocale>

namespace mv::test {

struct EditingFixture {
    TestContext t;
    UndoSnapshot undo;
    RepeaterRuleSet rules;
    EditingCommands commands{t.ctx, undo, rules};

    EditingFixture()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        DetectSeparators();
        t.state.DataSource = DataSource::File;
    }

    MemoryTable &table() { return t.state.table; }
    // What the window's menus offer now.
    CommandStates menus() const { return commandStates(t.state, undo, {}); }

    static QString frequencyOf(int n) { return SampleFrequency(n); }
    void use(int n, const QString &frequency = {}, const QString &mode = QStringLiteral("FM"),
             const QString &description = {})
    {
        UseSampleMemory(table(), n, frequency, mode, description);
    }
    void useRange(int first, int last) { UseSampleRange(table(), first, last); }
    void select(int first, int last, int firstCol = 1, int lastCol = 1)
    {
        t.state.selection = {first, last, firstCol, lastCol};
        t.view.currentRow = first;
        t.view.currentColumn = firstCol;
    }
    void current(int row, int column = 1) { select(row, row, column, column); }

    QString freq(int n) { return cellOf(table(), n, MemoryTable::ColFrequency); }
};

}  // namespace mv::test
