// ft450sim: an FT-450 on a pseudo-terminal, for trying the program without a
// radio. Prints the device path on the first line of its output; point the
// program (or memvault-cli --device) at it. Ends on SIGINT/SIGTERM, writing its
// memories to the --dump file.
#include "Ft450Radio.h"
#include "Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int) { g_stop = 1; }

qint64 monotonicMicros()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

int baudOf(speed_t s)
{
    switch (s) {
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

// The settings the program put on the slave side (a pty master reports its
// slave's termios on Linux): speed and stop bits are what a pty can show.
ft450::HostLine hostLineOf(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return {};
    return ft450::HostLine{baudOf(cfgetospeed(&t)), (t.c_cflag & CSTOPB) != 0};
}

int fail(const QString &text)
{
    std::fprintf(stderr, "ft450sim: %s\n", qPrintable(text));
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ft450sim"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(mv::kVersionText));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("An FT-450 CAT port on a pseudo-terminal."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption rateOpt(QStringLiteral("rate"),
                                     QStringLiteral("CAT rate at start: 4800, 9600, 19200, 38400 (default 4800)."),
                                     QStringLiteral("baud"), QStringLiteral("4800"));
    const QCommandLineOption modelOpt(QStringLiteral("model"),
                                      QStringLiteral("450 (answers ID0241;) or 450D (ID0244;)."),
                                      QStringLiteral("model"), QStringLiteral("450"));
    const QCommandLineOption latencyOpt(QStringLiteral("latency-ms"),
                                        QStringLiteral("Turnaround before each reply (default 10)."),
                                        QStringLiteral("ms"), QStringLiteral("10"));
    const QCommandLineOption linkOpt(QStringLiteral("link"),
                                     QStringLiteral("Also make a symbolic link to the device at PATH."),
                                     QStringLiteral("path"));
    const QCommandLineOption loadOpt(QStringLiteral("load"),
                                     QStringLiteral("Memory file to start with (27-character records)."),
                                     QStringLiteral("file"));
    const QCommandLineOption dumpOpt(QStringLiteral("dump"),
                                     QStringLiteral("Memory file written on every change and at exit."),
                                     QStringLiteral("file"));
    const QCommandLineOption logOpt(QStringLiteral("log"),
                                    QStringLiteral("Time-stamped trace of every command and reply."),
                                    QStringLiteral("file"));
    const QCommandLineOption silentOpt(QStringLiteral("silent"),
                                       QStringLiteral("Radio switched off: answers nothing."));
    const QCommandLineOption dropOpt(QStringLiteral("drop-every"), QStringLiteral("Leave out every N-th reply."),
                                     QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption splitOpt(QStringLiteral("split-replies"),
                                      QStringLiteral("A 40 ms gap in the middle of every reply."));
    const QCommandLineOption stopOpt(QStringLiteral("stop-after"),
                                     QStringLiteral("Die after N commands: nothing more is answered or stored."),
                                     QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption lateOpt(QStringLiteral("late-reply"),
                                     QStringLiteral("The first reply to MR of memory MEM comes MS ms late."),
                                     QStringLiteral("mem:ms"));
    const QCommandLineOption refuseOpt(
        QStringLiteral("refuse-writes"),
        QStringLiteral("Refuse every memory write with \"?;\" (radio busy in its menu)."));
    const QCommandLineOption deafOpt(QStringLiteral("switch-deaf-ms"),
                                     QStringLiteral("Deaf for MS ms after a CAT rate change."), QStringLiteral("ms"),
                                     QStringLiteral("0"));
    const QCommandLineOption realtimeOpt(
        QStringLiteral("realtime"),
        QStringLiteral(
            "Run at real-time priority, like a radio's own processor (needs the right to; ignored otherwise)."));
    const QCommandLineOption garbageOpt(QStringLiteral("garbage"),
                                        QStringLiteral("Answer with a stream of noise without \";\"."));
    parser.addOptions({rateOpt, modelOpt, latencyOpt, linkOpt, loadOpt, dumpOpt, logOpt, silentOpt, dropOpt, splitOpt,
                       stopOpt, lateOpt, deafOpt, refuseOpt, garbageOpt, realtimeOpt});
    // A mistyped option is a usage error (exit 2), as with the other programs.
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "ft450sim: %s\nTry 'ft450sim --help'.\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    ft450::RadioOptions options;
    bool ok = false;
    options.rate = parser.value(rateOpt).toInt(&ok);
    if (!ok || !ft450::Ft450Radio::isCatRate(options.rate))
        return fail(QStringLiteral("--rate must be 4800, 9600, 19200 or 38400"));
    const QString model = parser.value(modelOpt).toUpper();
    if (model != QLatin1String("450") && model != QLatin1String("450D"))
        return fail(QStringLiteral("--model must be 450 or 450D"));
    options.model450D = model == QLatin1String("450D");
    options.latencyMs = parser.value(latencyOpt).toInt(&ok);
    if (!ok || options.latencyMs < 0 || options.latencyMs > 10000)
        return fail(QStringLiteral("--latency-ms must be 0 to 10000"));
    options.dropEvery = parser.value(dropOpt).toInt(&ok);
    if (!ok || options.dropEvery < 0)
        return fail(QStringLiteral("--drop-every must be a count"));
    options.stopAfter = parser.value(stopOpt).toInt(&ok);
    if (!ok || options.stopAfter < 0)
        return fail(QStringLiteral("--stop-after must be a count"));
    if (parser.isSet(lateOpt)) {
        const QStringList parts = parser.value(lateOpt).split(QLatin1Char(':'));
        bool ok2 = false;
        options.lateMemory = parts.size() == 2 ? parts[0].toInt(&ok) : 0;
        options.lateMs = parts.size() == 2 ? parts[1].toInt(&ok2) : 0;
        if (!ok || !ok2 || options.lateMemory < 1 || options.lateMemory > ft450::kMemoryCount || options.lateMs < 0
            || options.lateMs > 60000)
            return fail(QStringLiteral("--late-reply must be MEM:MS (memory 1 to 504, 0 to 60000 ms)"));
    }
    options.switchDeafMs = parser.value(deafOpt).toInt(&ok);
    if (!ok || options.switchDeafMs < 0 || options.switchDeafMs > 10000)
        return fail(QStringLiteral("--switch-deaf-ms must be 0 to 10000"));
    options.refuseWrites = parser.isSet(refuseOpt);
    options.silent = parser.isSet(silentOpt);
    options.splitReplies = parser.isSet(splitOpt);
    options.garbage = parser.isSet(garbageOpt);

    ft450::Ft450Radio radio(options);
    QString error;
    if (parser.isSet(loadOpt) && !radio.loadMemoryFile(parser.value(loadOpt), &error))
        return fail(QStringLiteral("cannot load %1: %2").arg(parser.value(loadOpt), error));

    QFile logFile;
    const qint64 start = monotonicMicros();
    if (parser.isSet(logOpt)) {
        logFile.setFileName(parser.value(logOpt));
        if (!logFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return fail(QStringLiteral("cannot write %1: %2").arg(logFile.fileName(), logFile.errorString()));
        radio.onTrace = [&](qint64 t, const QString &line) {
            logFile.write(QStringLiteral("%1 %2\n").arg(double(t) / 1e6, 11, 'f', 6).arg(line).toUtf8());
            logFile.flush();
        };
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return fail(QStringLiteral("no pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    const QByteArray slavePath = ptsname(master);
    // Holding the slave open keeps the line alive (no hang-up) between the
    // program's opens, and keeps the settings it leaves there.
    const int slave = ::open(slavePath.constData(), O_RDWR | O_NOCTTY);
    if (slave < 0)
        return fail(QStringLiteral("cannot open %1").arg(QString::fromLatin1(slavePath)));
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    t.c_cflag &= ~CSTOPB;
    tcsetattr(slave, TCSANOW, &t);

    const QString linkPath = parser.value(linkOpt);
    if (!linkPath.isEmpty()) {
        const QByteArray lp = QFile::encodeName(linkPath);
        ::unlink(lp.constData());
        if (::symlink(slavePath.constData(), lp.constData()) != 0)
            return fail(
                QStringLiteral("cannot link %1: %2").arg(linkPath, QString::fromLocal8Bit(std::strerror(errno))));
    }

    std::printf("%s\n", slavePath.constData());
    std::fflush(stdout);
    std::fprintf(stderr, "ft450sim: FT-%s at %d bps, %d memories, turnaround %d ms, on %s\n", qPrintable(model),
                 options.rate, radio.usedCount(), options.latencyMs, slavePath.constData());

    // Sub-millisecond wake-ups keep the reply pacing at the line rate.
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    if (parser.isSet(realtimeOpt)) {
        sched_param sp{};
        sp.sched_priority = 10;
        if (sched_setscheduler(0, SCHED_FIFO, &sp) != 0)
            std::fprintf(stderr, "ft450sim: no real-time priority (%s); timing may jitter\n", std::strerror(errno));
    }
    struct sigaction sa { };
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t blocked, waitMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGHUP);
    sigprocmask(SIG_BLOCK, &blocked, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGHUP);

    const QString dumpPath = parser.value(dumpOpt);
    auto dump = [&] {
        QString e;
        if (!dumpPath.isEmpty() && !radio.dumpMemoryFile(dumpPath, &e))
            std::fprintf(stderr, "ft450sim: cannot write %s: %s\n", qPrintable(dumpPath), qPrintable(e));
    };
    radio.takeChanged();
    dump();

    ft450::HostLine line = hostLineOf(master);
    auto now = [&] { return monotonicMicros() - start; };
    auto watchLine = [&](qint64 at) {
        const ft450::HostLine current = hostLineOf(master);
        if (!(current == line)) {
            line = current;
            radio.hostLineChanged(line, at);
            if (radio.onTrace)
                radio.onTrace(
                    at,
                    QStringLiteral("~ host line %1 bps, %2 stop bits").arg(line.baud).arg(line.twoStopBits ? 2 : 1));
        }
    };

    char buffer[4096];
    while (!g_stop) {
        qint64 t0 = now();
        watchLine(t0);
        radio.advance(t0);
        const QByteArray out = radio.takeOutput(t0, line);
        if (!out.isEmpty()) {
            // Nobody reading fills the line's buffer: the rest is lost, as on a wire.
            if (::write(master, out.constData(), size_t(out.size())) < 0 && errno != EAGAIN)
                std::fprintf(stderr, "ft450sim: write: %s\n", std::strerror(errno));
        }
        if (radio.takeChanged())
            dump();

        qint64 wait = -1;
        const qint64 next = radio.nextEventTime();
        if (next != ft450::Ft450Radio::kNever)
            wait = std::max<qint64>(0, next - now());
        // While characters are on their way in, watch for a change of speed.
        if (radio.inputIdleTime() > t0)
            wait = wait < 0 ? 500 : std::min<qint64>(wait, 500);
        timespec ts{};
        ts.tv_sec = time_t(wait / 1000000);
        ts.tv_nsec = long(wait % 1000000) * 1000;
        pollfd pfd{master, POLLIN, 0};
        const int r = ppoll(&pfd, 1, wait < 0 ? nullptr : &ts, &waitMask);
        if (r > 0 && (pfd.revents & POLLIN)) {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) {
                const qint64 at = now();
                watchLine(at);
                radio.hostWrote(QByteArray(buffer, int(n)), line, at);
            }
        } else if (r > 0) {
            ::usleep(1000);  // hang-up or error on the master: do not spin
        }
    }

    dump();
    if (!linkPath.isEmpty())
        ::unlink(QFile::encodeName(linkPath).constData());
    ::close(slave);
    ::close(master);
    return 0;
}
