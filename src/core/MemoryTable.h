#pragma once
// The radio's 500 memories and 4 PMS memories as the program holds them: every
// cell is the text the user sees. An empty memory holds "Empty" in its frequency
// column and blanks elsewhere; emptiness is tested by that column alone.
//
// Changes are announced by row range. Operations that touch many rows run inside
// a Batch so that listeners (the table model) get one signal, not hundreds.
#include <QObject>
#include <QString>
#include <array>
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
    using Row = std::array<QString, kColumnCount>;

    explicit MemoryTable(QObject *parent = nullptr);

    // Memory rows are numbered 1..500, PMS rows 1..4 (P1L, P1U, P2L, P2U).
    const Row &memory(int n) const { return m_memories[size_t(n - 1)]; }
    const Row &pms(int k) const { return m_pms[size_t(k - 1)]; }
    // Row by CAT number: 1..500 memories, 501..504 PMS.
    const Row &byCatNumber(int cat) const { return cat <= kMemoryCount ? memory(cat) : pms(cat - kMemoryCount); }

    QString cell(int n, int column) const { return memory(n)[size_t(column)]; }
    QString pmsCell(int k, int column) const { return pms(k)[size_t(column)]; }
    void setCell(int n, int column, const QString &text);
    void setPmsCell(int k, int column, const QString &text);
    void setCatCell(int cat, int column, const QString &text);
    void setMemoryRow(int n, const Row &row);
    void setPmsRow(int k, const Row &row);

    bool isEmpty(int n) const { return memory(n)[ColFrequency] == QLatin1String("Empty"); }
    bool isPmsEmpty(int k) const { return pms(k)[ColFrequency] == QLatin1String("Empty"); }
    bool isCatEmpty(int cat) const { return byCatNumber(cat)[ColFrequency] == QLatin1String("Empty"); }
    int usedMemoryCount() const;

    static QString pmsLabel(int k);  // "P1L", "P1U", "P2L", "P2U"
    static Row emptyRow(const QString &label = {});

    void ClearMemoryRows();
    void ResetPmsRows();
    // Both of the above. The views' part of a clear (colours, labels, hidden rows)
    // is MainView::TableCleared.
    void ClearAllMemories();
    // Blanks columns 1.. of memory n and writes "Empty"; the label stays.
    void ClearMemoryRow(int n);
    void ClearPmsRow(int k);

    // Sets memory `number` from separate values (the CSV importer). See the
    // defaults and spellings in the implementation. Returns false when nothing
    // was set (bad number, or a frequency that failed its check).
    bool AddMemory(int number, const QString &frequency, const QString &mode, const QString &shift,
                   const QString &encoding, const QString &tone, const QString &description, MessageLog *log,
                   Dialogs *dialogs);

    // Row reordering (labels are not touched; call RenumberMemories after).
    // Removes memory `from` and inserts it again at `to` (1..500).
    void moveMemoryRow(int from, int to);
    const std::vector<Row> &memoryRows() const { return m_memories; }
    void setMemoryRows(const std::vector<Row> &rows);  // exactly 500 rows
    // Column 0 of each memory row from its position: "1".."500".
    void RenumberMemories();

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
    // Inclusive ranges of memory rows (1..500) and PMS rows (1..4) whose cells changed.
    void memoryRowsChanged(int first, int last);
    void pmsRowsChanged(int first, int last);

private:
    void touchMemory(int first, int last);
    void touchPms(int first, int last);
    void endBatch();

    std::vector<Row> m_memories;
    std::vector<Row> m_pms;
    int m_batchDepth = 0;
    int m_dirtyFirst = 0, m_dirtyLast = -1;
    int m_dirtyPmsFirst = 0, m_dirtyPmsLast = -1;
};

}  // namespace mv
