// End to end over a real pseudo-terminal: the program's QSerialPort link
// against ft450sim, with real time, real line settings and real time-outs.
#include "RadioFixtures.h"
#include "SimProcess.h"
#include "TestContext.h"
#include "cat/CatLink.h"
#include "cat/RadioTransfer.h"
#include "core/MemoryRecord.h"
#include "core/NumberText.h"

#include <QtTest>
#include <functional>

using namespace mv;
using namespace mv::test;

namespace {

const QString kReadDone = "The read of memories from the Radio has completed successfully.\r\n"
                          "It is recommended that you save a copy to disk using Write Disk File button.";

class HookView : public RecordingView {
public:
    std::function<void(int value, int maximum)> onProgress;
    void SetTransferProgress(int value, int maximum) override
    {
        RecordingView::SetTransferProgress(value, maximum);
        if (onProgress)
            onProgress(value, maximum);
    }
};

// The program's side: the real serial port on the simulator's device.
struct Program {
    explicit Program(const QString &device)
        : link(*c.settings, c.log, c.dialogs)
        , transfer(ctx, link)
    {
        link.setDeviceOverride(device);
        link.UserCommSpeed = "38400,N,8,2";
        c.log.setLoggingEnabled(true);
        transfer.BackupDir = backups.path();
    }
    QTemporaryDir backups;
    TestContext c;
    HookView view;
    AppContext ctx{c.state, *c.settings, c.log, c.dialogs, view};
    CatLink link;
    RadioTransfer transfer;
};

QByteArray everyNth(int every) { return sampleMemoryFile([every](int n) { return n % every == 0; }); }

} // namespace

