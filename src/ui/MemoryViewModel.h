#pragma once
// The memory table model as the views show it: colour numbers become brushes
// (the button face where the model has none) and the two header lines break at
// the line feed.
#include "editing/MemoryTableModel.h"

#include <QColor>

namespace mv {

class MemoryViewModel : public MemoryTableModel {
    Q_OBJECT
public:
    using MemoryTableModel::MemoryTableModel;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The colour a cell shows (the button face for "no colour").
    QColor cellColour(int row, int column) const;
};

}  // namespace mv
