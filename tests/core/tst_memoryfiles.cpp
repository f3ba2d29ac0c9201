// Memory sets on disk: load, save, descriptions, the initial file, and what
// happens with damaged files and with folders that refuse to be written.
#include "LocaleCases.h"
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/MemoryFiles.h"
#include "core/MemoryRecord.h"
#include "core/NumberText.h"
#include "shell/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace mv;
using namespace mv::test;

namespace {

FileChoice chosen(const QString &path) { return FileChoice{false, path}; }

// Every cell of both row sets, for whole-table comparisons.
QStringList allCells(const MemoryTable &t)
{
    QStringList out;
    for (int n = 1; n <= MemoryTable::kMemoryCount; ++n)
        for (int c = 0; c < MemoryTable::kColumnCount; ++c)
            out << cellOf(t, n, c);
    for (int k = 1; k <= MemoryTable::kPmsCount; ++k)
        for (int c = 0; c < MemoryTable::kPmsColumnCount; ++c)
            out << pmsCellOf(t, k, c);
    return out;
}

}  // namespace

Q_DECLARE_METATYPE(mv::Answer)

class TestMemoryFiles : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES("en_US", "de_DE")

    // --- loading ---------------------------------------------------------

    void loadSingleRadioRecord()
    {
        TestContext t;
        t.state.CopiedFirst = 3;
        t.state.CopiedLast = 5;
        t.state.ClipboardHasMemories = true;
        t.state.RadioReadComplete = true;
        t.dialogs.files.enqueue(chosen(testDataPath("files-one-record.450")));
        QVERIFY(LoadMemoryFile(t.ctx));

        const MemoryTable &tab = t.state.table;
        // The record's fields are checked in tst_memoryrecord.
        QCOMPARE(cellOf(tab, 1, 1), mark("7.00000"));
        QCOMPARE(tab.usedMemoryCount(), 1);
        for (int k = 1; k <= 4; ++k)
            QVERIFY(tab.isPmsEmpty(k));

        QCOMPARE(t.state.DataSource, 2);
        QVERIFY(!t.state.MemoriesChanged);
        QVERIFY(t.state.FileLoadComplete);
        QVERIFY(!t.state.RadioReadComplete);
        QCOMPARE(t.state.CopiedFirst, 0);
        QVERIFY(!t.state.ClipboardHasMemories);
        QVERIFY(!t.view.pasteEnabled);
        const QString full = QDir::toNativeSeparators(testDataPath("files-one-record.450"));
        QCOMPARE(QFileInfo(t.state.CurrentFilePath), QFileInfo(full));
        QCOMPARE(QFileInfo(t.settings->get<Setting::LastOpened>()), QFileInfo(full));
        QCOMPARE(t.view.status[0], QString(" files-one-record.450"));
        QVERIFY(t.dialogs.boxes.isEmpty());

        // The open dialog: filter list, first filter, start folder.
        QCOMPARE(t.dialogs.fileRequests.size(), 1);
        QCOMPARE(t.dialogs.fileRequests[0].filter,
                 QString("Memories Files (*.450)|*.450|Description Files (*.450dsc)|*.450dsc|All Files (*.*)|*.*"));
    }

    void missingFile_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("picked in the dialog") << false;
        QTest::newRow("automatic at start-up") << true;
    }
    void missingFile()
    {
        QFETCH(bool, automatic);
        TestContext t;
        QTemporaryDir dir;
        setCellText(t.state.table, 9, 1, mark("14.07400"));
        const QString path = dir.filePath("gone.450");
        if (automatic)
            t.state.AutoOpenPath = path;
        else
            t.dialogs.files.enqueue(chosen(path));
        QVERIFY(!LoadMemoryFile(t.ctx));
        QVERIFY(t.state.AutoOpenPath.isEmpty());
        QCOMPARE(cellOf(t.state.table, 9, 1), mark("14.07400"));
        QCOMPARE(t.state.DataSource, 0);
        if (automatic) {
            QVERIFY(t.dialogs.boxes.isEmpty());
            QVERIFY(t.dialogs.fileRequests.isEmpty());
        } else {
            QCOMPARE(t.dialogs.texts(), QStringList{"Filename " + path + " does not exist"});
            QCOMPARE(t.dialogs.boxes[0].icon, Icon::Exclamation);
        }
    }

    void cancelledOrBlankDialogChangesNothing_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancel") << true;
        QTest::newRow("blank name") << false;
    }
    void cancelledOrBlankDialogChangesNothing()
    {
        QFETCH(bool, cancel);
        TestContext t;
        t.dialogs.files.enqueue(cancel ? FileChoice{} : chosen("  "));
        QVERIFY(!LoadMemoryFile(t.ctx));
        QVERIFY(t.dialogs.boxes.isEmpty());
        QCOMPARE(t.state.DataSource, 0);
    }

    void unsavedChangesQuestion_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("No keeps the table") << Answer::No << false;
        QTest::newRow("Yes loads") << Answer::Yes << true;
    }
    void unsavedChangesQuestion()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, loaded);
        TestContext t;
        t.state.MemoriesChanged = true;
        t.state.DataSource = 1;
        setCellText(t.state.table, 5, 1, mark("7.10000"));
        t.dialogs.answers.enqueue(answer);
        t.dialogs.files.enqueue(chosen(testDataPath("files-one-record.450")));
        QCOMPARE(LoadMemoryFile(t.ctx), loaded);
        QCOMPARE(t.dialogs.boxes[0].text, QString("Changes have been made but not yet saved to disk\r\n"
                                                  "Are you sure you want to continue?"));
        QCOMPARE(t.dialogs.boxes[0].buttons, Buttons::YesNo);
        QCOMPARE(t.dialogs.boxes[0].icon, Icon::Question);
        QCOMPARE(t.dialogs.fileRequests.size(), loaded ? 1 : 0);
        QCOMPARE(t.state.table.isEmpty(5), loaded);
        QCOMPARE(t.state.MemoriesChanged, !loaded);
    }

    void damagedLinesAreCountedOnce()
    {
        TestContext t;
        t.state.AutoOpenPath = testDataPath("files-damaged.450");
        QVERIFY(LoadMemoryFile(t.ctx));
        // Good lines load; line 000, 505, a non-numeric number, a short record,
        // a letter in the frequency, tone 50 and an over-long line are ignored.
        QCOMPARE(cellOf(t.state.table, 1, 1), mark("7.00000"));
        // A later line for the same number wins.
        QCOMPARE(cellOf(t.state.table, 6, 1), mark("14.07500"));
        QCOMPARE(cellOf(t.state.table, 6, 2), QString("CW"));
        QVERIFY(t.state.table.isEmpty(2));
        QVERIFY(t.state.table.isEmpty(3));
        QVERIFY(t.state.table.isEmpty(5));
        QCOMPARE(t.log.text(), QString("Loading files-damaged.450 ignored 7 lines that could not be read\r\n"));
        QVERIFY(t.dialogs.boxes.isEmpty());
        QCOMPARE(t.state.DataSource, 2);
    }

    void twoLinesForOneMemory_data()
    {
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QString>("tone");
        QTest::addColumn<QString>("trace");
        QTest::newRow("damaged second line changes nothing") << QByteArray("MR01421000000+000000401501;") << "88.5"
                                                             << "Error  9 (Subscript out of range) in line  6";
        QTest::newRow("intact second line wins") << QByteArray("MR01421000000+000000401321;") << "177.3"
                                                 << "Line 2 of dup.450 sets Memory 14 again - it replaces line 1";
    }
    void twoLinesForOneMemory()
    {
        QFETCH(QByteArray, second);
        QFETCH(QString, tone);
        QFETCH(QString, trace);
        TestContext t;
        t.log.setLoggingEnabled(true);
        QTemporaryDir dir;
        const QString path = dir.filePath("dup.450");
        QVERIFY(writeBytes(path, "MR01429620000+000000401082;\r\n" + second + "\r\n"));
        t.state.AutoOpenPath = path;
        QVERIFY(LoadMemoryFile(t.ctx));
        const bool intact = tone != "88.5";
        QCOMPARE(cellOf(t.state.table, 14, 1), mark(intact ? "21.00000" : "29.62000"));
        QCOMPARE(cellOf(t.state.table, 14, 2), QString("FM"));
        QCOMPARE(cellOf(t.state.table, 14, 3), QString(intact ? "Plus" : "Minus"));
        QCOMPARE(cellOf(t.state.table, 14, 4), QString("CTCSS Enc+Dec"));
        QCOMPARE(cellOf(t.state.table, 14, 5), tone);
        QVERIFY2(t.log.text().contains(trace), qPrintable(t.log.text()));
    }

    void truncatedFileKeepsWhatWasComplete()
    {
        TestContext t;
        t.state.AutoOpenPath = testDataPath("files-truncated.450");
        QVERIFY(LoadMemoryFile(t.ctx));
        QCOMPARE(t.state.table.usedMemoryCount(), 2);
        QCOMPARE(pmsCellOf(t.state.table, 1, 1), mark("29.600000"));
        QVERIFY(t.state.table.isEmpty(4));
        QCOMPARE(t.log.text(), QString("Loading files-truncated.450 ignored 1 line that could not be read\r\n"));
    }

    void lfOnlyLineEndsLoad()
    {
        TestContext t;
        t.state.AutoOpenPath = testDataPath("files-lf-only.450");
        QVERIFY(LoadMemoryFile(t.ctx));
        QCOMPARE(cellOf(t.state.table, 12, 1), mark("29.62000"));
        QCOMPARE(cellOf(t.state.table, 12, 3), QString("Minus"));
        QCOMPARE(pmsCellOf(t.state.table, 4, 1), mark("28.000000"));
        QVERIFY(t.log.text().isEmpty());
    }

    void refusedFilesLeaveTheTableAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QByteArray big;
        const QByteArray line = "MR00107000000+000000100000;\r\n";
        while (big.size() <= kMaxMemorySetFileSize)
            big += line;
        QTest::newRow("over 1 MiB") << big << "it is larger than 1 MiB";
        QTest::newRow("NUL bytes") << QByteArray("MR00107000000+000000100000;\r\n\0\0\x01\x02", 33)
                                   << "it holds binary data (NUL bytes)";
    }
    void refusedFilesLeaveTheTableAlone()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        TestContext t;
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.450");
        QVERIFY(writeBytes(path, content));
        setCellText(t.state.table, 42, 1, mark("50.12500"));
        setCellText(t.state.table, 42, 6, "keep me");
        t.state.DataSource = 1;
        t.state.MemoriesChanged = true;
        t.state.CurrentFilePath = "before.450";
        t.dialogs.answers.enqueue(Answer::Yes);  // continue despite changes
        t.dialogs.files.enqueue(chosen(path));
        QVERIFY(!LoadMemoryFile(t.ctx));
        QCOMPARE(cellOf(t.state.table, 42, 1), mark("50.12500"));
        QCOMPARE(cellOf(t.state.table, 42, 6), QString("keep me"));
        QCOMPARE(t.state.DataSource, 1);
        QVERIFY(t.state.MemoriesChanged);
        QCOMPARE(t.state.CurrentFilePath, QString("before.450"));
        QCOMPARE(t.dialogs.boxes.size(), 2);
        QCOMPARE(t.dialogs.boxes[1].text,
                 "File " + path + " cannot be loaded: " + reason + ".\r\nNothing has been loaded.");
        QCOMPARE(t.dialogs.boxes[1].icon, Icon::Exclamation);
    }

    void unopenableFileReportsAndKeepsTable()
    {
        TestContext t;
        QTemporaryDir dir;
        const QString path = dir.filePath("folder.450");
        QVERIFY(QDir().mkpath(path));
        setCellText(t.state.table, 3, 1, mark("3.57300"));
        t.dialogs.files.enqueue(chosen(path));
        QVERIFY(!LoadMemoryFile(t.ctx));
        QCOMPARE(cellOf(t.state.table, 3, 1), mark("3.57300"));
        QCOMPARE(t.dialogs.boxes.size(), 1);
        QVERIFY(t.dialogs.boxes[0].text.startsWith(
            "An error has been encountered when trying to open the file.\r\nError number  75 ("));
    }

    // --- descriptions ----------------------------------------------------

    void descriptionOnlyOpen()
    {
        TestContext t;
        setCellText(t.state.table, 1, 1, mark("3.69000"));
        setCellText(t.state.table, 1, 6, "old one");
        setCellText(t.state.table, 8, 6, "old eight");
        t.state.DataSource = 1;
        t.state.MemoriesChanged = true;
        t.settings->set<Setting::LastOpened>("/somewhere/else.450");
        t.dialogs.answers.enqueue(Answer::Yes);
        t.dialogs.files.enqueue(chosen(testDataPath("sample.450dsc")));
        QVERIFY(LoadMemoryFile(t.ctx));
        QCOMPARE(cellOf(t.state.table, 1, 1), mark("3.69000"));
        QCOMPARE(cellOf(t.state.table, 1, 6), QString("FT8 160 m"));
        QCOMPARE(cellOf(t.state.table, 8, 6), QString("40 m regional net 1800 local"));
        QCOMPARE(cellOf(t.state.table, 42, 6), QString(""));
        QCOMPARE(t.state.DataSource, 1);
        QVERIFY(t.state.MemoriesChanged);
        QCOMPARE(t.settings->get<Setting::LastOpened>(), QString("/somewhere/else.450"));
        QVERIFY(t.state.CurrentFilePath.isEmpty());
        QCOMPARE(t.view.descriptionWidth, 3450);
    }

    void descriptionsAreReadTolerantly()
    {
        TestContext t;
        t.view.descriptionWidth = 1000;
        setCellText(t.state.table, 6, 6, "six stays");
        setCellText(t.state.table, 7, 6, "seven stays");
        QVERIFY(LoadDescriptions(t.ctx, testDataPath("files-odd.450")));
        const MemoryTable &tab = t.state.table;
        QCOMPARE(cellOf(tab, 1, 6), QString("has   semicolon  comma"));
        QCOMPARE(cellOf(tab, 2, 6), QString("unquoted text here"));
        QCOMPARE(cellOf(tab, 3, 6), QString("unterminated"));
        QCOMPARE(cellOf(tab, 4, 6), QString(""));
        QCOMPARE(cellOf(tab, 5, 6), QString("0123456789").repeated(10));
        // Reading stops at the line without a second item.
        QCOMPARE(cellOf(tab, 6, 6), QString("six stays"));
        QCOMPARE(cellOf(tab, 7, 6), QString("seven stays"));
        // "wide" is no width: three times the grid's base width.
        QCOMPARE(t.view.descriptionWidth, 3450);
    }

    void nonNumericWidthFollowsGridSize_data()
    {
        QTest::addColumn<QString>("gridSize");
        QTest::addColumn<int>("width");
        QTest::newRow("Larger") << "Larger" << 3540;
        QTest::newRow("unknown") << "Huge" << 3630;
    }
    void nonNumericWidthFollowsGridSize()
    {
        QFETCH(QString, gridSize);
        QFETCH(int, width);
        TestContext t;
        t.settings->set<Setting::GridSize>(gridSize);
        QVERIFY(LoadDescriptions(t.ctx, testDataPath("files-odd.450dsc")));
        QCOMPARE(t.view.descriptionWidth, width);
    }

    void missingOrShortDescriptionFileIsQuiet()
    {
        TestContext t;
        QTemporaryDir dir;
        const QString path = dir.filePath("short.450");
        QVERIFY(writeBytes(path, "MR00107000000+000000100000;\r\nMR00214074000+000000200000;\r\n"));
        QVERIFY(!LoadDescriptions(t.ctx, path));  // no .450dsc yet
        QVERIFY(writeBytes(path + "dsc", "0,\"2000\"\r\n1,\"first\"\r\n"));
        t.state.AutoOpenPath = path;
        QVERIFY(LoadMemoryFile(t.ctx));
        QCOMPARE(cellOf(t.state.table, 1, 6), QString("first"));
        QCOMPARE(cellOf(t.state.table, 2, 6), QString(""));
        QVERIFY(t.dialogs.boxes.isEmpty());
        QVERIFY(t.log.text().isEmpty());
        QVERIFY(!LoadDescriptions(t.ctx, dir.filePath("short.txt")));
    }

    void binaryDescriptionFileIsNotRead()
    {
        TestContext t;
        QTemporaryDir dir;
        const QString path = dir.filePath("bin.450");
        QVERIFY(writeBytes(path, "MR00107000000+000000100000;\r\n"));
        QVERIFY(writeBytes(path + "dsc", QByteArray("0,\"2000\"\r\n1,\"a\0b\"\r\n", 19)));
        t.state.AutoOpenPath = path;
        QVERIFY(LoadMemoryFile(t.ctx));
        QCOMPARE(cellOf(t.state.table, 1, 1), mark("7.00000"));
        QCOMPARE(cellOf(t.state.table, 1, 6), QString(""));
        QVERIFY(t.log.text().contains("holds binary data"));
    }

    // --- round trips -----------------------------------------------------

    void roundTripKeepsEveryCell()
    {
        TestContext t;
        t.state.AutoOpenPath = testDataPath("sample.450");
        QVERIFY(LoadMemoryFile(t.ctx));
        QCOMPARE(t.state.table.usedMemoryCount(), 44);
        QCOMPARE(cellOf(t.state.table, 28, 1), mark("29.62000"));
        QCOMPARE(cellOf(t.state.table, 28, 4), QString("CTCSS Enc"));
        QCOMPARE(cellOf(t.state.table, 28, 5), QString("88.5"));
        QCOMPARE(cellOf(t.state.table, 41, 2), QString("FMN"));
        QCOMPARE(cellOf(t.state.table, 12, 2), QString("USRU"));
        QCOMPARE(cellOf(t.state.table, 28, 6), QString("10 m repeater 29.620 out 29.520 in"));
        QCOMPARE(pmsCellOf(t.state.table, 2, 1), mark("14.350000"));
        const QStringList before = allCells(t.state.table);

        QTemporaryDir dir;
        const QString copy = dir.filePath("copy.450");
        t.dialogs.files.enqueue(chosen(copy));
        QVERIFY(SaveMemoryFile(t.ctx));
        // The sample was itself saved by the program: the bytes come back unchanged.
        QCOMPARE(readBytes(copy), readBytes(testDataPath("sample.450")));
        QCOMPARE(readBytes(copy + "dsc"), readBytes(testDataPath("sample.450dsc")));

        TestContext u;
        u.state.AutoOpenPath = copy;
        QVERIFY(LoadMemoryFile(u.ctx));
        QCOMPARE(allCells(u.state.table), before);
    }

    void plainFunctionsRoundTrip()
    {
        MemoryTable a;
        QString error;
        int width = 0;
        QVERIFY(readMemorySet(testDataPath("sample.450"), a, nullptr, &error, &width));
        QCOMPARE(width, 3450);
        QTemporaryDir dir;
        QList<int> skipped;
        QVERIFY(writeMemorySet(dir.filePath("x.450"), a, 2900, &error, &skipped));
        QVERIFY(skipped.isEmpty());
        MemoryTable b;
        QVERIFY(readMemorySet(dir.filePath("x.450"), b, nullptr, &error, &width));
        QCOMPARE(width, 2900);
        QCOMPARE(allCells(b), allCells(a));

        QVERIFY(!readMemorySet(dir.filePath("nothing.450"), b, nullptr, &error));
        QCOMPARE(error, "Filename " + dir.filePath("nothing.450") + " does not exist");
        QCOMPARE(allCells(b), allCells(a));
        QVERIFY(!writeMemorySet(dir.filePath("no/such/folder/x.450"), a, 2900, &error));
        QCOMPARE(error, "Cannot save " + dir.filePath("no/such/folder/x.450") + ": the folder does not exist");
        // A FIFO is not read: it would block until something writes to it.
        const QString fifo = dir.filePath("pipe.450");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!readMemorySet(fifo, b, nullptr, &error));
        QCOMPARE(error, "File " + fifo + " cannot be opened: it is not a regular file (a FIFO, socket or device)");
        QCOMPARE(allCells(b), allCells(a));
    }

    // --- saving ----------------------------------------------------------

    void nothingLoadedSavesNothing()
    {
        TestContext t;
        QVERIFY(!SaveMemoryFile(t.ctx));
        QVERIFY(t.dialogs.fileRequests.isEmpty());
        QVERIFY(t.dialogs.boxes.isEmpty());
    }

    void savesUsedRowsInOrder()
    {
        TestContext t;
        QTemporaryDir dir;
        t.state.DataSource = 1;
        t.state.MemoriesChanged = true;
        t.state.CurrentFilePath = dir.filePath("suggested.450");
        t.state.HomeDir = "/start/here";
        setPmsCellText(t.state.table, 3, 1, mark("50.000000"));
        setPmsCellText(t.state.table, 3, 2, "USB");
        setPmsCellText(t.state.table, 3, 3, "Simplex");
        setCellText(t.state.table, 7, 1, mark("7.07400"));
        setCellText(t.state.table, 7, 2, "USB");
        setCellText(t.state.table, 7, 3, "Simplex");
        setCellText(t.state.table, 7, 5, "67.0");
        setCellText(t.state.table, 7, 6, "FT8 40 m");
        t.dialogs.files.enqueue(chosen(dir.filePath("two")));
        QVERIFY(SaveMemoryFile(t.ctx));

        const QString path = dir.filePath("two.450");
        QCOMPARE(readBytes(path), QByteArray("MW00707074000+000000200000;\r\nMW50350000000+000000200000;\r\n"));
        const QList<QByteArray> dsc = readBytes(path + "dsc").split('\n');
        QCOMPARE(dsc.size(), 502);  // 501 lines and the empty text after the last line end
        QCOMPARE(dsc[7], QByteArray("7,\"FT8 40 m\"\r"));

        QCOMPARE(t.dialogs.fileRequests[0].filter, QString("Memories Files (*.450)|*.450|All Files (*.*)|*.*"));
        QCOMPARE(t.dialogs.fileRequests[0].suggestedName, dir.filePath("suggested.450"));
        QCOMPARE(t.dialogs.fileRequests[0].startFolder, QString("/start/here"));
        QVERIFY(!t.state.MemoriesChanged);
        QVERIFY(t.state.SaveCompleted);
        QCOMPARE(QFileInfo(t.state.CurrentFilePath), QFileInfo(path));
        QCOMPARE(QFileInfo(t.settings->get<Setting::LastOpened>()), QFileInfo(path));
        QCOMPARE(QFileInfo(t.state.HomeDir), QFileInfo(dir.path()));
        QCOMPARE(t.view.status[0], QString(" two.450"));
        QVERIFY(t.dialogs.boxes.isEmpty());
    }

    void cancelledSaveKeepsState()
    {
        TestContext t;
        t.state.DataSource = 2;
        t.state.MemoriesChanged = true;
        t.state.CurrentFilePath = "/x/current.450";
        t.dialogs.files.enqueue(FileChoice{});
        QVERIFY(!SaveMemoryFileAsCommand(t.ctx));
        QVERIFY(t.state.MemoriesChanged);
        QVERIFY(!t.state.SaveCompleted);
        QCOMPARE(t.state.CurrentFilePath, QString("/x/current.450"));
        QCOMPARE(t.dialogs.fileRequests[0].suggestedName, QString());
    }

    void saveAndSaveAsOverExistingFile_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("Save replaces without a question") << false << Answer::Yes << true;
        QTest::newRow("Save As, Yes") << true << Answer::Yes << true;
        QTest::newRow("Save As, No") << true << Answer::No << false;
    }
    void saveAndSaveAsOverExistingFile()
    {
        QFETCH(bool, saveAs);
        QFETCH(Answer, answer);
        QFETCH(bool, replaced);
        TestContext t;
        QTemporaryDir dir;
        const QString path = dir.filePath("old.450");
        QVERIFY(writeBytes(path, "MW00214074000+000000200000;\r\n"));
        t.state.DataSource = 2;
        t.state.ConfirmReplace = true;  // left over from an earlier "Save As"
        setCellText(t.state.table, 1, 1, mark("7.00000"));
        setCellText(t.state.table, 1, 2, "LSB");
        t.dialogs.answers.enqueue(answer);
        t.dialogs.files.enqueue(chosen(path));
        const bool saved = saveAs ? SaveMemoryFileAsCommand(t.ctx) : SaveMemoryFileCommand(t.ctx);
        QCOMPARE(saved, replaced);
        QCOMPARE(readBytes(path), replaced ? QByteArray("MW00107000000+000000100000;\r\n")
                                           : QByteArray("MW00214074000+000000200000;\r\n"));
        if (saveAs) {
            QCOMPARE(t.dialogs.texts(),
                     QStringList{"Filename " + path + " already exists\r\nDo you wish to replace it?"});
            QCOMPARE(t.dialogs.boxes[0].icon, Icon::Question);
            QCOMPARE(t.dialogs.boxes[0].buttons, Buttons::YesNo);
        } else {
            QVERIFY(t.dialogs.boxes.isEmpty());
        }
        QVERIFY(!t.state.ConfirmReplace);  // asked at most once
        QCOMPARE(t.state.SaveCompleted, replaced);
    }

    void readOnlyTargetAsksForAnotherName()
    {
        TestContext t;
        QTemporaryDir dir;
        const QString locked = dir.filePath("locked.450");
        QVERIFY(writeBytes(locked, "MW00214074000+000000200000;\r\n"));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        t.state.DataSource = 2;
        t.state.CurrentFilePath = locked;
        setCellText(t.state.table, 1, 1, mark("7.00000"));
        setCellText(t.state.table, 1, 2, "LSB");
        t.dialogs.files.enqueue(chosen(locked));
        t.dialogs.files.enqueue(chosen(dir.filePath("other.450")));
        QVERIFY(SaveMemoryFile(t.ctx));
        QCOMPARE(t.dialogs.texts(), QStringList{"File " + locked
                                                + " is read-only and cannot be over-written. Please choose another "
                                                  "filename."});
        QCOMPARE(t.dialogs.boxes[0].icon, Icon::None);
        QCOMPARE(t.dialogs.boxes[0].buttons, Buttons::Ok);
        QCOMPARE(t.dialogs.fileRequests.size(), 2);
        QCOMPARE(t.dialogs.fileRequests[0].suggestedName, locked);
        QCOMPARE(t.dialogs.fileRequests[1].suggestedName, QString());
        QCOMPARE(readBytes(locked), QByteArray("MW00214074000+000000200000;\r\n"));
        QCOMPARE(readBytes(dir.filePath("other.450")), QByteArray("MW00107000000+000000100000;\r\n"));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void fullDiskKeepsTheOldSet_data()
    {
        QTest::addColumn<int>("room");  // bytes that fit on the disk
        QTest::addColumn<QString>("atFault");
        QTest::addColumn<int>("step");
        const int records = 29;  // the one record of the new memory file
        QTest::newRow("memory file") << 10 << "set.450" << 9;
        QTest::newRow("description file, empty") << records << "set.450dsc" << 11;
        QTest::newRow("description file, part-way") << records + 100 << "set.450dsc" << 11;
    }
    void fullDiskKeepsTheOldSet()
    {
        QFETCH(int, room);
        QFETCH(QString, atFault);
        QFETCH(int, step);
        TestContext t;
        QTemporaryDir dir;
        const QString path = dir.filePath("set.450");
        const QByteArray oldRecords = "MW00214074000+000000200000;\r\n";
        const QByteArray oldDescriptions = "0,\"3450\"\r\n1,\"\"\r\n2,\"old\"\r\n";
        QVERIFY(writeBytes(path, oldRecords));
        QVERIFY(writeBytes(path + "dsc", oldDescriptions));
        t.state.DataSource = 2;
        t.state.MemoriesChanged = true;
        setCellText(t.state.table, 1, 1, mark("7.00000"));
        setCellText(t.state.table, 1, 2, "LSB");
        setCellText(t.state.table, 1, 6, "new");
        t.dialogs.files.enqueue(chosen(path));
        t.dialogs.files.enqueue(FileChoice{});  // then the user gives up
        QString error;
        {
            SaveSpaceLimit full(room);
            QVERIFY(!SaveMemoryFile(t.ctx));
        }
        {
            SaveSpaceLimit full(room);
            QVERIFY(!writeMemorySet(path, t.state.table, 3450, &error));
        }
        QCOMPARE(readBytes(path), oldRecords);
        QCOMPARE(readBytes(path + "dsc"), oldDescriptions);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"set.450", "set.450dsc"}));
        const QString file = dir.filePath(atFault);
        QCOMPARE(
            t.dialogs.texts(),
            QStringList{"An error has been encountered when trying to save the file.\r\nError number  61 (Disk full - "
                        + file + ": No space left on device) in line " + SignedText(step)
                        + "\r\n\r\nCannot save the file here - please try an alternative location"});
        QCOMPARE(error, "Cannot save " + file + ": No space left on device");
        QVERIFY(t.state.MemoriesChanged);
        QVERIFY(!t.state.SaveCompleted);
        QCOMPARE(t.settings->get<Setting::LastOpened>(), QString());
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

    void missingFolderShowsPathNotFound()
    {
        TestContext t;
        QTemporaryDir dir;
        t.state.DataSource = 2;
        setCellText(t.state.table, 1, 1, mark("7.00000"));
        setCellText(t.state.table, 1, 2, "LSB");
        t.dialogs.files.enqueue(chosen(dir.filePath("nowhere/x.450")));
        t.dialogs.files.enqueue(chosen(dir.filePath("x.450")));
        QVERIFY(SaveMemoryFile(t.ctx));
        QCOMPARE(t.dialogs.boxes.size(), 1);
        QVERIFY(t.dialogs.boxes[0].text.contains("Error number  76 (Path not found"));
        QVERIFY(QFile::exists(dir.filePath("x.450")));
    }

    void unencodableRowsAreLeftOutAndReported()
    {
        TestContext t;
        QTemporaryDir dir;
        t.state.DataSource = 2;
        t.state.MemoriesChanged = true;
        MemoryTable &tab = t.state.table;
        // A record with an unknown mode code, and one cut after its frequency.
        FillMemory(tab, 5, "MR00514074000+000000A00000;", nullptr);
        setCellText(tab, 3, 1, mark("7.07400"));
        setCellText(tab, 3, 2, "USB");
        setCellText(tab, 9, 1, mark("29.62000"));
        FillMemory(tab, 9, "MR00929620000+0000", nullptr);
        setPmsCellText(tab, 1, 1, mark("14.000000"));
        setPmsCellText(tab, 1, 2, "?? ");
        const QString path = dir.filePath("partial.450");
        t.dialogs.files.enqueue(chosen(path));
        QVERIFY(SaveMemoryFile(t.ctx));

        QCOMPARE(readBytes(path), QByteArray("MW00307074000+000000200000;\r\n"));
        QCOMPARE(t.dialogs.boxes.size(), 1);
        const ShownBox box = t.dialogs.boxes[0];
        QCOMPARE(box.icon, Icon::Exclamation);
        QVERIFY(box.text.contains("Memory 5: the mode '?? ' is not one the radio knows"));
        QVERIFY(box.text.contains("Memory 9: the mode '' is not one the radio knows"));
        QVERIFY(box.text.contains("PMS memory P1L: the mode '?? '"));
        QCOMPARE(t.log.text().count(" was not saved: "), 3);
        QVERIFY(t.log.text().contains("Memory 9 was not saved: the mode '' is not one the radio knows"));
        // The table keeps the rows so that they can be mended.
        QCOMPARE(cellOf(tab, 5, 2), QString("?? "));
        QCOMPARE(cellOf(tab, 9, 1), mark("29.62000"));
        QVERIFY(t.state.MemoriesChanged);
        QVERIFY(t.state.SaveCompleted);

        QList<int> skipped;
        MemoryFileLines(tab, &skipped);
        QCOMPARE(skipped, QList<int>({5, 9, 501}));
    }

    void frequencyThatDoesNotFitIsLeftOut()
    {
        MemoryTable tab;
        setCellText(tab, 4, 1, mark("123.45600"));
        setCellText(tab, 4, 2, "USB");
        setCellText(tab, 5, 1, mark("56.00000"));
        setCellText(tab, 5, 2, "FM");
        QList<int> skipped;
        QCOMPARE(MemoryFileLines(tab, &skipped), QStringList{"MW00556000000+000000400000;"});
        QCOMPARE(skipped, QList<int>{4});
        QVERIFY(RowSaveProblem(tab, 4).contains("does not fit"));
    }

    // --- initial file, start-up choice, names ------------------------------

    void initialFileIsCreatedOnce()
    {
        TestContext t;
        QTemporaryDir dir;
        t.state.HomeDir = QDir::toNativeSeparators(dir.path());
        CreateInitialMemoryFile(t.ctx);
        const QString path = QDir::toNativeSeparators(dir.filePath("Initial memory file.450"));
        QCOMPARE(t.state.AutoOpenPath, path);
        QCOMPARE(readBytes(path), QByteArray("MR00107000000+000000100000;\r\n"));
        QCOMPARE(t.settings->get<Setting::LastOpened>(), path);

        QVERIFY(writeBytes(path, "MW00214074000+000000200000;\r\n"));
        t.settings->set<Setting::LastOpened>("");
        t.state.AutoOpenPath.clear();
        CreateInitialMemoryFile(t.ctx);
        QCOMPARE(readBytes(path), QByteArray("MW00214074000+000000200000;\r\n"));
        QCOMPARE(t.state.AutoOpenPath, path);
        QCOMPARE(t.settings->get<Setting::LastOpened>(), QString());

        QVERIFY(LoadMemoryFile(t.ctx));
        QCOMPARE(cellOf(t.state.table, 2, 1), mark("14.07400"));
    }

    void initialFileInUnwritableFolderIsReported()
    {
        TestContext t;
        QTemporaryDir dir;
        t.state.HomeDir = dir.filePath("missing-folder");
        CreateInitialMemoryFile(t.ctx);
        QVERIFY(t.log.text().startsWith("The initial memory file "));
        QVERIFY(!t.state.AutoOpenPath.isEmpty());
        QVERIFY(!LoadMemoryFile(t.ctx));  // ends silently
        QVERIFY(t.dialogs.boxes.isEmpty());
    }

    void startupChoice_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("lastOpened");
        QTest::addColumn<QString>("expected");  // "" none, "*" the initial file
        QTest::newRow("command line wins") << "/data/mine.450"
                                           << "/data/last.450"
                                           << "/data/mine.450";
        QTest::newRow("quoted command line") << "\"/data/my set.450\""
                                             << ""
                                             << "/data/my set.450";
        QTest::newRow("last opened") << ""
                                     << "/data/last.450"
                                     << "/data/last.450";
        QTest::newRow("nothing: initial file") << ""
                                               << ""
                                               << "*";
        QTest::newRow("floppy A:") << "A:\\MEM.450"
                                   << "/data/last.450"
                                   << "";
        QTest::newRow("backup.450 is no drive") << "backup.450"
                                                << ""
                                                << "backup.450";
    }
    void startupChoice()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, lastOpened);
        QFETCH(QString, expected);
        TestContext t;
        QTemporaryDir dir;
        t.state.HomeDir = dir.path();
        t.settings->set<Setting::LastOpened>(lastOpened);
        const bool due = PrepareAutoOpen(t.ctx, commandLine);
        if (expected == "*") {
            QVERIFY(due);
            QCOMPARE(FileNameOf(t.state.AutoOpenPath), QString("Initial memory file.450"));
            QVERIFY(QFile::exists(t.state.AutoOpenPath));
        } else {
            QCOMPARE(due, !expected.isEmpty());
            QCOMPARE(t.state.AutoOpenPath, expected);
            QVERIFY(!QFile::exists(dir.filePath("Initial memory file.450")));
        }
    }
};

QTEST_GUILESS_MAIN(TestMemoryFiles)
#include "tst_memoryfiles.moc"
