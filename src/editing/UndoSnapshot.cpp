#include "editing/UndoSnapshot.h"

#include <QTemporaryFile>

namespace mv {

UndoSnapshot::UndoSnapshot() = default;
UndoSnapshot::~UndoSnapshot() { remove(); }

bool UndoSnapshot::SaveUndoSnapshot(AppContext &, const QString &name)
{
    m_name = name;
    return false;
}

bool UndoSnapshot::restore(AppContext &) { return false; }

QString UndoSnapshot::filePath() const { return m_file ? m_file->fileName() : QString(); }

void UndoSnapshot::remove()
{
    m_file.reset();
    m_available = false;
}

} // namespace mv
