// CSV import: header handling, the pre-check messages, the space and duplicate
// checks, the questions, the load pass and the refusals of unreadable files,
// under "." and "," locales.
#include "DataRows.h"
#include "LocaleCases.h"
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "csv/CsvFormat.h"
#include "csv/CsvImport.h"

#include <QtTest>

using namespace mv;
using mv::test::mark;
using mv::test::row;
using mv::test::TestContext;

namespace {

const QString kHeader = QStringLiteral(
    "Memory,RX Freq,RX Mode,Shift,TX Shift/Freq,TX Mode,CTCSS/DCS,Tone/Code,Show,Name,Scan,Group,Description");
const QStringList kDeclined{"The pre-check of the import file has errors. Do you want to try and load it?"};

// A comma-separated file: the header and the records, CR LF after each.
QString writeCsv(const TestContext &c, const QStringList &records, const QString &name = "in.CSV",
                 const QString &header = kHeader)
{
    const QString path = c.dir.filePath(name);
    QTest::qVerify(mv::test::writeBytes(path, ((QStringList{header} + records).join("\r\n") + "\r\n").toUtf8()),
                   "writeBytes", "", __FILE__, __LINE__);
    return path;
}

QStringList cells(const MemoryTable &t, int n) { return mv::test::cellsOf(t, n).mid(1); }

// "number frequency" of every filled memory.
QStringList filled(const MemoryTable &t)
{
    QStringList got;
    for (int n = 1; n <= MemoryTable::kMemoryCount; ++n)
        if (!t.isEmpty(n))
            got << QString::number(n) + " " + mv::test::cellOf(t, n, MemoryTable::ColFrequency);
    return got;
}
QStringList marked(QStringList l) { return l.replaceInStrings(".", DecimalSeparator()); }

void fill(MemoryTable &t, int n, const QString &mhz, const QString &mode = "FM")
{
    QVERIFY(mv::test::addMemory(t, n, mark(mhz), mode, "Simplex", "", "67.0", ""));
}

CsvImportResult importFile(TestContext &c, const QString &path, CsvImportOptions o = {})
{
    c.dialogs.files.enqueue({false, path});
    return ImportCsv(c.ctx, o);
}

QStringList logLines(const TestContext &c) { return c.log.text().split("\r\n", Qt::SkipEmptyParts); }

}  // namespace

