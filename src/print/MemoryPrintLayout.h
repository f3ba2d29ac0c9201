#pragma once
// The memory print as plain data: pages of text lines, each line a few spans
// placed at character columns. The window side paints these with a fixed-pitch
// font; nothing here knows about paper, fonts or printers, only how many lines
// fit on a page.
//
// Page 1 opens with the title "Memory print of " + file name; every page then
// carries the column headings of the chosen columns. A description beginning
// with "^" starts a new page before its memory and is printed without the "^";
// a "<text>" at the start of a description (after a "^") is printed as a group
// heading above its memory, apart from the description. Runs of empty memories
// print as one line ("Memories 12 to 40 empty"). The four PMS memories follow
// the memory list under their own heading.
#include "print/PrintOptions.h"

#include <QList>
#include <QString>

namespace mv {

class MemoryTable;

struct PrintSpan {
    int column = 0;  // in characters from the left edge of the text area
    QString text;
};

struct PrintLine {
    enum class Kind { Title, Blank, Headings, Memory, GroupHeading, EmptyRun, PmsHeading, Pms };
    Kind kind = Kind::Blank;
    QList<PrintSpan> spans;

    // The line as fixed-width text: each span starts at its column (or one blank
    // after the previous span when that runs past it).
    QString plainText() const;
    bool isBold() const;
};

struct PrintPage {
    int number = 1;
    QList<PrintLine> lines;
};

struct MemoryPrintLayout {
    QList<PrintPage> pages;
    int maxLineChars = 0;  // the longest plainText() of any line
};

// A description split into its print markers.
struct DescriptionParts {
    bool pageBreak = false;  // began with "^"
    QString group;  // the text between a leading "<" and the next ">"
    QString text;  // what is printed as the description
};
DescriptionParts SplitDescription(const QString &description);

// Lines per page below this are raised to it, so that every page holds its
// headings and some memories whatever the page and font.
inline constexpr int kMinLinesPerPage = 8;
// Characters of the memory number field ("  1 " .. "500 ", "P1L ") left of the columns.
inline constexpr int kLabelFieldChars = 5;

QString PrintTitle(const QString &fileName);
QString PageFooter(int page, int pageCount);
// "Memory 12 empty" / "Memories 12 to 40 empty".
QString EmptyRunText(int first, int last);
// The cell text as printed in a column of the given print field width: the
// encoding method drops its "CTCSS " prefix ("Enc+Dec", "Enc") to fit, and a
// frequency below 10 MHz gets a leading blank (" 7.00000") so that the decimal
// marks line up.
QString PrintCellText(int column, const QString &cell);

MemoryPrintLayout LayoutMemoryPrint(const MemoryTable &table, const PrintOptions &options, const QString &fileName,
                                    int linesPerPage);

}  // namespace mv
