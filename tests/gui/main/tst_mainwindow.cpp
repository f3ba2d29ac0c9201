// The main window driven as a user drives it: reading and writing the simulated
// radio, loading and saving through the buttons, the views' colours and menus,
// the Import/Export and rules windows.
#include "MainWindowFixture.h"
#include "MemoryRows.h"
#include "TestFiles.h"
#include "cat/CatLink.h"
#include "cat/RadioTransfer.h"
#include "ui/ImportExportDialog.h"
#include "ui/MemoryGridView.h"
#include "ui/MemoryViewModel.h"
#include "ui/TransferWaitWindow.h"

#include <QCheckBox>
#include <QMenu>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtTest>

using namespace mv;
using namespace mv::test;

namespace {

const QString kReadDone
    = QStringLiteral("The read of memories from the Radio has completed successfully.\r\n"
                     "It is recommended that you save a copy to disk using Write Disk File button.");

// The label of the wait window, or its progress bar, while a transfer runs.
template <typename T> T *waitPart(MainWindow &w, const char *name)
{
    return w.transferWindow()->findChild<T *>(QLatin1String(name));
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void rightClickKeepsBlock()
    {
        MainWindowFixture f;
        MainWindow &w = f.start(f.copyData("sample.450"));
        MemoryGridView *view = w.memoryView();
        QMenu *menu = f.find<QMenu>("mnuMemories");
        auto rightClick = [&](MemoryGridView *v, QMenu *m, int row, int column) {
            emit v->customContextMenuRequested(v->visualRect(v->model()->index(row, column)).center());
            QTRY_VERIFY(m->isVisible());
            m->close();
        };
        w.SelectBlock(3, 5, 1, 2);
        rightClick(view, menu, 3, 1);
        QCOMPARE(f.panel(3), " 3");
        QCOMPARE(f.panel(4), " 5");
        QCOMPARE(view->selectionModel()->selectedIndexes().size(), 6);
        // A single cell follows the click.
        w.SelectCell(10, 2);
        rightClick(view, menu, 11, 3);
        QCOMPARE(w.CurrentRow(), 12);
        QCOMPARE(w.CurrentColumn(), 3);
        QCOMPARE(f.panel(3), " 12");
        // The PMS view has its own menu.
        f.find<QTabWidget>("SSTab1")->setCurrentIndex(1);
        QVERIFY(!menu->menuAction()->isEnabled());
        rightClick(w.pmsView(), f.find<QMenu>("mnuPMS"), 1, 1);
    }

    void loadAndSaveThroughButtons()
    {
        MainWindowFixture f;
        f.preset(Setting::LastOpened, "A:\\x.450");
        MainWindow &w = f.start();
        QCOMPARE(f.panel(1), " Nothing loaded. Read the radio or a file from disk.");
        // A click on the status bar names the file loaded.
        QTest::mouseClick(f.find<QLabel>("StatusBar1_Panel2"), Qt::LeftButton);
        QTRY_COMPARE(f.dialogs.texts(), QStringList{"No file is currently loaded"});
        f.dialogs.files.enqueue(FileChoice{false, f.copyData("sample.450")});
        f.click("cmdReadFile");
        QCOMPARE(w.session().state().DataSource, DataSource::File);
        QCOMPARE(f.dialogs.fileRequests[0].startFolder, f.dataDir);
        QTest::mouseClick(f.find<QLabel>("StatusBar1_Panel1"), Qt::LeftButton);
        QTRY_COMPARE(f.dialogs.boxes.size(), 2);
        QCOMPARE(f.dialogs.boxes[1].text, QDir::toNativeSeparators(w.session().state().CurrentFilePath));

        // An edit marks the set changed; saving clears it.
        mv::test::setCellText(w.session().state().table, 2, 6, "edited");
        w.session().state().MemoriesChanged = true;
        w.RefreshChangedState();
        QCOMPARE(f.panel(2), "Memories changed");
        const QString target = f.dataDir + "/out.450";
        f.dialogs.files.enqueue(FileChoice{false, target});
        f.click("cmdWriteFile");
        QCOMPARE(fileLines(target).size(), 48);  // 44 memories and the 4 PMS memories
        QCOMPARE(fileLines(target + "dsc").at(2), "2,\"edited\"");
        QCOMPARE(f.panel(1), " out.450");
        QCOMPARE(f.panel(2), "Memories unchanged");
        // "&Open" is the same load: a name that does not exist leaves the file loaded.
        f.dialogs.files.enqueue(FileChoice{false, f.dataDir + "/missing.450"});
        f.action("mnuOpen")->trigger();
        QCOMPARE(w.session().state().CurrentFilePath, target);
    }

    void readAndWriteTheRadio()
    {
        MainWindowFixture f;
        f.radioWithSample();
        f.preset(Setting::UserCommSpeed, "9600,N,8,2");
        MainWindow &w = f.start();
        // Buttons are off while the transfer runs and the wait window shows.
        QList<bool> during;
        QMetaObject::Connection c
            = connect(waitPart<QProgressBar>(w, "pbarClone"), &QProgressBar::valueChanged, this, [&](int v) {
                  if (v == 100)
                      during << f.enabled("cmdRead") << f.enabled("cmdReadFile")
                             << waitPart<QLabel>(w, "lblWaiting")->isVisible()
                             << waitPart<QLabel>(w, "lblWaitForWrite")->isVisible();
              });
        f.clickTransfer("cmdRead");
        disconnect(c);
        QCOMPARE(during, (QList<bool>{false, false, true, false}));
        QVERIFY(!w.transferWindow()->isVisible());
        QCOMPARE(f.dialogs.boxes.size(), 2);  // the question before, the outcome after
        QCOMPARE(f.dialogs.boxes.last().text, kReadDone);
        QCOMPARE(w.session().state().DataSource, DataSource::Radio);
        QCOMPARE(w.session().state().table.usedMemoryCount(), 44);
        const QRect cell = w.memoryView()->visualRect(w.memoryModel()->index(1, 1));  // memories from the radio
        QCOMPARE(w.memoryView()->viewport()->grab().toImage().pixelColor(cell.left() + 2, cell.center().y()),
                 QColor(204, 204, 255));
        QCOMPARE(f.panel(3), " 1");
        QVERIFY(f.action("mnuCopy")->isEnabled());
        QVERIFY(!w.session().link().isOpen());
        QVERIFY(f.line->openLog.last().startsWith("9600,N,8,2"));
        // Every button is back on, and the keys go to the memory table (Right moves from
        // the frequency to the mode, not to the PMS tab).
        for (const char *b : {"cmdReadFile", "cmdRead", "cmdWriteFile", "cmdWriteRig", "cmdImportExport"})
            QVERIFY2(f.enabled(b), b);
        QCOMPARE(f.panel(2), "Memories unchanged");
        QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.memoryView()));
        QCOMPARE(w.CurrentColumn(), 1);
        QTest::keyClick(w.focusWidget(), Qt::Key_Right);
        QCOMPARE(f.find<QTabWidget>("SSTab1")->currentIndex(), 0);
        QCOMPARE(w.CurrentRow(), 1);
        QCOMPARE(w.CurrentColumn(), 2);

