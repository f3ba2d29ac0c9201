#pragma once
// One level of undo: a complete image of the memory rows written to a unique
// temporary file ("MEMVAULT" prefix) that lives from start-up to exit.
#include <QString>
#include <memory>

class QTemporaryFile;

namespace mv {

struct AppContext;

class UndoSnapshot {
public:
    UndoSnapshot();
    ~UndoSnapshot();  // deletes the file

    // Writes the snapshot, enables "&Undo" with "Undo last " + name. False when the
    // file could not be written (the operation is then simply not undoable).
    bool SaveUndoSnapshot(AppContext &ctx, const QString &name);
    // Restores the memory rows from the snapshot; false when there is none.
    bool restore(AppContext &ctx);
    bool available() const { return m_available; }
    QString name() const { return m_name; }
    QString filePath() const;
    // Deletes the snapshot file (exit).
    void remove();

private:
    std::unique_ptr<QTemporaryFile> m_file;
    bool m_available = false;
    QString m_name;
};

} // namespace mv
