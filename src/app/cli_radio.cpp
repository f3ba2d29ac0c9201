// memvault-cli subcommands (radio): read, write, diff.
//
// They run the window's own flows (rate detection, "&Read Radio", "Write
// R&adio") with nobody to ask: every box counts as answered OK and its text goes
// to stderr, progress is one updating line on a terminal, and a summary line
// ends every transfer.
#include "CliCommands.h"

#include "app/Session.h"
#include "cat/CatLink.h"
#include "cat/RadioTransfer.h"
#include "core/AppState.h"
#include "core/MemoryRecord.h"
#include "core/MemorySetFormat.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace mv::cli {

namespace {

// ---------------------------------------------------------------------------
// stderr: box texts, log lines and the progress line share it

bool g_progressShown = false;
volatile std::sig_atomic_t g_interrupted = 0;

void clearProgress()
{
    if (g_progressShown) {
        std::fputs("\r\033[K", stderr);
        g_progressShown = false;
    }
}

void say(const QString &text)
{
    clearProgress();
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    printErr(t);
}

void boxToStderr(const QString &text) { say(text); }

void onInterrupt(int)
{
    // The first Ctrl-C asks the transfer to stop after the memory in hand; a
    // second one ends the program at once.
    g_interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

class CliView : public MainView {
public:
    CliView() { m_tty = ::isatty(fileno(stderr)) == 1; }
    // The transfer a Ctrl-C stops.
    RadioTransfer *transfer = nullptr;

    void ShowTransferWindow(TransferKind kind) override { m_kind = kind; }
    void HideTransferWindow() override { clearProgress(); }
    void SetTransferProgress(int value, int maximum) override
    {
        if (g_interrupted && transfer) {
            transfer->ReadCancelRequested = true;
            transfer->WriteCancelRequested = true;
        }
        if (!m_tty || value <= 0)
            return;
        std::fprintf(stderr, "\r%s memory %d of %d\033[K", m_kind == TransferKind::Read ? "Reading" : "Writing", value,
                     maximum);
        std::fflush(stderr);
        g_progressShown = true;
    }

private:
    TransferKind m_kind = TransferKind::Read;
    bool m_tty = false;
};

// ---------------------------------------------------------------------------
// Arguments

struct RadioArgs {
    int port = 0;
    QString device;
    std::optional<LineSettings> speed;
    bool log = false;
    bool dryRun = false;
    bool verify = false;
    bool force = false;
    bool keepRate = false;
    // --rts / --no-rts: RTS/CTS handshaking for this run; unset, the stored setting.
    std::optional<bool> rts;
    QString backupDir;
    QString file;
};

enum class Command { Read, Write, Diff };

int usage(const QString &why)
{
    printErr(QStringLiteral("memvault-cli: ") + why);
    printErr(QStringLiteral("usage: memvault-cli read (--port N | --device PATH) [--speed 4800|9600|19200|38400] "
                            "[--keep-rate] [--rts|--no-rts] [--force] [--log] FILE\n"
                            "       memvault-cli write (--port N | --device PATH) [--speed ...] [--keep-rate] "
                            "[--rts|--no-rts] [--backup-dir DIR] [--dry-run] [--verify] [--log] FILE\n"
                            "       memvault-cli diff (--port N | --device PATH) [--speed ...] [--keep-rate] "
                            "[--rts|--no-rts] FILE\n"
                            "memvault-cli COMMAND --help says what each option does."));
    return 2;
}

// Returns 0 when the arguments are good, else the usage exit code.
int parseArgs(const QStringList &args, Command command, RadioArgs *out)
{
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        QString value;
        const bool takesValue = arg == QLatin1String("--port") || arg == QLatin1String("--device")
                                || arg == QLatin1String("--speed")
                                || (arg == QLatin1String("--backup-dir") && command == Command::Write);
        const int eq = int(arg.indexOf(QLatin1Char('=')));
        if (arg.startsWith(QLatin1String("--")) && eq > 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
        } else if (takesValue) {
            if (i + 1 >= args.size())
                return usage(QStringLiteral("%1 needs a value").arg(arg));
            value = args[++i];
        }
        if (arg == QLatin1String("--port")) {
            bool ok = false;
            out->port = value.toInt(&ok);
            if (!ok || out->port < 1 || out->port > 16)
                return usage(QStringLiteral("--port must be 1 to 16"));
        } else if (arg == QLatin1String("--device")) {
            if (value.isEmpty())
                return usage(QStringLiteral("--device needs a path"));
            out->device = value;
        } else if (arg == QLatin1String("--speed")) {
            for (const LineSettings &rate : CatLink::RateSettings()) {
                if (QString::number(rate.baud) == value)
                    out->speed = rate;
            }
            if (!out->speed)
                return usage(QStringLiteral("--speed must be 4800, 9600, 19200 or 38400"));
        } else if (arg == QLatin1String("--log") && command != Command::Diff) {
            out->log = true;
        } else if (arg == QLatin1String("--dry-run") && command == Command::Write) {
            out->dryRun = true;
        } else if (arg == QLatin1String("--verify") && command == Command::Write) {
            out->verify = true;
        } else if (arg == QLatin1String("--force") && command == Command::Read) {
            out->force = true;
        } else if (arg == QLatin1String("--keep-rate")) {
            out->keepRate = true;
        } else if (arg == QLatin1String("--rts") || arg == QLatin1String("--no-rts")) {
            out->rts = arg == QLatin1String("--rts");
        } else if (arg == QLatin1String("--backup-dir") && command == Command::Write) {
            if (value.isEmpty())
                return usage(QStringLiteral("--backup-dir needs a folder"));
            out->backupDir = value;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usage(QStringLiteral("unknown option %1").arg(arg));
        } else {
            files << arg;
        }
    }
    if ((out->port > 0) == !out->device.isEmpty())
        return usage(QStringLiteral("give either --port N or --device PATH"));
    if (files.size() != 1)
        return usage(QStringLiteral("give one FILE"));
    if (out->dryRun && out->verify)
        return usage(QStringLiteral("--verify has nothing to check after --dry-run"));
    out->file = files.first();
    return 0;
}

QString withMemorySuffix(const QString &path)
{
    return HasMemoryFileSuffix(path) ? path : path + QStringLiteral(".450");
}

// "radio.450" -> "radio.incomplete.450" (or "radio.incomplete-2.450" when that
// exists): where an unfinished read is kept, never over an earlier one.
QString incompletePath(const QString &path)
{
    const QString stem = path.left(path.size() - 4) + QStringLiteral(".incomplete");
    QString candidate = stem + QStringLiteral(".450");
    for (int i = 2; QFileInfo::exists(candidate) || QFileInfo::exists(DescriptionPathFor(candidate)); ++i)
        candidate = stem + QStringLiteral("-%1.450").arg(i);
    return candidate;
}

QString summaryLine(const TransferSummary &s)
{
    return QStringLiteral("Summary: memories read %1, empty %2, not answering %3; identical %4, replaced %5, added %6, "
                          "skipped %7, refused %8, not confirmed %9")
        .arg(s.read)
        .arg(s.empty)
        .arg(s.notAnswering.size() + s.undecodable.size())
        .arg(s.identical)
        .arg(s.replaced)
        .arg(s.added)
        .arg(s.skipped.size())
        .arg(s.refused.size())
        .arg(s.unconfirmed.size());
}

// Everything one radio command needs, set up from the arguments: the program's
// session over boxes that ask nobody, with the flows run in line.
struct RadioRun {
    NonInteractiveDialogs dialogs{&boxToStderr};
    CliView view;
    Session session{SessionOptions{}, dialogs, view};
    SettingsStore &settings = session.settings();
    AppState &state = session.state();
    MessageLog &log = session.log();
    AppContext &ctx = session.context();
    CatLink &link = session.link();
    RadioTransfer &transfer = session.transfer();

