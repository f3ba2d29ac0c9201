// Fuzzes the memory file loader: any bytes either are refused as a whole or
// load; what a load produces saves as well-formed records, and saving what was
// saved gives the same lines again.
#include "core/MemoryRecord.h"
#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"
#include "shell/MessageLog.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

using namespace mv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const TextFile text = DecodeTextFile(bytes, kMaxMemorySetFileSize);
    if (text.problem != TextFile::Problem::None) {
        if (text.problem != TextFile::Problem::Binary && text.problem != TextFile::Problem::TooLarge)
            abort();
        return 0;
    }
    MemoryTable table;
    MessageLog log;
    log.setLoggingEnabled(true);
    FillFromMemoryLines(table, text.lines, QStringLiteral("fuzz.450"), &log);

    const QStringList saved = MemoryFileLines(table);
    for (const QString &line : saved) {
        if (line.size() != kRecordLength || !line.startsWith(QLatin1String("MW")))
            abort();
    }
    MemoryTable again;
    if (FillFromMemoryLines(again, saved, QStringLiteral("again.450"), nullptr) != 0)
        abort();
    if (MemoryFileLines(again) != saved)
        abort();
    return 0;
}
