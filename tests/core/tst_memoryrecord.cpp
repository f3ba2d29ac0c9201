// Record decoding and building, and the table operations around them.
#include "DataRows.h"
#include "MemoryRows.h"
#include "ScriptedDialogs.h"
#include "core/MemoryRecord.h"
#include "core/MemoryTable.h"
#include "shell/MessageLog.h"

#include <QtTest>

using namespace mv;
using mv::test::cellsOf;
using mv::test::memoryOf;
using mv::test::pmsCellsOf;

class TestMemoryRecord : public QObject {
    Q_OBJECT

private slots:
    // A record decoded into a row (that held `before`), the cells it then shows and
    // the record it writes back, or why it cannot be written.
    void decode_data()
    {
        QTest::addColumn<int>("cat");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<QStringList>("cells");  // from the frequency on
        QTest::addColumn<QString>("written");
        const QStringList empty{"Empty", "", "", "", "", ""};
        mv::test::row("memory 1", 1, QStringList(), "MR00107000000+000000100000;", true,
                      QStringList{"7.00000", "LSB", "Simplex", "", "67.0", ""}, "MW00107000000+000000100000;");
        mv::test::row("memory rounds to 10 Hz", 9, QStringList(), "MR00914195125+000000B01491;", true,
                      QStringList{"14.19513", "FMN", "Plus", "CTCSS Enc+Dec", "254.1", ""},
                      "MW00914195130+000000B01491;");
        mv::test::row("PMS to the hertz", 504, QStringList(), "MR50414195123+000000200000;", true,
                      QStringList{"14.195123", "USB", "Simplex", "", "67.0"}, "MW50414195123+000000200000;");
        mv::test::row("unknown mode", 3, QStringList(), "MR00307000000+000000A00000;", true,
                      QStringList{"7.00000", "?? ", "Simplex", "", "67.0", ""},
                      "the mode '?? ' is not one the radio knows");
        mv::test::row("unknown shift and encoding", 3, QStringList(), "MR00307000000+000000105003;", true,
                      QStringList{"7.00000", "LSB", "??", "??", "67.0", ""}, "MW00307000000+000000100000;");
        mv::test::row("tone out of range: decoded fields stay", 2, QStringList{"7.00000", "", "", "", "88.5", "d"},
                      "MR00214500000+000000400501;", false, QStringList{"14.50000", "FM", "Plus", "", "88.5", "d"},
                      "MW00214500000+000000400081;");
        mv::test::row("cut after the frequency", 4, QStringList(), "MR00407000000+0000", false,
                      QStringList{"7.00000", "", "", "", "", ""}, "the mode '' is not one the radio knows");
        mv::test::row("too short", 4, QStringList(), "MR004", false, empty, "the memory is empty");
        mv::test::row("frequency not digits", 4, QStringList(), "MR004ABCDEFGH+000000100000;", false, empty,
                      "the memory is empty");
        mv::test::row("no such memory", 505, QStringList(), "MR50507000000+000000100000;", false, QStringList(),
                      "no such memory");
    }
    void decode()
    {
        QFETCH(int, cat);
        QFETCH(QStringList, before);
        QFETCH(QString, record);
        QFETCH(bool, whole);
        QFETCH(QStringList, cells);
        QFETCH(QString, written);
        MemoryTable t;
        MessageLog log;
        log.setLoggingEnabled(true);
        if (!before.isEmpty())
            t.setByCatNumber(cat, memoryOf(before));
        QCOMPARE(FillMemory(t, cat, record, &log), whole);
        QCOMPARE(log.text().contains("of procedure FillMemory of Module General"), !whole);
        if (cat <= MemoryTable::kMemoryCount)
            QCOMPARE(cellsOf(t, cat).mid(1), cells);
        else if (cat <= kLastCat)
            QCOMPARE(pmsCellsOf(t, cat - MemoryTable::kMemoryCount).mid(1), cells);
        const QString problem = RecordProblem(t, cat);
        QCOMPARE(problem.isEmpty() ? BuildMemoryWrite(t, cat) : problem, written);
    }

    void build_data()
    {
        QTest::addColumn<int>("cat");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("record");
        mv::test::row("blank choices", 500, QStringList{"51.00000", "FMN", "", " ", ""}, "MW50051000000+000000B00000;");
        mv::test::row("beyond eight digits", 7, QStringList{"100.00000", "FM", "Simplex", "", "67.0"},
                      "MW00700000000+000000400000;");
    }
    void build()
    {
        QFETCH(int, cat);
        QFETCH(QStringList, cells);
        QFETCH(QString, record);
        MemoryTable t;
        t.setByCatNumber(cat, memoryOf(cells));
        QCOMPARE(RecordProblem(t, cat), QString());
        QCOMPARE(BuildMemoryWrite(t, cat), record);
    }

    void addMemory()
    {
        MemoryTable t;
        MessageLog log;
        mv::test::ScriptedDialogs d;
        const Memory values = memoryOf({"Empty", "FM", "Plus", "CTCSS Enc", "67.0", QString(150, 'x')});
        QVERIFY(!t.AddMemory(0, "7", values, &log, &d));
        QVERIFY(log.text().startsWith("Requested memory number of  0 is too high - the memory was not added"));
        QVERIFY(!t.AddMemory(501, "7", values, &log, &d));
        QVERIFY(log.text().contains("Requested memory number of  501 is too high"));
        QVERIFY(t.AddMemory(5, " 51.6", values, &log, &d));
        QCOMPARE(cellsOf(t, 5), QStringList({"5", "51.60000", "FM", "Plus", "CTCSS Enc", "67.0", QString(100, 'x')}));
        // A failing frequency leaves the row as it was, and says why.
        QVERIFY(!t.AddMemory(7, "99.0", values, &log, &d));
        QVERIFY(t.isEmpty(7));
        QCOMPARE(d.texts(), QStringList{"Frequency is outside the range of the radio"});
    }
};

QTEST_GUILESS_MAIN(TestMemoryRecord)
#include "tst_memoryrecord.moc"
