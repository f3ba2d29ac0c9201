#pragma once
// The FT-450's memory vocabularies in one place: the record codes and the texts
// of modes, shifts, encodings and tones. The record codec, the cell editors, the
// importer and the printer all read these.
#include "core/Memory.h"

#include <QString>
#include <QStringList>
#include <array>

namespace mv {

inline const QString kEmptyMarker = QStringLiteral("Empty");
inline const QString kUnknownMode = QStringLiteral("?? ");
inline const QString kUnknownCode = QStringLiteral("??");

struct ModeCode {
    QChar code;
    const char *text;
    Mode mode;
};
inline constexpr int kModeCount = 11;
const std::array<ModeCode, kModeCount> &modeCodes();

// Record codes: a code that is not in the table decodes as Unknown; None and
// Unknown modes have no code (QChar()).
Mode modeForCode(QChar code);
QChar codeForMode(Mode mode);
Shift shiftForCode(QChar code);  // "0" Simplex, "1" Plus, "2" Minus
QChar codeForShift(Shift shift);  // Minus 2, Plus 1, anything else 0
Encoding encodingForCode(QChar code);  // "0" None, "1" Enc+Dec, "2" Enc
QChar codeForEncoding(Encoding encoding);  // Enc 2, Enc+Dec 1, anything else 0

// Cell texts: "" for None, "?? " (mode) or "??" for Unknown.
QString modeText(Mode mode);
QString shiftText(Shift shift);  // "Simplex", "Plus", "Minus"
QString encodingText(Encoding encoding);  // "", " ", "CTCSS Enc+Dec", "CTCSS Enc"
// The value a cell text names exactly: "" is None, any other text Unknown.
Mode modeFromText(const QString &text);
Shift shiftFromText(const QString &text);
Encoding encodingFromText(const QString &text);

inline constexpr int kToneCount = 50;
const QStringList &ToneList();
// Index of the tone text in ToneList, -1 (kNoTone) when absent.
int toneIndex(const QString &tone);
// "" for kNoTone.
QString toneText(int index);

// Pick lists of the cell editors, exactly as the menus show them (each ends in an
// empty choice that the editor refuses).
QString modePickList();  // "LSB|USB|CW|FM|AM|RTYL|CWR|USRL|RTYU|FMN|USRU|"
QString shiftPickList();  // "Plus|Minus|Simplex|"
QString encodingPickList();  // " |CTCSS Enc|CTCSS Enc+Dec|"
QString tonePickList();  // "67.0|69.3|...|254.1|"

}  // namespace mv
