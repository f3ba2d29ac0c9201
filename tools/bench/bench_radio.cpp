// bench_radio: how close a transfer of all 504 memories comes to the time the
// wire itself needs, over a pseudo-terminal against ft450sim.
//
//   floor = (command and reply characters x 11 bits / rate) + exchanges x turnaround
//
// Reported: the read loop, the write-back of the unchanged table (MR queries
// only), and the whole `memvault-cli read` including rate detection from a
// radio at 4800 — each with its ratio to the floor measured in the same run.
#include "cat/CatLink.h"
#include "cat/RadioTransfer.h"
#include "core/AppState.h"
#include "core/NumberText.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace mv;

namespace {

constexpr int kRate = 38400;

QByteArray everyMemoryUsed()
{
    static const char modes[] = "123456789BC";
    QByteArray out;
    for (int n = 1; n <= 504; ++n) {
        out += QStringLiteral("MW%1%2+000000%3%4%5%6;\r\n")
                   .arg(n, 3, 10, QLatin1Char('0'))
                   .arg(1800000 + qint64(n) * 10000, 8, 10, QLatin1Char('0'))
                   .arg(QString(QLatin1Char(modes[n % 11])) + QLatin1Char('0'))
                   .arg(n % 3)
                   .arg(n % 50, 2, 10, QLatin1Char('0'))
                   .arg(n % 3)
                   .toLatin1();
    }
    return out;
}

class Sim {
public:
    Sim(const QString &bin, const QStringList &args)
    {
        m_p.setProgram(bin + "/ft450sim");
        m_p.setArguments(args);
        m_p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_p.start();
        m_p.waitForStarted(5000);
        QElapsedTimer t;
        t.start();
        while (!m_p.canReadLine() && t.elapsed() < 5000)
            m_p.waitForReadyRead(100);
        device = QString::fromLocal8Bit(m_p.readLine()).trimmed();
    }
    ~Sim()
    {
        m_p.terminate();
        m_p.waitForFinished(5000);
    }
    QString device;

private:
    QProcess m_p;
};

// Wire floor of the exchanges the last loop made: every "MR" query it sent and
// the reply it got.
double floorSeconds(const RadioTransfer &t, const QList<int> &asked, int latencyMs)
{
    qint64 chars = 0;
    for (int n : asked)
        chars += 6 + t.radioRecord(n).size();
    return double(chars) * 11.0 / kRate + asked.size() * latencyMs / 1000.0;
}

void report(const char *what, double seconds, double floor)
{
    std::printf("%-44s %8.3f s   floor %8.3f s   ratio %.4f\n", what, seconds, floor, seconds / floor);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption runsOpt("runs", "Read loops to time (default 1).", "n", "1");
    const QCommandLineOption latencyOpt("latency-ms", "Radio turnaround (default 10).", "ms", "10");
    const QCommandLineOption realtimeOpt("sim-realtime",
                                         "Run the simulator at real-time priority (a radio has its own processor).");
    parser.addOptions({runsOpt, latencyOpt, realtimeOpt});
    parser.process(app);
    const int runs = std::max(1, parser.value(runsOpt).toInt());
    const int latency = std::max(0, parser.value(latencyOpt).toInt());
    const QString bin = QCoreApplication::applicationDirPath();
    const QStringList simExtra = parser.isSet(realtimeOpt) ? QStringList{"--realtime"} : QStringList{};

    DetectSeparators();
    QTemporaryDir dir;
    qputenv("MEMVAULT_CONFIG_DIR", dir.filePath("settings").toLocal8Bit());
    const QString memories = dir.filePath("memories.450");
    {
        QFile f(memories);
        if (!f.open(QIODevice::WriteOnly) || f.write(everyMemoryUsed()) < 0)
            return 2;
    }

    std::printf("504 memories, every one used, %d bps, turnaround %d ms, ft450sim over a pseudo-terminal%s\n", kRate,
                latency, simExtra.isEmpty() ? "" : " (simulator at real-time priority)");
    {
        Sim sim(bin, QStringList{"--rate", QString::number(kRate), "--latency-ms", QString::number(latency), "--load",
                                 memories}
                         + simExtra);
        if (!sim.device.startsWith('/')) {
            std::fprintf(stderr, "bench_radio: ft450sim did not start\n");
            return 2;
        }
        SettingsStore settings(dir.filePath("settings"));
        AppState state;
        MessageLog log;
        NonInteractiveDialogs dialogs;
        MainView view;
        AppContext ctx{state, settings, log, dialogs, view};
        CatLink link(settings, log, dialogs);
        link.setDeviceOverride(sim.device);
        link.UserCommSpeed = LineSettings::catRate(kRate);
        RadioTransfer transfer(ctx, link);
        if (!transfer.DetectCatRate()) {
            std::fprintf(stderr, "bench_radio: no radio: %s\n", qPrintable(dialogs.shown.join(' ')));
            return 2;
        }
        QList<int> all;
        for (int n = 1; n <= 504; ++n)
            all << n;

        QList<double> ratios;
        for (int run = 1; run <= runs; ++run) {
            QElapsedTimer t;
            t.start();
            transfer.ReadAllMemories();
            const double s = t.nsecsElapsed() / 1e9;
            if (!transfer.summary().readSucceeded()) {
                std::fprintf(stderr, "bench_radio: the read did not complete\n");
                return 1;
            }
            const double floor = floorSeconds(transfer, all, latency);
            ratios << s / floor;
            report(qPrintable(QStringLiteral("read loop, run %1").arg(run)), s, floor);
        }
        if (runs > 1) {
            std::sort(ratios.begin(), ratios.end());
            std::printf("read loop: best ratio %.4f, median %.4f\n", ratios.first(), ratios.at(ratios.size() / 2));
        }

        QElapsedTimer t;
        t.start();
        transfer.WriteAllMemories();
        const double s = t.nsecsElapsed() / 1e9;
        const TransferSummary &w = transfer.summary();
        if (!w.completed || w.identical != 504) {
            std::fprintf(stderr, "bench_radio: write-back was not all identical (%d)\n", w.identical);
            return 1;
        }
        report("write-back of the unchanged table", s, floorSeconds(transfer, all, latency));
        link.CloseCommPort();
    }

    {
        Sim sim(bin,
                QStringList{"--rate", "4800", "--latency-ms", QString::number(latency), "--load", memories} + simExtra);
        QProcess cli;
        cli.setProgram(bin + "/memvault-cli");
        cli.setArguments(
            {"read", "--device", sim.device, "--speed", QString::number(kRate), "--force", dir.filePath("out.450")});
        QElapsedTimer t;
        t.start();
        cli.start();
        cli.waitForFinished(300000);
        const double s = t.nsecsElapsed() / 1e9;
        if (cli.exitCode() != 0) {
            std::fprintf(stderr, "bench_radio: memvault-cli read failed:\n%s", cli.readAllStandardError().constData());
            return 1;
        }
        // The same 504 exchanges as the read loop.
        qint64 chars = 504 * (6 + 27);
        const double floor = double(chars) * 11.0 / kRate + 504 * latency / 1000.0;
        report("memvault-cli read, radio at 4800 (all in)", s, floor);
        // Rate detection adds three probes that must time out (125 ms of
        // silence each), the identity exchange and "AI0;EX0104;" at 4800, the
        // identity exchange at the new rate, and "EX0101;" at the end that puts
        // the radio back at 4800.
        const double detection = 3 * 0.125 + (3 + 7 + 4 + 7) * 11.0 / 4800 + latency / 1000.0
                                 + (3 + 7 + 7) * 11.0 / kRate + latency / 1000.0;
        report("  against floor + rate detection floor", s, floor + detection);
    }
    return 0;
}
