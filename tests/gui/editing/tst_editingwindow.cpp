// The editing commands, clipboard, undo, sort, find and cell editors driven
// through the main window by menu items and keys, headless.
#include "../PickListGestures.h"
#include "EditingWindow.h"
#include "MemoryRows.h"

#include "shell/MessageLog.h"
#include "ui/ErrorListWindow.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QWheelEvent>

using namespace mv;
using mv::test::EditingWindow;

namespace {
QString panel(EditingWindow &w, int n)
{
    return w.window->findChild<QLabel *>(QStringLiteral("StatusBar1_Panel%1").arg(n))->text();
}
}  // namespace

class TestEditingWindow : public QObject {
    Q_OBJECT

private slots:
    void insertAboveMemory10()
    {
        EditingWindow w;
        w.useRange(10, 15);
        w.use(17);
        w.loaded();
        w.clickCell(10, 1);
        w.key(Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(w.shown(10, 1), QString("Empty"));
        QCOMPARE(w.shown(11, 1), EditingWindow::frequencyOf(10));
        QCOMPARE(w.shown(16, 1), EditingWindow::frequencyOf(15));
        QCOMPARE(w.shown(17, 1), EditingWindow::frequencyOf(17));
        QCOMPARE(w.shown(11, 0), QString("11"));
        QCOMPARE(w.view()->currentIndex().row() + 1, 11);
        QCOMPARE(w.action("mnuUndo")->text(), QString("Undo last InsertAbove"));
        QVERIFY(w.action("mnuUndo")->isEnabled());
    }

    void removeMemories3To5()
    {
        EditingWindow w;
        w.useRange(1, 500);
        w.loaded();
        w.selectBlock(3, 5);
        QCOMPARE(panel(w, 3), QString(" 3"));
        QCOMPARE(panel(w, 4), QString(" 5"));
        w.key(Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(w.dialogs.texts(), QStringList{"Are you sure you want to remove memories 3 to 5"});
        QCOMPARE(w.shown(3, 1), EditingWindow::frequencyOf(6));
        QCOMPARE(w.shown(497, 1), EditingWindow::frequencyOf(500));
        for (int n = 498; n <= 500; ++n)
            QCOMPARE(w.shown(n, 1), QString("Empty"));
        QCOMPARE(w.shown(500, 0), QString("500"));
    }

    void deleteMemories3To5()
    {
        EditingWindow w;
        w.useRange(1, 10);
        w.loaded();
        w.selectBlock(3, 5, 1, 6);
        w.key(Qt::Key_Delete);
        QCOMPARE(w.dialogs.texts(), QStringList{"Are you sure you want to delete memories 3 to 5"});
        for (int n = 3; n <= 5; ++n) {
            QCOMPARE(w.shown(n, 1), QString("Empty"));
            QCOMPARE(w.shown(n, 6), QString());
        }
        QCOMPARE(w.shown(2, 1), EditingWindow::frequencyOf(2));
        QCOMPARE(w.shown(6, 1), EditingWindow::frequencyOf(6));
        QCOMPARE(w.view()->currentIndex().row() + 1, 3);
    }

    void cancelledDeleteKeepsTheMemory()
    {
        EditingWindow w;
        w.useRange(1, 10);
        w.loaded();
        w.clickCell(7, 2);
        w.dialogs.answers.enqueue(Answer::Cancel);
        w.key(Qt::Key_Delete);
        QCOMPARE(w.dialogs.texts(), QStringList{"Are you sure you want to delete memory 7"});
        QCOMPARE(w.shown(7, 1), EditingWindow::frequencyOf(7));
        QVERIFY(!w.action("mnuUndo")->isEnabled());
    }

    void movesAtTheTableEnds()
    {
        EditingWindow w;
        w.useRange(1, 500);
        w.loaded();
        w.selectBlock(499, 500, 2, 2);
        w.key(Qt::Key_F12);
        QCOMPARE(w.shown(499, 1), EditingWindow::frequencyOf(499));
        QCOMPARE(w.shown(500, 1), EditingWindow::frequencyOf(500));
        // The block is selected over the whole memory.
        QVERIFY(w.view()->selectionModel()->isSelected(w.window->memoryModel()->index(498, 1)));
        QVERIFY(w.view()->selectionModel()->isSelected(w.window->memoryModel()->index(499, 6)));
        QVERIFY(!w.state().MemoriesChanged);

        w.selectBlock(1, 2);
        w.key(Qt::Key_F11);
        QCOMPARE(w.shown(1, 1), EditingWindow::frequencyOf(1));

        w.selectBlock(3, 4);
        w.key(Qt::Key_F12);
        w.key(Qt::Key_F12);
        QCOMPARE(w.shown(5, 1), EditingWindow::frequencyOf(3));
        QCOMPARE(w.shown(6, 1), EditingWindow::frequencyOf(4));
        QCOMPARE(w.shown(3, 1), EditingWindow::frequencyOf(5));
        QCOMPARE(panel(w, 2), QString("Memories changed"));
        w.key(Qt::Key_F11);
        QCOMPARE(w.shown(4, 1), EditingWindow::frequencyOf(3));
    }

    void fillDownOverAnEmptyMemory()
    {
        EditingWindow w;
        w.use(3, "14.20000", "USB");
        w.use(5, "7.05000", "LSB");
        w.use(6, "7.06000", "CW");
        w.loaded();
        w.selectBlock(3, 6, 2, 3);
        w.key(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(w.shown(4, 1), QString("Empty"));
        QCOMPARE(w.shown(4, 2), QString());
        QCOMPARE(w.shown(5, 2), QString("USB"));
        QCOMPARE(w.shown(6, 2), QString("USB"));
        QCOMPARE(w.shown(6, 1), QString("7.06000"));
        QVERIFY(w.state().MemoriesChanged);
        QCOMPARE(w.action("mnuUndo")->text(), QString("Undo last FillDown"));
    }

    void compactWithEmptiesAt1And3And499()
    {
        EditingWindow w;
        w.useRange(1, 500);
        for (int n : {1, 3, 499})
            w.table().ClearMemoryRow(n);
        w.loaded();
        w.key(Qt::Key_H, Qt::ControlModifier);
        QVERIFY(w.action("mnuHideEmpty")->isChecked());
        w.action("mnuCompact")->trigger();
        QCOMPARE(w.shown(1, 1), EditingWindow::frequencyOf(2));
        QCOMPARE(w.shown(2, 1), EditingWindow::frequencyOf(4));
        QCOMPARE(w.shown(497, 1), EditingWindow::frequencyOf(500));
        for (int n = 498; n <= 500; ++n) {
            QCOMPARE(w.shown(n, 1), QString("Empty"));
            QVERIFY(!w.view()->isRowHidden(n - 1));
        }
        QVERIFY(!w.action("mnuHideEmpty")->isChecked());
        QCOMPARE(w.action("mnuUndo")->text(), QString("Undo last Compact"));
    }

    void copy10To12AndPasteAt11()
    {
        EditingWindow w;
        w.useRange(10, 13);
        w.loaded();
        QVERIFY(!w.action("mnuPaste")->isEnabled());
        w.selectBlock(10, 12, 1, 2);
        w.key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("7.10000\tFM\r\n7.11000\tFM\r\n7.12000\tFM"));
        w.clickCell(11, 1);
        QVERIFY(w.action("mnuPaste")->isEnabled());
        w.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.shown(10, 1), EditingWindow::frequencyOf(10));
        QCOMPARE(w.shown(11, 1), EditingWindow::frequencyOf(10));
        QCOMPARE(w.shown(12, 1), EditingWindow::frequencyOf(11));
        QCOMPARE(w.shown(13, 1), EditingWindow::frequencyOf(12));
        QCOMPARE(w.shown(13, 6), QString("Memory 12"));
        QCOMPARE(panel(w, 2), QString("Memories changed"));
    }

    void cutAndPasteAt20()
    {
        EditingWindow w;
        w.useRange(10, 12);
        w.loaded();
        w.selectBlock(10, 12);
        w.key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(w.shown(10, 1), EditingWindow::frequencyOf(10));  // nothing moves yet
        w.clickCell(20, 1);
        w.key(Qt::Key_V, Qt::ControlModifier);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w.shown(10 + i, 1), QString("Empty"));
            QCOMPARE(w.shown(20 + i, 1), EditingWindow::frequencyOf(10 + i));
        }
        QVERIFY(!w.action("mnuPaste")->isEnabled());
    }

    void pasteAt498_data()
    {
        QTest::addColumn<bool>("cut");
        QTest::newRow("copy") << false;
        QTest::newRow("cut") << true;
    }
    void pasteAt498()
    {
        QFETCH(bool, cut);
        EditingWindow w;
        w.useRange(10, 14);
        w.loaded();
        w.selectBlock(10, 14);
        w.key(cut ? Qt::Key_X : Qt::Key_C, Qt::ControlModifier);
        w.clickCell(498, 1);
        w.key(Qt::Key_V, Qt::ControlModifier);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(w.shown(498 + i, 1), EditingWindow::frequencyOf(10 + i));
        QCOMPARE(w.shown(12, 1), cut ? QString("Empty") : EditingWindow::frequencyOf(12));
        QCOMPARE(w.shown(13, 1), EditingWindow::frequencyOf(13));
        QCOMPARE(w.shown(14, 1), EditingWindow::frequencyOf(14));
    }

    void undoAfterDeleteWithHiddenEmpties()
    {
        EditingWindow w;
        w.useRange(1, 20);
        w.loaded();
        w.key(Qt::Key_H, Qt::ControlModifier);
        QVERIFY(!w.view()->isRowHidden(20));  // the first empty one stays
        QVERIFY(w.view()->isRowHidden(21));
        w.selectBlock(3, 5);
        w.key(Qt::Key_Delete);
        QCOMPARE(w.shown(4, 1), QString("Empty"));
        w.clickCell(8, 1);
        w.key(Qt::Key_Z, Qt::ControlModifier);
        for (int n = 3; n <= 5; ++n)
            QCOMPARE(w.shown(n, 1), EditingWindow::frequencyOf(n));
        for (int r = 0; r < 500; ++r)
            QVERIFY(!w.view()->isRowHidden(r));
        QVERIFY(!w.action("mnuHideEmpty")->isChecked());
        QVERIFY(!w.action("mnuUndo")->isEnabled());
        QCOMPARE(w.view()->currentIndex().row() + 1, 8);
        QCOMPARE(w.view()->currentIndex().column(), 1);
    }

    void sortByDescriptionThenUndoNamesCompact()
    {
        EditingWindow w;
        w.use(3, {}, "FM", "Zulu");
        w.use(8, {}, "FM", "Alpha");
        w.loaded();
        w.selectBlock(1, 10);
        w.action("mnuSortDescription")->trigger();
        QCOMPARE(w.shown(1, 6), QString("Alpha"));
        QCOMPARE(w.shown(2, 6), QString("Zulu"));
        QCOMPARE(w.shown(3, 1), QString("Empty"));
        QCOMPARE(w.action("mnuUndo")->text(), QString("Undo last Compact"));
        w.action("mnuUndo")->trigger();
        // Sorted, not yet compacted: the eight empty memories first.
        QCOMPARE(w.shown(9, 6), QString("Alpha"));
        QCOMPARE(w.shown(10, 6), QString("Zulu"));
        QCOMPARE(w.shown(1, 1), QString("Empty"));
    }

    void entering14Point2IntoAnEmptyMemory()
    {
        EditingWindow w;
        w.use(1);
        w.loaded();
        w.typeIntoCell(2, 1, "14.2");
        QCOMPARE(w.shown(2, 1), QString("14.20000"));
        QCOMPARE(w.shown(2, 2), QString("USB"));
        QCOMPARE(w.shown(2, 3), QString("Simplex"));
        QCOMPARE(w.shown(2, 5), QString("67.0"));
        QVERIFY(!w.editor());
        QVERIFY(w.dialogs.boxes.isEmpty());
        QCOMPARE(panel(w, 2), QString("Memories changed"));
    }

    void emptyMemoryOffersNoEditorButForItsFrequency()
    {
        EditingWindow w;
        w.use(1);
        w.loaded();
        w.clickCell(3, 2);
        w.key(Qt::Key_F2);
        QVERIFY(!w.editor());
        w.clickCell(3, 1);
        w.key(Qt::Key_F2);
        QVERIFY(w.lineEditor());
    }

    void refusedFrequencyLeavesUndoGridEdit()
    {
        EditingWindow w;
        w.use(1);
        w.loaded();
        w.typeIntoCell(4, 1, "99");
        QCOMPARE(w.dialogs.texts(), QStringList{"Frequency is outside the range of the radio"});
        QVERIFY(w.lineEditor());  // the editor stays open on the text
        QCOMPARE(w.lineEditor()->text(), QString("99"));
        QCOMPARE(w.shown(4, 1), QString("Empty"));
        QVERIFY(w.action("mnuUndo")->isEnabled());
        QCOMPARE(w.action("mnuUndo")->text(), QString("Undo last GridEdit"));
        QVERIFY(!w.action("mnuDelete")->isEnabled());
        QTest::keyClick(w.lineEditor(), Qt::Key_Escape);
        QTRY_VERIFY(!w.editor());
        QVERIFY(w.action("mnuDelete")->isEnabled());
        QCOMPARE(w.shown(4, 1), QString("Empty"));
    }

    void refusedFrequencyReopensWhenTheUserClicksAway()
    {
        EditingWindow w;
        w.use(1);
        w.loaded();
        w.typeIntoCell(4, 1, "abc", false);
        w.clickCell(9, 1);
        QCOMPARE(w.dialogs.texts(), QStringList{"Not a numeric value"});
        QTRY_VERIFY(w.lineEditor());
        QCOMPARE(w.lineEditor()->text(), QString("abc"));
        QCOMPARE(w.view()->currentIndex(), w.window->memoryModel()->index(3, 1));
        QTest::keyClick(w.lineEditor(), Qt::Key_Backspace);
        QTest::keyClick(w.lineEditor(), Qt::Key_Backspace);
        QTest::keyClick(w.lineEditor(), Qt::Key_Backspace);
        QTest::keyClicks(w.lineEditor(), "7.1");
        QTest::keyClick(w.lineEditor(), Qt::Key_Return);
        QCOMPARE(w.shown(4, 1), QString("7.10000"));
    }

    void delWhileEditingEditsText()
    {
        EditingWindow w;
        w.useRange(1, 3);
        w.loaded();
        w.clickCell(2, 6);
        w.key(Qt::Key_F2);
        QLineEdit *line = w.lineEditor();
        QVERIFY(line);
        QVERIFY(!w.action("mnuDelete")->isEnabled());
        QTest::keyClick(line, Qt::Key_Home);
        QTest::keyClick(line, Qt::Key_Delete);
        QTest::keyClick(line, Qt::Key_Delete, Qt::KeypadModifier);
        QCOMPARE(line->text(), QString("mory 2"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(w.shown(2, 6), QString("mory 2"));
        QCOMPARE(w.shown(2, 1), EditingWindow::frequencyOf(2));
        QVERIFY(w.dialogs.boxes.isEmpty());
        QVERIFY(w.action("mnuDelete")->isEnabled());
    }

    void delInAPickListDeletesNoMemory()
    {
        EditingWindow w;
        w.useRange(1, 3);
        w.loaded();
        w.clickCell(2, 2);
        w.key(Qt::Key_F2);
        QComboBox *box = w.listEditor();
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_Delete);
        QVERIFY(w.dialogs.boxes.isEmpty());
        QCOMPARE(w.shown(2, 1), EditingWindow::frequencyOf(2));
    }

    // Keys, letters and the wheel only move the choice of an open pick list;
    // Enter, a click on an item of the open list or leaving the cell stores it,
    // Esc keeps the cell and the undo item. "?? " (an unreadable record's mode)
    // opens with no choice, and no choice confirmed is the same as Esc.
    void pickListGestures_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("gestures");  // see pickListGestures
        QTest::addColumn<QString>("after");
        const int mode = MemoryTable::ColMode;
        QTest::newRow("Down, Esc") << mode << "FM"
                                   << "Down Esc"
                                   << "FM";
        QTest::newRow("Down, Return") << mode << "FM"
                                      << "Down Return"
                                      << "AM";
        QTest::newRow("tone Down, Esc") << int(MemoryTable::ColTone) << "88.5"
                                        << "Down Esc"
                                        << "88.5";
        QTest::newRow("wheel notch, Esc") << mode << "FM"
                                          << "Wheel Esc"
                                          << "FM";
        QTest::newRow("wheel notch, leave") << mode << "FM"
                                            << "Wheel Leave"
                                            << "AM";
        QTest::newRow("fmn, Return") << mode << "USB"
                                     << "fmn Return"
                                     << "FMN";
        QTest::newRow("item clicked in the open list") << mode << "FM"
                                                       << "Open Click:CWR"
                                                       << "CWR";
        QTest::newRow("Down, Return in the open list") << mode << "FM"
                                                       << "Open Down Return"
                                                       << "AM";
        QTest::newRow("?? , Return") << mode << "?? "
                                     << "Return"
                                     << "?? ";
        QTest::newRow("?? , leave") << mode << "?? "
                                    << "Leave"
                                    << "?? ";
        QTest::newRow("?? , Down, Return") << mode << "?? "
                                           << "Down Return"
                                           << "LSB";
    }
    void pickListGestures()
    {
        QFETCH(int, column);
        QFETCH(QString, before);
        QFETCH(QString, gestures);
        QFETCH(QString, after);
        EditingWindow w;
        w.useRange(1, 3);
        mv::test::setCellText(w.table(), 2, column, before);
        w.loaded();
        // Letters typed in one go are one search, however slow the machine.
        const int interval = QApplication::keyboardInputInterval();
        QApplication::setKeyboardInputInterval(60000);
        w.clickCell(2, column);
        w.key(Qt::Key_F2);
        QComboBox *box = w.listEditor();
        QVERIFY(box);
        QCOMPARE(box->currentIndex() < 0, before == "?? ");
        for (const QString &g : gestures.split(' ')) {
            if (g == "Leave") {
                w.clickCell(1, 1);
            } else if (g == "Open") {
                box->showPopup();
                QTRY_VERIFY(box->view()->isVisible());
            } else {
                mv::test::pickListGesture(box, g);
            }
        }
        QApplication::setKeyboardInputInterval(interval);
        QCoreApplication::processEvents();  // a refused edit would reopen its editor now
        QVERIFY(!w.editor());
        QCOMPARE(w.shown(2, column), after);
        QCOMPARE(w.shown(2, 1), EditingWindow::frequencyOf(2));
        QVERIFY(w.dialogs.boxes.isEmpty());
        // Only a stored choice takes the one-level undo.
        QCOMPARE(w.action("mnuUndo")->isEnabled(), after != before);
        QCOMPARE(panel(w, 2), after != before ? QString("Memories changed") : QString("Memories unchanged"));
    }

    void blankEncodingClearsTheTone()
    {
        EditingWindow w;
        w.useRange(1, 3);
        w.loaded();
        w.clickCell(3, 4);
        w.key(Qt::Key_F2);
        QComboBox *box = w.listEditor();
        QVERIFY(box);
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        QCOMPARE(items, QStringList({" ", "CTCSS Enc", "CTCSS Enc+Dec"}));
        QTest::keyClick(box, Qt::Key_Home);
        QCOMPARE(box->currentText(), QString(" "));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(w.shown(3, 4), QString(" "));
        QCOMPARE(w.shown(3, 5), QString());
    }

    // A click only selects, however often it lands on the same cell: Ctrl+V and
    // Del after it act on memories.
    void secondClickOpensNoEditor()
    {
        EditingWindow w;
        w.useRange(1, 12);
        w.loaded();
        w.selectBlock(10, 11, 1, 6);
        w.key(Qt::Key_C, Qt::ControlModifier);
        w.clickCell(3, 1);
        w.clickCell(3, 1);
        QTest::qWait(2 * QApplication::doubleClickInterval());  // an editor would be open by now
        QVERIFY(!w.editor());
        w.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.shown(3, 1), EditingWindow::frequencyOf(10));
        QCOMPARE(w.shown(4, 1), EditingWindow::frequencyOf(11));
        QCOMPARE(w.shown(5, 1), EditingWindow::frequencyOf(5));
        w.clickCell(5, 6);
        w.clickCell(5, 6);
        QTest::qWait(2 * QApplication::doubleClickInterval());
        QVERIFY(!w.editor());
        w.key(Qt::Key_Delete);
        QCOMPARE(w.dialogs.texts(), QStringList{"Are you sure you want to delete memory 5"});
        QCOMPARE(w.shown(5, 1), QString("Empty"));
        QCOMPARE(w.shown(5, 6), QString());
    }

    // Closing the window (close box, Alt+F4, "E&xit") takes the open editor's
    // text first, then asks about unsaved changes; a refused text keeps the
    // window open on it.
    void closingWithAnOpenEditor_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byExitItem");
        QTest::addColumn<int>("answer");  // to the unsaved-changes question
        QTest::addColumn<bool>("closes");
        QTest::newRow("close box, No") << "7.1" << false << int(Answer::No) << true;
        QTest::newRow("Exit item, Cancel") << "7.1" << true << int(Answer::Cancel) << false;
        QTest::newRow("refused text") << "abc" << false << int(Answer::No) << false;
    }
    void closingWithAnOpenEditor()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byExitItem);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        EditingWindow w;
        w.useRange(1, 3);
        w.loaded();
        w.typeIntoCell(2, 1, typed, false);
        w.dialogs.answers.enqueue(Answer(answer));
        if (byExitItem)
            w.action("mnuExit")->trigger();
        else
            w.window->close();
        QCOMPARE(w.window->isVisible(), !closes);
        if (typed == "abc") {
            QCOMPARE(w.dialogs.texts(), QStringList{"Not a numeric value"});
            QVERIFY(w.lineEditor());
            QCOMPARE(w.lineEditor()->text(), typed);
            QCOMPARE(w.shown(2, 1), EditingWindow::frequencyOf(2));
            return;
        }
        QCOMPARE(w.dialogs.texts().size(), 1);
        QVERIFY(w.dialogs.texts().first().startsWith("Changes have been made but not yet saved to disk."));
        QCOMPARE(w.shown(2, 1), QString("7.10000"));
        QVERIFY(!w.editor());
    }

    void shiftInsertPastesThroughTheChecks()
    {
        EditingWindow w;
        w.useRange(1, 3);
        w.loaded();
        QGuiApplication::clipboard()->setText(" 21.2 ");
        w.clickCell(2, 1);
        w.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.shown(2, 1), QString("21.20000"));
        QGuiApplication::clipboard()->setText("Net, Sunday");
        w.clickCell(3, 6);
        w.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.shown(3, 6), QString("Net  Sunday"));
        QGuiApplication::clipboard()->setText("80");
        w.clickCell(1, 1);
        w.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.dialogs.texts(), QStringList{"Frequency is outside the range of the radio"});
        QCOMPARE(w.shown(1, 1), EditingWindow::frequencyOf(1));
    }

    void delInThePmsViewDeletesAPair_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Del") << int(Qt::NoModifier);
        QTest::newRow("keypad Del") << int(Qt::KeypadModifier);
    }
    void delInThePmsViewDeletesAPair()
    {
        QFETCH(int, modifiers);
        EditingWindow w;
        w.use(1);
        for (int k = 1; k <= 4; ++k)
            w.table().setPms(k, w.table().memory(1));
        w.loaded();
        auto *tabs = w.window->findChild<QTabWidget *>("SSTab1");
        tabs->setCurrentIndex(1);
        MemoryGridView *pms = w.window->pmsView();
        const QModelIndex p2u = w.window->pmsModel()->index(3, 2);
        QTest::mouseClick(pms->viewport(), Qt::LeftButton, {}, pms->visualRect(p2u).center());
        QTest::keyClick(pms, Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w.dialogs.texts(), QStringList{"Are you sure you want to delete PMS memory pair 2"});
        QCOMPARE(mv::test::pmsCellOf(w.table(), 3, 1), QString("Empty"));
        QCOMPARE(mv::test::pmsCellOf(w.table(), 4, 1), QString("Empty"));
        QCOMPARE(mv::test::pmsCellOf(w.table(), 1, 1), EditingWindow::frequencyOf(1));
        QCOMPARE(mv::test::pmsCellOf(w.table(), 2, 1), EditingWindow::frequencyOf(1));
    }

    void pmsEditorKeepsTheToneOnABlankEncoding()
    {
        EditingWindow w;
        w.use(1);
        w.table().setPms(1, w.table().memory(1));
        w.loaded();
        w.window->findChild<QTabWidget *>("SSTab1")->setCurrentIndex(1);
        MemoryGridView *pms = w.window->pmsView();
        const QModelIndex enc = w.window->pmsModel()->index(0, 4);
        QTest::mouseClick(pms->viewport(), Qt::LeftButton, {}, pms->visualRect(enc).center());
        QTest::keyClick(pms, Qt::Key_F2);
        auto *box = pms->findChild<QComboBox *>("cellEditor");
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(mv::test::pmsCellOf(w.table(), 1, 4), QString(" "));
        QCOMPARE(mv::test::pmsCellOf(w.table(), 1, 5), QString("88.5"));
        QVERIFY(!w.action("mnuUndo")->isEnabled());  // PMS edits take no snapshot
    }

    void dragMovesAMemory()
    {
        EditingWindow w;
        w.useRange(1, 6);
        w.loaded();
        // The drop of a dragged number cell, as the view hands it to the model.
        QMimeData *mime = w.window->memoryModel()->mimeData({w.window->memoryModel()->index(1, 0)});
        w.window->memoryModel()->dropMimeData(mime, Qt::MoveAction, -1, -1, w.window->memoryModel()->index(4, 1));
        delete mime;
        QCOMPARE(w.shown(5, 1), EditingWindow::frequencyOf(2));
        QCOMPARE(w.shown(2, 1), EditingWindow::frequencyOf(3));
        QCOMPARE(w.shown(5, 0), QString("5"));
        QCOMPARE(w.view()->currentIndex(), w.window->memoryModel()->index(4, 1));
    }
};

QTEST_MAIN(TestEditingWindow)
#include "tst_editingwindow.moc"
