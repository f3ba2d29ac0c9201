// memvault: the windowed program.
//
//   memvault [--device PATH] [FILE.450]    (memvault --help for more)
//
// FILE.450 (quoted or not) is opened once the window shows; --device makes every
// port number mean PATH for this run (a USB cable by its stable name, or the
// pseudo-terminal of the ft450sim radio simulator).
#include "Version.h"
#include "shell/CommandLine.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    // --help and --version answer before anything needs a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const mv::CommandLine early = mv::ParseCommandLine(arguments);
    if (early.help) {
        std::fputs(qPrintable(mv::CommandLineHelp()), stdout);
        return 0;
    }
    if (early.version) {
        std::printf("memvault %s\n", mv::kVersionText);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("memvault"));
    // No display name: on X11 Qt would append it to every window title, and the
    // main window's caption is exactly "MEMVAULT V" + version.
    QApplication::setApplicationVersion(QString::fromLatin1(mv::kVersionText));
    QApplication::setDesktopFileName(QStringLiteral("memvault"));

    // Qt has taken its own options (-platform, -style, ...) out by now.
    const mv::CommandLine line = mv::ParseCommandLine(QApplication::arguments().mid(1));
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "memvault: %s\nTry 'memvault --help'.\n", qPrintable(line.error));
        return 2;
    }

    mv::Form1Options options;
    options.commandLinePath = line.path;
    options.deviceOverride = line.device;
    mv::Form1 window(options);
    window.startUp();

    // For the start-up benchmark: leave as soon as the start-up file is loaded
    // and the window has painted it.
    if (qEnvironmentVariableIsSet("MEMVAULT_QUIT_AFTER_START")) {
        auto *poll = new QTimer(&window);
        QObject::connect(poll, &QTimer::timeout, &window, [&window, poll] {
            if (window.startupTimer()->isActive())
                return;
            poll->stop();
            window.repaint();
            QApplication::quit();
        });
        poll->start(1);
    }
    return app.exec();
}
