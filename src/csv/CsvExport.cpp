#include "csv/CsvExport.h"

#include "core/AppState.h"
#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"
#include "core/MemoryText.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvFormat.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"
#include "shell/SafeSave.h"

#include <QFileInfo>

namespace mv {

QStringList CsvExportRecords(const MemoryTable &table, const CsvExportOptions &options)
{
    if (options.layout == CsvLayout::Chirp)
        return ChirpExportRecords(table, options.rules, options.onlySelected ? &options.selectedRows : nullptr);
    const QString sep(ListSeparator());
    QStringList out;
    out.reserve(MemoryTable::kMemoryCount + 1);
    if (!options.omitHeader)
        out << CsvHeaderNames().join(sep);
    int count = 0;
    for (int r = 1; r <= MemoryTable::kMemoryCount; ++r) {
        if (table.isEmpty(r))
            continue;
        if (options.onlySelected && !options.selectedRows.contains(r))
            continue;
        ++count;
        if (options.keepNumbers)
            count = r;
        const Memory &m = table.memory(r);
        QString record;
        record.reserve(80);
        record += QString::number(count);
        record += sep + FrequencyText(m);
        record += sep + modeText(m.mode);
        record += sep + shiftText(m.shift);
        record += sep;  // TX Shift/Freq
        record += sep;  // TX Mode
        record += sep + encodingText(m.encoding);
        record += sep + toneText(m.tone);
        record += sep;  // Show
        record += sep;  // Name
        record += sep;  // Scan
        record += sep;  // Group
        record += sep + m.description;
        out << record;
    }
    return out;
}

bool WriteCsvLines(const QString &path, const QStringList &lines, CsvWriteError *error)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    const SaveError e = SaveFileContent(path, bytes);
    if (!e.failed())
        return true;
    if (error) {
        const WriteFailure f = DescribeSaveError(e);
        error->number = f.number;
        error->description = f.description;
        error->line = e.writing ? int(lines.size()) + 1 : 0;
    }
    return false;
}

QString CsvExportErrorText(const CsvWriteError &error)
{
    return QStringLiteral("An error has been encountered when trying to export the file.\r\n")
           + QStringLiteral("Error number ") + SignedText(error.number) + QStringLiteral(" (") + error.description
           + QStringLiteral(") in line ") + SignedText(error.line)
           + QStringLiteral("\r\n\r\nCannot export the file here - please try an alternative location");
}

CsvExportResult ExportCsv(AppContext &ctx, const CsvExportOptions &options)
{
    CsvExportResult result;
    DetectSeparators();
    const bool chirp = options.layout == CsvLayout::Chirp;
    if (options.tab && !chirp)
        SetListSeparator(QLatin1Char('\t'));

    const QStringList records = CsvExportRecords(ctx.state.table, options);
    result.records = int(records.size()) - (options.omitHeader && !chirp ? 0 : 1);

    if (options.preview) {
        for (const QString &record : records)
            ctx.log.LogMessage(record);
        result.outcome = CsvExportOutcome::Previewed;
        return result;
    }

    if (!options.path.isEmpty()) {
        CsvWriteError error;
        if (!WriteCsvLines(options.path, records, &error)) {
            result.outcome = CsvExportOutcome::Failed;
            result.error = CsvExportErrorText(error);
            ctx.dialogs.messageBox(result.error, Buttons::Ok, Icon::Exclamation);
            return result;
        }
        result.outcome = CsvExportOutcome::Written;
        result.path = options.path;
        ctx.dialogs.messageBox(QStringLiteral("Export completed"), Buttons::Ok, Icon::Information);
        return result;
    }

    // Until the file is written or the user gives up: a failed write brings the
    // save dialog back so that another place can be chosen.
    for (;;) {
        const FileChoice choice = ctx.dialogs.saveFile(CsvFileRequest(QStringLiteral("Export CSV"), ctx.state.HomeDir));
        if (choice.cancelled || choice.path.trimmed().isEmpty())
            return result;
        QString path = choice.path;
        if (!path.toUpper().endsWith(QLatin1String(".CSV")))
            path += QStringLiteral(".CSV");
        const QFileInfo info(path);
        if (info.exists()) {
            const Answer a
                = ctx.dialogs.messageBox(QStringLiteral("Filename ") + info.fileName().toUpper()
                                             + QStringLiteral(" already exists\r\nDo you wish to replace it?"),
                                         Buttons::YesNo, Icon::Question);
            if (a != Answer::Yes)
                return result;
        }
        CsvWriteError error;
        if (!WriteCsvLines(path, records, &error)) {
            result.error = CsvExportErrorText(error);
            result.outcome = CsvExportOutcome::Failed;
            ctx.dialogs.messageBox(result.error, Buttons::Ok, Icon::Exclamation);
            continue;
        }
        result.outcome = CsvExportOutcome::Written;
        result.path = path;
        result.error.clear();
        ctx.dialogs.messageBox(QStringLiteral("Export completed"), Buttons::Ok, Icon::Information);
        return result;
    }
}

}  // namespace mv
