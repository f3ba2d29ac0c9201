#include "shell/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include <unistd.h>

namespace mv {

namespace {

// Bytes the saves may still write; negative: no limit (see SaveSpaceLimit).
qint64 g_spaceLeft = -1;

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

QString systemReason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

SaveErrorKind kindOfErrno(int err, SaveErrorKind otherwise)
{
    switch (err) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return SaveErrorKind::NoSpace;
    case EFBIG:
        return SaveErrorKind::TooLarge;
    case EACCES:
    case EPERM:
    case EROFS:
        return SaveErrorKind::Permission;
    case ENOENT:
    case ENOTDIR:
        return SaveErrorKind::PathNotFound;
    default:
        return otherwise;
    }
}

SaveError errorOf(SaveErrorKind kind, const QString &path, const QString &reason, bool writing)
{
    SaveError e;
    e.kind = kind;
    e.path = native(QFileInfo(path).absoluteFilePath());
    e.reason = reason;
    e.writing = writing;
    return e;
}

// What stops a file from being created at `path`, before anything is tried.
SaveError checkTarget(const QString &path)
{
    const QFileInfo fi(path);
    if (!QFileInfo(fi.absolutePath()).isDir())
        return errorOf(SaveErrorKind::PathNotFound, path, QStringLiteral("the folder does not exist"), false);
    if (fi.exists() && !fi.isFile())
        return errorOf(SaveErrorKind::NotRegularFile, path,
                       fi.isDir() ? QStringLiteral("a folder of that name is in the way")
                                  : QStringLiteral("it is not a regular file"),
                       false);
    return {};
}

// One file of a save: complete in its temporary file, not yet in place.
class PendingFile {
public:
    explicit PendingFile(const QString &path)
        : m_path(path)
        , m_file(path)
    {
    }
    ~PendingFile() { m_file.cancelWriting(); }

    SaveError write(const QByteArray &bytes)
    {
        if (!m_file.open(QIODevice::WriteOnly)) {
            const int err = errno;
            const QFileInfo fi(m_path);
            SaveErrorKind kind = kindOfErrno(err, SaveErrorKind::Io);
            if (kind == SaveErrorKind::Io && fi.exists() && !fi.isWritable())
                kind = SaveErrorKind::Permission;
            return errorOf(kind, m_path, m_file.errorString(), false);
        }
        qint64 allowed = bytes.size();
        const bool full = g_spaceLeft >= 0 && allowed > g_spaceLeft;
        if (full)
            allowed = g_spaceLeft;
        if (allowed > 0) {
            errno = 0;
            const qint64 n = m_file.write(bytes.constData(), allowed);
            const int err = errno;
            if (n != allowed)
                return writeError(err);
        }
        if (g_spaceLeft >= 0)
            g_spaceLeft -= allowed;
        // QSaveFile keeps small writes in its buffer: push them to the file now,
        // so that a full disk shows here and not in a commit that hides it.
        errno = 0;
        const bool flushed = m_file.flush();
        const int err = errno;
        if (!flushed || m_file.error() != QFileDevice::NoError)
            return writeError(err);
        if (full)
            return errorOf(SaveErrorKind::NoSpace, m_path, systemReason(ENOSPC), true);
        return {};
    }

    SaveError commit()
    {
        errno = 0;
        if (m_file.commit())
            return {};
        const int err = errno;
        return errorOf(kindOfErrno(err, SaveErrorKind::Io), m_path, m_file.errorString(), true);
    }

    QString path() const { return m_path; }

private:
    SaveError writeError(int err)
    {
        const QString reason = err != 0 ? systemReason(err) : m_file.errorString();
        return errorOf(kindOfErrno(err, SaveErrorKind::Io), m_path, reason, true);
    }

    QString m_path;
    QSaveFile m_file;
};

// The old content of a file about to be replaced, kept as a hard link so that
// it can be put back with one rename.
class OldCopy {
public:
    explicit OldCopy(const QString &path)
    {
        const QFileInfo fi(path);
        if (!fi.isFile())
            return;
        m_target = fi.canonicalFilePath();
        for (int i = 0; i < 100 && m_backup.isEmpty(); ++i) {
            const QString candidate = m_target + QStringLiteral(".old-%1-%2").arg(::getpid()).arg(i);
            if (::link(QFile::encodeName(m_target).constData(), QFile::encodeName(candidate).constData()) == 0)
                m_backup = candidate;
            else if (errno != EEXIST)
                break;
        }
    }
    ~OldCopy()
    {
        if (!m_backup.isEmpty())
            QFile::remove(m_backup);
    }
    OldCopy(const OldCopy &) = delete;
    OldCopy &operator=(const OldCopy &) = delete;

