#include "core/MemoryTable.h"

#include "core/Frequency.h"
#include "core/NumberText.h"
#include "shell/MessageLog.h"

#include <algorithm>

namespace mv {

namespace {

// Grows the pending range [lo, hi] to take in [first, last]; an empty pending
// range (hi < lo) becomes [first, last].
void widenRange(int &lo, int &hi, int first, int last)
{
    if (hi < lo) {
        lo = first;
        hi = last;
    } else {
        lo = std::min(lo, first);
        hi = std::max(hi, last);
    }
}

}  // namespace

MemoryTable::MemoryTable(QObject *parent)
    : QObject(parent)
    , m_memories(kMemoryCount)
    , m_pms(kPmsCount)
{
    ClearAllMemories();
}

QString MemoryTable::pmsLabel(int k)
{
    static const char *labels[] = {"P1L", "P1U", "P2L", "P2U"};
    return (k >= 1 && k <= kPmsCount) ? QString::fromLatin1(labels[k - 1]) : QString();
}

void MemoryTable::touchMemory(int first, int last)
{
    if (m_batchDepth > 0) {
        widenRange(m_dirtyFirst, m_dirtyLast, first, last);
        return;
    }
    emit memoryRowsChanged(first, last);
}

void MemoryTable::touchPms(int first, int last)
{
    if (m_batchDepth > 0) {
        widenRange(m_dirtyPmsFirst, m_dirtyPmsLast, first, last);
        return;
    }
    emit pmsRowsChanged(first, last);
}

void MemoryTable::endBatch()
{
    if (--m_batchDepth > 0)
        return;
    if (m_dirtyLast >= m_dirtyFirst) {
        const int f = m_dirtyFirst, l = m_dirtyLast;
        m_dirtyFirst = 0;
        m_dirtyLast = -1;
        emit memoryRowsChanged(f, l);
    }
    if (m_dirtyPmsLast >= m_dirtyPmsFirst) {
        const int f = m_dirtyPmsFirst, l = m_dirtyPmsLast;
        m_dirtyPmsFirst = 0;
        m_dirtyPmsLast = -1;
        emit pmsRowsChanged(f, l);
    }
}

void MemoryTable::setMemory(int n, const Memory &memory)
{
    if (n < 1 || n > kMemoryCount)
        return;
    Memory &m = m_memories[size_t(n - 1)];
    if (m == memory)
        return;
    m = memory;
    touchMemory(n, n);
}

void MemoryTable::setPms(int k, const Memory &memory)
{
    if (k < 1 || k > kPmsCount)
        return;
    Memory p = memory;
    p.description.clear();
    Memory &m = m_pms[size_t(k - 1)];
    if (m == p)
        return;
    m = std::move(p);
    touchPms(k, k);
}

void MemoryTable::setByCatNumber(int cat, const Memory &memory)
{
    if (cat > kMemoryCount)
        setPms(cat - kMemoryCount, memory);
    else
        setMemory(cat, memory);
}

int MemoryTable::usedMemoryCount() const
{
    int used = 0;
    for (const Memory &m : m_memories)
        used += m.used;
    return used;
}

void MemoryTable::ClearMemoryRows()
{
    std::fill(m_memories.begin(), m_memories.end(), Memory());
    touchMemory(1, kMemoryCount);
}

void MemoryTable::ResetPmsRows()
{
    std::fill(m_pms.begin(), m_pms.end(), Memory());
    touchPms(1, kPmsCount);
}

void MemoryTable::ClearAllMemories()
{
    Batch batch(*this);
    ClearMemoryRows();
    ResetPmsRows();
}

void MemoryTable::ClearMemoryRow(int n) { setMemory(n, Memory()); }

void MemoryTable::ClearPmsRow(int k) { setPms(k, Memory()); }

bool MemoryTable::AddMemory(int number, const QString &frequency, const Memory &values, MessageLog *log,
                            Dialogs *dialogs)
{
    if (number < 1 || number > kMemoryCount) {
        if (log)
            log->LogMessage(QStringLiteral("Requested memory number of ") + SignedText(number)
                            + QStringLiteral(" is too high - the memory was not added"));
        return false;
    }
    const std::optional<qint32> f = ValidateFrequency(frequency, Boxes::Show, dialogs);
    if (!f)
        return false;
    Memory m = values;
    m.used = true;
    m.frequency = *f;
    m.hertz = -1;
    m.description = values.description.left(kDescriptionLimit);
    setMemory(number, m);
    return true;
}

void MemoryTable::moveMemoryRow(int from, int to)
{
    if (from < 1 || from > kMemoryCount || to < 1 || to > kMemoryCount || from == to)
        return;
    Memory r = std::move(m_memories[size_t(from - 1)]);
    m_memories.erase(m_memories.begin() + (from - 1));
    m_memories.insert(m_memories.begin() + (to - 1), std::move(r));
    touchMemory(std::min(from, to), std::max(from, to));
}

void MemoryTable::setMemoryRows(const std::vector<Memory> &rows)
{
    if (rows.size() != size_t(kMemoryCount))
        return;
    m_memories = rows;
    touchMemory(1, kMemoryCount);
}

}  // namespace mv
