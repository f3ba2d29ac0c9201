#pragma once
// The radio's 500 memories and 4 PMS memories as the program holds them: one
// Memory value per row. A row's label ("1".."500", "P1L"...) is its position.
// The columns name the cells the views show (MemoryText.h makes their text).
//
// Changes are announced by row range. Operations that touch many rows run inside
// a Batch so that listeners (the table model) get one signal, not hundreds.
#include "core/Memory.h"

#include <QObject>
#include <QString>
#include <vector>

namespace mv {

class Dialogs;
class MessageLog;

class MemoryTable : public QObject {
    Q_OBJECT
public:
    static constexpr int kMemoryCount = 500;
    static constexpr int kPmsCount = 4;
    static constexpr int kColumnCount = 7;  // memory rows
    static constexpr int kPmsColumnCount = 6;  // PMS rows have no description
    static constexpr int kDescriptionLimit = 100;
    enum Column { ColLabel = 0, ColFrequency, ColMode, ColShift, ColEncoding, ColTone, ColDescription };

    explicit MemoryTable(QObject *parent = nullptr);

    // Memory rows are numbered 1..500, PMS rows 1..4 (P1L, P1U, P2L, P2U).
    const Memory &memory(int n) const { return m_memories[size_t(n - 1)]; }
    const Memory &pms(int k) const { return m_pms[size_t(k - 1)]; }
    // Row by CAT number: 1..500 memories, 501..504 PMS.
    const Memory &byCatNumber(int cat) const { return cat <= kMemoryCount ? memory(cat) : pms(cat - kMemoryCount); }

    void setMemory(int n, const Memory &memory);
    // A PMS memory keeps no description.
    void setPms(int k, const Memory &memory);
    void setByCatNumber(int cat, const Memory &memory);

    bool isEmpty(int n) const { return !memory(n).used; }
    bool isPmsEmpty(int k) const { return !pms(k).used; }
    bool isCatEmpty(int cat) const { return !byCatNumber(cat).used; }
    int usedMemoryCount() const;

    static QString pmsLabel(int k);  // "P1L", "P1U", "P2L", "P2U"

    void ClearMemoryRows();
    void ResetPmsRows();
    // Both of the above. The views' part of a clear (colours, labels, hidden rows)
    // is MainView::TableCleared.
    void ClearAllMemories();
    void ClearMemoryRow(int n);
    void ClearPmsRow(int k);

    // Sets memory `number` (frequency, mode, shift, encoding, tone, description)
    // from the CSV importer's values and frequency text. Returns false when
    // nothing was set (bad number, or a frequency that failed its check).
    bool AddMemory(int number, const QString &frequency, const Memory &values, MessageLog *log, Dialogs *dialogs);

    // Row reordering: removes memory `from` and inserts it again at `to` (1..500).
    void moveMemoryRow(int from, int to);
    const std::vector<Memory> &memoryRows() const { return m_memories; }
    void setMemoryRows(const std::vector<Memory> &rows);  // exactly 500 rows

    // Groups changes into one notification.
    class Batch {
    public:
        explicit Batch(MemoryTable &t)
            : m_t(t)
        {
            ++m_t.m_batchDepth;
        }
        ~Batch() { m_t.endBatch(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        MemoryTable &m_t;
    };

signals:
    // Inclusive ranges of memory rows (1..500) and PMS rows (1..4) that changed.
    void memoryRowsChanged(int first, int last);
    void pmsRowsChanged(int first, int last);

private:
    void touchMemory(int first, int last);
    void touchPms(int first, int last);
    void endBatch();

    std::vector<Memory> m_memories;
    std::vector<Memory> m_pms;
    int m_batchDepth = 0;
    int m_dirtyFirst = 0, m_dirtyLast = -1;
    int m_dirtyPmsFirst = 0, m_dirtyPmsLast = -1;
};

}  // namespace mv
