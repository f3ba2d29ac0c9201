#pragma once
// Sizes of the main window and its tables in twips (1/1440 inch), the unit the
// settings store keeps them in: grid size profiles, the three ways of setting
// column widths, and the fixed geometry of "&Force windows onto the primary
// desktop". The windows convert to pixels through the screen's logical DPI.
#include <QString>
#include <array>

namespace mv {

class SettingsStore;

inline constexpr int kTwipsPerInch = 1440;

int TwipsToPixels(int twips, double dpi);
int PixelsToTwips(int pixels, double dpi);

struct GridProfile {
    QString name;  // "Normal", "Larger", "Largest"
    int fontPoints;  // grid and tab caption font size
    int headerTwips;  // header row height
    int column0Twips;  // width of column 0, and the base width of the others
};

// "Normal" 8 pt / 500 / 1150, "Larger" 9 pt / 550 / 1180, anything else "Largest"
// 10 pt / 600 / 1210.
GridProfile GridProfileFor(const QString &name);

inline constexpr int kMemoryColumns = 7;
inline constexpr int kPmsColumns = 6;
using MemoryWidths = std::array<int, kMemoryColumns>;
using PmsWidths = std::array<int, kPmsColumns>;

// Widths with neither "Autosize" nor "UserChosenColumnWidths" ticked: columns 1..5
// the base width, the encoding column base + 400, the description three times base.
MemoryWidths DefaultMemoryWidths(const GridProfile &profile);
// The PMS view: every column the base width, encoding base + 400.
PmsWidths DefaultPmsWidths(const GridProfile &profile);

// Extra width given to the tone column after an autosize.
inline constexpr int kAutosizeToneExtraTwips = 200;

// Stored user widths ("Column0".."Column6"); false when "Column0" reads 999 (the
// marker for nothing stored). A column whose own key is missing or unreadable
// keeps `current`'s value.
bool StoredColumnWidths(const SettingsStore &settings, const MemoryWidths &current, MemoryWidths *out);
void StoreColumnWidths(SettingsStore &settings, const MemoryWidths &widths);

// A rectangle in twips.
struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// "&Force windows onto the primary desktop": the main window 11700 x 7410 centred
// on a screen of the given size, the messages window 8130 x 3060 at (2760, 0).
TwipsRect ForcedMainWindowRect(int screenWidthTwips, int screenHeightTwips);
TwipsRect ForcedMessagesWindowRect();

// "MEMVAULT V1.0.0"
QString MainWindowCaption();
// "Version 1.0.0"
QString VersionLabelText();

}  // namespace mv
