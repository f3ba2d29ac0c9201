#pragma once
// The options of the printed memory list: which of the six memory columns are
// printed, the page orientation, duplex and the top margin. They are kept in the
// settings store and, while the program runs, in one PrintOptions value that the
// options window edits and the memory print reads.
#include <QString>
#include <QStringList>
#include <array>

namespace mv {

class SettingsStore;

struct PrintOptions {
    static constexpr int kColumnCount = 6;
    // The printable memory columns in order: frequency, mode, repeater shift,
    // encoding method, CTCSS tone, description.
    enum PrintColumn { Frequency = 0, Mode, Shift, Encoding, Tone, Description };

    std::array<bool, kColumnCount> columns{true, true, true, true, true, true};
    bool PrintLandscape = true;
    bool PrintDuplex = false;
    QString topMarginText = QStringLiteral("Minimum");
    int PrintTopMargin = 0;  // twips below the top of the printable area

    // Sum of the print field widths of the chosen columns (53 with all six).
    int width() const;

    // Print field width in characters: 10, 6, 7, 9, 6, 15.
    static int columnWidth(int column);
    // Check box captions: "Frequency (10)" ... "Description (15)".
    static QString columnCaption(int column);
    // Column headings on paper: "RX Freq   " ... "Description    ".
    static QString columnHeading(int column);
    // "Width=" immediately followed by the number.
    static QString widthLabel(int width);

    // The items of the top margin list, in order.
    static QStringList topMarginItems();
    // "Minimum" 0, "1/4 inch" 160, "1/2 inch" 520, "3/4 inch" 880, any other text 1240.
    static int topMarginTwips(const QString &text);
    // The list item that shows a stored text: the text itself when it is an item,
    // else "1 inch", the item whose margin any other text stands for.
    static QString topMarginItem(const QString &text);

    bool operator==(const PrintOptions &) const = default;
};

// Reads the stored options (defaults: all columns, landscape, no duplex, "Minimum").
PrintOptions LoadPrintOptions(const SettingsStore &settings);
// Writes "PrintCol1".."PrintCol6" (0/1), "Landscape", "Duplex" ("True"/"False")
// and "TopMargin" (the list text).
void StorePrintOptions(SettingsStore &settings, const PrintOptions &options);

}  // namespace mv
