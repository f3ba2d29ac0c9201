#include "editing/UndoSnapshot.h"

#include "core/AppState.h"
#include "core/MemoryTable.h"

#include <QDataStream>
#include <QDir>
#include <QTemporaryFile>

namespace mv {

namespace {
// The image is a QDataStream: magic, format version, row and column counts, then
// every cell of every memory row as a QString. QString round-trips any text
// exactly (tabs, line breaks, quotes), which a line-based format would not.
constexpr quint32 kMagic = 0x4d565544;  // "MVUD"
constexpr quint32 kVersion = 1;
}  // namespace

UndoSnapshot::UndoSnapshot() = default;
UndoSnapshot::~UndoSnapshot() { remove(); }

bool UndoSnapshot::createFile()
{
    if (m_file)
        return true;
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/MEMVAULTXXXXXX.tmp"));
    file->setAutoRemove(true);
    if (!file->open())
        return false;
    m_file = std::move(file);
    return true;
}

QByteArray UndoSnapshot::encode(const MemoryTable &table)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion << quint32(MemoryTable::kMemoryCount) << quint32(MemoryTable::kColumnCount);
    for (const MemoryTable::Row &row : table.memoryRows()) {
        for (const QString &cell : row)
            out << cell;
    }
    return data;
}

bool UndoSnapshot::decode(const QByteArray &data, MemoryTable &table)
{
    QDataStream in(data);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, version = 0, rows = 0, columns = 0;
    in >> magic >> version >> rows >> columns;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion
        || rows != quint32(MemoryTable::kMemoryCount) || columns != quint32(MemoryTable::kColumnCount))
        return false;
    std::vector<MemoryTable::Row> image(MemoryTable::kMemoryCount);
    for (MemoryTable::Row &row : image) {
        for (QString &cell : row)
            in >> cell;
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return false;
    MemoryTable::Batch batch(table);
    table.setMemoryRows(image);
    return true;
}

bool UndoSnapshot::SaveUndoSnapshot(AppContext &ctx, const QString &name)
{
    m_name = name;
    m_available = false;
    bool written = false;
    if (createFile()) {
        const QByteArray data = encode(ctx.state.table);
        written = m_file->seek(0) && m_file->resize(0) && m_file->write(data) == data.size() && m_file->flush();
    }
    // A failed write leaves no snapshot at all: offering an older one under this
    // command's name would undo more than the user asks for.
    m_available = written;
    if (!written)
        m_name.clear();
    ctx.view.SetUndoItem(m_available, m_available ? captionFor(name) : QStringLiteral("&Undo"));
    return m_available;
}

bool UndoSnapshot::restore(AppContext &ctx)
{
    if (!m_available)
        return false;
    // One level only: the image is used up, also when it does not read back
    // (the table is then left alone).
    m_available = false;
    return m_file && m_file->seek(0) && decode(m_file->readAll(), ctx.state.table);
}

QString UndoSnapshot::filePath() const { return m_file ? m_file->fileName() : QString(); }

void UndoSnapshot::remove()
{
    m_file.reset();
    m_available = false;
}

}  // namespace mv
