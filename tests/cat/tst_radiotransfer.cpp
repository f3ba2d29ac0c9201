// Rate detection and the read and write flows against the in-process radio:
// every question, message, log line, state change and command on the wire.
#include "RadioFixtures.h"
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

const QString kInstructions = "You are about to read the Radio. \r\n\r\n"
                              "  1. Ensure your radio is on and connected.\r\n"
                              "  2. Click the OK button\r\n\r\n"
                              "or click Cancel to abort the memory read.";
const QString kReadDone = "The read of memories from the Radio has completed successfully.\r\n"
                          "It is recommended that you save a copy to disk using Write Disk File button.";
const QString kTwoAttempts = "Two attempts to set the CAT rate have failed.\r\n"
                             "Please check your Com port connection and radio power on state.";
const QString kNotAvailable = "COM Port 1 is not available. It may be in use by another program.\r\n"
                              "The requested operation cannot continue.";

// A view that lets a test act while the loop runs (the cancel click).
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

ft450::RadioOptions fastRadio(int rate = 38400)
{
    ft450::RadioOptions o;
    o.rate = rate;
    o.latencyMs = 10;
    return o;
}

struct Rig {
    explicit Rig(ft450::RadioOptions options = fastRadio())
        : line(std::make_shared<ft450::SimulatedLine>(options))
        , link(*c.settings, c.log, c.dialogs, std::make_unique<ft450::SimulatedPortFactory>(line))
        , transfer(ctx, link)
    {
        link.setDeviceOverride("sim");
        c.log.setLoggingEnabled(true);
    }
    QStringList logLines() const
    {
        QStringList l = c.log.text().split("\r\n");
        l.removeLast();
        return l;
    }
    QStringList commandsFrom(int first) const { return line->radio.commands.mid(first); }

    TestContext c;
    HookView view;
    AppContext ctx{c.state, *c.settings, c.log, c.dialogs, view};
    std::shared_ptr<ft450::SimulatedLine> line;
    CatLink link;
    RadioTransfer transfer;
};

QString rate(const QString &settings) { return settings.section(',', 0, 0); }

} // namespace

