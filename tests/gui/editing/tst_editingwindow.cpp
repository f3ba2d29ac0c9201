// The editing commands, clipboard, undo, sort, find and cell editors driven
// through the main window by menu items and keys, headless.
#include "../../editing/SampleMemories.h"
#include "../PickListGestures.h"
#include "../main/MainWindowFixture.h"
#include "MemoryRows.h"
#include "core/NumberText.h"
#include "ui/MemoryGridView.h"
#include "ui/MemoryViewModel.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QTabWidget>

using namespace mv;

namespace {

// The main window over a loaded table with scripted boxes, and the user's gestures on it.
struct EditingWindow : mv::test::MainWindowFixture {
    EditingWindow()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        create();
        DetectSeparators();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    MemoryTable &table() { return window->session().state().table; }
    MemoryGridView *view() { return window->memoryView(); }
    // What a file load leaves behind: source colour, menus, hiding, cursor.
    void loaded(int first = 0, int last = 0)
    {
        if (first)
            mv::test::UseSampleRange(table(), first, last);
        AppState &state = window->session().state();
        state.DataSource = DataSource::File;
        state.FileLoadComplete = true;
        state.MemoriesChanged = false;
        window->RefreshChangedState();
        window->ApplyHideEmpty();
        window->ApplyBanding();
        view()->setFocus();
    }
    QString shown(int n, int column) { return window->memoryModel()->index(n - 1, column).data().toString(); }
    void clickCell(int n, int column, Qt::KeyboardModifiers modifiers = {})
    {
        const QModelIndex i = window->memoryModel()->index(n - 1, column);
        view()->scrollTo(i);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, modifiers, view()->visualRect(i).center());
    }
    // The open cell editor; a closed one lingers hidden until it is deleted.
    QWidget *editor()
    {
        for (QWidget *e : view()->findChildren<QWidget *>(QStringLiteral("cellEditor")))
            if (e->isVisible())
                return e;
        return nullptr;
    }
    QLineEdit *lineEditor() { return qobject_cast<QLineEdit *>(editor()); }
};

QList<int> numbers(const QString &text)
{
    QList<int> n;
    for (const QString &part : text.split(QRegularExpression("[-,]")))
        n << part.toInt();
    return n;
}

}  // namespace

class TestEditingWindow : public QObject {
    Q_OBJECT

private slots:
    // Letters typed in one go are one search, however slow the machine.
    void initTestCase() { QApplication::setKeyboardInputInterval(60000); }

