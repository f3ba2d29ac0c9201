#pragma once
// One memory of the radio as a value: what the record carries and what the table
// shows, with no text in it but the description. Memories 1..500 and the four PMS
// memories are the same type (a PMS memory has no description); the row label
// ("1".."500", "P1L"...) comes from the position and is not stored.
//
// Every field can hold the states a damaged record or a half-decoded one leaves:
// a blank cell (None) and a code the radio's tables do not know (Unknown, shown
// as "?? " or "??"), so a bad record stays visible and can be corrected.
#include <QString>
#include <QtGlobal>

namespace mv {

// Record codes 1..9, B, C in this order (RadioTables.cpp).
enum class Mode : quint8 { None, LSB, USB, CW, FM, AM, RTYL, CWR, USRL, RTYU, FMN, USRU, Unknown };
enum class Shift : quint8 { None, Simplex, Plus, Minus, Unknown };
// None is the blank a record's code 0 shows; Off is the pick list's " " choice.
// Both are written as code 0.
enum class Encoding : quint8 { None, Off, EncDec, Enc, Unknown };

inline constexpr qint8 kNoTone = -1;

struct Memory {
    bool used = false;
    qint32 frequency = 0;  // 10 Hz units (meaningless when !used)
    // A PMS record is decoded to the hertz: its last digit 0..9, shown with six
    // decimals. -1 for a frequency held to 10 Hz (five decimals).
    qint8 hertz = -1;
    Mode mode = Mode::None;
    Shift shift = Shift::None;
    Encoding encoding = Encoding::None;
    qint8 tone = kNoTone;  // index into ToneList()
    QString description;

    // The frequency in whole Hz.
    qint64 frequencyHz() const { return qint64(frequency) * 10 + (hertz > 0 ? hertz : 0); }

    bool operator==(const Memory &) const = default;
};

}  // namespace mv