class TestRadioTransfer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        DetectSeparators();
    }

    // ---- rate detection

    void detectsEveryRateAndSwitchesToTheUsersSpeed_data()
    {
        QTest::addColumn<int>("radioRate");
        QTest::addColumn<QString>("userSpeed");
        for (int r : {4800, 9600, 19200, 38400})
            for (const QString &u : CatLink::RateSettings())
                QTest::addRow("radio %d, user %s", r, qPrintable(rate(u))) << r << u;
    }
    void detectsEveryRateAndSwitchesToTheUsersSpeed()
    {
        QFETCH(int, radioRate);
        QFETCH(QString, userSpeed);
        Rig rig(fastRadio(radioRate));
        rig.link.UserCommSpeed = userSpeed;
        QVERIFY(rig.transfer.DetectCatRate());

        QStringList expected;
        for (const QString &probe : CatLink::RateSettings()) {
            expected << "SetCommPort: open OK for port 1";
            if (rate(probe).toInt() == radioRate) {
                expected << QString("Baud rate of %1 detected").arg(radioRate);
                break;
            }
            expected << QString("Baud rate of %1 not successful").arg(rate(probe));
        }
        expected << "Turning off Auto Information" << "Setting Com speed to " + userSpeed
                 << "SetCommPort: open OK for port 1";
        QCOMPARE(rig.logLines(), expected);
        const QString ex = QString("EX010%1;").arg(4 - CatLink::RateSettings().indexOf(userSpeed));
        QCOMPARE(rig.line->radio.commands, QStringList({"ID;", "AI0;", ex}));
        QCOMPARE(rig.line->radio.noiseCharacters, 3 * int(CatLink::RateSettings().indexOf(QString("%1,N,8,2").arg(radioRate))));
        // Radio and port now both at the user's speed.
        QCOMPARE(rig.link.ActiveSettings, userSpeed);
        QCOMPARE(rig.link.openSettings(), userSpeed);
        QCOMPARE(rig.line->radio.rate(), rate(userSpeed).toInt());
        rig.link.SendCommand("ID;");
        QVERIFY(rig.link.ReceiveData());
        QVERIFY(rig.c.dialogs.boxes.isEmpty());
    }

    void silentRadioFailsAfterTwoPasses()
    {
        ft450::RadioOptions o = fastRadio();
        o.silent = true;
        Rig rig(o);
        QVERIFY(!rig.transfer.DetectCatRate());
        QCOMPARE(rig.c.dialogs.texts(), QStringList{kTwoAttempts});
        QCOMPARE(rig.c.dialogs.boxes[0].icon, Icon::None);
        QCOMPARE(rig.line->opens, 8);
        QCOMPARE(rig.logLines().filter("not successful").size(), 8);
        QVERIFY(!rig.link.isOpen());
    }

    void otherRadiosIdentityIsNoMatch()
    {
        ft450::RadioOptions o = fastRadio();
        o.identity = "ID0670;";
        Rig rig(o);
        QVERIFY(!rig.transfer.DetectCatRate());
        QCOMPARE(rig.c.dialogs.texts(), QStringList{kTwoAttempts});
        // The answered probes at 38400 log nothing; the six others fail.
        QCOMPARE(rig.logLines().filter("Baud rate of").size(), 6);
        QVERIFY(rig.logLines().filter("38400").isEmpty());
    }

    void answerInTheSecondPass()
    {
        ft450::RadioOptions o = fastRadio();
        o.silent = true;
        Rig rig(o);
        // The radio is switched on after the first probe.
        rig.line->radio.onTrace = [&rig](qint64, const QString &l) {
            if (l.startsWith("< ID;"))
                rig.line->radio.options().silent = false;
        };
        QVERIFY(rig.transfer.DetectCatRate());
        const QStringList bauds = rig.logLines().filter("Baud rate of");
        QCOMPARE(bauds, QStringList({"Baud rate of 38400 not successful", "Baud rate of 19200 not successful",
                                     "Baud rate of 9600 not successful", "Baud rate of 4800 not successful",
                                     "Baud rate of 38400 detected"}));
        QVERIFY(rig.c.dialogs.boxes.isEmpty());
    }

    void missingPortStopsAtOnce()
    {
        Rig rig;
        rig.link.setDeviceOverride("/dev/nothing-here");
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.texts(), QStringList{kNotAvailable});
        QCOMPARE(rig.line->opens, 0);
        QVERIFY(!rig.transfer.summary().started);
        QCOMPARE(rig.c.state.DataSource, 0);
    }

    // The reopen at the user's speed is checked: no 504 time-outs on a port
    // that is not there.
    void failedReopenStopsTheTransfer()
    {
        Rig rig;
        rig.line->refuseOpensAfter = 1;
        rig.c.state.table.setCell(1, MemoryTable::ColFrequency, "7.00000");
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.texts(), QStringList{kNotAvailable});
        QVERIFY(!rig.transfer.summary().started);
        QCOMPARE(rig.c.state.table.cell(1, MemoryTable::ColFrequency), QString("7.00000"));
        QCOMPARE(rig.line->radio.commands.filter("MR").size(), 0);
    }

    void stuckHandshakingIsReported()
    {
        Rig rig;
        rig.line->stuckOutput = true;
        QVERIFY(!rig.transfer.DetectCatRate());
        QCOMPARE(rig.c.dialogs.boxes.size(), 1);
        QVERIFY(rig.c.dialogs.boxes[0].text.startsWith("COM Port 1 is not sending"));
        QVERIFY(!rig.link.isOpen());
    }

    // ---- read

    void readsEveryUsedMemory()
    {
        Rig rig;
        fillRadio(rig.line->radio);
        rig.c.state.CurrentFilePath = "/tmp/old.450";
        rig.c.state.FileLoadComplete = true;
        rig.c.state.DataSource = 2;
        rig.view.copyCutEnabled = rig.view.pasteEnabled = true;
        qint64 loopStart = 0;
        rig.view.onProgress = [&](int value, int) {
            if (value == 0 && loopStart == 0)
                loopStart = rig.line->now;
        };
        rig.transfer.ReadRadio();
        const qint64 loopTime = rig.line->now - loopStart;

        QCOMPARE(rig.c.dialogs.texts(), QStringList({kInstructions, kReadDone}));
        QCOMPARE(rig.c.dialogs.boxes[0].buttons, Buttons::OkCancel);
        QCOMPARE(rig.c.dialogs.boxes[0].icon, Icon::Question);
        QCOMPARE(rig.c.dialogs.boxes[1].icon, Icon::Information);
        QCOMPARE(rig.c.state.DataSource, 1);
        QVERIFY(rig.c.state.RadioReadComplete);
        QVERIFY(!rig.c.state.FileLoadComplete);
        QVERIFY(!rig.c.state.MemoriesChanged);
        QVERIFY(rig.c.state.CurrentFilePath.isEmpty());
        QVERIFY(!rig.view.copyCutEnabled && !rig.view.pasteEnabled);
        for (int n = 1; n <= kLastCat; ++n)
            QCOMPARE(BuildMemoryWrite(rig.c.state.table, n).toLatin1(), "MW" + sampleRecord(n).mid(2));
        QCOMPARE(rig.view.calls, QStringList({"ShowMemoriesTab", "TableCleared", "SetMainButtonsEnabled(false)",
                                              "HideTransferWindow", "ShowTransferWindow(Read)", "RefreshChangedState",
                                              "ApplyHideEmpty", "SelectCell(1,1)", "ShowMemoriesTab",
                                              "HideTransferWindow", "RestoreMainButtons"}));
        QCOMPARE(rig.view.status[2], QString("504"));
        QCOMPARE(rig.view.progress, 0);
        QCOMPARE(rig.view.progressMax, 504);
        QVERIFY(!rig.link.isOpen());

        QStringList expected{"SetCommPort: open OK for port 1", "Baud rate of 38400 detected",
                             "Turning off Auto Information", "Setting Com speed to 38400,N,8,2",
                             "SetCommPort: open OK for port 1", "Read: issue initial instructions"};
        for (int n = 1; n <= 500; ++n)
            expected << QString::fromLatin1(sampleRecord(n));  // PMS records are not traced
        QCOMPARE(rig.logLines(), expected);

        // Waits wake on the arriving ";": the loop takes the wire time and the
        // turnaround and nothing else (virtual clock).
        const qint64 each = ft450::Ft450Radio::charMicros(38400);
        const qint64 floor = 504 * ((6 + 27) * each + 10000);
        QVERIFY2(loopTime >= floor && loopTime <= floor + 1000,
                 qPrintable(QString("loop %1 us, floor %2 us").arg(loopTime).arg(floor)));
    }

    void readsAnEmptyRadio()
    {
        Rig rig;
        rig.c.state.table.setCell(3, MemoryTable::ColFrequency, "7.00000");
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.texts(), QStringList({kInstructions, kReadDone}));
        QCOMPARE(rig.c.state.table.usedMemoryCount(), 0);
        for (int k = 1; k <= 4; ++k)
            QVERIFY(rig.c.state.table.isPmsEmpty(k));
        QCOMPARE(rig.c.state.DataSource, 1);
        QCOMPARE(rig.transfer.summary().empty, 504);
    }

    void unsavedChangesNoSendsNothing()
    {
        Rig rig;
        rig.c.state.MemoriesChanged = true;
        rig.c.dialogs.answers << Answer::No;
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.texts(), QStringList{"Changes have been made but not yet saved to disk\r\n"
                                                    "Are you sure you want to continue?"});
        QCOMPARE(rig.c.dialogs.boxes[0].buttons, Buttons::YesNo);
        QCOMPARE(rig.line->opens, 0);
        QVERIFY(rig.c.state.MemoriesChanged);
    }

    void cancelAtTheInstructionsLeavesTheTableCleared()
    {
        Rig rig;
        fillRadio(rig.line->radio);
        rig.c.state.table.setCell(3, MemoryTable::ColFrequency, "7.00000");
        rig.c.state.DataSource = 2;
        rig.c.dialogs.answers << Answer::Cancel;
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.texts(), QStringList{kInstructions});
        QCOMPARE(rig.c.state.table.usedMemoryCount(), 0);
        QCOMPARE(rig.c.state.DataSource, 0);
        QCOMPARE(rig.logLines().last(), QString("Read: user cancelled before read"));
        QCOMPARE(rig.view.calls.last(), QString("RestoreMainButtons"));
        QVERIFY(!rig.link.isOpen());
        QVERIFY(rig.line->radio.commands.filter("MR").isEmpty());
    }

    void cancelDuringTheReadSaysSo()
    {
        Rig rig;
        fillRadio(rig.line->radio, 2);
        rig.view.onProgress = [&](int value, int) {
            if (value == 10)
                rig.transfer.ReadCancelRequested = true;
        };
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.boxes.size(), 2);
        QCOMPARE(rig.c.dialogs.boxes[1].text,
                 QString("The read of memories from the Radio was cancelled at memory 10 of 504.\r\n"
                         "Memories read: 5; reported empty: 5.\r\n"
                         "Memories not read: 11-500, P1L-P2U.\r\n"
                         "What was read is in the table; memories not read show as Empty."));
        QCOMPARE(rig.c.dialogs.boxes[1].icon, Icon::Exclamation);
        QCOMPARE(rig.line->radio.commands.last(), QString("MR010;"));
        QCOMPARE(rig.c.state.table.usedMemoryCount(), 5);
        QCOMPARE(rig.c.state.DataSource, 1);
        QVERIFY(rig.logLines().contains("Read: cancelled by user at memory 10"));
        QVERIFY(rig.transfer.summary().cancelled);
    }

    void memoriesThatDoNotAnswerAreNamed_data()
    {
        QTest::addColumn<int>("dropEvery");
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("used");
        // The identity reply is the radio's first; memory n's is its (n+1)-th.
        QTest::newRow("every 100th reply lost") << 100 << 0 << "99, 199, 299, 399, 499" << 499 << 495;
        QTest::newRow("radio stops answering") << 0 << 301 << "301-500, P1L-P2U" << 300 << 300;
    }
    void memoriesThatDoNotAnswerAreNamed()
    {
        QFETCH(int, dropEvery);
        QFETCH(int, stopAfter);
        QFETCH(QString, missing);
        QFETCH(int, read);
        ft450::RadioOptions o = fastRadio();
        o.dropEvery = dropEvery;
        o.stopAfter = stopAfter;
        Rig rig(o);
        fillRadio(rig.line->radio);
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.boxes.size(), 2);
        QCOMPARE(rig.c.dialogs.boxes[1].text,
                 QString("The read of memories from the Radio did not complete.\r\n"
                         "Memories read: %1; reported empty: 0.\r\n"
                         "Memories that did not answer: %2.\r\n"
                         "What was read is in the table; memories not read show as Empty.")
                     .arg(read)
                     .arg(missing));
        QVERIFY(rig.logLines().contains("Read: no reply from memories " + missing));
        QTEST(rig.c.state.table.usedMemoryCount(), "used");
        QCOMPARE(rig.c.state.DataSource, 1);
    }

    void splitRepliesAreCollectedWhole()
    {
        ft450::RadioOptions o = fastRadio();
        o.splitReplies = true;
        Rig rig(o);
        fillRadio(rig.line->radio, 3);
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.texts().last(), kReadDone);
        QCOMPARE(rig.c.state.table.usedMemoryCount(), 166);
    }

    void lostLinkEndsTheRead()
    {
        Rig rig;
        fillRadio(rig.line->radio);
        rig.view.onProgress = [&](int value, int) {
            if (value == 20)
                rig.line->stuckOutput = true;
        };
        rig.transfer.ReadRadio();
        const QString text = rig.c.dialogs.boxes.last().text;
        QVERIFY2(text.startsWith("The read of memories from the Radio stopped at memory 20 of 504: "
                                 "the connection to the radio was lost.\r\nCOM Port 1 is not sending"),
                 qPrintable(text));
        QVERIFY(text.contains("Memories read: 19; reported empty: 0.\r\nMemories that did not answer: 20.\r\n"
                              "Memories not read: 21-500, P1L-P2U."));
        QCOMPARE(rig.c.state.table.usedMemoryCount(), 19);
    }

    void memoryNumbersText_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QList<int>{} << "";
        QTest::newRow("one") << QList<int>{5} << "5";
        QTest::newRow("run") << QList<int>{1, 2, 3} << "1-3";
        QTest::newRow("unsorted with repeats") << QList<int>{7, 3, 1, 2, 3} << "1-3, 7";
        QTest::newRow("across into PMS") << QList<int>{499, 500, 501, 502} << "499-500, P1L-P1U";
        QTest::newRow("single PMS") << QList<int>{504} << "P2U";
    }
    void memoryNumbersText()
    {
        QFETCH(QList<int>, numbers);
        QTEST(RadioTransfer::MemoryNumbersText(numbers), "text");
    }

    // ---- write

    void writingBackAnUnchangedTableOnlyReads()
    {
        Rig rig;
        fillRadio(rig.line->radio, 2);
        rig.transfer.ReadRadio();
        const int before = int(rig.line->radio.commands.size());
        rig.c.dialogs.clear();
        rig.c.log.clear();
        rig.transfer.WriteRadio();
        const QStringList sent = rig.commandsFrom(before);
        QCOMPARE(sent.filter("MW").size(), 0);
        QCOMPARE(sent.filter("MR").size(), 252);
        QCOMPARE(rig.logLines().filter("is identical - no action required").size(), 252);
        QVERIFY(rig.logLines().contains("Memory 2 is identical - no action required"));
        QVERIFY(rig.logLines().contains("Write: issue initial instructions"));
        QCOMPARE(rig.c.dialogs.texts().last(), QString("Transfer of memories completed."));
        QCOMPARE(rig.c.dialogs.boxes.last().icon, Icon::Information);
        QCOMPARE(rig.transfer.summary().identical, 252);
        QCOMPARE(rig.c.state.DataSource, 1);
        QVERIFY(!rig.link.isOpen());
        QCOMPARE(rig.view.status[2], QString("0"));
    }

    void writesOnlyWhereTheRadioDiffers()
    {
        Rig rig;
        for (int n : {1, 2, 3, 4})
            rig.line->radio.setMemory(n, sampleRecord(n));
        for (int n : {1, 2, 4, 5})
            FillMemory(rig.c.state.table, n, QString::fromLatin1(sampleRecord(n, n == 2 ? 1 : 0)), nullptr);
        rig.transfer.WriteRadio();
        const QStringList sent = rig.commandsFrom(3);  // after ID; AI0; EX0104;
        QCOMPARE(sent, QStringList({"MR001;", "MR002;", "MW" + QString::fromLatin1(sampleRecord(2, 1).mid(2)), "MR004;",
                                    "MR005;", "MW" + QString::fromLatin1(sampleRecord(5).mid(2))}));
        QCOMPARE(rig.line->radio.memory(2), sampleRecord(2, 1));
        QCOMPARE(rig.line->radio.memory(3), sampleRecord(3));  // empty in the table: left alone
        QCOMPARE(rig.line->radio.memory(5), sampleRecord(5));
        const QStringList log = rig.logLines();
        QVERIFY(log.contains("Memory 1 is identical - no action required"));
        QVERIFY(log.contains("Memory 2 replaced"));
        QVERIFY(log.contains("Memory 4 is identical - no action required"));
        QVERIFY(log.contains("Memory 5 added"));
        QCOMPARE(rig.transfer.summary().replaced, 1);
        QCOMPARE(rig.transfer.summary().added, 1);
        QCOMPARE(rig.c.dialogs.texts().last(), QString("Transfer of memories completed."));
    }

    void rowsTheRadioCannotTakeAreSkipped()
    {
        Rig rig;
        rig.line->radio.setMemory(6, sampleRecord(6));
        FillMemory(rig.c.state.table, 6, QString::fromLatin1(sampleRecord(7)), nullptr);
        FillMemory(rig.c.state.table, 8, QString::fromLatin1(sampleRecord(8)), nullptr);
        FillMemory(rig.c.state.table, 9, QString::fromLatin1(sampleRecord(9)), nullptr);
        rig.c.state.table.setCell(6, MemoryTable::ColMode, "?? ");
        rig.c.state.table.setCell(8, MemoryTable::ColTone, "99.9");
        rig.transfer.WriteRadio();
        QCOMPARE(rig.commandsFrom(3), QStringList({"MR009;", "MW" + QString::fromLatin1(sampleRecord(9).mid(2))}));
        QCOMPARE(rig.line->radio.memory(6), sampleRecord(6));
        QCOMPARE(rig.line->radio.rejectedWrites, 0);
        QVERIFY(rig.logLines().contains("Memory 6 skipped - the mode '?? ' is not one the radio knows"));
        QVERIFY(rig.logLines().contains("Memory 8 skipped - the tone '99.9' is not a CTCSS tone of the radio"));
        QCOMPARE(rig.c.dialogs.texts().last(),
                 QString("Transfer of memories completed.\r\n"
                         "Memories not written because the radio cannot take them: 6, 8. The messages window says why."));
        QCOMPARE(rig.c.dialogs.boxes.last().icon, Icon::Exclamation);
    }

    void cancelDuringTheWrite()
    {
        Rig rig;
        for (int n = 1; n <= 20; ++n)
            FillMemory(rig.c.state.table, n, QString::fromLatin1(sampleRecord(n)), nullptr);
        rig.view.onProgress = [&](int value, int) {
            if (value == 10)
                rig.transfer.WriteCancelRequested = true;
        };
        rig.transfer.WriteRadio();
        QCOMPARE(rig.c.dialogs.texts().last(), QString("Write cancelled by user request"));
        QCOMPARE(rig.c.dialogs.boxes.last().icon, Icon::None);
        QCOMPARE(rig.line->radio.usedCount(), 10);
        QVERIFY(!rig.link.isOpen());
    }

    void dryRunSendsNoWrites()
    {
        Rig rig;
        rig.line->radio.setMemory(1, sampleRecord(1));
        FillMemory(rig.c.state.table, 1, QString::fromLatin1(sampleRecord(1, 1)), nullptr);
        FillMemory(rig.c.state.table, 2, QString::fromLatin1(sampleRecord(2)), nullptr);
        rig.transfer.DryRun = true;
        rig.transfer.WriteRadio();
        QCOMPARE(rig.commandsFrom(3), QStringList({"MR001;", "MR002;"}));
        QCOMPARE(rig.transfer.summary().written, QList<int>({1, 2}));
        QCOMPARE(rig.transfer.radioRecord(1), QString::fromLatin1(sampleRecord(1)));
        QCOMPARE(rig.transfer.radioRecord(2), QString("?;"));
        QCOMPARE(rig.c.dialogs.texts().last(), QString("Comparison with the radio completed: 2 memories would be written."));
    }

    void verifyReadsBackWhatWasWritten()
    {
        Rig rig;
        for (int n = 1; n <= 3; ++n)
            FillMemory(rig.c.state.table, n, QString::fromLatin1(sampleRecord(n)), nullptr);
        rig.transfer.VerifyAfterWrite = true;
        // Someone turns the knob on memory 2 while the write reads back.
        rig.view.onProgress = [&](int value, int maximum) {
            if (maximum == 3 && value == 1)
                rig.line->radio.setMemory(2, sampleRecord(2, 4));
        };
        rig.transfer.WriteRadio();
        QCOMPARE(rig.transfer.summary().verifyFailed, QList<int>{2});
        QVERIFY(rig.transfer.summary().verified);
        QCOMPARE(rig.commandsFrom(rig.line->radio.commands.size() - 3), QStringList({"MR001;", "MR002;", "MR003;"}));
        QCOMPARE(rig.c.dialogs.texts().last(), QString("Transfer of memories completed.\r\n"
                                                       "Memories that read back differently after writing: 2."));
    }
};

QTEST_GUILESS_MAIN(TestRadioTransfer)
#include "tst_radiotransfer.moc"
