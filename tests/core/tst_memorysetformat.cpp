// The memory set format without a window: reading damaged and refused files,
// descriptions, round trips (saves that fail part-way: tst_memorydocument).
#include "LocaleCases.h"
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/MemoryRecord.h"
#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"
#include "shell/MessageLog.h"
#include "shell/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace mv;
using namespace mv::test;

namespace {

// Every cell of both row sets, for whole-table comparisons.
QStringList allCells(const MemoryTable &t)
{
    QStringList out;
    for (int n = 1; n <= MemoryTable::kMemoryCount; ++n)
        for (int c = 0; c < MemoryTable::kColumnCount; ++c)
            out << mv::test::cellOf(t, n, c);
    for (int k = 1; k <= MemoryTable::kPmsCount; ++k)
        for (int c = 0; c < MemoryTable::kPmsColumnCount; ++c)
            out << mv::test::pmsCellOf(t, k, c);
    return out;
}

}  // namespace

class TestMemorySetFormat : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES("en_US", "de_DE")

    void twoLinesForOneMemory_data()
    {
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QString>("saved");  // what saving memory 14 writes: the whole row, not a mix
        QTest::addColumn<QString>("trace");
        QTest::newRow("damaged second line changes nothing")
            << QByteArray("MR01421000000+000000401501;") << "MW01429620000+000000401082;"
            << "Error  9 (Subscript out of range) in line  6";
        QTest::newRow("intact second line wins")
            << QByteArray("MR01421000000+000000401321;") << "MW01421000000+000000401321;"
            << "Line 2 of dup.450 sets Memory 14 again - it replaces line 1";
    }
    void twoLinesForOneMemory()
    {
        QFETCH(QByteArray, second);
        QFETCH(QString, saved);
        QFETCH(QString, trace);
        MemoryTable tab;
        MessageLog log;
        log.setLoggingEnabled(true);
        QTemporaryDir dir;
        const QString path = dir.filePath("dup.450");
        QVERIFY(writeBytes(path, "MR01429620000+000000401082;\r\n" + second + "\r\n"));
        QString error;
        QVERIFY(readMemorySet(path, tab, &log, &error));
        QCOMPARE(MemoryFileLines(tab), QStringList{saved});
        QVERIFY2(log.text().contains(trace), qPrintable(log.text()));
    }

    void damagedFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("records");  // what saving the table writes
        QTest::addColumn<QString>("logText");
        // Line 000, 505, a non-numeric number, a short record, a letter in the
        // frequency, tone 50 and an over-long line are ignored, and counted once.
        QTest::newRow("damaged lines") << "files-damaged.450" << 2
                                       << "Loading files-damaged.450 ignored 7 lines that could not be read\r\n";
        QTest::newRow("cut in the last record")
            << "files-truncated.450" << 3 << "Loading files-truncated.450 ignored 1 line that could not be read\r\n";
        QTest::newRow("LF line ends") << "files-lf-only.450" << 3 << "";
    }
    void damagedFiles()
    {
        QFETCH(QString, file);
        QFETCH(int, records);
        QFETCH(QString, logText);
        MemoryTable tab;
        MessageLog log;
        QString error;
        QVERIFY(readMemorySet(testDataPath(file), tab, &log, &error));
        QCOMPARE(MemoryFileLines(tab).size(), records);
        QCOMPARE(log.text(), logText);
    }

    void refusedFilesLeaveTheTableAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");  // %1: the path
        auto row = [](const char *kind, const char *error) { QTest::newRow(kind) << QString(kind) << QString(error); };
        row("missing", "Filename %1 does not exist");
        // A FIFO is not read: it would block until something writes to it.
        row("FIFO", "File %1 cannot be opened: it is not a regular file (a FIFO, socket or device)");
        row("over 1 MiB", "File %1 cannot be loaded: it is larger than 1 MiB.");
    }
    void refusedFilesLeaveTheTableAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.450");
        // Folders and NUL bytes: tst_memorydocument.
        if (kind == "FIFO") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "over 1 MiB") {
            QByteArray big;
            while (big.size() <= kMaxMemorySetFileSize)
                big += "MR00107000000+000000100000;\r\n";
            QVERIFY(writeBytes(path, big));
        }
        MemoryTable tab;
        mv::test::setCellText(tab, 42, 1, mark("50.12500"));
        mv::test::setCellText(tab, 42, 6, "keep me");
        const QStringList before = allCells(tab);
        QString text;
        QVERIFY(!readMemorySet(path, tab, nullptr, &text));
        QCOMPARE(text, error.arg(path));
        QCOMPARE(allCells(tab), before);
    }

    void descriptionsAreReadTolerantly()
    {
        MemoryTable tab;
        mv::test::setCellText(tab, 6, 6, "six stays");
        mv::test::setCellText(tab, 7, 6, "seven stays");
        const DescriptionSet set = ParseDescriptions(ReadMemorySetFile(testDataPath("files-odd.450dsc")).lines);
        // "wide" is no width.
        QVERIFY(set.hasWidthRecord);
        QVERIFY(!set.widthValid);
        ApplyDescriptions(tab, set);
        QStringList texts;
        for (int n = 1; n <= 7; ++n)
            texts << mv::test::cellOf(tab, n, 6);
        // Reading stops at the line without a second item.
        QCOMPARE(texts, QStringList({"has   semicolon  comma", "unquoted text here", "unterminated", "",
                                     QString("0123456789").repeated(10), "six stays", "seven stays"}));
    }

    void descriptionFileProblems_data()
    {
        QTest::addColumn<QByteArray>("dsc");  // empty: no description file
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("logText");
        QTest::newRow("none") << QByteArray() << "" << 3450 << "";
        QTest::newRow("short") << QByteArray("0,\"2000\"\r\n1,\"first\"\r\n") << "first" << 2000 << "";
        QTest::newRow("binary") << QByteArray("0,\"2000\"\r\n1,\"a\0b\"\r\n", 19) << "" << 3450 << "holds binary data";
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
        QCOMPARE(mv::test::cellOf(tab, 2, 1), mark("14.07400"));
        QCOMPARE(mv::test::cellOf(tab, 1, 6), first);
        QCOMPARE(mv::test::cellOf(tab, 2, 6), QString(""));
        QCOMPARE(readWidth, width);
        QVERIFY2(logText.isEmpty() ? log.text().isEmpty() : log.text().contains(logText), qPrintable(log.text()));
    }

    void roundTripKeepsEveryCellAndByte()
    {
        MemoryTable a;
        QString error;
        int width = 0;
        QVERIFY(readMemorySet(testDataPath("sample.450"), a, nullptr, &error, &width));
        QCOMPARE(width, 3450);
        QCOMPARE(a.usedMemoryCount(), 44);
        QCOMPARE(mv::test::cellOf(a, 28, 6), QString("10 m repeater 29.620 out 29.520 in"));

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
        QCOMPARE(allCells(b), allCells(a));
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
        // A record with an unknown mode code, one cut after its frequency, a
        // frequency that eight Hz digits cannot carry.
        FillMemory(tab, 5, "MR00514074000+000000A00000;", nullptr);
        mv::test::setCellText(tab, 3, 1, mark("7.07400"));
        mv::test::setCellText(tab, 3, 2, "USB");
        mv::test::setCellText(tab, 4, 1, mark("123.45600"));
        mv::test::setCellText(tab, 4, 2, "USB");
        mv::test::setCellText(tab, 9, 1, mark("29.62000"));
        FillMemory(tab, 9, "MR00929620000+0000", nullptr);
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
