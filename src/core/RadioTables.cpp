#include "core/RadioTables.h"

namespace mv {

const std::array<ModeCode, kModeCount> &modeCodes()
{
    static const std::array<ModeCode, kModeCount> codes{{
        {QLatin1Char('1'), "LSB"},
        {QLatin1Char('2'), "USB"},
        {QLatin1Char('3'), "CW"},
        {QLatin1Char('4'), "FM"},
        {QLatin1Char('5'), "AM"},
        {QLatin1Char('6'), "RTYL"},
        {QLatin1Char('7'), "CWR"},
        {QLatin1Char('8'), "USRL"},
        {QLatin1Char('9'), "RTYU"},
        {QLatin1Char('B'), "FMN"},
        {QLatin1Char('C'), "USRU"},
    }};
    return codes;
}

QString modeForCode(QChar code)
{
    for (const ModeCode &m : modeCodes()) {
        if (m.code == code)
            return QString::fromLatin1(m.text);
    }
    return kUnknownMode;
}

QChar codeForMode(const QString &mode)
{
    for (const ModeCode &m : modeCodes()) {
        if (mode == QLatin1String(m.text))
            return m.code;
    }
    return QChar();
}

QString shiftForCode(QChar code)
{
    switch (code.unicode()) {
    case '0':
        return QStringLiteral("Simplex");
    case '1':
        return QStringLiteral("Plus");
    case '2':
        return QStringLiteral("Minus");
    default:
        return kUnknownCode;
    }
}

QChar codeForShift(const QString &shift)
{
    if (shift == QLatin1String("Minus"))
        return QLatin1Char('2');
    if (shift == QLatin1String("Plus"))
        return QLatin1Char('1');
    return QLatin1Char('0');
}

QString encodingForCode(QChar code)
{
    switch (code.unicode()) {
    case '0':
        return QString();
    case '1':
        return QStringLiteral("CTCSS Enc+Dec");
    case '2':
        return QStringLiteral("CTCSS Enc");
    default:
        return kUnknownCode;
    }
}

QChar codeForEncoding(const QString &encoding)
{
    if (encoding == QLatin1String("CTCSS Enc"))
        return QLatin1Char('2');
    if (encoding == QLatin1String("CTCSS Enc+Dec"))
        return QLatin1Char('1');
    return QLatin1Char('0');
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
