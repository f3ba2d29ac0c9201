#include "csv/CsvFormat.h"

#include "core/MemoryTable.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
#include "csv/ChirpCsv.h"

namespace mv {

const QStringList &CsvHeaderNames()
{
    static const QStringList names = {
        QStringLiteral("Memory"),      QStringLiteral("RX Freq"),       QStringLiteral("RX Mode"),
        QStringLiteral("Shift"),       QStringLiteral("TX Shift/Freq"), QStringLiteral("TX Mode"),
        QStringLiteral("CTCSS/DCS"),   QStringLiteral("Tone/Code"),     QStringLiteral("Show"),
        QStringLiteral("Name"),        QStringLiteral("Scan"),          QStringLiteral("Group"),
        QStringLiteral("Description"),
    };
    return names;
}

const QStringList &CsvSourceIds()
{
    static const QStringList ids = {
        QStringLiteral("Orbis"),  QStringLiteral("Lumen"),  QStringLiteral("Quarry"),  QStringLiteral("Tessel"),
        QStringLiteral("Marrow"), QStringLiteral("Cinder"), QStringLiteral("Halyard"), QStringLiteral("Brindle"),
        QStringLiteral("Osprey"), QStringLiteral("Gantry"), kCsvSourceChirp,
    };
    return ids;
}

QString CleanCsvLine(const QString &line, bool headerLine)
{
    const QChar sep = ListSeparator();
    QString out = line;
    bool inside = false;
    for (QChar &c : out) {
        if (c == QLatin1Char('"')) {
            inside = !inside;
            c = QLatin1Char(' ');
        } else if (inside && c == sep) {
            c = QLatin1Char(' ');
        }
    }
    if (headerLine)
        out.remove(QLatin1Char(' '));
    return out;
}

QString CsvField(const QString &cleanedLine, int n)
{
    if (n < 1)
        return {};
    const QChar sep = ListSeparator();
    qsizetype start = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype next = cleanedLine.indexOf(sep, start);
        if (next < 0)
            return {};
        start = next + 1;
    }
    qsizetype end = cleanedLine.indexOf(sep, start);
    if (end < 0)
        end = cleanedLine.size();
    const QString field = cleanedLine.mid(start, end - start);
    return n == CsvRxFreq ? AdaptFrequencyMark(field) : field;
}

QString AdaptFrequencyMark(const QString &field)
{
    const QChar dec = DecimalSeparator();
    QString f = field;
    f.replace(QLatin1Char(','), dec);
    f.replace(QLatin1Char('.'), dec);
    return f;
}

CsvRecordFields OwnLayoutFields(const QString &line)
{
    CsvRecordFields r;
    r.memory = CsvField(line, CsvMemory);
    r.frequency = CsvField(line, CsvRxFreq);
    r.mode = CsvField(line, CsvRxMode);
    r.shift = CsvField(line, CsvShift);
    r.encoding = CsvField(line, CsvEncoding);
    r.tone = CsvField(line, CsvTone);
    r.description = CsvField(line, CsvDescription);
    return r;
}

namespace {
// H9 against the parts joined by ",", by ";" and by TAB.
bool isJoinedBySeparator(const QString &h9, std::initializer_list<const char *> parts)
{
    for (QChar sep : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')}) {
        QString pattern;
        for (const char *part : parts) {
            if (!pattern.isEmpty())
                pattern += sep;
            pattern += QLatin1String(part);
        }
        if (h9 == pattern)
            return true;
    }
    return false;
}
}  // namespace

