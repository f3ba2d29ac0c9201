#pragma once
// Memory sets on disk: the memory file (*.450, one CAT record per line) and its
// description file (*.450dsc, the description column and its width).
//
// Two layers. The plain functions (readMemorySet, writeMemorySet and the parsers
// under them) need no window and no dialogs: the command line, the radio and CSV
// tools and the fuzz targets use them. The commands (LoadMemoryFile,
// SaveMemoryFile, ...) are what the window's buttons and menus run: they ask
// through Dialogs, drive the MainView hooks and keep AppState.
//
// Files are written with CR LF line ends, through a temporary file in the same
// folder that replaces the old file only when it is complete. Files are read
// tolerantly (CR LF or LF) but a file over 1 MiB or one holding NUL bytes is not
// a memory set and is refused before anything in the table changes.
#include <QList>
#include <QString>
#include <QStringList>

class QByteArray;

namespace mv {

struct AppContext;
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

enum class FileProblem { None, Missing, Unreadable, TooLarge, Binary };

struct FileText {
    FileProblem problem = FileProblem::None;
    QString error;  // the reason, for messages (empty when problem is None)
    QStringList lines;  // line ends (CR LF, LF or CR) removed
};

// Splits file bytes into lines; refuses (problem TooLarge / Binary) more than
// 1 MiB or any NUL byte. Text is UTF-8 when it decodes cleanly, else Latin-1
// (files written by older programs are in the Windows code page).
FileText DecodeFileText(const QByteArray &bytes);
// Reads a file with the same checks; never reads more than 1 MiB + 1 byte.
FileText ReadFileText(const QString &path);

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

struct WriteFailure {
    int number = 0;  // error number in the style of the program's messages
    QString description;  // what went wrong: kind, file at fault, system's reason
    int step = 0;  // where: 8 creating, 9 writing records, 11 descriptions
    QString file;  // the file at fault
    QString reason;  // the system's reason alone
    bool failed() const { return number != 0; }
};

// The number and description of the error box for a failed save (SafeSave):
// 61 a full disk, 70 no permission or a save in progress, 76 a missing folder,
// 57 another write failure, 75 any other failure to create the file.
WriteFailure DescribeSaveError(const SaveError &error, int step);

// Writes lines with CR LF to `path` through a temporary file in the same folder;
// the old file is replaced only when every byte reached the new one.
WriteFailure WriteLinesAtomically(const QString &path, const QStringList &lines, int step = 8);

// Saves a memory set without windows: the memory file at `path` and, when the
// path ends in ".450", the description file path + "dsc". Both are written
// completely before either replaces its old file, under a lock beside the
// memory file so that two saves of one set cannot interleave. Returns false
// with "Cannot save <file at fault>: <reason>" in *error when the set could not
// be saved; the old files are then as they were. Unencodable rows are left out,
// listed in *skipped.
bool writeMemorySet(const QString &path, const MemoryTable &table, int descriptionWidth, QString *error,
                    QList<int> *skipped = nullptr);

// "Memory 12" / "PMS memory P1L": a CAT number as the user knows it.
QString MemoryNameOf(int catNumber);

// ---------------------------------------------------------------------------
// Commands of the window

// "Read &Disk File" / "&Open" (and the start-up load with AutoOpenPath set).
// Returns true when a memory file or description file was loaded.
bool LoadMemoryFile(AppContext &ctx);
// "&Write Disk File" / "&Save" / "Save &As" / the exit question. Returns true
// when the memory set was saved (SaveCompleted).
bool SaveMemoryFile(AppContext &ctx);
// "&Save": no question before replacing; the save dialog suggests the current file.
bool SaveMemoryFileCommand(AppContext &ctx);
// "Save &As": no suggested name, asks before replacing.
bool SaveMemoryFileAsCommand(AppContext &ctx);

// Descriptions from the ".450dsc" of `path` (or `path` itself when it is one)
// into column 6 and the description column width. Missing or short files end
// quietly. Returns true when the file was read.
bool LoadDescriptions(AppContext &ctx, const QString &path);
// Writes the ".450dsc" of a ".450" path; does nothing for other paths.
bool SaveDescriptions(AppContext &ctx, const QString &path);

// Creates "Initial memory file.450" in HomeDir (or the current folder) when it is
// not there, and sets AutoOpenPath to it.
void CreateInitialMemoryFile(AppContext &ctx);

// The start-up choice of the file to open: `commandLinePath` (surrounding double
// quotes removed) or else the "LastOpened" setting; a floppy-drive path is
// dropped and nothing is loaded; when there is nothing at all the initial file
// is created. Sets AutoOpenPath and returns true when a load is due.
bool PrepareAutoOpen(AppContext &ctx, const QString &commandLinePath);

}  // namespace mv
