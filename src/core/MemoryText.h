#pragma once
// The text of a memory's cells as the views, the clipboard, the printout and the
// command line show them: the frequency in MHz with the locale's decimal mark
// ("Empty" for an empty memory), the mode, shift, encoding and tone texts of
// RadioTables.h and the description.
#include "core/MemoryTable.h"

#include <QString>

namespace mv {

// "Empty", "7.00000", or with six decimals for a PMS memory read to the hertz.
QString FrequencyText(const Memory &memory);

// Cell `column` (ColFrequency..ColDescription) of a memory; an empty memory shows
// blanks beside "Empty" (and the description a description file gave it).
QString MemoryCellText(const Memory &memory, int column);

// The reverse of MemoryCellText: `text` into the field of `column`. "Empty" in the
// frequency column empties the memory; a frequency with six decimals is kept to
// the hertz. False (and `memory` unchanged) when the text names no value of the
// column: a frequency that is not a number, a tone that is not in ToneList.
bool SetMemoryCellText(Memory &memory, int column, const QString &text);

// The label column: "1".."500" for a memory, "P1L".."P2U" for a PMS row.
inline QString MemoryLabel(int n) { return QString::number(n); }

}  // namespace mv
