#include "ui/MemoryViewModel.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

namespace mv {

QColor MemoryViewModel::cellColour(int row, int column) const
{
    const QVariant rgb = backgroundOf(row, column);
    if (!rgb.isValid())
        return QApplication::palette().color(QPalette::Button);
    return QColor::fromRgb(rgb.toUInt());
}

QVariant MemoryViewModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::BackgroundRole) {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        return QBrush(cellColour(index.row() + 1, index.column()));
    }
    return MemoryTableModel::data(index, role);
}

QVariant MemoryViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const QVariant v = MemoryTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal)
        return v.toString().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return v;
}

}  // namespace mv
