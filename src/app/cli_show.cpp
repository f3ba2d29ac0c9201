// memvault-cli show [--records] FILE: a memory set as the program loads it.
#include "CliCommands.h"

#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"
#include "core/MemoryText.h"
#include "core/RadioTables.h"
#include "shell/MessageLog.h"

#include <QFileInfo>
#include <vector>

namespace mv::cli {

namespace {

// Columns padded to their widest cell; trailing blanks dropped.
void printTable(const std::vector<QStringList> &rows)
{
    std::vector<int> widths;
    for (const QStringList &row : rows) {
        for (int c = 0; c < row.size(); ++c) {
            if (size_t(c) >= widths.size())
                widths.push_back(0);
            widths[size_t(c)] = std::max(widths[size_t(c)], int(row[c].size()));
        }
    }
    for (const QStringList &row : rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += QStringLiteral("  ");
            line += row[c].leftJustified(widths[size_t(c)]);
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        printOut(line);
    }
}

QStringList rowCells(const QString &label, const Memory &m, bool withDescription)
{
    return {label,
            FrequencyText(m),
            modeText(m.mode).trimmed(),
            shiftText(m.shift),
            encodingText(m.encoding).trimmed(),
            toneText(m.tone),
            withDescription ? m.description : QString()};
}

}  // namespace

int runShow(const QStringList &args)
{
    bool records = false;
    QString file;
    for (const QString &a : args) {
        if (a == QLatin1String("--records")) {
            records = true;
        } else if (a.startsWith(QLatin1String("--")) || !file.isEmpty()) {
            printErr(QStringLiteral("usage: memvault-cli show [--records] FILE"));
            return 2;
        } else {
            file = a;
        }
    }
    if (file.isEmpty()) {
        printErr(QStringLiteral("usage: memvault-cli show [--records] FILE"));
        return 2;
    }
    // The name as given when it exists, else as the program looks for it (".450" added).
    QString path = QFileInfo::exists(file) ? file : MemoryFilePathFor(file);
    if (HasDescriptionFileSuffix(path)) {
        printErr(QStringLiteral("memvault-cli: %1 is a description file; give its memory file (.450)").arg(path));
        return 1;
    }

    MemoryTable table;
    MessageLog log;
    QString error;
    int ignored = 0;
    if (!readMemorySet(path, table, &log, &error, nullptr, &ignored)) {
        printErr(QStringLiteral("memvault-cli: ") + error);
        return 1;
    }
    if (ignored > 0) {
        // The always-lines of the load (how many lines were ignored).
        for (const QString &line : log.text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            printErr(QStringLiteral("memvault-cli: ") + line);
    }

    if (records) {
        QList<int> skipped;
        const QStringList lines = MemoryFileLines(table, &skipped);
        for (const QString &line : lines)
            printOut(line);
        for (int cat : std::as_const(skipped))
            printErr(QStringLiteral("memvault-cli: %1 would not be saved: %2")
                         .arg(MemoryNameOf(cat), RowSaveProblem(table, cat)));
        return 0;
    }

    std::vector<QStringList> rows;
    rows.push_back({QStringLiteral("No."), QStringLiteral("Frequency"), QStringLiteral("Mode"), QStringLiteral("Shift"),
                    QStringLiteral("Encoding"), QStringLiteral("Tone"), QStringLiteral("Description")});
    for (int n = 1; n <= MemoryTable::kMemoryCount; ++n) {
        if (!table.isEmpty(n))
            rows.push_back(rowCells(MemoryLabel(n), table.memory(n), true));
    }
    for (int k = 1; k <= MemoryTable::kPmsCount; ++k) {
        if (!table.isPmsEmpty(k))
            rows.push_back(rowCells(MemoryTable::pmsLabel(k), table.pms(k), false));
    }
    printTable(rows);
    return 0;
}

}  // namespace mv::cli
