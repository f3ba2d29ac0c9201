// Taking CSV lines apart: cleaning, fields with the decimal-mark adaptation,
// header recognition and vocabularies, under "." and "," locales.
#include "LocaleCases.h"
#include "core/NumberText.h"
#include "csv/CsvFormat.h"

#include <QLocale>
#include <QtTest>

using namespace mv;
using mv::test::mark;

class TestCsvFormat : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES()

    void cleanLine_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("header");
        QTest::addColumn<QString>("expected");
        QTest::newRow("quoted comma") << ","
                                      << "1,\"a, b\",c" << false << "1, a  b ,c";
        QTest::newRow("quoted semicolon kept as separator elsewhere") << ";"
                                                                      << "\"x;y\";z" << false << " x y ;z";
        QTest::newRow("other separator inside quotes") << ","
                                                       << "\"x;y\",z" << false << " x;y ,z";
        QTest::newRow("unbalanced quote") << ","
                                          << "a,\"b,c" << false << "a, b c";
        QTest::newRow("header blanks removed") << ","
                                               << "Memory, RX Freq ,\"RX Mode\"" << true << "Memory,RXFreq,RXMode";
        QTest::newRow("header tabs kept") << "\t"
                                          << "Memory\tRX Freq" << true << "Memory\tRXFreq";
        QTest::newRow("empty") << ","
                               << "" << false << "";
    }
    void cleanLine()
    {
        QFETCH(QString, separator);
        QFETCH(QString, line);
        QFETCH(bool, header);
        QFETCH(QString, expected);
        SetListSeparator(separator.at(0));
        QCOMPARE(CleanCsvLine(line, header), expected);
    }

    void fields_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("pointLocale");  // expected under a "." decimal mark
        QTest::addColumn<QString>("commaLocale");  // expected under a "," decimal mark
        QTest::newRow("frequency, comma file") << ","
                                               << "12,145.500" << 2 << "145.500"
                                               << "145,500";
        QTest::newRow("frequency, semicolon file, comma") << ";"
                                                          << "12;145,500" << 2 << "145.500"
                                                          << "145,500";
        QTest::newRow("frequency, semicolon file, point") << ";"
                                                          << "12;145.500" << 2 << "145.500"
                                                          << "145,500";
        QTest::newRow("frequency, tab file, comma") << "\t"
                                                    << "1\t145,5\t145.5" << 2 << "145.5"
                                                    << "145,5";
        QTest::newRow("mode never adapted") << "\t"
                                            << "1\t145,5\t145.5" << 3 << "145.5"
                                            << "145.5";
        QTest::newRow("tone never adapted") << ","
                                            << "1,51.6,FM,,,,CTCSS Enc,88.5" << 8 << "88.5"
                                            << "88.5";
        QTest::newRow("tone with a comma never adapted") << ";"
                                                         << "1;51,6;FM;;;;CTCSS Enc;88,5" << 8 << "88,5"
                                                         << "88,5";
        QTest::newRow("description, semicolon file") << ";"
                                                     << "1;7,05;LSB;;;;;;;;;;Smith, John" << 13 << "Smith, John"
                                                     << "Smith, John";
        QTest::newRow("missing field") << ","
                                       << "1,2" << 5 << ""
                                       << "";
        QTest::newRow("field zero") << ","
                                    << "1,2" << 0 << ""
                                    << "";
    }
    void fields()
    {
        QFETCH_GLOBAL(QString, locale);
        QFETCH(QString, separator);
        QFETCH(QString, line);
        QFETCH(int, n);
        QFETCH(QString, pointLocale);
        QFETCH(QString, commaLocale);
        SetListSeparator(separator.at(0));
        QCOMPARE(CsvField(line, n), locale == "en_GB" ? pointLocale : commaLocale);
    }

    void header_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("separator");  // "" = the locale's list separator stays
        const QString exportHeader = CsvHeaderNames().join(',');
        QTest::newRow("Orbis comma") << exportHeader << "Orbis"
                                     << ",";
        QTest::newRow("Orbis semicolon") << QString(exportHeader).replace(',', ';') << "Orbis"
                                         << ";";
        QTest::newRow("Orbis tab") << QString(exportHeader).replace(',', '\t') << "Orbis"
                                   << "\t";
        QTest::newRow("Orbis quoted") << "\"Memory\",\"RX Freq\",\"RX Mode\""
                                      << "Orbis"
                                      << ",";
        QTest::newRow("Lumen") << "#,Freq,Mode,Offset"
                               << "Lumen"
                               << ",";
        QTest::newRow("Halyard") << "#;Tag;Freq;Mode"
                                 << "Halyard"
                                 << ";";
        QTest::newRow("Tag Freq other") << "#,Tag,Freq,Tone"
                                        << "Unknown"
                                        << ",";
        QTest::newRow("Brindle short") << "Sequence;Freq"
                                       << "Brindle"
                                       << ";";
        QTest::newRow("CHIRP") << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                  "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE"
                               << "CHIRP"
                               << ",";
        QTest::newRow("CHIRP, older short form") << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                                                    "DtcsCode,Mode,TStep,Skip,Bank,Bank Index"
                                                 << "CHIRP"
                                                 << ",";
        QTest::newRow("CHIRP, columns in another order") << "\"frequency\";\"Mode\";\"LOCATION\""
                                                         << "CHIRP"
                                                         << ";";
        QTest::newRow("Frequency without Location") << "Frequency,Name,Mode"
                                                    << "Quarry"
                                                    << ",";
        QTest::newRow("not a header") << "1,7.00000,LSB"
                                      << "Unknown"
                                      << ",";
        QTest::newRow("empty") << ""
                               << "Unknown"
                               << "";
    }
    void header()
    {
        QFETCH(QString, line);
        QFETCH(QString, source);
        QFETCH(QString, separator);
        const QChar before = ListSeparator();
        QCOMPARE(RecogniseCsvHeader(CleanCsvLine(line, true)), source);
        QCOMPARE(ListSeparator(), separator.isEmpty() ? before : separator.at(0));
    }

    void headerPicksTheLastSeparatorFound()
    {
        // A tab-separated header whose names hold commas splits at tabs.
        QCOMPARE(RecogniseCsvHeader(QStringLiteral("Memory\tRXFreq,x;y")), QStringLiteral("Orbis"));
        QCOMPARE(ListSeparator(), QChar('\t'));
    }

    void tone_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("88") << "88"
                            << "88.0";
        QTest::newRow("88.5") << "88.5"
                              << "88.5";
        QTest::newRow("decimal comma") << "88,5"
                                       << "88.5";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("two decimals") << "88.50"
                                      << "88.50.0";
    }
    void tone()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(NormaliseTone(in), out);
    }

    void loadModes_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("precheck");  // accepted by the pre-check (upper-cased)
        QTest::newRow("radio's own") << "RTYU" << true << "RTYU" << true;
        QTest::newRow("NFM") << "NFM" << true << "FM" << false;
        QTest::newRow("PKT") << "PKT" << true << "FM" << true;
        QTest::newRow("DIG") << "DIG" << true << "LSB" << true;
        QTest::newRow("empty") << "" << true << "" << true;
        QTest::newRow("usru lower case, blanks") << " usru " << true << "USRU" << true;
        QTest::newRow("unknown") << "SSB" << false << "" << false;
    }
    void loadModes()
    {
        QFETCH(QString, field);
        QFETCH(bool, added);
        QFETCH(QString, mode);
        QFETCH(bool, precheck);
        const std::optional<QString> got = ImportedMode(field);
        QCOMPARE(got.has_value(), added);
        if (added)
            QCOMPARE(*got, mode);
        QCOMPARE(IsPrecheckMode(field.trimmed().toUpper()), precheck);
    }

    void encodings_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("recognised");
        QTest::addColumn<bool>("precheck");
        QTest::newRow("enc") << "CTCSS Enc"
                             << "CTCSS Enc" << true << true;
        QTest::newRow("enc+dec lower") << "ctcss enc+dec"
                                       << "CTCSS Enc+Dec" << true << true;
        QTest::newRow("DCS") << "DCS"
                             << "" << false << true;
        QTest::newRow("junk") << "Tone"
                              << "" << false << false;
    }
    void encodings()
    {
        QFETCH(QString, field);
        QFETCH(QString, cell);
        QFETCH(bool, recognised);
        QFETCH(bool, precheck);
        bool ok = !recognised;
        QCOMPARE(ImportedEncoding(field, &ok), cell);
        QCOMPARE(ok, recognised);
        QCOMPARE(IsPrecheckEncoding(field.trimmed().toUpper()), precheck);
    }

    void description_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("plain") << "Local repeater"
                               << "Local repeater";
        QTest::newRow("separators and quotes") << "a,b;c\"d"
                                               << "a b c d";
        QTest::newRow("control characters") << "a\tb\x01"
                                               "c"
                                            << "a b c";
        QTest::newRow("cut to 100") << QString(150, 'x') << QString(100, 'x');
    }
    void description()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(CleanImportedDescription(in), out);
    }

    void descriptionNeverSplitsACharacter()
    {
        // 99 letters and a character outside the basic plane: cutting at 100
        // UTF-16 units would leave half of it.
        const QString emoji = QString::fromUtf8("\xF0\x9F\x93\xBB");
        const QString cut = CleanImportedDescription(QString(99, 'x') + emoji + "tail");
        QCOMPARE(cut, QString(99, 'x'));
        QVERIFY(QString(cut.toUtf8()) == cut);
    }
};

QTEST_GUILESS_MAIN(TestCsvFormat)
#include "tst_csvformat.moc"
