#include "CliWording.h"

#include <array>
#include <utility>

namespace mv::cli {

namespace {
using Phrase = std::pair<const char *, const char *>;

// Window phrase -> the command line's, with "\n" line ends. Longest first
// where one contains another.
constexpr std::array kPhrases = {
    Phrase{"You are about to read the Radio. \n\n  1. Ensure your radio is on and connected.\n"
           "  2. Click the OK button\n\nor click Cancel to abort the memory read.",
           "Reading the radio's memories (the radio must be on and connected; Ctrl-C stops after the memory in "
           "hand)."},
    Phrase{"If you want to clear the existing memories in the radio. \n\n  1. Power Off the Radio\n"
           "  2. Hold in the V/M button and power on the radio\n\n"
           "To minimise relay chatter switch the radio to VFO mode.\n\n"
           "When you are ready to write click the OK button,\nor click Cancel to abort the memory write.",
           "Writing memories to the radio (switching the radio to VFO mode first keeps its relays quiet; Ctrl-C stops "
           "after the memory in hand)."},
    Phrase{"\nIt is recommended that you save a copy to disk using Write Disk File button.", ""},
    Phrase{"\nWhat was read is in the table; memories not read show as Empty.", ""},
    Phrase{"The messages window says why.", "The lines above say why."},
    Phrase{"The messages window lists them.", "The lines above list them."},
    Phrase{"(see the messages window)", "(see the lines above)"},
    Phrase{"Memories empty in the table, left as they are on the radio",
           "Memories empty in the file, left as they are on the radio"},
    Phrase{" is empty in the table; the radio keeps ", " is empty in the file; the radio keeps "},
    Phrase{"empty in the table but kept on the radio", "empty in the file but kept on the radio"},
    Phrase{"or tick \"Do not use RTS\" in the Settings menu.", "or give --no-rts."},
    Phrase{"They are still in the table: correct them and save again.", "Correct them and save again."},
};
}  // namespace

QString CliWording(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const Phrase &p : kPhrases) {
        if (t.contains(QLatin1String(p.first)))
            t.replace(QLatin1String(p.first), QLatin1String(p.second));
    }
    return t;
}

}  // namespace mv::cli
