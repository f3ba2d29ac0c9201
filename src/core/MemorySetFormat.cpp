#include "core/MemorySetFormat.h"

#include "core/MemoryRecord.h"
#include "core/MemoryTable.h"
#include "core/MemoryText.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
#include "shell/MessageLog.h"
#include "shell/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <array>

namespace mv {

namespace {

QString stripTrailingBlanks(const QString &s)
{
    int end = int(s.size());
    while (end > 0 && (s.at(end - 1) == QLatin1Char(' ') || s.at(end - 1) == QLatin1Char('\t')))
        --end;
    return s.left(end);
}

QString plural(int n, const char *one, const char *many) { return QLatin1String(n == 1 ? one : many); }

QString saveProblemOf(const MemoryTable &table, int cat)
{
    QString problem = RecordProblem(table, cat);
    if (!problem.isEmpty())
        return problem;
    // Eight digits of Hz: up to 99.999999 MHz.
    const Memory &m = table.byCatNumber(cat);
    if (m.frequencyHz() < 0 || m.frequencyHz() > 99999999)
        return QStringLiteral("the frequency '%1' does not fit a memory record").arg(FrequencyText(m));
    if (BuildMemoryWrite(table, cat).size() != kRecordLength)
        return QStringLiteral("the memory cannot be written as a record");
    return {};
}

WriteFailure failureOf(const SaveError &e, FileStage stage)
{
    WriteFailure f;
    f.stage = stage;
    QString what;
    switch (e.kind) {
    case SaveErrorKind::NoSpace:
    case SaveErrorKind::TooLarge:
        f.number = 61;
        what = QStringLiteral("Disk full");
        break;
    case SaveErrorKind::Permission:
    case SaveErrorKind::Busy:
        f.number = 70;
        what = QStringLiteral("Permission denied");
        break;
    case SaveErrorKind::PathNotFound:
        f.number = 76;
        what = QStringLiteral("Path not found");
        break;
    case SaveErrorKind::Io:
        if (e.writing) {
            f.number = 57;
            what = QStringLiteral("Device I/O error");
            break;
        }
        [[fallthrough]];
    default:
        f.number = 75;
        what = QStringLiteral("Path/File access error");
        break;
    }
    f.description = what + QStringLiteral(" - ") + e.text();
    f.file = e.path;
    f.reason = e.reason;
    return f;
}

QByteArray encodeLines(const QStringList &lines)
{
    QByteArray data;
    for (const QString &line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }
    return data;
}

}  // namespace

// ---------------------------------------------------------------------------
// Paths

QString FileNameOf(const QString &path)
{
    const QString p = QDir::fromNativeSeparators(path);
    return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

bool HasMemoryFileSuffix(const QString &path) { return path.endsWith(QLatin1String(".450"), Qt::CaseInsensitive); }

bool HasDescriptionFileSuffix(const QString &path)
{
    return path.endsWith(QLatin1String(".450dsc"), Qt::CaseInsensitive);
}

QString MemoryFilePathFor(const QString &path)
{
    if (HasMemoryFileSuffix(path) || HasDescriptionFileSuffix(path))
        return path;
    return path + QStringLiteral(".450");
}

QString DescriptionPathFor(const QString &path)
{
    if (HasDescriptionFileSuffix(path))
        return path;
    if (HasMemoryFileSuffix(path))
        return path + QStringLiteral("dsc");
    return {};
}

bool IsFloppyDrivePath(const QString &path)
{
    if (path.size() < 2 || path.at(1) != QLatin1Char(':'))
        return false;
    const QChar drive = path.at(0).toUpper();
    return drive == QLatin1Char('A') || drive == QLatin1Char('B');
}

// ---------------------------------------------------------------------------
// Reading

TextFile ReadMemorySetFile(const QString &path) { return ReadTextFile(path, kMaxMemorySetFileSize); }

QString MemorySetFileError(const QString &path, const TextFile &file)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (file.problem) {
    case TextFile::Problem::None:
        break;
    case TextFile::Problem::Missing:
        return QStringLiteral("Filename ") + path + QStringLiteral(" does not exist");
    case TextFile::Problem::NotRegular:
        return QStringLiteral("File ") + shown + QStringLiteral(" cannot be opened: ")
               + (file.folder ? QStringLiteral("it is a folder")
                              : QStringLiteral("it is not a regular file (a FIFO, socket or device)"));
    case TextFile::Problem::OpenFailed:
        return QStringLiteral("File ") + shown + QStringLiteral(" cannot be opened: ") + file.reason();
    case TextFile::Problem::ReadFailed:
        return QStringLiteral("File ") + shown + QStringLiteral(" cannot be read: ") + file.reason();
    case TextFile::Problem::TooLarge:
        return QStringLiteral("File ") + path + QStringLiteral(" cannot be loaded: it is larger than 1 MiB.");
    case TextFile::Problem::Binary:
        return QStringLiteral("File ") + path + QStringLiteral(" cannot be loaded: it holds binary data (NUL bytes).");
    }
    return {};
}

int FillFromMemoryLines(MemoryTable &table, const QStringList &lines, const QString &fileName, MessageLog *log)
{
    auto trace = [&](const QString &text) {
        if (log)
            log->LogMessage(text, LogLevel::Trace);
    };
    MemoryTable::Batch batch(table);
    // Each line is decoded into a scratch row first and reaches the table only
    // when every field decoded: a damaged line changes nothing.
    MemoryTable scratch;
    std::array<int, kLastCat + 1> lineOf{};  // the line that filled each memory
    int ignored = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = stripTrailingBlanks(lines.at(i));
        if (line.trimmed().isEmpty())
            continue;
        const QString where = QStringLiteral("Line") + SignedText(i + 1) + QStringLiteral(" of ") + fileName;
        if (line.size() > kMaxRecordLineLength) {
            trace(where + QStringLiteral(" is longer than 1000 characters - line ignored"));
            ++ignored;
            continue;
        }
        const QString digits = line.mid(2, 3);
        const int number = IsAsciiDigits(digits) ? digits.toInt() : 0;
        if (number < 1 || number > kLastCat) {
            trace(where + QStringLiteral(": memory number ") + QString::number(number).rightJustified(3, '0')
                  + QStringLiteral(" does not exist - line ignored"));
            ++ignored;
            continue;
        }
        if (line.size() < kRecordLength - 1) {
            trace(where + QStringLiteral(" is too short for a memory record - line ignored"));
            ++ignored;
            continue;
        }
        if (!FillMemory(scratch, number, line, log)) {
            ++ignored;
            continue;
        }
        if (lineOf[size_t(number)] != 0)
            trace(where + QStringLiteral(" sets ") + MemoryNameOf(number) + QStringLiteral(" again - it replaces line")
                  + SignedText(lineOf[size_t(number)]));
        lineOf[size_t(number)] = i + 1;
        Memory m = scratch.byCatNumber(number);
        m.description = table.byCatNumber(number).description;
        table.setByCatNumber(number, m);
    }
    if (ignored > 0 && log)
        log->LogMessage(QStringLiteral("Loading ") + fileName + QStringLiteral(" ignored") + SignedText(ignored)
                        + plural(ignored, " line", " lines") + QStringLiteral(" that could not be read"));
    return ignored;
}

