#include "core/MemoryText.h"

#include "core/Frequency.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"

namespace mv {

QString FrequencyText(const Memory &memory)
{
    if (!memory.used)
        return kEmptyMarker;
    if (memory.hertz >= 0)
        return FormatScaled(memory.frequencyHz(), 6, QStringLiteral("#0.000000"));
    return FormatFrequency(memory.frequency);
}

QString MemoryCellText(const Memory &memory, int column)
{
    if (column == MemoryTable::ColFrequency)
        return FrequencyText(memory);
    if (column == MemoryTable::ColDescription)
        return memory.description;  // a description file may name an empty memory
    if (!memory.used)
        return {};
    switch (column) {
    case MemoryTable::ColMode:
        return modeText(memory.mode);
    case MemoryTable::ColShift:
        return shiftText(memory.shift);
    case MemoryTable::ColEncoding:
        return encodingText(memory.encoding);
    case MemoryTable::ColTone:
        return toneText(memory.tone);
    default:
        return {};
    }
}

bool SetMemoryCellText(Memory &memory, int column, const QString &text)
{
    switch (column) {
    case MemoryTable::ColFrequency: {
        if (text == kEmptyMarker) {
            memory = Memory{.description = memory.description};
            return true;
        }
        const QString t = text.trimmed();
        if (!IsNumericText(t) || t.startsWith(QLatin1Char('-')))
            return false;
        const int sep = int(t.indexOf(DecimalSeparator()));
        const QString whole = sep < 0 ? t : t.left(sep);
        const QString frac = sep < 0 ? QString() : t.mid(sep + 1);
        if (whole.size() > 3 || frac.size() > 6)
            return false;
        const qint64 hertz = whole.toLongLong() * 1000000 + frac.leftJustified(6, QLatin1Char('0')).toLongLong();
        memory.used = true;
        memory.frequency = qint32(hertz / 10);
        memory.hertz = frac.size() == 6 ? qint8(hertz % 10) : qint8(-1);
        return true;
    }
    case MemoryTable::ColMode:
        memory.mode = modeFromText(text);
        return true;
    case MemoryTable::ColShift:
        memory.shift = shiftFromText(text);
        return true;
    case MemoryTable::ColEncoding:
        memory.encoding = encodingFromText(text);
        return true;
    case MemoryTable::ColTone: {
        const int tone = toneIndex(text);
        if (tone < 0 && !text.isEmpty())
            return false;
        memory.tone = qint8(tone);
        return true;
    }
    case MemoryTable::ColDescription:
        memory.description = text;
        return true;
    default:
        return false;
    }
}

}  // namespace mv
