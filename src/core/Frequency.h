#pragma once
// Frequencies: whole numbers of 10 Hz units inside the logic (145.6 MHz is
// 14560000), MHz text with the locale's decimal mark in cells. These and the cell
// texts of MemoryText.h (which also carry a PMS memory's six decimals) are the
// only converters between the two.
#include <QString>
#include <QtGlobal>
#include <optional>

namespace mv {

class Dialogs;

inline constexpr qint32 kMinFrequency = 3000;  // 0.03 MHz
inline constexpr qint32 kMaxFrequency = 5600000;  // 56 MHz
inline constexpr qint32 kNotAFrequency = -1;

// Whether a check shows its message boxes. Quiet keeps back the boxes about the
// text ("Not a numeric value", "Frequency is outside the range of the radio");
// a conversion overflow always shows "Error converting from string <text>".
enum class Boxes { Show, Quiet };

// Text in MHz (the locale's decimal mark) to 10 Hz units; nothing when it is not
// a frequency. dialogs may be null (no boxes at all).
std::optional<qint32> ParseFrequency(const QString &text, Boxes boxes, Dialogs *dialogs);

// Trims text, parses it and checks the radio's range: the value when it is a
// frequency of the radio. A blank text or "Empty" reads as 7 MHz.
std::optional<qint32> ValidateFrequency(const QString &text, Boxes boxes, Dialogs *dialogs);

bool IsFrequencyInRange(qint32 value);

// 10 Hz units as "##0.00000" MHz text.
QString FormatFrequency(qint32 units);

}  // namespace mv