    // Keys on the table and in its cell editors as a user presses them, and what the
    // view then shows. Used: ranges of sample memories, or "ROW,COL=TEXT" ("_" for a blank).
    // Gestures: "select:FIRST-LAST[,FIRSTCOL-LASTCOL]", "click:ROW[,COL]",
    // "answer:Cancel" (to the next box), "menu:ITEM", "clipboard:TEXT" ("_" for a blank), "type:TEXT"
    // (the first letter opens the editor), "wait" (past a double-click's time), "Open" (drops down
    // the pick list), "Wheel", "Click:ITEM" and lower-case letters (see pickListGesture), keys
    // (to the table or its open editor). Expected: "ROW[,COL]=TEXT" ("@N": memory N's frequency),
    // "cursor=ROW", "selected=ROW,COL", "clipboard=TEXT", "editor=none|TEXT", "delete=on|off"
    // (the "&Delete memory" item), "hide=on|off" (its check mark), "hidden=ROW", "shown=ROW";
    // separated by "|". Box: the one box shown. Undo: the "&Undo" caption, "off" when not
    // offered. Changed: "Memories changed" in the status bar.
    void keysOnTheTable_data()
    {
        QTest::addColumn<QString>("used");  // first-last ranges of used memories
        QTest::addColumn<QString>("gestures");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("undo");
        QTest::addColumn<bool>("changed");
        const QString paste = "Undo last Paste";
        const QString refused = "Frequency is outside the range of the radio";
        const QString gridEdit = "Undo last GridEdit";
        const QString del = "Are you sure you want to delete memories 3 to 5";
        const struct {
            const char *name;
            const char *used, *gestures, *expected;
            QString box, undo;
            bool changed;
        } rows[] = {
            // clang-format off
            {"Ctrl+I inserts above 10", "10-15 17-17", "click:10 Ctrl+I", "10=Empty|11=@10|16=@15|17=@17|11,0=11|cursor=11", "", "Undo last InsertAbove", true},
            {"Shift+Del removes 3 to 5", "1-500", "select:3-5 Shift+Del", "3=@6|497=@500|498=Empty|500=Empty|500,0=500", "Are you sure you want to remove memories 3 to 5", "Undo last Remove", true},
            {"Del empties 3 to 5", "1-10", "select:3-5,1-6 Del", "3=Empty|5=Empty|3,6=|5,6=|2=@2|6=@6|cursor=3", del, "Undo last Delete", true},
            {"Del cancelled", "1-10", "click:7,2 answer:Cancel Del", "7=@7", "Are you sure you want to delete memory 7", "off", false},
            {"F12 at the end moves nothing", "1-500", "select:499-500,2-2 F12", "499=@499|500=@500|selected=499,1|selected=500,6", "", "off", false},
            {"F12 twice, F11 once", "1-500", "select:3-4 F12 F12 F11", "3=@5|4=@3|5=@4|6=@6", "", "off", true},
            {"Ctrl+C, Ctrl+V at 11", "10-13", "select:10-12,1-2 Ctrl+C click:11 Ctrl+V", "clipboard=7.10000\tFM\r\n7.11000\tFM\r\n7.12000\tFM|10=@10|11=@10|12=@11|13=@12|13,6=Memory 12", "", paste, true},
            {"Ctrl+X, Ctrl+V at 498: what fits moves", "10-14", "select:10-14 Ctrl+X click:498 Ctrl+V", "498=@10|500=@12|12=Empty|13=@13|14=@14", "", paste, true},
            {"a second click selects, opens no editor", "1-12", "select:10-11,1-6 Ctrl+C click:3 click:3 wait Ctrl+V", "editor=none|3=@10|4=@11|5=@5", "", paste, true},
            {"14.2 typed into an empty memory", "1-1", "click:2 type:14.2 Return", "2=14.20000|2,2=USB|2,3=Simplex|2,5=67.0|editor=none", "", gridEdit, true},
            {"refused frequency keeps its editor", "1-1", "click:4 type:99 Return", "editor=99|4=Empty|delete=off", refused, gridEdit, false},
            {"refused text reopens when the user clicks away", "1-1", "click:4 type:abc click:9", "editor=abc|cursor=4", "Not a numeric value", gridEdit, false},
            {"refused frequency, Esc", "1-1", "click:4 type:99 Return Esc", "editor=none|4=Empty|delete=on", refused, gridEdit, false},
            {"F2 on an empty memory's mode", "1-1", "click:3,2 F2", "editor=none", "", "off", false},
            {"F2 on an empty memory's frequency", "1-1", "click:3 F2", "editor=Empty", "", "off", false},
            {"Del and keypad Del in an editor edit the text", "1-3", "click:2,6 F2 Home Del KeypadDel Return", "2,6=mory 2|2=@2|delete=on", "", gridEdit, true},
            {"Del in a pick list deletes no memory", "1-3", "click:2,2 F2 Del", "2=@2|2,2=FM", "", "off", false},
            {"blank encoding clears the tone", "1-3", "click:3,4 F2 Home Return", "3,4= |3,5=", "", gridEdit, true},
            {"Shift+Ins pastes a frequency", "1-3", "clipboard:_21.2_ click:2 Shift+Ins", "2=21.20000", "", gridEdit, true},
            {"Shift+Ins through the checks", "1-3", "clipboard:80 click:1 Shift+Ins", "1=@1", refused, gridEdit, false},
            {"Ctrl+D fills down over an empty memory", "3-3 5-6", "click:3,2 F2 Down Return select:3-6,2-3 Ctrl+D", "3,2=AM|4=Empty|4,2=|5,2=AM|6,2=AM|6=@6", "", "Undo last FillDown", true},
            {"sorting by description compacts", "3-3 8-8", "click:3,6 type:Zulu Return click:8,6 type:Alpha Return select:1-10 menu:mnuSortDescription", "1,6=Alpha|2,6=Zulu|3=Empty", "", "Undo last Compact", true},
            {"Ctrl+H hides runs of empty memories", "1-20", "Ctrl+H", "shown=21|hidden=22|hidden=500|hide=on", "", "off", false},
            {"Ctrl+Z after Del with empties hidden shows them all", "1-20", "Ctrl+H select:3-5 Del click:8 Ctrl+Z", "3=@3|4=@4|5=@5|shown=22|shown=500|hide=off|cursor=8", del, "off", true},
            // Keys, letters and the wheel only move the choice of an open pick list; Enter, a click
            // on an item of the open list or leaving the cell stores it, Esc keeps the cell and the
            // undo item. "?? " (an unreadable record's mode) opens with no choice, and no choice
            // confirmed is the same as Esc.
            {"pick list Down, Esc", "1-3", "click:2,2 F2 Down Esc", "2,2=FM|editor=none", "", "off", false},
            {"pick list Down, Return", "1-3", "click:2,2 F2 Down Return", "2,2=AM|2=@2|editor=none", "", gridEdit, true},
            {"tone pick list Down, Esc", "1-3", "click:2,5 F2 Down Esc", "2,5=88.5|editor=none", "", "off", false},
            {"pick list wheel notch, leave", "1-3", "click:2,2 F2 Wheel click:1", "2,2=AM|editor=none", "", gridEdit, true},
            {"pick list fmn, Return", "1-3 2,2=USB", "click:2,2 F2 fmn Return", "2,2=FMN", "", gridEdit, true},
            {"pick list item clicked in the open list", "1-3", "click:2,2 F2 Open Click:CWR", "2,2=CWR|editor=none", "", gridEdit, true},
            {"?? , leave", "1-3 2,2=??_", "click:2,2 F2 click:1", "2,2=?? |editor=none", "", "off", false},
            {"?? , Down, Return", "1-3 2,2=??_", "click:2,2 F2 Down Return", "2,2=LSB|2=@2", "", gridEdit, true},
            {"compact with empties at 1, 3, 499 shows every row", "2-2 4-498 500-500", "Ctrl+H menu:mnuCompact", "1=@2|2=@4|497=@500|498=Empty|500=Empty|shown=499|shown=500|hide=off", "", "Undo last Compact", true},
            // clang-format on
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
        QFETCH(bool, changed);
        EditingWindow w;
        for (const QString &range : used.split(' ')) {
            const QList<int> n = numbers(range.section('=', 0, 0));
            if (range.contains('='))
                mv::test::setCellText(w.table(), n[0], n[1], range.section('=', 1).replace('_', ' '));
            else
                mv::test::UseSampleRange(w.table(), n[0], n[1]);
        }
        w.loaded();
        for (const QString &g : gestures.split(' ')) {
            const QString arg = g.section(':', 1);
            const QList<int> n = numbers(arg);
            if (g.startsWith("select:")) {
                w.clickCell(n[0], n.value(2, 1));
                w.clickCell(n[1], n.value(3, 1), Qt::ShiftModifier);
            } else if (g.startsWith("click:")) {
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
            } else if (g == "wait") {
                QTest::qWait(2 * QApplication::doubleClickInterval());  // a delayed editor would be open by now
            } else if (auto *box = qobject_cast<QComboBox *>(w.editor()); box && g == "Open") {
                box->showPopup();
                QTRY_VERIFY(box->view()->isVisible());
            } else if (box && (g == "Wheel" || g.startsWith("Click:") || g.at(0).isLower())) {
                mv::test::pickListGesture(box, g);
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
            } else if (what == "editor" && text == "none") {
                QTRY_VERIFY(!w.editor());
            } else if (what == "editor") {
                QTRY_COMPARE(w.lineEditor() ? w.lineEditor()->text() : QString("<no editor>"), text);
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
                    text = mv::test::SampleFrequency(text.mid(1).toInt());
                QVERIFY2(w.shown(n[0], n.value(1, 1)) == text,
                         qPrintable(e + " shows " + w.shown(n[0], n.value(1, 1))));
            }
        }
        QCOMPARE(w.dialogs.texts(), box.isEmpty() ? QStringList() : QStringList{box});
        QTEST(w.action("mnuUndo")->isEnabled() ? w.action("mnuUndo")->text() : QString("off"), "undo");
        QCOMPARE(w.panel(2), changed ? QString("Memories changed") : QString("Memories unchanged"));
    }

    // Closing the window (close box, "E&xit") takes the open editor's text first,
    // then asks about unsaved changes; a refused text keeps the window open on it.
    void closingWithAnOpenEditor_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byExitItem");
        QTest::addColumn<int>("answer");  // to the unsaved-changes question
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<bool>("closes");
        const QString unsaved = "Changes have been made but not yet saved to disk.";
        QTest::newRow("close box, No") << "7.1" << false << int(Answer::No) << unsaved << "7.10000" << true;
        QTest::newRow("Exit item, Cancel") << "7.1" << true << int(Answer::Cancel) << unsaved << "7.10000" << false;
        QTest::newRow("refused text") << "abc" << false << int(Answer::No) << "Not a numeric value"
                                      << "7.02000" << false;
    }
    void closingWithAnOpenEditor()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byExitItem);
        QFETCH(int, answer);
        QFETCH(QString, box);
        EditingWindow w;
        w.loaded(1, 3);
        w.clickCell(2, 1);
        QTest::keyClick(w.view(), typed.at(0).toLatin1());  // the first key opens the editor
        QVERIFY(w.lineEditor());
        QTest::keyClicks(w.lineEditor(), typed.mid(1));
        w.dialogs.answers.enqueue(Answer(answer));
        if (byExitItem)
            w.action("mnuExit")->trigger();
        else
            w.window->close();
        QTEST(!w.window->isVisible(), "closes");
        QCOMPARE(w.dialogs.texts().size(), 1);
        QVERIFY(w.dialogs.texts().first().startsWith(box));
        QTEST(w.shown(2, 1), "frequency");
        QCOMPARE(w.lineEditor() ? w.lineEditor()->text() : QString(), typed == "abc" ? typed : QString());
    }

    // Del (or keypad Del) on the PMS view empties a PMS pair; a blank encoding there keeps the tone.
    void pmsView_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Del") << int(Qt::NoModifier);
        QTest::newRow("keypad Del") << int(Qt::KeypadModifier);
    }
    void pmsView()
    {
        QFETCH(int, modifiers);
        EditingWindow w;
        mv::test::UseSampleRange(w.table(), 1, 1);
        for (int k = 1; k <= 4; ++k)
            w.table().setPms(k, w.table().memory(1));
        w.loaded();
        w.window->findChild<QTabWidget *>("SSTab1")->setCurrentIndex(1);
        MemoryGridView *pms = w.window->pmsView();
        QTest::mouseClick(pms->viewport(), Qt::LeftButton, {},
                          pms->visualRect(w.window->pmsModel()->index(3, 2)).center());
        QTest::keyClick(pms, Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w.dialogs.texts(), QStringList{"Are you sure you want to delete PMS memory pair 2"});
        QStringList pairs;
        for (int row = 1; row <= 4; ++row)
            pairs << mv::test::pmsCellOf(w.table(), row, 1);
        QCOMPARE(pairs, QStringList({"7.01000", "7.01000", "Empty", "Empty"}));

        QTest::mouseClick(pms->viewport(), Qt::LeftButton, {},
                          pms->visualRect(w.window->pmsModel()->index(0, 4)).center());
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
        w.loaded(1, 6);
        // The drop of a dragged number cell, as the view hands it to the model.
        MemoryViewModel *model = w.window->memoryModel();
        std::unique_ptr<QMimeData> mime(model->mimeData({model->index(1, 0)}));
        model->dropMimeData(mime.get(), Qt::MoveAction, -1, -1, model->index(4, 1));
        QCOMPARE(w.shown(5, 1), mv::test::SampleFrequency(2));
        QCOMPARE(w.shown(2, 1), mv::test::SampleFrequency(3));
        QCOMPARE(w.view()->currentIndex(), model->index(4, 1));
    }
};

QTEST_MAIN(TestEditingWindow)
#include "tst_editingwindow.moc"