QString CleanDescription(const QString &text)
{
    QString t = text;
    for (QChar &c : t) {
        if (c == QLatin1Char('"') || c == QLatin1Char(';') || c == QLatin1Char(','))
            c = QLatin1Char(' ');
    }
    return t.left(MemoryTable::kDescriptionLimit);
}

namespace {
// One `number,"text"` record; false when the line holds no second item.
bool parseDescriptionRecord(const QString &line, QString *text)
{
    const int comma = int(line.indexOf(QLatin1Char(',')));
    if (comma < 0)
        return false;
    const QString rest = line.mid(comma + 1).trimmed();
    if (rest.startsWith(QLatin1Char('"'))) {
        const int close = int(rest.indexOf(QLatin1Char('"'), 1));
        *text = close < 0 ? rest.mid(1) : rest.mid(1, close - 1);
    } else {
        *text = rest;
    }
    return true;
}

bool parseWidth(const QString &text, int *twips)
{
    const QString t = text.trimmed();
    bool ok = false;
    double d = QLocale::c().toDouble(t, &ok);
    if (!ok)
        d = QLocale().toDouble(t, &ok);
    if (!ok || !(d >= 1.0 && d <= 100000.0))
        return false;
    *twips = int(d + 0.5);
    return true;
}
}  // namespace

DescriptionSet ParseDescriptions(const QStringList &lines)
{
    DescriptionSet set;
    bool first = true;
    for (const QString &raw : lines) {
        if (raw.trimmed().isEmpty())
            continue;
        QString text;
        if (!parseDescriptionRecord(raw, &text))
            break;
        if (first) {
            first = false;
            set.hasWidthRecord = true;
            set.widthValid = parseWidth(text, &set.widthTwips);
            continue;
        }
        set.texts << CleanDescription(text);
        if (set.texts.size() == MemoryTable::kMemoryCount)
            break;
    }
    return set;
}

void ApplyDescriptions(MemoryTable &table, const DescriptionSet &set)
{
    MemoryTable::Batch batch(table);
    for (int i = 0; i < set.texts.size() && i < MemoryTable::kMemoryCount; ++i) {
        Memory m = table.memory(i + 1);
        m.description = set.texts.at(i);
        table.setMemory(i + 1, m);
    }
}

