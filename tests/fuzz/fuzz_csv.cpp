// Fuzzes the CSV line handling: cleaning, field access with the decimal-mark
// adaptation, header recognition and the per-field conversions of the import.
// The first byte picks the locale's decimal mark and the list separator; the
// rest is the file.
#include "core/NumberText.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvFormat.h"

#include <QByteArray>
#include <QLocale>
#include <cstdint>
#include <cstdlib>

using namespace mv;

namespace {
void check(bool ok)
{
    if (!ok)
        abort();
}

void useLocale(bool decimalComma)
{
    static int current = -1;
    if (current == int(decimalComma))
        return;
    current = int(decimalComma);
    QLocale::setDefault(QLocale(decimalComma ? QLocale::German : QLocale::English,
                                decimalComma ? QLocale::Germany : QLocale::UnitedKingdom));
    DetectSeparators();
}

bool holdsNone(const QString &text, const char *chars)
{
    for (const char *c = chars; *c; ++c) {
        if (text.contains(QLatin1Char(*c)))
            return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    useLocale(data[0] & 1);
    static const QChar separators[] = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    if (((data[0] >> 1) & 3) < 3)
        SetListSeparator(separators[(data[0] >> 1) & 3]);

    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QStringList lines = SplitLines(DecodeText(bytes));
    for (const QString &line : lines)
        check(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));

    const QString header = CleanCsvLine(lines.value(0), true);
    check(holdsNone(header, "\" "));
    const QString source = RecogniseCsvHeader(header);
    check(source == kCsvSourceUnknown || CsvSourceIds().contains(source));
    const QChar sep = ListSeparator();
    check(sep == QLatin1Char(',') || sep == QLatin1Char(';') || sep == QLatin1Char('\t'));

    const std::optional<ChirpColumns> chirp = ChirpColumnsOf(header);
    check(chirp.has_value() == (source == kCsvSourceChirp));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = CleanCsvLine(lines.at(i));
        if (chirp) {
            // Every CHIRP record comes out in the radio's vocabulary.
            const CsvRecordFields r = ChirpRecordFields(*chirp, line);
            check(r.shift == QLatin1String("Simplex") || r.shift == QLatin1String("Plus")
                  || r.shift == QLatin1String("Minus"));
            check(r.encoding.isEmpty() || ImportedEncoding(r.encoding) == r.encoding);
            check(r.mode.isEmpty() || ImportedMode(r.mode) == r.mode);
        }
        check(line.size() == lines.at(i).size());
        check(!line.contains(QLatin1Char('"')));
        for (int n = 0; n <= kCsvFieldCount + 1; ++n) {
            const QString field = CsvField(line, n);
            // Only the frequency takes the locale's decimal mark, which may be
            // the separator; every other field is the line's text as it stands.
            const bool adapted = n == CsvRxFreq && DecimalSeparator() == sep;
            check(adapted || !field.contains(sep));
            check(field.size() <= line.size());
            if (n >= 1 && n != CsvRxFreq)
                check(field.isEmpty() || line.contains(field));
        }
        const QString tone = NormaliseTone(CsvField(line, CsvTone));
        check(tone.size() <= CsvField(line, CsvTone).size() + 2);
        check(!tone.contains(QLatin1Char(',')));
        const std::optional<QString> mode = ImportedMode(CsvField(line, CsvRxMode));
        if (mode && !mode->isEmpty())
            check(mode->size() <= 4 && *mode == mode->toUpper());
        bool known = false;
        const QString encoding = ImportedEncoding(CsvField(line, CsvEncoding), &known);
        check(encoding.isEmpty() || encoding == QLatin1String("CTCSS Enc")
              || encoding == QLatin1String("CTCSS Enc+Dec"));
        const QString description = CleanImportedDescription(CsvField(line, CsvDescription));
        check(description.size() <= 100);
        check(holdsNone(description, "\",;\t\r\n"));
        check(description.isEmpty() || !description.back().isHighSurrogate());
        check(description == description.trimmed());
    }
    return 0;
}
