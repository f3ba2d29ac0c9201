// The editing commands, clipboard, undo, sort, find and cell editors driven
// through the main window by menu items and keys, headless.
#include "../PickListGestures.h"
#include "EditingWindow.h"
#include "MemoryRows.h"

#include "shell/MessageLog.h"
#include "ui/MessagesWindow.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
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
    // Keys on the table and in its cell editors as a user presses them, and what the
    // view then shows. Gestures: "select:FIRST-LAST[,FIRSTCOL-LASTCOL]", "click:ROW[,COL]",
    // "answer:Cancel" (to the next box), "menu:ITEM", "clipboard:TEXT" ("_" for a blank), "type:TEXT"
    // (the first letter opens the editor), keys (to the table or its open editor).
    // Expected: "ROW[,COL]=TEXT" ("@N": memory N's frequency), "cursor=ROW",
    // "selected=ROW,COL", "clipboard=TEXT", "editor=none|TEXT", "delete=on|off" (the
    // "&Delete memory" item), "hide=on|off" (its check mark), "hidden=ROW", "shown=ROW";
    // separated by "|".
    void keysOnTheTable_data()
    {
        QTest::addColumn<QString>("used");  // first-last ranges of used memories
        QTest::addColumn<QString>("gestures");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("box");
        // The "&Undo" caption, "off" when not offered (a cell edit takes it before its check).
        QTest::addColumn<QString>("undo");
        // "Memories changed" in the status bar (insert, delete, remove and compact leave it to the next refresh).
        QTest::addColumn<bool>("changed");
        const QString paste = "Undo last Paste";
        const QString refused = "Frequency is outside the range of the radio";
        const QString gridEdit = "Undo last GridEdit";
        const struct {
            const char *name;
            const char *used, *gestures, *expected;
            QString box, undo;
            bool changed;
        } rows[] = {
            {"Ctrl+I inserts above 10", "10-15 17-17", "click:10 Ctrl+I",
             "10=Empty|11=@10|16=@15|17=@17|11,0=11|cursor=11", "", "Undo last InsertAbove", false},
            {"Shift+Del removes 3 to 5", "1-500", "select:3-5 Shift+Del", "3=@6|497=@500|498=Empty|500=Empty|500,0=500",
             "Are you sure you want to remove memories 3 to 5", "Undo last Remove", false},
            {"Del empties 3 to 5", "1-10", "select:3-5,1-6 Del", "3=Empty|5=Empty|3,6=|5,6=|2=@2|6=@6|cursor=3",
             "Are you sure you want to delete memories 3 to 5", "Undo last Delete", false},
            {"Del cancelled", "1-10", "click:7,2 answer:Cancel Del", "7=@7", "Are you sure you want to delete memory 7",
             "off", false},
            {"F12 at the end moves nothing", "1-500", "select:499-500,2-2 F12",
             "499=@499|500=@500|selected=499,1|selected=500,6", "", "off", false},
            {"F11 at the top moves nothing", "1-500", "select:1-2 F11", "1=@1|2=@2", "", "off", false},
            {"F12 twice, F11 once", "1-500", "select:3-4 F12 F12 F11", "3=@5|4=@3|5=@4|6=@6", "", "off", true},
            {"Ctrl+C, Ctrl+V at 11", "10-13", "select:10-12,1-2 Ctrl+C click:11 Ctrl+V",
             "clipboard=7.10000\tFM\r\n7.11000\tFM\r\n7.12000\tFM|10=@10|11=@10|12=@11|13=@12|13,6=Memory 12", "",
             paste, true},
            {"Ctrl+X, Ctrl+V at 20", "10-12", "select:10-12 Ctrl+X click:20 Ctrl+V", "10=Empty|12=Empty|20=@10|22=@12",
             "", paste, true},
            {"Ctrl+C, Ctrl+V at 498: what fits", "10-14", "select:10-14 Ctrl+C click:498 Ctrl+V",
             "498=@10|500=@12|12=@12|13=@13|14=@14", "", paste, true},
            {"Ctrl+X, Ctrl+V at 498: what fits moves", "10-14", "select:10-14 Ctrl+X click:498 Ctrl+V",
             "498=@10|500=@12|12=Empty|13=@13|14=@14", "", paste, true},
            {"14.2 typed into an empty memory", "1-1", "click:2 type:14.2 Return",
             "2=14.20000|2,2=USB|2,3=Simplex|2,5=67.0|editor=none", "", gridEdit, true},
            {"refused frequency keeps its editor", "1-1", "click:4 type:99 Return", "editor=99|4=Empty|delete=off",
             refused, gridEdit, false},
            {"refused frequency, Esc", "1-1", "click:4 type:99 Return Esc", "editor=none|4=Empty|delete=on", refused,
             gridEdit, false},
            {"F2 on an empty memory's mode", "1-1", "click:3,2 F2", "editor=none", "", "off", false},
            {"F2 on an empty memory's frequency", "1-1", "click:3 F2", "editor=Empty", "", "off", false},
            {"Del and keypad Del in an editor edit the text", "1-3", "click:2,6 F2 Home Del KeypadDel Return",
             "2,6=mory 2|2=@2|delete=on", "", gridEdit, true},
            {"Del in a pick list deletes no memory", "1-3", "click:2,2 F2 Del", "2=@2|2,2=FM", "", "off", false},
            {"blank encoding clears the tone", "1-3", "click:3,4 F2 Home Return", "3,4= |3,5=", "", gridEdit, true},
            {"Shift+Ins pastes a frequency", "1-3", "clipboard:_21.2_ click:2 Shift+Ins", "2=21.20000", "", gridEdit,
             true},
            {"Shift+Ins pastes a description", "1-3", "clipboard:Net,_Sunday click:3,6 Shift+Ins", "3,6=Net  Sunday",
             "", gridEdit, true},
            {"Ctrl+H hides runs of empty memories", "1-20", "Ctrl+H", "shown=21|hidden=22|hidden=500|hide=on", "",
             "off", false},
            {"Ctrl+Z after Del with empties hidden shows them all", "1-20", "Ctrl+H select:3-5 Del click:8 Ctrl+Z",
             "3=@3|4=@4|5=@5|shown=22|shown=500|hide=off|cursor=8", "Are you sure you want to delete memories 3 to 5",
             "off", true},
            {"compact with empties at 1, 3, 499 shows every row", "2-2 4-498 500-500", "Ctrl+H menu:mnuCompact",
             "1=@2|2=@4|497=@500|498=Empty|500=Empty|shown=499|shown=500|hide=off", "", "Undo last Compact", false},
            {"Shift+Ins through the checks", "1-3", "clipboard:80 click:1 Shift+Ins", "1=@1", refused, gridEdit, false},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << QString(r.used) << QString(r.gestures) << QString(r.expected) << r.box << r.undo
                                  << r.changed;
    }
    void keysOnTheTable()
    {
        QFETCH(QString, used);
        QFETCH(QString, gestures);
        QFETCH(QString, expected);
        QFETCH(QString, box);
        QFETCH(QString, undo);
        QFETCH(bool, changed);
        EditingWindow w;
        for (const QString &range : used.split(' '))
            w.useRange(range.section('-', 0, 0).toInt(), range.section('-', 1, 1).toInt());
        w.loaded();
        auto numbers = [](const QString &text) {
            QList<int> n;
            for (const QString &part : text.split(QRegularExpression("[-,]")))
                n << part.toInt();
            return n;
        };
        for (const QString &g : gestures.split(' ')) {
            const QString arg = g.section(':', 1);
            if (g.startsWith("select:")) {
                const QList<int> n = numbers(arg);
                w.selectBlock(n[0], n[1], n.value(2, 1), n.value(3, 1));
            } else if (g.startsWith("click:")) {
                const QList<int> n = numbers(arg);
                w.clickCell(n[0], n.value(1, 1));
            } else if (g.startsWith("answer:")) {
                w.dialogs.answers.enqueue(Answer::Cancel);
            } else if (g.startsWith("menu:")) {
                w.action(qPrintable(arg))->trigger();
            } else if (g.startsWith("clipboard:")) {
                QGuiApplication::clipboard()->setText(QString(arg).replace('_', ' '));
            } else if (g.startsWith("type:")) {
                QTest::keyClick(w.view(), arg.at(0).toLatin1());
                QVERIFY(w.lineEditor());
                QTest::keyClicks(w.lineEditor(), arg.mid(1));
            } else {
                const QKeySequence k(g == "KeypadDel" ? QString("Del") : g);
                QVERIFY2(!k.isEmpty(), qPrintable(g));
                const auto modifiers
                    = k[0].keyboardModifiers() | (g == "KeypadDel" ? Qt::KeypadModifier : Qt::NoModifier);
                QTest::keyClick(w.editor() ? w.editor() : static_cast<QWidget *>(w.view()), k[0].key(), modifiers);
            }
        }
        for (const QString &e : expected.split('|')) {
            const QString what = e.section('=', 0, 0);
            QString text = e.section('=', 1);
            if (what == "clipboard") {
                QCOMPARE(QGuiApplication::clipboard()->text(), text);
            } else if (what == "editor") {
                if (text == "none")
                    QTRY_VERIFY(!w.editor());
                else
                    QCOMPARE(w.lineEditor() ? w.lineEditor()->text() : QString("<no editor>"), text);
            } else if (what == "hidden" || what == "shown") {
                QVERIFY2(w.view()->isRowHidden(text.toInt() - 1) == (what == "hidden"), qPrintable(e));
            } else if (what == "hide") {
                QCOMPARE(w.action("mnuHideEmpty")->isChecked(), text == "on");
            } else if (what == "delete") {
                QCOMPARE(w.action("mnuDelete")->isEnabled(), text == "on");
            } else if (what == "cursor") {
                QCOMPARE(w.view()->currentIndex().row() + 1, text.toInt());
            } else if (what == "selected") {
                const QList<int> n = numbers(text);
                QVERIFY2(w.view()->selectionModel()->isSelected(w.window->memoryModel()->index(n[0] - 1, n[1])),
                         qPrintable(e));
            } else {
                const QList<int> n = numbers(what);
                if (text.startsWith('@'))
                    text = EditingWindow::frequencyOf(text.mid(1).toInt());
                QVERIFY2(w.shown(n[0], n.value(1, 1)) == text,
                         qPrintable(e + " shows " + w.shown(n[0], n.value(1, 1))));
            }
        }
        QCOMPARE(w.dialogs.texts(), box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(w.action("mnuUndo")->isEnabled(), undo != "off");
        if (undo != "off")
            QCOMPARE(w.action("mnuUndo")->text(), undo);
        QCOMPARE(panel(w, 2), changed ? QString("Memories changed") : QString("Memories unchanged"));
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
        const struct {
            const char *name;
            int column;
            const char *before, *gestures, *after;
        } rows[] = {
            {"Down, Esc", mode, "FM", "Down Esc", "FM"},
            {"Down, Return", mode, "FM", "Down Return", "AM"},
            {"tone Down, Esc", MemoryTable::ColTone, "88.5", "Down Esc", "88.5"},
            {"wheel notch, Esc", mode, "FM", "Wheel Esc", "FM"},
            {"wheel notch, leave", mode, "FM", "Wheel Leave", "AM"},
            {"fmn, Return", mode, "USB", "fmn Return", "FMN"},
            {"item clicked in the open list", mode, "FM", "Open Click:CWR", "CWR"},
            {"Down, Return in the open list", mode, "FM", "Open Down Return", "AM"},
            {"?? , Return", mode, "?? ", "Return", "?? "},
            {"?? , leave", mode, "?? ", "Leave", "?? "},
            {"?? , Down, Return", mode, "?? ", "Down Return", "LSB"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.column << QString(r.before) << QString(r.gestures) << QString(r.after);
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
