#pragma once
// One level of undo: a complete image of the memory rows written to a unique
// temporary file ("MEMVAULT" prefix) that lives from start-up to exit.
#include <QString>
#include <memory>

class QTemporaryFile;

namespace mv {

struct AppContext;
class MemoryTable;

class UndoSnapshot {
public:
    UndoSnapshot();
    ~UndoSnapshot();  // deletes the file

    // Creates the temporary file (start-up). Its path then stays fixed until
    // remove(). SaveUndoSnapshot creates it on demand when this was not called.
    bool createFile();

    // Writes the snapshot, enables "&Undo" with "Undo last " + name. False when the
    // file could not be written (the operation is then simply not undoable).
    bool SaveUndoSnapshot(AppContext &ctx, const QString &name);
    // Restores the memory rows from the snapshot, once; false when there is none.
    // The table is changed only when the whole file reads back intact, in one batch.
    bool restore(AppContext &ctx);
    bool available() const { return m_available; }
    // The name of the command the snapshot was taken for; empty when none was
    // taken or the last one could not be written.
    QString name() const { return m_name; }
    QString filePath() const;
    // Deletes the snapshot file (exit).
    void remove();

    // The "&Undo" caption for a snapshot name.
    static QString captionFor(const QString &name) { return QStringLiteral("Undo last ") + name; }

    // The file image of the memory rows, and its reading. Exposed for tests.
    static QByteArray encode(const MemoryTable &table);
    static bool decode(const QByteArray &data, MemoryTable &table);

private:
    std::unique_ptr<QTemporaryFile> m_file;
    bool m_available = false;
    QString m_name;
};

}  // namespace mv