class TestCsvImport : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES()

    void nothingToImport()
    {
        TestContext c;
        fill(c.state.table, 7, "51.6");
        CsvImportOptions o;
        o.omitDuplicates = true;
        const QString path = writeCsv(c, {"1,51.6,FM", "2,51.60000,FM"});
        QCOMPARE(importFile(c, path, o).outcome, CsvImportOutcome::NothingToImport);
        QCOMPARE(c.log.text(), "Every one of the 2 records is a duplicate frequency.\r\nNothing to import\r\n");
        QVERIFY(c.dialogs.boxes.isEmpty());
        QCOMPARE(filled(c.state.table), marked({"7 51.60000"}));
        QVERIFY(!c.state.MemoriesChanged);
    }

    void decimalMarks_data()
    {
        // The same file gives the same memory under either locale: only the
        // frequency takes the locale's mark, the tone is read with either mark,
        // and a separator in the description becomes a blank.
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("record");  // "|" stands for the separator
        QTest::addColumn<QString>("description");
        row("comma file, quoted description", ",", "1|51.5|FM|Plus|||CTCSS Enc|88.5|||||\"Club, north\"",
            "Club  north");
        row("semicolon file, decimal comma", ";", "1|51,500|FM|Plus|||CTCSS Enc|88,5|||||Smith, John", "Smith  John");
        row("semicolon file, decimal point", ";", "1|51.500|FM|Plus|||CTCSS Enc|88.5|||||Rpt. North", "Rpt. North");
        row("tab file, decimal comma", "\t", "1|51,5|FM|Plus|||CTCSS Enc|88,5|||||Smith; John", "Smith  John");
        // Cleaning turns the quoted comma into a blank: not a number.
        row("quoted decimal comma in a comma file", ",", "1|\"51,500\"|FM", "");
    }
    void decimalMarks()
    {
        QFETCH(QString, separator);
        QFETCH(QString, record);
        QFETCH(QString, description);
        TestContext c;
        c.dialogs.answers.enqueue(Answer::No);
        const CsvImportResult r = importFile(
            c, writeCsv(c, {record.replace('|', separator)}, "d.CSV", QString(kHeader).replace(',', separator)));
        if (description.isEmpty()) {
            QCOMPARE(r.outcome, CsvImportOutcome::PrecheckDeclined);
            QVERIFY(c.log.text().startsWith("Record  1. Frequency of '"));
            return;
        }
        QCOMPARE(cells(c.state.table, 1),
                 QStringList({mark("51.50000"), "FM", "Plus", "CTCSS Enc", "88.5", description}));
    }

    void fieldsAtLoad_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("expected");  // freq, mode, shift, encoding, tone, description
        QTest::addColumn<QString>("logLine");  // "" = none
        row("defaults", "1,7.05,LSB", QStringList{"7.05000", "LSB", "Simplex", " ", "67.0", ""}, "");
        row("enc+dec upper case", "1,51.6,FM,MINUS,,,CTCSS ENC+DEC,100",
            QStringList{"51.60000", "FM", "Minus", "CTCSS Enc+Dec", "100.0", ""}, "");
        row("DCS becomes none", "1,51.6,FM,Simplex,,,DCS,023",
            QStringList{"51.60000", "FM", "Simplex", " ", "67.0", ""},
            "Record  1 memory 1. Encoding state of 'DCS' cannot be stored in this radio - set to none");
        row("split becomes simplex", "1,51.6,FM,Split", QStringList{"51.60000", "FM", "Simplex", " ", "67.0", ""},
            "Record  1 memory 1. Shift of 'Split' cannot be stored in this radio - set to Simplex");
        row("no mode, 10 m FM", "1,29.68", QStringList{"29.68000", "FMN", "Simplex", " ", "67.0", ""}, "");
        row("odd tone without CTCSS", "1,51.6,FM,,,,,12", QStringList{"51.60000", "FM", "Simplex", " ", "67.0", ""},
            "Record  1 memory 1. Tone of '12.0' is not a CTCSS tone of the radio - set to 67.0");
    }
    void fieldsAtLoad()
    {
        QFETCH(QStringList, expected);
        QFETCH(QString, logLine);
        TestContext c;
        c.dialogs.answers.enqueue(Answer::Yes);  // in case the pre-check objects
        QFETCH(QString, record);
        QCOMPARE(importFile(c, writeCsv(c, {record})).outcome, CsvImportOutcome::Imported);
        expected[0] = mark(expected[0]);
        QCOMPARE(cells(c.state.table, 1).mid(0, 6), expected);
        const QStringList log = logLines(c);
        QCOMPARE(log.last(), QStringLiteral("Import finished. Records loaded = 1, skipped = 0"));
        QVERIFY2(logLine.isEmpty() ? log.size() == 1 : log.contains(logLine), qPrintable(c.log.text()));
    }

    void precheckMessages_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("useNumbers");
        QTest::addColumn<QString>("message");
        row("number 501", "501,7.05,LSB", false, "Record  2. Memory number of '501' is not between 1 and 500");
        row("number text", "abc,7.05,LSB", false, "Record  2. Memory number of abc is not numeric");
        row("number missing", ",7.05,LSB", true,
            "Record  2. Memory number is missing, but is required due to 'Use imported mem numbers'.");
        row("out of range", "3,99,FM", false, "Record  2. Frequency of '99' is outside the range of the radio");
        row("not numeric", "3,abc,FM", false, "Record  2. Frequency of 'abc' is not numeric.");
        // Blank lines hold no record and are not counted.
        row("after a blank line", "\r\n3,,FM", false, "Record  2. Frequency of '' is not numeric.");
        row("mode", "3,7.05, ssb ", false, "Record  2. Mode of 'SSB' is not recognised as a Orbis mode");
        row("shift", "3,7.05,LSB,Up", false, "Record  2. Shift of 'UP' is not Simplex, Plus, Minus, Split or omitted");
        row("encoding", "3,7.05,LSB,,,,Tone", false,
            "Record  2. Encoding state of 'TONE' is not CTCSS Enc, CTCSS Enc/Dec, DCS or omitted");
        row("tone", "3,51.6,FM,,,,CTCSS Enc,89", false,
            "Record  2. CTCSS tone of '89.0' is not valid. Will be set to 67.0");
    }
    void precheckMessages()
    {
        QFETCH(QString, record);
        QFETCH(QString, message);
        TestContext c;
        fill(c.state.table, 9, "3.6", "LSB");
        c.dialogs.answers.enqueue(Answer::No);
        int snapshots = 0;
        CsvImportOptions o;
        QFETCH(bool, useNumbers);
        o.useNumbers = useNumbers;
        o.saveUndoSnapshot = [&] { ++snapshots; };
        const CsvImportResult r = importFile(c, writeCsv(c, {"1,7.1,LSB", record}), o);
        QCOMPARE(r.outcome, CsvImportOutcome::PrecheckDeclined);
        QCOMPARE(c.log.text().split("\r\n"), QStringList({message, "", QString(55, '_'), ""}));
        QCOMPARE(c.dialogs.texts(), kDeclined);
        QCOMPARE(c.dialogs.boxes.first().buttons, Buttons::YesNo);
        QCOMPARE(snapshots, 0);
        QCOMPARE(filled(c.state.table), marked({"9 3.60000"}));
        QVERIFY(!c.state.MemoriesChanged);
    }

    void loadPass_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<bool>("useNumbers");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("lines");  // the last lines of the log
        QTest::addColumn<QStringList>("memories");  // "number frequency" of every filled memory
        const QString at499 = "499 3.60000";  // there before the import
        row("unknown mode", QStringList{"1,14.2,SSB", "2,3.7,LSB"}, true, "",
            QStringList{"Record  1 memory 1. Skipped due to unknown mode of 'SSB'",
                        "Import finished. Records loaded = 1, skipped = 1"},
            QStringList{"2 3.70000", at499});
        row("bad and missing frequency", QStringList{"5,7.05,LSB", "6,99,FM", "7,,FM"}, true, "",
            QStringList{"Record  2 memory 6. Skipped due to bad RX frequency of 99",
                        "Record  3 memory 7. Skipped due to missing RX frequency",
                        "Import finished. Records loaded = 1, skipped = 2"},
            QStringList{"5 7.05000", at499});
        row("number outside the memories", QStringList{"600,7.1,LSB", "-2,7.2,LSB"}, true, "",
            QStringList{"Record  1 memory 600. Skipped as there is no memory 600 (memories are 1 to 500)",
                        "Record  2 memory -2. Skipped as there is no memory -2 (memories are 1 to 500)",
                        "Import finished. Records loaded = 0, skipped = 2"},
            QStringList{at499});
        row("repeated number", QStringList{"5,7.05,LSB", "5,7.35,USB"}, true, "",
            QStringList{"Record  2 memory 5. Replaces record  1, which this import had put into memory 5",
                        "Import finished. Records loaded = 1, skipped = 1"},
            QStringList{"5 7.35000", at499});
        row("record without number, then its memory by number", QStringList{",7.2,LSB", "2,7.25,LSB", "1,7.3,USB"},
            true, "",
            QStringList{"Record  3 memory 1. Replaces record  1, which this import had put into memory 1",
                        "Import finished. Records loaded = 2, skipped = 1"},
            QStringList{"1 7.30000", "2 7.25000", at499});
        row("start 499 passes the used 499, then no empty memory left",
            QStringList{"1,7.05,LSB", "2,7.06,LSB", "", "3,7.07,LSB"}, false, "499",
            QStringList{"Record  2. Skipped as there is no empty memory left",
                        "Record  3. Skipped as there is no empty memory left",
                        "Import finished. Records loaded = 1, skipped = 2"},
            QStringList{at499, "500 7.05000"});
    }
    void loadPass()
    {
        // Every record the load does not keep gets a line naming it and why,
        // and the import ends with its counts, in the log and in the last box.
        QFETCH(QStringList, records);
        QFETCH(bool, useNumbers);
        QFETCH(QString, start);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, memories);
        TestContext c;
        fill(c.state.table, 499, "3.6", "LSB");
        c.dialogs.answers.enqueue(Answer::Yes);  // load despite the pre-check
        CsvImportOptions o;
        o.useNumbers = useNumbers;
        o.startText = start;
        QCOMPARE(importFile(c, writeCsv(c, records), o).outcome, CsvImportOutcome::Imported);
        const QStringList log = logLines(c);
        QCOMPARE(log.mid(log.size() - lines.size()), lines);
        QCOMPARE(filled(c.state.table), marked(memories));
        const QString counts = lines.last().mid(QStringLiteral("Import finished. ").size());
        QCOMPARE(c.dialogs.boxes.last().text, "Import completed, but not every record was loaded.\r\n" + counts
                                                  + ". The messages list each record that was skipped.");
        QCOMPARE(c.dialogs.boxes.last().icon, Icon::Exclamation);
        QVERIFY(c.state.MemoriesChanged);
    }

    void noRoom_data()
    {
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("records");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("log");
        row("501 records", 0, 501, kDeclined,
            QStringList{"Records read = 501. Reduce to < 500 and re-run",
                        "You have 0 memories and there is not enough space to add 501 more.", QString(55, '_')});
        row("memory full", 500, 1, QStringList{"Memory is full. Delete some memories to make space"} + kDeclined,
            QStringList{"You have 500 memories and there is not enough space to add 1 more.", QString(55, '_')});
    }
    void noRoom()
    {
        QFETCH(int, used);
        QFETCH(int, records);
        TestContext c;
        for (int n = 1; n <= used; ++n)
            mv::test::setCellText(c.state.table, n, MemoryTable::ColFrequency, mark("7.00000"));
        // A tab-separated file: its frequencies carry the locale's own decimal mark.
        QStringList lines;
        for (int i = 0; i < records; ++i)
            lines
                << QStringLiteral("%1\t%2\tFM").arg(i % 500 + 1).arg(mark(QString("51.%1").arg(i, 3, 10, QChar('0'))));
        c.dialogs.answers.enqueue(used ? Answer::Ok : Answer::No);
        c.dialogs.answers.enqueue(Answer::No);
        const QString path = writeCsv(c, lines, "many.CSV", QString(kHeader).replace(',', '\t'));
        QCOMPARE(importFile(c, path).outcome, CsvImportOutcome::PrecheckDeclined);
        QTEST(c.dialogs.texts(), "boxes");
        QTEST(logLines(c), "log");
    }

    void duplicates()
    {
        TestContext c;
        fill(c.state.table, 1, "51.6");
        CsvImportOptions o;
        o.omitDuplicates = true;
        const CsvImportResult r
            = importFile(c, writeCsv(c, {"1,51.6,FM", "2,7.05,LSB", "3,7.050,LSB", "4,14.2,USB"}), o);
        QCOMPARE(r.duplicates, 1);  // the pre-check compares with the table only
        QCOMPARE(
            logLines(c),
            QStringList({"Record  1 memory 1. Omitted as the frequency " + mark("51.60000") + " is already in a memory",
                         "Record  3 memory 3. Omitted as the frequency " + mark("7.05000") + " is already in a memory",
                         "Import finished. Records loaded = 2, skipped = 0, duplicates omitted = 2"}));
        QCOMPARE(c.dialogs.texts(), QStringList{"Import completed"});
        QCOMPARE(filled(c.state.table), marked({"1 51.60000", "2 7.05000", "3 14.20000"}));
    }

    void clearBeforeImport_data()
    {
        QTest::addColumn<Answer>("answer");
        row("Yes", Answer::Yes);
        row("No", Answer::No);
    }
    void clearBeforeImport()
    {
        QFETCH(Answer, answer);
        TestContext c;
        fill(c.state.table, 300, "3.6", "LSB");
        mv::test::setPmsCellText(c.state.table, 1, MemoryTable::ColFrequency, mark("7.000000"));
        int snapshotUsed = -1;
        qsizetype boxesAtSnapshot = -1;
        CsvImportOptions o;
        o.clearBefore = true;
        o.saveUndoSnapshot = [&] {
            snapshotUsed = c.state.table.usedMemoryCount();
            boxesAtSnapshot = c.dialogs.boxes.size();
        };
        c.dialogs.answers.enqueue(answer);
        const CsvImportResult r = importFile(c, writeCsv(c, {"1,7.05,LSB"}), o);
        // The snapshot is taken before the question, of the table as it was.
        QCOMPARE(snapshotUsed, 1);
        QCOMPARE(boxesAtSnapshot, 0);
        QCOMPARE(c.dialogs.boxes.first().text,
                 QStringLiteral("Are you sure you want to clear ALL memories before importing?"));
        QCOMPARE(c.dialogs.boxes.first().buttons, Buttons::YesNoCancel);
        const bool yes = answer == Answer::Yes;
        QCOMPARE(r.outcome, yes ? CsvImportOutcome::Imported : CsvImportOutcome::ClearDeclined);
        QCOMPARE(filled(c.state.table), marked({yes ? "1 7.05000" : "300 3.60000"}));
        QCOMPARE(c.state.table.isPmsEmpty(1), yes);
        QCOMPARE(c.state.MemoriesChanged, yes);
    }

    // The name typed in the open dialog and the header line decide what is read.
    void fileNamesAndHeaders_data()
    {
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("header");  // "": the program's own
        QTest::addColumn<CsvImportOutcome>("outcome");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("boxes");  // "%1" stands for the folder
        QTest::addColumn<QStringList>("log");
        const QStringList done{"Import completed"}, loaded{"Import finished. Records loaded = 1, skipped = 0"};
        row("typed without extension", "mems.CSV", "mems", "", CsvImportOutcome::Imported, "Orbis", done, loaded);
        row("TPE used as it stands", "mems.TPE", "mems.TPE", "", CsvImportOutcome::Imported, "Orbis", done, loaded);
        row("other extension gets .CSV", "mems.txt", "mems.txt", "", CsvImportOutcome::MissingFile, "",
            QStringList{"Filename %1/mems.txt.CSV does not exist"}, QStringList());
        row("blank name is a cancel", "mems.CSV", "  ", "", CsvImportOutcome::Cancelled, "", QStringList(),
            QStringList());
        row("Lumen header", "h.CSV", "h.CSV", "#,Freq,Mode", CsvImportOutcome::ForeignHeader, "Lumen", QStringList(),
            QStringList{"Header looks like one from Lumen. Import aborted"});
        row("unknown header", "h.CSV", "h.CSV", "1, 7.05 ,LSB", CsvImportOutcome::UnknownHeader, "Unknown",
            QStringList{"Import aborted due to errors"},
            QStringList{"Filename: %1/h.CSV", "1,7.05,LSB", "First record is not recognised as a header record"});
    }
    void fileNamesAndHeaders()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, header);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, log);
        TestContext c;
        QFETCH(QString, onDisk);
        writeCsv(c, {"2,7.1,LSB"}, onDisk, header.isEmpty() ? kHeader : header);
        const CsvImportResult r = importFile(c, chosen.trimmed().isEmpty() ? chosen : c.dir.filePath(chosen));
        QTEST(r.outcome, "outcome");
        QTEST(r.source, "source");
        QCOMPARE(c.dialogs.texts(), boxes.replaceInStrings("%1", c.dir.path()));
        QCOMPARE(logLines(c), log.replaceInStrings("%1", c.dir.path()));
        QCOMPARE(filled(c.state.table).size(), r.outcome == CsvImportOutcome::Imported ? 1 : 0);
    }

    void fileBytes_data()
    {
        // Text in either encoding is read; a file that is no text of memories
        // is refused before the clear question and the undo snapshot.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("result");  // the description, or the refusal after "The file bad.CSV"
        const QByteArray head = kHeader.toLatin1() + "\r\n1,7.05,LSB,,,,,,,,,,";
        row("UTF-8", head + "M\xC3\xBCnster \xE2\x82\xAC\r\n", QString::fromUtf8("Münster €"));
        row("Latin-1", head + "M\xFCnster \xA4\r\n", QString::fromLatin1("M\xFCnster \xA4"));
        QByteArray withNul = head + "x\r\n";
        withNul[withNul.size() - 3] = '\0';
        row("NUL", withNul, " holds NUL characters, so it is not a text file of memories.\r\nImport aborted");
        QByteArray big = head + "\r\n";
        while (big.size() <= kMaxCsvFileSize)
            big += "1,7.05,LSB\r\n";
        row("over 10 MiB", big, " is larger than 10 MiB, too large to be a file of memories.\r\nImport aborted");
    }
    void fileBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, result);
        TestContext c;
        fill(c.state.table, 2, "3.6", "LSB");
        const QString path = c.dir.filePath("bad.CSV");
        QVERIFY(mv::test::writeBytes(path, bytes));
        int snapshots = 0;
        CsvImportOptions o;
        o.clearBefore = true;
        o.saveUndoSnapshot = [&] { ++snapshots; };
        c.dialogs.answers.enqueue(Answer::Yes);
        const CsvImportResult r = importFile(c, path, o);
        if (!result.startsWith(' ')) {
            QCOMPARE(mv::test::cellOf(c.state.table, 1, MemoryTable::ColDescription), result);
            return;
        }
        QCOMPARE(r.outcome, CsvImportOutcome::Refused);
        QCOMPARE(c.dialogs.texts(), QStringList{"The file bad.CSV" + result});
        QCOMPARE(snapshots, 0);
        QVERIFY(c.log.text().isEmpty());
        QCOMPARE(filled(c.state.table), marked({"2 3.60000"}));
    }

    void previewChangesNothing()
    {
        TestContext c;
        fill(c.state.table, 1, "51.6");
        int snapshots = 0;
        CsvImportOptions o;
        o.preview = o.clearBefore = o.omitDuplicates = true;
        o.saveUndoSnapshot = [&] { ++snapshots; };
        QCOMPARE(importFile(c, writeCsv(c, {"1,51.6,\"FM\"", "2,abc,XX", ""}), o).outcome, CsvImportOutcome::Previewed);
        QCOMPARE(c.log.text().split("\r\n"),
                 QStringList({"Header type identified as: Orbis",
                              "Memory,RXFreq,RXMode,Shift,TXShift/Freq,TXMode,CTCSS/DCS,Tone/Code,Show,Name,"
                              "Scan,Group,Description",
                              "1,51.6, FM ", "2,abc,XX", "", "", QString(55, '_'), ""}));
        QVERIFY(c.dialogs.boxes.isEmpty());
        QCOMPARE(snapshots, 0);
        QCOMPARE(filled(c.state.table), marked({"1 51.60000"}));
        QVERIFY(!c.state.MemoriesChanged);
    }
};

QTEST_GUILESS_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