QString RecogniseCsvHeader(const QString &cleanedHeader)
{
    const QChar remembered = ListSeparator();
    QChar pick = remembered;
    if (cleanedHeader.contains(QLatin1Char(',')))
        pick = QLatin1Char(',');
    if (cleanedHeader.contains(QLatin1Char(';')))
        pick = QLatin1Char(';');
    if (cleanedHeader.contains(QLatin1Char('\t')))
        pick = QLatin1Char('\t');
    SetListSeparator(cleanedHeader.contains(pick) ? pick : remembered);

    if (ChirpColumnsOf(cleanedHeader))
        return kCsvSourceChirp;
    const QString upper = cleanedHeader.toUpper();
    const QString h9 = upper.left(9);
    if (isJoinedBySeparator(h9, {"#", "FREQ", "MO"}))
        return QStringLiteral("Lumen");
    if (h9 == QLatin1String("FREQUENCY"))
        return QStringLiteral("Quarry");
    if (isJoinedBySeparator(h9, {"MEMORY", "RX"}))
        return kCsvSourceOrbis;
    if (isJoinedBySeparator(h9, {"#", "TAG", "FRE"})) {
        const QString word = upper.mid(11, 4);
        if (word == QLatin1String("MODE"))
            return QStringLiteral("Halyard");
        if (word == QLatin1String("NAME"))
            return QStringLiteral("Tessel");
        return kCsvSourceUnknown;
    }
    // "Channel Number" reaches here without its blank once the header is cleaned;
    // both spellings name the same layout.
    if (h9 == QLatin1String("CHANNEL N") || upper.startsWith(QLatin1String("CHANNELN")))
        return QStringLiteral("Gantry");
    if (h9 == QLatin1String("SEQUENCEN"))
        return QStringLiteral("Brindle");
    if (h9 == QLatin1String("BANK,CHAN"))
        return QStringLiteral("Osprey");
    if (isJoinedBySeparator(h9, {"#", "TAG", "RXF"})) {
        const QString word = upper.mid(13, 4);
        if (word == QLatin1String("MODE"))
            return QStringLiteral("Marrow");
        if (word == QLatin1String("NAME"))
            return QStringLiteral("Cinder");
        return kCsvSourceUnknown;
    }
    if (upper.left(6) == QLatin1String("SEQUEN"))
        return QStringLiteral("Brindle");
    return kCsvSourceUnknown;
}

QString NormaliseTone(const QString &tone)
{
    QString t = tone.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.size() > 1 && t.at(t.size() - 2) != QLatin1Char('.'))
        t += QStringLiteral(".0");
    return t;
}

namespace {
bool inList(const QString &text, std::initializer_list<const char *> list)
{
    for (const char *item : list) {
        if (text == QLatin1String(item))
            return true;
    }
    return false;
}
}  // namespace

bool IsPrecheckMode(const QString &m)
{
    return m.isEmpty() || inList(m, {"AM",  "AMN",  "WAM",  "AMS", "CW",  "CWR", "CWN",  "CWRN", "LSB",  "USB", "DIG",
                                     "PKT", "RTYL", "RTYU", "FM",  "FMN", "WFM", "PKTF", "PKTL", "USRU", "USRL"});
}

bool IsPrecheckShift(const QString &s) { return s.isEmpty() || inList(s, {"SIMPLEX", "PLUS", "MINUS", "SPLIT"}); }

bool IsPrecheckEncoding(const QString &e) { return e.isEmpty() || inList(e, {"CTCSS ENC", "CTCSS ENC+DEC", "DCS"}); }

std::optional<QString> ImportedMode(const QString &field)
{
    const QString m = field.trimmed().toUpper();
    if (m.isEmpty())
        return QString();
    // The radio's own modes come back as they were exported.
    for (const ModeCode &mode : modeCodes()) {
        if (m == QLatin1String(mode.text))
            return m;
    }
    if (inList(m, {"NFM", "WFM", "PKTF", "PKT"}))
        return QStringLiteral("FM");
    if (inList(m, {"WAM", "AMN", "AMS"}))
        return QStringLiteral("AM");
    if (inList(m, {"CWN", "CWRN"}))
        return QStringLiteral("CW");
    if (inList(m, {"DIG", "PKTL"}))
        return QStringLiteral("LSB");
    return std::nullopt;
}

QString ImportedEncoding(const QString &field, bool *recognised)
{
    const QString e = field.trimmed().toUpper();
    bool ok = true;
    QString cell;
    if (e == QLatin1String("CTCSS ENC"))
        cell = QStringLiteral("CTCSS Enc");
    else if (e == QLatin1String("CTCSS ENC+DEC"))
        cell = QStringLiteral("CTCSS Enc+Dec");
    else if (!e.isEmpty())
        ok = false;
    if (recognised)
        *recognised = ok;
    return cell;
}

QString CleanImportedDescription(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c == QLatin1Char('"') || c == QLatin1Char(';') || c == QLatin1Char(',') || c.unicode() < 0x20
            || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    }
    out = out.trimmed();
    qsizetype limit = MemoryTable::kDescriptionLimit;
    if (out.size() > limit) {
        if (out.at(limit - 1).isHighSurrogate())
            --limit;
        out.truncate(limit);
        out = out.trimmed();
    }
    return out;
}

TextFile ReadCsvFile(const QString &path) { return ReadTextFile(path, kMaxCsvFileSize, StandardInput::Allowed); }

}  // namespace mv
