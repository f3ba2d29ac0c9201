#include "print/MemoryPrintLayout.h"

#include "core/MemoryTable.h"
#include "core/MemoryText.h"

#include <algorithm>

namespace mv {

namespace {

// Table column of each print column.
constexpr int kTableColumn[PrintOptions::kColumnCount]
    = {MemoryTable::ColFrequency, MemoryTable::ColMode, MemoryTable::ColShift,
       MemoryTable::ColEncoding,  MemoryTable::ColTone, MemoryTable::ColDescription};

// One blank between neighbouring fields on paper: "Simplex" fills its field.
constexpr int kFieldGap = 1;

QString labelField(const QString &label) { return label.rightJustified(3); }

class Paginator {
public:
    Paginator(const PrintOptions &options, const QString &fileName, int linesPerPage)
        : m_options(options)
        , m_title(PrintTitle(fileName))
        , m_linesPerPage(std::max(linesPerPage, kMinLinesPerPage))
        , m_headings(headingLine(true))
    {
        startPage();
    }

    // Starts a new page unless the current one holds nothing but its headings.
    void pageBreak()
    {
        if (!atTop())
            startPage();
    }

    // Lines that must stay with the next block (a group heading above its memory).
    void holdForNext(const QList<PrintLine> &lines) { m_held += lines; }

    // Adds a block; it moves to a new page as a whole when it fits on one.
    void add(QList<PrintLine> block)
    {
        block = m_held + block;
        m_held.clear();
        const int room = m_linesPerPage - int(current().lines.size());
        if (int(block.size()) > room && !atTop() && int(block.size()) <= m_linesPerPage - m_headerLines)
            startPage();
        for (const PrintLine &line : std::as_const(block)) {
            if (line.kind == PrintLine::Kind::Blank && atTop())
                continue;  // no blank line right under the headings
            if (int(current().lines.size()) >= m_linesPerPage)
                startPage();
            current().lines << line;
        }
    }

    MemoryPrintLayout finish()
    {
        if (!m_held.isEmpty())
            add({});
        MemoryPrintLayout layout;
        layout.pages = m_pages;
        for (const PrintPage &p : std::as_const(layout.pages))
            for (const PrintLine &l : p.lines)
                layout.maxLineChars = std::max(layout.maxLineChars, int(l.plainText().size()));
        return layout;
    }

private:
    PrintPage &current() { return m_pages.last(); }
    bool atTop() const { return m_pages.last().lines.size() == m_headerLines; }

    void startPage()
    {
        PrintPage page;
        page.number = int(m_pages.size()) + 1;
        if (m_pages.isEmpty()) {
            page.lines << PrintLine{PrintLine::Kind::Title, {{0, m_title}}};
            page.lines << PrintLine{PrintLine::Kind::Blank, {}};
        }
        page.lines << m_headings;
        m_headerLines = int(page.lines.size());
        m_pages << page;
    }

public:
    PrintLine headingLine(bool withDescription) const
    {
        PrintLine line{PrintLine::Kind::Headings, {}};
        forEachColumn(withDescription, [&](int i, int column) {
            line.spans << PrintSpan{column, PrintOptions::columnHeading(i)};
        });
        return line;
    }

    PrintLine rowLine(PrintLine::Kind kind, const QString &label, const Memory &memory, const QString &description,
                      bool withDescription) const
    {
        PrintLine line{kind, {{0, labelField(label)}}};
        forEachColumn(withDescription, [&](int i, int column) {
            const QString text = i == PrintOptions::Description
                                     ? description
                                     : PrintCellText(i, MemoryCellText(memory, kTableColumn[i]));
            if (!text.isEmpty())
                line.spans << PrintSpan{column, text};
        });
        return line;
    }

private:
    // Calls f(i, column) for each printed column i in order, column being the
    // character position where its field starts (after the label field).
    template <typename F> void forEachColumn(bool withDescription, F f) const
    {
        int column = kLabelFieldChars;
        for (int i = 0; i < PrintOptions::kColumnCount; ++i) {
            if (!m_options.columns[size_t(i)])
                continue;
            if (i == PrintOptions::Description && !withDescription)
                continue;
            f(i, column);
            column += PrintOptions::columnWidth(i) + kFieldGap;
        }
    }

