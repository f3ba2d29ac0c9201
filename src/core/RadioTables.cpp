#include "core/RadioTables.h"

namespace mv {

const std::array<ModeCode, kModeCount> &modeCodes()
{
    static const std::array<ModeCode, kModeCount> codes{{
        {QLatin1Char('1'), "LSB", Mode::LSB},
        {QLatin1Char('2'), "USB", Mode::USB},
        {QLatin1Char('3'), "CW", Mode::CW},
        {QLatin1Char('4'), "FM", Mode::FM},
        {QLatin1Char('5'), "AM", Mode::AM},
        {QLatin1Char('6'), "RTYL", Mode::RTYL},
        {QLatin1Char('7'), "CWR", Mode::CWR},
        {QLatin1Char('8'), "USRL", Mode::USRL},
        {QLatin1Char('9'), "RTYU", Mode::RTYU},
        {QLatin1Char('B'), "FMN", Mode::FMN},
        {QLatin1Char('C'), "USRU", Mode::USRU},
    }};
    return codes;
}

Mode modeForCode(QChar code)
{
    for (const ModeCode &m : modeCodes()) {
        if (m.code == code)
            return m.mode;
    }
    return Mode::Unknown;
}

QChar codeForMode(Mode mode)
{
    for (const ModeCode &m : modeCodes()) {
        if (m.mode == mode)
            return m.code;
    }
    return QChar();
}

QString modeText(Mode mode)
{
    if (mode == Mode::None)
        return {};
    for (const ModeCode &m : modeCodes()) {
        if (m.mode == mode)
            return QString::fromLatin1(m.text);
    }
    return kUnknownMode;
}

Mode modeFromText(const QString &text)
{
    if (text.isEmpty())
        return Mode::None;
    for (const ModeCode &m : modeCodes()) {
        if (text == QLatin1String(m.text))
            return m.mode;
    }
    return Mode::Unknown;
}

Shift shiftForCode(QChar code)
{
    switch (code.unicode()) {
    case '0':
        return Shift::Simplex;
    case '1':
        return Shift::Plus;
    case '2':
        return Shift::Minus;
    default:
        return Shift::Unknown;
    }
}

QChar codeForShift(Shift shift)
{
    switch (shift) {
    case Shift::Minus:
        return QLatin1Char('2');
    case Shift::Plus:
        return QLatin1Char('1');
    default:
        return QLatin1Char('0');
    }
}

QString shiftText(Shift shift)
{
    switch (shift) {
    case Shift::None:
        return {};
    case Shift::Simplex:
        return QStringLiteral("Simplex");
    case Shift::Plus:
        return QStringLiteral("Plus");
    case Shift::Minus:
        return QStringLiteral("Minus");
    default:
        return kUnknownCode;
    }
}

Shift shiftFromText(const QString &text)
{
    for (Shift s : {Shift::None, Shift::Simplex, Shift::Plus, Shift::Minus}) {
        if (text == shiftText(s))
            return s;
    }
    return Shift::Unknown;
}

Encoding encodingForCode(QChar code)
{
    switch (code.unicode()) {
    case '0':
        return Encoding::None;
    case '1':
        return Encoding::EncDec;
    case '2':
        return Encoding::Enc;
    default:
        return Encoding::Unknown;
    }
}

QChar codeForEncoding(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Enc:
        return QLatin1Char('2');
    case Encoding::EncDec:
        return QLatin1Char('1');
    default:
        return QLatin1Char('0');
    }
}

QString encodingText(Encoding encoding)
{
    switch (encoding) {
    case Encoding::None:
        return {};
    case Encoding::Off:
        return QStringLiteral(" ");
    case Encoding::EncDec:
        return QStringLiteral("CTCSS Enc+Dec");
    case Encoding::Enc:
        return QStringLiteral("CTCSS Enc");
    default:
        return kUnknownCode;
    }
}

Encoding encodingFromText(const QString &text)
{
    for (Encoding e : {Encoding::None, Encoding::Off, Encoding::EncDec, Encoding::Enc}) {
        if (text == encodingText(e))
            return e;
    }
    return Encoding::Unknown;
}

const QStringList &ToneList()
{
    static const QStringList tones = {
        "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
        "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
        "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
        "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
        "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
    };
    return tones;
}

int toneIndex(const QString &tone) { return int(ToneList().indexOf(tone)); }

QString toneText(int index) { return index >= 0 && index < kToneCount ? ToneList().at(index) : QString(); }

QString modePickList()
{
    QString s;
    for (const ModeCode &m : modeCodes())
        s += QLatin1String(m.text) + QLatin1Char('|');
    return s;
}

QString shiftPickList() { return QStringLiteral("Plus|Minus|Simplex|"); }
QString encodingPickList() { return QStringLiteral(" |CTCSS Enc|CTCSS Enc+Dec|"); }
QString tonePickList() { return ToneList().join('|') + QLatin1Char('|'); }

}  // namespace mv
