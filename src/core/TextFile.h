#pragma once
// Text files the program reads whole: memory files, description files and CSV
// import files. Each is read once, checked and decoded here; what a problem is
// called in a message is the caller's business, since each file kind has its own
// wording and its own size limit.
//
// Only regular files are opened: a FIFO, a device or a folder is refused at once
// rather than waited on. Files over the caller's limit and files holding NUL
// bytes are refused as not being text. Text is UTF-8 when it decodes cleanly
// (a leading byte-order mark is dropped), else Latin-1: files written by older
// programs are in the Windows code page. Lines may end in CR LF, LF or CR.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace mv {

struct TextFile {
    enum class Problem {
        None,
        Missing,  // no such file or folder
        NotRegular,  // a folder, FIFO, socket or device
        OpenFailed,  // it exists but could not be opened (errorNumber)
        ReadFailed,  // opened, but reading failed (errorNumber)
        TooLarge,  // more bytes than the caller allows
        Binary  // holds NUL bytes
    };
    Problem problem = Problem::None;
    int errorNumber = 0;  // the system's error number of OpenFailed / ReadFailed
    bool folder = false;  // NotRegular: the path is a folder
    QStringList lines;  // line ends removed

    // The system's reason for errorNumber, e.g. "Permission denied".
    QString reason() const;
};

// UTF-8 when the bytes are valid UTF-8, else Latin-1.
QString DecodeText(const QByteArray &bytes);
// Lines of a text; a line end after the last line does not start another one.
QStringList SplitLines(const QString &text);
// The checks and decoding of ReadTextFile on bytes already in hand.
TextFile DecodeTextFile(const QByteArray &bytes, qint64 maxBytes);

enum class StandardInput { Refused, Allowed };
// True for "-" and "/dev/stdin".
bool IsStandardInputPath(const QString &path);
// Reads a whole file once; never reads much past `maxBytes`. With
// StandardInput::Allowed, "-" and "/dev/stdin" read standard input to its end
// when it is a pipe or a file (a terminal or a device there is refused).
TextFile ReadTextFile(const QString &path, qint64 maxBytes, StandardInput standardInput = StandardInput::Refused);

}  // namespace mv
