#include "editing/MemoryTableModel.h"

#include "core/MemoryText.h"

#include <QMimeData>

namespace mv {

namespace {

constexpr const char *kMemoryHeaders[MemoryTable::kColumnCount][2] = {
    {"General", "Memories"}, {"Receive", "Frequency"},  {"Op", "Mode"}, {"RPT", "Shift"}, {"Encoding", "Method"},
    {"CTCSS", "Tone"},       {"Memory", "Description"},
};

}  // namespace

MemoryTableModel::MemoryTableModel(AppState &state, Kind kind, QObject *parent)
    : QAbstractTableModel(parent)
    , m_state(state)
    , m_kind(kind)
{
    if (m_kind == Kind::Memories)
        connect(&m_state.table, &MemoryTable::memoryRowsChanged, this, &MemoryTableModel::onMemoryRowsChanged);
    else
        connect(&m_state.table, &MemoryTable::pmsRowsChanged, this, &MemoryTableModel::onPmsRowsChanged);
}

int MemoryTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_kind == Kind::Memories ? MemoryTable::kMemoryCount : MemoryTable::kPmsCount;
}

int MemoryTableModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_kind == Kind::Memories ? MemoryTable::kColumnCount : MemoryTable::kPmsColumnCount;
}

const Memory &MemoryTableModel::rowAt(int row) const
{
    return m_kind == Kind::Memories ? m_state.table.memory(row) : m_state.table.pms(row);
}

QVariant MemoryTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row() + 1;
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        if (column == MemoryTable::ColLabel)
            return m_kind == Kind::Pms ? MemoryTable::pmsLabel(row) : MemoryLabel(row);
        return MemoryCellText(rowAt(row), column);
    }
    case BackgroundRgbRole:
        return backgroundOf(row, column);
    case Qt::TextAlignmentRole:
        if (column == MemoryTable::ColLabel)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QString MemoryTableModel::headerText(Kind kind, int column)
{
    if (column < 0 || column >= MemoryTable::kColumnCount)
        return {};
    if (kind == Kind::Pms && column == MemoryTable::ColDescription)
        return {};
    const char *first = (kind == Kind::Pms && column == 0) ? "PMS" : kMemoryHeaders[column][0];
    return QString::fromLatin1(first) + QStringLiteral("\r\n") + QString::fromLatin1(kMemoryHeaders[column][1]);
}

QVariant MemoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return headerText(m_kind, section);
        return {};
    }
    if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
        return section + 1;
    return {};
}

bool MemoryTableModel::isCellEditable(int row, int column) const
{
    if (m_state.DataSource == DataSource::Nothing || m_state.FormLoading)
        return false;
    if (m_kind == Kind::Memories && m_state.UndoInProgress)
        return false;
    if (row < 1 || row > rowCount() || column < 1 || column >= columnCount())
        return false;
    if (column == MemoryTable::ColFrequency)
        return true;
    return rowAt(row).used;
}

Qt::ItemFlags MemoryTableModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return m_kind == Kind::Memories ? Qt::ItemIsDropEnabled : Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isCellEditable(index.row() + 1, index.column()))
        f |= Qt::ItemIsEditable;
    if (m_kind == Kind::Memories && m_state.DataSource != DataSource::Nothing) {
        // Rows are dragged by their number cell; any cell takes the drop.
        if (index.column() == MemoryTable::ColLabel)
            f |= Qt::ItemIsDragEnabled;
        f |= Qt::ItemIsDropEnabled;
    }
    return f;
}

QVariant MemoryTableModel::backgroundOf(int row, int column) const
{
    if (column == MemoryTable::ColLabel)
        return {};
    if (m_kind == Kind::Memories && m_banding && isBandRow(row))
        return QVariant::fromValue<uint>(kBandColour);
    switch (m_state.DataSource) {
    case DataSource::Radio:
        return QVariant::fromValue<uint>(kRadioColour);
    case DataSource::File:
        return QVariant::fromValue<uint>(kFileColour);
    case DataSource::Nothing:
        break;
    }
    return {};
}

void MemoryTableModel::setBanding(bool on)
{
    if (m_kind != Kind::Memories || on == m_banding)
        return;
    m_banding = on;
    refreshColours();
}

void MemoryTableModel::refreshColours()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {BackgroundRgbRole});
}

std::vector<bool> MemoryTableModel::hiddenRows(const MemoryTable &table, bool hideEmpty)
{
    std::vector<bool> hidden(MemoryTable::kMemoryCount, false);
    if (!hideEmpty)
        return hidden;
    for (int r = 2; r <= MemoryTable::kMemoryCount; ++r)
        hidden[size_t(r - 1)] = table.isEmpty(r) && table.isEmpty(r - 1);
    return hidden;
}

void MemoryTableModel::onMemoryRowsChanged(int first, int last)
{
    first = std::max(first, 1);
    last = std::min(last, MemoryTable::kMemoryCount);
    if (first > last)
        return;
    emit dataChanged(index(first - 1, 0), index(last - 1, columnCount() - 1));
}

void MemoryTableModel::onPmsRowsChanged(int first, int last)
{
    first = std::max(first, 1);
    last = std::min(last, MemoryTable::kPmsCount);
    if (first > last)
        return;
    emit dataChanged(index(first - 1, 0), index(last - 1, columnCount() - 1));
}

QStringList MemoryTableModel::mimeTypes() const { return {QString::fromLatin1(kMimeType)}; }

QMimeData *MemoryTableModel::mimeData(const QModelIndexList &indexes) const
{
    if (m_kind != Kind::Memories || indexes.isEmpty())
        return nullptr;
    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(kMimeType), QByteArray::number(indexes.first().row() + 1));
    return mime;
}

Qt::DropActions MemoryTableModel::supportedDropActions() const
{
    return m_kind == Kind::Memories ? Qt::MoveAction : Qt::IgnoreAction;
}

Qt::DropActions MemoryTableModel::supportedDragActions() const
{
    return m_kind == Kind::Memories ? Qt::MoveAction : Qt::IgnoreAction;
}

bool MemoryTableModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int, int,
                                       const QModelIndex &) const
{
    return m_kind == Kind::Memories && m_state.DataSource != DataSource::Nothing && action == Qt::MoveAction && data
           && data->hasFormat(QString::fromLatin1(kMimeType));
}

bool MemoryTableModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                    const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    bool ok = false;
    const int from = data->data(QString::fromLatin1(kMimeType)).toInt(&ok);
    if (!ok || from < 1 || from > MemoryTable::kMemoryCount)
        return false;
    int to;
    if (parent.isValid())
        to = parent.row() + 1;  // dropped onto a memory: take its place
    else if (row >= 0)
        to = from <= row ? row : row + 1;  // dropped between rows: before model row `row`
    else
        to = MemoryTable::kMemoryCount;
    to = std::clamp(to, 1, int(MemoryTable::kMemoryCount));
    if (to == from)
        return false;
    if (m_moveHandler)
        m_moveHandler(from, to);
    // The move is done; the view must not remove anything itself.
    return false;
}

}  // namespace mv
