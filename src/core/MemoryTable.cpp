#include "core/MemoryTable.h"

#include "core/Frequency.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
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

MemoryTable::Row MemoryTable::emptyRow(const QString &label)
{
    Row r;
    r[ColLabel] = label;
    r[ColFrequency] = kEmptyMarker;
    return r;
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

void MemoryTable::setCell(int n, int column, const QString &text)
{
    if (n < 1 || n > kMemoryCount || column < 0 || column >= kColumnCount)
        return;
    QString &c = m_memories[size_t(n - 1)][size_t(column)];
    if (c == text)
        return;
    c = text;
    touchMemory(n, n);
}

void MemoryTable::setPmsCell(int k, int column, const QString &text)
{
    if (k < 1 || k > kPmsCount || column < 0 || column >= kPmsColumnCount)
        return;
    QString &c = m_pms[size_t(k - 1)][size_t(column)];
    if (c == text)
        return;
    c = text;
    touchPms(k, k);
}

void MemoryTable::setCatCell(int cat, int column, const QString &text)
{
    if (cat > kMemoryCount)
        setPmsCell(cat - kMemoryCount, column, text);
    else
        setCell(cat, column, text);
}

void MemoryTable::setMemoryRow(int n, const Row &row)
{
    if (n < 1 || n > kMemoryCount)
        return;
    m_memories[size_t(n - 1)] = row;
    touchMemory(n, n);
}

void MemoryTable::setPmsRow(int k, const Row &row)
{
    if (k < 1 || k > kPmsCount)
        return;
    Row r = row;
    r[ColDescription].clear();
    m_pms[size_t(k - 1)] = r;
    touchPms(k, k);
}

int MemoryTable::usedMemoryCount() const
{
    int used = 0;
    for (const Row &r : m_memories)
        used += r[ColFrequency] != QLatin1String("Empty");
    return used;
}

void MemoryTable::ClearMemoryRows()
{
    for (int n = 1; n <= kMemoryCount; ++n)
        m_memories[size_t(n - 1)] = emptyRow(QString::number(n));
    touchMemory(1, kMemoryCount);
}

void MemoryTable::ResetPmsRows()
{
    for (int k = 1; k <= kPmsCount; ++k)
        m_pms[size_t(k - 1)] = emptyRow(pmsLabel(k));
    touchPms(1, kPmsCount);
}

void MemoryTable::ClearAllMemories()
{
    Batch batch(*this);
    ClearMemoryRows();
    ResetPmsRows();
}

void MemoryTable::ClearMemoryRow(int n)
{
    if (n < 1 || n > kMemoryCount)
        return;
    m_memories[size_t(n - 1)] = emptyRow(m_memories[size_t(n - 1)][ColLabel]);
    touchMemory(n, n);
}

void MemoryTable::ClearPmsRow(int k)
{
    if (k < 1 || k > kPmsCount)
        return;
    m_pms[size_t(k - 1)] = emptyRow(pmsLabel(k));
    touchPms(k, k);
}

bool MemoryTable::AddMemory(int number, const QString &frequency, const QString &mode, const QString &shift,
                            const QString &encoding, const QString &tone, const QString &description, MessageLog *log,
                            Dialogs *dialogs)
{
    if (number < 1 || number > kMemoryCount) {
        if (log)
            log->LogMessage(QStringLiteral("Requested memory number of ") + SignedText(number)
                            + QStringLiteral(" is too high - the memory was not added"));
        return false;
    }
    QString m = mode.isEmpty() ? QStringLiteral("FM") : mode;
    QString s = shift.isEmpty() ? QStringLiteral("Simplex") : shift;
    QString e = encoding.isEmpty() ? QStringLiteral(" ") : encoding;
    const QString t = tone.isEmpty() ? QStringLiteral("67.0") : tone;
    for (const char *name : {"Simplex", "Plus", "Minus"}) {
        if (s.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            s = QLatin1String(name);
    }
    for (const char *name : {"CTCSS Enc+Dec", "CTCSS Enc"}) {
        if (e.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            e = QLatin1String(name);
    }
    // The frequency is checked first: a row never keeps "Empty" beside filled cells.
    QString f = frequency;
    if (!ValidateFrequency(f, QString(), dialogs))
        return false;
    Batch batch(*this);
    setCell(number, ColMode, m.toUpper());
    setCell(number, ColShift, s);
    setCell(number, ColEncoding, e);
    setCell(number, ColTone, t);
    setCell(number, ColDescription, description.left(kDescriptionLimit));
    setCell(number, ColFrequency, f);
    return true;
}

void MemoryTable::moveMemoryRow(int from, int to)
{
    if (from < 1 || from > kMemoryCount || to < 1 || to > kMemoryCount || from == to)
        return;
    Row r = std::move(m_memories[size_t(from - 1)]);
    m_memories.erase(m_memories.begin() + (from - 1));
    m_memories.insert(m_memories.begin() + (to - 1), std::move(r));
    touchMemory(std::min(from, to), std::max(from, to));
}

void MemoryTable::setMemoryRows(const std::vector<Row> &rows)
{
    if (rows.size() != size_t(kMemoryCount))
        return;
    m_memories = rows;
    touchMemory(1, kMemoryCount);
}

void MemoryTable::RenumberMemories()
{
    Batch batch(*this);
    for (int n = 1; n <= kMemoryCount; ++n)
        setCell(n, ColLabel, QString::number(n));
}

}  // namespace mv
