// The settings and the INI files under them.
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

Q_DECLARE_METATYPE(mv::Setting)

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void neverTheUsersFolder()
    {
        const QString configured = qEnvironmentVariable("MEMVAULT_CONFIG_DIR");
        QVERIFY(!configured.isEmpty());
        SettingsStore store;
        QCOMPARE(store.folder(), configured);
        const QString real = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/memvault";
        QVERIFY(QDir(store.folder()) != QDir(real));
    }

    // A setting of each file and kind: its key and value text in the file, in
    // any letter case when read back, and gone when removed.
    void declarations_data()
    {
        QTest::addColumn<Setting>("setting");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");  // the file's line after the write
        QTest::newRow("text") << Setting::LastOpened << 0 << "/home/op/radio files/set.450"
                              << "LastOpened=/home/op/radio files/set.450";
        QTest::newRow("quoted") << Setting::UserCommSpeed << 0 << "4800,N,8,2"
                                << "UserCommSpeed=\"4800,N,8,2\"";
        QTest::newRow("number") << Setting::MemoryTop << 0 << "-120"
                                << "MemoryTop=-120";
        QTest::newRow("family") << Setting::PortDevice << 16 << "/dev/ttyS3"
                                << "PortDevice16=/dev/ttyS3";
        QTest::newRow("family from 0") << Setting::Column << 0 << "1150"
                                       << "Column0=1150";
        QTest::newRow("rules file") << Setting::RuleLow << 1000 << "430,02500"
                                    << "Rule1000Low=\"430,02500\"";
    }
    void declarations()
    {
        QFETCH(Setting, setting);
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QString, line);
        const SettingDeclaration &d = declarationOf(setting);
        const QByteArray header = "[" + QByteArray(d.section) + "]\n";
        auto store = SettingsStore::createTemporary();
        const QString path = store->folder() + "/" + QString::fromLatin1(d.app) + ".ini";
        int signalled = 0;
        connect(store.get(), &SettingsStore::changed, this,
                [&](Setting s, int i) { signalled += s == setting && i == index ? 1 : 100; });
        store->setText(setting, text, index);
        store->setText(setting, text, index);  // the same value again: no change
        QCOMPARE(signalled, 1);
        QVERIFY(store->sync());
        QCOMPARE(readBytes(path), header + line.toUtf8() + "\n");
        QVERIFY(mv::test::writeBytes(path, (header + line.toUtf8()).toUpper() + "\n"));
        SettingsStore again(store->folder());
        QCOMPARE(again.text(setting, index).toUpper(), text.toUpper());
        again.remove(setting, index);
        QVERIFY(again.sync());
        QCOMPARE(readBytes(path), QByteArray());
    }

    void awkwardTextsSurviveAReopen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("windows path") << "C:\\Radio\\My memories.450";
        QTest::newRow("leading and trailing blanks") << "  padded  ";
        QTest::newRow("equals and semicolon") << "a=b;c";
        QTest::newRow("quotes") << "say \"hi\"";
        QTest::newRow("non-ASCII") << "Großfunk Ü 73";
    }
    void awkwardTextsSurviveAReopen()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        SettingsStore(dir.path()).set<Setting::LastOpened>(text);
        QCOMPARE(SettingsStore(dir.path()).get<Setting::LastOpened>(), text);
    }

    void garbageFileReadsAsDefaults()
    {
        QByteArray random;
        quint32 x = 12345;
        for (int i = 0; i < 4096; ++i)
            random += char((x = x * 1103515245u + 12345u) >> 24);
        QTemporaryDir dir;
        QVERIFY(mv::test::writeBytes(dir.filePath("MEMVAULT.ini"), random));
        SettingsStore s(dir.path());
        QCOMPARE(s.get<Setting::CommPort>(), 1);
        s.set<Setting::HomeDir>("/data");
        QCOMPARE(s.get<Setting::HomeDir>(), QString("/data"));
    }

    void fullDiskKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("MEMVAULT.ini");
        const QByteArray old = "[Settings]\nHomeDir=/old\n";
        QVERIFY(mv::test::writeBytes(path, old));
        SettingsStore s(dir.path());
        s.set<Setting::LastOpened>("/home/op/radio files/set.450");
        {
            SaveSpaceLimit full(20);  // part of the file fits
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
        QVERIFY(!s.contains(Setting::LastOpened));  // at once, not blocked
        QCOMPARE(problems, QStringList{"File " + path
                                       + " cannot be opened: it is not a regular file (a FIFO, socket or device)"
                                         " - the settings in it were not read."});
        s.set<Setting::HomeDir>("/data");
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
        IniStore s(dir.path());
        for (int n = count; n >= 1; n -= 997)
            QCOMPARE(s.get(kRulesAppName, "repeaterrules", "RULE" + QString::number(n) + "description"),
                     QString("a hand-made rule with a long description"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
