// bench_startup: how long the windowed program takes from process start to the
// window shown with a full memory set (504 memories, 500 descriptions) loaded
// and painted, and how long one full refresh of the memory view takes after a
// load. Each figure is reported against a floor measured in the same run:
//   start-up  - the same program started with nothing to load;
//   refresh   - a repaint of the memory view with nothing changed.
// Then the window reads all 504 memories from ft450sim over a pseudo-terminal
// (real time, 38400 bps) while a timer on the window's thread ticks every 2 ms:
// the longest gap between two ticks is the longest the window went without
// handling its events. Floors: the timer's own period, and the longest gap of
// the same timer on the idle window for as long (what the machine itself costs).
//
//   bench_startup [runs]        (default 7; the median is reported)
#include "Version.h"
#include "app/Session.h"
#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"
#include "shell/Dialogs.h"
#include "shell/SettingsStore.h"
#include "ui/MainWindow.h"
#include "ui/MemoryGridView.h"
#include "ui/MemoryViewModel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// A memory set with every memory and PMS memory used and every description set.
bool writeFullSet(const QString &path)
{
    mv::MemoryTable table;
    using mv::Mode;
    static const Mode modes[] = {Mode::LSB, Mode::USB, Mode::CW, Mode::FM, Mode::AM, Mode::FMN};
    for (int n = 1; n <= 504; ++n) {
        mv::Memory m;
        m.used = true;
        m.frequency = 180000 + n * 5000;  // 1.8 MHz upwards
        m.mode = modes[n % 6];
        m.shift = mv::Shift::Simplex;
        m.encoding = (n % 3) ? mv::Encoding::Off : mv::Encoding::Enc;
        m.tone = 0;
        if (n <= 500)
            m.description = QStringLiteral("Memory %1 description text").arg(n);
        table.setByCatNumber(n, m);
    }
    QString error;
    QList<int> skipped;
    if (!mv::writeMemorySet(path, table, 3450, &error, &skipped) || !skipped.isEmpty()) {
        std::fprintf(stderr, "cannot write the memory set: %s\n", qPrintable(error));
        return false;
    }
    return true;
}

void prepareSettings(const QString &folder, const QString &home, const QString &lastOpened)
{
    mv::SettingsStore s(folder);
    s.set<mv::Setting::FirstTime>(1);
    s.set<mv::Setting::HomeDir>(home);
    s.set<mv::Setting::LastOpened>(lastOpened);
    s.sync();
}

double runProgram(const QString &program, const QString &settingsFolder)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("MEMVAULT_CONFIG_DIR"), settingsFolder);
    env.insert(QStringLiteral("MEMVAULT_QUIT_AFTER_START"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, {});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s did not finish cleanly\n", qPrintable(program));
        return -1;
    }
    return double(t.nsecsElapsed()) / 1e6;
}

std::vector<double> measure(int runs, const std::function<void()> &what)
{
    std::vector<double> out;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        what();
        out.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return out;
}

}  // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    QTemporaryDir dir;
    const QString home = dir.path() + QStringLiteral("/data");
    QDir().mkpath(home);
    const QString full = home + QStringLiteral("/full.450");
    if (!writeFullSet(full))
        return 1;
    const QString fullSettings = dir.path() + QStringLiteral("/full-settings");
    const QString emptySettings = dir.path() + QStringLiteral("/empty-settings");
    prepareSettings(fullSettings, home, full);
    prepareSettings(emptySettings, home, QStringLiteral("A:\\nothing.450"));  // a floppy path: nothing loads
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/memvault");

    // 1. Process start to the full set loaded and painted, against an empty start.
    std::vector<double> floorRuns, fullRuns;
    runProgram(program, emptySettings);  // warm the file cache
    for (int i = 0; i < runs; ++i) {
        floorRuns.push_back(runProgram(program, emptySettings));
        fullRuns.push_back(runProgram(program, fullSettings));
    }
    if (std::count(floorRuns.begin(), floorRuns.end(), -1.0) || std::count(fullRuns.begin(), fullRuns.end(), -1.0))
        return 1;
    const double floorMs = median(floorRuns), fullMs = median(fullRuns);

    // 2. One full refresh of the memory view after a load, against a plain repaint.
    mv::NonInteractiveDialogs dialogs;
    mv::MainWindowOptions options;
    options.settingsFolder = fullSettings;
    options.dialogs = &dialogs;
    mv::MainWindow window(options);
    window.startUp();
    while (window.startupTimer()->isActive())
        QTest::qWait(5);
    QTest::qWait(20);
    if (window.session().state().DataSource != mv::DataSource::File
        || window.session().state().table.usedMemoryCount() != 500) {
        std::fprintf(stderr, "the full set did not load\n");
        return 1;
    }
    mv::MemoryGridView *view = window.memoryView();
    const std::vector<mv::Memory> rows = window.session().state().table.memoryRows();
    // Floor and refresh alternate so that a busy machine slows both alike.
    const int repeats = runs * 10;
    std::vector<double> repaintRuns, refreshRuns;
    for (int i = 0; i < repeats; ++i) {
        repaintRuns.push_back(measure(1, [&] { view->viewport()->repaint(); }).front());
        refreshRuns.push_back(measure(1, [&] {
                                  // What a reload, an undo or a sort does to the view: every row replaced
                                  // in one batch, hiding, banding and colours re-applied, then painted.
                                  window.session().state().table.setMemoryRows(rows);
                                  window.ApplyHideEmpty();
                                  window.ApplyBanding();
                                  window.RefreshChangedState();
                                  view->viewport()->repaint();
                              }).front());
    }
    const double repaintMs = median(repaintRuns);
    const double refreshMs = median(refreshRuns);

    // 3. The window's event loop during a full read of the radio.
    double stallMs = -1, idleMs = 0, readSeconds = 0;
    constexpr int kTickMs = 2;
