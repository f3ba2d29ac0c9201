#include "core/MemoryRecord.h"

#include "core/Frequency.h"
#include "core/MemoryTable.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
#include "shell/MessageLog.h"

namespace mv {

namespace {

void logDecodeError(MessageLog *log, int code, const QString &description, int step)
{
    if (log)
        log->LogMessage(QStringLiteral("Error ") + SignedText(code) + QStringLiteral(" (") + description
                            + QStringLiteral(") in line ") + SignedText(step)
                            + QStringLiteral(" of procedure FillMemory of Module General"),
                        LogLevel::Trace);
}

}  // namespace

bool IsMemoryReply(const QString &reply, int n)
{
    if (reply == QLatin1String("?;"))
        return true;
    if (reply.size() != kRecordLength || !reply.startsWith(QLatin1String("MR")) || !reply.endsWith(QLatin1Char(';'))
        || reply.mid(2, 3) != QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')))
        return false;
    // What FillMemory needs to decode every field.
    const QString tone = reply.mid(23, 2);
    return IsAsciiDigits(reply.mid(5, 8)) && (!IsAsciiDigits(tone) || tone.toInt() < kToneCount);
}

QString KeepRadioOnlyFields(const QString &command, const QString &radioRecord)
{
    if (command.size() != kRecordLength || radioRecord.size() != kRecordLength)
        return command;
    QString out = command;
    out.replace(13, 7, radioRecord.mid(13, 7));
    out[21] = radioRecord.at(21);
    return out;
}

bool FillMemory(MemoryTable &table, int n, const QString &record, MessageLog *log)
{
    const bool pms = n >= kPmsFirstCat;
    if (!pms && log)
        log->LogMessage(record, LogLevel::Trace);
    if (n < 1 || n > kLastCat) {
        logDecodeError(log, 9, QStringLiteral("Subscript out of range"), 1);
        return false;
    }
    MemoryTable::Batch batch(table);
    // Frequency: 8 digits of Hz at position 6.
    const QString hz = record.mid(5, 8);
    if (hz.size() < 8 || !IsAsciiDigits(hz)) {
        logDecodeError(log, 13, QStringLiteral("Type mismatch"), 2);
        return false;
    }
    const qint64 hertz = hz.toLongLong();
    table.setCatCell(n, MemoryTable::ColFrequency,
                     pms ? FormatScaled(hertz, 6, QStringLiteral("#0.000000"))
                         : FormatScaled(hertz, 6, QStringLiteral("##0.00000")));
    if (record.size() < 21) {
        logDecodeError(log, 5, QStringLiteral("Invalid procedure call or argument"), 3);
        return false;
    }
    table.setCatCell(n, MemoryTable::ColMode, modeForCode(record.at(20)));
    if (record.size() < 26) {
        logDecodeError(log, 5, QStringLiteral("Invalid procedure call or argument"), 4);
        return false;
    }
    table.setCatCell(n, MemoryTable::ColShift, shiftForCode(record.at(25)));
    table.setCatCell(n, MemoryTable::ColEncoding, encodingForCode(record.at(22)));
    const QString toneDigits = record.mid(23, 2);
    const int tone = IsAsciiDigits(toneDigits) ? toneDigits.toInt() : 0;
    if (tone >= kToneCount) {
        logDecodeError(log, 9, QStringLiteral("Subscript out of range"), 6);
        return false;
    }
    table.setCatCell(n, MemoryTable::ColTone, ToneList().at(tone));
    return true;
}

QString RecordProblem(const MemoryTable &table, int n)
{
    if (n < 1 || n > kLastCat)
        return QStringLiteral("no such memory");
    const MemoryTable::Row &row = table.byCatNumber(n);
    if (row[MemoryTable::ColFrequency] == kEmptyMarker)
        return QStringLiteral("the memory is empty");
    // Frequencies are kept to 1 Hz (PMS rows carry six decimals): MHz x 10 in
    // 10 Hz units is whole Hz.
    const QString freq = row[MemoryTable::ColFrequency].trimmed();
    if (!IsNumericText(freq))
        return QStringLiteral("the frequency '%1' is not a number").arg(freq);
    if (codeForMode(row[MemoryTable::ColMode]).isNull())
        return QStringLiteral("the mode '%1' is not one the radio knows").arg(row[MemoryTable::ColMode]);
    const QString tone = row[MemoryTable::ColTone];
    if (!tone.isEmpty() && toneIndex(tone) < 0)
        return QStringLiteral("the tone '%1' is not a CTCSS tone of the radio").arg(tone);
    return {};
}

namespace {
qint64 cellToHertz(const QString &cell);
}  // namespace

QString RadioWriteProblem(const MemoryTable &table, int n)
{
    const QString problem = RecordProblem(table, n);
    if (!problem.isEmpty())
        return problem;
    const QString freq = table.byCatNumber(n)[MemoryTable::ColFrequency].trimmed();
    const qint64 hertz = cellToHertz(freq);
    if (hertz < qint64(kMinFrequency) * 10 || hertz > qint64(kMaxFrequency) * 10)
        return QStringLiteral("the frequency %1 MHz is outside the radio's range").arg(freq);
    return {};
}

namespace {
// Frequency cell text (MHz, up to 6 decimals) to whole Hz; -1 when unreadable.
qint64 cellToHertz(const QString &cell)
{
    const QString t = cell.trimmed();
    const int sep = int(t.indexOf(DecimalSeparator()));
    const QString whole = sep < 0 ? t : t.left(sep);
    QString frac = sep < 0 ? QString() : t.mid(sep + 1);
    if (frac.size() > 6)
        frac = frac.left(6);
    while (frac.size() < 6)
        frac += QLatin1Char('0');
    bool ok1 = true, ok2 = true;
    const qint64 w = whole.isEmpty() ? 0 : whole.toLongLong(&ok1);
    const qint64 f = frac.toLongLong(&ok2);
    if (!ok1 || !ok2 || w < 0)
        return -1;
    return w * 1000000 + f;
}
}  // namespace

QString BuildMemoryWrite(const MemoryTable &table, int n)
{
    const MemoryTable::Row &row = table.byCatNumber(n);
    qint64 hertz = cellToHertz(row[MemoryTable::ColFrequency]);
    if (hertz < 0 || hertz > 99999999)
        hertz = 0;
    const QChar mode = codeForMode(row[MemoryTable::ColMode]);
    const QString tone = row[MemoryTable::ColTone];
    const int toneNumber = tone.isEmpty() ? 0 : std::max(0, toneIndex(tone));
    return QStringLiteral("MW") + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'))
           + QStringLiteral("%1").arg(hertz, 8, 10, QLatin1Char('0')) + QStringLiteral("+000000")
           + (mode.isNull() ? QLatin1Char('4') : mode) + QLatin1Char('0')
           + codeForEncoding(row[MemoryTable::ColEncoding])
           + QStringLiteral("%1").arg(toneNumber, 2, 10, QLatin1Char('0')) + codeForShift(row[MemoryTable::ColShift])
           + QLatin1Char(';');
}

}  // namespace mv
