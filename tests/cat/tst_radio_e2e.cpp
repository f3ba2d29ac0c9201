// End to end over pseudo-terminals against the built ft450sim, with real time
// and real line settings: the window's read on its worker thread through the
// real serial port, and memvault-cli read / write with its files, messages and
// exit codes. The flows themselves are tested on the virtual clock
// (tst_radiotransfer); this is the smoke set that the pieces fit.
#include "RadioFixtures.h"
#include "SimProcess.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "cat/CatLink.h"
#include "cat/RadioTransfer.h"
#include "cat/RadioWorker.h"
#include "core/MemoryRecord.h"
#include "core/NumberText.h"
#include "shell/FrontEnd.h"

#include <QtTest>

using namespace mv;
using namespace mv::test;

namespace {
CliRun cli(const QStringList &args) { return runCli(args); }
QByteArray readFile(const QString &path) { return readBytes(path); }
}  // namespace

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

    // The window's way: the flow on the worker thread, the real serial port on
    // it, every box and table change handed to this thread.
    void readOnTheWorkerThread()
    {
        const QByteArray memories = sampleMemoryFile([](int n) { return n % 2 == 1; });
        SimProcess sim({"--rate", "9600", "--latency-ms", "1"}, memories);
        QVERIFY(sim.ok());
        TestContext c;
        c.log.setLoggingEnabled(true);
        FrontEndThread frontEnd;
        FrontEndDialogs dialogs(c.dialogs, frontEnd);
        AppContext ctx{c.state, *c.settings, c.log, dialogs, c.view};
        CatLink link(*c.settings, c.log, dialogs);
        link.setDeviceOverride(sim.device);
        RadioTransfer transfer(ctx, link, &frontEnd);
        RadioWorker worker(transfer);
        QSignalSpy progress(&transfer, &RadioTransfer::progress);
        QSignalSpy ended(&worker, &RadioWorker::finished);
        QVERIFY(worker.start(&RadioTransfer::ReadRadio));
        QVERIFY(!worker.start(&RadioTransfer::WriteRadio));  // one at a time
        QVERIFY(ended.wait(120000));

        QCOMPARE(c.dialogs.texts().size(), 2);
        QVERIFY(c.dialogs.texts().first().startsWith("You are about to read the Radio."));
        QVERIFY(c.dialogs.texts().last().startsWith("The read of memories from the Radio has completed successfully."));
        QCOMPARE(c.state.DataSource, DataSource::Radio);
        QCOMPARE(c.state.table.usedMemoryCount(), 250);
        for (int n = 1; n <= kLastCat; n += 2)
            QCOMPARE(BuildMemoryWrite(c.state.table, n).toLatin1(), "MW" + sampleRecord(n).mid(2));
        QVERIFY(c.log.text().contains("Baud rate of 9600 detected\r\n"));
        QVERIFY(c.log.text().contains("Read: issue initial instructions\r\n"));
        QCOMPARE(c.view.status[2], QString("504"));
        QCOMPARE(progress.size(), 504);
        QCOMPARE(progress.last().at(0).toInt(), 504);
        QVERIFY(!link.isOpen());
        sim.stop();
        QVERIFY(sim.log().filter("CAT rate now").last().endsWith("CAT rate now 9600"));
    }

    // Read every memory, write back an edited file: the radio then holds exactly
    // the file. Rate detection from 4800 on the way in.
    void roundTrip()
    {
        const QByteArray memories = sampleMemoryFile([](int) { return true; });
        SimProcess sim({"--rate", "4800", "--latency-ms", "1"}, memories);
        QVERIFY(sim.ok());

        const QString base = m_dir.filePath("radio");
        CliRun r = cli({"read", "--device", sim.device, "--speed", "38400", base});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(readFile(base + ".450"), memories);
        const QList<QByteArray> descriptions = readFile(base + ".450dsc").split('\n');
        QCOMPARE(descriptions.size(), 502);  // 501 lines and the end
        QCOMPARE(descriptions.first(), QByteArray("0,\"3450\"\r"));
        QCOMPARE(descriptions.at(500), QByteArray("500,\"\"\r"));
        QVERIFY(r.err.contains("The read of memories from the Radio has completed successfully."));
        QVERIFY(r.err.contains("You are about to read the Radio."));
        QVERIFY(r.err.contains("Summary: memories read 504, empty 0, not answering 0; identical 0, replaced 0, "
                               "added 0, skipped 0"));

        QByteArray edited = memories;
        for (int n : {3, 250, 501}) {
            const QByteArray was = "MW" + sampleRecord(n).mid(2);
            const QByteArray now = "MW" + sampleRecord(n, 7).mid(2);
            QVERIFY(edited.contains(was));
            edited.replace(was, now);
        }
        QVERIFY(writeBytes(m_dir.filePath("edited.450"), edited));
        const QString backups = m_dir.filePath("backups");
        r = cli({"write", "--device", sim.device, "--speed", "38400", "--verify", "--backup-dir", backups,
                 m_dir.filePath("edited.450")});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QVERIFY(r.err.contains("identical 501, replaced 3, added 0, skipped 0"));
        QVERIFY(r.err.contains("Transfer of memories completed."));
        QVERIFY(r.err.contains("all 3 memories written read back as sent"));
        sim.stop();
        QCOMPARE(sim.dump(), edited);
        QCOMPARE(sim.commands().filter("MW").size(), 3);
        // What was replaced is in the backup the message names.
        const QStringList files = QDir(backups).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        QVERIFY(r.err.contains(QDir(backups).filePath(files.first())));
        const QByteArray backup = readFile(QDir(backups).filePath(files.first()));
        for (int n : {3, 250, 501})
            QVERIFY(backup.contains("MW" + sampleRecord(n).mid(2)));
        // The radio is back at the rate it was found at, for the next program.
        QVERIFY(sim.log().filter("CAT rate now").last().endsWith("CAT rate now 4800"));
    }

    // A radio that dies while being written: exit 1, no memory reported
    // written that the radio did not take, and the backup holds what it held.
    void radioDyingDuringTheWrite()
    {
        const QByteArray memories = sampleMemoryFile([](int n) { return n <= 30; });
        // ID, AI0, EX0104, ID, then MR, MW, ID per memory: dead after memory 5.
        SimProcess sim({"--rate", "38400", "--latency-ms", "1", "--stop-after", "19"}, memories);
        QVERIFY(sim.ok());
        QVERIFY(writeBytes(m_dir.filePath("new.450"), sampleMemoryFile([](int n) { return n <= 30; }, 1)));
        const QString backups = m_dir.filePath("dying");
        const CliRun r = cli({"write", "--device", sim.device, "--backup-dir", backups, m_dir.filePath("new.450")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("The write to the radio did not complete") && r.err.contains("Memories written: 1-5."),
                 qPrintable(r.err));
        QVERIFY(!r.err.contains("Transfer of memories completed."));
        sim.stop();
        QCOMPARE(sim.commands().filter("MW").size(), 5);
        const QByteArray backup = readFile(QDir(backups).filePath(QDir(backups).entryList(QDir::Files).value(0)));
        QCOMPARE(backup, sampleMemoryFile([](int n) { return n <= 5; }));
    }

    void failuresLeaveTheFileAlone_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("device");  // "sim": the simulator's
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("message");
        QTest::newRow("radio off") << QStringList{"--force"} << "sim" << false
                                   << "Two attempts to set the CAT rate have failed.\n"
                                      "Please check your Com port connection and radio power on state.";
        QTest::newRow("no such port") << QStringList{"--force"} << "/dev/no-such-ft450" << false
                                      << "COM Port 1 is not available. It may be in use by another program.\n"
                                         "The requested operation cannot continue.";
        QTest::newRow("file exists") << QStringList{} << "sim" << false
                                     << "keep.450 exists; give --force to replace it";
        QTest::newRow("read-only file") << QStringList{"--force"} << "sim" << true << "keep.450 is read-only";
    }
    void failuresLeaveTheFileAlone()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, device);
        QFETCH(bool, readOnly);
        QFETCH(QString, message);
        SimProcess sim({"--rate", "38400", "--silent"});
        QVERIFY(sim.ok());
        const QString file = m_dir.filePath("keep.450");
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(writeBytes(file, "MW00107000000+000000100000;\r\n"));
        if (readOnly)
            QFile::setPermissions(file, QFile::ReadOwner);
        const CliRun failed
            = cli(QStringList{"read", "--device", device == "sim" ? sim.device : device, file} + options);
        QCOMPARE(failed.exitCode, 1);
        QVERIFY2(failed.err.contains(message), qPrintable(failed.err));
        QVERIFY(failed.err.contains("nothing was read"));
        QCOMPARE(readFile(file), QByteArray("MW00107000000+000000100000;\r\n"));
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
        const CliRun r = cli({"read", "--device", sim.device, "--speed", "38400", "--force", file});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("Memories that did not answer: 499-500, P1L-P2L."), qPrintable(r.err));
        QVERIFY(r.err.contains("not answering 5"));
        QCOMPARE(readFile(file), QByteArray("old"));
        const QByteArray kept = readFile(m_dir.filePath("partial.incomplete.450"));
        QCOMPARE(kept.count("\r\n"), 9);  // memories 50, 100, ... 450
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no port") << QStringList{"read", "f.450"};
        QTest::newRow("port 17") << QStringList{"write", "--port=17", "f.450"};
        QTest::newRow("speed 1200") << QStringList{"read", "--port", "1", "--speed", "1200", "f.450"};
        QTest::newRow("dry run and verify") << QStringList{"write", "--port", "1", "--dry-run", "--verify", "f.450"};
        QTest::newRow("unknown option") << QStringList{"diff", "--port", "1", "--fast", "f.450"};
        QTest::newRow("missing value") << QStringList{"diff", "f.450", "--device"};
        QTest::newRow("backup folder on a read") << QStringList{"read", "--port", "1", "--backup-dir", "b", "f.450"};
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        const CliRun r = cli(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("usage:"));
    }

    void writeOfAMissingFileFails()
    {
        const CliRun r = cli({"write", "--device", "/dev/null", m_dir.filePath("nothing-here")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("cannot read"));
        QVERIFY(r.err.contains("nothing-here.450"));
    }
};

QTEST_GUILESS_MAIN(TestRadioEndToEnd)
#include "tst_radio_e2e.moc"