    explicit RadioRun(const RadioArgs &a)
    {
        view.transfer = &transfer;
        log.setLoggingEnabled(a.log);
        QObject::connect(&log, &MessageLog::lineAdded, [](const QString &line) { say(line); });
        link.LoadSettings();
        if (a.port > 0)
            link.CommPort = a.port;
        if (!a.device.isEmpty())
            link.setDeviceOverride(a.device);
        if (a.speed)
            link.UserCommSpeed = *a.speed;
        if (a.keepRate)
            link.RestoreCatRate = false;
        // For this run only: the stored setting stays as the window left it.
        if (a.rts)
            link.DoNotUseRts = !*a.rts;
        g_interrupted = 0;
        std::signal(SIGINT, onInterrupt);
    }
    ~RadioRun() { std::signal(SIGINT, SIG_DFL); }

    // False when the flow never reached its loop, after naming the device when
    // it could not be opened and saying what was left undone.
    bool started(const QString &undone)
    {
        if (transfer.summary().started)
            return true;
        if (!link.lastOpenError().isEmpty())
            say(QStringLiteral("memvault-cli: cannot open %1: %2").arg(link.lastDevice(), link.lastOpenError()));
        say(undone);
        return false;
    }
};

bool loadFile(RadioRun &s, const QString &path, MemoryTable &table)
{
    QString error;
    if (!readMemorySet(path, table, &s.log, &error)) {
        say(QStringLiteral("memvault-cli: cannot read %1: %2").arg(path, error));
        return false;
    }
    return true;
}

}  // namespace

