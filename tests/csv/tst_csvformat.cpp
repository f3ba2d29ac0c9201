// Taking CSV lines apart: header recognition, modes and descriptions, under
// "." and "," locales.
#include "DataRows.h"
#include "LocaleCases.h"
#include "core/NumberText.h"
#include "csv/CsvFormat.h"

#include <QtTest>

using namespace mv;
using mv::test::row;

class TestCsvFormat : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES()

    void header_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("separator");  // "" = the locale's list separator stays
        row("Orbis semicolon", CsvHeaderNames().join(';'), "Orbis", ";");
        // A tab-separated header whose names hold commas splits at tabs.
        row("Orbis tab, commas in names", "Memory\tRX Freq,x;y", "Orbis", "\t");
        row("Halyard", "#;Tag;Freq;Mode", "Halyard", ";");
        row("Tag Freq other", "#,Tag,Freq,Tone", "Unknown", ",");
        row("Brindle short", "Sequence;Freq", "Brindle", ";");
        row("CHIRP, older short form",
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,Mode,TStep,Skip,Bank,Bank Index",
            "CHIRP", ",");
        row("CHIRP, columns in another order", "\"frequency\";\"Mode\";\"LOCATION\"", "CHIRP", ";");
        row("Frequency without Location", "Frequency,Name,Mode", "Quarry", ",");
        row("empty", "", "Unknown", "");
    }
    void header()
    {
        QFETCH(QString, line);
        QFETCH(QString, separator);
        const QChar before = ListSeparator();
        QTEST(RecogniseCsvHeader(CleanCsvLine(line, true)), "source");
        QCOMPARE(ListSeparator(), separator.isEmpty() ? before : separator.at(0));
    }

    void loadModes_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("precheck");  // accepted by the pre-check (upper-cased)
        row("NFM", "NFM", true, "FM", false);
        row("PKT", "PKT", true, "FM", true);
        row("DIG", "DIG", true, "LSB", true);
        row("usru lower case, blanks", " usru ", true, "USRU", true);
        row("unknown", "SSB", false, "", false);
    }
    void loadModes()
    {
        QFETCH(QString, field);
        QFETCH(bool, added);
        QFETCH(QString, mode);
        const std::optional<QString> got = ImportedMode(field);
        QCOMPARE(got.has_value(), added);
        QCOMPARE(got.value_or(QString()), mode);
        QTEST(IsPrecheckMode(field.trimmed().toUpper()), "precheck");
    }

    void description_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        row("separators and quotes", "a,b;c\"d", "a b c d");
        row("control characters",
            "a\tb\x01"
            "c",
            "a b c");
        row("cut to 100", QString(150, 'x'), QString(100, 'x'));
        // Cutting at 100 UTF-16 units would leave half of the last character.
        row("never splits a character", QString(99, 'x') + QString::fromUtf8("\xF0\x9F\x93\xBB") + "tail",
            QString(99, 'x'));
    }
    void description()
    {
        QFETCH(QString, in);
        QTEST(CleanImportedDescription(in), "out");
    }
};

QTEST_GUILESS_MAIN(TestCsvFormat)
#include "tst_csvformat.moc"
