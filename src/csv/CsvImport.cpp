#include "csv/CsvImport.h"

#include "core/AppState.h"
#include "core/Frequency.h"
#include "core/MemoryTable.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvFormat.h"
#include "rules/RepeaterRules.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"

#include <QFileInfo>
#include <QHash>
#include <array>
#include <cmath>
#include <optional>

namespace mv {

QString CsvRuleLine() { return QStringLiteral("\r\n") + QString(55, QLatin1Char('_')); }

namespace {

constexpr int kMemories = MemoryTable::kMemoryCount;

// Value of a number text in the user's locale; false when it is not one.
bool numericValue(const QString &text, double *value)
{
    if (!IsNumericText(text))
        return false;
    QString t = text.trimmed();
    t.replace(DecimalSeparator(), QLatin1Char('.'));
    bool ok = false;
    *value = t.toDouble(&ok);
    return ok;
}

// Whole memory number of a field 1 value (fraction dropped); 0 when the text is
// not a number, clamped far outside 1..500 so that AddMemory can name it.
int memoryNumberOf(const QString &text)
{
    double v = 0;
    if (!numericValue(text, &v))
        return 0;
    v = std::trunc(v);
    if (v > 1e9)
        return 1000000000;
    if (v < -1e9)
        return -1000000000;
    return int(v);
}

QString readErrorText(int record, int number, const QString &description)
{
    return QStringLiteral("Problem encountered reading the import file at record ") + SignedText(record)
           + QStringLiteral("\r\nError number") + SignedText(number) + QStringLiteral(", ") + description
           + QStringLiteral("\r\nImport aborted");
}

// Frequencies held by memories 1..500, kept up to date while records are added,
// for the duplicate test ("a memory whose Freq is not Empty has this frequency").
class FrequencyIndex {
public:
    explicit FrequencyIndex(const MemoryTable &table)
    {
        for (int n = 1; n <= kMemories; ++n)
            refresh(table, n);
    }
    bool contains(qint32 f) const { return m_counts.value(f) > 0; }
    void refresh(const MemoryTable &table, int n)
    {
        qint32 &slot = m_of[size_t(n - 1)];
        if (slot != kNotAFrequency && --m_counts[slot] == 0)
            m_counts.remove(slot);
        slot = table.isEmpty(n) ? kNotAFrequency : table.memory(n).frequency;
        if (slot != kNotAFrequency)
            ++m_counts[slot];
    }

private:
    std::array<qint32, kMemories> m_of{};
    QHash<qint32, int> m_counts;
};

// Keeps the busy pointer on for the life of the object.
class BusyPointer {
public:
    explicit BusyPointer(Dialogs &d)
        : m_d(d)
    {
        m_d.setBusy(true);
    }
    ~BusyPointer() { off(); }
    void off()
    {
        if (m_on)
            m_d.setBusy(false);
        m_on = false;
    }

private:
    Dialogs &m_d;
    bool m_on = true;
};

class Importer {
public:
    Importer(AppContext &ctx, const CsvImportOptions &options)
        : m_ctx(ctx)
        , m_opt(options)
    {
    }
    CsvImportResult run();

private:
    void log(const QString &line) { m_ctx.log.LogMessage(line); }
    void warn(const QString &text) { m_ctx.dialogs.messageBox(text, Buttons::Ok, Icon::Exclamation); }
    bool chooseFile();
    // Reads the file into m_text; on a problem shows its message and returns false.
    bool readFile(CsvImportOutcome *failure);
    void precheck();
    void checkRecord(const CsvRecordFields &record, const QString &n);
    // The record of a cleaned line in the file's layout.
    CsvRecordFields fieldsOf(const QString &line) const
    {
        return m_chirp ? ChirpRecordFields(*m_chirp, line) : OwnLayoutFields(line);
    }
    void loadPass();
    QString countsText() const;

