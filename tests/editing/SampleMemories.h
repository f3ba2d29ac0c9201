#pragma once
// Memories laid out by number for the editing suites, with and without the window:
// memory n gets a frequency and a description that tell it apart from every other.
#include "MemoryRows.h"
#include "core/MemoryTable.h"

#include <QString>

namespace mv::test {

// 7.00000 + n kHz.
inline QString SampleFrequency(int n)
{
    return QStringLiteral("%1.%2").arg(7 + n / 100).arg(n % 100 * 1000, 5, 10, QLatin1Char('0'));
}

inline void UseSampleMemory(MemoryTable &table, int n, const QString &frequency = {},
                            const QString &mode = QStringLiteral("FM"), const QString &description = {})
{
    table.setMemory(n, memoryOf({frequency.isEmpty() ? SampleFrequency(n) : frequency, mode, QStringLiteral("Simplex"),
                                 QStringLiteral("CTCSS Enc"), QStringLiteral("88.5"),
                                 description.isEmpty() ? QStringLiteral("Memory %1").arg(n) : description}));
}

inline void UseSampleRange(MemoryTable &table, int first, int last)
{
    MemoryTable::Batch batch(table);
    for (int n = first; n <= last; ++n)
        UseSampleMemory(table, n);
}

}  // namespace mv::test
