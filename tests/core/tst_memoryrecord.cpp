// Record decoding and building, and the table operations around them.
#include "LocaleCases.h"
#include "ScriptedDialogs.h"
#include "core/MemoryRecord.h"
#include "core/MemoryTable.h"
#include "core/NumberText.h"
#include "shell/MessageLog.h"

#include <QLocale>
#include <QSignalSpy>
#include <QtTest>

using namespace mv;
using mv::test::mark;

class TestMemoryRecord : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES("en_US", "fr_FR")

    void decodeExample()
    {
        MemoryTable t;
        MessageLog log;
        QVERIFY(FillMemory(t, 1, "MR00107000000+000000100000;", &log));
        QCOMPARE(t.cell(1, 1), mark("7.00000"));
        QCOMPARE(t.cell(1, 2), QString("LSB"));
        QCOMPARE(t.cell(1, 3), QString("Simplex"));
        QCOMPARE(t.cell(1, 4), QString(""));
        QCOMPARE(t.cell(1, 5), QString("67.0"));
        QCOMPARE(BuildMemoryWrite(t, 1), QString("MW00107000000+000000100000;"));
    }

    void decodePms()
    {
        MemoryTable t;
        QVERIFY(FillMemory(t, 501, "MR00107000000+000000100000;", nullptr));
        QCOMPARE(t.pmsCell(1, 1), mark("7.000000"));
        QVERIFY(FillMemory(t, 504, "MR50414195123+000000200000;", nullptr));
        QCOMPARE(t.pmsCell(4, 1), mark("14.195123"));
        QCOMPARE(BuildMemoryWrite(t, 504), QString("MW50414195123+000000200000;"));
    }

    void unknownCodes_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("mode A") << "MR00107000000+000000A00000;" << 2 << "?? ";
        QTest::newRow("shift 3") << "MR00107000000+000000100003;" << 3 << "??";
        QTest::newRow("encoding 5") << "MR00107000000+000000105000;" << 4 << "??";
    }
    void unknownCodes()
    {
        QFETCH(QString, record);
        QFETCH(int, column);
        QFETCH(QString, text);
        MemoryTable t;
        FillMemory(t, 3, record, nullptr);
        QCOMPARE(t.cell(3, column), text);
        QVERIFY(!RecordProblem(t, 3).isEmpty() || column != 2);
    }

    void toneOutOfRange()
    {
        MemoryTable t;
        MessageLog log;
        log.setLoggingEnabled(true);
        t.setCell(2, 5, "88.5");
        QVERIFY(!FillMemory(t, 2, "MR00214500000+000000400501;", &log));
        QCOMPARE(t.cell(2, 1), mark("14.50000"));
        QCOMPARE(t.cell(2, 2), QString("FM"));
        QCOMPARE(t.cell(2, 3), QString("Plus"));
        QCOMPARE(t.cell(2, 4), QString(""));
        QCOMPARE(t.cell(2, 5), QString("88.5"));
        QVERIFY(log.text().contains("of procedure FillMemory of Module General"));
    }

    void shortAndGarbage()
    {
        MemoryTable t;
        QVERIFY(!FillMemory(t, 4, "MR004", nullptr));
        QVERIFY(t.isEmpty(4));
        QVERIFY(!FillMemory(t, 4, "MR004ABCDEFGH+000000100000;", nullptr));
        QVERIFY(t.isEmpty(4));
        QVERIFY(!FillMemory(t, 505, "MR50507000000+000000100000;", nullptr));
    }

    void build_data()
    {
        QTest::addColumn<int>("cat");
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("shift");
        QTest::addColumn<QString>("enc");
        QTest::addColumn<QString>("tone");
        QTest::addColumn<QString>("record");
        QTest::newRow("memory 12") << 12 << "29.62000"
                                   << "FM"
                                   << "Minus"
                                   << "CTCSS Enc"
                                   << "88.5"
                                   << "MW01229620000+000000402082;";
        QTest::newRow("P2U") << 504 << "28.000000"
                             << "USB"
                             << "Simplex"
                             << ""
                             << "67.0"
                             << "MW50428000000+000000200000;";
        QTest::newRow("FMN enc+dec plus") << 500 << "51.00000"
                                          << "FMN"
                                          << "Plus"
                                          << "CTCSS Enc+Dec"
                                          << "254.1"
                                          << "MW50051000000+000000B01491;";
    }
    void build()
    {
        QFETCH(int, cat);
        QFETCH(QString, freq);
        QFETCH(QString, mode);
        QFETCH(QString, shift);
        QFETCH(QString, enc);
        QFETCH(QString, tone);
        QFETCH(QString, record);
        MemoryTable t;
        const QString f = mark(freq);
        t.setCatCell(cat, 1, f);
        t.setCatCell(cat, 2, mode);
        t.setCatCell(cat, 3, shift);
        t.setCatCell(cat, 4, enc);
        t.setCatCell(cat, 5, tone);
        QCOMPARE(RecordProblem(t, cat), QString());
        QCOMPARE(BuildMemoryWrite(t, cat), record);
        QCOMPARE(BuildMemoryWrite(t, cat).size(), kRecordLength);
    }

    void unencodableRows()
    {
        MemoryTable t;
        QVERIFY(!RecordProblem(t, 1).isEmpty());  // empty
        t.setCell(1, 1, mark("7.00000"));
        t.setCell(1, 2, "?? ");
        QVERIFY(RecordProblem(t, 1).contains("mode"));
        t.setCell(1, 2, "LSB");
        t.setCell(1, 5, "66.0");
        QVERIFY(RecordProblem(t, 1).contains("tone"));
    }

    void addMemory()
    {
        MemoryTable t;
        MessageLog log;
        mv::test::ScriptedDialogs d;
        QVERIFY(!t.AddMemory(0, "7", "", "", "", "", "", &log, &d));
        QVERIFY(log.text().startsWith("Requested memory number of  0 is too high - the memory was not added"));
        QVERIFY(!t.AddMemory(501, "7", "", "", "", "", "", &log, &d));
        QVERIFY(log.text().contains("Requested memory number of  501 is too high"));
        QVERIFY(t.AddMemory(5, mark("51.6"), "fm", "plus", "ctcss enc", "", QString(150, 'x'), &log, &d));
        QCOMPARE(t.cell(5, 1), mark("51.60000"));
        QCOMPARE(t.cell(5, 2), QString("FM"));
        QCOMPARE(t.cell(5, 3), QString("Plus"));
        QCOMPARE(t.cell(5, 4), QString("CTCSS Enc"));
        QCOMPARE(t.cell(5, 5), QString("67.0"));
        QCOMPARE(t.cell(5, 6).size(), 100);
        QVERIFY(t.AddMemory(6, mark("7.1"), "", "", "", "", "", &log, &d));
        QCOMPARE(t.cell(6, 2), QString("FM"));
        QCOMPARE(t.cell(6, 3), QString("Simplex"));
        QCOMPARE(t.cell(6, 4), QString(" "));
        // A failing frequency leaves the row as it was.
        QVERIFY(!t.AddMemory(7, mark("99.0"), "USB", "", "", "", "d", &log, &d));
        QVERIFY(t.isEmpty(7));
        QCOMPARE(t.cell(7, 2), QString());
    }

    void clearAll()
    {
        MemoryTable t;
        t.setCell(10, 1, "1.00000");
        t.setPmsCell(2, 1, "1.000000");
        QSignalSpy spy(&t, &MemoryTable::memoryRowsChanged);
        t.ClearAllMemories();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(t.cell(10, 0), QString("10"));
        QVERIFY(t.isEmpty(10));
        QVERIFY(t.cell(10, 2).isEmpty());
        QCOMPARE(t.pmsCell(2, 0), QString("P1U"));
        QVERIFY(t.isPmsEmpty(2));
        QCOMPARE(t.usedMemoryCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMemoryRecord)
#include "tst_memoryrecord.moc"
