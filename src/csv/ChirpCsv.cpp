#include "csv/ChirpCsv.h"

#include "core/Frequency.h"
#include "core/MemoryTable.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
#include "rules/RepeaterRules.h"

namespace mv {

const QStringList &ChirpHeaderNames()
{
    static const QStringList names = {
        QStringLiteral("Location"),     QStringLiteral("Name"),      QStringLiteral("Frequency"),
        QStringLiteral("Duplex"),       QStringLiteral("Offset"),    QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"), QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("Mode"),      QStringLiteral("TStep"),
        QStringLiteral("Skip"),         QStringLiteral("Comment"),   QStringLiteral("URCALL"),
        QStringLiteral("RPT1CALL"),     QStringLiteral("RPT2CALL"),  QStringLiteral("DVCODE"),
    };
    return names;
}

std::optional<ChirpColumns> ChirpColumnsOf(const QString &cleanedHeader)
{
    const QStringList names = cleanedHeader.toUpper().split(ListSeparator());
    auto column = [&names](const char *name) { return int(names.indexOf(QLatin1String(name))) + 1; };
    ChirpColumns c;
    c.location = column("LOCATION");
    c.frequency = column("FREQUENCY");
    if (c.location == 0 || c.frequency == 0)
        return std::nullopt;
    c.name = column("NAME");
    c.duplex = column("DUPLEX");
    c.offset = column("OFFSET");
    c.tone = column("TONE");
    c.rToneFreq = column("RTONEFREQ");
    c.cToneFreq = column("CTONEFREQ");
    c.mode = column("MODE");
    c.comment = column("COMMENT");
    return c;
}

namespace {

// A field of a CHIRP record, blanks around removed ("" for a missing column).
QString field(const QString &line, int n) { return n > 0 ? CsvField(line, n).trimmed() : QString(); }

struct ModeName {
    const char *radio;
    const char *chirp;
};
// Both directions; the first row of a radio mode is the name the export writes,
// the first row of a CHIRP name the mode the import gives.
constexpr ModeName kModeNames[] = {
    {"LSB", "LSB"}, {"USB", "USB"},   {"CW", "CW"},      {"CWR", "CWR"},  {"AM", "AM"},    {"FM", "FM"},
    {"FMN", "NFM"}, {"RTYL", "RTTY"}, {"RTYU", "RTTYR"}, {"USRU", "DIG"}, {"USRL", "DIG"},
};

}  // namespace

QString ChirpModeName(const QString &radioMode)
{
    for (const ModeName &m : kModeNames) {
        if (radioMode == QLatin1String(m.radio))
            return QLatin1String(m.chirp);
    }
    return QStringLiteral("Auto");
}

CsvRecordFields ChirpRecordFields(const ChirpColumns &c, const QString &line)
{
    CsvRecordFields r;
    r.memory = field(line, c.location);
    r.frequency = AdaptFrequencyMark(field(line, c.frequency));

    const QString duplex = field(line, c.duplex);
    r.shift = QStringLiteral("Simplex");
    if (duplex == QLatin1String("+")) {
        r.shift = QStringLiteral("Plus");
    } else if (duplex == QLatin1String("-")) {
        r.shift = QStringLiteral("Minus");
    } else if (duplex.compare(QLatin1String("split"), Qt::CaseInsensitive) == 0) {
        r.notes << QStringLiteral("Duplex 'split' cannot be stored in this radio - set to Simplex; the transmit "
                                  "frequency ")
                       + field(line, c.offset) + QStringLiteral(" is not kept");
    } else if (duplex.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0) {
        r.notes << QStringLiteral("Duplex 'off' (transmit inhibited) cannot be stored in this radio - set to Simplex");
    } else if (!duplex.isEmpty()) {
        r.notes << QStringLiteral("Duplex '") + duplex
                       + QStringLiteral("' cannot be stored in this radio - set to Simplex");
    }

    const QString tone = field(line, c.tone);
    r.tone = field(line, c.rToneFreq);
    if (tone.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0) {
        r.encoding = QStringLiteral("CTCSS Enc");
    } else if (tone.compare(QLatin1String("TSQL"), Qt::CaseInsensitive) == 0) {
        r.encoding = QStringLiteral("CTCSS Enc+Dec");
        r.tone = field(line, c.cToneFreq);
    } else if (!tone.isEmpty()) {
        r.notes << QStringLiteral("Tone mode '") + tone
                       + QStringLiteral("' cannot be stored in this radio - set to no encoding");
    }

    const QString mode = field(line, c.mode);
    const QString upper = mode.toUpper();
    for (const ModeName &m : kModeNames) {
        if (upper == QLatin1String(m.chirp)) {
            r.mode = QLatin1String(m.radio);
            break;
        }
    }
    if (r.mode.isEmpty() && !mode.isEmpty())
        r.notes << QStringLiteral("Mode '") + mode
                       + QStringLiteral("' is not a mode of this radio - set to the frequency's default mode");

    const QString name = field(line, c.name);
    const QString comment = field(line, c.comment);
    r.description = name.isEmpty() || comment.isEmpty() ? name + comment : name + QStringLiteral(" - ") + comment;
    return r;
}

namespace {

// MHz with six decimals and a point, as CHIRP writes frequencies and offsets.
QString chirpMhz(qint32 units)
{
    return QString::number(units / 100000) + QLatin1Char('.')
           + QStringLiteral("%1").arg((units % 100000) * 10, 6, 10, QLatin1Char('0'));
}

// A field as CSV quotes it when it holds the separator, a quote or a line end.
QString quoted(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString t = text;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

}  // namespace

QStringList ChirpExportRecords(const MemoryTable &table, const RepeaterRuleSet *rules, const QSet<int> *selected)
{
    QStringList out;
    out.reserve(MemoryTable::kMemoryCount + 1);
    out << ChirpHeaderNames().join(QLatin1Char(','));
    for (int n = 1; n <= MemoryTable::kMemoryCount; ++n) {
        if (table.isEmpty(n) || (selected && !selected->contains(n)))
            continue;
        const Memory &m = table.memory(n);
        const qint32 f = m.frequency;
        QString duplex;
        qint32 offset = 0;
        if (m.shift == Shift::Plus || m.shift == Shift::Minus) {
            duplex = m.shift == Shift::Plus ? QStringLiteral("+") : QStringLiteral("-");
            const std::optional<RepeaterRuleMatch> rule = rules ? FindRepeaterRule(*rules, f) : std::nullopt;
            if (rule)
                offset = qAbs(ParseFrequency(rule->Amount, Boxes::Quiet, nullptr).value_or(0));
        }
        const QString toneMode = m.encoding == Encoding::Enc      ? QStringLiteral("Tone")
                                 : m.encoding == Encoding::EncDec ? QStringLiteral("TSQL")
                                                                  : QString();
        // CHIRP fills both tone columns whatever the tone mode; 88.5 is its own
        // default when a memory has no tone.
        QString tone = toneText(m.tone);
        if (tone.isEmpty())
            tone = QStringLiteral("88.5");
        const QStringList fields = {
            QString::number(n),
            quoted(m.description),
            chirpMhz(f),
            duplex,
            chirpMhz(offset),
            toneMode,
            tone,
            tone,
            QStringLiteral("023"),
            QStringLiteral("NN"),
            ChirpModeName(modeText(m.mode).trimmed()),
            QStringLiteral("5.00"),
            QString(),  // Skip
            QString(),  // Comment
            QString(),  // URCALL
            QString(),  // RPT1CALL
            QString(),  // RPT2CALL
            QString(),  // DVCODE
        };
        out << fields.join(QLatin1Char(','));
    }
    return out;
}

}  // namespace mv
