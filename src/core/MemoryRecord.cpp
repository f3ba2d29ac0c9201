#include "core/MemoryRecord.h"

#include "core/Frequency.h"
#include "core/MemoryTable.h"
#include "core/MemoryText.h"
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
    // A field that does not decode stops the decoding; the fields before it
    // still reach the row.
    Memory m = table.byCatNumber(n);
    auto stop = [&](int code, const char *description, int step) {
        table.setByCatNumber(n, m);
        logDecodeError(log, code, QString::fromLatin1(description), step);
        return false;
    };
    // Frequency: 8 digits of Hz at position 6. A memory shows it to 10 Hz
    // (rounded), a PMS memory to the hertz.
    const QString hz = record.mid(5, 8);
    if (hz.size() < 8 || !IsAsciiDigits(hz))
        return stop(13, "Type mismatch", 2);
    const qint32 hertz = hz.toInt();
    m.used = true;
    m.frequency = pms ? hertz / 10 : (hertz + 5) / 10;
    m.hertz = pms ? qint8(hertz % 10) : qint8(-1);
    if (record.size() < 21)
        return stop(5, "Invalid procedure call or argument", 3);
    m.mode = modeForCode(record.at(20));
    if (record.size() < 26)
        return stop(5, "Invalid procedure call or argument", 4);
    m.shift = shiftForCode(record.at(25));
    m.encoding = encodingForCode(record.at(22));
    const QString toneDigits = record.mid(23, 2);
    const int tone = IsAsciiDigits(toneDigits) ? toneDigits.toInt() : 0;
    if (tone >= kToneCount)
        return stop(9, "Subscript out of range", 6);
    m.tone = qint8(tone);
    table.setByCatNumber(n, m);
    return true;
}

QString RecordProblem(const MemoryTable &table, int n)
{
    if (n < 1 || n > kLastCat)
        return QStringLiteral("no such memory");
    const Memory &m = table.byCatNumber(n);
    if (!m.used)
        return QStringLiteral("the memory is empty");
    if (codeForMode(m.mode).isNull())
        return QStringLiteral("the mode '%1' is not one the radio knows").arg(modeText(m.mode));
    return {};
}

QString RadioWriteProblem(const MemoryTable &table, int n)
{
    const QString problem = RecordProblem(table, n);
    if (!problem.isEmpty())
        return problem;
    const Memory &m = table.byCatNumber(n);
    const qint64 hertz = m.frequencyHz();
    if (hertz < qint64(kMinFrequency) * 10 || hertz > qint64(kMaxFrequency) * 10)
        return QStringLiteral("the frequency %1 MHz is outside the radio's range").arg(FrequencyText(m));
    return {};
}

QString BuildMemoryWrite(const MemoryTable &table, int n)
{
    const Memory &m = table.byCatNumber(n);
    qint64 hertz = m.frequencyHz();
    if (hertz < 0 || hertz > 99999999)
        hertz = 0;
    const QChar mode = codeForMode(m.mode);
    return QStringLiteral("MW") + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'))
           + QStringLiteral("%1").arg(hertz, 8, 10, QLatin1Char('0')) + QStringLiteral("+000000")
           + (mode.isNull() ? QLatin1Char('4') : mode) + QLatin1Char('0') + codeForEncoding(m.encoding)
           + QStringLiteral("%1").arg(std::max(0, int(m.tone)), 2, 10, QLatin1Char('0')) + codeForShift(m.shift)
           + QLatin1Char(';');
}

}  // namespace mv
