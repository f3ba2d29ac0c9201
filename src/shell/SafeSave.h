#pragma once
// Saving files whole or not at all. Every file the program writes (memory sets,
// CSV and PDF exports, settings) goes through here.
//
// Each file is written to a temporary file beside it; every byte is written,
// flushed and the device checked before the temporary replaces the old file.
// When anything fails, the old file stays byte for byte as it was and the
// failure names the file at fault with the system's reason.
//
// Inputs are checked here too: only regular files are read, so that a FIFO or a
// device named as a memory file, CSV file or settings file is refused at once
// instead of blocking the program.
#include <QByteArray>
#include <QList>
#include <QString>

namespace mv {

enum class SaveErrorKind {
    None,
    NoSpace,  // the disk or the user's quota is full
    TooLarge,  // the file may not grow that large (file size limit)
    Permission,  // no right to write there, or a read-only file system
    PathNotFound,  // the folder does not exist
    NotRegularFile,  // the target is a folder, FIFO or device
    Busy,  // another save of the same files holds the lock
    Io  // any other failure of the device
};

struct SaveError {
    SaveErrorKind kind = SaveErrorKind::None;
    QString path;  // the file at fault, native separators
    QString reason;  // the system's reason, e.g. "No space left on device"
    bool writing = false;  // true when the file was created and a write failed

    bool failed() const { return kind != SaveErrorKind::None; }
    // "<path>: <reason>"
    QString text() const;
};

struct FileContent {
    QString path;
    QByteArray bytes;
};

// Writes one file.
SaveError SaveFileContent(const QString &path, const QByteArray &bytes);

// Writes several files that belong together. Every one is written completely
// before any replaces its old file; should replacing one of them fail, those
// already replaced get their old content back. When `lockPath` is not empty the
// whole save holds a lock file of that name, so that two saves of the same set
// cannot interleave; a save waits up to `lockWaitMs` for another one to end.
SaveError SaveFilesTogether(const QList<FileContent> &files, const QString &lockPath = {}, int lockWaitMs = 5000);

// The lock file that guards the files of one memory set: "<path>.lock".
QString SaveLockPathFor(const QString &path);

// Reading. Refuses (with a reason naming the file) a path that does not exist,
// is not a regular file, cannot be opened, or is larger than `maxBytes`; reads
// the file once.
struct ReadResult {
    enum Problem { None, Missing, NotRegularFile, TooLarge, Unreadable } problem = None;
    QString error;  // "File <path> ..." for messages
    QByteArray bytes;
};
ReadResult ReadRegularFile(const QString &path, qint64 maxBytes);

// A full disk for tests: while one of these lives, the saves of this process
// may write only `bytes` more bytes, all files together; the write that would
// go beyond fails as on a full disk ("No space left on device"), after the bytes
// that still fit have gone into the temporary file.
class SaveSpaceLimit {
public:
    explicit SaveSpaceLimit(qint64 bytes);
    ~SaveSpaceLimit();
    SaveSpaceLimit(const SaveSpaceLimit &) = delete;
    SaveSpaceLimit &operator=(const SaveSpaceLimit &) = delete;

private:
    qint64 m_previous;
};

}  // namespace mv
