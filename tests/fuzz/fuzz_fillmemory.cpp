// Fuzzes the CAT record decoder: any text for any memory number must decode
// without a fault, and a record it fully understood, whose row can be saved,
// must come back unchanged through BuildMemoryWrite.
#include "core/MemoryRecord.h"
#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"
#include "core/RadioTables.h"
#include "shell/MessageLog.h"

#include <cstdint>
#include <cstdlib>

using namespace mv;

namespace {
bool knownCells(const Memory &m)
{
    return (m.shift == Shift::Simplex || m.shift == Shift::Plus || m.shift == Shift::Minus)
           && (m.encoding == Encoding::None || m.encoding == Encoding::Enc || m.encoding == Encoding::EncDec);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes pick the number, a few beyond both ends included.
    const int n = int(((unsigned(data[0]) << 8) | data[1]) % 512) - 3;  // -3 .. 508
    const QString record = QString::fromLatin1(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    MemoryTable table;
    MessageLog log;
    log.setLoggingEnabled(true);
    const bool decoded = FillMemory(table, n, record, &log);
    if (n < 1 || n > kLastCat) {
        if (decoded)
            abort();
        return 0;
    }
    // 99999999 Hz shows as 100.00000 MHz: such a row is refused by the save, not
    // written with a wrong frequency.
    if (!decoded || !RowSaveProblem(table, n).isEmpty() || !knownCells(table.byCatNumber(n)))
        return 0;
    const QString written = BuildMemoryWrite(table, n);
    if (written.size() != kRecordLength)
        abort();
    MemoryTable again;
    if (!FillMemory(again, n, written, nullptr))
        abort();
    if (again.byCatNumber(n) != table.byCatNumber(n))
        abort();
    if (BuildMemoryWrite(again, n) != written)
        abort();
    return 0;
}