bool ReadDescriptionFile(const QString &dscPath, MessageLog *log, DescriptionSet *set)
{
    const TextFile file = ReadMemorySetFile(dscPath);
    if (file.problem == TextFile::Problem::TooLarge || file.problem == TextFile::Problem::Binary) {
        if (log)
            log->LogMessage(MemorySetFileError(dscPath, file) + QStringLiteral(" The descriptions were not loaded."));
        return false;
    }
    if (file.problem != TextFile::Problem::None)
        return false;
    *set = ParseDescriptions(file.lines);
    return true;
}

bool readMemorySet(const QString &path, MemoryTable &table, MessageLog *log, QString *error, int *descriptionWidth,
                   int *ignored)
{
    if (descriptionWidth)
        *descriptionWidth = kDefaultDescriptionWidth;
    if (ignored)
        *ignored = 0;
    const TextFile file = ReadMemorySetFile(path);
    if (file.problem != TextFile::Problem::None) {
        if (error)
            *error = MemorySetFileError(path, file);
        return false;
    }
    MemoryTable::Batch batch(table);
    table.ClearAllMemories();
    const int bad = FillFromMemoryLines(table, file.lines, FileNameOf(path), log);
    if (ignored)
        *ignored = bad;
    if (!HasMemoryFileSuffix(path))
        return true;
    DescriptionSet set;
    if (!ReadDescriptionFile(DescriptionPathFor(path), log, &set))
        return true;
    if (set.widthValid && descriptionWidth)
        *descriptionWidth = set.widthTwips;
    ApplyDescriptions(table, set);
    return true;
}

// ---------------------------------------------------------------------------
// Writing

QString RowSaveProblem(const MemoryTable &table, int catNumber) { return saveProblemOf(table, catNumber); }

QStringList MemoryFileLines(const MemoryTable &table, QList<int> *skipped)
{
    QStringList lines;
    for (int cat = 1; cat <= kLastCat; ++cat) {
        if (table.isCatEmpty(cat))
            continue;
        if (!saveProblemOf(table, cat).isEmpty()) {
            if (skipped)
                skipped->append(cat);
            continue;
        }
        lines << BuildMemoryWrite(table, cat);
    }
    return lines;
}

QStringList DescriptionFileLines(const MemoryTable &table, int descriptionWidth)
{
    QStringList lines;
    lines.reserve(MemoryTable::kMemoryCount + 1);
    lines << QStringLiteral("0,\"%1\"").arg(descriptionWidth);
    for (int i = 1; i <= MemoryTable::kMemoryCount; ++i)
        lines << QStringLiteral("%1,\"%2\"").arg(i).arg(CleanDescription(table.memory(i).description));
    return lines;
}

WriteFailure DescribeSaveError(const SaveError &error) { return failureOf(error, FileStage::Open); }

WriteFailure WriteLinesAtomically(const QString &path, const QStringList &lines)
{
    const SaveError e = SaveFileContent(path, encodeLines(lines));
    return e.failed() ? failureOf(e, FileStage::Open) : WriteFailure{};
}

WriteFailure WriteMemorySetFiles(const QString &path, const MemoryTable &table, int descriptionWidth,
                                 QList<int> *skipped)
{
    QList<FileContent> files{{path, encodeLines(MemoryFileLines(table, skipped))}};
    if (HasMemoryFileSuffix(path))
        files.append({DescriptionPathFor(path), encodeLines(DescriptionFileLines(table, descriptionWidth))});
    // Both files are complete before either replaces its old file, and the
    // lock keeps another save of the same set from running in between.
    const SaveError e = SaveFilesTogether(files, SaveLockPathFor(path));
    if (!e.failed())
        return {};
    const bool descriptions = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())
                              != QDir::toNativeSeparators(QFileInfo(e.path).absoluteFilePath());
    return failureOf(e, descriptions ? FileStage::Descriptions : (e.writing ? FileStage::Records : FileStage::Open));
}

bool writeMemorySet(const QString &path, const MemoryTable &table, int descriptionWidth, QString *error,
                    QList<int> *skipped)
{
    const WriteFailure f = WriteMemorySetFiles(path, table, descriptionWidth, skipped);
    if (f.failed() && error)
        *error = QStringLiteral("Cannot save ") + f.file + QStringLiteral(": ") + f.reason;
    return !f.failed();
}

QString MemoryNameOf(int catNumber)
{
    if (catNumber > MemoryTable::kMemoryCount)
        return QStringLiteral("PMS memory ") + MemoryTable::pmsLabel(catNumber - MemoryTable::kMemoryCount);
    return QStringLiteral("Memory") + SignedText(catNumber);
}

}  // namespace mv
