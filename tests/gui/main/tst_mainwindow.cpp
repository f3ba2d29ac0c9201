// The main window driven as a user drives it: start-up with a file, reading and
// writing the simulated radio, loading and saving through the buttons, the views'
// colours, hiding and editability, the exit question.
#include "MainWindowFixture.h"
#include "MemoryRows.h"
#include "TestFiles.h"
#include "cat/CatLink.h"
#include "cat/RadioTransfer.h"
#include "core/MemoryRecord.h"
#include "editing/UndoSnapshot.h"
#include "shell/MessageLog.h"
#include "ui/ImportExportDialog.h"
#include "ui/MemoryGridView.h"
#include "ui/MemoryPrinter.h"
#include "ui/MemoryViewModel.h"
#include "ui/MessagesWindow.h"
#include "ui/TransferWaitWindow.h"
#include "ui/UiMetrics.h"

#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace mv;
using namespace mv::test;

namespace {

const QString kExitQuestion = QStringLiteral(
    "Changes have been made but not yet saved to disk. Do you want to save these changes before exit?\r\n\r\n"
    "   Yes - save the changes and exit,\r\n   No - ignore the changes and exit,\r\n   Cancel - do not exit.");
const QString kReadDone
    = QStringLiteral("The read of memories from the Radio has completed successfully.\r\n"
                     "It is recommended that you save a copy to disk using Write Disk File button.");

bool buttonEnabled(const MainWindowFixture &f, const char *name)
{
    QPushButton *b = f.find<QPushButton>(QString::fromLatin1(name));
    return b && b->isEnabled();
}

QColor pixelOf(MemoryGridView *view, int row, int column)
{
    view->scrollTo(view->model()->index(row - 1, column));
    const QRect r = view->visualRect(view->model()->index(row - 1, column));
    const QImage image = view->viewport()->grab().toImage();
    return image.pixelColor(r.left() + 2, r.center().y());
}

// The keys go to the memory table: Right moves from the frequency to the mode
// of the memory, it does not switch to the PMS tab.
void checkKeysGoToTheTable(const MainWindowFixture &f)
{
    MainWindow &w = *f.window;
    QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.memoryView()));
    const int row = w.CurrentRow();
    QCOMPARE(w.CurrentColumn(), 1);
    QTest::keyClick(w.focusWidget(), Qt::Key_Right);
    QCOMPARE(f.find<QTabWidget>("SSTab1")->currentIndex(), 0);
    QCOMPARE(w.CurrentRow(), row);
    QCOMPARE(w.CurrentColumn(), 2);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void startWithFileOnCommandLine_data();
    void startWithFileOnCommandLine();
    void startDoesNotBlock_data();
    void startDoesNotBlock();
    void nothingLoadedState();
    void bandingAndSourceColours();
    void hideEmptyMemories();
    void rightClickKeepsBlock();
    void loadAndSaveThroughButtons();
    void readRadioFillsTheWindow();
    void readStoppedPartway_data();
    void readStoppedPartway();
    void writeRadioBack();
    void exitQuestion();
    void statusBarClick();
    void importExportButton();
    void windowsFromTheMenus();
};

void TestMainWindow::init() { QGuiApplication::clipboard()->clear(); }

void TestMainWindow::startWithFileOnCommandLine_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("quoted");
    QTest::newRow("quoted by the desktop") << "sample.450" << true;
    QTest::newRow("unquoted with a blank") << "My radio.450" << false;
    QTest::newRow("no extension") << "plain" << true;
}