    AppContext &m_ctx;
    const CsvImportOptions &m_opt;
    CsvImportResult m_result;
    // The file as read once: the pre-check and the load work on this same text,
    // so a pipe can be imported and a file changed in between is never loaded
    // unchecked.
    TextFile m_text;
    int m_start = 1;
    bool m_error = false;
    std::optional<FrequencyIndex> m_tableFrequencies;
    std::optional<ChirpColumns> m_chirp;  // set for a CHIRP file
};

bool Importer::chooseFile()
{
    if (!m_opt.path.isEmpty()) {
        m_result.path = m_opt.path;
        return true;
    }
    const FileChoice choice = m_ctx.dialogs.openFile(CsvFileRequest(QStringLiteral("Import CSV"), m_ctx.state.HomeDir));
    if (choice.cancelled || choice.path.trimmed().isEmpty())
        return false;
    QString path = choice.path;
    const QString upper = path.toUpper();
    if (!upper.endsWith(QLatin1String(".CSV")) && !upper.endsWith(QLatin1String(".TPE"))) {
        // Export appends ".CSV"; a file saved by another program on a
        // case-sensitive file system may carry ".csv" instead.
        const QString lower = path + QStringLiteral(".csv");
        path += QStringLiteral(".CSV");
        if (!QFileInfo(path).isFile() && QFileInfo(lower).isFile())
            path = lower;
    }
    m_result.path = path;
    return true;
}

bool Importer::readFile(CsvImportOutcome *failure)
{
    m_text = ReadCsvFile(m_result.path);
    const QString name = QFileInfo(m_result.path).fileName();
    switch (m_text.problem) {
    case TextFile::Problem::None:
        return true;
    case TextFile::Problem::Missing:
        *failure = CsvImportOutcome::MissingFile;
        warn(QStringLiteral("Filename ") + m_result.path + QStringLiteral(" does not exist"));
        return false;
    case TextFile::Problem::TooLarge:
        *failure = CsvImportOutcome::Refused;
        warn(QStringLiteral("The file ") + name
             + QStringLiteral(" is larger than 10 MiB, too large to be a file of memories.\r\nImport aborted"));
        return false;
    case TextFile::Problem::Binary:
        *failure = CsvImportOutcome::Refused;
        warn(QStringLiteral("The file ") + name
             + QStringLiteral(" holds NUL characters, so it is not a text file of memories.\r\nImport aborted"));
        return false;
    case TextFile::Problem::NotRegular:
        *failure = CsvImportOutcome::Refused;
        warn((IsStandardInputPath(m_result.path)
                  ? QStringLiteral("Standard input is not a pipe or a file")
                  : QStringLiteral("The file ") + m_result.path
                        + QStringLiteral(" is not an ordinary file (it is a pipe, a device or a folder)"))
             + QStringLiteral(", so it is not read.\r\nImport aborted"));
        return false;
    case TextFile::Problem::OpenFailed:
    case TextFile::Problem::ReadFailed:
        break;
    }
    *failure = CsvImportOutcome::ReadError;
    m_ctx.dialogs.messageBox(readErrorText(0, m_text.errorNumber, m_text.reason()), Buttons::Ok, Icon::Exclamation);
    return false;
}

void Importer::checkRecord(const CsvRecordFields &record, const QString &n)
{
    auto problem = [&](const QString &text) {
        log(QStringLiteral("Record ") + n + QStringLiteral(". ") + text);
        m_error = true;
    };

    const QString &f1 = record.memory;
    double number = 0;
    if (numericValue(f1, &number)) {
        if (number < 1 || number > kMemories)
            problem(QStringLiteral("Memory number of '") + f1 + QStringLiteral("' is not between 1 and 500"));
    } else if (!f1.trimmed().isEmpty()) {
        problem(QStringLiteral("Memory number of ") + f1 + QStringLiteral(" is not numeric"));
    } else if (m_opt.useNumbers) {
        problem(QStringLiteral("Memory number is missing, but is required due to 'Use imported mem numbers'."));
    }

    const QString &f2 = record.frequency;
    std::optional<qint32> frequency;
    if (IsNumericText(f2)) {
        frequency = ValidateFrequency(f2, Boxes::Quiet, nullptr);
        if (!frequency)
            problem(QStringLiteral("Frequency of '") + f2 + QStringLiteral("' is outside the range of the radio"));
    } else {
        problem(QStringLiteral("Frequency of '") + f2 + QStringLiteral("' is not numeric."));
    }

    if (!m_error && frequency && m_opt.omitDuplicates && m_tableFrequencies->contains(*frequency)) {
        ++m_result.duplicates;
        return;
    }

    const QString mode = record.mode.trimmed().toUpper();
    if (!IsPrecheckMode(mode))
        problem(QStringLiteral("Mode of '") + mode + QStringLiteral("' is not recognised as a Orbis mode"));
    const QString shift = record.shift.trimmed().toUpper();
    if (!IsPrecheckShift(shift))
        problem(QStringLiteral("Shift of '") + shift
                + QStringLiteral("' is not Simplex, Plus, Minus, Split or omitted"));
    const QString encoding = record.encoding.trimmed().toUpper();
    if (!IsPrecheckEncoding(encoding))
        problem(QStringLiteral("Encoding state of '") + encoding
                + QStringLiteral("' is not CTCSS Enc, CTCSS Enc/Dec, DCS or omitted"));
    if (encoding.startsWith(QLatin1String("CTC"))) {
        const QString tone = NormaliseTone(record.tone);
        if (!tone.isEmpty() && toneIndex(tone) < 0)
            problem(QStringLiteral("CTCSS tone of '") + tone + QStringLiteral("' is not valid. Will be set to 67.0"));
    }
}

void Importer::precheck()
{
    const QStringList &lines = m_text.lines;
    BusyPointer busy(m_ctx.dialogs);
    m_result.duplicates = 0;
    m_error = false;
    m_result.records = 0;
    if (!m_opt.preview && m_opt.omitDuplicates)
        m_tableFrequencies.emplace(m_ctx.state.table);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = CleanCsvLine(lines.at(i));
        if (m_opt.preview) {
            ++m_result.records;
            log(line);
            continue;
        }
        // A blank line holds no record; the load passes it over too.
        if (lines.at(i).trimmed().isEmpty())
            continue;
        ++m_result.records;
        checkRecord(fieldsOf(line), SignedText(m_result.records));
    }
}

QString Importer::countsText() const
{
    QString text = QStringLiteral("Records loaded =") + SignedText(m_result.added) + QStringLiteral(", skipped =")
                   + SignedText(m_result.skipped);
    if (m_opt.omitDuplicates)
        text += QStringLiteral(", duplicates omitted =") + SignedText(m_result.omitted);
    return text;
}

void Importer::loadPass()
{
    BusyPointer busy(m_ctx.dialogs);
    MemoryTable &table = m_ctx.state.table;
    MemoryTable::Batch batch(table);
    FrequencyIndex frequencies(table);
    // Memory -> the record of this file that filled it, so that a record that
    // lands on the same memory later says whose values it replaces.
    QHash<int, int> filledBy;
    int slot = m_start;  // memories only fill up, so the search for an empty one never goes back
    bool full = false;  // no empty memory was left: the rest of the file is not loaded
    int m = 0;
    int record = 0;
    auto skip = [this](const QString &text) {
        log(text);
        ++m_result.skipped;
    };
    for (qsizetype i = 1; i < m_text.lines.size(); ++i) {
        const QString line = CleanCsvLine(m_text.lines.at(i));
        // Blank lines are no record: numbered as the pre-check numbers them.
        if (line.trimmed().isEmpty())
            continue;
        ++record;
        const QString n = SignedText(record);
        if (full) {
            skip(QStringLiteral("Record ") + n + QStringLiteral(". Skipped as there is no empty memory left"));
            continue;
        }
        const CsvRecordFields fields = fieldsOf(line);
        const QString f1 = fields.memory.trimmed();
        if (!f1.isEmpty())
            m = memoryNumberOf(f1);
        const QString at
            = QStringLiteral("Record ") + n + QStringLiteral(" memory ") + QString::number(m) + QStringLiteral(". ");

        const QString &f2 = fields.frequency;
        if (f2.trimmed().isEmpty()) {
            skip(at + QStringLiteral("Skipped due to missing RX frequency"));
            continue;
        }
        const std::optional<qint32> frequency = ValidateFrequency(f2, Boxes::Quiet, nullptr);
        if (!frequency) {
            skip(at + QStringLiteral("Skipped due to bad RX frequency of ") + f2);
            continue;
        }
        if (m_opt.omitDuplicates && frequencies.contains(*frequency)) {
            log(at + QStringLiteral("Omitted as the frequency ") + FormatFrequency(*frequency)
                + QStringLiteral(" is already in a memory"));
            ++m_result.omitted;
            continue;
        }

        const QString modeField = fields.mode.trimmed();
        const std::optional<QString> mode = ImportedMode(modeField);
        if (!mode) {
            skip(at + QStringLiteral("Skipped due to unknown mode of '") + modeField + QStringLiteral("'"));
            continue;
        }
        Memory values;
        values.mode = mode->isEmpty()
                          ? DefaultModeForFrequency(m_opt.rules ? *m_opt.rules : RepeaterRuleSet(), *frequency)
                          : modeFromText(*mode);

        // The memory table keeps only the radio's values; anything else is
        // replaced here so that the memory can be saved and written.
        const QString shift = fields.shift.trimmed();
        values.shift = Shift::Simplex;
        bool shiftKnown = shift.isEmpty();
        for (Shift known : {Shift::Simplex, Shift::Plus, Shift::Minus}) {
            if (shift.compare(shiftText(known), Qt::CaseInsensitive) == 0) {
                values.shift = known;
                shiftKnown = true;
            }
        }

        const QString &encodingField = fields.encoding;
        bool encodingKnown = true;
        const QString encoding = ImportedEncoding(encodingField, &encodingKnown);
        // A blank encoding is stored as the pick list's blank choice.
        values.encoding = encoding.isEmpty() ? Encoding::Off : encodingFromText(encoding);

        const QString tone = NormaliseTone(fields.tone);
        const bool toneKnown = tone.isEmpty() || toneIndex(tone) >= 0;
        values.tone = qint8(std::max(0, toneIndex(tone)));
        const bool ctcss = encodingField.trimmed().toUpper().startsWith(QLatin1String("CTC"));

        values.description = CleanImportedDescription(fields.description);

        int target = 0;
        if (m_opt.useNumbers && m != 0 && !f1.isEmpty()) {
            target = m;
        } else {
            while (slot <= kMemories && !table.isEmpty(slot))
                ++slot;
            if (slot > kMemories) {
                busy.off();
                m_ctx.dialogs.messageBox(QStringLiteral("Cannot find an empty slot to use for importing"), Buttons::Ok,
                                         Icon::Exclamation);
                full = true;
                skip(QStringLiteral("Record ") + n + QStringLiteral(". Skipped as there is no empty memory left"));
                continue;
            }
            target = slot;
        }
        const QString name = QStringLiteral("Record ") + n + QStringLiteral(" memory ") + QString::number(target)
                             + QStringLiteral(". ");
        if (target < 1 || target > kMemories) {
            skip(name + QStringLiteral("Skipped as there is no memory ") + QString::number(target)
                 + QStringLiteral(" (memories are 1 to 500)"));
            continue;
        }
        for (const QString &note : fields.notes)
            log(name + note);
        if (!shiftKnown) {
            log(name + QStringLiteral("Shift of '") + shift
                + QStringLiteral("' cannot be stored in this radio - set to Simplex"));
        }
        if (!encodingKnown) {
            log(name + QStringLiteral("Encoding state of '") + encodingField.trimmed()
                + QStringLiteral("' cannot be stored in this radio - set to none"));
        }
        if (!toneKnown) {
            // With CTCSS on, the pre-check has already said so.
            if (!ctcss)
                log(name + QStringLiteral("Tone of '") + tone
                    + QStringLiteral("' is not a CTCSS tone of the radio - set to 67.0"));
        }
        if (!table.AddMemory(target, f2, values, &m_ctx.log, &m_ctx.dialogs)) {
            skip(name + QStringLiteral("Skipped as the memory could not be set"));
            continue;
        }
        frequencies.refresh(table, target);
        const auto earlier = filledBy.constFind(target);
        if (earlier != filledBy.cend()) {
            // The earlier record is no longer in the table: it counts as skipped.
            log(name + QStringLiteral("Replaces record ") + SignedText(*earlier)
                + QStringLiteral(", which this import had put into memory ") + QString::number(target));
            ++m_result.skipped;
        } else {
            ++m_result.added;
        }
        filledBy.insert(target, record);
    }
    log(QStringLiteral("Import finished. ") + countsText());
}

CsvImportResult Importer::run()
{
    m_result.startText = m_opt.startText;

    // 1. Start number
    const QString start = m_opt.startText.trimmed();
    if (start.isEmpty()) {
        m_result.startText = QStringLiteral("1");
        m_start = 1;
    } else {
        double v = 0;
        if (!numericValue(start, &v) || v < 1 || v > kMemories) {
            warn(QStringLiteral("The start memory number must be a number from 1 to 500"));
            m_result.outcome = CsvImportOutcome::BadStartNumber;
            return m_result;
        }
        m_start = int(v);
    }

    // 2. File
    if (!chooseFile()) {
        m_result.outcome = CsvImportOutcome::Cancelled;
        return m_result;
    }
    CsvImportOutcome failure = CsvImportOutcome::ReadError;
    if (!readFile(&failure)) {
        m_result.outcome = failure;
        return m_result;
    }

    // 3. Header
    const QString header = CleanCsvLine(m_text.lines.value(0), true);
    m_result.source = RecogniseCsvHeader(header);
    if (m_result.source == kCsvSourceUnknown) {
        log(QStringLiteral("Filename: ") + m_result.path);
        log(header);
        log(QStringLiteral("First record is not recognised as a header record"));
        warn(QStringLiteral("Import aborted due to errors"));
        m_result.outcome = CsvImportOutcome::UnknownHeader;
        return m_result;
    }
    if (m_result.source == kCsvSourceChirp) {
        m_chirp = ChirpColumnsOf(header);
    } else if (m_result.source != kCsvSourceOrbis) {
        log(QStringLiteral("Header looks like one from ") + m_result.source + QStringLiteral(". Import aborted"));
        m_result.outcome = CsvImportOutcome::ForeignHeader;
        return m_result;
    }
    if (m_opt.preview) {
        log(QStringLiteral("Header type identified as: ") + m_result.source);
        log(header);
    }

    // 4.-5. Pre-check
    precheck();
    const int r = m_result.records;
    const int d = m_result.duplicates;
    if (r - d > kMemories) {
        log(QStringLiteral("Records read =") + SignedText(r) + QStringLiteral(". Reduce to < 500 and re-run"));
        m_error = true;
    }
    if (m_opt.preview) {
        log(CsvRuleLine());
        m_result.precheckErrors = m_error;
        m_result.outcome = CsvImportOutcome::Previewed;
        return m_result;
    }
    if (r == d) {
        log(QStringLiteral("Every one of the") + SignedText(r) + QStringLiteral(" records is a duplicate frequency.")
            + QStringLiteral("\r\nNothing to import"));
        m_result.precheckErrors = m_error;
        m_result.outcome = CsvImportOutcome::NothingToImport;
        return m_result;
    }

    // 8. Space
    int used = 0;
    if (!m_opt.clearBefore) {
        used = m_ctx.state.table.usedMemoryCount();
        if (used == kMemories)
            warn(QStringLiteral("Memory is full. Delete some memories to make space"));
    }
    if (used + r - d > kMemories) {
        log(QStringLiteral("You have") + SignedText(used) + QStringLiteral(" memories and there is not")
            + QStringLiteral(" enough space to add") + SignedText(r) + QStringLiteral(" more."));
        m_error = true;
    }
    m_result.precheckErrors = m_error;

    // 9. The user decides about errors
    if (m_error) {
        log(CsvRuleLine());
        const Answer a = m_ctx.dialogs.messageBox(
            QStringLiteral("The pre-check of the import file has errors. Do you want to try and load it?"),
            Buttons::YesNo, Icon::Question);
        if (a != Answer::Yes) {
            m_result.outcome = CsvImportOutcome::PrecheckDeclined;
            return m_result;
        }
    }

    // 10.-11. Undo snapshot, clearing
    if (m_opt.saveUndoSnapshot)
        m_opt.saveUndoSnapshot();
    if (m_opt.clearBefore) {
        const Answer a
            = m_ctx.dialogs.messageBox(QStringLiteral("Are you sure you want to clear ALL memories before importing?"),
                                       Buttons::YesNoCancel, Icon::Question);
        if (a != Answer::Yes) {
            m_result.outcome = CsvImportOutcome::ClearDeclined;
            return m_result;
        }
        m_ctx.state.table.ClearAllMemories();
        m_ctx.view.TableCleared();
        m_ctx.state.MemoriesChanged = true;
    }

    // 12. Load pass
    loadPass();

    // 13.
    m_ctx.state.MemoriesChanged = true;
    m_ctx.view.RefreshChangedState();
    m_ctx.view.ApplyHideEmpty();
    m_ctx.view.ShowMemoriesTab();
    m_ctx.view.SelectCell(1, 1);
    m_result.outcome = CsvImportOutcome::Imported;
    // A partial import is not reported as plain success.
    m_result.completion = m_result.skipped == 0
                              ? QStringLiteral("Import completed")
                              : QStringLiteral("Import completed, but not every record was loaded.\r\n") + countsText()
                                    + QStringLiteral(". The messages list each record that was skipped.");
    if (!m_opt.deferCompletion)
        m_ctx.dialogs.messageBox(m_result.completion, Buttons::Ok,
                                 m_result.skipped == 0 ? Icon::Information : Icon::Exclamation);
    return m_result;
}

}  // namespace

CsvImportResult ImportCsv(AppContext &ctx, const CsvImportOptions &options)
{
    Importer importer(ctx, options);
    return importer.run();
}

}  // namespace mv
