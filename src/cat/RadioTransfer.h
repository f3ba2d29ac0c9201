#pragma once
// Reading all memories from the radio and writing them back: rate detection,
// the "&Read Radio", "Write R&adio" and "Compare with Radio..." flows and their
// loops.
//
// Every reply is matched to its command: a memory read takes only the record of
// the memory asked for (or "?;" for an empty one), and a memory without such a
// reply is asked again. After a command that went unanswered the line is brought
// back in step with "ID;" before the next command, so that a late answer to an
// earlier command can never be taken for the answer to a later one. Before the
// first "MW" reaches the radio, the records it replaces are in a backup file.
//
// The flows run on whatever thread calls them: the window hands them to a
// RadioWorker thread, the command line and the tests call them directly. The
// table, the view hooks and the boxes are only ever touched on the front end's
// thread (FrontEndThread), in the order the flow reaches them; a cancel click
// reaches the loop through an atomic flag.
#include "cat/SerialPort.h"
#include "core/AppState.h"
#include "core/MemoryTable.h"

#include <QObject>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace mv {

class CatLink;
class Ft450Commands;
class FrontEndThread;

// What the last transfer did, for the final message and the command line.
struct TransferSummary {
    bool started = false;  // the loop began (rate found, instructions confirmed)
    bool completed = false;  // loop ran to memory 504
    bool cancelled = false;  // cancel flag ended the loop
    bool linkLost = false;  // the port closed or the radio stopped answering during the loop
    int read = 0;  // memories whose record arrived ("MR" replies)
    int empty = 0;  // "?;" replies
    QList<int> notAnswering;  // memories without an accepted reply after every retry
    QList<int> undecodable;  // memories that answered only with records that do not decode
    int identical = 0, replaced = 0, added = 0;
    QList<int> skipped;  // rows the radio cannot take (not sent)
    QList<int> written;  // memories the radio took an MW for (dry run: would be sent to)
    QList<int> refused;  // memories whose MW the radio answered with "?;"
    QList<int> unconfirmed;  // MW sent, but the radio did not answer after it
    int emptiedRows = 0;  // rows empty in the table, left as they are on the radio
    QString backupPath;  // the radio's records before the write
    QString backupError;  // why the backup could not be written (the write stopped)
    bool verified = false;  // the read-back after a write ran to its end
    QList<int> verifyFailed;  // memories whose read-back differs from what was sent
    int lastMemory = 0;  // memory in hand when the loop ended

    // A read that holds every memory of the radio.
    bool readSucceeded() const { return completed && notAnswering.isEmpty() && undecodable.isEmpty(); }
    // A write that sent every memory it had to and the radio took them all.
    bool writeSucceeded() const
    {
        return completed && backupError.isEmpty() && skipped.isEmpty() && notAnswering.isEmpty()
               && undecodable.isEmpty() && refused.isEmpty() && unconfirmed.isEmpty() && verifyFailed.isEmpty();
    }
};

// How one memory of the table stands against the radio's.
struct MemoryDifference {
    enum class Kind {
        Replace,  // both hold it and a write would change the radio's
        Add,  // empty on the radio
        KeptOnRadio,  // empty in the table; the radio keeps it (CAT cannot erase)
        CannotWrite,  // the row cannot be sent (reason in `table`)
        NotRead,  // the radio's record is not known
    };
    int number = 0;
    Kind kind = Kind::Replace;
    QString radio;  // the radio's memory as text ("" when empty or not read)
    QString table;  // the table's memory as text, or why it cannot be written
};

class RadioTransfer : public QObject {
    Q_OBJECT
public:
    // frontEnd: the thread that owns ctx's table, view and dialogs; null when
    // the flows are called on that thread itself.
    RadioTransfer(AppContext &ctx, CatLink &link, FrontEndThread *frontEnd = nullptr);
    ~RadioTransfer() override;

    // Finds the radio's CAT rate and switches radio and port to UserCommSpeed,
    // then makes sure the radio answers at that speed.
    bool DetectCatRate();
    // Click on "&Read Radio" / "Write R&adio" / "Compare with Radio...": the
    // whole flow with its questions.
    void ReadRadio();
    void WriteRadio();
    void CompareWithRadio();
    // The loops alone (after rate detection).
    void ReadAllMemories();
    void WriteAllMemories();