void TestMainWindow::startWithFileOnCommandLine()
{
    QFETCH(QString, fileName);
    QFETCH(bool, quoted);
    MainWindowFixture f;
    QString path = f.copyData(QStringLiteral("sample.450"),
                              fileName == QLatin1String("plain") ? QStringLiteral("plain.450") : fileName);
    if (fileName == QLatin1String("plain"))
        path.chop(4);  // the load looks for the name + ".450"
    f.preset(Setting::LastOpened, f.copyData(QStringLiteral("files-one-record.450")));
    MainWindow &w = f.create(quoted ? QLatin1Char('"') + path + QLatin1Char('"') : path);
    w.startUp();
    // The window shows first; the file follows from the timer.
    QVERIFY(w.isVisible());
    QCOMPARE(w.session().state().DataSource, DataSource::Nothing);
    QVERIFY(w.startupTimer()->isActive());
    QCOMPARE(w.startupTimer()->interval(), 100);
    QTRY_COMPARE(w.session().state().DataSource, DataSource::File);

    QCOMPARE(w.windowTitle(), QStringLiteral("MEMVAULT V1.0.0"));
    QCOMPARE(mv::test::cellOf(w.session().state().table, 1, 1), QStringLiteral("1.84000"));
    QCOMPARE(mv::test::cellOf(w.session().state().table, 1, 6), QStringLiteral("FT8 160 m"));
    QVERIFY(w.session().state().CurrentFilePath.endsWith(
        fileName == QLatin1String("plain") ? QStringLiteral("plain.450") : fileName));
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel1")->text(),
             QLatin1Char(' ') + QFileInfo(w.session().state().CurrentFilePath).fileName());
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel2")->text(), QStringLiteral("Memories unchanged"));
    for (const char *b : {"cmdReadFile", "cmdRead", "cmdWriteFile", "cmdWriteRig", "cmdImportExport"})
        QVERIFY2(buttonEnabled(f, b), b);
    QVERIFY(f.find<QTabWidget>("SSTab1")->isTabEnabled(1));
    QVERIFY(f.dialogs.boxes.isEmpty());
    checkKeysGoToTheTable(f);
}

void TestMainWindow::startDoesNotBlock_data()
{
    QTest::addColumn<SettingTexts>("settings");
    QTest::addColumn<DataSource>("dataSource");
    QTest::addColumn<QString>("gridItem");
    QTest::newRow("last file on drive A")
        << SettingTexts{{Setting::LastOpened, "A:\\radio.450"}} << DataSource::Nothing << "mnuGridNormal";
    QTest::newRow("garbage everywhere") << SettingTexts{{Setting::LastOpened, "/nowhere/x.450"},
                                                        {Setting::GridSize, "Huge"},
                                                        {Setting::CommPort, "abc"},
                                                        {Setting::UserCommSpeed, "fast"},
                                                        {Setting::MemoryHeight, "-5"},
                                                        {Setting::MemoryWidth, "99999999"},
                                                        {Setting::MemoryTop, "zz"},
                                                        {Setting::MemoryWindowState, "7"},
                                                        {Setting::Log, "maybe"},
                                                        {Setting::RTS, "2"},
                                                        {Setting::UserChosenColumnWidths, "True"},
                                                        {Setting::Column, "wide"},
                                                        {Setting::ErrorListHeight, "-1"},
                                                        {Setting::FirstTime, "1"}}
                                        << DataSource::Nothing << "mnuGridLargest";
}

void TestMainWindow::startDoesNotBlock()
{
    QFETCH(SettingTexts, settings);
    QFETCH(DataSource, dataSource);
    QFETCH(QString, gridItem);
    MainWindowFixture f;
    f.preset(settings);
    MainWindow &w = f.start();
    QTest::qWait(150);
    QVERIFY(w.isVisible());
    QCOMPARE(w.session().state().DataSource, dataSource);
    QVERIFY2(f.dialogs.boxes.isEmpty(), qPrintable(f.dialogs.texts().join('|')));
    QVERIFY(f.action(gridItem)->isChecked());
    // Exactly one port and one speed item ticked, or none for an unknown speed.
    int ticked = 0;
    for (int n = 1; n <= 16; ++n)
        ticked += f.action(QStringLiteral("mnuCom%1").arg(n))->isChecked() ? 1 : 0;
    QCOMPARE(ticked, 1);
    QVERIFY(w.width() > 200 && w.width() < 5000);
    QVERIFY(w.height() > 150 && w.height() < 5000);
}

