// Rate detection and the read and write flows against the in-process radio:
// every question, message, log line, state change and command on the wire.
#include "MemoryRows.h"
#include "RadioFixtures.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "cat/CatLink.h"
#include "cat/RadioTransfer.h"
#include "core/MemoryRecord.h"
#include "core/MemorySetFormat.h"
#include "core/NumberText.h"
#include "shell/SafeSave.h"

#include <QtTest>
#include <functional>
#include <optional>

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
        transfer.BackupDir = backups.path() + "/Backups";
    }
    QStringList backupFiles() const { return QDir(transfer.BackupDir).entryList(QDir::Files); }
    QByteArray backupText() const
    {
        const QStringList files = backupFiles();
        return files.size() == 1 ? readBytes(QDir(transfer.BackupDir).filePath(files[0])) : "(not one backup file)";
    }
    // The table holds exactly what the radio holds, memory for memory.
    bool tableIsRadio() const
    {
        for (int n = 1; n <= kLastCat; ++n) {
            const QByteArray r = line->radio.memory(n);
            const bool same = r.isEmpty() ? c.state.table.isCatEmpty(n)
                                          : !c.state.table.isCatEmpty(n)
                                                && BuildMemoryWrite(c.state.table, n).toLatin1() == "MW" + r.mid(2);
            if (!same)
                return false;
        }
        return true;
    }
    QStringList logLines() const
    {
        QStringList l = c.log.text().split("\r\n");
        l.removeLast();
        return l;
    }
    QStringList commandsFrom(int first) const { return line->radio.commands.mid(first); }

    QTemporaryDir backups;
    TestContext c;
    RecordingView view;
    AppContext ctx{c.state, *c.settings, c.log, c.dialogs, view};
    std::shared_ptr<ft450::SimulatedLine> line;
    CatLink link;
    RadioTransfer transfer;
};

QString mw(const QByteArray &record) { return "MW" + QString::fromLatin1(record.mid(2)); }

}  // namespace

