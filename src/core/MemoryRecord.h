#pragma once
// The 27-character CAT text of one memory ("MR00107000000+000000100000;"): what
// the radio answers to "MR001;", what "MW..." sets, and one line of a memory file.
//
//   pos 1-2 MR/MW, 3-5 number, 6-13 Hz, 14-20 "+000000", 21 mode, 22 "0",
//   23 encoding, 24-25 tone index, 26 shift, 27 ";"
#include <QString>

namespace mv {

class MemoryTable;
class MessageLog;

inline constexpr int kRecordLength = 27;
inline constexpr int kPmsFirstCat = 501;
inline constexpr int kLastCat = 504;

// Decodes `record` into memory row n (1..500) or PMS row n-500 (501..504).
// Never fails loudly: a bad field stops decoding there (the fields decoded before
// it reach the row) and an "Error ..." log-only line is written. Memory
// records are traced to the log (log-only) first. Returns true when every field
// decoded.
bool FillMemory(MemoryTable &table, int n, const QString &record, MessageLog *log);

// Why row n cannot be written as a record, or empty text when it can: an empty
// row, or a mode outside the radio's table.
QString RecordProblem(const MemoryTable &table, int n);

// The "MW" record of row n. Only for rows whose RecordProblem is empty.
QString BuildMemoryWrite(const MemoryTable &table, int n);

// True when `reply` answers "MR" for memory n: exactly "?;" (empty memory), or
// the record of memory n ("MR" + its number) that FillMemory decodes whole.
bool IsMemoryReply(const QString &reply, int n);

// Why row n must not be sent to the radio, or empty text: RecordProblem, or a
// frequency outside the radio's range (it would refuse the record).
QString RadioWriteProblem(const MemoryTable &table, int n);

// `command` (an "MW" record built from the table) with the fields the table does
// not hold taken from `radioRecord`, the radio's present record of the memory:
// the clarifier (positions 14-20) and position 22. Unchanged when radioRecord is
// not a whole record.
QString KeepRadioOnlyFields(const QString &command, const QString &radioRecord);

}  // namespace mv