void TestMainWindow::nothingLoadedState()
{
    MainWindowFixture f;
    f.preset(Setting::LastOpened, QStringLiteral("A:\\none.450"));
    MainWindow &w = f.start();
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel1")->text(),
             QStringLiteral(" Nothing loaded. Read the radio or a file from disk."));
    // The commands on offer are tabled in tst_commandstates; clicking around offers none.
    QVERIFY(!f.find<QTabWidget>("SSTab1")->isTabEnabled(1));
    QVERIFY(!buttonEnabled(f, "cmdWriteFile"));
    w.memoryView()->setCurrentIndex(w.memoryModel()->index(4, 2));
    QVERIFY(!f.action("mnuCopy")->isEnabled());
    QCOMPARE(w.memoryModel()->cellColour(2, 2), QApplication::palette().color(QPalette::Button));
}

void TestMainWindow::bandingAndSourceColours()
{
    MainWindowFixture f;
    MainWindow &w = f.start(f.copyData(QStringLiteral("sample.450")));
    MemoryViewModel *m = w.memoryModel();
    const QColor file(250, 223, 173), band(235, 235, 235);
    QCOMPARE(w.pmsModel()->cellColour(2, 2), file);
    w.memoryView()->setCurrentIndex(m->index(0, 0));
    QCOMPARE(pixelOf(w.memoryView(), 3, 2), file);
    QCOMPARE(pixelOf(w.memoryView(), 151, 2), band);
    QCOMPARE(pixelOf(w.memoryView(), 120, 2), file);
}

