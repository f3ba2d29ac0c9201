// The rules window as a user meets it: controls by object name, presets, typed
// cells with their checks, pick lists, OK and Cancel; under "." and "," locales.
#include "../PickListGestures.h"
#include "LocaleCases.h"
#include "TestContext.h"
#include "core/NumberText.h"
#include "rules/RepeaterRules.h"
#include "rules/RulePresets.h"
#include "rules/RuleRows.h"
#include "ui/RepeaterRulesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QWheelEvent>
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
    QPushButton *button(const char *name) const { return dlg->findChild<QPushButton *>(name); }
    QCheckBox *check(const char *name) const { return dlg->findChild<QCheckBox *>(name); }
    void click(const char *name) const
    {
        QPushButton *b = button(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = grid()->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    QStringList rowTexts(int row) const
    {
        QStringList out;
        for (int c = 0; c < 5; ++c)
            out << cell(row, c);
        return out;
    }
    // Opens the cell's editor as a double-click would and returns it.
    QWidget *startEdit(int row, int column) const
    {
        grid()->setCurrentCell(row, column);
        grid()->edit(grid()->model()->index(row, column));
        return grid()->indexWidget(grid()->model()->index(row, column));
    }
    // Types text into a cell and confirms it with Enter; returns when the edit was handled.
    void type(int row, int column, const QString &text) const
    {
        auto *line = qobject_cast<QLineEdit *>(startEdit(row, column));
        QVERIFY(line);
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
        QTRY_VERIFY(!grid()->indexWidget(grid()->model()->index(row, column)));
        QCoreApplication::processEvents();
    }
    QString stored(Setting setting, int index = 0) const
    {
        return t.settings->contains(setting, index) ? t.settings->text(setting, index) : QString("<absent>");
    }
};

}  // namespace

class TestRulesDialog : public QObject {
    Q_OBJECT

private slots:
    MV_LOCALE_CASES("en_US", "de_DE")

    void controls()
    {
        Window w;
        w.open();
        QCOMPARE(w.dlg->objectName(), QString("frmRepeaterRules"));
        QCOMPARE(w.dlg->windowTitle(), QString("Repeater Rules"));
        QVERIFY(w.dlg->isModal());
        QCOMPARE(w.dlg->windowModality(), Qt::ApplicationModal);

        QTableWidget *g = w.grid();
        QVERIFY(g);
        QCOMPARE(g->columnCount(), 5);
        auto *instructions = w.dlg->findChild<QLabel *>("lblInstructions");
        QVERIFY(instructions);
        for (const char *name : {"cmdMyRules", "cmdAddRule", "cmdDeleteRule", "cmdCancel", "cmdOK"})
            QVERIFY2(w.button(name), name);
        for (const RulePreset &p : RulePresets())
            QVERIFY2(w.dlg->findChild<QPushButton *>(p.objectName), p.objectName);
        // The user-interface font, as in every other window.
        for (QWidget *control : {static_cast<QWidget *>(w.dlg.get()), static_cast<QWidget *>(g),
                                 static_cast<QWidget *>(w.button("cmdOK")), static_cast<QWidget *>(instructions)}) {
            QCOMPARE(control->font().family(), QString("Tahoma"));
            QCOMPARE(control->font().pointSize(), 8);
        }
    }

