// The settings store: application/section/key text values in a private folder.
#include "TestFiles.h"
#include "shell/SafeSave.h"
#include "shell/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

using namespace mv;

using mv::test::readBytes;

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void neverTheUsersFolder()
    {
        // CTest hands every suite its own folder; the store must take it.
        const QString configured = qEnvironmentVariable("MEMVAULT_CONFIG_DIR");
        QVERIFY(!configured.isEmpty());
        SettingsStore store;
        QCOMPARE(store.folder(), configured);
        const QString real = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/memvault";
        QVERIFY(QDir(store.folder()) != QDir(real));
    }

    void missingKeyGivesDefault()
    {
        QTemporaryDir dir;
        SettingsStore s(dir.path());
        QCOMPARE(s.value("HomeDir"), QString());
        QCOMPARE(s.value("GridSize", "Normal"), QString("Normal"));
        QCOMPARE(s.intValue("Commport", 1), 1);
        QCOMPARE(s.boolValue("Log", false), false);
        QVERIFY(!s.contains(kAppName, kSettingsSection, "HomeDir"));
    }

    void keysMatchWithoutCase()
    {
        QTemporaryDir dir;
        {
            SettingsStore s(dir.path());
            s.setValue("CommPort", "3");
            QCOMPARE(s.value("Commport"), QString("3"));
            QCOMPARE(s.value("COMMPORT"), QString("3"));
            s.setValue("Commport", "4");  // the same entry, whatever the case
            QCOMPARE(s.value("CommPort"), QString("4"));
            s.sync();
        }
        const QByteArray ini = readBytes(dir.filePath("MEMVAULT.ini"));
        QCOMPARE(ini.toLower().count("commport="), 1);
        SettingsStore again(dir.path());
        QCOMPARE(again.value("commPORT"), QString("4"));
        again.remove(kAppName, kSettingsSection, "COMMPORT");
        QCOMPARE(again.value("CommPort", "1"), QString("1"));
    }

    void booleansAreWrittenAsWords()
    {
        QTemporaryDir dir;
        {
            SettingsStore s(dir.path());
            s.setBoolValue("Log", true);
            s.setBoolValue("RTS", false);
            QCOMPARE(s.value("Log"), QString("True"));
            QCOMPARE(s.value("RTS"), QString("False"));
        }
        const QByteArray ini = readBytes(dir.filePath("MEMVAULT.ini"));
        QVERIFY(ini.contains("Log=True"));
        QVERIFY(ini.contains("RTS=False"));
    }

    void booleansReadWithUsualConversions_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("True") << "True" << false << true;
        QTest::newRow("true") << "true" << false << true;
        QTest::newRow("FALSE") << "FALSE" << true << false;
        QTest::newRow("-1") << "-1" << false << true;
        QTest::newRow("1") << "1" << false << true;
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow(" True ") << " True " << false << true;
        QTest::newRow("garbage keeps default true") << "maybe" << true << true;
        QTest::newRow("garbage keeps default false") << "maybe" << false << false;
        QTest::newRow("empty keeps default") << "" << true << true;
    }
    void booleansReadWithUsualConversions()
    {
        QFETCH(QString, stored);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        QTemporaryDir dir;
        SettingsStore s(dir.path());
        s.setValue("Autosize", stored);
        QCOMPARE(s.boolValue("autosize", defaultValue), expected);
    }

    void awkwardTextsSurviveAReopen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("serial settings with commas") << "38400,N,8,2";
        QTest::newRow("windows path") << "C:\\Radio\\My memories.450";
        QTest::newRow("unix path with blanks") << "/home/op/radio files/set.450";
        QTest::newRow("leading and trailing blanks") << "  padded  ";
        QTest::newRow("equals and semicolon") << "a=b;c";
        QTest::newRow("quotes") << "say \"hi\"";
        QTest::newRow("non-ASCII") << "Großfunk Ü 73";
        QTest::newRow("empty") << "";
    }
    void awkwardTextsSurviveAReopen()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        {
            SettingsStore s(dir.path());
            s.setValue("LastOpened", text);
        }
        SettingsStore s(dir.path());
        QVERIFY(s.contains(kAppName, kSettingsSection, "LastOpened"));
        QCOMPARE(s.value("LastOpened", "default"), text);
    }

    void oneFilePerApplication()
    {
        QTemporaryDir dir;
        {
            SettingsStore s(dir.path());
            s.setValue("HomeDir", "/data");
            s.set(kRulesAppName, "RepeaterRules", "Count", "8");
        }
        QVERIFY(QFile::exists(dir.filePath("MEMVAULT.ini")));
        QVERIFY(QFile::exists(dir.filePath("VaultGlobal.ini")));
        SettingsStore s(dir.path());
        QCOMPARE(s.get(kRulesAppName, "RepeaterRules", "count"), QString("8"));
        QCOMPARE(s.get(kRulesAppName, kSettingsSection, "HomeDir"), QString());
        QCOMPARE(s.get(kAppName, "RepeaterRules", "Count", "none"), QString("none"));
    }

    void numbersReadTheirLeadingDigits_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "7410" << 7410;
        QTest::newRow("negative") << "-120" << -120;
        QTest::newRow("digits then text") << "12abc" << 12;
        QTest::newRow("blanks") << "  42 " << 42;
        QTest::newRow("no digits") << "abc" << 999;
        QTest::newRow("overflow") << "99999999999999" << 999;
        QTest::newRow("empty") << "" << 999;
    }
    void numbersReadTheirLeadingDigits()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QTemporaryDir dir;
        SettingsStore s(dir.path());
        s.setValue("MemoryHeight", stored);
        QCOMPARE(s.intValue("memoryheight", 999), expected);
    }

    void garbageFileReadsAsDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArray random;
        quint32 x = 12345;
        for (int i = 0; i < 4096; ++i) {
            x = x * 1103515245u + 12345u;
            random += char(x >> 24);
        }
        QTest::newRow("random bytes") << random;
        QTest::newRow("values of the wrong kind") << QByteArray("[Settings]\nLog=perhaps\nCommport=three\n");
        QTest::newRow("lines without keys") << QByteArray("[Settings]\n=True\n==\nLog\n\\\n");
        QTest::newRow("only a BOM") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("NUL bytes") << QByteArray("[Settings]\nGridSize=\0\0\0\n", 24);
        QTest::newRow("list syntax") << QByteArray("[Settings]\nCommport=@Variant(\\0\\0\\0\\x7f)\n");
    }
    void garbageFileReadsAsDefaults()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(mv::test::writeBytes(dir.filePath("MEMVAULT.ini"), content));
        SettingsStore s(dir.path());
        QCOMPARE(s.intValue("Commport", 1), 1);
        QCOMPARE(s.boolValue("Log", false), false);
        QCOMPARE(s.value("HomeDir", "fallback"), QString("fallback"));
        // And the store still works afterwards.
        s.setValue("HomeDir", "/data");
        QCOMPARE(s.value("homedir"), QString("/data"));
    }

    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("room");  // bytes that fit on the disk
        QTest::newRow("nothing fits") << 0;
        QTest::newRow("part of the file fits") << 20;
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(int, room);
        QTemporaryDir dir;
        const QString path = dir.filePath("MEMVAULT.ini");
        const QByteArray old = "[Settings]\nHomeDir=/old\n";
        QVERIFY(mv::test::writeBytes(path, old));
        SettingsStore s(dir.path());
        s.setValue("LastOpened", "/home/op/radio files/set.450");
        {
            SaveSpaceLimit full(room);
            QVERIFY(!s.sync());
        }
        QCOMPARE(readBytes(path), old);
        QCOMPARE(s.error(), "The settings cannot be saved: " + path + ": No space left on device");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"MEMVAULT.ini"});
        QVERIFY(s.sync());  // room again: the change is still there to be written
        QVERIFY(readBytes(path).contains("LastOpened=/home/op/radio files/set.450"));
    }

    void fifoInPlaceOfTheFileIsNotRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("MEMVAULT.ini");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QStringList problems;
        SettingsStore s(dir.path());
        s.setProblemHandler([&](const QString &text) { problems << text; });
        QCOMPARE(s.value("LastOpened", "none"), QString("none"));  // at once, not blocked
        QCOMPARE(problems, QStringList{"File " + path
                                       + " cannot be opened: it is not a regular file (a FIFO, socket or device)"
                                         " - the settings in it were not read."});
        s.setValue("HomeDir", "/data");
        QVERIFY(!s.sync());
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());  // the FIFO is left alone
    }

    void largeFileIsIndexedOnce()
    {
        // A rules file of some 15 MB: every key is found, in any letter case.
        QTemporaryDir dir;
        QByteArray ini = "[RepeaterRules]\n";
        const int count = 300000;
        for (int n = 1; n <= count; ++n)
            ini += "Rule" + QByteArray::number(n) + "Description=a hand-made rule with a long description\n";
        QVERIFY(ini.size() > 15 * 1000 * 1000);
        QVERIFY(mv::test::writeBytes(dir.filePath("VaultGlobal.ini"), ini));
        SettingsStore s(dir.path());
        for (int n = 1; n <= count; n += 997)
            QCOMPARE(s.get(kRulesAppName, "RepeaterRules", "RULE" + QString::number(n) + "description"),
                     QString("a hand-made rule with a long description"));
        QCOMPARE(s.get(kRulesAppName, "repeaterrules", "Rule300000Description"),
                 QString("a hand-made rule with a long description"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
