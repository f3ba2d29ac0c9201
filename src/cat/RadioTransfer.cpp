#include "cat/RadioTransfer.h"

#include "cat/CatLink.h"
#include "cat/Ft450Commands.h"
#include "core/MemoryRecord.h"
#include "core/MemoryTable.h"
#include "core/MemoryText.h"
#include "core/RadioTables.h"
#include "shell/Dialogs.h"
#include "shell/FrontEnd.h"
#include "shell/MessageLog.h"
#include "shell/SafeSave.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <new>

namespace mv {

namespace {

constexpr LogLevel kTrace = LogLevel::Trace;
const QString kCrLf = QStringLiteral("\r\n");

QString rateOf(const LineSettings &settings) { return QString::number(settings.baud); }

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

}  // namespace

RadioTransfer::RadioTransfer(AppContext &ctx, CatLink &link, FrontEndThread *frontEnd)
    : m_ctx(ctx)
    , m_link(link)
    , m_radio(std::make_unique<Ft450Commands>(link))
    , m_radioRecords(kLastCat + 1)
{
    if (!frontEnd) {
        m_ownFrontEnd = std::make_unique<FrontEndThread>();
        frontEnd = m_ownFrontEnd.get();
    }
    m_frontEnd = frontEnd;
}

RadioTransfer::~RadioTransfer() = default;

void RadioTransfer::shutFrontEnd() { m_frontEnd->shut(); }

void RadioTransfer::onFrontEnd(const std::function<void()> &f) { m_frontEnd->call(f); }

void RadioTransfer::showProgress(int value, int maximum)
{
    m_frontEnd->post([this, value, maximum] {
        m_ctx.view.SetStatusPanel(3, QString::number(value));
        m_ctx.view.SetTransferProgress(value, maximum);
    });
    emit progress(value, maximum);
}

void RadioTransfer::snapshotTable()
{
    onFrontEnd([this] {
        const MemoryTable &table = m_ctx.state.table;
        m_table.setMemoryRows(table.memoryRows());
        for (int k = 1; k <= MemoryTable::kPmsCount; ++k)
            m_table.setPms(k, table.pms(k));
        m_homeDir = m_ctx.state.HomeDir;
    });
}

namespace {
// Tells whoever waits for the flow that it has ended, however it ended.
struct FinishedSignal {
    std::function<void()> emitIt;
    ~FinishedSignal() { emitIt(); }
};
}  // namespace

QString RadioTransfer::radioRecord(int n) const { return (n >= 1 && n <= kLastCat) ? m_radioRecords.at(n) : QString(); }

void RadioTransfer::startSummary()
{
    m_summary = TransferSummary();
    m_summary.started = true;
    m_radioRecords.fill(QString());
    m_linkFault.clear();
}

// ---------------------------------------------------------------------------
// Exchanges

bool RadioTransfer::syncLine(int attempts, QStringList *discarded)
{
    for (int i = 0; i < attempts && m_link.isOpen(); ++i) {
        const CatReply reply = m_radio->identify();
        if (discarded)
            *discarded += reply.discarded;
        if (reply.accepted()) {
            m_synced = true;
            return true;
        }
    }
    m_synced = false;
    return false;
}

QString RadioTransfer::queryMemory(int n, bool *garbled)
{
    const QString ownPrefix = Ft450Commands::memoryReplyPrefix(n);
    for (int attempt = 0; attempt <= kRetries && m_link.isOpen(); ++attempt) {
        if (attempt > 0)
            m_ctx.log.LogMessage(QStringLiteral("Memory %1: no reply, asking again").arg(n), kTrace);
        // "?;" carries no number: it is taken as this memory's answer only when no
        // answer to an earlier command can still be on its way.
        if (!m_synced && !syncLine())
            continue;
        const CatReply reply = m_radio->readMemory(n);
        if (reply.accepted())
            return reply.text;
        m_synced = false;
        if (garbled) {
            for (const QString &d : reply.discarded)
                *garbled = *garbled || d.startsWith(ownPrefix);
        }
    }
    return {};
}

void RadioTransfer::closeLink()
{
    if (m_link.RestoreCatRate && m_link.isOpen() && m_foundSettings && m_foundSettings != m_link.openSettings()) {
        if (CatLink::RateSettings().contains(*m_foundSettings)) {
            m_ctx.log.LogMessage(QStringLiteral("Setting the radio's CAT rate back to ") + rateOf(*m_foundSettings),
                                 kTrace);
            m_radio->setCatRate(*m_foundSettings);
        }
    }
    m_foundSettings.reset();
    // The close waits until the last command has left the wire.
    m_link.CloseCommPort();
}

// ---------------------------------------------------------------------------
// Rate detection

bool RadioTransfer::DetectCatRate()
{
    MessageLog &log = m_ctx.log;
    const QList<LineSettings> &rates = CatLink::RateSettings();
    m_foundSettings.reset();
    m_synced = false;
    for (int attempt = 0; !m_foundSettings;) {
        for (const LineSettings &probe : rates) {
            m_link.SetCommPort(m_link.CommPort, probe);
            // The port refused: SetCommPort has said so; probing on would only
            // repeat the same box.
            if (!m_link.isOpen())
                return false;
            const CatReply reply = m_radio->identify();
            if (!m_link.LinkFault.isEmpty()) {
                m_ctx.dialogs.messageBox(m_link.LinkFault, Buttons::Ok, Icon::Exclamation);
                m_link.CloseCommPort();
                return false;
            }
            if (reply.accepted()) {
                m_link.ActiveSettings = probe;
                log.LogMessage(QStringLiteral("Baud rate of %1 detected").arg(rateOf(probe)), kTrace);
                m_foundSettings = probe;
                break;
            }
            if (reply.discarded.isEmpty())
                log.LogMessage(QStringLiteral("Baud rate of %1 not successful").arg(rateOf(probe)), kTrace);
            m_link.CloseCommPort();
        }
        if (m_foundSettings)
            break;
        if (++attempt == 2) {
            m_ctx.dialogs.messageBox(QStringLiteral("Two attempts to set the CAT rate have failed.\r\n"
                                                    "Please check your Com port connection and radio power on state."),
                                     Buttons::Ok, Icon::None);
            return false;
        }
    }

    log.LogMessage(QStringLiteral("Turning off Auto Information"), kTrace);
    m_radio->autoInformationOff();
    log.LogMessage(QStringLiteral("Setting Com speed to ") + m_link.UserCommSpeed.text(), kTrace);
    m_link.ActiveSettings = m_link.UserCommSpeed;
    m_radio->setCatRate(m_link.ActiveSettings);
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
    if (!m_link.isOpen())
        return false;

    // A radio may need a moment at its new rate before it listens again.
    const qint64 until = m_link.clockMs() + kRateChangeAnswerMs;
    while (!syncLine() && m_link.isOpen() && m_link.clockMs() < until) { }
    if (!m_synced) {
        log.LogMessage(QStringLiteral("The radio did not answer at ") + m_link.ActiveSettings.text());
        m_ctx.dialogs.messageBox(QStringLiteral("The radio did not answer after its CAT rate was set to %1 baud.\r\n"
                                                "Please check your Com port connection and radio power on state.")
                                     .arg(rateOf(m_link.ActiveSettings)),
                                 Buttons::Ok, Icon::None);
        closeLink();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Read

void RadioTransfer::ReadRadio()
{
    FinishedSignal done{[this] { emit finished(m_summary); }};
    AppState &state = m_ctx.state;
    MainView &view = m_ctx.view;
    bool proceed = true;
    onFrontEnd([&] {
        if (state.MemoriesChanged) {
            const Answer a
                = m_ctx.dialogs.messageBox(QStringLiteral("Changes have been made but not yet saved to disk\r\n"
                                                          "Are you sure you want to continue?"),
                                           Buttons::YesNo, Icon::Question);
            proceed = a == Answer::Yes;
        }
        if (proceed)
            view.ShowMemoriesTab();
    });
    if (!proceed)
        return;
    m_summary = TransferSummary();
    m_radioRecords.fill(QString());
    if (!DetectCatRate())
        return;

    ReadCancelRequested = false;
    onFrontEnd([&] {
        state.RadioReadComplete = false;
        state.FileLoadComplete = false;
        state.DataSource = DataSource::Nothing;
        state.CurrentFilePath.clear();
        view.CommandsChanged();
        state.table.ClearAllMemories();
        view.TableCleared();
        view.SetMainButtonsEnabled(false);
        view.SetStatusPanel(3, QStringLiteral("0"));
        view.HideTransferWindow();
    });

    m_ctx.log.LogMessage(QStringLiteral("Read: issue initial instructions"), kTrace);
    const Answer a = m_ctx.dialogs.messageBox(QStringLiteral("You are about to read the Radio. \r\n\r\n"
                                                             "  1. Ensure your radio is on and connected.\r\n"
                                                             "  2. Click the OK button\r\n\r\n"
                                                             "or click Cancel to abort the memory read."),
                                              Buttons::OkCancel, Icon::Question);
    if (a != Answer::Ok) {
        m_ctx.log.LogMessage(QStringLiteral("Read: user cancelled before read"), kTrace);
        onFrontEnd([&] { view.RestoreMainButtons(); });
        closeLink();
        return;
    }

    ReadAllMemories();

    // What was read stays in the table whether or not the loop finished.
    onFrontEnd([&] {
        state.MemoriesChanged = false;
        state.RadioReadComplete = true;
        state.DataSource = DataSource::Radio;
        view.RefreshChangedState();
        view.ApplyHideEmpty();
        view.SelectCell(1, 1);
        view.ShowMemoriesTab();
    });

    onFrontEnd([&] {
        view.SetTransferProgress(0, kLastCat);
        view.HideTransferWindow();
    });
    closeLink();

    onFrontEnd([&] {
        if (state.RadioReadComplete) {
            if (m_summary.readSucceeded()) {
                m_ctx.dialogs.messageBox(
                    QStringLiteral("The read of memories from the Radio has completed successfully.\r\n"
                                   "It is recommended that you save a copy to disk using Write Disk File button."),
                    Buttons::Ok, Icon::Information);
            } else {
                m_ctx.dialogs.messageBox(ReadOutcomeText(), Buttons::Ok, Icon::Exclamation);
            }
        }
        view.RestoreMainButtons();
    });
}

bool RadioTransfer::linkDropped()
{
    if (m_link.isOpen())
        return false;
    m_summary.linkLost = true;
    m_linkFault = m_link.LinkFault;
    return true;
}

void RadioTransfer::ReadAllMemories() { readLoop(nullptr); }

void RadioTransfer::readLoop(MemoryTable *into)
{
    startSummary();
    m_frontEnd->post([this] {
        m_ctx.view.ShowTransferWindow(TransferKind::Read);
        m_ctx.view.SetTransferProgress(0, kLastCat);
    });
    m_link.DiscardInput();

    int silent = 0;
    for (int n = 1; n <= kLastCat; ++n) {
        m_summary.lastMemory = n;
        showProgress(n, kLastCat);
        bool garbled = false;
        const QString reply = queryMemory(n, &garbled);
        if (reply.isEmpty()) {
            (garbled ? m_summary.undecodable : m_summary.notAnswering) << n;
            if (!garbled && ++silent >= kLostAfter)
                m_summary.linkLost = true;
        } else {
            silent = 0;
            m_radioRecords[n] = reply;
            if (reply == QLatin1String("?;")) {
                ++m_summary.empty;
            } else {
                ++m_summary.read;
                // The table belongs to the front end: each memory joins it there,
                // in order, while the loop goes on.
                if (into)
                    FillMemory(*into, n, reply, &m_ctx.log);
                else
                    m_frontEnd->post([this, n, reply] { FillMemory(m_ctx.state.table, n, reply, &m_ctx.log); });
            }
        }
        if (linkDropped() || m_summary.linkLost)
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
        log.LogMessage(
            QStringLiteral("Read: the connection to the radio was lost at memory %1").arg(m_summary.lastMemory));
    if (!m_summary.notAnswering.isEmpty())
        log.LogMessage(
            QStringLiteral("Read: no reply from memories %1").arg(MemoryNumbersText(m_summary.notAnswering)));
    if (!m_summary.undecodable.isEmpty())
        log.LogMessage(QStringLiteral("Read: replies that could not be decoded from memories %1")
                           .arg(MemoryNumbersText(m_summary.undecodable)));
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
    FinishedSignal done{[this] { emit finished(m_summary); }};
    MainView &view = m_ctx.view;
    onFrontEnd([&] { view.ShowMemoriesTab(); });
    m_summary = TransferSummary();
    m_radioRecords.fill(QString());
    if (!DetectCatRate())
        return;

    onFrontEnd([&] {
        view.SetMainButtonsEnabled(false);
        view.SetStatusPanel(3, QStringLiteral("0"));
        view.HideTransferWindow();
    });

    m_ctx.log.LogMessage(QStringLiteral("Write: issue initial instructions"), kTrace);
    const Answer a
        = m_ctx.dialogs.messageBox(QStringLiteral("If you want to clear the existing memories in the radio. \r\n\r\n"
                                                  "  1. Power Off the Radio\r\n"
                                                  "  2. Hold in the V/M button and power on the radio\r\n\r\n"
                                                  "To minimise relay chatter switch the radio to VFO mode.\r\n\r\n"
                                                  "When you are ready to write click the OK button,\r\n"
                                                  "or click Cancel to abort the memory write."),
                                   Buttons::OkCancel, Icon::Question);
    if (a != Answer::Ok) {
        onFrontEnd([&] { view.RestoreMainButtons(); });
        closeLink();
        return;
    }

    WriteAllMemories();
    if (VerifyAfterWrite && !DryRun && !m_summary.cancelled && !m_summary.linkLost && m_summary.backupError.isEmpty())
        VerifyWrittenMemories();
    onFrontEnd([&] { view.HideTransferWindow(); });
    closeLink();

    Icon icon = Icon::Exclamation;
    if (m_summary.cancelled)
        icon = Icon::None;
    else if (m_summary.writeSucceeded())
        icon = Icon::Information;
    onFrontEnd([&] {
        m_ctx.dialogs.messageBox(WriteOutcomeText(), Buttons::Ok, icon);
        view.RestoreMainButtons();
        view.SetStatusPanel(3, QStringLiteral("0"));
    });
}

QString RadioTransfer::backupFolder() const
{
    if (!BackupDir.isEmpty())
        return BackupDir;
    const QString home = m_homeDir.isEmpty() ? QDir::currentPath() : m_homeDir;
    return QDir(home).filePath(QStringLiteral("Backups"));
}

bool RadioTransfer::saveBackup()
{
    if (m_summary.backupPath.isEmpty()) {
        const QString folder = backupFolder();
        if (!QDir().mkpath(folder)) {
            m_summary.backupError
                = QStringLiteral("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(folder));
            return false;
        }
        const QString stem = QDir(folder).filePath(
            QStringLiteral("radio-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
        // Never over an earlier backup, even one made within the same second.
        QString path = stem + QStringLiteral(".450");
        for (int i = 2; QFileInfo::exists(path); ++i)
            path = stem + QStringLiteral("-%1.450").arg(i);
        m_summary.backupPath = QDir::toNativeSeparators(path);
    }
    // The whole file each time: on the disk it is always a complete memory file.
    QByteArray lines;
    for (int n = 1; n <= m_summary.lastMemory && n <= kLastCat; ++n) {
        const QString &r = m_radioRecords.at(n);
        if (r.size() == kRecordLength)
            lines += asSetCommand(r).toLatin1() + "\r\n";
    }
    const SaveError error = SaveFileContent(QDir::fromNativeSeparators(m_summary.backupPath), lines);
    if (error.failed()) {
        m_summary.backupError = QStringLiteral("Cannot save %1.").arg(error.text());
        return false;
    }
    return true;
}

void RadioTransfer::WriteAllMemories()
{
    MessageLog &log = m_ctx.log;
    // The loop works on a copy: the table stays the front end's to show (and
    // edit) while the radio is written.
    snapshotTable();
    const MemoryTable &table = m_table;
    startSummary();
    m_sent = QVector<QString>(kLastCat + 1);
    m_frontEnd->post([this] {
        m_ctx.view.ShowTransferWindow(TransferKind::Write);
        m_ctx.view.SetTransferProgress(0, kLastCat);
    });
    WriteCancelRequested = false;
    m_link.DiscardInput();

    int silent = 0;
    for (int n = 1; n <= kLastCat; ++n) {
        m_summary.lastMemory = n;
        showProgress(n, kLastCat);
        if (table.isCatEmpty(n)) {
            ++m_summary.emptiedRows;
        } else if (const QString problem = RadioWriteProblem(table, n); !problem.isEmpty()) {
            // A row the radio could not take is never sent, half-formed or refused.
            m_summary.skipped << n;
            log.LogMessage(QStringLiteral("Memory %1 skipped - %2").arg(n).arg(problem));
        } else {
            bool garbled = false;
            const QString present = queryMemory(n, &garbled);
            if (linkDropped())
                break;
            if (present.isEmpty()) {
                // Unknown what the radio holds there: nothing to keep a copy of, so
                // nothing is sent.
                (garbled ? m_summary.undecodable : m_summary.notAnswering) << n;
                if (!garbled && ++silent >= kLostAfter) {
                    m_summary.linkLost = true;
                    break;
                }
            } else {
                silent = 0;
                m_radioRecords[n] = present;
                const bool replacing = present != QLatin1String("?;");
                if (replacing)
                    ++m_summary.read;
                else
                    ++m_summary.empty;
                const QString command = KeepRadioOnlyFields(BuildMemoryWrite(table, n), present);
                if (asSetCommand(present) == command) {
                    ++m_summary.identical;
                    log.LogMessage(QStringLiteral("Memory %1 is identical - no action required").arg(n), kTrace);
                } else if (DryRun) {
                    log.LogMessage(QStringLiteral("Memory %1 would be %2").arg(n).arg(replacing ? "replaced" : "added"),
                                   kTrace);
                    m_summary.written << n;
                    ++(replacing ? m_summary.replaced : m_summary.added);
                } else {
                    if (!saveBackup()) {
                        log.LogMessage(
                            QStringLiteral("Write: stopped before memory %1 - %2").arg(n).arg(m_summary.backupError));
                        break;
                    }
                    m_radio->writeMemory(command);
                    if (linkDropped())
                        break;
                    m_sent[n] = command;
                    // The radio answers an MW only when it refuses it.
                    QStringList after = m_link.Listen(100);
                    // Its "ID;" answer comes after anything it still had to say
                    // about the MW, and shows that it is still there.
                    QStringList beforeId;
                    const bool confirmed = syncLine(1 + kRetries, &beforeId);
                    if (linkDropped())
                        break;
                    // Nothing but the MW can still be answered here: a "?;" heard
                    // late, before the answer to "ID;", is its refusal too.
                    if (after.contains(QStringLiteral("?;")) || beforeId.contains(QStringLiteral("?;"))) {
                        m_summary.refused << n;
                        log.LogMessage(QStringLiteral("Memory %1 refused by the radio").arg(n));
                    } else if (!confirmed) {
                        m_summary.unconfirmed << n;
                        log.LogMessage(QStringLiteral("Memory %1: no answer from the radio after writing").arg(n));
                        if (++silent >= kLostAfter) {
                            m_summary.linkLost = true;
                            break;
                        }
                    } else {
                        log.LogMessage(QStringLiteral("Memory %1 %2").arg(n).arg(replacing ? "replaced" : "added"),
                                       kTrace);
                        m_summary.written << n;
                        ++(replacing ? m_summary.replaced : m_summary.added);
                    }
                }
            }
        }
        if (WriteCancelRequested && n < kLastCat) {
            m_summary.cancelled = true;
            break;
        }
    }
    m_summary.completed = !m_summary.cancelled && !m_summary.linkLost && m_summary.backupError.isEmpty();
    // Whatever ended the loop, the backup holds every record the radio gave.
    if (!m_summary.backupPath.isEmpty() && m_summary.backupError.isEmpty() && !saveBackup())
        log.LogMessage(QStringLiteral("Write: ") + m_summary.backupError);
    if (m_summary.linkLost)
        log.LogMessage(
            QStringLiteral("Write: the connection to the radio was lost at memory %1").arg(m_summary.lastMemory));
    if (!m_summary.notAnswering.isEmpty())
        log.LogMessage(QStringLiteral("Write: no reply to the read of memories %1")
                           .arg(MemoryNumbersText(m_summary.notAnswering)));
}

void RadioTransfer::VerifyWrittenMemories()
{
    m_ctx.log.LogMessage(QStringLiteral("Write: reading back %1 memories written").arg(m_summary.written.size()),
                         kTrace);
    const int total = int(m_summary.written.size());
    for (int i = 0; i < total; ++i) {
        const int n = m_summary.written.at(i);
        m_frontEnd->post([this, n, i, total] {
            m_ctx.view.SetStatusPanel(3, QString::number(n));
            m_ctx.view.SetTransferProgress(i + 1, total);
        });
        emit progress(i + 1, total);
        const QString reply = queryMemory(n);
        const QString back = reply.isEmpty() ? QStringLiteral("no reply") : asSetCommand(reply);
        if (back != m_sent.at(n)) {
            m_summary.verifyFailed << n;
            m_ctx.log.LogMessage(
                QStringLiteral("Memory %1 differs after writing: radio %2, sent %3").arg(n).arg(back, m_sent.at(n)));
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
    const bool stopped = s.cancelled || s.linkLost || !s.backupError.isEmpty();
    if (s.cancelled) {
        lines << QStringLiteral("Write cancelled by user request");
    } else if (!s.backupError.isEmpty()) {
        lines << QStringLiteral("The write to the radio stopped before memory %1: the copy of the radio's memories "
                                "could not be saved, so nothing more was sent.")
                     .arg(catName(s.lastMemory))
              << s.backupError;
    } else if (s.linkLost) {
        lines << QStringLiteral("The write to the radio did not complete: it stopped at memory %1 of %2, "
                                "the connection to the radio was lost.")
                     .arg(s.lastMemory)
                     .arg(kLastCat);
        if (!m_linkFault.isEmpty())
            lines << m_linkFault;
    } else if (DryRun) {
        lines << QStringLiteral("Comparison with the radio completed: %1 memories would be written.")
                     .arg(s.written.size());
    } else if (s.refused.isEmpty() && s.notAnswering.isEmpty() && s.unconfirmed.isEmpty() && s.undecodable.isEmpty()
               && s.verifyFailed.isEmpty()) {
        lines << QStringLiteral("Transfer of memories completed.");
    } else {
        lines << QStringLiteral("The write to the radio ran to the end, but not every memory was written.");
    }
    if (!DryRun && (stopped || !s.writeSucceeded()))
        lines << QStringLiteral("Memories written: %1.")
                     .arg(s.written.isEmpty() ? QStringLiteral("none") : MemoryNumbersText(s.written));
    if (!s.skipped.isEmpty())
        lines << QStringLiteral("Memories not written because the radio cannot take them: %1. "
                                "The messages window says why.")
                     .arg(MemoryNumbersText(s.skipped));
    if (!s.refused.isEmpty())
        lines << QStringLiteral("Memories the radio refused: %1.").arg(MemoryNumbersText(s.refused));
    if (!s.notAnswering.isEmpty())
        lines << QStringLiteral("Memories not written because they did not answer the read before writing: %1.")
                     .arg(MemoryNumbersText(s.notAnswering));
    if (!s.undecodable.isEmpty())
        lines << QStringLiteral("Memories not written because their reply could not be decoded: %1.")
                     .arg(MemoryNumbersText(s.undecodable));
    if (!s.unconfirmed.isEmpty())
        lines << QStringLiteral("Memories written but not confirmed by the radio: %1.")
                     .arg(MemoryNumbersText(s.unconfirmed));
    if (!s.verifyFailed.isEmpty())
        lines << QStringLiteral("Memories that read back differently after writing: %1.")
                     .arg(MemoryNumbersText(s.verifyFailed));
    if (stopped && s.lastMemory < kLastCat)
        lines
            << QStringLiteral("Memories not handled: %1.").arg(MemoryNumbersText(rangeOf(s.lastMemory + 1, kLastCat)));
    if (s.emptiedRows > 0)
        lines << QStringLiteral("Memories empty in the table, left as they are on the radio (a memory cannot be "
                                "erased over CAT): %1.")
                     .arg(s.emptiedRows);
    if (!s.backupPath.isEmpty())
        lines << QStringLiteral("The radio's memories as they were before the write are in %1.").arg(s.backupPath);
    return lines.join(kCrLf);
}

// ---------------------------------------------------------------------------
// Compare

void RadioTransfer::CompareWithRadio()
{
    FinishedSignal done{[this] { emit finished(m_summary); }};
    MainView &view = m_ctx.view;
    m_summary = TransferSummary();
    m_radioRecords.fill(QString());
    if (!DetectCatRate())
        return;
    onFrontEnd([&] {
        view.SetMainButtonsEnabled(false);
        view.SetStatusPanel(3, QStringLiteral("0"));
    });
    ReadCancelRequested = false;
    MemoryTable radio;
    readLoop(&radio);
    onFrontEnd([&] {
        view.SetTransferProgress(0, kLastCat);
        view.HideTransferWindow();
    });
    closeLink();

    onFrontEnd([&] {
        MessageLog &log = m_ctx.log;
        const QList<MemoryDifference> differences = Differences(m_ctx.state.table);
        log.LogMessage(QStringLiteral("Compare with Radio:"));
        for (const MemoryDifference &d : differences)
            log.LogMessage(DifferenceText(d));
        const QString counts = DifferenceCounts(differences);
        log.LogMessage(counts);
        QString text = m_summary.readSucceeded() ? QString() : ReadOutcomeText().section(kCrLf, 0, -2) + kCrLf + kCrLf;
        text += differences.isEmpty() ? QStringLiteral("A write would change nothing on the radio.")
                                      : counts + kCrLf + QStringLiteral("The messages window lists them.");
        m_ctx.dialogs.messageBox(text, Buttons::Ok, m_summary.readSucceeded() ? Icon::Information : Icon::Exclamation);
        view.RestoreMainButtons();
        view.SetStatusPanel(3, QStringLiteral("0"));
    });
}

namespace {
// "14.07400 USB Minus CTCSS Enc 88.5" for memory n of `table`.
QString memoryText(const MemoryTable &table, int n)
{
    const Memory &m = table.byCatNumber(n);
    QStringList parts{FrequencyText(m), modeText(m.mode), shiftText(m.shift)};
    if (m.encoding != Encoding::None && m.encoding != Encoding::Off)
        parts << encodingText(m.encoding) << toneText(m.tone);
    return parts.join(QLatin1Char(' '));
}
}  // namespace

QList<MemoryDifference> RadioTransfer::Differences(const MemoryTable &table) const
{
    QList<MemoryDifference> out;
    MemoryTable radio;
    for (int n = 1; n <= kLastCat; ++n) {
        const QString &present = m_radioRecords.at(n);
        MemoryDifference d;
        d.number = n;
        if (present.size() == kRecordLength) {
            FillMemory(radio, n, present, nullptr);
            d.radio = memoryText(radio, n);
        }
        if (table.isCatEmpty(n)) {
            if (d.radio.isEmpty())
                continue;
            d.kind = MemoryDifference::Kind::KeptOnRadio;
        } else if (const QString problem = RadioWriteProblem(table, n); !problem.isEmpty()) {
            d.kind = MemoryDifference::Kind::CannotWrite;
            d.table = problem;
        } else if (present.isEmpty()) {
            d.kind = MemoryDifference::Kind::NotRead;
            d.table = memoryText(table, n);
        } else {
            if (asSetCommand(present) == KeepRadioOnlyFields(BuildMemoryWrite(table, n), present))
                continue;
            d.kind = d.radio.isEmpty() ? MemoryDifference::Kind::Add : MemoryDifference::Kind::Replace;
            d.table = memoryText(table, n);
        }
        out << d;
    }
    return out;
}

QString RadioTransfer::DifferenceText(const MemoryDifference &d)
{
    const QString name = QStringLiteral("Memory ") + catName(d.number);
    switch (d.kind) {
    case MemoryDifference::Kind::Replace:
        return QStringLiteral("%1 would be replaced: radio %2, table %3").arg(name, d.radio, d.table);
    case MemoryDifference::Kind::Add:
        return QStringLiteral("%1 would be added: %2").arg(name, d.table);
    case MemoryDifference::Kind::KeptOnRadio:
        return QStringLiteral("%1 is empty in the table; the radio keeps %2").arg(name, d.radio);
    case MemoryDifference::Kind::CannotWrite:
        return QStringLiteral("%1 cannot be written: %2").arg(name, d.table);
    case MemoryDifference::Kind::NotRead:
        return QStringLiteral("%1 was not read from the radio: %2").arg(name, d.table);
    }
    return name;
}

QString RadioTransfer::DifferenceCounts(const QList<MemoryDifference> &differences)
{
    int counts[5] = {};
    for (const MemoryDifference &d : differences)
        ++counts[int(d.kind)];
    QString text
        = QStringLiteral("Memories a write would replace: %1; add: %2; empty in the table but kept on the radio: %3")
              .arg(counts[int(MemoryDifference::Kind::Replace)])
              .arg(counts[int(MemoryDifference::Kind::Add)])
              .arg(counts[int(MemoryDifference::Kind::KeptOnRadio)]);
    if (counts[int(MemoryDifference::Kind::CannotWrite)] > 0)
        text += QStringLiteral("; that cannot be written: %1").arg(counts[int(MemoryDifference::Kind::CannotWrite)]);
    if (counts[int(MemoryDifference::Kind::NotRead)] > 0)
        text += QStringLiteral("; not read from the radio: %1").arg(counts[int(MemoryDifference::Kind::NotRead)]);
    text += QLatin1Char('.');
    return text;
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

}  // namespace mv
