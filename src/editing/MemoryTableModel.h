#pragma once
// The item model behind the memory view (memories 1..500, 7 columns) and the
// PMS view (P1L..P2U, 6 columns). It reads the MemoryTable and the view state of
// AppState; it holds no copy of the memories. Cell text (the locale's decimal
// mark) is made here, from MemoryText.h.
//
// Colours are given as 0xAARRGGBB numbers (QRgb layout) under BackgroundRgbRole;
// the windows map them to brushes. An invalid value means "the system's button
// face". Item flags carry
// the editability rule: an empty memory accepts only a frequency.
//
// A MemoryTable change of any size reaches the views as one dataChanged signal.
#include "core/AppState.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

namespace mv {

class MemoryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Kind { Memories, Pms };
    enum Role {
        // uint 0xAARRGGBB, or invalid for the button face
        BackgroundRgbRole = Qt::UserRole + 1,
    };

    static constexpr quint32 kRadioColour = 0xffccccff;  // RGB(204, 204, 255)
    static constexpr quint32 kFileColour = 0xfffadfad;  // RGB(250, 223, 173)
    static constexpr quint32 kBandColour = 0xffebebeb;  // RGB(235, 235, 235)
    static constexpr const char *kMimeType = "application/x-memvault-memory-row";

    MemoryTableModel(AppState &state, Kind kind, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Row dragging in the memory view: the dragged row travels as its memory number.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

    // The two header lines, joined by CR LF.
    static QString headerText(Kind kind, int column);

    // Whether cell (row, column) of this view takes an editor now (1-based row,
    // as the memory number or PMS row).
    bool isCellEditable(int row, int column) const;

    // Background of a cell: invalid = button face.
    QVariant backgroundOf(int row, int column) const;

    // Banding on (ApplyBanding) / off. Memory view only.
    void setBanding(bool on);
    bool banding() const { return m_banding; }
    static bool isBandRow(int row) { return row >= 1 && ((row - 1) / 50) % 2 == 1; }

    // DataSource changed: one signal for the colours of the whole view.
    void refreshColours();

    // Which memory rows (index 0 = memory 1) "&Hide empty memories" hides.
    static std::vector<bool> hiddenRows(const MemoryTable &table, bool hideEmpty);

    // A row dropped onto another: (from, to) memory numbers.
    using MoveHandler = std::function<void(int from, int to)>;
    void setMoveHandler(MoveHandler handler) { m_moveHandler = std::move(handler); }

private:
    void onMemoryRowsChanged(int first, int last);
    void onPmsRowsChanged(int first, int last);
    const Memory &rowAt(int row) const;

    AppState &m_state;
    Kind m_kind;
    bool m_banding = false;
    MoveHandler m_moveHandler;
};

}  // namespace mv