    // Puts the old content back (or removes a file that did not exist before).
    void restore(const QString &path)
    {
        if (m_backup.isEmpty() && m_target.isEmpty()) {
            QFile::remove(path);
            return;
        }
        if (!m_backup.isEmpty()
            && ::rename(QFile::encodeName(m_backup).constData(), QFile::encodeName(m_target).constData()) == 0)
            m_backup.clear();
    }

private:
    QString m_target;
    QString m_backup;
};

}  // namespace

QString SaveError::text() const { return path + QStringLiteral(": ") + reason; }

SaveError SaveFileContent(const QString &path, const QByteArray &bytes)
{
    return SaveFilesTogether({FileContent{path, bytes}});
}

SaveError SaveFilesTogether(const QList<FileContent> &files, const QString &lockPath, int lockWaitMs)
{
    for (const FileContent &f : files) {
        const SaveError e = checkTarget(f.path);
        if (e.failed())
            return e;
    }

    std::unique_ptr<QLockFile> lock;
    if (!lockPath.isEmpty()) {
        lock = std::make_unique<QLockFile>(lockPath);
        if (!lock->tryLock(lockWaitMs)) {
            const QString first = files.isEmpty() ? lockPath : files.first().path;
            switch (lock->error()) {
            case QLockFile::LockFailedError:
                return errorOf(
                    SaveErrorKind::Busy, first,
                    QStringLiteral("another save of these files is in progress (lock file %1)").arg(native(lockPath)),
                    false);
            case QLockFile::PermissionError:
                return errorOf(SaveErrorKind::Permission, first,
                               QStringLiteral("the folder cannot be written (lock file %1)").arg(native(lockPath)),
                               false);
            default:
                return errorOf(SaveErrorKind::Io, first,
                               QStringLiteral("the lock file %1 cannot be created").arg(native(lockPath)), false);
            }
        }
    }

    std::vector<std::unique_ptr<PendingFile>> pending;
    pending.reserve(size_t(files.size()));
    for (const FileContent &f : files) {
        pending.push_back(std::make_unique<PendingFile>(f.path));
        const SaveError e = pending.back()->write(f.bytes);
        if (e.failed())
            return e;  // every temporary is discarded; nothing was replaced
    }

    std::vector<std::unique_ptr<OldCopy>> old;
    if (pending.size() > 1) {
        for (const auto &p : pending)
            old.push_back(std::make_unique<OldCopy>(p->path()));
    }
    for (size_t i = 0; i < pending.size(); ++i) {
        const SaveError e = pending[i]->commit();
        if (!e.failed())
            continue;
        for (size_t j = 0; j < i && j < old.size(); ++j)
            old[j]->restore(pending[j]->path());
        return e;
    }
    return {};
}

QString SaveLockPathFor(const QString &path) { return path + QStringLiteral(".lock"); }

ReadResult ReadRegularFile(const QString &path, qint64 maxBytes)
{
    ReadResult out;
    const QFileInfo fi(path);
    const QString shown = native(path);
    if (!fi.exists()) {
        out.problem = ReadResult::Missing;
        out.error = QStringLiteral("Filename ") + path + QStringLiteral(" does not exist");
        return out;
    }
    if (!fi.isFile()) {
        out.problem = ReadResult::NotRegularFile;
        out.error = QStringLiteral("File ") + shown + QStringLiteral(" cannot be opened: ")
                    + (fi.isDir() ? QStringLiteral("it is a folder")
                                  : QStringLiteral("it is not a regular file (a FIFO, socket or device)"));
        return out;
    }
    if (fi.size() > maxBytes) {
        out.problem = ReadResult::TooLarge;
        out.error = QStringLiteral("File ") + shown + QStringLiteral(" is too large");
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.problem = ReadResult::Unreadable;
        out.error = QStringLiteral("File ") + shown + QStringLiteral(" cannot be opened: ") + file.errorString();
        return out;
    }
    // A regular file: its size was checked above, so reading it whole is bounded.
    out.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        out.problem = ReadResult::Unreadable;
        out.error = QStringLiteral("File ") + shown + QStringLiteral(" cannot be read: ") + file.errorString();
        out.bytes.clear();
        return out;
    }
    if (out.bytes.size() > maxBytes) {
        out.problem = ReadResult::TooLarge;
        out.error = QStringLiteral("File ") + shown + QStringLiteral(" is too large");
        out.bytes.clear();
    }
    return out;
}

SaveSpaceLimit::SaveSpaceLimit(qint64 bytes)
    : m_previous(g_spaceLeft)
{
    g_spaceLeft = bytes;
}

SaveSpaceLimit::~SaveSpaceLimit() { g_spaceLeft = m_previous; }

}  // namespace mv
