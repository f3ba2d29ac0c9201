#pragma once
// Reading all memories from the radio and writing them back: rate detection,
// the "&Read Radio" and "Write R&adio" flows and their loops.
#include "core/AppState.h"

#include <QStringList>

namespace mv {

class CatLink;

// What the last transfer did, for the final message and the command line.
struct TransferSummary {
    bool completed = false;   // loop ran to memory 504
    bool cancelled = false;   // cancel flag ended the loop
    int read = 0;             // memories whose record arrived ("MR" replies)
    int empty = 0;            // "?;" replies
    QList<int> notAnswering;  // memories with no complete reply
    int identical = 0, replaced = 0, added = 0;
    QList<int> skipped;       // rows that could not be encoded (not sent)
    int lastMemory = 0;       // memory in hand when the loop ended
};

class RadioTransfer {
public:
    RadioTransfer(AppContext &ctx, CatLink &link);

    // Finds the radio's CAT rate and switches radio and port to UserCommSpeed.
    bool DetectCatRate();
    // Click on "&Read Radio" / "Write R&adio": the whole flow with its questions.
    void ReadRadio();
    void WriteRadio();
    // The loops alone (after rate detection).
    void ReadAllMemories();
    void WriteAllMemories();

    // Set by a click on the wait window's messages; tested after each memory.
    bool ReadCancelRequested = false;
    bool WriteCancelRequested = false;

    const TransferSummary &summary() const { return m_summary; }

private:
    AppContext &m_ctx;
    CatLink &m_link;
    TransferSummary m_summary;
};

} // namespace mv
