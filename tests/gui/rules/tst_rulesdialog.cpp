// The rules window as a user meets it: presets, typed cells with their checks,
// pick lists, OK and Cancel; under "." and "," locales.
#include "../PickListGestures.h"
#include "LocaleCases.h"
#include "TestContext.h"
#include "rules/RepeaterRules.h"
#include "rules/RulePresets.h"
#include "rules/RuleRows.h"
#include "ui/RepeaterRulesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QtTest>

using namespace mv;
using mv::test::mark;
using mv::test::TestContext;

namespace {
struct Window {
    TestContext t;
    RepeaterRuleSet set;
    std::unique_ptr<RepeaterRulesDialog> dlg;

    void open()
    {
        dlg = std::make_unique<RepeaterRulesDialog>(*t.settings, t.dialogs, set, &t.log);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    }
    QTableWidget *grid() const { return dlg->findChild<QTableWidget *>("grdRepeaterRules"); }
    QCheckBox *check(const char *name) const { return dlg->findChild<QCheckBox *>(name); }
    void click(const char *name) const { QTest::mouseClick(dlg->findChild<QPushButton *>(name), Qt::LeftButton); }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = grid()->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    // Opens the cell's editor as a double-click would, types text into it and, when
    // told, confirms it with Enter and waits until the edit was handled.
    void type(int row, int column, const QString &text, bool confirm) const
    {
        grid()->setCurrentCell(row, column);
        grid()->edit(grid()->model()->index(row, column));
        auto *line = qobject_cast<QLineEdit *>(grid()->indexWidget(grid()->model()->index(row, column)));
        QVERIFY(line);
        line->selectAll();
        QTest::keyClicks(line, text);
        if (!confirm)
            return;
        QTest::keyClick(line, Qt::Key_Return);
        QTRY_VERIFY(!grid()->indexWidget(grid()->model()->index(row, column)));
        QCoreApplication::processEvents();
    }
    // Clicks the cell, then makes the gestures on it and its pick list (see pickListGesture;
    // "F2"; "Leave": a click on the first cell; "Open": F4; "Click": a second click on the cell;
    // a letter typed before the editor is open goes to the cell). No editor stays open.
    void pick(int row, int column, const QStringList &gestures) const
    {
        const QModelIndex cell = grid()->model()->index(row, column);
        auto click = [&](const QModelIndex &at) {
            QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(at).center());
        };
        click(cell);
        for (const QString &g : gestures) {
            auto *box = qobject_cast<QComboBox *>(grid()->indexWidget(cell));
            if (g == "F2") {
                QTest::keyClick(grid(), Qt::Key_F2);
            } else if (g == "Click") {
                click(cell);
                QTest::qWait(2 * QApplication::doubleClickInterval());  // an editor would be open by now
            } else if (!box) {
                QTest::keyClicks(grid(), g);
            } else if (g == "Leave") {
                click(grid()->model()->index(row, 0));
            } else if (g == "Open") {
                QTest::keyClick(box, Qt::Key_F4);
                QTRY_VERIFY(box->view()->isVisible());
            } else {
                mv::test::pickListGesture(box, g);
            }
        }
        QCoreApplication::processEvents();
        QVERIFY(!grid()->indexWidget(cell));
    }
};

}  // namespace

