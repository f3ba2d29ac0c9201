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

#include <QLocale>

namespace mv::test {

struct EditingFixture {
    TestContext t;
    UndoSnapshot undo;
    EditingCommands commands{t.ctx, undo};

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

    QString freq(int n) { return table().cell(n, MemoryTable::ColFrequency); }
    QString desc(int n) { return table().cell(n, MemoryTable::ColDescription); }
    // Every row's label equals its number and an empty row has nothing but "Empty".
    bool consistent()
    {
        for (int n = 1; n <= MemoryTable::kMemoryCount; ++n) {
            const MemoryTable::Row &r = table().memory(n);
            if (r[0] != QString::number(n))
                return false;
            if (r[1] == QLatin1String("Empty")) {
                for (int c = 2; c < MemoryTable::kColumnCount; ++c)
                    if (!r[size_t(c)].isEmpty())
                        return false;
            } else if (r[1].trimmed().isEmpty()) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace mv::test
