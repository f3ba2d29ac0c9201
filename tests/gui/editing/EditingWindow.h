#pragma once
// The main window over a loaded table with scripted boxes, and the user's
// gestures on it: clicking cells, extending the selection, pressing keys,
// choosing menu items, typing into cell editors.
#include "../../editing/SampleMemories.h"
#include "MemoryRows.h"
#include "ScriptedDialogs.h"
#include "app/Session.h"
#include "core/MemoryTable.h"
#include "core/NumberText.h"
#include "editing/UndoSnapshot.h"
#include "ui/MainWindow.h"
#include "ui/MemoryGridView.h"
#include "ui/MemoryViewModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace mv::test {

struct EditingWindow {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    EditingWindow()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        MainWindowOptions options;
        options.settingsFolder = dir.path();
        options.dialogs = &dialogs;
        window = std::make_unique<MainWindow>(options);
        DetectSeparators();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    AppState &state() { return window->session().state(); }
    MemoryTable &table() { return window->session().state().table; }
    MemoryGridView *view() { return window->memoryView(); }
    QAction *action(const char *name) { return window->findChild<QAction *>(QLatin1String(name)); }

    static QString frequencyOf(int n) { return SampleFrequency(n); }
    void use(int n, const QString &frequency = {}, const QString &mode = QStringLiteral("FM"),
             const QString &description = {})
    {
        UseSampleMemory(table(), n, frequency, mode, description);
    }
    void useRange(int first, int last) { UseSampleRange(table(), first, last); }
    // What a file load leaves behind: source colour, menus, hiding, cursor.
    void loaded()
    {
        state().DataSource = DataSource::File;
        state().FileLoadComplete = true;
        state().MemoriesChanged = false;
        window->RefreshChangedState();
        window->ApplyHideEmpty();
        window->ApplyBanding();
        view()->setFocus();
    }

    QString freq(int n) { return mv::test::cellOf(table(), n, MemoryTable::ColFrequency); }
    QString cell(int n, int column) { return mv::test::cellOf(table(), n, column); }
    // The text the view shows.
    QString shown(int n, int column) { return window->memoryModel()->index(n - 1, column).data().toString(); }

    void clickCell(int n, int column, Qt::KeyboardModifiers modifiers = {})
    {
        const QModelIndex i = window->memoryModel()->index(n - 1, column);
        view()->scrollTo(i);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, modifiers, view()->visualRect(i).center());
    }
    // Click the first cell, Shift+click the last: the user's block selection.
    void selectBlock(int first, int last, int firstCol = 1, int lastCol = 1)
    {
        clickCell(first, firstCol);
        clickCell(last, lastCol, Qt::ShiftModifier);
    }
    void key(int k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(view(), Qt::Key(k), modifiers); }

    // The open cell editor; a closed one lingers hidden until it is deleted.
    QWidget *editor()
    {
        for (QWidget *e : view()->findChildren<QWidget *>(QStringLiteral("cellEditor")))
            if (e->isVisible())
                return e;
        return nullptr;
    }
    QLineEdit *lineEditor() { return qobject_cast<QLineEdit *>(editor()); }
    QComboBox *listEditor() { return qobject_cast<QComboBox *>(editor()); }
    // Types into cell (n, column) as a user does: the first key opens the editor,
    // the rest goes into it; Enter confirms.
    void typeIntoCell(int n, int column, const QString &text, bool confirm = true)
    {
        clickCell(n, column);
        QTest::keyClick(view(), text.at(0).toLatin1());
        QLineEdit *line = lineEditor();
        QVERIFY(line);
        QTest::keyClicks(line, text.mid(1));
        if (confirm)
            QTest::keyClick(line, Qt::Key_Return);
    }
};

}  // namespace mv::test
