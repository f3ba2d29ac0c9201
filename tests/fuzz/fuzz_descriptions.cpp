// Fuzzes the description file loader: descriptions come out clean (no double
// quote, comma or semicolon, at most 100 characters) and survive a save and a
// second load unchanged.
#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

using namespace mv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const TextFile text = DecodeTextFile(bytes, kMaxMemorySetFileSize);
    if (text.problem != TextFile::Problem::None)
        return 0;
    const DescriptionSet set = ParseDescriptions(text.lines);
    if (set.texts.size() > MemoryTable::kMemoryCount)
        abort();
    if (set.widthValid && (set.widthTwips < 1 || set.widthTwips > 100000))
        abort();
    for (const QString &t : set.texts) {
        if (t.size() > MemoryTable::kDescriptionLimit || t.contains(QLatin1Char('"')) || t.contains(QLatin1Char(','))
            || t.contains(QLatin1Char(';')))
            abort();
    }
    MemoryTable table;
    ApplyDescriptions(table, set);

    const int width = set.widthValid ? set.widthTwips : kDefaultDescriptionWidth;
    const QStringList written = DescriptionFileLines(table, width);
    QByteArray file;
    for (const QString &line : written)
        file += line.toUtf8() + "\r\n";
    const TextFile back = DecodeTextFile(file, kMaxMemorySetFileSize);
    if (back.problem != TextFile::Problem::None)
        abort();
    const DescriptionSet again = ParseDescriptions(back.lines);
    if (!again.widthValid || again.widthTwips != width || again.texts.size() != MemoryTable::kMemoryCount)
        abort();
    for (int i = 1; i <= MemoryTable::kMemoryCount; ++i) {
        if (again.texts.at(i - 1) != table.memory(i).description)
            abort();
    }
    return 0;
}
