// Sizes in twips and the windowed program's command line.
#include "shell/CommandLine.h"
#include "shell/WindowLayout.h"

#include <QtTest>

using namespace mv;

class TestWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void twips()
    {
        QCOMPARE(TwipsToPixels(1440, 96.0), 96);
        QCOMPARE(TwipsToPixels(1440, 144.0), 144);
        QCOMPARE(TwipsToPixels(1440, 0.0), 96);  // a broken dpi counts as 96
        QCOMPARE(PixelsToTwips(144, 144.0), 1440);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("error");
        auto row = [](const char *name, const QStringList &args, const char *path, const char *device, bool error) {
            QTest::newRow(name) << args << QString(path) << QString(device) << error;
        };
        row("split by a shell", {"/a/My", "radio.450"}, "/a/My radio.450", "", false);
        row("device and file", {"--device", "/dev/pts/4", "a.450"}, "a.450", "/dev/pts/4", false);
        row("device with equals", {"--device=/tmp/ft450"}, "", "/tmp/ft450", false);
        row("device without value", {"--device"}, "", "", true);
        row("unknown option is no file name", {"--fast", "a.450"}, "a.450", "", true);
        row("a lone dash is part of a name", {"My", "-", "set.450"}, "My - set.450", "", false);
        row("file named like an option after --", {"--", "--device"}, "--device", "", false);
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        const CommandLine line = ParseCommandLine(args);
        QTEST(line.path, "path");
        QTEST(line.device, "device");
        QTEST(!line.error.isEmpty(), "error");
    }
};

QTEST_GUILESS_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
