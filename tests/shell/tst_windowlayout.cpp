// Sizes in twips, stored column widths and the windowed program's command line.
#include "shell/CommandLine.h"
#include "shell/SettingsStore.h"
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

    void storedWidths_data()
    {
        QTest::addColumn<QStringList>("texts");  // Column0, Column1, ...; empty: not stored
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QList<int>>("widths");
        const QList<int> current{900, 1000, 1000, 1000, 1000, 1000, 3000};
        QTest::newRow("nothing stored") << QStringList{} << false << current;
        QTest::newRow("Column0 reads 999") << QStringList{"999", "2000"} << false << current;
        QTest::newRow("some missing or broken keep theirs")
            << QStringList{"1150", "", "abc", "-40", "", "", "5000"} << true
            << QList<int>{1150, 1000, 1000, 1000, 1000, 1000, 5000};
    }
    void storedWidths()
    {
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, widths);
        const std::unique_ptr<SettingsStore> settings = SettingsStore::createTemporary();
        for (int i = 0; i < texts.size(); ++i) {
            if (!texts.at(i).isEmpty())
                settings->setText(Setting::Column, texts.at(i), i);
        }
        const MemoryWidths current{900, 1000, 1000, 1000, 1000, 1000, 3000};
        MemoryWidths out = current;
        QTEST(StoredColumnWidths(*settings, current, &out), "stored");
        QCOMPARE(QList<int>(out.begin(), out.end()), widths);
        StoreColumnWidths(*settings, out);
        MemoryWidths again{};
        QVERIFY(StoredColumnWidths(*settings, current, &again));
        QCOMPARE(again, out);
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
