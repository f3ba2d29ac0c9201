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
        QTest::newRow("split by a shell") << QStringList{"/a/My", "radio.450"} << "/a/My radio.450"
                                          << "" << false;
        QTest::newRow("device and file") << QStringList{"--device", "/dev/pts/4", "a.450"} << "a.450"
                                         << "/dev/pts/4" << false;
        QTest::newRow("device with equals") << QStringList{"--device=/tmp/ft450"} << ""
                                            << "/tmp/ft450" << false;
        QTest::newRow("device without value") << QStringList{"--device"} << ""
                                              << "" << true;
        QTest::newRow("unknown option is no file name") << QStringList{"--fast", "a.450"} << "a.450"
                                                        << "" << true;
        QTest::newRow("a lone dash is part of a name") << QStringList{"My", "-", "set.450"} << "My - set.450"
                                                       << "" << false;
        QTest::newRow("file named like an option after --") << QStringList{"--", "--device"} << "--device"
                                                            << "" << false;
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
