// The memory print's pages as data: title, headings, "^" page breaks, "<...>"
// group headings, runs of empty memories, the PMS part and page filling.
#include "DataRows.h"
#include "MemoryRows.h"
#include "core/MemoryTable.h"
#include "print/MemoryPrintLayout.h"

#include <QRegularExpression>
#include <QtTest>
#include <numeric>

using namespace mv;
using Kind = PrintLine::Kind;
using mv::test::row;

namespace {

void useMemory(MemoryTable &t, int n, const QString &description = {}, const QString &freq = "145.50000")
{
    t.setMemory(n, mv::test::memoryOf({freq, "FM", "Minus", "CTCSS Enc+Dec", "88.5", description}));
}

QStringList texts(const MemoryPrintLayout &layout, Kind kind)
{
    QStringList out;
    for (const PrintPage &p : layout.pages)
        for (const PrintLine &l : p.lines)
            if (l.kind == kind)
                out << l.plainText().trimmed();
    return out;
}

// The page in short, as the flow table gives it.
QString outline(const PrintPage &page)
{
    QStringList out;
    int first = 0, last = 0;
    auto flush = [&] {
        if (first > 0)
            out << (first == last ? QString::number(first) : QString("%1-%2").arg(first).arg(last));
        first = 0;
    };
    for (const PrintLine &l : page.lines) {
        if (l.kind == Kind::Memory) {
            const int n = l.plainText().trimmed().section(' ', 0, 0).toInt();
            if (first > 0 && n == last + 1)
                last = n;
            else {
                flush();
                first = last = n;
            }
            continue;
        }
        flush();
        const QString text = l.plainText().trimmed();
        out << QStringList{"T", "_", "H", "", "[" + text + "]", "e", "P", "p"}[int(l.kind)];
    }
    flush();
    return out.join(' ');
}

QStringList pageText(const PrintPage &page)
{
    QStringList out;
    for (const PrintLine &l : page.lines)
        out << l.plainText().trimmed();
    return out;
}

// What must hold on every page whatever the content.
void checkPages(const MemoryPrintLayout &layout, int linesPerPage)
{
    QVERIFY(!layout.pages.isEmpty());
    for (int i = 0; i < layout.pages.size(); ++i) {
        const PrintPage &p = layout.pages[i];
        QCOMPARE(p.number, i + 1);
        QVERIFY2(p.lines.size() <= std::max(linesPerPage, kMinLinesPerPage), qPrintable(QString::number(i)));
        const int headingsAt = i == 0 ? 2 : 0;
        if (i == 0)
            QCOMPARE(p.lines[0].kind, Kind::Title);
        QCOMPARE(p.lines[headingsAt].kind, Kind::Headings);
        QVERIFY2(p.lines.size() > headingsAt + 1, "page with nothing below its headings");
        QVERIFY(p.lines[headingsAt + 1].kind != Kind::Blank);
        QVERIFY(p.lines.last().kind != Kind::GroupHeading);  // never parted from its memory
    }
}

}  // namespace

