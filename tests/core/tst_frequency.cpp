// Frequency parsing, validation and number patterns under "." and "," locales.
#include "DataRows.h"
#include "LocaleCases.h"
#include "ScriptedDialogs.h"
#include "core/Frequency.h"
#include "core/NumberText.h"

#include <QtTest>

using namespace mv;
using mv::test::mark;
using mv::test::ScriptedDialogs;

class TestFrequency : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES()

    // Parsing (kind 0) and the range check (kind 1), with their boxes shown or not.
    void parse_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<int>("expected");  // -1: no frequency
        QTest::addColumn<QString>("box");
        mv::test::row("14.195", 0, "14.195", true, 1419500, "");
        mv::test::row("digits dropped", 0, "14.1951234", true, 1419512, "");
        mv::test::row("whole", 0, "144", true, 14400000, "");
        mv::test::row("leading mark", 0, ".5", true, 50000, "");
        mv::test::row("blanks", 0, "  7.1  ", true, 710000, "");
        mv::test::row("letters, quiet", 0, "abc", true, -1, "");
        mv::test::row("letters", 0, "x1", false, -1, "Not a numeric value");
        mv::test::row("overflow shown even quiet", 0, "99999", true, -1, "Error converting from string 99999");
        mv::test::row("check: blank", 1, "", false, 700000, "");
        mv::test::row("check: Empty", 1, "Empty", false, 700000, "");
        mv::test::row("check: low edge", 1, "0.03", false, 3000, "");
        mv::test::row("check: high edge", 1, "56", false, 5600000, "");
        mv::test::row("check: above", 1, "56.00001", false, -1, "Frequency is outside the range of the radio");
        mv::test::row("check: above, quiet", 1, "56.00001", true, -1, "");
    }
    void parse()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(bool, quiet);
        QFETCH(int, expected);
        QFETCH(QString, box);
        ScriptedDialogs d;
        const Boxes boxes = quiet ? Boxes::Quiet : Boxes::Show;
        const std::optional<qint32> f
            = kind == 0 ? ParseFrequency(mark(text), boxes, &d) : ValidateFrequency(mark(text), boxes, &d);
        QCOMPARE(f.value_or(-1), expected);
        QCOMPARE(d.texts(), box.isEmpty() ? QStringList() : QStringList{box});
    }

    void patterns_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        mv::test::row("#0.000000", qint64(14195123), 6, "#0.000000", "14.195123");
        mv::test::row("##.00000 no zero", qint64(60000), 5, "##.00000", ".60000");
        mv::test::row("000", qint64(7), 0, "000", "007");
        mv::test::row("rounding", qint64(7000005), 6, "##0.00000", "7.00001");
    }
    void patterns()
    {
        QFETCH(qint64, value);
        QFETCH(int, scale);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(FormatScaled(value, scale, pattern), mark(expected));
    }
};

QTEST_GUILESS_MAIN(TestFrequency)
#include "tst_frequency.moc"
