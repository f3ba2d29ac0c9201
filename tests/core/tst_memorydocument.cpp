// The memory set open in the window, without a window: load and save with
// their questions and boxes, the start-up file, and the question at exit.
#include "DataRows.h"
#include "LocaleCases.h"
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/MemoryDocument.h"
#include "core/MemoryRecord.h"
#include "core/MemorySetFormat.h"
#include "shell/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace mv;
using namespace mv::test;

namespace {

FileChoice chosen(const QString &path) { return FileChoice{false, path}; }

const QByteArray kOld = "MW00214074000+000000200000;\r\n";
const QByteArray kNew = "MW00107000000+000000100000;\r\n";

// A file-loaded table whose memory 1 saves as kNew.
void holdMemory1(TestContext &t, bool changed = true)
{
    t.state.DataSource = DataSource::File;
    t.state.MemoriesChanged = changed;
    setCellText(t.state.table, 1, 1, mark("7.00000"));
    setCellText(t.state.table, 1, 2, "LSB");
}

}  // namespace

class TestMemoryDocument : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES("en_US", "de_DE")

    void loadsThatChangeNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("box");  // after the unsaved-changes question; %1: the path
        auto row = [](const char *how, const QString &box = {}) { QTest::newRow(how) << QString(how) << box; };
        row("cancel");  // the open dialog
        row("blank");  // a blank name
        row("no");  // No to the unsaved changes
        row("missing", "Filename %1 does not exist");
        row("automatic");  // missing at start-up: quiet
        row("nul", "File %1 cannot be loaded: it holds binary data (NUL bytes).\r\nNothing has been loaded.");
        row("folder", "An error has been encountered when trying to open the file.\r\nError number  75 "
                      "(Path/File access error - File %1 cannot be opened: it is a folder) in line  8");
    }
    void loadsThatChangeNothing()
    {
        QFETCH(QString, how);
        QFETCH(QString, box);
        TestContext t;
        const QString path = t.dir.filePath("bad.450");
        if (how == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (how == "nul")
            QVERIFY(writeBytes(path, QByteArray("MR00107000000+000000100000;\r\n\0\0\x01\x02", 33)));
        setCellText(t.state.table, 42, 1, mark("50.12500"));
        t.state.DataSource = DataSource::Radio;
        t.state.MemoriesChanged = true;
        t.state.CurrentFilePath = "before.450";
        t.dialogs.answers.enqueue(how == "no" ? Answer::No : Answer::Yes);
        if (how == "automatic")
            t.state.AutoOpenPath = path;
        else
            t.dialogs.files.enqueue(how == "cancel" ? FileChoice{} : chosen(how == "blank" ? "  " : path));
        QVERIFY(!LoadMemoryFile(t.ctx));
        QCOMPARE(cellOf(t.state.table, 42, 1), mark("50.12500"));
        QCOMPARE(t.state.DataSource, DataSource::Radio);
        QVERIFY(t.state.MemoriesChanged);
        QCOMPARE(t.state.CurrentFilePath, QString("before.450"));
        QVERIFY(t.state.AutoOpenPath.isEmpty());
        QStringList boxes{"Changes have been made but not yet saved to disk\r\nAre you sure you want to continue?"};
        if (!box.isEmpty())
            boxes << box.arg(path);
        QCOMPARE(t.dialogs.texts(), boxes);
        QCOMPARE(t.dialogs.boxes.last().icon, box.isEmpty() ? Icon::Question : Icon::Exclamation);
    }

    void descriptionFileOpened_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("gridSize");
        QTest::addColumn<int>("width");  // a width that is no number follows the grid size
        QTest::addColumn<QString>("first");
        mv::test::row("sample", QString("sample.450dsc"), QString("Normal"), 3450, QString("FT8 160 m"));
        mv::test::row("no width, unknown grid", QString("files-odd.450dsc"), QString("Huge"), 3630,
                      QString("has   semicolon  comma"));
    }
    void descriptionFileOpened()
    {
        QFETCH(QString, file);
        QFETCH(QString, gridSize);
        QFETCH(int, width);
        QFETCH(QString, first);
        TestContext t;
        t.settings->set<Setting::GridSize>(gridSize);
        holdMemory1(t);
        t.state.DataSource = DataSource::Radio;
        t.settings->set<Setting::LastOpened>("/somewhere/else.450");
        t.dialogs.answers.enqueue(Answer::Yes);
        t.dialogs.files.enqueue(chosen(testDataPath(file)));
        QVERIFY(LoadMemoryFile(t.ctx));
        // Only the descriptions change: the memories, their source and the open file stay.
        QCOMPARE(cellsOf(t.state.table, 1).mid(1, 2), QStringList({mark("7.00000"), "LSB"}));
        QCOMPARE(cellOf(t.state.table, 1, 6), first);
        QCOMPARE(t.state.DataSource, DataSource::Radio);
        QVERIFY(t.state.MemoriesChanged);
        QCOMPARE(t.settings->get<Setting::LastOpened>(), QString("/somewhere/else.450"));
        QVERIFY(t.state.CurrentFilePath.isEmpty());
        QCOMPARE(t.view.descriptionWidth, width);
    }

    void saveAndSaveAsOverExistingFile_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<Answer>("answer");  // Cancel: the save dialog is cancelled
        QTest::addColumn<bool>("replaced");
        QTest::newRow("Save replaces without a question") << false << Answer::Yes << true;
        QTest::newRow("Save As, Yes") << true << Answer::Yes << true;
        QTest::newRow("Save As, No") << true << Answer::No << false;
        QTest::newRow("Save As cancelled") << true << Answer::Cancel << false;
    }
    void saveAndSaveAsOverExistingFile()
    {
        QFETCH(bool, saveAs);
        QFETCH(Answer, answer);
        QFETCH(bool, replaced);
        TestContext t;
        const QString path = t.dir.filePath("old.450");
        QVERIFY(writeBytes(path, kOld));
        holdMemory1(t);
        t.state.CurrentFilePath = "/x/current.450";
        t.state.ConfirmReplace = true;  // left over from an earlier "Save As"
        t.dialogs.answers.enqueue(answer);
        t.dialogs.files.enqueue(answer == Answer::Cancel ? FileChoice{} : chosen(path));
        QCOMPARE(saveAs ? SaveMemoryFileAsCommand(t.ctx) : SaveMemoryFileCommand(t.ctx), replaced);
        QCOMPARE(readBytes(path), replaced ? kNew : kOld);
        QCOMPARE(t.dialogs.fileRequests[0].suggestedName, saveAs ? QString() : QString("/x/current.450"));
        const bool asked = saveAs && answer != Answer::Cancel;
        QCOMPARE(t.dialogs.texts(),
                 asked ? QStringList{"Filename " + path + " already exists\r\nDo you wish to replace it?"}
                       : QStringList());
        QVERIFY(!asked || !t.state.ConfirmReplace);  // asked at most once
        QCOMPARE(t.state.MemoriesChanged, !replaced);
        // A Save As that saved nothing does not forget which file is open.
        QCOMPARE(QFileInfo(t.state.CurrentFilePath), QFileInfo(replaced ? path : "/x/current.450"));
    }

    void readOnlyTargetAsksForAnotherName()
    {
        TestContext t;
        QVERIFY(!SaveMemoryFile(t.ctx));  // nothing loaded: nothing asked
        QVERIFY(t.dialogs.fileRequests.isEmpty());
        const QString locked = t.dir.filePath("locked.450");
        QVERIFY(writeBytes(locked, kOld));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        holdMemory1(t);
        t.state.CurrentFilePath = locked;
        t.dialogs.files.enqueue(chosen(locked));
        t.dialogs.files.enqueue(chosen(t.dir.filePath("other.450")));
        QVERIFY(SaveMemoryFile(t.ctx));
        QCOMPARE(t.dialogs.texts(),
                 QStringList{"File " + locked
                             + " is read-only and cannot be over-written. Please choose another filename."});
        QCOMPARE(t.dialogs.fileRequests.size(), 2);
        QCOMPARE(readBytes(locked), kOld);
        QCOMPARE(readBytes(t.dir.filePath("other.450")), kNew);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // Both save paths, the window's and writeMemorySet, on a disk that fills up
    // part-way and into a missing folder.
    void failedSaveKeepsTheOldSet_data()
    {
        QTest::addColumn<int>("room");  // bytes that fit on the disk, -1: no limit
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("atFault");  // %1: the folder
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("number");  // the error box's number, kind and stage
        const int records = 29;  // the one record of the new memory file
        const QString full = "No space left on device";
        const QString disk = " 61 (Disk full|";
        mv::test::row("memory file", 10, QString("set.450"), QString("%1/set.450"), full, disk + "9");
        mv::test::row("description file, empty", records, QString("set.450"), QString("%1/set.450dsc"), full,
                      disk + "11");
        mv::test::row("description file, part-way", records + 100, QString("set.450"), QString("%1/set.450dsc"), full,
                      disk + "11");
        mv::test::row("missing folder", -1, QString("no/set.450"), QString("%1/no/set.450"),
                      QString("the folder does not exist"), QString(" 76 (Path not found|8"));
    }
    void failedSaveKeepsTheOldSet()
    {
        QFETCH(int, room);
        QFETCH(QString, target);
        QFETCH(QString, atFault);
        QFETCH(QString, reason);
        QFETCH(QString, number);
        TestContext t;
        const QString path = t.dir.filePath(target);
        const QString file = atFault.arg(t.dir.path());
        const QByteArray oldDescriptions = "0,\"3450\"\r\n1,\"\"\r\n2,\"old\"\r\n";
        QVERIFY(writeBytes(t.dir.filePath("set.450"), kOld));
        QVERIFY(writeBytes(t.dir.filePath("set.450dsc"), oldDescriptions));
        holdMemory1(t);
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
        QCOMPARE(readBytes(t.dir.filePath("set.450")), kOld);
        QCOMPARE(readBytes(t.dir.filePath("set.450dsc")), oldDescriptions);
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"set.450", "set.450dsc"}));
        QCOMPARE(t.dialogs.texts(),
                 QStringList{"An error has been encountered when trying to save the file.\r\nError number "
                             + number.section('|', 0, 0) + " - " + file + ": " + reason + ") in line  "
                             + number.section('|', 1)
                             + "\r\n\r\nCannot save the file here - please try an alternative location"});
        QCOMPARE(error, "Cannot save " + file + ": " + reason);
        QVERIFY(t.state.MemoriesChanged && !t.state.SaveCompleted);
        QCOMPARE(t.settings->get<Setting::LastOpened>(), QString());
    }

    void unencodableRowsAreLeftOutAndReported()
    {
        TestContext t;
        holdMemory1(t);
        setCellText(t.state.table, 9, 1, mark("29.62000"));
        setCellText(t.state.table, 9, 2, "");  // as a record cut after its frequency leaves it
        t.dialogs.files.enqueue(chosen(t.dir.filePath("partial.450")));
        QVERIFY(SaveMemoryFile(t.ctx));
        QCOMPARE(readBytes(t.dir.filePath("partial.450")), kNew);
        QCOMPARE(t.dialogs.texts(),
                 QStringList{"The file was saved, but these memories could not be written to it and were left out:\r\n"
                             "Memory 9: the mode '' is not one the radio knows\r\n\r\n"
                             "They are still in the table: correct them and save again."});
        QCOMPARE(t.log.text(), QString("Memory 9 was not saved: the mode '' is not one the radio knows\r\n"));
        QCOMPARE(cellOf(t.state.table, 9, 1), mark("29.62000"));
        QVERIFY(t.state.MemoriesChanged && t.state.SaveCompleted);
    }

    // No and Cancel: the window suite.
    void exitQuestion_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unchanged: no question") << false << Answer::Yes << false << true << false;
        QTest::newRow("changed, Yes saves and closes") << true << Answer::Yes << false << true << true;
        QTest::newRow("changed, Yes but the save fails: stays") << true << Answer::Yes << true << false << false;
    }
    void exitQuestion()
    {
        QFETCH(bool, changed);
        QFETCH(Answer, answer);
        QFETCH(bool, saveFails);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        TestContext t;
        const QString path = t.dir.filePath("set.450");
        QVERIFY(writeBytes(path, kOld));
        holdMemory1(t, changed);
        t.state.CurrentFilePath = path;
        t.dialogs.answers.enqueue(answer);
        t.dialogs.files.enqueue(chosen(path));
        t.dialogs.files.enqueue(FileChoice{});  // after a failed save the user gives up
        {
            SaveSpaceLimit full(saveFails ? 0 : -1);
            QCOMPARE(ConfirmExit(t.ctx), closes);
        }
        QCOMPARE(t.dialogs.texts().value(0),
                 changed
                     ? QString("Changes have been made but not yet saved to disk. Do you want to save these changes "
                               "before exit?\r\n\r\n   Yes - save the changes and exit,\r\n   No - ignore the changes "
                               "and exit,\r\n   Cancel - do not exit.")
                     : QString());
        QCOMPARE(readBytes(path), saved ? kNew : kOld);
        QCOMPARE(t.state.MemoriesChanged, changed && !saved);
    }

    // Which file the start loads; with nothing to load, the initial file in the
    // data folder, made once: one already there is never written over, and a
    // folder that cannot take it is logged and the start loads nothing.
    void startupChoice_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("lastOpened");
        QTest::addColumn<QString>("initial");  // before the start: "" none, "old" one of its own, "no folder"
        QTest::addColumn<QString>("expected");  // "" none, "*" the initial file
        mv::test::row("quoted command line", "\"/data/my set.450\"", "", "", "/data/my set.450");
        mv::test::row("last opened", "", "/data/last.450", "", "/data/last.450");
        mv::test::row("floppy A: on the command line", "A:\\MEM.450", "/data/last.450", "", "");
        mv::test::row("nothing: initial file", "", "", "", "*");
        mv::test::row("initial file already there", "", "", "old", "*");
        mv::test::row("no folder for the initial file", "", "", "no folder", "*");
        mv::test::row("backup.450 is no drive", "backup.450", "", "", "backup.450");
    }
    void startupChoice()
    {
        QFETCH(QString, lastOpened);
        QFETCH(QString, initial);
        QFETCH(QString, expected);
        TestContext t;
        t.state.HomeDir = initial == "no folder" ? t.dir.filePath("missing") : t.dir.path();
        const QString path = QDir::toNativeSeparators(QDir(t.state.HomeDir).filePath("Initial memory file.450"));
        QVERIFY(initial != "old" || writeBytes(path, kOld));
        t.settings->set<Setting::LastOpened>(lastOpened);
        QFETCH(QString, commandLine);
        QCOMPARE(PrepareAutoOpen(t.ctx, commandLine), !expected.isEmpty());
        QCOMPARE(t.state.AutoOpenPath, expected == "*" ? path : expected);
        const bool made = expected == "*" && initial.isEmpty();
        QCOMPARE(readBytes(path), made               ? QByteArray("MR00107000000+000000100000;\r\n")
                                  : initial == "old" ? kOld
                                                     : QByteArray());
        QCOMPARE(t.settings->get<Setting::LastOpened>(), made ? path : lastOpened);
        if (expected == "*") {  // the start then loads it, or ends silently
            QCOMPARE(LoadMemoryFile(t.ctx), initial != "no folder");
            QCOMPARE(t.log.text().startsWith("The initial memory file "), initial == "no folder");
            QVERIFY(t.dialogs.boxes.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestMemoryDocument)
#include "tst_memorydocument.moc"
