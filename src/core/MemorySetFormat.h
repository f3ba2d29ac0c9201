#pragma once
// Memory sets on disk: the memory file (*.450, one CAT record per line) and its
// description file (*.450dsc, the description column and its width).
//
// The format alone: paths, reading and writing both files, the parsers. Nothing
// here asks the user or touches the window: the command line, the radio and CSV
// tools and the fuzz targets use it directly, and the window's commands
// (core/MemoryDocument.h) build on it.
//
// Files are written with CR LF line ends, through a temporary file in the same
// folder that replaces the old file only when it is complete. Files are read
// tolerantly (CR LF or LF) but a file over 1 MiB or one holding NUL bytes is not
// a memory set and is refused before anything in the table changes.
#include "core/TextFile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mv {

class MemoryTable;
class MessageLog;
struct SaveError;

inline constexpr qint64 kMaxMemorySetFileSize = 1024 * 1024;
inline constexpr int kMaxRecordLineLength = 1000;
inline constexpr int kDefaultDescriptionWidth = 3450;  // three "Normal" base widths
inline const QString kInitialFileName = QStringLiteral("Initial memory file.450");
inline const QString kInitialRecord = QStringLiteral("MR00107000000+000000100000;");

// ---------------------------------------------------------------------------
// Paths

// The characters after the last path separator of the platform.
QString FileNameOf(const QString &path);
// ".450" / ".450dsc" at the end, any letter case.
bool HasMemoryFileSuffix(const QString &path);
bool HasDescriptionFileSuffix(const QString &path);
// The path a load looks for: unchanged when it ends in ".450" or ".450dsc",
// else with ".450" appended.
QString MemoryFilePathFor(const QString &path);
// The description file of a memory file path: the path itself for ".450dsc",
// path + "dsc" for ".450", empty for anything else.
QString DescriptionPathFor(const QString &path);
// A path on a floppy drive: "A:" or "B:" (either case) at its start.
bool IsFloppyDrivePath(const QString &path);

// ---------------------------------------------------------------------------
// Reading

// Reads a memory or description file whole, refusing one over 1 MiB or holding
// NUL bytes.
TextFile ReadMemorySetFile(const QString &path);
// Why `path` could not be read, for messages: "Filename ... does not exist",
// "File ... cannot be loaded: it is larger than 1 MiB.", ...
QString MemorySetFileError(const QString &path, const TextFile &file);

// Fills `table` from the lines of a memory file, as a load does after clearing
// the table: each line's characters 3 to 5 give the CAT number, FillMemory
// decodes it. Blank lines are skipped. Lines numbered 000 or above 504, lines
// longer than 1000 characters and records too short for their fields are
// ignored (a log-only line each), as are lines FillMemory could not fully
// decode: a line changes its memory whole or not at all. When two intact lines
// name the same memory the later one wins, and a log-only line says so. When
// any line was ignored, one always-line says how many lines of `fileName` were
// ignored. Returns the number of ignored lines.
int FillFromMemoryLines(MemoryTable &table, const QStringList &lines, const QString &fileName, MessageLog *log);

// A description read from a file: double quote, ";" and "," become blanks and
// the text is cut to 100 characters.
QString CleanDescription(const QString &text);

struct DescriptionSet {
    bool hasWidthRecord = false;  // the first record could be read
    bool widthValid = false;  // ... and held a usable width
    int widthTwips = 0;
    QStringList texts;  // descriptions of memories 1.. in order (at most 500), cleaned
};
// Parses description file lines: `0,"2400"` then `1,"text"` ... Quoted and
// unquoted items are accepted; the numbers are not checked. Reading stops
// quietly at the first line it cannot make sense of.
DescriptionSet ParseDescriptions(const QStringList &lines);
// Stores the parsed descriptions into memory rows 1.. (the rows after the last
// parsed one keep their text).
void ApplyDescriptions(MemoryTable &table, const DescriptionSet &set);

// Reads and parses the description file `dscPath`. One too large or holding
// binary data is reported in the log; a missing or unreadable one ends quietly.
// False when nothing was read.
bool ReadDescriptionFile(const QString &dscPath, MessageLog *log, DescriptionSet *set);

// Loads a memory set without windows: clears the table and fills it from the
// memory file at `path` (taken as it is), then the descriptions from its
// ".450dsc" companion when the path ends in ".450". On failure (missing,
// unreadable, over 1 MiB, binary) returns false with the reason in *error and
// leaves the table as it was. *descriptionWidth gets the stored width, or
// kDefaultDescriptionWidth when there is none. *ignored counts unreadable lines.
bool readMemorySet(const QString &path, MemoryTable &table, MessageLog *log, QString *error,
                   int *descriptionWidth = nullptr, int *ignored = nullptr);

// ---------------------------------------------------------------------------
// Writing

// The lines a save writes for `table` (no line ends): one "MW" record per used
// memory 1..500, then per used PMS row (501..504). Rows that cannot be encoded
// (RecordProblem) are left out and their CAT numbers appended to *skipped.
QStringList MemoryFileLines(const MemoryTable &table, QList<int> *skipped = nullptr);
// Why a used row is left out of a saved file (RecordProblem, or a frequency
// that eight Hz digits cannot carry); empty when it is written.
QString RowSaveProblem(const MemoryTable &table, int catNumber);
// The lines of the description file: 0,"width" then i,"description" for 1..500.
QStringList DescriptionFileLines(const MemoryTable &table, int descriptionWidth);

// Where a file operation failed. The number is shown in the error box ("... in
// line 9"), so users reporting a failure can say which file and which part of
// the save it was.
enum class FileStage {
    Open = 8,  // opening or creating the file
    Records = 9,  // writing the memory records
    Descriptions = 11  // writing the description file
};

struct WriteFailure {
    int number = 0;  // error number in the style of the program's messages
    QString description;  // what went wrong: kind, file at fault, system's reason
    FileStage stage = FileStage::Open;
    QString file;  // the file at fault
    QString reason;  // the system's reason alone
    bool failed() const { return number != 0; }
};

// The number and description of the error box for a failed save (SafeSave):
// 61 a full disk, 70 no permission or a save in progress, 76 a missing folder,
// 57 another write failure, 75 any other failure to create the file.
WriteFailure DescribeSaveError(const SaveError &error);

// Writes lines with CR LF to `path` through a temporary file in the same folder;
// the old file is replaced only when every byte reached the new one.
WriteFailure WriteLinesAtomically(const QString &path, const QStringList &lines);

// Writes the memory file at `path` and, when the path ends in ".450", the
// description file path + "dsc". Both are written completely before either
// replaces its old file, under a lock beside the memory file so that two saves
// of one set cannot interleave; on failure the old files are as they were.
// Unencodable rows are left out, listed in *skipped.
WriteFailure WriteMemorySetFiles(const QString &path, const MemoryTable &table, int descriptionWidth,
                                 QList<int> *skipped = nullptr);

// Saves a memory set without windows (WriteMemorySetFiles). Returns false with
// "Cannot save <file at fault>: <reason>" in *error when the set could not be
// saved.
bool writeMemorySet(const QString &path, const MemoryTable &table, int descriptionWidth, QString *error,
                    QList<int> *skipped = nullptr);

// "Memory 12" / "PMS memory P1L": a CAT number as the user knows it.
QString MemoryNameOf(int catNumber);

}  // namespace mv
