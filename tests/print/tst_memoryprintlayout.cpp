// The memory print's pages as data: title, headings, "^" page breaks, "<...>"
// group headings, runs of empty memories, the PMS part and page filling.
#include "DataRows.h"
#include "MemoryRows.h"
#include "core/MemoryTable.h"
#include "print/MemoryPrintLayout.h"

#include <QtTest>
#include <numeric>

using namespace mv;
using Kind = PrintLine::Kind;

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
    void emptyTable()
    {
        MemoryTable t;
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "Initial memory file.450", 60);
        QCOMPARE(layout.pages.size(), 1);
        QCOMPARE(pageText(layout.pages[0]),
                 QStringList({"Memory print of Initial memory file.450", "",
                              "RX Freq    Mode   Shift   Decode    Tone   Description", "Memories 1 to 500 empty", "",
                              "PMS memories", "RX Freq    Mode   Shift   Decode    Tone", "P1L  Empty", "P1U  Empty",
                              "P2L  Empty", "P2U  Empty"}));
    }

    void memoryLineColumns()
    {
        MemoryTable t;
        useMemory(t, 7, "Local repeater");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "a.450", 60);
        const QStringList lines = texts(layout, Kind::Memory);
        QCOMPARE(lines.size(), 1);
        const QString headings = layout.pages[0].lines[2].plainText();
        const QString line = layout.pages[0].lines[4].plainText();
        QCOMPARE(line, QString("  7  145.50000  FM     Minus   Enc+Dec   88.5   Local repeater"));
        // Every value starts under its heading.
        for (const char *h : {"RX Freq", "Mode", "Shift", "Decode", "Tone", "Description"}) {
            const qsizetype at = headings.indexOf(h);
            QVERIFY(at > 0);
            QVERIFY2(line.at(at) != ' ' && line.at(at - 1) == ' ', h);
        }
    }

    void headingsOfChosenColumns_data()
    {
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QString>("line");
        mv::test::row("all", QList<int>{0, 1, 2, 3, 4, 5},
                      QStringList{"RX Freq   ", "Mode  ", "Shift  ", "Decode  ", "Tone  ", "Description    "},
                      "3  145.50000  FM     Minus   Enc+Dec   88.5   Club");
        mv::test::row("frequency, description", QList<int>{0, 5}, QStringList{"RX Freq   ", "Description    "},
                      "3  145.50000  Club");
    }
    void headingsOfChosenColumns()
    {
        QFETCH(QList<int>, checked);
        QFETCH(QStringList, headings);
        QFETCH(QString, line);
        PrintOptions o;
        for (int i = 0; i < PrintOptions::kColumnCount; ++i)
            o.columns[size_t(i)] = checked.contains(i);
        MemoryTable t;
        useMemory(t, 3, "Club");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, o, "x.450", 60);
        const PrintLine &h = layout.pages[0].lines[2];
        QCOMPARE(h.kind, Kind::Headings);
        QStringList got;
        for (const PrintSpan &s : h.spans)
            got << s.text;
        QCOMPARE(got, headings);
        QCOMPARE(texts(layout, Kind::Memory), QStringList{line});
    }

    void emptyRuns_data()
    {
        QTest::addColumn<QList<int>>("used");
        QTest::addColumn<QStringList>("runs");
        mv::test::row("first used", QList<int>{1}, QStringList{"Memories 2 to 500 empty"});
        mv::test::row("last used", QList<int>{500}, QStringList{"Memories 1 to 499 empty"});
        mv::test::row("single gaps", QList<int>{1, 3, 40},
                      QStringList{"Memory 2 empty", "Memories 4 to 39 empty", "Memories 41 to 500 empty"});
        QList<int> all(500);
        std::iota(all.begin(), all.end(), 1);
        mv::test::row("every memory used", all, QStringList());
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

    void splitDescription_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("pageBreak");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("text");
        mv::test::row("plain", "Local repeater", false, "", "Local repeater");
        mv::test::row("break", "^Net frequencies", true, "", "Net frequencies");
        mv::test::row("group", "<Repeaters>GB3XX", false, "Repeaters", "GB3XX");
        mv::test::row("group, blanks", "< 2 m band > GB3XX ", false, "2 m band", "GB3XX");
        mv::test::row("break and group", "^<HF nets>Sunday", true, "HF nets", "Sunday");
        mv::test::row("group only", "<Marine>", false, "Marine", "");
        mv::test::row("empty group", "<>text", false, "", "text");
        mv::test::row("unclosed", "<no end", false, "", "<no end");
        mv::test::row("caret inside", "a^b", false, "", "a^b");
        mv::test::row("group then caret", "<G>^x", false, "G", "^x");
        mv::test::row("two carets", "^^x", true, "", "^x");
        mv::test::row("only caret", "^", true, "", "");
        mv::test::row("empty", "", false, "", "");
    }
    void splitDescription()
    {
        QFETCH(QString, description);
        const DescriptionParts p = SplitDescription(description);
        QTEST(p.pageBreak, "pageBreak");
        QTEST(p.group, "group");
        QTEST(p.text, "text");
    }

    void caretStartsNewPage()
    {
        MemoryTable t;
        for (int n = 1; n <= 10; ++n)
            useMemory(t, n, n == 6 ? "^Second part" : QString("M%1").arg(n));
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", 60);
        QCOMPARE(layout.pages.size(), 2);
        checkPages(layout, 60);
        const PrintPage &second = layout.pages[1];
        QCOMPARE(second.lines[0].kind, Kind::Headings);
        QCOMPARE(second.lines[1].plainText(), QString("  6  145.50000  FM     Minus   Enc+Dec   88.5   Second part"));
        // Page 1 ends with memory 5; the title is not repeated.
        QCOMPARE(layout.pages[0].lines.last().plainText().left(5), QString("  5  "));
        QVERIFY(texts(layout, Kind::Title).size() == 1);
        for (const PrintPage &p : layout.pages)
            for (const PrintLine &l : p.lines)
                QVERIFY(!l.plainText().contains('^'));
    }

    void caretCount_data()
    {
        QTest::addColumn<QList<int>>("breaks");
        QTest::addColumn<int>("pages");
        mv::test::row("none", QList<int>{}, 1);
        mv::test::row("one", QList<int>{4}, 2);
        mv::test::row("neighbours", QList<int>{4, 5}, 3);
        mv::test::row("three", QList<int>{2, 5, 9}, 4);
    }
    void caretCount()
    {
        QFETCH(QList<int>, breaks);
        MemoryTable t;
        for (int n = 1; n <= 10; ++n)
            useMemory(t, n, breaks.contains(n) ? "^x" : "x");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", 60);
        QTEST(int(layout.pages.size()), "pages");
        checkPages(layout, 60);
    }

    void caretOnEmptyMemory()
    {
        MemoryTable t;
        useMemory(t, 1);
        useMemory(t, 20);
        mv::test::setCellText(t, 10, MemoryTable::ColDescription, "^");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", 60);
        QCOMPARE(layout.pages.size(), 2);
        QCOMPARE(texts(layout, Kind::EmptyRun),
                 QStringList({"Memories 2 to 9 empty", "Memories 10 to 19 empty", "Memories 21 to 500 empty"}));
        QCOMPARE(layout.pages[1].lines[1].plainText().trimmed(), QString("Memories 10 to 19 empty"));
    }

    void groupHeading()
    {
        MemoryTable t;
        useMemory(t, 1, "Calling");
        useMemory(t, 2, "<Repeaters>GB3AA");
        useMemory(t, 3, "GB3BB");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", 60);
        const QStringList page = pageText(layout.pages[0]);
        const qsizetype at = page.indexOf("Repeaters");
        QVERIFY(at > 0);
        QCOMPARE(page[at - 1], QString(""));
        QVERIFY(page[at + 1].startsWith("2  145.50000"));
        QVERIFY(page[at + 1].endsWith("  GB3AA"));
        QVERIFY(!page.join('\n').contains('<'));
        QCOMPARE(layout.pages[0].lines[at].kind, Kind::GroupHeading);
        QVERIFY(layout.pages[0].lines[at].isBold());
    }

    void groupWithoutDescriptionColumn()
    {
        PrintOptions o;
        o.columns[PrintOptions::Description] = false;
        MemoryTable t;
        useMemory(t, 5, "<Marine>Channel 16");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, o, "x.450", 60);
        QCOMPARE(texts(layout, Kind::GroupHeading), QStringList{"Marine"});
        QVERIFY(!pageText(layout.pages[0]).join('\n').contains("Channel 16"));
    }

    void breakAndGroupTogether()
    {
        MemoryTable t;
        useMemory(t, 1);
        useMemory(t, 2, "^<HF nets>Sunday");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", 60);
        QCOMPARE(layout.pages.size(), 2);
        const QStringList second = pageText(layout.pages[1]);
        QCOMPARE(second[1], QString("HF nets"));  // no blank line under the headings
        QVERIFY(second[2].endsWith("Sunday"));
    }

    void groupHeadingMovesWithItsMemory()
    {
        // Page 1 holds 3 header lines + 7 memories with 10 lines; the heading of
        // memory 8 (blank + heading + memory) would otherwise be split off.
        MemoryTable t;
        for (int n = 1; n <= 9; ++n)
            useMemory(t, n, n == 7 ? "<Group>x" : "x");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", 10);
        checkPages(layout, 10);
        const QStringList second = pageText(layout.pages[1]);
        QCOMPARE(second[1], QString("Group"));
        QVERIFY(second[2].startsWith("7  "));
    }

    void pageFilling_data()
    {
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("linesPerPage");
        QTest::addColumn<int>("pages");
        // Page 1: title, blank, headings, then memories; later pages: headings, memories.
        // 100 memories at 30 lines: 27 + 29 + 29 + 15, then the run line and the PMS block.
        mv::test::row("four pages", 100, 30, 4);
        // The PMS block (blank, heading, headings, 4 rows) fits below 3 header
        // lines, 22 memories and the run line of a 33-line page, not below 23.
        mv::test::row("pms moves", 23, 33, 2);
        mv::test::row("pms stays", 22, 33, 1);
    }
    void pageFilling()
    {
        QFETCH(int, used);
        QFETCH(int, linesPerPage);
        MemoryTable t;
        for (int n = 1; n <= used; ++n)
            useMemory(t, n);
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", linesPerPage);
        QTEST(int(layout.pages.size()), "pages");
        checkPages(layout, linesPerPage);
        // The PMS part stays together.
        const PrintPage &last = layout.pages.last();
        QCOMPARE(last.lines.last().plainText(), QString("P2U  Empty"));
        int pmsLines = 0;
        for (const PrintLine &l : last.lines)
            pmsLines += l.kind == Kind::Pms ? 1 : 0;
        QCOMPARE(pmsLines, 4);
    }

    void tinyPageStillProgresses_data()
    {
        QTest::addColumn<int>("linesPerPage");
        mv::test::row("zero", 0);
        mv::test::row("one", 1);
    }
    void tinyPageStillProgresses()
    {
        QFETCH(int, linesPerPage);
        MemoryTable t;
        for (int n = 1; n <= 500; ++n)
            useMemory(t, n, n % 50 == 0 ? "^<G>x" : "x");
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", linesPerPage);
        checkPages(layout, kMinLinesPerPage);
        QCOMPARE(texts(layout, Kind::Memory).size(), 500);
    }

    void pmsRows()
    {
        MemoryTable t;
        t.setPms(1, mv::test::memoryOf({"14.000000", "USB", "Simplex", "", "67.0"}));
        t.setPms(2, mv::test::memoryOf({"14.350000", "USB", "Simplex", "", "67.0"}));
        const MemoryPrintLayout layout = LayoutMemoryPrint(t, PrintOptions(), "x.450", 60);
        QCOMPARE(texts(layout, Kind::Pms),
                 QStringList({"P1L  14.000000  USB    Simplex           67.0",
                              "P1U  14.350000  USB    Simplex           67.0", "P2L  Empty", "P2U  Empty"}));
    }

    void cellText_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("printed");
        mv::test::row("enc+dec", int(PrintOptions::Encoding), "CTCSS Enc+Dec", "Enc+Dec");
        mv::test::row("unknown code", int(PrintOptions::Mode), "?? ", "??");
        mv::test::row("below 10 MHz", int(PrintOptions::Frequency), "7.00000", " 7.00000");
        mv::test::row("comma mark", int(PrintOptions::Frequency), "3,50000", " 3,50000");
        mv::test::row("too wide", int(PrintOptions::Tone), "1234567890", "123456");
    }
    void cellText()
    {
        QFETCH(int, column);
        QFETCH(QString, cell);
        QTEST(PrintCellText(column, cell), "printed");
    }

    void footerAndTitle()
    {
        QCOMPARE(PrintTitle("Club.450"), QString("Memory print of Club.450"));
        QCOMPARE(PageFooter(2, 5), QString("Page 2 of 5"));
        QCOMPARE(EmptyRunText(7, 7), QString("Memory 7 empty"));
    }
};

QTEST_GUILESS_MAIN(TestMemoryPrintLayout)
#include "tst_memoryprintlayout.moc"
