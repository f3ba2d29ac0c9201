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
#include <QSignalSpy>
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

QList<QStringList> cellsOf(const std::vector<RuleRow> &rows)
{
    QList<QStringList> out;
    for (const RuleRow &r : rows)
        out << r.cells();
    return out;
}
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

    // No stored rules: an empty table and the rules switch cleared, whatever is stored for it.
    void opensEmptyWithoutRules()
    {
        Window w;
        w.t.settings->set<Setting::RepeaterRulesActive>(true);
        w.open();
        QCOMPARE(w.grid()->rowCount(), 0);
        QVERIFY(!w.check("ChkRulesEnabled")->isChecked());
        QVERIFY(!w.check("chkAllowAnyFrequency")->isChecked());
    }

    void opensWithStoredRules()
    {
        Window w;
        StoreRuleRows(*w.t.settings, PresetRuleRows(*FindRulePreset("cmdDenmark")), true, true);
        w.t.settings->set<Setting::RuleAmount>(2, "2");
        w.open();
        QCOMPARE(w.grid()->rowCount(), 2);
        QCOMPARE(w.rowTexts(0), (QStringList{mark("145.60000"), mark("145.78750"), "Minus", mark(".60000"), "12.5 K"}));
        QCOMPARE(w.cell(1, 3), mark("2.00000"));
        QVERIFY(w.check("ChkRulesEnabled")->isChecked());
        QVERIFY(w.check("chkAllowAnyFrequency")->isChecked());
    }

    void presetReplacesRows()
    {
        Window w;
        w.open();
        w.click("cmdLoadDefaultUS");
        QCOMPARE(w.grid()->rowCount(), 10);
        QList<QStringList> shown;
        for (int r = 0; r < 10; ++r)
            shown << w.rowTexts(r);
        QCOMPARE(shown, cellsOf(PresetRuleRows(*FindRulePreset("cmdLoadDefaultUS"))));
        QCOMPARE(w.cell(2, 0), mark("53.01000"));

        w.click("cmdOtherEU");
        QCOMPARE(w.grid()->rowCount(), 2);
        QCOMPARE(w.rowTexts(1),
                 (QStringList{mark("434.60000"), mark("434.97500"), "Minus", mark("1.60000"), "25.0 K"}));
        // Presets leave the switches and the store alone.
        QVERIFY(!w.check("ChkRulesEnabled")->isChecked());
        QCOMPARE(w.stored(Setting::NumberOfRules), QString("<absent>"));
    }

    void okStoresTheCellsAsTheyStand()
    {
        Window w;
        w.open();
        QSignalSpy spy(w.dlg.get(), &RepeaterRulesDialog::rulesActiveChanged);
        w.click("cmdLoadDefaultUS");
        w.check("ChkRulesEnabled")->click();
        w.click("cmdOK");
        QCOMPARE(w.dlg->result(), int(QDialog::Accepted));
        QVERIFY(!w.dlg->isVisible());
        QCOMPARE(w.stored(Setting::NumberOfRules), QString("10"));
        QCOMPARE(w.stored(Setting::RepeaterRulesActive), QString("True"));
        QCOMPARE(w.stored(Setting::RuleLow, 3), mark("53.01000"));

        // The program's rules are reloaded and the menu's check mark follows.
        QCOMPARE(w.set.rules.size(), size_t(10));
        QVERIFY(w.set.RepeaterRulesActive);
        QVERIFY(w.dlg->rulesActive());
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toBool(), true);
        QCOMPARE(FindRepeaterRule(w.set, 5301000).value_or(RepeaterRuleMatch()).Direction, QString("Minus"));
        QVERIFY(w.t.dialogs.boxes.isEmpty());
    }

    void cancelStoresNothing()
    {
        Window w;
        StoreRuleRows(*w.t.settings, PresetRuleRows(*FindRulePreset("cmdLoadDefaultUK")), false, false);
        LoadRepeaterRules(w.set, *w.t.settings, nullptr, nullptr);
        w.open();
        QSignalSpy spy(w.dlg.get(), &RepeaterRulesDialog::rulesActiveChanged);
        w.click("cmdLoadDefaultUS");
        w.check("ChkRulesEnabled")->click();
        w.check("chkAllowAnyFrequency")->click();
        w.click("cmdAddRule");
        w.click("cmdCancel");
        QCOMPARE(w.dlg->result(), int(QDialog::Rejected));
        QVERIFY(!w.dlg->isVisible());
        QCOMPARE(w.stored(Setting::NumberOfRules), QString("5"));
        QCOMPARE(w.stored(Setting::RepeaterRulesActive), QString("False"));
        QCOMPARE(w.stored(Setting::AllowAnyRepeaterFrequency), QString("False"));
        QCOMPARE(w.stored(Setting::RuleLow, 1), mark("29.66000"));
        QCOMPARE(w.stored(Setting::RuleLow, 6), QString("<absent>"));
        QCOMPARE(w.set.rules.size(), size_t(5));
        QVERIFY(!w.set.RepeaterRulesActive);
        QVERIFY(!w.set.AllowAnyRepeaterFrequency);
        QCOMPARE(spy.size(), 0);
    }

    void reloadMyRulesAfterPreset()
    {
        Window w;
        StoreRuleRows(*w.t.settings, PresetRuleRows(*FindRulePreset("cmdBelgium")), true, false);
        w.open();
        w.click("cmdLoadDefaultUS");
        w.check("ChkRulesEnabled")->click();
        w.click("cmdMyRules");
        QCOMPARE(w.grid()->rowCount(), 2);
        QCOMPARE(w.cell(1, 0), mark("430.02500"));
        QVERIFY(w.check("ChkRulesEnabled")->isChecked());
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

    // Opening a preset's cell that lies outside the bands and leaving it unchanged is no edit.
    void unchangedPresetCellIsNotChecked()
    {
        Window w;
        w.open();
        w.click("cmdLoadDefaultUS");
        w.type(2, 0, mark("53.01000"));
        QVERIFY(w.t.dialogs.boxes.isEmpty());
        QCOMPARE(w.cell(2, 0), mark("53.01000"));
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
        QTest::newRow("Down, Esc") << 2 << "F2 Down Esc"
                                   << "Minus";
        QTest::newRow("letter typed on the cell, Esc") << 2 << "p Esc"
                                                       << "Minus";
        QTest::newRow("Down twice, Return") << 4 << "F2 Down Down Return"
                                            << "20.0 K";
        QTest::newRow("two wheel notches, leave") << 4 << "F2 Wheel Wheel Leave"
                                                  << "20.0 K";
        QTest::newRow("Down, item clicked in the open list") << 2 << "F2 Down Open Click:Plus"
                                                             << "Plus";
        QTest::newRow("second click on the current cell") << 2 << "Click"
                                                          << "Minus";
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

    void addAndDeleteRules()
    {
        Window w;
        w.open();
        w.click("cmdAddRule");
        w.click("cmdAddRule");
        QCOMPARE(w.grid()->rowCount(), 2);
        QCOMPARE(w.rowTexts(1), NewRuleRow().cells());

        w.grid()->setCurrentCell(-1, -1);
        w.click("cmdDeleteRule");
        QCOMPARE(w.grid()->rowCount(), 2);

        w.type(1, 0, mark("146"));
        w.grid()->setCurrentCell(0, 3);
        w.click("cmdDeleteRule");
        QCOMPARE(w.grid()->rowCount(), 1);
        QCOMPARE(w.cell(0, 0), mark("146.00000"));
    }

    void deletingEveryRuleLeavesRulesInactive()
    {
        Window w;
        StoreRuleRows(*w.t.settings, PresetRuleRows(*FindRulePreset("cmdSwiss")), true, false);
        LoadRepeaterRules(w.set, *w.t.settings, nullptr, nullptr);
        QVERIFY(w.set.RepeaterRulesActive);
        w.open();
        QSignalSpy spy(w.dlg.get(), &RepeaterRulesDialog::rulesActiveChanged);
        for (int i = 0; i < 4; ++i) {
            w.grid()->setCurrentCell(0, 0);
            w.click("cmdDeleteRule");
        }
        QCOMPARE(w.grid()->rowCount(), 0);
        QVERIFY(w.check("ChkRulesEnabled")->isChecked());
        w.click("cmdOK");
        QCOMPARE(w.stored(Setting::NumberOfRules), QString("0"));
        QVERIFY(!w.set.RepeaterRulesActive);
        QVERIFY(!FindRepeaterRule(w.set, 14560000));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toBool(), false);
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