    // Set by a click on the wait window's messages (from any thread); tested
    // after each memory.
    std::atomic<bool> ReadCancelRequested{false};
    std::atomic<bool> WriteCancelRequested{false};

    // The front end is going away: questions still to come are answered
    // Cancel and nothing more is handed to it.
    void shutFrontEnd();

    // Command-line options of the write: compare only and send no "MW"; read
    // back every memory written and report any that differ.
    bool DryRun = false;
    bool VerifyAfterWrite = false;
    // Where the backup of a write goes; empty: "Backups" in the data folder.
    QString BackupDir;

    const TransferSummary &summary() const { return m_summary; }
    // The radio's reply to "MR" for memory n (1..504) in the last transfer: the
    // record, "?;" for an empty memory, empty text when n was not asked or did
    // not answer.
    QString radioRecord(int n) const;
    // Every memory where a write of `table` would change the radio, or the
    // radio keeps what the table has emptied, after the last read of the radio.
    QList<MemoryDifference> Differences(const MemoryTable &table) const;
    static QString DifferenceText(const MemoryDifference &d);
    // "Memories that a write would replace: 2; add: 1; ..." for a Differences list.
    static QString DifferenceCounts(const QList<MemoryDifference> &differences);

    // "12, 40-45, 501-504": CAT numbers as ranges.
    static QString MemoryNumbersText(const QList<int> &numbers);
    // The final message of a read that did not complete (cancelled, stopped,
    // memories not answering); empty for a complete read.
    QString ReadOutcomeText() const;
    // The final message of a write.
    QString WriteOutcomeText() const;

    // Retries of a memory without an accepted reply, and how many memories in a
    // row without one mean the radio is gone.
    static constexpr int kRetries = 3;
    static constexpr int kLostAfter = 5;
    // How long the radio may take to answer at its new rate after a rate change.
    static constexpr int kRateChangeAnswerMs = 500;

signals:
    // Memory `value` of `maximum` is in hand (the read-back after a write counts
    // the memories written).
    void progress(int value, int maximum);
    // A read, write or compare flow has ended, however it ended.
    void finished(const mv::TransferSummary &summary);

private:
    // Reads every memory into `into`, or into the front end's table when null.
    void readLoop(MemoryTable *into);
    // Runs `f` on the front end's thread and waits for it.
    void onFrontEnd(const std::function<void()> &f);
    // Status panel 3, the progress bar and the progress signal.
    void showProgress(int value, int maximum);
    // Copies the front end's table and data folder for a write.
    void snapshotTable();
    void VerifyWrittenMemories();
    void startSummary();
    // The radio's reply to "MR" for memory n, asked up to 1 + kRetries times:
    // a record or "?;"; empty when none came. *garbled: the memory answered only
    // with records that do not decode.
    QString queryMemory(int n, bool *garbled = nullptr);
    // "ID;" until the radio answers it: everything that was on its way has
    // arrived, so the next reply belongs to the next command.
    bool syncLine(int attempts = 1, QStringList *discarded = nullptr);
    // Sends the rate command of the rate the radio was found at (when that is
    // another rate and the user wants it), then closes the port.
    void closeLink();
    // True when the port closed under a transfer loop; the summary and
    // m_linkFault record it.
    bool linkDropped();
    // Saves the records answered so far as the backup file (whole, each time).
    bool saveBackup();
    QString backupFolder() const;

    AppContext &m_ctx;
    CatLink &m_link;
    std::unique_ptr<Ft450Commands> m_radio;
    std::unique_ptr<FrontEndThread> m_ownFrontEnd;
    FrontEndThread *m_frontEnd = nullptr;
    MemoryTable m_table;  // what a write sends (a copy of the front end's)
    QString m_homeDir;  // the data folder when the write started
    TransferSummary m_summary;
    QVector<QString> m_radioRecords;
    QVector<QString> m_sent;  // the MW sent to each memory in the last write
    QString m_linkFault;  // the link's reason when it stopped during the loop
    std::optional<LineSettings> m_foundSettings;  // the rate the radio was found at
    bool m_synced = false;  // no reply to an earlier command can still arrive
};

}  // namespace mv