    const PrintOptions &m_options;
    QString m_title;
    int m_linesPerPage;
    int m_headerLines = 0;
    PrintLine m_headings;
    QList<PrintPage> m_pages;
    QList<PrintLine> m_held;
};

}  // namespace

QString PrintLine::plainText() const
{
    QString s;
    for (const PrintSpan &span : spans) {
        if (s.size() < span.column)
            s += QString(span.column - s.size(), QLatin1Char(' '));
        else if (!s.isEmpty())
            s += QLatin1Char(' ');
        s += span.text;
    }
    return s;
}

bool PrintLine::isBold() const
{
    return kind == Kind::Title || kind == Kind::Headings || kind == Kind::GroupHeading || kind == Kind::PmsHeading;
}

DescriptionParts SplitDescription(const QString &description)
{
    DescriptionParts parts;
    QString rest = description;
    if (rest.startsWith(QLatin1Char('^'))) {
        parts.pageBreak = true;
        rest.remove(0, 1);
    }
    if (rest.startsWith(QLatin1Char('<'))) {
        const qsizetype close = rest.indexOf(QLatin1Char('>'));
        // "<" without a closing ">" is ordinary description text.
        if (close > 0) {
            parts.group = rest.mid(1, close - 1).trimmed();
            rest.remove(0, close + 1);
        }
    }
    parts.text = rest.trimmed();
    return parts;
}

QString PrintTitle(const QString &fileName) { return QStringLiteral("Memory print of ") + fileName; }

QString PageFooter(int page, int pageCount) { return QStringLiteral("Page %1 of %2").arg(page).arg(pageCount); }

QString EmptyRunText(int first, int last)
{
    if (first == last)
        return QStringLiteral("Memory %1 empty").arg(first);
    return QStringLiteral("Memories %1 to %2 empty").arg(first).arg(last);
}

QString PrintCellText(int column, const QString &cell)
{
    QString text = cell.trimmed();
    if (column == PrintOptions::Description)
        return text;
    if (column == PrintOptions::Encoding && text.startsWith(QLatin1String("CTCSS "), Qt::CaseInsensitive))
        text.remove(0, 6);
    if (column == PrintOptions::Frequency && !text.isEmpty() && text.at(0).isDigit()) {
        // Two places for the MHz, so that the decimal marks line up down the page.
        qsizetype mark = 0;
        while (mark < text.size() && text.at(mark).isDigit())
            ++mark;
        if (mark < 2)
            text.prepend(QString(2 - mark, QLatin1Char(' ')));
    }
    return text.left(PrintOptions::columnWidth(column));
}

MemoryPrintLayout LayoutMemoryPrint(const MemoryTable &table, const PrintOptions &options, const QString &fileName,
                                    int linesPerPage)
{
    Paginator pages(options, fileName, linesPerPage);

    int runStart = 0;  // first memory of the current run of empty memories, 0 for none
    auto flushRun = [&](int last) {
        if (runStart > 0 && last >= runStart)
            pages.add({PrintLine{PrintLine::Kind::EmptyRun, {{kLabelFieldChars, EmptyRunText(runStart, last)}}}});
        runStart = 0;
    };

    for (int n = 1; n <= MemoryTable::kMemoryCount; ++n) {
        const DescriptionParts parts = SplitDescription(table.memory(n).description);
        const bool empty = table.isEmpty(n);
        const bool marked = parts.pageBreak || !parts.group.isEmpty();
        if (empty && !marked) {
            if (runStart == 0)
                runStart = n;
            continue;
        }
        flushRun(n - 1);
        if (parts.pageBreak)
            pages.pageBreak();
        if (!parts.group.isEmpty())
            pages.holdForNext(
                {PrintLine{PrintLine::Kind::Blank, {}}, PrintLine{PrintLine::Kind::GroupHeading, {{0, parts.group}}}});
        if (empty) {
            // A marked empty memory opens a run of its own below its heading.
            runStart = n;
            continue;
        }
        pages.add({pages.rowLine(PrintLine::Kind::Memory, MemoryLabel(n), table.memory(n), parts.text, true)});
    }
    flushRun(MemoryTable::kMemoryCount);

    // The PMS memories: heading, column headings without the description, the four
    // rows; the block is short enough to move to a fresh page as a whole.
    PrintLine pmsHeadings = pages.headingLine(false);
    QList<PrintLine> block{PrintLine{PrintLine::Kind::Blank, {}},
                           PrintLine{PrintLine::Kind::PmsHeading, {{0, QStringLiteral("PMS memories")}}}, pmsHeadings};
    for (int k = 1; k <= MemoryTable::kPmsCount; ++k) {
        const QString label = MemoryTable::pmsLabel(k);
        PrintLine line = table.isPmsEmpty(k)
                             ? PrintLine{PrintLine::Kind::Pms,
                                         {{0, labelField(label)}, {kLabelFieldChars, QStringLiteral("Empty")}}}
                             : pages.rowLine(PrintLine::Kind::Pms, label, table.pms(k), {}, false);
        block << line;
    }
    pages.add(block);
    return pages.finish();
}

}  // namespace mv
