// Sizes in twips, grid profiles, stored column widths and the windowed
// program's command line.
#include "shell/CommandLine.h"
#include "shell/SettingsStore.h"
#include "shell/WindowLayout.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace mv;

class TestWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void twips_data();
    void twips();
    void profiles_data();
    void profiles();
    void storedWidths_data();
    void storedWidths();
    void commandLine_data();
    void commandLine();
};

void TestWindowLayout::twips_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("one inch at 96") << 1440 << 96.0 << 96;
    QTest::newRow("one inch at 144") << 1440 << 144.0 << 144;
    QTest::newRow("broken dpi falls back to 96") << 1440 << 0.0 << 96;
}

void TestWindowLayout::twips()
{
    QFETCH(int, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(TwipsToPixels(twips, dpi), pixels);
    // Back again within one pixel's worth of twips.
    const int back = PixelsToTwips(pixels, dpi);
    QVERIFY2(qAbs(back - twips) <= 1440 / (dpi > 0 ? dpi : 96) / 2 + 1, qPrintable(QString::number(back)));
}

void TestWindowLayout::profiles_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("header");
    QTest::addColumn<int>("column0");
    QTest::newRow("Normal") << "Normal"
                            << "Normal" << 8 << 500 << 1150;
    QTest::newRow("Largest") << "Largest"
                             << "Largest" << 10 << 600 << 1210;
    QTest::newRow("unknown name") << "Huge"
                                  << "Largest" << 10 << 600 << 1210;
    QTest::newRow("other letter case") << "normal"
                                       << "Largest" << 10 << 600 << 1210;
}

void TestWindowLayout::profiles()
{
    QFETCH(QString, stored);
    QFETCH(QString, name);
    QFETCH(int, points);
    QFETCH(int, header);
    QFETCH(int, column0);
    const GridProfile p = GridProfileFor(stored);
    QCOMPARE(p.name, name);
    QCOMPARE(p.fontPoints, points);
    QCOMPARE(p.headerTwips, header);
    QCOMPARE(p.column0Twips, column0);
}

void TestWindowLayout::storedWidths_data()
{
    QTest::addColumn<QStringList>("texts");  // Column0, Column1, ...; empty: not stored
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QList<int>>("widths");
    const QList<int> current{900, 1000, 1000, 1000, 1000, 1000, 3000};
    QTest::newRow("nothing stored") << QStringList{} << false << current;
    QTest::newRow("Column0 reads 999") << QStringList{"999", "2000"} << false << current;
    QTest::newRow("all stored") << QStringList{"1150", "1200", "1300", "1400", "1500", "1600", "4000"} << true
                                << QList<int>{1150, 1200, 1300, 1400, 1500, 1600, 4000};
    QTest::newRow("some missing or broken keep theirs") << QStringList{"1150", "", "abc", "-40", "", "", "5000"} << true
                                                        << QList<int>{1150, 1000, 1000, 1000, 1000, 1000, 5000};
}

void TestWindowLayout::storedWidths()
{
    QFETCH(QStringList, texts);
    QFETCH(bool, stored);
    QFETCH(QList<int>, widths);
    const std::unique_ptr<SettingsStore> temporary = SettingsStore::createTemporary();
    SettingsStore &settings = *temporary;
    for (int i = 0; i < texts.size(); ++i) {
        if (!texts.at(i).isEmpty())
            settings.setText(Setting::Column, texts.at(i), i);
    }
    const MemoryWidths current{900, 1000, 1000, 1000, 1000, 1000, 3000};
    MemoryWidths out = current;
    QCOMPARE(StoredColumnWidths(settings, current, &out), stored);
    QCOMPARE(QList<int>(out.begin(), out.end()), widths);

    // What is stored reads back the same.
    StoreColumnWidths(settings, out);
    MemoryWidths again{};
    QVERIFY(StoredColumnWidths(settings, current, &again));
    QCOMPARE(again, out);
}

void TestWindowLayout::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("error");
    QTest::newRow("nothing") << QStringList{} << ""
                             << "" << false;
    QTest::newRow("quoted path kept for the quote removal")
        << QStringList{"\"/home/me/My radio.450\""} << "\"/home/me/My radio.450\""
        << "" << false;
    QTest::newRow("desktop passes one argument") << QStringList{"/home/me/My radio.450"} << "/home/me/My radio.450"
                                                 << "" << false;
    QTest::newRow("split by a shell") << QStringList{"/home/me/My", "radio.450"} << "/home/me/My radio.450"
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

void TestWindowLayout::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(QString, path);
    QFETCH(QString, device);
    QFETCH(bool, error);
    const CommandLine line = ParseCommandLine(args);
    QCOMPARE(line.path, path);
    QCOMPARE(line.device, device);
    QCOMPARE(!line.error.isEmpty(), error);
}

QTEST_GUILESS_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
