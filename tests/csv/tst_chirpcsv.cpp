// CHIRP's generic CSV: how each of its fields lands in a memory, and that an
// export in CHIRP's layout reads back into the same memories.
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/NumberText.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvExport.h"
#include "csv/CsvFormat.h"
#include "csv/CsvImport.h"
#include "rules/RepeaterRules.h"

#include <QLocale>
#include <QtTest>

using namespace mv;
using mv::test::TestContext;

namespace {

const QString kChirpHeader = QStringLiteral("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                            "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE");

// Imports `lines` (header first) with the file's memory numbers.
CsvImportResult importLines(TestContext &c, const QStringList &lines)
{
    const QString path = c.dir.filePath("chirp.csv");
    QTest::qVerify(mv::test::writeBytes(path, (lines.join("\r\n") + "\r\n").toUtf8()), "writeBytes", "", __FILE__,
                   __LINE__);
    CsvImportOptions o;
    o.path = path;
    o.useNumbers = true;
    return ImportCsv(c.ctx, o);
}

QStringList cells(const MemoryTable &t, int n) { return mv::test::cellsOf(t, n).mid(1); }

}  // namespace

class TestChirpCsv : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        DetectSeparators();
    }

    // One CHIRP record each; the memory it gives and the line that says what
    // the radio cannot keep.
    void fields_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("memory");  // frequency, mode, shift, encoding, tone, description
        QTest::addColumn<QString>("note");
        auto row = [](const char *name, const char *record, QStringList memory, const char *note = "") {
            QTest::newRow(name) << QString::fromUtf8(record) << memory << QString::fromUtf8(note);
        };
        row("simplex FM", "7,Calling,51.510000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,,,,,",
            {"51.51000", "FM", "Simplex", " ", "88.5", "Calling"});
        row("minus, Tone from rToneFreq, NFM", "7,GB3XX,51.810000,-,0.500000,Tone,103.5,71.9,023,NN,NFM,12.50,,,,,,",
            {"51.81000", "FMN", "Minus", "CTCSS Enc", "103.5", "GB3XX"});
        row("plus, TSQL from cToneFreq", "7,Rpt,29.620000,+,0.100000,TSQL,88.5,123.0,023,NN,FM,5.00,,,,,,",
            {"29.62000", "FM", "Plus", "CTCSS Enc+Dec", "123.0", "Rpt"});
        row("split", "7,Odd,28.000000,split,29.000000,,88.5,88.5,023,NN,USB,5.00,,,,,,",
            {"28.00000", "USB", "Simplex", " ", "88.5", "Odd"},
            "Duplex 'split' cannot be stored in this radio - set to Simplex; the transmit frequency 29.000000 is not "
            "kept");
        row("transmit off", "7,Listen,7.100000,off,0.000000,,88.5,88.5,023,NN,LSB,5.00,,,,,,",
            {"7.10000", "LSB", "Simplex", " ", "88.5", "Listen"},
            "Duplex 'off' (transmit inhibited) cannot be stored in this radio - set to Simplex");
        row("DTCS", "7,D,51.500000,,0.000000,DTCS,88.5,88.5,023,NN,FM,5.00,,,,,,",
            {"51.50000", "FM", "Simplex", " ", "88.5", "D"},
            "Tone mode 'DTCS' cannot be stored in this radio - set to no encoding");
        row("DIG", "7,FT8,14.074000,,0.000000,,88.5,88.5,023,NN,DIG,5.00,,,,,,",
            {"14.07400", "USRU", "Simplex", " ", "88.5", "FT8"});
        row("another mode: the frequency's own", "7,,14.200000,,0.000000,,88.5,88.5,023,NN,DV,5.00,,,,,,",
            {"14.20000", "USB", "Simplex", " ", "88.5", ""},
            "Mode 'DV' is not a mode of this radio - set to the frequency's default mode");
        row("name and comment", "7,Club,3.700000,,0.000000,,88.5,88.5,023,NN,LSB,5.00,,Sunday 10:00,,,,",
            {"3.70000", "LSB", "Simplex", " ", "88.5", "Club - Sunday 10:00"});
        row("comment only, quoted with a comma", "7,,3.700000,,0.000000,,88.5,88.5,023,NN,LSB,5.00,,\"Net, daily\",,,,",
            {"3.70000", "LSB", "Simplex", " ", "88.5", "Net  daily"});
    }
    void fields()
    {
        QFETCH(QString, record);
        QFETCH(QString, note);
        TestContext c;
        const CsvImportResult r = importLines(c, {kChirpHeader, record});
        QCOMPARE(r.source, QString("CHIRP"));
        QTEST(cells(c.state.table, 7), "memory");
        const QStringList notes = c.log.text().split("\r\n").filter("Record  1 memory 7. ");
        QCOMPARE(notes, note.isEmpty() ? QStringList() : QStringList{"Record  1 memory 7. " + note});
        QVERIFY(!r.precheckErrors);
    }

    // Our CHIRP export, under a decimal-comma locale, is CHIRP's file and reads
    // back into the same frequencies, shifts, encodings, tones and descriptions.
    void exportReadsBack()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        DetectSeparators();
        TestContext c;
        MemoryTable &t = c.state.table;
        QVERIFY(mv::test::addMemory(t, 1, "51,81000", "FMN", "Minus", "CTCSS Enc", "103.5", "Relais, Nord"));
        QVERIFY(mv::test::addMemory(t, 2, "29,62000", "FM", "Plus", "CTCSS Enc+Dec", "123.0", "10 m"));
        QVERIFY(mv::test::addMemory(t, 5, "14,08000", "RTYL", "Simplex", "", "", ""));
        QVERIFY(mv::test::addMemory(t, 9, "14,07400", "USRL", "Simplex", "", "67.0", "FT8 low"));
        RepeaterRuleSet rules;
        rules.RepeaterRulesActive = true;
        rules.rules.push_back({5160000, 5199000, "Minus", "0,50000", "10 K", true});

        CsvExportOptions o;
        o.layout = CsvLayout::Chirp;
        o.rules = &rules;
        o.path = c.dir.filePath("out.csv");
        o.tab = o.omitHeader = true;  // not CHIRP's: no effect
        QCOMPARE(ExportCsv(c.ctx, o).records, 4);
        const QStringList lines = QString::fromUtf8(mv::test::readBytes(o.path)).split("\r\n");
        QCOMPARE(lines.value(0), kChirpHeader);
        QCOMPARE(lines.value(1),
                 QString("1,\"Relais, Nord\",51.810000,-,0.500000,Tone,103.5,103.5,023,NN,NFM,5.00,,,,,,"));
        QCOMPARE(lines.value(2), QString("2,10 m,29.620000,+,0.000000,TSQL,123.0,123.0,023,NN,FM,5.00,,,,,,"));
        QCOMPARE(lines.value(3), QString("5,,14.080000,,0.000000,,67.0,67.0,023,NN,RTTY,5.00,,,,,,"));
        QCOMPARE(lines.value(4), QString("9,FT8 low,14.074000,,0.000000,,67.0,67.0,023,NN,DIG,5.00,,,,,,"));

        TestContext back;
        CsvImportOptions in;
        in.path = o.path;
        in.useNumbers = true;
        QCOMPARE(ImportCsv(back.ctx, in).added, 4);
        for (int n : {1, 2, 5, 9}) {
            QStringList was = cells(t, n);
            was.removeAt(1);  // the mode: CHIRP has no RTYL or USRL
            was.last() = CleanImportedDescription(was.last());  // commas and quotes become blanks in every import
            QStringList now = cells(back.state.table, n);
            now.removeAt(1);
            QCOMPARE(now, was);
        }
    }
};

QTEST_GUILESS_MAIN(TestChirpCsv)
#include "tst_chirpcsv.moc"
