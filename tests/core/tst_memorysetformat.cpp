// The memory set format without a window: reading damaged and refused files,
// descriptions, round trips (saves that fail part-way: tst_memorydocument).
#include "DataRows.h"
#include "LocaleCases.h"
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/MemoryRecord.h"
#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"
#include "shell/MessageLog.h"
#include "shell/SafeSave.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace mv;
using namespace mv::test;

namespace {

// Both row sets, for whole-table comparisons.
bool sameRows(const MemoryTable &a, const MemoryTable &b)
{
    for (int k = 1; k <= MemoryTable::kPmsCount; ++k)
        if (!(a.pms(k) == b.pms(k)))
            return false;
    return a.memoryRows() == b.memoryRows();
}

}  // namespace

class TestMemorySetFormat : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES("en_US", "de_DE")

    // Damaged lines are ignored and counted once; a memory set twice keeps one
    // whole row, never a mix (those rows log with tracing on).
    void damagedFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("second");  // of two lines for memory 14, written as dup.450
        QTest::addColumn<QStringList>("saved");  // what saving the table writes; one entry: only the count
        QTest::addColumn<QString>("logText");  // with tracing: text the log holds
        // Line 000, 505, a non-numeric number, a short record, a letter in the
        // frequency, tone 50 and an over-long line.
        row("damaged lines", QString("files-damaged.450"), QByteArray(), QStringList{"2"},
            QString("Loading files-damaged.450 ignored 7 lines that could not be read\r\n"));
        row("cut in the last record", QString("files-truncated.450"), QByteArray(), QStringList{"3"},
            QString("Loading files-truncated.450 ignored 1 line that could not be read\r\n"));
        row("LF line ends", QString("files-lf-only.450"), QByteArray(), QStringList{"3"}, QString());
        row("damaged second line changes nothing", QString(), QByteArray("MR01421000000+000000401501;"),
            QStringList{"MW01429620000+000000401082;"}, QString("Error  9 (Subscript out of range) in line  6"));
        row("intact second line wins", QString(), QByteArray("MR01421000000+000000401321;"),
            QStringList{"MW01421000000+000000401321;"},
            QString("Line 2 of dup.450 sets Memory 14 again - it replaces line 1"));
    }
    void damagedFiles()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, second);
        QFETCH(QStringList, saved);
        QFETCH(QString, logText);
        MemoryTable tab;
        MessageLog log;
        QTemporaryDir dir;
        QString path = testDataPath(file);
        if (file.isEmpty()) {
            log.setLoggingEnabled(true);
            path = dir.filePath("dup.450");
            QVERIFY(writeBytes(path, "MR01429620000+000000401082;\r\n" + second + "\r\n"));
        }
        QString error;
        QVERIFY(readMemorySet(path, tab, &log, &error));
        if (file.isEmpty()) {
            QCOMPARE(MemoryFileLines(tab), saved);
            QVERIFY2(log.text().contains(logText), qPrintable(log.text()));
        } else {
            QCOMPARE(MemoryFileLines(tab).size(), saved[0].toInt());
            QCOMPARE(log.text(), logText);
        }
    }

    // Bytes of a file and the lines read from it (memory sets, descriptions and
    // CSV imports are read alike; UTF-8, Latin-1 and CR LF: the CSV and sample
    // files).
    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("bom dropped") << QByteArray("\xEF\xBB\xBFMemory") << QStringList{"Memory"};
        QTest::newRow("broken utf-8 read as latin-1") << QByteArray("\xC3") << QStringList{QString::fromUtf8("Ã")};
        QTest::newRow("cr") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("blank line kept") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("empty") << QByteArray() << QStringList{};
    }
    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitLines(DecodeText(bytes)), lines);
    }

    void refusedFilesLeaveTheTableAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");  // %1: the path
        // A FIFO is not read: it would block until something writes to it.
        row("FIFO", QString("FIFO"),
            QString("File %1 cannot be opened: it is not a regular file (a FIFO, socket or device)"));
        row("over 1 MiB", QString("over 1 MiB"), QString("File %1 cannot be loaded: it is larger than 1 MiB."));
        row("missing", QString("missing"), QString("Filename %1 does not exist"));
    }
    void refusedFilesLeaveTheTableAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.450");
        if (kind == "FIFO") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "over 1 MiB") {
            QByteArray big;
            while (big.size() <= kMaxMemorySetFileSize)
                big += "MR00107000000+000000100000;\r\n";
            QVERIFY(writeBytes(path, big));
        }
        MemoryTable tab, before;
        tab.setMemory(42, memoryOf({mark("50.12500"), "FM", "Simplex", "", "67.0", "keep me"}));
        before.setMemory(42, tab.memory(42));
        QString text;
        QVERIFY(!readMemorySet(path, tab, nullptr, &text));
        QCOMPARE(text, error.arg(path));
        QVERIFY(sameRows(tab, before));
    }

    void descriptionFileProblems_data()
    {
        QTest::addColumn<QByteArray>("dsc");  // empty: no description file
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("logText");
        row("none", QByteArray(), QString(), 3450, QString());
        row("short", QByteArray("0,\"2000\"\r\n1,\"first\"\r\n"), QString("first"), 2000, QString());
        row("binary", QByteArray("0,\"2000\"\r\n1,\"a\0b\"\r\n", 19), QString(), 3450, QString("holds binary data"));
    }
    void descriptionFileProblems()
    {
        QFETCH(QByteArray, dsc);
        QFETCH(QString, first);
        QFETCH(int, width);
        QFETCH(QString, logText);
        QTemporaryDir dir;
        const QString path = dir.filePath("set.450");
        QVERIFY(writeBytes(path, "MR00107000000+000000100000;\r\nMR00214074000+000000200000;\r\n"));
        if (!dsc.isEmpty())
            QVERIFY(writeBytes(path + "dsc", dsc));
        MemoryTable tab;
        MessageLog log;
        QString error;
        int readWidth = 0;
        // The memory file loads whatever the description file holds.
        QVERIFY(readMemorySet(path, tab, &log, &error, &readWidth));
        QCOMPARE(cellOf(tab, 2, 1), mark("14.07400"));
        QCOMPARE(cellOf(tab, 1, 6), first);
        QCOMPARE(readWidth, width);
        QVERIFY2(logText.isEmpty() ? log.text().isEmpty() : log.text().contains(logText), qPrintable(log.text()));
    }

    void roundTripKeepsEveryCellAndByte()
    {
        MemoryTable a;
        QString error;
        int width = 0;
        QVERIFY(readMemorySet(testDataPath("sample.450"), a, nullptr, &error, &width));
        QCOMPARE(a.usedMemoryCount(), 44);

        QTemporaryDir dir;
        const QString copy = dir.filePath("copy.450");
        QList<int> skipped;
        QVERIFY(writeMemorySet(copy, a, 3450, &error, &skipped));
        QVERIFY(skipped.isEmpty());
        // The sample was itself saved by the program: the bytes come back unchanged.
        QCOMPARE(readBytes(copy), readBytes(testDataPath("sample.450")));
        QCOMPARE(readBytes(copy + "dsc"), readBytes(testDataPath("sample.450dsc")));
        QVERIFY(writeMemorySet(copy, a, 2900, &error));
        MemoryTable b;
        QVERIFY(readMemorySet(copy, b, nullptr, &error, &width));
        QCOMPARE(width, 2900);
        QVERIFY(sameRows(b, a));
    }

    void heldLockStopsASecondSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("set.450");
        QVERIFY(writeBytes(path, "old"));
        QLockFile other(SaveLockPathFor(path));
        QVERIFY(other.tryLock(0));
        const SaveError e = SaveFilesTogether({{path, "new"}, {path + "dsc", "new"}}, SaveLockPathFor(path), 0);
        QCOMPARE(int(e.kind), int(SaveErrorKind::Busy));
        QVERIFY(e.text().startsWith(path + ": another save of these files is in progress"));
        QCOMPARE(readBytes(path), QByteArray("old"));
        QVERIFY(!QFile::exists(path + "dsc"));
    }

    void rowsThatCannotBeRecordsAreLeftOut()
    {
        MemoryTable tab;
        // An unknown mode code, a record cut after its frequency, a frequency
        // that eight Hz digits cannot carry, a PMS row with an unknown mode.
        FillMemory(tab, 5, "MR00514074000+000000A00000;", nullptr);
        FillMemory(tab, 9, "MR00929620000+0000", nullptr);
        tab.setMemory(3, memoryOf({mark("7.07400"), "USB"}));
        tab.setMemory(4, memoryOf({mark("123.45600"), "USB"}));
        mv::test::setPmsCellText(tab, 1, 1, mark("14.000000"));
        mv::test::setPmsCellText(tab, 1, 2, "?? ");
        QList<int> skipped;
        QCOMPARE(MemoryFileLines(tab, &skipped), QStringList{"MW00307074000+000000200000;"});
        QCOMPARE(skipped, QList<int>({4, 5, 9, 501}));
        QVERIFY(RowSaveProblem(tab, 4).contains("does not fit"));
    }
};

QTEST_GUILESS_MAIN(TestMemorySetFormat)
#include "tst_memorysetformat.moc"