class TestRulesDialog : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES("en_US", "de_DE")

    // The window opened on stored rules, buttons clicked, boxes ticked and cells
    // typed as a user does, and what it then shows and stores.
    // Stored: a preset's button name with "on"/"off" for the rules switch and for
    // "allow any frequency", or KEY=TEXT (a key of the rules file). Gestures: button
    // names, "tick:BOX", "type:ROW,COL=TEXT" (confirmed with Enter), "edit:ROW,COL=TEXT"
    // (left open), "current:ROW,COL" or "current:none". Expected: "rows=N",
    // "ROW,COL=TEXT", "ROW=new" (a new rule's cells), "on:BOX"/"off:BOX", KEY=TEXT
    // ("<absent>"), "rules=N" and "active=on|off" (the program's rules after the
    // window closed), "boxes=N" (none unless told), "open=on|off" (the window).
    // Numbers are written with "." and compared with the locale's decimal mark.
    // The band check's limits and message are tabled in tst_rulerows.
    void scenarios_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("gestures");
        QTest::addColumn<QString>("expected");
        const struct {
            const char *name;
            const char *stored, *gestures, *expected;
        } rows[] = {
            {"no stored rules: empty, switch off", "RepeaterRulesActive=True", "",
             "rows=0|off:ChkRulesEnabled|off:chkAllowAnyFrequency"},
            {"stored rules", "cmdDenmark on on Rule2Amount=2", "",
             "rows=2|0,0=145.60000|0,1=145.78750|0,2=Minus|0,3=.60000|0,4=12.5 K|"
             "1,3=2.00000|on:ChkRulesEnabled|on:chkAllowAnyFrequency"},
            {"OK stores the cells as they stand", "", "cmdLoadDefaultUS tick:ChkRulesEnabled cmdOK",
             "NumberOfRules=10|RepeaterRulesActive=True|Rule3Low=53.01000|rules=10|active=on"},
            {"Cancel stores nothing", "cmdLoadDefaultUK off off",
             "cmdLoadDefaultUS tick:ChkRulesEnabled tick:chkAllowAnyFrequency cmdAddRule cmdCancel",
             "NumberOfRules=5|RepeaterRulesActive=False|AllowAnyRepeaterFrequency=False|Rule1Low=29.66000|"
             "Rule6Low=<absent>|rules=5|active=off"},
            {"my rules again after a preset", "cmdBelgium on off", "cmdLoadDefaultUS tick:ChkRulesEnabled cmdMyRules",
             "rows=2|1,0=430.02500|on:ChkRulesEnabled"},
            {"a preset's cell outside the bands, opened and left: no edit", "", "cmdLoadDefaultUS type:2,0=53.01000",
             "2,0=53.01000"},
            {"add, delete with no current cell", "", "cmdAddRule cmdAddRule current:none cmdDeleteRule",
             "rows=2|1=new"},
            {"delete the current rule", "", "cmdAddRule cmdAddRule type:1,0=146 current:0,3 cmdDeleteRule",
             "rows=1|0,0=146.00000"},
            {"deleting every rule leaves rules inactive", "cmdSwiss on off",
             "current:0,0 cmdDeleteRule current:0,0 cmdDeleteRule current:0,0 cmdDeleteRule current:0,0 "
             "cmdDeleteRule cmdOK",
             "rows=0|on:ChkRulesEnabled|NumberOfRules=0|active=off"},
            {"a Low outside the bands is refused", "", "cmdAddRule type:0,0=144", "0=new|boxes=1"},
            {"an Amount over 99.99 is refused quietly", "", "cmdAddRule type:0,3=100", "0,3=.60000"},
            {"allow any frequency takes effect at once", "", "cmdAddRule tick:chkAllowAnyFrequency type:0,0=144",
             "0,0=144.00000"},
            {"OK takes an open editor's text", "", "cmdAddRule edit:0,1=145.7 cmdOK", "Rule1High=145.70000|open=off"},
            {"OK with a refused open editor", "", "cmdAddRule edit:0,1=144 cmdOK",
             "open=on|boxes=1|NumberOfRules=<absent>|0,1=145.80000"},
            // A pick list stores only a choice: Enter, a click on an item of its open list, or
            // leaving the cell. Keys, letters and the wheel only move the choice, Esc keeps the
            // cell, a second click on the current cell opens no editor. A new rule holds Minus, 12.5 K.
            {"pick list letter typed on the cell, Esc", "", "cmdAddRule pick:0,2:p,Esc", "0,2=Minus"},
            {"pick list Down twice, Return", "", "cmdAddRule pick:0,4:F2,Down,Down,Return cmdOK",
             "0,4=20.0 K|Rule1Step=20.0 K"},
            {"pick list two wheel notches, leave", "", "cmdAddRule pick:0,4:F2,Wheel,Wheel,Leave", "0,4=20.0 K"},
            {"pick list Down, item clicked in the open list", "", "cmdAddRule pick:0,2:F2,Down,Open,Click:Plus cmdOK",
             "0,2=Plus|Rule1Direction=Plus"},
            {"pick list second click on the current cell", "", "cmdAddRule pick:0,2:Click", "0,2=Minus"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << QString(r.stored) << QString(r.gestures) << QString(r.expected);
    }
    void scenarios()
    {
        QFETCH(QString, stored);
        QFETCH(QString, gestures);
        QFETCH(QString, expected);
        auto setting = [](const QString &key) {  // "Rule3Low": RuleLow, 3
            for (const SettingDeclaration &d : kSettingDeclarations) {
                const auto m = QRegularExpression("^" + QString(d.name).replace("%1", "(\\d+)") + "$").match(key);
                if (m.hasMatch())
                    return std::make_pair(d.setting, m.captured(1).toInt());
            }
            return std::make_pair(Setting::Count, 0);
        };
        // Numbers with the locale's decimal mark; words and steps ("12.5 K") as they are.
        auto number
            = [](const QString &text) { return text.contains(QRegularExpression("[A-Za-z<]")) ? text : mark(text); };
        auto cellAt = [](const QString &at) {
            return std::make_pair(at.section(',', 0, 0).toInt(), at.section(',', 1).toInt());
        };
        Window w;
        const QStringList s = stored.split(' ', Qt::SkipEmptyParts);
        if (!s.isEmpty() && s[0].startsWith("cmd")) {
            StoreRuleRows(*w.t.settings, PresetRuleRows(*FindRulePreset(s[0])), s[1] == "on", s[2] == "on");
            LoadRepeaterRules(w.set, *w.t.settings, nullptr, nullptr);
        }
        for (const QString &item : s) {
            if (item.contains('=')) {
                const auto [which, index] = setting(item.section('=', 0, 0));
                w.t.settings->setText(which, item.section('=', 1), index);
            }
        }
        w.open();
        for (const QString &g : gestures.split(' ', Qt::SkipEmptyParts)) {
            const QString arg = g.section(':', 1);
            if (g.startsWith("tick:")) {
                w.check(qPrintable(arg))->click();
            } else if (g.startsWith("type:") || g.startsWith("edit:")) {
                const auto [row, column] = cellAt(arg.section('=', 0, 0));
                w.type(row, column, mark(arg.section('=', 1)), g.startsWith("type:"));
            } else if (g.startsWith("pick:")) {
                const auto [row, column] = cellAt(arg.section(':', 0, 0));
                w.pick(row, column, arg.section(':', 1).split(','));
            } else if (g == "current:none") {
                w.grid()->setCurrentCell(-1, -1);
            } else if (g.startsWith("current:")) {
                const auto [row, column] = cellAt(arg);
                w.grid()->setCurrentCell(row, column);
            } else {
                w.click(qPrintable(g));
            }
        }
        QCoreApplication::processEvents();
        int boxes = 0;
        for (const QString &e : expected.split('|')) {
            const QString what = e.section('=', 0, 0);
            const QString text = e.section('=', 1);
            if (what == "boxes") {
                boxes = text.toInt();
            } else if (what == "open") {
                QCOMPARE(w.dlg->isVisible(), text == "on");
            } else if (what == "rows") {
                QCOMPARE(w.grid()->rowCount(), text.toInt());
            } else if (e.startsWith("on:") || e.startsWith("off:")) {
                QVERIFY2(w.check(qPrintable(e.section(':', 1)))->isChecked() == e.startsWith("on:"), qPrintable(e));
            } else if (what == "rules") {
                QCOMPARE(int(w.set.rules.size()), text.toInt());
            } else if (what == "active") {
                QCOMPARE(w.set.RepeaterRulesActive, text == "on");
            } else if (text == "new") {
                for (int c = 0; c < 5; ++c)
                    QCOMPARE(w.cell(what.toInt(), c), NewRuleRow().cells().at(c));
            } else if (what.at(0).isDigit()) {
                const auto [row, column] = cellAt(what);
                QCOMPARE(w.cell(row, column), number(text));
            } else {
                const auto [which, index] = setting(what);
                QVERIFY2(which != Setting::Count, qPrintable(what));
                const SettingsStore &st = *w.t.settings;
                QCOMPARE(st.contains(which, index) ? st.text(which, index) : QString("<absent>"), number(text));
            }
        }
        QVERIFY2(w.t.dialogs.boxes.size() == boxes, qPrintable(w.t.dialogs.texts().join('|')));
    }
};

QTEST_MAIN(TestRulesDialog)
#include "tst_rulesdialog.moc"
