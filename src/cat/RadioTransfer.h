#pragma once
// Reading all memories from the radio and writing them back: rate detection,
// the "&Read Radio" and "Write R&adio" flows and their loops.
#include "core/AppState.h"

#include <QStringList>
#include <QVector>

#include <exception>

namespace mv {

class CatLink;

// What the last transfer did, for the final message and the command line.
struct TransferSummary {
    bool started = false;     // the loop began (rate found, instructions confirmed)
    bool completed = false;   // loop ran to memory 504
    bool cancelled = false;   // cancel flag ended the loop
    bool linkLost = false;    // the port closed or stuck during the loop
    int read = 0;             // memories whose record arrived ("MR" replies)
    int empty = 0;            // "?;" replies
    QList<int> notAnswering;  // memories with no complete reply
    QList<int> undecodable;   // replies FillMemory could not fully decode
    int identical = 0, replaced = 0, added = 0;
    QList<int> skipped;       // rows that could not be encoded (not sent)
    QList<int> written;       // memories an MW was sent to (dry run: would be sent to)
    bool verified = false;    // the read-back after a write ran to its end
    QList<int> verifyFailed;  // memories whose read-back differs from what was sent
    int lastMemory = 0;       // memory in hand when the loop ended

    // A read that holds every memory of the radio.
    bool readSucceeded() const
    {
        return completed && notAnswering.isEmpty() && undecodable.isEmpty();
    }
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

    // Command-line options of the write: compare only and send no "MW"; read
    // back every memory written and report any that differ.
    bool DryRun = false;
    bool VerifyAfterWrite = false;

    const TransferSummary &summary() const { return m_summary; }
    // The radio's reply to "MR" for memory n (1..504) in the last transfer: the
    // record, "?;" for an empty memory, empty text when n was not asked or did
    // not answer.
    QString radioRecord(int n) const;

    // "12, 40-45, 501-504": CAT numbers as ranges.
    static QString MemoryNumbersText(const QList<int> &numbers);
    // The final message of a read that did not complete (cancelled, stopped,
    // memories not answering); empty for a complete read.
    QString ReadOutcomeText() const;
    // The final message of a write.
    QString WriteOutcomeText() const;

private:
    void VerifyWrittenMemories();
    void startSummary();
    // True when the port closed under a transfer loop; the summary and
    // m_linkFault record it.
    bool linkDropped();
    // Error box of an unexpected failure inside a click handler.
    void ReportUnexpected(const std::exception &e, int step, const QString &procedure);

    AppContext &m_ctx;
    CatLink &m_link;
    TransferSummary m_summary;
    QVector<QString> m_radioRecords;
    QString m_linkFault;  // the link's reason when it stopped during the loop
};

} // namespace mv
