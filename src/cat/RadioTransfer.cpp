#include "cat/RadioTransfer.h"

#include "cat/CatLink.h"
#include "core/MemoryRecord.h"
#include "core/MemoryTable.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"

#include <algorithm>
#include <exception>
#include <new>

namespace mv {

namespace {

const QString kTrace = QStringLiteral("Y");
const QString kCrLf = QStringLiteral("\r\n");

QString rateOf(const QString &settings) { return settings.section(QLatin1Char(','), 0, 0); }

bool isIdentity(const QString &reply)
{
    return reply == QLatin1String("ID0241;") || reply == QLatin1String("ID0244;");
}

// The reply in set-command form: "MR..." becomes "MW...", "?;" becomes "?W".
QString asSetCommand(const QString &reply)
{
    QString s = reply;
    if (s.size() >= 2)
        s[1] = QLatin1Char('W');
    return s;
}

QList<int> rangeOf(int first, int last)
{
    QList<int> out;
    for (int n = first; n <= last; ++n)
        out << n;
    return out;
}

QString catName(int n)
{
    return n > MemoryTable::kMemoryCount ? MemoryTable::pmsLabel(n - MemoryTable::kMemoryCount) : QString::number(n);
}

} // namespace

RadioTransfer::RadioTransfer(AppContext &ctx, CatLink &link)
    : m_ctx(ctx)
    , m_link(link)
    , m_radioRecords(kLastCat + 1)
{
}

QString RadioTransfer::radioRecord(int n) const
{
    return (n >= 1 && n <= kLastCat) ? m_radioRecords.at(n) : QString();
}

void RadioTransfer::startSummary()
{
    m_summary = TransferSummary();
    m_summary.started = true;
    m_radioRecords.fill(QString());
    m_linkFault.clear();
}

// ---------------------------------------------------------------------------
// Rate detection

bool RadioTransfer::DetectCatRate()
{
    MessageLog &log = m_ctx.log;
    const QStringList &rates = CatLink::RateSettings();
    QString found;
    for (int attempt = 0; found.isEmpty();) {
        for (const QString &probe : rates) {
            m_link.SetCommPort(m_link.CommPort, probe);
            // The port refused: SetCommPort has said so; probing on would only
            // repeat the same box.
            if (!m_link.isOpen())
                return false;
            m_link.SendCommand(QStringLiteral("ID;"));
            if (!m_link.LinkFault.isEmpty()) {
                m_ctx.dialogs.messageBox(m_link.LinkFault, Buttons::Ok, Icon::Exclamation);
                m_link.CloseCommPort();
                return false;
            }
            const bool answered = m_link.ReceiveData();
            if (answered && isIdentity(m_link.ReplyBuffer)) {
                m_link.ActiveSettings = probe;
                log.LogMessage(QStringLiteral("Baud rate of %1 detected").arg(rateOf(probe)), kTrace);
                found = probe;
                break;
            }
            if (!answered)
                log.LogMessage(QStringLiteral("Baud rate of %1 not successful").arg(rateOf(probe)), kTrace);
            m_link.CloseCommPort();
        }
        if (!found.isEmpty())
            break;
        if (++attempt == 2) {
            m_ctx.dialogs.messageBox(QStringLiteral("Two attempts to set the CAT rate have failed.\r\n"
                                                    "Please check your Com port connection and radio power on state."),
                                     Buttons::Ok, Icon::None);
            return false;
        }
    }

    log.LogMessage(QStringLiteral("Turning off Auto Information"), kTrace);
    m_link.SendCommand(QStringLiteral("AI0;"));
    log.LogMessage(QStringLiteral("Setting Com speed to ") + m_link.UserCommSpeed, kTrace);
    m_link.ActiveSettings = m_link.UserCommSpeed;
    const int rateIndex = int(CatLink::RateSettings().indexOf(m_link.ActiveSettings));
    if (rateIndex >= 0)
        m_link.SendCommand(QStringLiteral("EX010%1;").arg(4 - rateIndex));
    if (!m_link.LinkFault.isEmpty()) {
        m_ctx.dialogs.messageBox(m_link.LinkFault, Buttons::Ok, Icon::Exclamation);
        m_link.CloseCommPort();
        return false;
    }
    // CloseCommPort waits until the rate command has left the wire at the old
    // rate; only then does the port change speed.
    m_link.CloseCommPort();
    m_link.SetCommPort(m_link.CommPort, m_link.ActiveSettings);
    // A reopen that failed has shown the port box; going on would only time out
    // 504 times.
    return m_link.isOpen();
}

// ---------------------------------------------------------------------------
// Read

void RadioTransfer::ReadRadio()
{
    AppState &state = m_ctx.state;
    MainView &view = m_ctx.view;
    if (state.MemoriesChanged) {
        const Answer a = m_ctx.dialogs.messageBox(QStringLiteral("Changes have been made but not yet saved to disk\r\n"
                                                                 "Are you sure you want to continue?"),
                                                  Buttons::YesNo, Icon::Question);
        if (a != Answer::Yes)
            return;
    }
    view.ShowMemoriesTab();
    m_summary = TransferSummary();
    m_radioRecords.fill(QString());
    if (!DetectCatRate())
        return;

    int step = 4;
    try {
        state.RadioReadComplete = false;
        state.FileLoadComplete = false;
        state.DataSource = 0;
        state.CurrentFilePath.clear();
        view.SetClipboardItemsEnabled(false, false);
        state.table.ClearAllMemories();
        view.TableCleared();
        view.SetMainButtonsEnabled(false);
        ReadCancelRequested = false;
        view.SetStatusPanel(3, QStringLiteral("0"));
        view.HideTransferWindow();

        step = 5;
        m_ctx.log.LogMessage(QStringLiteral("Read: issue initial instructions"), kTrace);
        step = 6;
        const Answer a = m_ctx.dialogs.messageBox(
            QStringLiteral("You are about to read the Radio. \r\n\r\n"
                           "  1. Ensure your radio is on and connected.\r\n"
                           "  2. Click the OK button\r\n\r\n"
                           "or click Cancel to abort the memory read."),
            Buttons::OkCancel, Icon::Question);
        if (a != Answer::Ok) {
            m_ctx.log.LogMessage(QStringLiteral("Read: user cancelled before read"), kTrace);
            view.RestoreMainButtons();
            m_link.CloseCommPort();
            return;
        }

        step = 8;
        ReadAllMemories();

        step = 9;
        // What was read stays in the table whether or not the loop finished.
        state.MemoriesChanged = false;
        state.RadioReadComplete = true;
        state.DataSource = 1;
        view.RefreshChangedState();
        view.ApplyHideEmpty();
        view.SelectCell(1, 1);
        view.ShowMemoriesTab();
    } catch (const std::exception &e) {
        ReportUnexpected(e, step, QStringLiteral("cmdRead_Click"));
        state.RadioReadComplete = false;
        state.DataSource = 0;
        state.table.ClearAllMemories();
        view.TableCleared();
    }

    view.SetTransferProgress(0, kLastCat);
    view.HideTransferWindow();

    if (state.RadioReadComplete) {
        if (m_summary.readSucceeded()) {
            m_ctx.dialogs.messageBox(QStringLiteral("The read of memories from the Radio has completed successfully.\r\n"
                                                    "It is recommended that you save a copy to disk using Write Disk "
                                                    "File button."),
                                     Buttons::Ok, Icon::Information);
        } else {
            m_ctx.dialogs.messageBox(ReadOutcomeText(), Buttons::Ok, Icon::Exclamation);
        }
    }
    view.RestoreMainButtons();
    m_link.CloseCommPort();
}

bool RadioTransfer::linkDropped()
{
    if (m_link.isOpen())
        return false;
    m_summary.linkLost = true;
    m_linkFault = m_link.LinkFault;
    return true;
}

void RadioTransfer::ReadAllMemories()
{
    MainView &view = m_ctx.view;
    MemoryTable &table = m_ctx.state.table;
    startSummary();
    view.ShowTransferWindow(TransferKind::Read);
    view.SetTransferProgress(0, kLastCat);
    m_link.DiscardInput();

    for (int n = 1; n <= kLastCat; ++n) {
        m_summary.lastMemory = n;
        view.SetStatusPanel(3, QString::number(n));
        view.SetTransferProgress(n, kLastCat);
        m_link.SendCommand(ReadCommand(n));
        if (m_link.ReceiveData()) {
            m_radioRecords[n] = m_link.ReplyBuffer;
            if (m_link.ReplyBuffer == QLatin1String("?;")) {
                ++m_summary.empty;
            } else {
                ++m_summary.read;
                if (!FillMemory(table, n, m_link.ReplyBuffer, &m_ctx.log))
                    m_summary.undecodable << n;
            }
        } else {
            m_summary.notAnswering << n;
        }
        if (linkDropped())
            break;
        if (ReadCancelRequested && n < kLastCat) {
            m_summary.cancelled = true;
            break;
        }
    }
    m_summary.completed = !m_summary.cancelled && !m_summary.linkLost;

    MessageLog &log = m_ctx.log;
    if (m_summary.cancelled)
        log.LogMessage(QStringLiteral("Read: cancelled by user at memory %1").arg(m_summary.lastMemory));
    if (m_summary.linkLost)
        log.LogMessage(QStringLiteral("Read: the connection to the radio was lost at memory %1").arg(m_summary.lastMemory));
    if (!m_summary.notAnswering.isEmpty())
        log.LogMessage(QStringLiteral("Read: no reply from memories %1").arg(MemoryNumbersText(m_summary.notAnswering)));
    if (!m_summary.undecodable.isEmpty())
        log.LogMessage(
            QStringLiteral("Read: replies that could not be decoded from memories %1").arg(MemoryNumbersText(m_summary.undecodable)));
}

QString RadioTransfer::ReadOutcomeText() const
{
    const TransferSummary &s = m_summary;
    if (s.readSucceeded())
        return {};
    QStringList lines;
    if (s.cancelled) {
        lines << QStringLiteral("The read of memories from the Radio was cancelled at memory %1 of %2.")
                     .arg(s.lastMemory)
                     .arg(kLastCat);
    } else if (s.linkLost) {
        lines << QStringLiteral("The read of memories from the Radio stopped at memory %1 of %2: "
                                "the connection to the radio was lost.")
                     .arg(s.lastMemory)
                     .arg(kLastCat);
        if (!m_linkFault.isEmpty())
            lines << m_linkFault;
    } else {
        lines << QStringLiteral("The read of memories from the Radio did not complete.");
    }
    lines << QStringLiteral("Memories read: %1; reported empty: %2.").arg(s.read).arg(s.empty);
    if (!s.notAnswering.isEmpty())
        lines << QStringLiteral("Memories that did not answer: %1.").arg(MemoryNumbersText(s.notAnswering));
    if (!s.undecodable.isEmpty())
        lines << QStringLiteral("Memories whose reply could not be decoded: %1.").arg(MemoryNumbersText(s.undecodable));
    if (!s.completed && s.lastMemory < kLastCat)
        lines << QStringLiteral("Memories not read: %1.").arg(MemoryNumbersText(rangeOf(s.lastMemory + 1, kLastCat)));
    lines << QStringLiteral("What was read is in the table; memories not read show as Empty.");
    return lines.join(kCrLf);
}

// ---------------------------------------------------------------------------
// Write

void RadioTransfer::WriteRadio()
{
    MainView &view = m_ctx.view;
    view.ShowMemoriesTab();
    m_summary = TransferSummary();
    m_radioRecords.fill(QString());
    if (!DetectCatRate())
        return;

    int step = 3;
    try {
        view.SetMainButtonsEnabled(false);
        view.SetStatusPanel(3, QStringLiteral("0"));
        view.HideTransferWindow();

        step = 4;
        m_ctx.log.LogMessage(QStringLiteral("Write: issue initial instructions"), kTrace);
        step = 5;
        const Answer a = m_ctx.dialogs.messageBox(
            QStringLiteral("If you want to clear the existing memories in the radio. \r\n\r\n"
                           "  1. Power Off the Radio\r\n"
                           "  2. Hold in the V/M button and power on the radio\r\n\r\n"
                           "To minimise relay chatter switch the radio to VFO mode.\r\n\r\n"
                           "When you are ready to write click the OK button,\r\n"
                           "or click Cancel to abort the memory write."),
            Buttons::OkCancel, Icon::Question);
        if (a != Answer::Ok) {
            view.RestoreMainButtons();
            m_link.CloseCommPort();
            return;
        }

        step = 7;
        WriteAllMemories();
        if (VerifyAfterWrite && !DryRun && !m_summary.cancelled && !m_summary.linkLost)
            VerifyWrittenMemories();
    } catch (const std::exception &e) {
        ReportUnexpected(e, step, QStringLiteral("cmdWriteRig_Click"));
        view.HideTransferWindow();
        m_link.CloseCommPort();
        view.RestoreMainButtons();
        view.SetStatusPanel(3, QStringLiteral("0"));
        return;
    }
    view.HideTransferWindow();
    m_link.CloseCommPort();

    if (m_summary.cancelled) {
        m_ctx.dialogs.messageBox(WriteOutcomeText(), Buttons::Ok, Icon::None);
    } else {
        const bool clean = m_summary.completed && m_summary.skipped.isEmpty() && m_summary.notAnswering.isEmpty()
            && m_summary.verifyFailed.isEmpty();
        m_ctx.dialogs.messageBox(WriteOutcomeText(), Buttons::Ok, clean ? Icon::Information : Icon::Exclamation);
    }
    view.RestoreMainButtons();
    view.SetStatusPanel(3, QStringLiteral("0"));
}

void RadioTransfer::WriteAllMemories()
{
    MainView &view = m_ctx.view;
    MessageLog &log = m_ctx.log;
    const MemoryTable &table = m_ctx.state.table;
    startSummary();
    view.ShowTransferWindow(TransferKind::Write);
    view.SetTransferProgress(0, kLastCat);
    WriteCancelRequested = false;
    m_link.DiscardInput();

    for (int n = 1; n <= kLastCat; ++n) {
        m_summary.lastMemory = n;
        view.SetStatusPanel(3, QString::number(n));
        view.SetTransferProgress(n, kLastCat);
        if (!table.isCatEmpty(n)) {
            const QString problem = RecordProblem(table, n);
            if (!problem.isEmpty()) {
                // A row the radio could not take is never sent half-formed.
                m_summary.skipped << n;
                log.LogMessage(QStringLiteral("Memory %1 skipped - %2").arg(n).arg(problem));
            } else {
                m_link.SendCommand(ReadCommand(n));
                QString present = QStringLiteral("?;");
                if (m_link.ReceiveData()) {
                    m_radioRecords[n] = m_link.ReplyBuffer;
                    present = asSetCommand(m_link.ReplyBuffer);
                    if (m_link.ReplyBuffer == QLatin1String("?;"))
                        ++m_summary.empty;
                    else
                        ++m_summary.read;
                } else {
                    m_summary.notAnswering << n;
                }
                if (linkDropped())
                    break;
                const QString command = BuildMemoryWrite(table, n);
                if (present == command) {
                    ++m_summary.identical;
                    log.LogMessage(QStringLiteral("Memory %1 is identical - no action required").arg(n), kTrace);
                } else {
                    const bool replacing = present != QLatin1String("?W") && present != QLatin1String("?;");
                    if (DryRun) {
                        log.LogMessage(QStringLiteral("Memory %1 would be %2").arg(n).arg(replacing ? "replaced" : "added"),
                                       kTrace);
                    } else {
                        m_link.SendCommand(command);
                        if (linkDropped())
                            break;
                        m_link.SleepWithEvents(100);
                        log.LogMessage(QStringLiteral("Memory %1 %2").arg(n).arg(replacing ? "replaced" : "added"),
                                       kTrace);
                    }
                    m_summary.written << n;
                    if (replacing)
                        ++m_summary.replaced;
                    else
                        ++m_summary.added;
                }
            }
        }
        if (WriteCancelRequested && n < kLastCat) {
            m_summary.cancelled = true;
            break;
        }
    }
    m_summary.completed = !m_summary.cancelled && !m_summary.linkLost;
    if (m_summary.linkLost)
        log.LogMessage(QStringLiteral("Write: the connection to the radio was lost at memory %1").arg(m_summary.lastMemory));
    if (!m_summary.notAnswering.isEmpty())
        log.LogMessage(QStringLiteral("Write: no reply to the read of memories %1").arg(MemoryNumbersText(m_summary.notAnswering)));
}

void RadioTransfer::VerifyWrittenMemories()
{
    MainView &view = m_ctx.view;
    const MemoryTable &table = m_ctx.state.table;
    m_ctx.log.LogMessage(QStringLiteral("Write: reading back %1 memories written").arg(m_summary.written.size()), kTrace);
    const int total = int(m_summary.written.size());
    for (int i = 0; i < total; ++i) {
        const int n = m_summary.written.at(i);
        view.SetStatusPanel(3, QString::number(n));
        view.SetTransferProgress(i + 1, total);
        m_link.SendCommand(ReadCommand(n));
        const QString back = m_link.ReceiveData() ? asSetCommand(m_link.ReplyBuffer) : QStringLiteral("?;");
        const QString sent = BuildMemoryWrite(table, n);
        if (back != sent) {
            m_summary.verifyFailed << n;
            m_ctx.log.LogMessage(QStringLiteral("Memory %1 differs after writing: radio %2, sent %3").arg(n).arg(back, sent));
        }
        if (linkDropped()) {
            for (int j = i + 1; j < total; ++j)
                m_summary.verifyFailed << m_summary.written.at(j);
            return;
        }
        if (WriteCancelRequested) {
            m_summary.cancelled = true;
            return;
        }
    }
    m_summary.verified = true;
}

QString RadioTransfer::WriteOutcomeText() const
{
    const TransferSummary &s = m_summary;
    QStringList lines;
    if (s.cancelled)
        lines << QStringLiteral("Write cancelled by user request");
    else if (s.linkLost) {
        lines << QStringLiteral("The write to the radio stopped at memory %1 of %2: the connection to the radio was lost.")
                     .arg(s.lastMemory)
                     .arg(kLastCat);
        if (!m_linkFault.isEmpty())
            lines << m_linkFault;
        if (s.lastMemory < kLastCat)
            lines << QStringLiteral("Memories not handled: %1.").arg(MemoryNumbersText(rangeOf(s.lastMemory + 1, kLastCat)));
    } else if (DryRun)
        lines << QStringLiteral("Comparison with the radio completed: %1 memories would be written.").arg(s.written.size());
    else
        lines << QStringLiteral("Transfer of memories completed.");
    if (!s.skipped.isEmpty())
        lines << QStringLiteral("Memories not written because the radio cannot take them: %1. "
                                "The messages window says why.")
                     .arg(MemoryNumbersText(s.skipped));
    if (!s.notAnswering.isEmpty())
        lines << QStringLiteral("Memories that did not answer the read before writing (written without comparison): %1.")
                     .arg(MemoryNumbersText(s.notAnswering));
    if (!s.verifyFailed.isEmpty())
        lines << QStringLiteral("Memories that read back differently after writing: %1.")
                     .arg(MemoryNumbersText(s.verifyFailed));
    return lines.join(kCrLf);
}

// ---------------------------------------------------------------------------

QString RadioTransfer::MemoryNumbersText(const QList<int> &numbers)
{
    QList<int> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    QStringList parts;
    for (qsizetype i = 0; i < sorted.size();) {
        qsizetype j = i;
        // A range never spans the memories and the PMS rows.
        while (j + 1 < sorted.size() && sorted[j + 1] == sorted[j] + 1
               && (sorted[j + 1] > MemoryTable::kMemoryCount) == (sorted[i] > MemoryTable::kMemoryCount))
            ++j;
        if (j == i)
            parts << catName(sorted[i]);
        else
            parts << catName(sorted[i]) + QLatin1Char('-') + catName(sorted[j]);
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

void RadioTransfer::ReportUnexpected(const std::exception &e, int step, const QString &procedure)
{
    // Numbers and wording in the style of the program's other error lines.
    const bool memory = dynamic_cast<const std::bad_alloc *>(&e) != nullptr;
    m_ctx.dialogs.messageBox(QStringLiteral("Error %1 (%2) in line %3 of procedure %4 of Form Form1")
                                 .arg(memory ? 7 : 51)
                                 .arg(memory ? QStringLiteral("Out of memory") : QString::fromUtf8(e.what()))
                                 .arg(step)
                                 .arg(procedure),
                             Buttons::Ok, Icon::None);
}

} // namespace mv