Q_DECLARE_METATYPE(ft450::RadioOptions)

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
        QTest::addColumn<int>("userRate");
        for (int r : {4800, 9600, 19200, 38400})
            for (const LineSettings &u : CatLink::RateSettings())
                QTest::addRow("radio %d, user %d", r, u.baud) << r << u.baud;
    }
    void detectsEveryRateAndSwitchesToTheUsersSpeed()
    {
        QFETCH(int, radioRate);
        QFETCH(int, userRate);
        const LineSettings userSpeed = LineSettings::catRate(userRate);
        Rig rig(fastRadio(radioRate));
        rig.link.UserCommSpeed = userSpeed;
        QVERIFY(rig.transfer.DetectCatRate());
        const QStringList tried = rig.logLines().filter("Baud rate of");
        QCOMPARE(tried.first(), QString("Baud rate of 38400 ") + (radioRate == 38400 ? "detected" : "not successful"));
        QCOMPARE(tried.last(), QString("Baud rate of %1 detected").arg(radioRate));
        const QString ex = QString("EX010%1;").arg(4 - CatLink::RateSettings().indexOf(userSpeed));
        // The radio answers at the new speed before anything else is asked.
        QCOMPARE(rig.line->radio.commands, QStringList({"ID;", "AI0;", ex, "ID;"}));
        QCOMPARE(rig.line->radio.noiseCharacters,
                 3 * int(CatLink::RateSettings().indexOf(LineSettings::catRate(radioRate))));
        // Radio and port now both at the user's speed.
        QCOMPARE(rig.link.openSettings(), std::optional<LineSettings>(userSpeed));
        QCOMPARE(rig.line->radio.rate(), userRate);
        QVERIFY(rig.c.dialogs.boxes.isEmpty());
    }

    // Every way rate detection fails stops the flow before the table or the
    // radio is touched, with one box and the port closed.
    void detectionFailures_data()
    {
        QTest::addColumn<ft450::RadioOptions>("options");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("box");  // its start
        QTest::addColumn<int>("opens");
        QTest::addColumn<QString>("logged");  // a line of the messages window; empty: none checked
        ft450::RadioOptions o = fastRadio();
        o.silent = true;
        QTest::newRow("silent radio: two passes") << o << "" << kTwoAttempts << 8 << "";
        o = fastRadio(), o.identity = "ID0670;";
        QTest::newRow("another radio's identity") << o << "" << kTwoAttempts << 8 << "";
        QTest::newRow("no such port") << fastRadio() << "missing"
                                      << kNotAvailable + "\r\n\r\nDevice /dev/nothing-here: No such file or directory."
                                      << 0 << "SetCommPort: open failed for port 1";
        QTest::newRow("not allowed to open the port")
            << fastRadio() << "refused"
            << kNotAvailable
                   + "\r\n\r\nDevice sim: Permission denied.\r\nYour user is not allowed to open it. On Debian, add "
                     "yourself to the \"dialout\" group (sudo adduser $USER dialout), then log out and in again."
            << 0 << "";
        QTest::newRow("reopen at the user's speed refused") << fastRadio() << "reopen" << kNotAvailable << 1 << "";
        o = fastRadio(4800), o.switchDeafMs = 60000;
        QTest::newRow("deaf at the new rate") << o << ""
                                              << "The radio did not answer after its CAT rate was set to 38400 baud."
                                              << 5 << "The radio did not answer at 38400,N,8,2";
        // Handshaking that never lets the output go ends the wait instead of hanging.
        QTest::newRow("handshaking holds the output")
            << fastRadio() << "stuck"
            << "COM Port 1 is not sending" << 1 << "SendCommand: output stuck on port 1, port closed";
    }
    void detectionFailures()
    {
        QFETCH(ft450::RadioOptions, options);
        QFETCH(QString, fault);
        QFETCH(QString, box);
        QFETCH(int, opens);
        QFETCH(QString, logged);
        Rig rig(options);
        if (fault == "missing")
            rig.link.setDeviceOverride("/dev/nothing-here");
        rig.line->refuseOpensAfter = fault == "reopen" ? 1 : fault == "refused" ? 0 : -1;
        rig.line->stuckOutput = fault == "stuck";
        mv::test::setCellText(rig.c.state.table, 1, MemoryTable::ColFrequency, "7.00000");
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.boxes.size(), 1);
        QVERIFY2(rig.c.dialogs.boxes[0].text.startsWith(box), qPrintable(rig.c.dialogs.boxes[0].text));
        QCOMPARE(rig.c.dialogs.boxes[0].icon, box.startsWith("COM Port") ? Icon::Exclamation : Icon::None);
        QCOMPARE(rig.line->opens, opens);
        QVERIFY(logged.isEmpty() || rig.logLines().contains(logged));
        QCOMPARE(mv::test::cellOf(rig.c.state.table, 1, MemoryTable::ColFrequency), QString("7.00000"));
        QVERIFY(rig.line->radio.commands.filter("MR").isEmpty());
        QVERIFY(!rig.link.isOpen());
    }

    // ---- read

    // What the user is asked and told, and what the table holds after: a radio
    // with memories 2, 4, 6, ... used.
    void readOutcomes_data()
    {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<int>("answer");  // to the first question
        QTest::addColumn<int>("cancelAt");  // the read message clicked at this memory (0: never)
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("used");
        QTest::addColumn<DataSource>("dataSource");
        const QString unsaved
            = "Changes have been made but not yet saved to disk\r\nAre you sure you want to continue?";
        QTest::newRow("unsaved changes, No: nothing sent")
            << true << int(Answer::No) << 0 << QStringList{unsaved} << 1 << DataSource::File;
        QTest::newRow("Cancel at the instructions: table already cleared")
            << false << int(Answer::Cancel) << 0 << QStringList{kInstructions} << 0 << DataSource::Nothing;
        QTest::newRow("cancel clicked at memory 10")
            << false << int(Answer::Ok) << 10
            << QStringList{kInstructions, "The read of memories from the Radio was cancelled at memory 10 of 504.\r\n"
                                          "Memories read: 5; reported empty: 5.\r\n"
                                          "Memories not read: 11-500, P1L-P2U.\r\n"
                                          "What was read is in the table; memories not read show as Empty."}
            << 5 << DataSource::Radio;
    }
    void readOutcomes()
    {
        QFETCH(bool, unsaved);
        QFETCH(int, answer);
        QFETCH(int, cancelAt);
        QFETCH(QStringList, boxes);
        Rig rig;
        fillRadio(rig.line->radio, 2);
        mv::test::setCellText(rig.c.state.table, 3, MemoryTable::ColFrequency, "7.00000");
        rig.c.state.DataSource = DataSource::File;
        rig.c.state.MemoriesChanged = unsaved;
        rig.c.dialogs.answers << Answer(answer);
        rig.view.onProgress = [&](int value, int) {
            if (cancelAt > 0 && value == cancelAt)
                rig.transfer.ReadCancelRequested = true;
        };
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.texts(), boxes);
        QTEST(rig.c.state.table.usedMemoryCount(), "used");
        QTEST(rig.c.state.DataSource, "dataSource");
        QCOMPARE(rig.line->radio.commands.filter("MR").size(), cancelAt);
        QVERIFY(!rig.link.isOpen());
    }

    // A radio that misbehaves the way real ones on real cables do: the read
    // either gets every memory exactly or says which ones it did not get, and
    // never puts a record in the wrong memory.
    void readFaults_data()
    {
        QTest::addColumn<ft450::RadioOptions>("options");
        QTest::addColumn<QString>("outcome");  // the last box
        QTest::newRow("a radio that behaves") << fastRadio() << kReadDone;
        ft450::RadioOptions o = fastRadio();
        o.lateMemory = 10, o.lateMs = 150;
        QTest::newRow("one reply 150 ms late") << o << kReadDone;
        o = fastRadio(), o.dropEvery = 7;
        QTest::newRow("every 7th reply dropped") << o << kReadDone;
        o = fastRadio(4800), o.switchDeafMs = 50;
        QTest::newRow("deaf for 50 ms at the new rate") << o << kReadDone;
        o = fastRadio(), o.splitReplies = true;
        QTest::newRow("replies in two pieces") << o << kReadDone;
        // ID, AI0, EX0104, ID, then MR001... : command 303 is MR299.
        o = fastRadio(), o.stopAfter = 303;
        QTest::newRow("radio dies during the read")
            << o
            << "The read of memories from the Radio stopped at memory 304 of 504: the connection to the radio was "
               "lost.\r\n"
               "Memories read: 299; reported empty: 0.\r\n"
               "Memories that did not answer: 300-304.\r\n"
               "Memories not read: 305-500, P1L-P2U.\r\n"
               "What was read is in the table; memories not read show as Empty.";
    }
    void readFaults()
    {
        QFETCH(ft450::RadioOptions, options);
        QFETCH(QString, outcome);
        Rig rig(options);
        fillRadio(rig.line->radio);
        rig.c.state.CurrentFilePath = "/tmp/old.450";
        rig.c.state.FileLoadComplete = true;
        rig.c.state.DataSource = DataSource::File;
        qint64 died = -1, loopStart = 0;
        rig.line->radio.onTrace = [&](qint64 t, const QString &l) {
            if (died < 0 && l.contains("(dead after"))
                died = t;
        };
        rig.view.onProgress = [&](int value, int) {
            if (value == 0 && loopStart == 0)
                loopStart = rig.line->now;
        };
        rig.transfer.ReadRadio();
        QCOMPARE(rig.c.dialogs.texts(), QStringList({kInstructions, outcome}));
        QCOMPARE(rig.c.dialogs.boxes[0].buttons, Buttons::OkCancel);
        QCOMPARE(rig.c.state.DataSource, DataSource::Radio);
        QVERIFY(!rig.c.state.FileLoadComplete && rig.c.state.CurrentFilePath.isEmpty());
        if (outcome == kReadDone) {
            QVERIFY(rig.tableIsRadio());
            QCOMPARE(rig.view.status[2], QString("504"));
        } else {
            // What was read is right; nothing else is in the table.
            for (int n = 1; n <= kLastCat; ++n)
                QCOMPARE(rig.c.state.table.isCatEmpty(n) ? QString() : BuildMemoryWrite(rig.c.state.table, n),
                         n < 300 ? mw(sampleRecord(n)) : QString());
            // A dead radio costs seconds, not minutes.
            QVERIFY(rig.line->now - died < 5 * 1000 * 1000);
        }
        // The radio is left at the rate it was found at.
        QCOMPARE(rig.line->radio.rate(), options.rate);
        // Waits wake on the arriving ";": a read from a radio that behaves takes
        // the wire time and the turnaround and nothing else (virtual clock).
        const qint64 floor = 504 * ((6 + 27) * ft450::Ft450Radio::charMicros(38400) + 10000);
        const qint64 loopTime = rig.line->now - loopStart;
        QVERIFY2(QTest::currentDataTag() != QByteArray("a radio that behaves")
                     || (loopTime >= floor && loopTime <= floor + 1000),
                 qPrintable(QString("loop %1 us, floor %2 us").arg(loopTime).arg(floor)));
    }

    // ---- write

    void writesOnlyWhereTheRadioDiffers()
    {
        Rig rig;
        for (int n : {1, 2, 3, 4})
            rig.line->radio.setMemory(n, sampleRecord(n));
        for (int n : {1, 2, 4, 5})
            FillMemory(rig.c.state.table, n, QString::fromLatin1(sampleRecord(n, n == 2 ? 1 : 0)), nullptr);
        rig.transfer.WriteRadio();
        // Each MW is followed by "ID;": the radio's answer shows it is still there
        // and that it said nothing against the write.
        QCOMPARE(rig.commandsFrom(4), QStringList({"MR001;", "MR002;", mw(sampleRecord(2, 1)), "ID;", "MR004;",
                                                   "MR005;", mw(sampleRecord(5)), "ID;"}));
        QCOMPARE(rig.line->radio.memory(3), sampleRecord(3));  // empty in the table: left alone
        const QStringList log = rig.logLines();
        QVERIFY(log.contains("Memory 1 is identical - no action required") && log.contains("Memory 2 replaced")
                && log.contains("Memory 5 added"));
        // Every record the radio gave is in the backup, the replaced one first of all.
        QCOMPARE(
            rig.backupText(),
            (mw(sampleRecord(1)) + "\r\n" + mw(sampleRecord(2)) + "\r\n" + mw(sampleRecord(4)) + "\r\n").toLatin1());
        const QString backup = QDir::toNativeSeparators(rig.transfer.BackupDir + "/" + rig.backupFiles().first());
        QVERIFY(QFileInfo(backup).fileName().contains(QRegularExpression("^radio-\\d{8}-\\d{6}\\.450$")));
        QCOMPARE(
            rig.c.dialogs.texts().last(),
            "Transfer of memories completed.\r\n"
            "Memories empty in the table, left as they are on the radio (a memory cannot be erased over CAT): 500.\r\n"
            "The radio's memories as they were before the write are in "
                + backup + ".");
    }

    // Memories 1-20 differ between table and radio; the radio misbehaves. No
    // memory the radio did not take is reported written, and what it held before
    // is in the backup.
    void writeFaults_data()
    {
        QTest::addColumn<ft450::RadioOptions>("options");
        QTest::addColumn<QString>("outcome");  // start of the last box
        QTest::addColumn<QString>("written");  // memories the radio now holds from the table
        ft450::RadioOptions o = fastRadio();
        o.dropEvery = 7;
        QTest::newRow("every 7th reply dropped") << o << "Transfer of memories completed."
                                                 << "1-20";
        o = fastRadio(), o.lateMemory = 5, o.lateMs = 150;
        QTest::newRow("one reply 150 ms late") << o << "Transfer of memories completed."
                                               << "1-20";
        o = fastRadio(4800), o.switchDeafMs = 50;
        QTest::newRow("deaf for 50 ms at the new rate") << o << "Transfer of memories completed."
                                                        << "1-20";
        // ID, AI0, EX0104, ID, then MR, MW, ID for each memory: command 33 is
        // memory 10's MW, which the radio no longer hears.
        o = fastRadio(), o.stopAfter = 32;
        QTest::newRow("radio dies during the write")
            << o
            << "The write to the radio did not complete: it stopped at memory 14 of 504, the connection to the radio "
               "was lost.\r\nMemories written: 1-9.\r\nMemories not written because they did not answer the read "
               "before writing: 11-14.\r\nMemories written but not confirmed by the radio: 10.\r\n"
               "Memories not handled: 15-500, P1L-P2U."
            << "1-9";
        for (int late : {0, 150}) {
            // Refused late: after the 100 ms the write waits for a refusal, but
            // before the answer to the "ID;" that follows.
            o = fastRadio(), o.refuseWrites = true, o.lateMemory = late ? 5 : 0, o.lateMs = late;
            QTest::addRow("radio refuses the writes, memory 5 %d ms late", late)
                << o
                << "The write to the radio ran to the end, but not every memory was written.\r\n"
                   "Memories written: none.\r\nMemories the radio refused: 1-20."
                << "";
        }
    }
    void writeFaults()
    {
        QFETCH(ft450::RadioOptions, options);
        QFETCH(QString, outcome);
        QFETCH(QString, written);
        Rig rig(options);
        fillRadio(rig.line->radio, 1);
        for (int n = 1; n <= 20; ++n)
            FillMemory(rig.c.state.table, n, QString::fromLatin1(sampleRecord(n, 1)), nullptr);
        rig.transfer.WriteRadio();

        QVERIFY2(rig.c.dialogs.texts().last().startsWith(outcome), qPrintable(rig.c.dialogs.texts().last()));
        QList<int> nowFromTable;
        for (int n = 1; n <= 20; ++n) {
            const QByteArray r = rig.line->radio.memory(n);
            QVERIFY(r == sampleRecord(n) || r == sampleRecord(n, 1));
            if (r == sampleRecord(n, 1))
                nowFromTable << n;
        }
        QCOMPARE(RadioTransfer::MemoryNumbersText(nowFromTable), written);
        // Every record the radio gave before being overwritten is in the backup.
        const QByteArray backup = rig.backupText();
        for (int n : nowFromTable)
            QVERIFY(backup.contains(mw(sampleRecord(n)).toLatin1()));
        QCOMPARE(rig.line->radio.rate(), options.rate);
    }

    // The radio's own fields that the table does not show (clarifier offset,
    // position 22) are neither a difference nor overwritten.
    void fieldsTheTableDoesNotHoldAreKept()
    {
        Rig rig;
        const QByteArray withClarifier1 = "MR00107000000-001250130000;";
        const QByteArray withClarifier2 = "MR00214070000+000420220000;";
        rig.line->radio.setMemory(1, withClarifier1);
        rig.line->radio.setMemory(2, withClarifier2);
        rig.transfer.ReadRadio();
        mv::test::setCellText(rig.c.state.table, 2, MemoryTable::ColMode, "CW");
        rig.transfer.WriteRadio();
        QCOMPARE(rig.line->radio.commands.filter("MW"), QStringList{"MW00214070000+000420320000;"});
        QCOMPARE(rig.line->radio.memory(1), withClarifier1);
        QCOMPARE(rig.line->radio.memory(2), QByteArray("MR00214070000+000420320000;"));
    }

    // A backup that cannot be saved stops the write before the MW it was to
    // protect; what was saved before stays whole.
    void backupThatCannotBeSavedStopsTheWrite_data()
    {
        QTest::addColumn<bool>("folderBlocked");
        QTest::addColumn<int>("diskSpace");  // bytes; -1: no limit
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<int>("written");
        QTest::newRow("folder cannot be made")
            << true << -1
            << "The write to the radio stopped before memory 1: the copy of the radio's memories could not be saved, "
               "so nothing more was sent.\r\nThe folder "
            << 0;
        // Each save writes the whole backup: 29, then 58, then 87 bytes.
        QTest::newRow("disk full at the third memory")
            << false << 100
            << "The write to the radio stopped before memory 3: the copy of the radio's memories could not be saved, "
               "so nothing more was sent.\r\nCannot save "
            << 2;
    }
    void backupThatCannotBeSavedStopsTheWrite()
    {
        QFETCH(bool, folderBlocked);
        QFETCH(int, diskSpace);
        QFETCH(QString, outcome);
        QFETCH(int, written);
        Rig rig;
        fillRadio(rig.line->radio);
        if (folderBlocked) {
            QFile blocker(rig.backups.path() + "/not-a-folder");
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            rig.transfer.BackupDir = blocker.fileName() + "/Backups";
        }
        for (int n = 1; n <= 5; ++n)
            FillMemory(rig.c.state.table, n, QString::fromLatin1(sampleRecord(n, 1)), nullptr);
        std::optional<SaveSpaceLimit> disk;
        if (diskSpace >= 0)
            disk.emplace(diskSpace);
        rig.transfer.WriteRadio();
        disk.reset();
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(rig.line->radio.memory(n), sampleRecord(n, n <= written ? 1 : 0));
        QVERIFY2(rig.c.dialogs.texts().last().startsWith(outcome), qPrintable(rig.c.dialogs.texts().last()));
        if (written > 0)
            QCOMPARE(rig.backupText(), (mw(sampleRecord(1)) + "\r\n" + mw(sampleRecord(2)) + "\r\n").toLatin1());
    }

    // What the radio holds after a write that skips, stops or only compares.
    void writeOutcomes_data()
    {
        QTest::addColumn<QList<int>>("radio");  // memories used before; -n: sampleRecord(n, 1)
        QTest::addColumn<QList<int>>("table");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<QString>("box");  // in the last box
        QTest::addColumn<QStringList>("skipped");  // log lines
        QList<int> twenty;
        for (int n = 1; n <= 20; ++n)
            twenty << n;
        QTest::newRow("memories the radio cannot take are skipped")
            << QList<int>{6} << QList<int>{-6, 8, 9, 10} << "bad cells" << QList<int>{6, 9}
            << "Transfer of memories completed.\r\nMemories written: 9.\r\nMemories not written because the radio "
               "cannot take them: 6, 8, 10. The messages window says why."
            << QStringList{"Memory 6 skipped - the mode '?? ' is not one the radio knows",
                           "Memory 8 skipped - the mode '' is not one the radio knows",
                           "Memory 10 skipped - the frequency 60.00000 MHz is outside the radio's range"};
        QTest::newRow("cancelled at memory 10")
            << QList<int>{} << twenty << "cancel" << twenty.mid(0, 10)
            << "Write cancelled by user request\r\nMemories written: 1-10.\r\nMemories not handled: 11-500, P1L-P2U."
            << QStringList{};
        QTest::newRow("dry run") << QList<int>{1} << QList<int>{-1, 2} << "dry" << QList<int>{1}
                                 << "Comparison with the radio completed: 2 memories would be written.\r\n"
                                    "Memories empty in the table, left as they are on the radio (a memory cannot be "
                                    "erased over CAT): 502."
                                 << QStringList{};
        // Someone turns the knob on memory 2 while the write reads back.
        QTest::newRow("verify finds a memory changed")
            << QList<int>{} << QList<int>{1, 2, 3} << "verify" << QList<int>{1, -2, 3}
            << "Memories that read back differently after writing: 2." << QStringList{};
    }
    void writeOutcomes()
    {
        QFETCH(QList<int>, radio);
        QFETCH(QList<int>, table);
        QFETCH(QString, how);
        QFETCH(QList<int>, after);
        QFETCH(QString, box);
        const auto record = [](int n) { return sampleRecord(qAbs(n), n < 0 ? 1 : 0); };
        Rig rig;
        for (int n : radio)
            rig.line->radio.setMemory(qAbs(n), record(n));
        for (int n : table)
            FillMemory(rig.c.state.table, qAbs(n), QString::fromLatin1(record(n)), nullptr);
        if (how == "bad cells") {
            mv::test::setCellText(rig.c.state.table, 6, MemoryTable::ColMode, "?? ");
            mv::test::setCellText(rig.c.state.table, 8, MemoryTable::ColMode, "");
            mv::test::setCellText(rig.c.state.table, 10, MemoryTable::ColFrequency, "60.00000");
        }
        rig.transfer.DryRun = how == "dry";
        rig.transfer.VerifyAfterWrite = how == "verify";
        rig.view.onProgress = [&](int value, int maximum) {
            if (how == "cancel" && value == 10)
                rig.transfer.WriteCancelRequested = true;
            if (how == "verify" && maximum == 3 && value == 1)
                rig.line->radio.setMemory(2, record(-2));
        };
        rig.transfer.WriteRadio();
        QByteArray expected;
        for (int n : after)
            expected += mw(record(n)).toLatin1() + "\r\n";
        QCOMPARE(rig.line->radio.memoryFileText(), expected);
        QVERIFY2(rig.c.dialogs.texts().last().contains(box), qPrintable(rig.c.dialogs.texts().last()));
        QTEST(rig.logLines().filter("skipped"), "skipped");
        QCOMPARE(rig.line->radio.rejectedWrites, 0);
        QVERIFY(!rig.link.isOpen());
        if (how == "dry")
            QVERIFY(rig.backupFiles().isEmpty());
        if (how == "bad cells")  // not all written: not the plain information box
            QCOMPARE(rig.c.dialogs.boxes.last().icon, Icon::Exclamation);
    }

    // ---- compare

    void compareListsWhatAWriteWouldChange()
    {
        Rig rig;
        for (int n = 1; n <= 4; ++n)
            rig.line->radio.setMemory(n, sampleRecord(n));
        FillMemory(rig.c.state.table, 1, QString::fromLatin1(sampleRecord(1)), nullptr);
        FillMemory(rig.c.state.table, 2, QString::fromLatin1(sampleRecord(2, 1)), nullptr);
        FillMemory(rig.c.state.table, 4, QString::fromLatin1(sampleRecord(4)), nullptr);
        FillMemory(rig.c.state.table, 7, QString::fromLatin1(sampleRecord(7)), nullptr);
        mv::test::setCellText(rig.c.state.table, 4, MemoryTable::ColFrequency, "60.00000");
        rig.c.state.MemoriesChanged = true;
        rig.transfer.CompareWithRadio();

        QVERIFY(rig.line->radio.commands.filter("MW").isEmpty());
        QVERIFY(rig.c.state.table.isCatEmpty(3));
        QVERIFY(rig.c.state.MemoriesChanged);
        const QStringList lines = rig.logLines();
        QCOMPARE(
            lines.mid(lines.indexOf("Compare with Radio:") + 1),
            QStringList({"Memory 2 would be replaced: radio 1.82000 CW Minus CTCSS Enc 71.9, table 1.82100 FM Simplex",
                         "Memory 3 is empty in the table; the radio keeps 1.83000 FM Simplex",
                         "Memory 4 cannot be written: the frequency 60.00000 MHz is outside the radio's range",
                         "Memory 7 would be added: 1.87000 USRL Plus CTCSS Enc+Dec 85.4",
                         "Memories a write would replace: 1; add: 1; empty in the table but kept on the radio: 1; "
                         "that cannot be written: 1."}));
        QVERIFY(rig.c.dialogs.texts().last().endsWith("The messages window lists them."));

        // Just read, the table is the radio: nothing to list, nothing written,
        // no backup of a radio nothing on was replaced.
        rig.c.state.MemoriesChanged = false;
        rig.transfer.ReadRadio();
        rig.transfer.CompareWithRadio();
        QCOMPARE(rig.c.dialogs.texts().last(), QString("A write would change nothing on the radio."));
        rig.transfer.WriteRadio();
        QVERIFY(rig.line->radio.commands.filter("MW").isEmpty());
        QVERIFY(rig.backupFiles().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRadioTransfer)
#include "tst_radiotransfer.moc"
