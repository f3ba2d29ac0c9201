#pragma once
// The CSV column set shared by export and import, and the pieces import uses to
// take a line apart: cleaning, field access with the decimal-mark adaptation,
// header recognition, the mode and tone vocabularies, and reading a file.
//
// Field splitting works on the program-wide ListSeparator (core/NumberText.h):
// export sets it (TAB for the "Tab" option), header recognition sets it from the
// header line, and it stays until the next DetectSeparators.
#include "core/TextFile.h"
#include "shell/Dialogs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace mv {

inline constexpr int kCsvFieldCount = 13;
// Fields that import reads (numbering from 1).
enum CsvFieldNumber {
    CsvMemory = 1,
    CsvRxFreq = 2,
    CsvRxMode = 3,
    CsvShift = 4,
    CsvEncoding = 7,
    CsvTone = 8,
    CsvDescription = 13,
};

// "Memory", "RX Freq", "RX Mode", ... "Description": the 13 header names.
const QStringList &CsvHeaderNames();

// The filter of both file dialogs.
inline const QString kCsvFileFilter = QStringLiteral("Memories CSV Files (*.CSV)|*.CSV|All Files (*.*)|*.*");
// The request of both file dialogs: CSV files, starting in `folder`.
inline FileDialogRequest CsvFileRequest(const QString &title, const QString &folder)
{
    return {title, kCsvFileFilter, folder, {}};
}

// Layout ids that header recognition gives a file.
inline const QString kCsvSourceOrbis = QStringLiteral("Orbis");  // the layout export writes
inline const QString kCsvSourceUnknown = QStringLiteral("Unknown");
// Every recognisable id, "Orbis" first.
const QStringList &CsvSourceIds();

// Double quotes become blanks and toggle an inside-quotes state; a ListSeparator
// inside quotes becomes a blank. For the header line all blanks are then removed.
QString CleanCsvLine(const QString &line, bool headerLine = false);

// Field n (from 1) of a cleaned line: the text between the (n-1)-th and the n-th
// ListSeparator; empty when the line has fewer fields. Only the RX frequency
// (field 2) is adapted: both "." and "," become the locale's decimal mark, so a
// file gives the same frequencies under any locale. Every other field comes
// back exactly as it stands in the line.
QString CsvField(const QString &cleanedLine, int n);

// A frequency field with its decimal mark read as the locale's: in MHz there
// is no digit grouping, so either "." or "," can only be the decimal mark.
QString AdaptFrequencyMark(const QString &field);

// One record of an import file in this program's vocabulary, whatever the
// layout it came in: the fields the import reads, and what the record holds
// that a memory of the radio cannot keep (one line each, for the messages).
struct CsvRecordFields {
    QString memory;
    QString frequency;  // the locale's decimal mark
    QString mode;
    QString shift;
    QString encoding;
    QString tone;
    QString description;
    QStringList notes;
};

// The fields of a cleaned line of the layout export writes (fields 1, 2, 3, 4,
// 7, 8 and 13, each as CsvField gives it).
CsvRecordFields OwnLayoutFields(const QString &cleanedLine);

// Given the header line cleaned with blanks removed: picks the ListSeparator
// from it (",", then ";", then TAB, falling back to the previous one when the
// line does not contain the pick) and returns the layout id, "Unknown" when the
// line is not a header of a known layout. A header with both a "Location" and a
// "Frequency" column is CHIRP's (csv/ChirpCsv.h), whatever the order.
QString RecogniseCsvHeader(const QString &cleanedHeader);

// Trimmed, a decimal comma read as a point ("88,5" -> "88.5"); then, when longer
// than one character and without "." second-last, ".0" appended ("88" -> "88.0",
// "88.5" unchanged). The tone list is written with "." under every locale.
QString NormaliseTone(const QString &tone);

// Mode accepted by the pre-check (field already trimmed and upper-cased).
bool IsPrecheckMode(const QString &upperTrimmed);
// Shift and encoding state accepted by the pre-check (trimmed, upper-cased).
bool IsPrecheckShift(const QString &upperTrimmed);
bool IsPrecheckEncoding(const QString &upperTrimmed);

// The mode the load writes for field 3 (blanks around and letter case do not
// count): the radio's own modes (LSB, USB, CW, FM, AM, RTYL, CWR, USRL, RTYU,
// FMN, USRU) as themselves, the other names of the pre-check vocabulary and
// "NFM" mapped to the nearest of them; an empty text for an empty field (the
// caller proposes one from the frequency), nullopt for anything else.
std::optional<QString> ImportedMode(const QString &trimmed);

// The EncDec cell for a field 7 value: "CTCSS Enc", "CTCSS Enc+Dec" or "" (any
// letter case, blanks around ignored). *recognised is false for anything else
// ("DCS" included), which also gives "".
QString ImportedEncoding(const QString &field, bool *recognised = nullptr);

// A description as the memory table and the description file can keep it:
// double quote, ";", "," and control characters become blanks, blanks around
// are trimmed, and the text is cut to 100 characters without splitting a
// character in two.
QString CleanImportedDescription(const QString &text);

// ---------------------------------------------------------------------------
// Reading an import file

inline constexpr qint64 kMaxCsvFileSize = 10 * 1024 * 1024;

// Reads a whole import file, once: both import passes work on the text read
// here. Refuses files over 10 MiB and files holding NUL bytes (TooLarge /
// Binary). Standard input ("-" or "/dev/stdin") may also be a pipe, read to its
// end; a terminal or device there is refused.
TextFile ReadCsvFile(const QString &path);

}  // namespace mv
