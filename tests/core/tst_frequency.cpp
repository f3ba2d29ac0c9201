// Frequency parsing, validation and number patterns under "." and "," locales.
#include "LocaleCases.h"
#include "ScriptedDialogs.h"
#include "core/Frequency.h"
#include "core/NumberText.h"

#include <QLocale>
#include <QtTest>

using namespace mv;
using mv::test::mark;
using mv::test::ScriptedDialogs;

class TestFrequency : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES()

    void separators()
    {
        QFETCH_GLOBAL(QString, locale);
        QCOMPARE(DecimalSeparator(), locale == "en_GB" ? QChar('.') : QChar(','));
        QCOMPARE(ListSeparator(), locale == "en_GB" ? QChar(',') : QChar(';'));
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("14.195") << "14.195" << 1419500;
        QTest::newRow("digits dropped") << "14.1951234" << 1419512;
        QTest::newRow("whole") << "144" << 14400000;
        QTest::newRow("leading mark") << ".5" << 50000;
        QTest::newRow("blanks") << "  7.1  " << 710000;
        QTest::newRow("four decimals") << "0.0300" << 3000;
        QTest::newRow("letters") << "abc" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        ScriptedDialogs d;
        QCOMPARE(ParseFrequency(mark(text), "Quiet", &d), expected);
        QVERIFY(d.boxes.isEmpty());
    }

    void notNumericBox()
    {
        ScriptedDialogs d;
        QCOMPARE(ParseFrequency("x1", "", &d), -1);
        QCOMPARE(d.texts(), QStringList{"Not a numeric value"});
        QCOMPARE(d.boxes[0].icon, Icon::Exclamation);
    }

    void overflowAlwaysShown()
    {
        ScriptedDialogs d;
        QCOMPARE(ParseFrequency("99999", "Quiet", &d), -1);
        QCOMPARE(d.texts(), QStringList{"Error converting from string 99999"});
    }

    void validate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("result");
        QTest::newRow("blank") << "" << true << "7.00000";
        QTest::newRow("Empty") << "Empty" << true << "7.00000";
        QTest::newRow("low edge") << "0.03" << true << "0.03000";
        QTest::newRow("high edge") << "56" << true << "56.00000";
        QTest::newRow("below") << "0.02999" << false << "";
        QTest::newRow("above") << "56.00001" << false << "";
    }
    void validate()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QString, result);
        ScriptedDialogs d;
        QString t = mark(text);
        QCOMPARE(ValidateFrequency(t, "", &d), ok);
        if (ok) {
            QCOMPARE(t, mark(result));
            QVERIFY(d.boxes.isEmpty());
        } else {
            QCOMPARE(d.texts(), QStringList{"Frequency is outside the range of the radio"});
            ScriptedDialogs quiet;
            QString t2 = mark(text);
            QVERIFY(!ValidateFrequency(t2, "N", &quiet));
            QVERIFY(quiet.boxes.isEmpty());
        }
    }

    void patterns_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("#0.000000") << qint64(14195123) << 6 << "#0.000000"
                                   << "14.195123";
        QTest::newRow("##.00000 no zero") << qint64(60000) << 5 << "##.00000"
                                          << ".60000";
        QTest::newRow("000") << qint64(7) << 0 << "000"
                             << "007";
        QTest::newRow("rounding") << qint64(7000005) << 6 << "##0.00000"
                                  << "7.00001";
        QTest::newRow("#.0") << qint64(11) << 1 << "#.0"
                             << "1.1";
    }
    void patterns()
    {
        QFETCH(qint64, value);
        QFETCH(int, scale);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(FormatScaled(value, scale, pattern), mark(expected));
    }

    void signedText()
    {
        QCOMPARE(SignedText(12), QString(" 12"));
        QCOMPARE(SignedText(-3), QString("-3"));
    }
};

QTEST_GUILESS_MAIN(TestFrequency)
#include "tst_frequency.moc"
