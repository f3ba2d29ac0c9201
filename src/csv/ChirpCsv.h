#pragma once
// CHIRP's generic CSV, the file most radio amateurs already have their
// memories in: recognised by its column names (in any order, including the
// shorter headers of older CHIRP versions), each record translated into this
// program's vocabulary for the import, and written the way CHIRP writes it for
// the export.
#include "csv/CsvFormat.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace mv {

class MemoryTable;
struct RepeaterRuleSet;

inline const QString kCsvSourceChirp = QStringLiteral("CHIRP");

// "Location", "Name", "Frequency", ... "DVCODE": the columns the export writes.
const QStringList &ChirpHeaderNames();

// Field numbers (from 1) of the columns the import reads; 0 when the file has
// no such column.
struct ChirpColumns {
    int location = 0;
    int name = 0;
    int frequency = 0;
    int duplex = 0;
    int offset = 0;
    int tone = 0;
    int rToneFreq = 0;
    int cToneFreq = 0;
    int mode = 0;
    int comment = 0;
};

// The columns of a header line cleaned with blanks removed and split on the
// ListSeparator; nullopt unless it has both "Location" and "Frequency" (any
// letter case), which no other known layout has together.
std::optional<ChirpColumns> ChirpColumnsOf(const QString &cleanedHeader);

// One CHIRP record (a cleaned line) in this program's vocabulary: Location as
// the memory number, Duplex as the shift, Tone as the encoding with the tone of
// its column, Mode as the radio's mode, "Name - Comment" as the description.
// What a memory of the radio cannot keep is named in `notes`.
CsvRecordFields ChirpRecordFields(const ChirpColumns &columns, const QString &cleanedLine);

// CHIRP's mode name for one of the radio's modes ("FMN" -> "NFM", "RTYL" ->
// "RTTY", ...); "Auto" for a mode the radio reported that has no name.
QString ChirpModeName(const QString &radioMode);

// The export: CHIRP's header and one record per used memory 1..500 (only those
// in `selected` when it is not null), "," and "." whatever the locale. The
// offset comes from the repeater rule of the frequency when `rules` is given
// and active, else 0.
QStringList ChirpExportRecords(const MemoryTable &table, const RepeaterRuleSet *rules,
                               const QSet<int> *selected = nullptr);

}  // namespace mv
