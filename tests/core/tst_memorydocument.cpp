// The memory set open in the window, without a window: load and save with
// their questions and boxes, the start-up file, and the question at exit.
#include "LocaleCases.h"
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/MemoryDocument.h"
#include "core/MemoryRecord.h"
#include "core/MemorySetFormat.h"
#include "core/NumberText.h"
#include "shell/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using namespace mv;
using namespace mv::test;

namespace {

FileChoice chosen(const QString &path) { return FileChoice{false, path}; }

}  // namespace

class TestMemoryDocument : public QObject {
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

        // The record's fields are checked in tst_memoryrecord.
        QCOMPARE(MemoryFileLines(t.state.table), QStringList{"MW00107000000+000000100000;"});

        QCOMPARE(t.state.DataSource, DataSource::File);
        QVERIFY(!t.state.MemoriesChanged);
        QVERIFY(t.state.FileLoadComplete);
        QVERIFY(!t.state.RadioReadComplete);
        QCOMPARE(t.state.CopiedFirst, 0);
        QVERIFY(!t.state.ClipboardHasMemories);
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

    void loadsThatChangeNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("box");  // after the unsaved-changes question; %1: the path
        QTest::newRow("open dialog cancelled") << "cancel"
                                               << "";
        QTest::newRow("blank name") << "blank"
                                    << "";
        QTest::newRow("No to the unsaved changes") << "no"
                                                   << "";
        QTest::newRow("missing file") << "missing"
                                      << "Filename %1 does not exist";
        QTest::newRow("missing at start-up: quiet") << "automatic"
                                                    << "";
        QTest::newRow("NUL bytes") << "nul"
                                   << "File %1 cannot be loaded: it holds binary data (NUL bytes).\r\n"
                                      "Nothing has been loaded.";
        QTest::newRow("folder") << "folder"
                                << "An error has been encountered when trying to open the file.\r\nError number  75 "
                                   "(Path/File access error - File %1 cannot be opened: it is a folder) in line  8";
    }
    void loadsThatChangeNothing()
    {
        QFETCH(QString, how);
        QFETCH(QString, box);
        TestContext t;
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.450");
        if (how == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (how == "nul")
            QVERIFY(writeBytes(path, QByteArray("MR00107000000+000000100000;\r\n\0\0\x01\x02", 33)));
        mv::test::setCellText(t.state.table, 42, 1, mark("50.12500"));
        t.state.DataSource = DataSource::Radio;
        t.state.MemoriesChanged = true;
        t.state.CurrentFilePath = "before.450";
        t.dialogs.answers.enqueue(how == "no" ? Answer::No : Answer::Yes);
        if (how == "automatic")
            t.state.AutoOpenPath = path;
        else
            t.dialogs.files.enqueue(how == "cancel" ? FileChoice{} : chosen(how == "blank" ? "  " : path));
        QVERIFY(!LoadMemoryFile(t.ctx));
        QCOMPARE(mv::test::cellOf(t.state.table, 42, 1), mark("50.12500"));
        QCOMPARE(t.state.DataSource, DataSource::Radio);
        QVERIFY(t.state.MemoriesChanged);
        QCOMPARE(t.state.CurrentFilePath, QString("before.450"));
        QVERIFY(t.state.AutoOpenPath.isEmpty());
        QStringList boxes{"Changes have been made but not yet saved to disk\r\nAre you sure you want to continue?"};
        if (!box.isEmpty())
            boxes << box.arg(path);
        QCOMPARE(t.dialogs.texts(), boxes);
        QCOMPARE(t.dialogs.boxes[0].buttons, Buttons::YesNo);
        QCOMPARE(t.dialogs.boxes.last().icon, box.isEmpty() ? Icon::Question : Icon::Exclamation);
        QCOMPARE(t.dialogs.fileRequests.size(), how == "no" || how == "automatic" ? 0 : 1);
    }

    // --- descriptions ----------------------------------------------------

    void descriptionFileOpened_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("gridSize");
        QTest::addColumn<int>("width");  // a width that is no number follows the grid size
        QTest::addColumn<QString>("first");
        QTest::newRow("sample") << "sample.450dsc"
                                << "Normal" << 3450 << "FT8 160 m";
        QTest::newRow("no width, Larger grid") << "files-odd.450dsc"
                                               << "Larger" << 3540 << "has   semicolon  comma";
        QTest::newRow("no width, unknown grid") << "files-odd.450dsc"
                                                << "Huge" << 3630 << "has   semicolon  comma";
    }
    void descriptionFileOpened()
    {
        QFETCH(QString, file);
        QFETCH(QString, gridSize);
        QFETCH(int, width);
        QFETCH(QString, first);
        TestContext t;
        t.settings->set<Setting::GridSize>(gridSize);
        mv::test::setCellText(t.state.table, 1, 1, mark("3.69000"));
        mv::test::setCellText(t.state.table, 1, 6, "old one");
        t.state.DataSource = DataSource::Radio;
        t.state.MemoriesChanged = true;
        t.settings->set<Setting::LastOpened>("/somewhere/else.450");
        t.dialogs.answers.enqueue(Answer::Yes);
        t.dialogs.files.enqueue(chosen(testDataPath(file)));
        QVERIFY(LoadMemoryFile(t.ctx));
        // Only the descriptions change: the memories, where they came from and
        // the open file stay.
        QCOMPARE(mv::test::cellOf(t.state.table, 1, 1), mark("3.69000"));
        QCOMPARE(mv::test::cellOf(t.state.table, 1, 6), first);
        QCOMPARE(t.state.DataSource, DataSource::Radio);
        QVERIFY(t.state.MemoriesChanged);
        QCOMPARE(t.settings->get<Setting::LastOpened>(), QString("/somewhere/else.450"));
        QVERIFY(t.state.CurrentFilePath.isEmpty());
        QCOMPARE(t.view.descriptionWidth, width);
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
        t.state.DataSource = DataSource::Radio;
        t.state.MemoriesChanged = true;
        t.state.CurrentFilePath = dir.filePath("suggested.450");
        t.state.HomeDir = "/start/here";
        mv::test::setPmsCellText(t.state.table, 3, 1, mark("50.000000"));
        mv::test::setPmsCellText(t.state.table, 3, 2, "USB");
        mv::test::setPmsCellText(t.state.table, 3, 3, "Simplex");
        mv::test::setCellText(t.state.table, 7, 1, mark("7.07400"));
        mv::test::setCellText(t.state.table, 7, 2, "USB");
        mv::test::setCellText(t.state.table, 7, 3, "Simplex");
        mv::test::setCellText(t.state.table, 7, 5, "67.0");
        mv::test::setCellText(t.state.table, 7, 6, "FT8 40 m");
        t.dialogs.files.enqueue(chosen(dir.filePath("two")));
        QVERIFY(SaveMemoryFile(t.ctx));

        const QString path = dir.filePath("two.450");
        QCOMPARE(readBytes(path), QByteArray("MW00707074000+000000200000;\r\nMW50350000000+000000200000;\r\n"));
        QVERIFY(readBytes(path + "dsc").contains("\r\n7,\"FT8 40 m\"\r\n"));

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
        QTemporaryDir dir;
        const QString path = dir.filePath("old.450");
        QVERIFY(writeBytes(path, "MW00214074000+000000200000;\r\n"));
        t.state.DataSource = DataSource::File;
        t.state.MemoriesChanged = true;
        t.state.CurrentFilePath = "/x/current.450";
        t.state.ConfirmReplace = true;  // left over from an earlier "Save As"
        mv::test::setCellText(t.state.table, 1, 1, mark("7.00000"));
        mv::test::setCellText(t.state.table, 1, 2, "LSB");
        t.dialogs.answers.enqueue(answer);
        t.dialogs.files.enqueue(answer == Answer::Cancel ? FileChoice{} : chosen(path));
        const bool saved = saveAs ? SaveMemoryFileAsCommand(t.ctx) : SaveMemoryFileCommand(t.ctx);
        QCOMPARE(saved, replaced);
        QCOMPARE(readBytes(path), replaced ? QByteArray("MW00107000000+000000100000;\r\n")
                                           : QByteArray("MW00214074000+000000200000;\r\n"));
        QCOMPARE(t.dialogs.fileRequests[0].suggestedName, saveAs ? QString() : QString("/x/current.450"));
        if (saveAs && answer != Answer::Cancel) {
            QCOMPARE(t.dialogs.texts(),
                     QStringList{"Filename " + path + " already exists\r\nDo you wish to replace it?"});
            QCOMPARE(t.dialogs.boxes[0].icon, Icon::Question);
            QCOMPARE(t.dialogs.boxes[0].buttons, Buttons::YesNo);
            QVERIFY(!t.state.ConfirmReplace);  // asked at most once
        } else {
            QVERIFY(t.dialogs.boxes.isEmpty());
        }
        QCOMPARE(t.state.SaveCompleted, replaced);
        QCOMPARE(t.state.MemoriesChanged, !replaced);
        // A Save As that saved nothing does not forget which file is open.
        QCOMPARE(QFileInfo(t.state.CurrentFilePath), QFileInfo(replaced ? path : "/x/current.450"));
    }

    void readOnlyTargetAsksForAnotherName()
    {
        TestContext t;
        QTemporaryDir dir;
        const QString locked = dir.filePath("locked.450");
        QVERIFY(writeBytes(locked, "MW00214074000+000000200000;\r\n"));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        t.state.DataSource = DataSource::File;
        t.state.CurrentFilePath = locked;
        mv::test::setCellText(t.state.table, 1, 1, mark("7.00000"));
        mv::test::setCellText(t.state.table, 1, 2, "LSB");
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
        QTest::newRow("memory file") << 10 << "set.450"
                                     << "%1/set.450" << full << " 61 (Disk full|9";
        QTest::newRow("description file, empty") << records << "set.450"
                                                 << "%1/set.450dsc" << full << " 61 (Disk full|11";
        QTest::newRow("description file, part-way") << records + 100 << "set.450"
                                                    << "%1/set.450dsc" << full << " 61 (Disk full|11";
        QTest::newRow("missing folder") << -1 << "no/set.450"
                                        << "%1/no/set.450"
                                        << "the folder does not exist"
                                        << " 76 (Path not found|8";
    }
    void failedSaveKeepsTheOldSet()
    {
        QFETCH(int, room);
        QFETCH(QString, target);
        QFETCH(QString, atFault);
        QFETCH(QString, reason);
        QFETCH(QString, number);
        TestContext t;
        QTemporaryDir dir;
        const QString path = dir.filePath(target);
        const QString file = atFault.arg(dir.path());
        const QByteArray oldRecords = "MW00214074000+000000200000;\r\n";
        const QByteArray oldDescriptions = "0,\"3450\"\r\n1,\"\"\r\n2,\"old\"\r\n";
        QVERIFY(writeBytes(dir.filePath("set.450"), oldRecords));
        QVERIFY(writeBytes(dir.filePath("set.450dsc"), oldDescriptions));
        t.state.DataSource = DataSource::File;
        t.state.MemoriesChanged = true;
        mv::test::setCellText(t.state.table, 1, 1, mark("7.00000"));
        mv::test::setCellText(t.state.table, 1, 2, "LSB");
        mv::test::setCellText(t.state.table, 1, 6, "new");
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
        QCOMPARE(readBytes(dir.filePath("set.450")), oldRecords);
        QCOMPARE(readBytes(dir.filePath("set.450dsc")), oldDescriptions);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"set.450", "set.450dsc"}));
        QCOMPARE(t.dialogs.texts(),
                 QStringList{"An error has been encountered when trying to save the file.\r\nError number "
                             + number.section('|', 0, 0) + " - " + file + ": " + reason + ") in line  "
                             + number.section('|', 1)
                             + "\r\n\r\nCannot save the file here - please try an alternative location"});
        QCOMPARE(error, "Cannot save " + file + ": " + reason);
        QVERIFY(t.state.MemoriesChanged);
        QVERIFY(!t.state.SaveCompleted);
        QCOMPARE(t.settings->get<Setting::LastOpened>(), QString());
    }

    void unencodableRowsAreLeftOutAndReported()
    {
        TestContext t;
        QTemporaryDir dir;
        t.state.DataSource = DataSource::File;
        t.state.MemoriesChanged = true;
        MemoryTable &tab = t.state.table;
        mv::test::setCellText(tab, 3, 1, mark("7.07400"));
        mv::test::setCellText(tab, 3, 2, "USB");
        mv::test::setCellText(tab, 9, 1, mark("29.62000"));
        mv::test::setCellText(tab, 9, 2, "");  // as a record cut after its frequency leaves it
        const QString path = dir.filePath("partial.450");
        t.dialogs.files.enqueue(chosen(path));
        QVERIFY(SaveMemoryFile(t.ctx));
        QCOMPARE(readBytes(path), QByteArray("MW00307074000+000000200000;\r\n"));
        QCOMPARE(t.dialogs.texts(),
                 QStringList{"The file was saved, but these memories could not be written to it and were left out:\r\n"
                             "Memory 9: the mode '' is not one the radio knows\r\n\r\n"
                             "They are still in the table: correct them and save again."});
        QCOMPARE(t.dialogs.boxes[0].icon, Icon::Exclamation);
        QCOMPARE(t.log.text(), QString("Memory 9 was not saved: the mode '' is not one the radio knows\r\n"));
        // The table keeps the row so that it can be mended.
        QCOMPARE(mv::test::cellOf(tab, 9, 1), mark("29.62000"));
        QVERIFY(t.state.MemoriesChanged);
        QVERIFY(t.state.SaveCompleted);
    }

    // --- the question at exit -----------------------------------------------

    void exitQuestion_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unchanged: no question") << false << Answer::Yes << false << true << false;
        QTest::newRow("changed, Yes saves and closes") << true << Answer::Yes << false << true << true;
        QTest::newRow("changed, No closes without saving") << true << Answer::No << false << true << false;
        QTest::newRow("changed, Cancel stays") << true << Answer::Cancel << false << false << false;
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
        QTemporaryDir dir;
        const QString path = dir.filePath("set.450");
        const QByteArray oldRecords = "MW00214074000+000000200000;\r\n";
        QVERIFY(writeBytes(path, oldRecords));
        t.state.DataSource = DataSource::File;
        t.state.CurrentFilePath = path;
        t.state.MemoriesChanged = changed;
        mv::test::setCellText(t.state.table, 1, 1, mark("7.00000"));
        mv::test::setCellText(t.state.table, 1, 2, "LSB");
        t.dialogs.answers.enqueue(answer);
        t.dialogs.files.enqueue(chosen(path));
        t.dialogs.files.enqueue(FileChoice{});  // after a failed save the user gives up
        {
            SaveSpaceLimit full(saveFails ? 0 : -1);
            QCOMPARE(ConfirmExit(t.ctx), closes);
        }
        if (changed) {
            QCOMPARE(t.dialogs.texts().value(0),
                     QString("Changes have been made but not yet saved to disk. Do you want to save these changes "
                             "before exit?\r\n\r\n   Yes - save the changes and exit,\r\n   No - ignore the changes "
                             "and exit,\r\n   Cancel - do not exit."));
            QCOMPARE(t.dialogs.boxes[0].buttons, Buttons::YesNoCancel);
            QCOMPARE(t.dialogs.boxes[0].icon, Icon::Exclamation);
        } else {
            QVERIFY(t.dialogs.boxes.isEmpty());
        }
        QCOMPARE(readBytes(path), saved ? QByteArray("MW00107000000+000000100000;\r\n") : oldRecords);
        QCOMPARE(t.state.MemoriesChanged, changed && !saved);
    }

    // --- initial file, start-up choice ------------------------------------

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
        QCOMPARE(mv::test::cellOf(t.state.table, 2, 1), mark("14.07400"));
    }

    void initialFileInUnwritableFolderIsReported()
    {
        TestContext t;
        QTemporaryDir dir;
        t.state.HomeDir = dir.filePath("missing-folder");
        CreateInitialMemoryFile(t.ctx);
        QVERIFY(t.log.text().startsWith("The initial memory file "));
        QVERIFY(!LoadMemoryFile(t.ctx));  // ends silently
        QVERIFY(t.dialogs.boxes.isEmpty());
    }

    void startupChoice_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("lastOpened");
        QTest::addColumn<QString>("expected");  // "" none, "*" the initial file
        auto row = [](const char *name, const char *commandLine, const char *lastOpened, const char *expected) {
            QTest::newRow(name) << QString(commandLine) << QString(lastOpened) << QString(expected);
        };
        row("command line wins", "/data/mine.450", "/data/last.450", "/data/mine.450");
        row("quoted command line", "\"/data/my set.450\"", "", "/data/my set.450");
        row("last opened", "", "/data/last.450", "/data/last.450");
        row("nothing: initial file", "", "", "*");
        row("floppy A:", "A:\\MEM.450", "/data/last.450", "");
        row("backup.450 is no drive", "backup.450", "", "backup.450");
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

QTEST_GUILESS_MAIN(TestMemoryDocument)
#include "tst_memorydocument.moc"
