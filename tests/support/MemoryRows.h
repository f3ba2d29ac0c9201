#pragma once
// Memories written as the cells a user sees, and read back the same way:
// memoryOf({"7.00000", "LSB", "Simplex", "", "67.0", "text"}) and cellsOf(table, n).
#include "core/MemoryText.h"

#include <QStringList>
#include <QtTest>

namespace mv::test {

// The memory whose cells read `cells`, from the frequency on (a PMS row has no
// description).
inline Memory memoryOf(const QStringList &cells)
{
    Memory m;
    for (int i = 0; i < cells.size(); ++i) {
        if (!SetMemoryCellText(m, MemoryTable::ColFrequency + i, cells.at(i)))
            qFatal("memoryOf: '%s' is no value of column %d", qPrintable(cells.at(i)), MemoryTable::ColFrequency + i);
    }
    return m;
}

// The cells of memory n (or PMS row k) as the views show them, label first.
inline QStringList cellsOf(const MemoryTable &t, int n)
{
    QStringList cells{MemoryLabel(n)};
    for (int c = MemoryTable::ColFrequency; c < MemoryTable::kColumnCount; ++c)
        cells << MemoryCellText(t.memory(n), c);
    return cells;
}
inline QStringList pmsCellsOf(const MemoryTable &t, int k)
{
    QStringList cells{MemoryTable::pmsLabel(k)};
    for (int c = MemoryTable::ColFrequency; c < MemoryTable::kPmsColumnCount; ++c)
        cells << MemoryCellText(t.pms(k), c);
    return cells;
}
inline QString cellOf(const MemoryTable &t, int n, int column)
{
    return column == MemoryTable::ColLabel ? MemoryLabel(n) : MemoryCellText(t.memory(n), column);
}
inline QString pmsCellOf(const MemoryTable &t, int k, int column)
{
    return column == MemoryTable::ColLabel ? MemoryTable::pmsLabel(k) : MemoryCellText(t.pms(k), column);
}

// AddMemory from texts as the CSV importer used to hand them over: a blank mode,
// shift, encoding or tone becomes FM, Simplex, " " or 67.0.
inline bool addMemory(MemoryTable &t, int n, const QString &frequency, const QString &mode, const QString &shift,
                      const QString &encoding, const QString &tone, const QString &description)
{
    auto orElse = [](const QString &text, const char *fallback) {
        return text.isEmpty() ? QString::fromLatin1(fallback) : text;
    };
    const Memory values = memoryOf({QStringLiteral("Empty"), orElse(mode, "FM"), orElse(shift, "Simplex"),
                                    orElse(encoding, " "), orElse(tone, "67.0"), description});
    return t.AddMemory(n, frequency, values, nullptr, nullptr);
}

// One cell of memory n (or PMS row k) set as if typed into it unchecked.
inline void setCellText(MemoryTable &t, int n, int column, const QString &text)
{
    Memory m = t.memory(n);
    if (!SetMemoryCellText(m, column, text))
        qFatal("setCellText: '%s' is no value of column %d", qPrintable(text), column);
    t.setMemory(n, m);
}
inline void setPmsCellText(MemoryTable &t, int k, int column, const QString &text)
{
    Memory m = t.pms(k);
    if (!SetMemoryCellText(m, column, text))
        qFatal("setPmsCellText: '%s' is no value of column %d", qPrintable(text), column);
    t.setPms(k, m);
}

}  // namespace mv::test
