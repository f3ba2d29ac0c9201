#include "editing/UndoSnapshot.h"

#include "core/AppState.h"
#include "core/MemoryTable.h"
#include "core/RadioTables.h"

#include <QDataStream>
#include <QDir>
#include <QTemporaryFile>

namespace mv {

namespace {
// The image is a QDataStream: magic, format version and row count, then every
// field of every memory. QString round-trips any description exactly (tabs, line
// breaks, quotes), which a line-based format would not.
constexpr quint32 kMagic = 0x4d565544;  // "MVUD"
constexpr quint32 kVersion = 2;

QDataStream &operator<<(QDataStream &out, const Memory &m)
{
    return out << m.used << m.frequency << m.hertz << quint8(m.mode) << quint8(m.shift) << quint8(m.encoding) << m.tone
               << m.description;
}

// False when a field holds no value of its type.
bool read(QDataStream &in, Memory &m)
{
    quint8 mode = 0, shift = 0, encoding = 0;
    in >> m.used >> m.frequency >> m.hertz >> mode >> shift >> encoding >> m.tone >> m.description;
    m.mode = Mode(mode);
    m.shift = Shift(shift);
    m.encoding = Encoding(encoding);
    return mode <= quint8(Mode::Unknown) && shift <= quint8(Shift::Unknown) && encoding <= quint8(Encoding::Unknown)
           && m.hertz >= -1 && m.hertz <= 9 && m.tone >= kNoTone && m.tone < kToneCount;
}
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
    out << kMagic << kVersion << quint32(MemoryTable::kMemoryCount);
    for (const Memory &m : table.memoryRows())
        out << m;
    return data;
}

bool UndoSnapshot::decode(const QByteArray &data, MemoryTable &table)
{
    QDataStream in(data);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, version = 0, rows = 0;
    in >> magic >> version >> rows;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion
        || rows != quint32(MemoryTable::kMemoryCount))
        return false;
    std::vector<Memory> image(MemoryTable::kMemoryCount);
    for (Memory &m : image) {
        if (!read(in, m))
            return false;
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
    ctx.view.CommandsChanged();
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
