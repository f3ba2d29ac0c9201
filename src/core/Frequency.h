#pragma once
// Frequencies: whole numbers of 10 Hz units inside the logic (145.6 MHz is
// 14560000), MHz text with the locale's decimal mark in cells. These are the only
// converters between the two.
#include <QString>
#include <QtGlobal>

namespace mv {

class Dialogs;

inline constexpr qint32 kMinFrequency = 3000;  // 0.03 MHz
inline constexpr qint32 kMaxFrequency = 5600000;  // 56 MHz
inline constexpr qint32 kNotAFrequency = -1;

// Value of the last frequency ValidateFrequency parsed (set before its range test)
// and of the last one that passed IsFrequencyInRange.
extern qint32 LastParsedFrequency;
extern qint32 LastValidFrequency;

// Text in MHz to 10 Hz units, -1 when it is not a frequency. quiet == "Quiet"
// suppresses the "Not a numeric value" box; a conversion overflow always shows
// "Error converting from string <text>". dialogs may be null (no boxes at all).
qint32 ParseFrequency(const QString &text, const QString &quiet, Dialogs *dialogs);

// Trims text, parses it and checks the radio's range; on success rewrites text as
// "##0.00000". messages == "N" shows no boxes (but the overflow box).
bool ValidateFrequency(QString &text, const QString &messages, Dialogs *dialogs);

bool IsFrequencyInRange(qint32 value);

// 10 Hz units as "##0.00000" MHz text.
QString FormatFrequency(qint32 units);

}  // namespace mv