    // The window opened on stored rules, buttons clicked, boxes ticked and cells
    // typed as a user does, and what it then shows and stores.
    // Stored: a preset's button name with "on"/"off" for the rules switch and for
    // "allow any frequency", or SETTING=TEXT. Gestures: button names,
    // "tick:BOX", "type:ROW,COL=TEXT", "current:ROW,COL" or "current:none".
    // Expected: "rows=N", "ROW,COL=TEXT", "ROW=new" (a new rule's cells),
    // "on:BOX"/"off:BOX", SETTING[INDEX]=TEXT ("<absent>"), "rules=N" and
    // "active=on|off" (the program's rules after the window closed). Numbers are
    // written with "." and compared with the locale's decimal mark.
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
            {"stored rules", "cmdDenmark on on RuleAmount2=2", "",
             "rows=2|0,0=145.60000|0,1=145.78750|0,2=Minus|0,3=.60000|0,4=12.5 K|"
             "1,3=2.00000|on:ChkRulesEnabled|on:chkAllowAnyFrequency"},
            {"a preset replaces the rows, not the switches or the store", "", "cmdLoadDefaultUS",
             "rows=10|2,0=53.01000|off:ChkRulesEnabled|NumberOfRules=<absent>"},
            {"another preset", "", "cmdLoadDefaultUS cmdOtherEU",
             "rows=2|1,0=434.60000|1,1=434.97500|1,2=Minus|1,3=1.60000|1,4=25.0 K"},
            {"OK stores the cells as they stand", "", "cmdLoadDefaultUS tick:ChkRulesEnabled cmdOK",
             "NumberOfRules=10|RepeaterRulesActive=True|RuleLow3=53.01000|rules=10|active=on"},
            {"Cancel stores nothing", "cmdLoadDefaultUK off off",
             "cmdLoadDefaultUS tick:ChkRulesEnabled tick:chkAllowAnyFrequency cmdAddRule cmdCancel",
             "NumberOfRules=5|RepeaterRulesActive=False|AllowAnyRepeaterFrequency=False|RuleLow1=29.66000|"
             "RuleLow6=<absent>|rules=5|active=off"},
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
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << QString(r.stored) << QString(r.gestures) << QString(r.expected);
    }
    void scenarios()
    {
        QFETCH(QString, stored);
        QFETCH(QString, gestures);
        QFETCH(QString, expected);
        const QMap<QString, Setting> settings{{"NumberOfRules", Setting::NumberOfRules},
                                              {"RepeaterRulesActive", Setting::RepeaterRulesActive},
                                              {"AllowAnyRepeaterFrequency", Setting::AllowAnyRepeaterFrequency},
                                              {"RuleLow", Setting::RuleLow},
                                              {"RuleAmount", Setting::RuleAmount}};
        auto setting = [&](const QString &name) {
            const QString key = name.section(QRegularExpression("\\d"), 0, 0);
            return std::make_pair(settings.value(key, Setting::Count), name.mid(key.size()).toInt());
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
            } else if (g.startsWith("type:")) {
                const auto [row, column] = cellAt(arg.section('=', 0, 0));
                w.type(row, column, mark(arg.section('=', 1)));
            } else if (g == "current:none") {
                w.grid()->setCurrentCell(-1, -1);
            } else if (g.startsWith("current:")) {
                const auto [row, column] = cellAt(arg);
                w.grid()->setCurrentCell(row, column);
            } else {
                w.click(qPrintable(g));
            }
        }
        for (const QString &e : expected.split('|')) {
            const QString what = e.section('=', 0, 0);
            const QString text = e.section('=', 1);
            if (what == "rows") {
                QCOMPARE(w.grid()->rowCount(), text.toInt());
            } else if (e.startsWith("on:") || e.startsWith("off:")) {
                QVERIFY2(w.check(qPrintable(e.section(':', 1)))->isChecked() == e.startsWith("on:"), qPrintable(e));
            } else if (what == "rules") {
                QCOMPARE(int(w.set.rules.size()), text.toInt());
            } else if (what == "active") {
                QCOMPARE(w.set.RepeaterRulesActive, text == "on");
            } else if (text == "new") {
                QCOMPARE(w.rowTexts(what.toInt()), NewRuleRow().cells());
            } else if (what.at(0).isDigit()) {
                const auto [row, column] = cellAt(what);
                QCOMPARE(w.cell(row, column), number(text));
            } else {
                const auto [which, index] = setting(what);
                QVERIFY2(which != Setting::Count, qPrintable(what));
                QCOMPARE(w.stored(which, index), number(text));
            }
        }
        QVERIFY2(w.t.dialogs.boxes.isEmpty(), qPrintable(w.t.dialogs.texts().join('|')));
    }

    void bandCheckOnLowAndHigh()
    {
        Window w;
        w.open();
        w.click("cmdAddRule");
        const QString old = w.cell(0, 0);

        w.type(0, 0, mark("144"));
        QCOMPARE(w.t.dialogs.boxes.size(), 1);
        QCOMPARE(w.t.dialogs.boxes[0].text,
                 "The frequency of '" + mark("144.00000")
                     + "' is not acceptable. Valid ranges in MHz are:\r\n29 - 30, 50 - 52, 145 - 147 and 430 - "
                       "450.\r\n If your local rules are outside these limits please contact the author.");
        QCOMPARE(w.cell(0, 0), old);

        // The Amount cell is checked too (the limits are tabled in tst_rulerows).
        w.type(0, 3, "100");
        QCOMPARE(w.cell(0, 3), mark(".60000"));
        w.type(0, 3, mark("99.99"));
        QCOMPARE(w.cell(0, 3), mark("99.99"));

        // "Allow any frequency" takes effect at once.
        w.t.dialogs.clear();
        w.check("chkAllowAnyFrequency")->click();
        w.type(0, 0, "144");
        QCOMPARE(w.cell(0, 0), mark("144.00000"));
        QVERIFY(w.t.dialogs.boxes.isEmpty());
    }

    void pickLists()
    {
        Window w;
        w.open();
        w.click("cmdAddRule");
        const QList<QPair<int, QStringList>> lists = {
            {2, {"Plus", "Minus", "Simplex"}},
            {4, {"5.0 K", "10.0 K", "12.5 K", "15.0 K", "20.0 K", "25.0 K", "50.0 K"}},
        };
        for (const auto &[column, choices] : lists) {
            auto *box = qobject_cast<QComboBox *>(w.startEdit(0, column));
            QVERIFY(box);
            QStringList items;
            for (int i = 0; i < box->count(); ++i)
                items << box->itemText(i);
            QCOMPARE(items, choices);
            QCOMPARE(box->currentText(), w.cell(0, column));
        }
    }

    // A pick list stores only a choice: Enter, a click on an item of its open
    // list, or leaving the cell. Keys, letters and the wheel only move the
    // choice, Esc keeps the cell, and a second click on the current cell opens
    // no editor. The new rule holds Minus and 12.5 K.
    void pickListGestures_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("gestures");  // after a click on the cell; see pickListGestures
        QTest::addColumn<QString>("after");
        const struct {
            const char *name;
            int column;
            const char *gestures, *after;
        } rows[] = {
            {"Down, Esc", 2, "F2 Down Esc", "Minus"},
            {"letter typed on the cell, Esc", 2, "p Esc", "Minus"},
            {"Down twice, Return", 4, "F2 Down Down Return", "20.0 K"},
            {"two wheel notches, leave", 4, "F2 Wheel Wheel Leave", "20.0 K"},
            {"Down, item clicked in the open list", 2, "F2 Down Open Click:Plus", "Plus"},
            {"second click on the current cell", 2, "Click", "Minus"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.column << QString(r.gestures) << QString(r.after);
    }
    void pickListGestures()
    {
        QFETCH(int, column);
        QFETCH(QString, gestures);
        QFETCH(QString, after);
        Window w;
        w.open();
        w.click("cmdAddRule");
        QTableWidget *grid = w.grid();
        const QModelIndex cell = grid->model()->index(0, column);
        auto clickCell = [grid](const QModelIndex &at) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(at).center());
        };
        clickCell(cell);
        QPointer<QComboBox> box;
        for (const QString &g : gestures.split(' ')) {
            if (g == "F2") {
                QTest::keyClick(grid, Qt::Key_F2);
            } else if (g == "Click") {
                clickCell(cell);
                QTest::qWait(2 * QApplication::doubleClickInterval());  // an editor would be open by now
            } else if (!box) {
                QVERIFY(g.size() == 1);  // a letter typed on the cell opens its editor
                QTest::keyClicks(grid, g);
            } else {
                // Every move so far has left the editor open.
                QCOMPARE(grid->indexWidget(cell), box.data());
                if (g == "Leave") {
                    clickCell(grid->model()->index(0, 0));
                } else if (g == "Open") {
                    QTest::keyClick(box, Qt::Key_F4);
                    QTRY_VERIFY(box->view()->isVisible());
                } else {
                    mv::test::pickListGesture(box, g);
                }
            }
            if (!box)
                box = qobject_cast<QComboBox *>(grid->indexWidget(cell));
        }
        QCoreApplication::processEvents();
        QVERIFY(!grid->indexWidget(cell));
        QCOMPARE(w.cell(0, column), after);
        w.click("cmdOK");
        QCOMPARE(w.stored(column == 2 ? Setting::RuleDirection : Setting::RuleStep, 1), after);
        QVERIFY(w.t.dialogs.boxes.isEmpty());
    }

    // OK pressed while a cell is still being edited takes the typed text along,
    // and a refused one keeps the window open with nothing stored.
    void okWithAnOpenEditor()
    {
        Window w;
        w.open();
        w.click("cmdAddRule");
        auto *line = qobject_cast<QLineEdit *>(w.startEdit(0, 1));
        QVERIFY(line);
        line->selectAll();
        QTest::keyClicks(line, mark("145.7"));
        w.click("cmdOK");
        QCOMPARE(w.stored(Setting::RuleHigh, 1), mark("145.70000"));
        QCOMPARE(w.dlg->result(), int(QDialog::Accepted));
        QVERIFY(w.t.dialogs.boxes.isEmpty());

        Window v;
        v.open();
        v.click("cmdAddRule");
        line = qobject_cast<QLineEdit *>(v.startEdit(0, 1));
        QVERIFY(line);
        line->selectAll();
        QTest::keyClicks(line, "144");
        v.click("cmdOK");
        QCoreApplication::processEvents();
        QCOMPARE(v.t.dialogs.boxes.size(), 1);
        QVERIFY(v.dlg->isVisible());
        QCOMPARE(v.stored(Setting::NumberOfRules), QString("<absent>"));
        QCOMPARE(v.cell(0, 1), mark("145.80000"));
    }
};

QTEST_MAIN(TestRulesDialog)
#include "tst_rulesdialog.moc"