void TestMainWindow::hideEmptyMemories()
{
    MainWindowFixture f;
    MainWindow &w = f.start(f.copyData(QStringLiteral("sample.450")));
    const MemoryTable &t = w.session().state().table;
    QAction *hide = f.action("mnuHideEmpty");
    QCOMPARE(hide->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    hide->trigger();
    QVERIFY(hide->isChecked());
    QVERIFY(w.session().state().HideEmptyMemories);
    int hidden = 0;
    for (int n = 1; n <= 500; ++n) {
        const bool shouldHide = n > 1 && t.isEmpty(n) && t.isEmpty(n - 1);
        QCOMPARE(w.memoryView()->isRowHidden(n - 1), shouldHide);
        hidden += shouldHide ? 1 : 0;
    }
    QVERIFY(hidden > 400);
    // Filling the first empty memory of a run shows the next one.
    int firstEmpty = 2;
    while (!(t.isEmpty(firstEmpty) && !t.isEmpty(firstEmpty - 1) && t.isEmpty(firstEmpty + 1)))
        ++firstEmpty;
    QVERIFY(w.memoryView()->isRowHidden(firstEmpty));
    w.session().state().table.setMemory(firstEmpty, t.memory(firstEmpty - 1));
    w.ApplyHideEmpty();
    QVERIFY(!w.memoryView()->isRowHidden(firstEmpty));

    hide->trigger();
    for (int r = 0; r < 500; ++r)
        QVERIFY(!w.memoryView()->isRowHidden(r));
}

void TestMainWindow::rightClickKeepsBlock()
{
    MainWindowFixture f;
    MainWindow &w = f.start(f.copyData(QStringLiteral("sample.450")));
    w.SelectBlock(3, 5, 1, 2);
    QCOMPARE(w.session().state().selection.firstRow, 3);
    QCOMPARE(w.session().state().selection.lastRow, 5);
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel3")->text(), QStringLiteral(" 3"));
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel4")->text(), QStringLiteral(" 5"));
    QVERIFY(f.action("mnuDelete")->isEnabled());
    QVERIFY(f.action("mnuCopy")->isEnabled());
    MemoryGridView *view = w.memoryView();
    const QPoint at = view->visualRect(w.memoryModel()->index(3, 1)).center();
    emit view->customContextMenuRequested(at);
    QMenu *menu = f.find<QMenu>("mnuMemories");
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    QCOMPARE(w.session().state().selection.firstRow, 3);
    QCOMPARE(w.session().state().selection.lastRow, 5);
    QCOMPARE(view->selectionModel()->selectedIndexes().size(), 6);

    // A single cell follows the click.
    w.SelectCell(10, 2);
    emit view->customContextMenuRequested(view->visualRect(w.memoryModel()->index(11, 3)).center());
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    QCOMPARE(w.CurrentRow(), 12);
    QCOMPARE(w.CurrentColumn(), 3);
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel3")->text(), QStringLiteral(" 12"));

    // The PMS view has its own menu.
    f.find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    QVERIFY(!menu->menuAction()->isEnabled());
    QVERIFY(f.find<QMenu>("mnuPMS")->menuAction()->isEnabled());
    emit w.pmsView()->customContextMenuRequested(w.pmsView()->visualRect(w.pmsModel()->index(1, 1)).center());
    QTRY_VERIFY(f.find<QMenu>("mnuPMS")->isVisible());
    f.find<QMenu>("mnuPMS")->close();
}

void TestMainWindow::loadAndSaveThroughButtons()
{
    MainWindowFixture f;
    f.preset(Setting::LastOpened, QStringLiteral("A:\\x.450"));
    MainWindow &w = f.start();
    const QString source = f.copyData(QStringLiteral("sample.450"));
    f.dialogs.files.enqueue(FileChoice{false, source});
    QTest::mouseClick(f.find<QPushButton>("cmdReadFile"), Qt::LeftButton);
    QCOMPARE(w.session().state().DataSource, DataSource::File);
    QCOMPARE(f.dialogs.fileRequests.size(), 1);
    QCOMPARE(f.dialogs.fileRequests[0].filter,
             QStringLiteral("Memories Files (*.450)|*.450|Description Files (*.450dsc)|*.450dsc|All Files (*.*)|*.*"));
    QCOMPARE(f.dialogs.fileRequests[0].startFolder, f.dataDir);

    // An edit marks the set changed; saving clears it.
    mv::test::setCellText(w.session().state().table, 2, 6, QStringLiteral("edited"));
    w.session().state().MemoriesChanged = true;
    w.RefreshChangedState();
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel2")->text(), QStringLiteral("Memories changed"));
    const QString target = f.dataDir + QStringLiteral("/out.450");
    f.dialogs.files.enqueue(FileChoice{false, target});
    QTest::mouseClick(f.find<QPushButton>("cmdWriteFile"), Qt::LeftButton);
    QCOMPARE(fileLines(target).size(), 48);  // 44 memories and the 4 PMS memories
    QVERIFY(fileLines(target).first().startsWith(QStringLiteral("MW001")));
    QCOMPARE(fileLines(target + QStringLiteral("dsc")).size(), 501);
    QCOMPARE(fileLines(target + QStringLiteral("dsc")).at(2), QStringLiteral("2,\"edited\""));
    QCOMPARE(w.session().state().CurrentFilePath, target);
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel1")->text(), QStringLiteral(" out.450"));
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel2")->text(), QStringLiteral("Memories unchanged"));
    QVERIFY(buttonEnabled(f, "cmdWriteFile"));

    // "&Open" is the same load; a name that does not exist is refused with a box.
    f.dialogs.files.enqueue(FileChoice{false, f.dataDir + QStringLiteral("/missing.450")});
    f.action("mnuOpen")->trigger();
    QCOMPARE(f.dialogs.boxes.last().text, QStringLiteral("Filename %1/missing.450 does not exist").arg(f.dataDir));
    QCOMPARE(w.session().state().DataSource, DataSource::File);
    QVERIFY(buttonEnabled(f, "cmdReadFile"));
}

void TestMainWindow::readRadioFillsTheWindow()
{
    MainWindowFixture f;
    QString error;
    QVERIFY2(f.line->radio.loadMemoryFile(testDataPath(QStringLiteral("sample.450")), &error), qPrintable(error));
    f.preset(Setting::LastOpened, QStringLiteral("A:\\x.450"));
    f.preset(Setting::UserCommSpeed, QStringLiteral("9600,N,8,2"));
    MainWindow &w = f.start();

    // Buttons are off while the transfer runs and the wait window shows.
    QList<bool> buttonsDuringRead;
    bool waitWindowSeen = false;
    QProgressBar *bar = w.transferWindow()->findChild<QProgressBar *>(QStringLiteral("pbarClone"));
    QVERIFY(bar);
    QMetaObject::Connection c = connect(bar, &QProgressBar::valueChanged, this, [&](int v) {
        if (v == 100) {
            buttonsDuringRead << buttonEnabled(f, "cmdRead") << buttonEnabled(f, "cmdReadFile");
            waitWindowSeen
                = w.transferWindow()->isVisible()
                  && w.transferWindow()->findChild<QLabel *>(QStringLiteral("lblWaiting"))->isVisible()
                  && !w.transferWindow()->findChild<QLabel *>(QStringLiteral("lblWaitForWrite"))->isVisible();
        }
    });
    f.clickTransfer("cmdRead");
    disconnect(c);

    QCOMPARE(buttonsDuringRead, (QList<bool>{false, false}));
    QVERIFY(waitWindowSeen);
    QVERIFY(!w.transferWindow()->isVisible());
    QCOMPARE(f.dialogs.boxes.first().text,
             QStringLiteral("You are about to read the Radio. \r\n\r\n  1. Ensure your radio is on and connected.\r\n"
                            "  2. Click the OK button\r\n\r\nor click Cancel to abort the memory read."));
    QCOMPARE(f.dialogs.boxes.last().text, kReadDone);
    QCOMPARE(w.session().state().DataSource, DataSource::Radio);
    QVERIFY(!w.session().state().MemoriesChanged);
    QCOMPARE(w.session().state().table.usedMemoryCount(), 44);
    QCOMPARE(mv::test::cellOf(w.session().state().table, 1, 1), QStringLiteral("1.84000"));
    QCOMPARE(pixelOf(w.memoryView(), 2, 1), QColor(204, 204, 255));
    QCOMPARE(pixelOf(w.memoryView(), 60, 1), QColor(235, 235, 235));
    // With MEMVAULT_SCREENSHOT_DIR set the window is kept as a picture for a look by eye.
    const QString shots = qEnvironmentVariable("MEMVAULT_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        w.grab().save(shots + QStringLiteral("/main-window.png"));
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel2")->text(), QStringLiteral("Memories unchanged"));
    for (const char *b : {"cmdReadFile", "cmdRead", "cmdWriteFile", "cmdWriteRig", "cmdImportExport"})
        QVERIFY2(buttonEnabled(f, b), b);
    QCOMPARE(w.CurrentRow(), 1);
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel3")->text(), QStringLiteral(" 1"));
    QCOMPARE(f.find<QLabel>("StatusBar1_Panel4")->text(), QStringLiteral(" 1"));
    QVERIFY(f.action("mnuCopy")->isEnabled());
    QVERIFY(!w.session().link().isOpen());
    QVERIFY(f.line->openLog.last().startsWith(QStringLiteral("9600,N,8,2")));
    checkKeysGoToTheTable(f);
}

void TestMainWindow::readStoppedPartway_data()
{
    QTest::addColumn<bool>("byClose");
    QTest::addColumn<int>("memories");  // read when the user stops it
    QTest::newRow("a click on the wait window's message") << false << 10;
    QTest::newRow("closing the window") << true << 20;
}

void TestMainWindow::readStoppedPartway()
{
    QFETCH(bool, byClose);
    QFETCH(int, memories);
    MainWindowFixture f;
    fillRadioForWindow(f.line->radio);
    f.preset(Setting::LastOpened, QStringLiteral("A:\\x.450"));
    MainWindow &w = f.start();
    QLabel *message = w.transferWindow()->findChild<QLabel *>(QStringLiteral("lblWaiting"));
    QCOMPARE(message->text(), TransferWaitWindow::readMessage().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(message->font().pointSize(), 10);
    bool refused = false;
    const QByteArray when = QByteArray("MR") + QByteArray::number(memories).rightJustified(3, '0') + ';';
    f.line->onWrite = [&](const QByteArray &written) {
        if (written != when)
            return;
        if (byClose)
            f.onWindowThread([&] { refused = !w.close(); });
        else
            f.onWindowThread([&] { QTest::mouseClick(message, Qt::LeftButton); });
    };
    f.clickTransfer("cmdRead");
    // The read stops after the memory in hand and says so; a close waits for it, then happens.
    QVERIFY(w.session().transfer().summary().cancelled);
    QCOMPARE(w.session().state().table.usedMemoryCount(), memories);
    QVERIFY(!f.dialogs.texts().contains(kReadDone));
    QVERIFY(!w.transferWindow()->isVisible());
    QVERIFY(!w.session().link().isOpen());
    QCOMPARE(refused, byClose);
    if (byClose)
        QTRY_VERIFY(!w.isVisible());
    else
        QVERIFY(buttonEnabled(f, "cmdRead"));
}

void TestMainWindow::writeRadioBack()
{
    MainWindowFixture f;
    QString error;
    QVERIFY(f.line->radio.loadMemoryFile(testDataPath(QStringLiteral("sample.450")), &error));
    f.preset(Setting::LastOpened, QStringLiteral("A:\\x.450"));
    MainWindow &w = f.start();
    f.clickTransfer("cmdRead");
    QCOMPARE(w.session().state().DataSource, DataSource::Radio);

    // The radio lost memory 3; writing back restores it and touches nothing else.
    const QByteArray memory3 = f.line->radio.memory(3);
    QVERIFY(!memory3.isEmpty());
    f.line->radio.clearMemory(3);
    f.line->radio.commands.clear();
    f.dialogs.clear();
    bool writeMessageSeen = false;
    QProgressBar *bar = w.transferWindow()->findChild<QProgressBar *>(QStringLiteral("pbarClone"));
    QMetaObject::Connection c = connect(bar, &QProgressBar::valueChanged, this, [&](int v) {
        if (v == 5)
            writeMessageSeen = w.transferWindow()->findChild<QLabel *>(QStringLiteral("lblWaitForWrite"))->isVisible()
                               && !buttonEnabled(f, "cmdWriteRig");
    });
    f.clickTransfer("cmdWriteRig");
    disconnect(c);
    QVERIFY(writeMessageSeen);
    QCOMPARE(f.line->radio.memory(3), memory3);
    int writes = 0;
    for (const QString &cmd : f.line->radio.commands)
        writes += cmd.startsWith(QStringLiteral("MW")) ? 1 : 0;
    QCOMPARE(writes, 1);
    QVERIFY(f.dialogs.texts().join('|').contains(QStringLiteral("Transfer of memories completed.")));
    QCOMPARE(w.session().state().DataSource, DataSource::Radio);
    QVERIFY(buttonEnabled(f, "cmdWriteRig"));
    QVERIFY(!w.session().link().isOpen());
}

void TestMainWindow::exitQuestion()
{
    // Closing the window asks the exit question (its answers: tst_memorydocument)
    // and stays or closes as it says.
    MainWindowFixture f;
    MainWindow &w = f.start(f.copyData(QStringLiteral("sample.450")));
    const QString undoFile = w.session().undo().filePath();
    w.session().state().MemoriesChanged = true;
    f.dialogs.clear();
    f.dialogs.answers.enqueue(Answer::Cancel);
    QVERIFY(!w.close());
    QCOMPARE(f.dialogs.texts(), QStringList{kExitQuestion});
    QVERIFY(w.isVisible());
    f.dialogs.answers.enqueue(Answer::No);
    QVERIFY(w.close());
    QCOMPARE(f.dialogs.texts(), QStringList({kExitQuestion, kExitQuestion}));
    QVERIFY(!w.isVisible());
    QVERIFY(!w.session().link().isOpen());
    QVERIFY(undoFile.isEmpty() || !QFile::exists(undoFile));
    f.window.reset();
}

void TestMainWindow::statusBarClick()
{
    MainWindowFixture f;
    f.preset(Setting::LastOpened, QStringLiteral("A:\\x.450"));
    MainWindow &w = f.start();
    QTest::mouseClick(f.find<QLabel>("StatusBar1_Panel2"), Qt::LeftButton);
    QTRY_COMPARE(f.dialogs.boxes.size(), 1);
    QCOMPARE(f.dialogs.boxes[0].text, QStringLiteral("No file is currently loaded"));
    QCOMPARE(f.dialogs.boxes[0].icon, Icon::None);

    f.dialogs.files.enqueue(FileChoice{false, f.copyData(QStringLiteral("sample.450"))});
    QTest::mouseClick(f.find<QPushButton>("cmdReadFile"), Qt::LeftButton);
    QTest::mouseClick(f.find<QLabel>("StatusBar1_Panel1"), Qt::LeftButton);
    QTRY_COMPARE(f.dialogs.boxes.size(), 2);
    QCOMPARE(f.dialogs.boxes[1].text, QDir::toNativeSeparators(w.session().state().CurrentFilePath));
}

void TestMainWindow::importExportButton()
{
    MainWindowFixture f;
    MainWindow &w = f.start(f.copyData(QStringLiteral("sample.450")));
    QPushButton *button = f.find<QPushButton>("cmdImportExport");
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(w.importExportWindow());
    QVERIFY(w.importExportWindow()->isVisible());
    QCOMPARE(w.importExportWindow()->objectName(), QStringLiteral("frmImportExport"));
    QVERIFY(!button->isEnabled());
    // "Export only selected mems": a click picks the whole memory, the "&Memories" menu is off.
    QMenu *memories = f.find<QMenu>("mnuMemories");
    QTest::mouseClick(w.importExportWindow()->findChild<QCheckBox *>(QStringLiteral("chkExportSelected")),
                      Qt::LeftButton);
    MemoryGridView *view = w.memoryView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(w.memoryModel()->index(4, 2)).center());
    QVERIFY(view->selectionModel()->isRowSelected(4, {}));
    QVERIFY(!memories->menuAction()->isEnabled());
    // Closing ends the picking.
    QTest::mouseClick(w.importExportWindow()->findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
    QTRY_VERIFY(!w.importExportWindow());
    QVERIFY(button->isEnabled());
    QVERIFY(memories->menuAction()->isEnabled());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(w.memoryModel()->index(6, 2)).center());
    QVERIFY(!view->selectionModel()->isRowSelected(6, {}));
}

void TestMainWindow::windowsFromTheMenus()
{
    MainWindowFixture f;
    MainWindow &w = f.start(f.copyData(QStringLiteral("sample.450")));
    QAction *rules = f.action("mnuBandPlan");
    QVERIFY(!rules->isChecked());
    // The rules window: switching rules on and confirming ticks the menu item.
    bool ran = false;
    onNextModal(
        [&](QWidget *modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("frmRepeaterRules"));
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cmdLoadDefaultUK")), Qt::LeftButton);
            modal->findChild<QCheckBox *>(QStringLiteral("ChkRulesEnabled"))->setChecked(true);
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
        },
        &ran);
    rules->trigger();
    QVERIFY(ran);
    QVERIFY(rules->isChecked());
    // Cancel leaves the tick as the rules are.
    ran = false;
    onNextModal(
        [&](QWidget *modal) {
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cmdCancel")), Qt::LeftButton);
        },
        &ran);
    rules->trigger();
    QVERIFY(ran);
    QVERIFY(rules->isChecked());

    ran = false;
    onNextModal(
        [&](QWidget *modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("frmSelectPrintColumns"));
            QCOMPARE(modal->windowTitle(), QStringLiteral("Select memory columns to print"));
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cmdCancel")), Qt::LeftButton);
        },
        &ran);
    f.action("mnuPrintOptions")->trigger();
    QVERIFY(ran);
    QCOMPARE(f.action("mnuPrint")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QVERIFY(w.printer());
    // Alt+F, E reaches the PDF export: no other File item has E for its key.
    QCOMPARE(f.action("mnuExportPdf")->text(), QStringLiteral("&Export to PDF..."));
    for (QAction *a : f.find<QMenu>("mnuFile")->actions()) {
        const qsizetype amp = a->text().indexOf(QLatin1Char('&'));
        if (a->objectName() != QLatin1String("mnuExportPdf") && amp >= 0)
            QVERIFY2(a->text().at(amp + 1).toUpper() != QLatin1Char('E'), qPrintable(a->text()));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
