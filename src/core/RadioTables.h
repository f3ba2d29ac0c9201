#pragma once
// The FT-450's memory vocabularies in one place: the record codec, the cell
// editors, the importer and the printer all read these.
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
};
inline constexpr int kModeCount = 11;
const std::array<ModeCode, kModeCount> &modeCodes();

// Mode text for a record code, "?? " when the code is not in the table.
QString modeForCode(QChar code);
// Record code for a mode text (exact match), QChar() when not in the table.
QChar codeForMode(const QString &mode);

QString shiftForCode(QChar code);  // "0" Simplex, "1" Plus, "2" Minus, else "??"
QChar codeForShift(const QString &shift);  // Minus 2, Plus 1, anything else 0
QString encodingForCode(QChar code);  // "0" "", "1" "CTCSS Enc+Dec", "2" "CTCSS Enc", else "??"
QChar codeForEncoding(const QString &encoding);

inline constexpr int kToneCount = 50;
const QStringList &ToneList();
// Index of the tone text in ToneList, -1 when absent.
int toneIndex(const QString &tone);

// Pick lists of the cell editors, exactly as the menus show them (each ends in an
// empty choice that the editor refuses).
QString modePickList();  // "LSB|USB|CW|FM|AM|RTYL|CWR|USRL|RTYU|FMN|USRU|"
QString shiftPickList();  // "Plus|Minus|Simplex|"
QString encodingPickList();  // " |CTCSS Enc|CTCSS Enc+Dec|"
QString tonePickList();  // "67.0|69.3|...|254.1|"

}  // namespace mv
