// CSV export: columns and separators under "." and "," locales, the save
// dialog's rules, the error retry and a full disk.
#include "DataRows.h"
#include "LocaleCases.h"
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/NumberText.h"
#include "csv/CsvExport.h"
#include "shell/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace mv;
using mv::test::fileLines;
using mv::test::mark;
using mv::test::row;
using mv::test::TestContext;

namespace {
void fill(MemoryTable &t, int n, const QString &mhz, const QString &mode, const QString &shift = "Simplex",
          const QString &enc = "", const QString &tone = "67.0", const QString &desc = "")
{
    QVERIFY(mv::test::addMemory(t, n, mark(mhz), mode, shift, enc, tone, desc));
}
}  // namespace

class TestCsvExport : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES()

    void separators_data()
    {
        QTest::addColumn<bool>("tab");
        row("Comma", false);
        row("Tab", true);
    }
    void separators()
    {
        QFETCH_GLOBAL(QString, locale);
        QFETCH(bool, tab);
        TestContext c;
        fill(c.state.table, 3, "51.5", "FM", "Minus", "CTCSS Enc", "88.5", "Local rpt");
        SetListSeparator('|');  // export detects the separators itself
        CsvExportOptions o;
        o.tab = tab;
        const QString path = c.dir.filePath("out.CSV");
        c.dialogs.files.enqueue({false, path});
        const CsvExportResult r = ExportCsv(c.ctx, o);
        QCOMPARE(r.outcome, CsvExportOutcome::Written);
        const QString sep = tab ? "\t" : (locale == "en_GB" ? "," : ";");
        QCOMPARE(fileLines(path), QStringList({"Memory|RX Freq|RX Mode|Shift|TX Shift/Freq|TX Mode|CTCSS/DCS|"
                                               "Tone/Code|Show|Name|Scan|Group|Description",
                                               "1|" + mark("51.50000") + "|FM|Minus|||CTCSS Enc|88.5|||||Local rpt"})
                                      .replaceInStrings("|", sep));
        QCOMPARE(c.dialogs.texts(), QStringList{"Export completed"});
    }

    // The name typed in the save dialog, and the question before a file is replaced.
    void fileNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Answer>("answer");  // to the replace question; Ok: no file of that name yet
        QTest::addColumn<QString>("onDisk");  // the file in the folder afterwards
        QTest::addColumn<QStringList>("boxes");
        const QString replace = "Filename MEMS.CSV already exists\r\nDo you wish to replace it?",
                      done = "Export completed";
        row("no extension", "mems", Answer::Ok, "mems.CSV", QStringList{done});
        row("lower case csv", "mems.csv", Answer::Ok, "mems.csv", QStringList{done});
        row("other extension", "mems.txt", Answer::Ok, "mems.txt.CSV", QStringList{done});
        row("blank name", "  ", Answer::Ok, "", QStringList());
        row("No keeps the file", "Mems.CSV", Answer::No, "Mems.CSV", QStringList{replace});
        row("Yes replaces it", "Mems.CSV", Answer::Yes, "Mems.CSV", QStringList{replace, done});
    }
    void fileNames()
    {
        QFETCH(QString, typed);
        QFETCH(Answer, answer);
        QFETCH(QString, onDisk);
        QFETCH(QStringList, boxes);
        TestContext c;
        fill(c.state.table, 1, "7", "LSB");
        if (answer != Answer::Ok) {
            QVERIFY(mv::test::writeBytes(c.dir.filePath(typed), "old\r\n"));
            c.dialogs.answers.enqueue(answer);
        }
        c.dialogs.files.enqueue({false, typed.trimmed().isEmpty() ? typed : c.dir.filePath(typed)});
        const CsvExportResult r = ExportCsv(c.ctx, {});
        QCOMPARE(c.dialogs.texts(), boxes);
        const bool written = boxes.endsWith("Export completed");
        QCOMPARE(r.outcome, written ? CsvExportOutcome::Written : CsvExportOutcome::Cancelled);
        QCOMPARE(QDir(c.dir.path()).entryList(QDir::Files), onDisk.isEmpty() ? QStringList() : QStringList{onDisk});
        if (!onDisk.isEmpty())  // the header and memory 1, or the old line
            QCOMPARE(fileLines(c.dir.filePath(onDisk)).size(), written ? 2 : 1);
        if (answer != Answer::Ok)
            QCOMPARE(c.dialogs.boxes.first().buttons, Buttons::YesNo);
    }

    void errorOffersTheDialogAgain()
    {
        TestContext c;
        fill(c.state.table, 1, "7", "LSB");
        const QString bad = c.dir.filePath("no-such-folder/mems");
        const QString good = c.dir.filePath("mems.CSV");
        c.dialogs.files.enqueue({false, bad});
        c.dialogs.files.enqueue({false, good});
        const CsvExportResult r = ExportCsv(c.ctx, {});
        QCOMPARE(r.outcome, CsvExportOutcome::Written);
        QCOMPARE(c.dialogs.fileRequests.size(), 2);
        const QString error = c.dialogs.boxes[0].text;
        QCOMPARE(error.section("\r\n", 0, 1),
                 "An error has been encountered when trying to export the file.\r\nError number  76 (Path not found - "
                     + QDir::toNativeSeparators(bad + ".CSV") + ": the folder does not exist) in line  0");
        QVERIFY(error.endsWith("\r\n\r\nCannot export the file here - please try an alternative location"));
        QCOMPARE(c.dialogs.texts().mid(1), QStringList{"Export completed"});
        QVERIFY(QFile::exists(good));
    }

    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("room");  // bytes that fit on the disk
        row("nothing fits", 0);
        row("header fits", 150);
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(int, room);
        TestContext c;
        fill(c.state.table, 1, "7", "LSB");
        fill(c.state.table, 2, "14.2", "USB");
        CsvExportOptions options;
        options.path = c.dir.filePath("old.csv");
        QVERIFY(mv::test::writeBytes(options.path, "old\r\n"));
        CsvExportResult r;
        {
            SaveSpaceLimit full(room);
            r = ExportCsv(c.ctx, options);
        }
        QCOMPARE(r.outcome, CsvExportOutcome::Failed);
        QCOMPARE(mv::test::readBytes(options.path), QByteArray("old\r\n"));
        QCOMPARE(c.dialogs.texts(), QStringList{r.error});
        QVERIFY2(r.error.contains("Error number  61 (Disk full - " + QDir::toNativeSeparators(options.path)
                                  + ": No space left on device) in line  4"),
                 qPrintable(r.error));
        QCOMPARE(QDir(c.dir.path()).entryList(QDir::Files), QStringList{"old.csv"});  // no temporary left
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