#ifdef Q_OS_UNIX
    {
        QProcess sim;
        sim.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/ft450sim"));
        sim.setArguments({QStringLiteral("--rate"), QStringLiteral("38400"), QStringLiteral("--latency-ms"),
                          QStringLiteral("10"), QStringLiteral("--load"), full});
        sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim.start();
        QString device;
        if (sim.waitForStarted(5000)) {
            QElapsedTimer t;
            t.start();
            while (!sim.canReadLine() && t.elapsed() < 5000)
                sim.waitForReadyRead(100);
            device = QString::fromLocal8Bit(sim.readLine()).trimmed();
        }
        if (!device.startsWith(QLatin1Char('/'))) {
            std::fprintf(stderr, "ft450sim did not start\n");
            return 1;
        }
        mv::MainWindowOptions radioOptions = options;
        radioOptions.deviceOverride = device;
        mv::MainWindow reader(radioOptions);
        reader.startUp();
        while (reader.startupTimer()->isActive())
            QTest::qWait(5);
        QTest::qWait(20);

        QElapsedTimer sinceTick;
        qint64 longest = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.nsecsElapsed());
            sinceTick.restart();
        });
        sinceTick.start();
        ticker.start(kTickMs);
        QTest::qWait(10000);
        idleMs = double(longest) / 1e6;
        longest = 0;
        QSignalSpy ended(&reader, &mv::MainWindow::transferFinished);
        QElapsedTimer read;
        read.start();
        reader.findChild<QPushButton *>(QStringLiteral("cmdRead"))->click();
        ended.wait(300000);
        ticker.stop();
        readSeconds = double(read.nsecsElapsed()) / 1e9;
        if (ended.isEmpty() || reader.session().state().DataSource != mv::DataSource::Radio
            || reader.session().state().table.usedMemoryCount() != 500) {
            std::fprintf(stderr, "the read from ft450sim did not complete: %s\n", qPrintable(dialogs.shown.join(' ')));
            return 1;
        }
        stallMs = double(longest) / 1e6;
        sim.terminate();
        sim.waitForFinished(5000);
    }
#endif

    std::printf("MEMVAULT %s start-up and view refresh (median of %d runs, offscreen)\n", mv::kVersionText, runs);
    std::printf("  start, nothing loaded (floor)        %8.1f ms\n", floorMs);
    std::printf("  start, 504 memories loaded + painted %8.1f ms   ratio %.2f\n", fullMs, fullMs / floorMs);
    std::printf("    (the load waits for the program's 100 ms start-up timer by design)\n");
    std::printf("  repaint of the memory view (floor)   %8.2f ms\n", repaintMs);
    std::printf("  full view refresh after a load       %8.2f ms   ratio %.2f\n", refreshMs, refreshMs / repaintMs);
    if (stallMs >= 0) {
        std::printf("  window event loop during a read of 504 memories from ft450sim (%.1f s):\n", readSeconds);
        std::printf("    timer period (floor)               %8.2f ms\n", double(kTickMs));
        std::printf("    longest gap, idle window, 10 s     %8.2f ms\n", idleMs);
        std::printf("    longest stall during the read      %8.2f ms   ratio %.2f\n", stallMs, stallMs / kTickMs);
    }
    return 0;
}