class TestPtyRadio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        DetectSeparators();
        SimProcess probe({});
        QVERIFY2(probe.ok(), qPrintable("ft450sim did not start from " + binDir()));
    }

    void detectsEveryRate_data()
    {
        QTest::addColumn<int>("radioRate");
        QTest::addColumn<QString>("userSpeed");
        for (int r : {4800, 9600, 19200, 38400})
            for (const QString &u : CatLink::RateSettings())
                QTest::addRow("radio %d, user %s", r, qPrintable(u.section(',', 0, 0))) << r << u;
    }
    void detectsEveryRate()
    {
        QFETCH(int, radioRate);
        QFETCH(QString, userSpeed);
        SimProcess sim({"--rate", QString::number(radioRate), "--latency-ms", "1"});
        QVERIFY(sim.ok());
        Program p(sim.device);
        p.link.UserCommSpeed = userSpeed;
        QVERIFY(p.transfer.DetectCatRate());
        QCOMPARE(p.link.openSettings(), userSpeed);
        QVERIFY(p.c.log.text().contains(QString("Baud rate of %1 detected").arg(radioRate)));
        // Both ends talk at the user's speed: the radio answered "ID;" there.
        QCOMPARE(p.link.ReplyBuffer, QString("ID0241;"));
        p.link.CloseCommPort();
        sim.stop();
        const QStringList log = sim.log();
        const int changed = int(log.indexOf(QRegularExpression(".* ~ CAT rate now " + userSpeed.section(',', 0, 0))));
        QVERIFY2(changed > 0, qPrintable(log.join('\n')));
        // The rate command arrived whole, and nothing after it was noise.
        QVERIFY(log.mid(changed).filter("noise").isEmpty());
        QCOMPARE(sim.commands(), QStringList({"ID;", "AI0;", QString("EX010%1;").arg(4 - CatLink::RateSettings().indexOf(userSpeed)), "ID;"}));
    }

    // The slow case, once: all 504 memories used.
    void readsARadioWithEveryMemoryUsed()
    {
        const QByteArray memories = sampleMemoryFile([](int) { return true; });
        SimProcess sim({"--rate", "38400", "--latency-ms", "1"}, memories);
        QVERIFY(sim.ok());
        Program p(sim.device);
        p.transfer.ReadRadio();
        QCOMPARE(p.c.dialogs.texts().last(), kReadDone);
        QVERIFY(p.transfer.summary().readSucceeded());
        QCOMPARE(p.transfer.summary().read, 504);
        for (int n = 1; n <= kLastCat; ++n)
            QCOMPARE(BuildMemoryWrite(p.c.state.table, n).toLatin1(), "MW" + sampleRecord(n).mid(2));
    }

    void readsAnEmptyRadio()
    {
        SimProcess sim({"--rate", "38400", "--latency-ms", "1"});
        QVERIFY(sim.ok());
        Program p(sim.device);
        p.transfer.ReadRadio();
        QCOMPARE(p.c.dialogs.texts().last(), kReadDone);
        QCOMPARE(p.transfer.summary().empty, 504);
        QCOMPARE(p.c.state.table.usedMemoryCount(), 0);
        QCOMPARE(p.c.state.DataSource, 1);
    }

    // Write-back of what was read sends only MR queries; an edited table sends
    // MW only where it differs and leaves radio memories alone where the table
    // is empty.
    void writeSendsOnlyWhatDiffers()
    {
        const QByteArray memories = everyNth(12);
        SimProcess sim({"--rate", "19200", "--latency-ms", "1"}, memories);
        QVERIFY(sim.ok());
        Program p(sim.device);
        p.transfer.ReadRadio();
        QVERIFY(p.transfer.summary().readSucceeded());
        p.transfer.WriteRadio();
        QVERIFY(p.c.dialogs.texts().last().startsWith("Transfer of memories completed.\r\n"));
        QCOMPARE(p.transfer.summary().identical, 42);
        QStringList commands = sim.commands();
        QVERIFY(commands.filter("MW").isEmpty());
        const int afterWriteBack = int(commands.size());

        MemoryTable &table = p.c.state.table;
        FillMemory(table, 24, QString::fromLatin1(sampleRecord(24, 3)), nullptr);  // changed
        table.ClearMemoryRow(36);                                                    // radio keeps it
        FillMemory(table, 100, QString::fromLatin1(sampleRecord(100)), nullptr);    // new
        p.transfer.WriteRadio();
        QCOMPARE(p.transfer.summary().replaced, 1);
        QCOMPARE(p.transfer.summary().added, 1);
        sim.stop();
        commands = sim.commands().mid(afterWriteBack);
        QCOMPARE(commands.filter("MW"), QStringList({"MW" + QString::fromLatin1(sampleRecord(24, 3).mid(2)),
                                                     "MW" + QString::fromLatin1(sampleRecord(100).mid(2))}));
        const QByteArray dump = sim.dump();
        QVERIFY(dump.contains("MW" + sampleRecord(24, 3).mid(2)));
        QVERIFY(dump.contains("MW" + sampleRecord(36).mid(2)));
        QVERIFY(dump.contains("MW" + sampleRecord(100).mid(2)));
        QCOMPARE(dump.count("\r\n"), 43);
    }

    void cancelDuringTheRead()
    {
        SimProcess sim({"--rate", "38400", "--latency-ms", "1"}, everyNth(1));
        QVERIFY(sim.ok());
        Program p(sim.device);
        p.view.onProgress = [&](int value, int) {
            if (value == 10)
                p.transfer.ReadCancelRequested = true;
        };
        p.transfer.ReadRadio();
        QVERIFY(p.c.dialogs.texts().last().startsWith(
            "The read of memories from the Radio was cancelled at memory 10 of 504.\r\nMemories read: 10;"));
        QCOMPARE(p.c.state.table.usedMemoryCount(), 10);
        sim.stop();
        QCOMPARE(sim.commands().last(), QString("MR010;"));
    }

    void silentRadio()
    {
        SimProcess sim({"--rate", "4800", "--silent"});
        QVERIFY(sim.ok());
        Program p(sim.device);
        QVERIFY(!p.transfer.DetectCatRate());
        QCOMPARE(p.c.dialogs.texts(), QStringList{"Two attempts to set the CAT rate have failed.\r\n"
                                                  "Please check your Com port connection and radio power on state."});
        QCOMPARE(p.c.log.text().count("not successful"), 8);
        sim.stop();
        // Two probes reached the radio at its rate; the six others were noise.
        QCOMPARE(sim.commands(), QStringList({"ID; (silent)", "ID; (silent)"}));
        QCOMPARE(sim.log().filter("noise").size(), 6);
    }

    // A radio streaming noise without ";" is given up after 1 KB each time.
    void garbageIsNotAReply()
    {
        SimProcess sim({"--rate", "38400", "--latency-ms", "1", "--garbage"});
        QVERIFY(sim.ok());
        Program p(sim.device);
        QVERIFY(!p.transfer.DetectCatRate());
        QVERIFY(p.c.dialogs.texts().value(0).startsWith("Two attempts to set the CAT rate have failed."));
        QVERIFY(p.link.ReplyBuffer.size() <= CatLink::kReplyLimit);
    }

    // Real time, real time-outs: a radio that misbehaves is still read whole,
    // or the read says where it stopped.
    void faultyReplies_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("outcome");  // start of the last box
        const QString cancelled = "The read of memories from the Radio was cancelled at memory 20 of 504.\r\n"
                                  "Memories read: 20; reported empty: 0.\r\nMemories not read";
        QTest::newRow("split replies") << QStringList{"--split-replies"} << cancelled;
        QTest::newRow("every 7th reply dropped") << QStringList{"--drop-every", "7"} << cancelled;
        QTest::newRow("one reply 150 ms late") << QStringList{"--late-reply", "5:150"} << cancelled;
        QTest::newRow("deaf after the rate change") << QStringList{"--rate", "4800", "--switch-deaf-ms", "50"} << cancelled;
        // ID, AI0, EX0104, ID, then MR001...: dead after MR012.
        QTest::newRow("radio dies") << QStringList{"--stop-after", "16"}
                                    << "The read of memories from the Radio stopped at memory 17 of 504: the connection "
                                       "to the radio was lost.\r\nMemories read: 12; reported empty: 0.\r\n"
                                       "Memories that did not answer: 13-17.";
    }
    void faultyReplies()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, outcome);
        SimProcess sim(QStringList{"--rate", "38400", "--latency-ms", "1"} + options, everyNth(1));
        QVERIFY(sim.ok());
        Program p(sim.device);
        p.view.onProgress = [&](int value, int) {
            if (value == 20)
                p.transfer.ReadCancelRequested = true;
        };
        p.transfer.ReadRadio();
        const QString text = p.c.dialogs.texts().last();
        QVERIFY2(text.startsWith(outcome), qPrintable(text));
        // Every memory in the table is the radio's own; the others were not read.
        for (int n = 1; n <= 20; ++n) {
            if (p.c.state.table.isEmpty(n))
                QVERIFY(p.transfer.summary().notAnswering.contains(n) || n > p.transfer.summary().lastMemory);
            else
                QCOMPARE(BuildMemoryWrite(p.c.state.table, n).toLatin1(), "MW" + sampleRecord(n).mid(2));
        }
    }

    void portThatDoesNotExist()
    {
        Program p("/dev/no-such-ft450");
        p.transfer.ReadRadio();
        QCOMPARE(p.c.dialogs.boxes.size(), 1);
        QVERIFY(p.c.dialogs.texts().first().startsWith("COM Port 1 is not available. It may be in use by another program.\r\n"
                                                        "The requested operation cannot continue.\r\n\r\n"
                                                        "Device /dev/no-such-ft450: "));
        QVERIFY(!p.link.lastOpenError().isEmpty());
        QVERIFY(!p.transfer.summary().started);
    }

    // The radio's end goes away in the middle: the read stops and says so
    // instead of timing out on every remaining memory.
    void radioGoneMidRead()
    {
        SimProcess sim({"--rate", "38400", "--latency-ms", "1"}, everyNth(1));
        QVERIFY(sim.ok());
        Program p(sim.device);
        p.view.onProgress = [&](int value, int) {
            if (value == 30)
                sim.kill();
        };
        p.transfer.ReadRadio();
        const QString text = p.c.dialogs.texts().last();
        QVERIFY2(text.startsWith("The read of memories from the Radio stopped at memory"), qPrintable(text));
        QVERIFY(p.transfer.summary().linkLost);
        QVERIFY(p.c.state.table.usedMemoryCount() >= 29);
    }
};

QTEST_GUILESS_MAIN(TestPtyRadio)
#include "tst_pty_radio.moc"
