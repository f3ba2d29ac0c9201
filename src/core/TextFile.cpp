#include "core/TextFile.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {

QString TextFile::reason() const { return errorNumber ? qt_error_string(errorNumber) : QString(); }

QString DecodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

TextFile DecodeTextFile(const QByteArray &bytes, qint64 maxBytes)
{
    TextFile out;
    if (bytes.size() > maxBytes)
        out.problem = TextFile::Problem::TooLarge;
    else if (bytes.contains('\0'))
        out.problem = TextFile::Problem::Binary;
    else
        out.lines = SplitLines(DecodeText(bytes));
    return out;
}

bool IsStandardInputPath(const QString &path)
{
    return path == QLatin1String("-") || path == QLatin1String("/dev/stdin");
}

namespace {
// Reads fd to its end, stopping once more than `maxBytes` have arrived.
// Returns 0 or the errno of the failed read.
int readToEnd(int fd, qint64 maxBytes, QByteArray *bytes)
{
    char chunk[65536];
    while (bytes->size() <= maxBytes) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        bytes->append(chunk, qsizetype(n));
    }
    return 0;
}
}  // namespace

TextFile ReadTextFile(const QString &path, qint64 maxBytes, StandardInput standardInput)
{
    TextFile out;
    auto fail = [&out](TextFile::Problem problem, int error = 0) {
        out.problem = problem;
        out.errorNumber = error;
        return out;
    };

    QByteArray bytes;
    int readError = 0;
    struct stat st { };
    if (standardInput == StandardInput::Allowed && IsStandardInputPath(path)) {
        // Standard input is already open: a pipe or a redirected file is read
        // to its end; a terminal or a device is not waited on.
        if (::fstat(STDIN_FILENO, &st) != 0)
            return fail(TextFile::Problem::OpenFailed, errno);
        if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode) && !S_ISSOCK(st.st_mode))
            return fail(TextFile::Problem::NotRegular);
        readError = readToEnd(STDIN_FILENO, maxBytes, &bytes);
    } else {
        const QByteArray name = QFile::encodeName(path);
        // Decide by the file's type before opening it: opening a FIFO waits for
        // a writer, opening a device may act on it.
        if (name.isEmpty() || ::stat(name.constData(), &st) != 0) {
            if (name.isEmpty() || errno == ENOENT || errno == ENOTDIR)
                return fail(TextFile::Problem::Missing);
            return fail(TextFile::Problem::OpenFailed, errno);
        }
        if (!S_ISREG(st.st_mode)) {
            out.folder = S_ISDIR(st.st_mode);
            return fail(TextFile::Problem::NotRegular);
        }
        if (st.st_size > maxBytes)
            return fail(TextFile::Problem::TooLarge);
        // O_NONBLOCK: should the name have been replaced by a FIFO since, the
        // open still returns at once, and the check below refuses it.
        const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return fail(TextFile::Problem::OpenFailed, errno);
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return fail(TextFile::Problem::NotRegular);
        }
        readError = readToEnd(fd, maxBytes, &bytes);
        ::close(fd);
    }
    if (readError != 0)
        return fail(TextFile::Problem::ReadFailed, readError);
    return DecodeTextFile(bytes, maxBytes);
}

}  // namespace mv
