// End to end over pseudo-terminals against the built ft450sim, with real time
// and real line settings: memvault-cli read / write through the real serial
// port, with its files, messages and exit codes. The flows themselves are tested on the virtual clock
// (tst_radiotransfer); this is the smoke set that the pieces fit.
#include "RadioFixtures.h"
#include "SimProcess.h"
#include "TestFiles.h"
#include "core/NumberText.h"

#include <QtTest>

using namespace mv;
using namespace mv::test;

class TestRadioEndToEnd : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(binDir() + "/memvault-cli"));
        QLocale::setDefault(QLocale::c());
        DetectSeparators();
    }

    // Read every memory, write back an edited file: the radio then holds exactly
    // the file. Rate detection from 4800 on the way in.
    void roundTrip()
    {
        const QByteArray memories = sampleMemoryFile([](int) { return true; });
        SimProcess sim({"--rate", "4800", "--latency-ms", "1"}, memories);
        QVERIFY(sim.ok());

        const QString base = m_dir.filePath("radio");
        CliRun r = runCli({"read", "--device", sim.device, "--speed", "38400", "--no-rts", base});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(readBytes(base + ".450"), memories);
        QVERIFY(readBytes(base + ".450dsc").startsWith("0,\"3450\"\r\n1,\"\"\r\n"));
        QVERIFY(r.err.contains("The read of memories from the Radio has completed successfully."));
        // --no-rts: no handshaking asked of the line for this run.
        QVERIFY(sim.log().filter("RTS/CTS").isEmpty());
        QVERIFY(r.err.contains("Summary: memories read 504, empty 0, not answering 0; identical 0, replaced 0, "
                               "added 0, skipped 0"));

        QByteArray edited = memories;
        for (int n : {3, 250, 501})
            edited.replace("MW" + sampleRecord(n).mid(2), "MW" + sampleRecord(n, 7).mid(2));
        QVERIFY(writeBytes(m_dir.filePath("edited.450"), edited));
        const QString backups = m_dir.filePath("backups");
        r = runCli({"write", "--device", sim.device, "--speed", "38400", "--verify", "--backup-dir", backups,
                    m_dir.filePath("edited.450")});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QVERIFY(r.err.contains("identical 501, replaced 3, added 0, skipped 0"));
        QVERIFY(r.err.contains("all 3 memories written read back as sent"));
        // Without the option the stored setting holds: RTS/CTS.
        QVERIFY(!sim.log().filter("~ host RTS/CTS handshaking on").isEmpty());
        sim.stop();
        QCOMPARE(sim.dump(), edited);
        // What was replaced is in the backup the message names.
        const QString backup = QDir(backups).filePath(QDir(backups).entryList(QDir::Files).value(0));
        QVERIFY(r.err.contains(backup));
        QCOMPARE(readBytes(backup), memories);
        // The radio is back at the rate it was found at, for the next program.
        QVERIFY(sim.log().filter("CAT rate now").last().endsWith("CAT rate now 4800"));
    }

    // A radio that refuses every write (busy in its menu): exit 1, no memory
    // reported written, and the radio keeps what it held. (Refusals arrive
    // after the write's own wait on a real port; a radio dying mid-write is
    // the read's case below and the in-process fault table's.)
    void refusedWrites()
    {
        const QByteArray memories = sampleMemoryFile([](int n) { return n <= 30; });
        SimProcess sim(QStringList{"--rate", "38400", "--latency-ms", "1", "--refuse-writes"}, memories);
        QVERIFY(sim.ok());
        QVERIFY(writeBytes(m_dir.filePath("new.450"), sampleMemoryFile([](int n) { return n <= 30; }, 1)));
        const CliRun r = runCli(
            {"write", "--device", sim.device, "--backup-dir", m_dir.filePath("refused"), m_dir.filePath("new.450")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("Memories the radio refused: 1-30."), qPrintable(r.err));
        QVERIFY(r.err.contains("Memories written: none."));
        sim.stop();
        QCOMPARE(sim.dump(), memories);
    }

    void failuresLeaveTheFileAlone_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("message");
        QTest::newRow("radio off") << QStringList{"--force"} << false
                                   << "Two attempts to set the CAT rate have failed.\n"
                                      "Please check your Com port connection and radio power on state.";
        QTest::newRow("file exists") << QStringList{} << false << "keep.450 exists; give --force to replace it";
        QTest::newRow("read-only file") << QStringList{"--force"} << true << "keep.450 is read-only";
    }
    void failuresLeaveTheFileAlone()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, readOnly);
        QFETCH(QString, message);
        SimProcess sim({"--rate", "38400", "--silent"});
        QVERIFY(sim.ok());
        const QString file = m_dir.filePath("keep.450");
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(writeBytes(file, "MW00107000000+000000100000;\r\n"));
        if (readOnly)
            QFile::setPermissions(file, QFile::ReadOwner);
        const CliRun failed = runCli(QStringList{"read", "--device", sim.device, file} + options);
        QCOMPARE(failed.exitCode, 1);
        QVERIFY2(failed.err.contains(message), qPrintable(failed.err));
        QVERIFY(failed.err.contains("nothing was read"));
        QCOMPARE(readBytes(file), QByteArray("MW00107000000+000000100000;\r\n"));
        QVERIFY(!QFileInfo::exists(file + "dsc"));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }

    // An unfinished read never replaces the file; what was read is kept beside it.
    void incompleteReadIsKeptBeside()
    {
        const QByteArray memories = sampleMemoryFile([](int n) { return n % 50 == 0; });
        // ID, AI0, EX0104, ID and memories 1..498 answer; then the radio is gone.
        SimProcess sim({"--rate", "38400", "--latency-ms", "1", "--stop-after", "502"}, memories);
        QVERIFY(sim.ok());
        const QString file = m_dir.filePath("partial.450");
        QVERIFY(writeBytes(file, "old"));
        const CliRun r = runCli({"read", "--device", sim.device, "--speed", "38400", "--force", file});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("Memories that did not answer: 499-500, P1L-P2L."), qPrintable(r.err));
        QVERIFY(r.err.contains("not answering 5"));
        QCOMPARE(readBytes(file), QByteArray("old"));
        const QByteArray kept = readBytes(m_dir.filePath("partial.incomplete.450"));
        QCOMPARE(kept.count("\r\n"), 9);  // memories 50, 100, ... 450
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no port") << QStringList{"read", "f.450"};
        QTest::newRow("port 17") << QStringList{"write", "--port=17", "f.450"};
        QTest::newRow("speed 1200") << QStringList{"read", "--port", "1", "--speed", "1200", "f.450"};
        QTest::newRow("dry run and verify") << QStringList{"write", "--port", "1", "--dry-run", "--verify", "f.450"};
        QTest::newRow("missing value") << QStringList{"diff", "f.450", "--device"};
        QTest::newRow("backup folder on a read") << QStringList{"read", "--port", "1", "--backup-dir", "b", "f.450"};
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        const CliRun r = runCli(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("usage:"));
    }
};

QTEST_GUILESS_MAIN(TestRadioEndToEnd)
#include "tst_radio_e2e.moc"