class TestMemoryPrintLayout : public QObject {
    Q_OBJECT

private slots:
    // A small table's first page, line for line: every value under its
    // heading, a group heading in bold set off by a blank line, the PMS rows.
    void firstPageLineByLine()
    {
        MemoryTable t;
        useMemory(t, 1, "Calling");
        useMemory(t, 2, "<Repeaters>GB3AA");
        t.setPms(1, mv::test::memoryOf({"14.000000", "USB", "Simplex", "", "67.0"}));
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "a.450", 60);
        const QStringList page = pageText(layout.pages[0]);
        QCOMPARE(
            page,
            QStringList({"Memory print of a.450", "", "RX Freq    Mode   Shift   Decode    Tone   Description",
                         "1  145.50000  FM     Minus   Enc+Dec   88.5   Calling", "", "Repeaters",
                         "2  145.50000  FM     Minus   Enc+Dec   88.5   GB3AA", "Memories 3 to 500 empty", "",
                         "PMS memories", "RX Freq    Mode   Shift   Decode    Tone",
                         "P1L  14.000000  USB    Simplex           67.0", "P1U  Empty", "P2L  Empty", "P2U  Empty"}));
        const QString headings = layout.pages[0].lines[2].plainText();
        const QString line = layout.pages[0].lines[3].plainText();
        for (const char *h : {"RX Freq", "Mode", "Shift", "Decode", "Tone", "Description"}) {
            const qsizetype at = headings.indexOf(h);
            QVERIFY(at > 0);
            QVERIFY2(line.at(at) != ' ' && line.at(at - 1) == ' ', h);
        }
        QVERIFY(layout.pages[0].lines[page.indexOf("Repeaters")].isBold());
    }

    void emptyRuns_data()
    {
        QTest::addColumn<QList<int>>("used");
        QTest::addColumn<QStringList>("runs");
        row("none used", QList<int>{}, QStringList{"Memories 1 to 500 empty"});
        row("first used", QList<int>{1}, QStringList{"Memories 2 to 500 empty"});
        row("last used", QList<int>{500}, QStringList{"Memories 1 to 499 empty"});
        row("single gaps", QList<int>{1, 3, 40},
            QStringList{"Memory 2 empty", "Memories 4 to 39 empty", "Memories 41 to 500 empty"});
        QList<int> all(500);
        std::iota(all.begin(), all.end(), 1);
        row("every memory used", all, QStringList());
    }
    void emptyRuns()
    {
        QFETCH(QList<int>, used);
        QFETCH(QStringList, runs);
        MemoryTable t;
        for (int n : used)
            useMemory(t, n);
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", 1000);
        QCOMPARE(texts(layout, Kind::EmptyRun), runs);
        QCOMPARE(texts(layout, Kind::Memory).size(), used.size());
    }

    void flow_data()
    {
        // Memories 1 to `used` are filled; "n=text" fills memory n with that
        // description, "n!text" gives the empty memory n that description.
        QTest::addColumn<int>("used");
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<int>("linesPerPage");
        // Each page in short: T title, _ blank, H headings, memory numbers,
        // [group], e a run of empty memories, P the PMS heading, p a PMS row.
        QTest::addColumn<QStringList>("pages");
        row("caret starts a page", 10, QStringList{"6=^x"}, 60, QStringList{"T _ H 1-5", "H 6-10 e _ P H p p p p"});
        row("caret on an empty memory", 1, QStringList{"20=x", "10!^"}, 60,
            QStringList{"T _ H 1 e", "H e 20 e _ P H p p p p"});
        row("break and group: no blank under the headings", 2, QStringList{"2=^<HF nets>x"}, 60,
            QStringList{"T _ H 1", "H [HF nets] 2 e _ P H p p p p"});
        // The group heading (blank, heading, memory) is never split off its memory.
        row("group moves with its memory", 9, QStringList{"7=<Group>x"}, 10,
            QStringList{"T _ H 1-6", "H [Group] 7-9 e", "H P H p p p p"});
        row("four pages", 100, QStringList{}, 30,
            QStringList{"T _ H 1-27", "H 28-56", "H 57-85", "H 86-100 e _ P H p p p p"});
        // The PMS block (blank, heading, headings, 4 rows) stays together.
        row("pms moves", 23, QStringList{}, 33, QStringList{"T _ H 1-23 e", "H P H p p p p"});
        row("pms stays", 22, QStringList{}, 33, QStringList{"T _ H 1-22 e _ P H p p p p"});
    }
    void flow()
    {
        QFETCH(int, used);
        QFETCH(QStringList, descriptions);
        QFETCH(int, linesPerPage);
        MemoryTable t;
        for (int n = 1; n <= used; ++n)
            useMemory(t, n, "x");
        for (const QString &d : descriptions) {
            const qsizetype at = d.indexOf(QRegularExpression("[=!]"));
            if (d.at(at) == '=')
                useMemory(t, d.left(at).toInt(), d.mid(at + 1));
            else
                mv::test::setCellText(t, d.left(at).toInt(), MemoryTable::ColDescription, d.mid(at + 1));
        }
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", linesPerPage);
        checkPages(layout, linesPerPage);
        QStringList pages;
        for (const PrintPage &p : layout.pages)
            pages << outline(p);
        QTEST(pages, "pages");
    }

    void tinyPageStillProgresses()
    {
        MemoryTable t;
        for (int n = 1; n <= 500; ++n)
            useMemory(t, n, n % 50 == 0 ? "^<G>x" : "x");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", 0);
        checkPages(layout, kMinLinesPerPage);
        QCOMPARE(texts(layout, Kind::Memory).size(), 500);
    }

    void cellText_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("printed");
        row("enc+dec", int(PrintOptions::Encoding), "CTCSS Enc+Dec", "Enc+Dec");
        row("unknown code", int(PrintOptions::Mode), "?? ", "??");
        row("below 10 MHz", int(PrintOptions::Frequency), "7.00000", " 7.00000");
        row("too wide", int(PrintOptions::Tone), "1234567890", "123456");
    }
    void cellText()
    {
        QFETCH(int, column);
        QFETCH(QString, cell);
        QTEST(PrintCellText(column, cell), "printed");
    }
};

QTEST_GUILESS_MAIN(TestMemoryPrintLayout)
#include "tst_memoryprintlayout.moc"