int runRead(const QStringList &args)
{
    RadioArgs a;
    if (const int bad = parseArgs(args, Command::Read, &a))
        return bad;
    const QString path = withMemorySuffix(a.file);
    const QFileInfo existing(path);
    // A memory set is replaced only on request, and never a write-protected one.
    if (existing.isFile() && !(existing.permissions() & QFileDevice::WriteOwner)) {
        say(QStringLiteral("memvault-cli: %1 is read-only; nothing was read").arg(path));
        return 1;
    }
    if (existing.exists() && !a.force) {
        say(QStringLiteral("memvault-cli: %1 exists; give --force to replace it (its descriptions are kept); "
                           "nothing was read")
                .arg(path));
        return 1;
    }
    RadioRun s(a);
    s.transfer.ReadRadio();
    if (!s.started(QStringLiteral("memvault-cli: nothing was read; no file written")))
        return 1;
    const TransferSummary &sum = s.transfer.summary();
    say(summaryLine(sum));

    // The radio holds no descriptions: those of the set being replaced stay with
    // their memory numbers.
    if (existing.exists()) {
        MemoryTable old;
        QString ignored;
        if (readMemorySet(path, old, nullptr, &ignored)) {
            MemoryTable::Batch batch(s.state.table);
            for (int n = 1; n <= MemoryTable::kMemoryCount; ++n) {
                Memory m = s.state.table.memory(n);
                m.description = old.memory(n).description;
                s.state.table.setMemory(n, m);
            }
        }
    }
    const bool complete = sum.readSucceeded();
    // An unfinished read never replaces a file: it is kept beside it.
    const QString target = complete ? path : incompletePath(path);
    QString error;
    QList<int> skipped;
    if (!writeMemorySet(target, s.state.table, kDefaultDescriptionWidth, &error, &skipped)) {
        say(QStringLiteral("memvault-cli: ") + error);
        return 1;
    }
    if (!skipped.isEmpty())
        say(QStringLiteral("memvault-cli: memories that cannot be saved as records were left out: %1")
                .arg(RadioTransfer::MemoryNumbersText(skipped)));
    say(QStringLiteral("memvault-cli: %1 memories saved to %2").arg(MemoryFileLines(s.state.table).size()).arg(target));
    return complete ? 0 : 1;
}

int runWrite(const QStringList &args)
{
    RadioArgs a;
    if (const int bad = parseArgs(args, Command::Write, &a))
        return bad;
    RadioRun s(a);
    const QString path = withMemorySuffix(a.file);
    if (!loadFile(s, path, s.state.table))
        return 1;
    s.state.DataSource = DataSource::File;
    s.state.FileLoadComplete = true;
    s.state.CurrentFilePath = path;

    s.transfer.DryRun = a.dryRun;
    s.transfer.VerifyAfterWrite = a.verify;
    s.transfer.BackupDir = a.backupDir;
    if (a.backupDir.isEmpty()) {
        const QString home = s.settings.get<Setting::HomeDir>().trimmed();
        const QString base = !home.isEmpty() && QFileInfo(home).isDir()
                                 ? home
                                 : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        s.transfer.BackupDir = QDir(base).filePath(QStringLiteral("Backups"));
    }
    s.transfer.WriteRadio();
    if (!s.started(QStringLiteral("memvault-cli: nothing was written")))
        return 1;
    const TransferSummary &sum = s.transfer.summary();
    if (a.dryRun) {
        for (const MemoryDifference &d : s.transfer.Differences(s.state.table))
            printOut(RadioTransfer::DifferenceText(d));
    }
    say(summaryLine(sum));
    if (a.verify && sum.verified && sum.verifyFailed.isEmpty())
        say(QStringLiteral("memvault-cli: all %1 memories written read back as sent").arg(sum.written.size()));
    const bool ok = sum.writeSucceeded() && (!a.verify || sum.verified);
    return ok ? 0 : 1;
}

int runDiff(const QStringList &args)
{
    RadioArgs a;
    if (const int bad = parseArgs(args, Command::Diff, &a))
        return bad;
    RadioRun s(a);
    const QString path = withMemorySuffix(a.file);
    MemoryTable fileTable;
    if (!loadFile(s, path, fileTable))
        return 1;

    s.transfer.ReadRadio();
    if (!s.started(QStringLiteral("memvault-cli: nothing was compared")))
        return 1;
    const QList<MemoryDifference> differences = s.transfer.Differences(fileTable);
    for (const MemoryDifference &d : differences)
        printOut(RadioTransfer::DifferenceText(d));
    say(summaryLine(s.transfer.summary()));
    say(QStringLiteral("memvault-cli: ") + RadioTransfer::DifferenceCounts(differences));
    return s.transfer.summary().readSucceeded() ? 0 : 1;
}

}  // namespace mv::cli