        // The radio lost memory 3; writing back restores it and touches nothing else.
        const QByteArray memory3 = f.line->radio.memory(3);
        QVERIFY(!memory3.isEmpty());
        f.line->radio.clearMemory(3);
        f.line->radio.commands.clear();
        f.dialogs.clear();
        bool writeMessageSeen = false;
        c = connect(waitPart<QProgressBar>(w, "pbarClone"), &QProgressBar::valueChanged, this, [&](int v) {
            if (v == 5)
                writeMessageSeen = waitPart<QLabel>(w, "lblWaitForWrite")->isVisible() && !f.enabled("cmdWriteRig");
        });
        f.clickTransfer("cmdWriteRig");
        disconnect(c);
        QVERIFY(writeMessageSeen);
        QCOMPARE(f.line->radio.memory(3), memory3);
        QCOMPARE(f.line->radio.commands.filter(QRegularExpression("^MW")).size(), 1);
        QVERIFY(f.dialogs.texts().join('|').contains("Transfer of memories completed."));
        QVERIFY(f.enabled("cmdWriteRig"));
        QVERIFY(!w.session().link().isOpen());
    }

    void readStoppedPartway_data()
    {
        QTest::addColumn<bool>("byClose");
        QTest::addColumn<int>("memories");  // read when the user stops it
        QTest::newRow("a click on the wait window's message") << false << 10;
        QTest::newRow("closing the window") << true << 20;
    }

    void readStoppedPartway()
    {
        QFETCH(bool, byClose);
        QFETCH(int, memories);
        MainWindowFixture f;
        f.radioWithSample();  // memories 1 to 44 in use
        MainWindow &w = f.start();
        QLabel *message = waitPart<QLabel>(w, "lblWaiting");
        bool refused = false;
        const QByteArray when = QByteArray("MR") + QByteArray::number(memories).rightJustified(3, '0') + ';';
        // From the simulator's hook on the transfer's thread, the stop lands at an exact memory.
        f.line->onWrite = [&](const QByteArray &written) {
            if (written == when)
                QMetaObject::invokeMethod(
                    &w, [&] { byClose ? void(refused = !w.close()) : QTest::mouseClick(message, Qt::LeftButton); },
                    Qt::BlockingQueuedConnection);
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
            QVERIFY(f.enabled("cmdRead"));
    }

    void importExportButton()
    {
        MainWindowFixture f;
        MainWindow &w = f.start(f.copyData("sample.450"));
        f.click("cmdImportExport");
        QVERIFY(w.importExportWindow()->isVisible());
        QVERIFY(!f.enabled("cmdImportExport"));
        // "Export only selected mems": a click picks the whole memory, the "&Memories" menu is off.
        QMenu *memories = f.find<QMenu>("mnuMemories");
        QTest::mouseClick(w.importExportWindow()->findChild<QCheckBox *>("chkExportSelected"), Qt::LeftButton);
        MemoryGridView *view = w.memoryView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(w.memoryModel()->index(4, 2)).center());
        QVERIFY(view->selectionModel()->isRowSelected(4, {}));
        QVERIFY(!memories->menuAction()->isEnabled());
        // Closing ends the picking.
        QTest::mouseClick(w.importExportWindow()->findChild<QPushButton *>("cmdClose"), Qt::LeftButton);
        QTRY_VERIFY(!w.importExportWindow());
        QVERIFY(f.enabled("cmdImportExport"));
        QVERIFY(memories->menuAction()->isEnabled());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(w.memoryModel()->index(6, 2)).center());
        QVERIFY(!view->selectionModel()->isRowSelected(6, {}));
    }

    void windowsFromTheMenus()
    {
        MainWindowFixture f;
        f.start(f.copyData("sample.450"));
        // The rules window: switching rules on and confirming ticks the menu item.
        QAction *rules = f.action("mnuBandPlan");
        QVERIFY(!rules->isChecked());
        bool ran = false;
        onNextModal(
            [&](QWidget *modal) {
                QTest::mouseClick(modal->findChild<QPushButton *>("cmdLoadDefaultUK"), Qt::LeftButton);
                modal->findChild<QCheckBox *>("ChkRulesEnabled")->setChecked(true);
                QTest::mouseClick(modal->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
            },
            &ran);
        rules->trigger();
        QVERIFY(ran);
        QVERIFY(rules->isChecked());
        ran = false;
        onNextModal([&](QWidget *modal) { modal->findChild<QPushButton *>("cmdCancel")->click(); }, &ran);
        f.action("mnuPrintOptions")->trigger();
        QVERIFY(ran);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
