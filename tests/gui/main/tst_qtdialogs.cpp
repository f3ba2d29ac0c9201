// The boxes the window asks its questions with: what each key answers (Esc
// must give the safe answer, never "Yes"), the input box, and the busy pointer
// that a box lifts while it waits.
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

using namespace mv;

namespace {
// Presses `key` on the box once it is up; `typed` first when the box has a text field.
void pressOnBox(Qt::Key key, const QString &typed = {})
{
    QTimer::singleShot(0, [key, typed] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        if (auto *edit = box->findChild<QLineEdit *>(); edit && !typed.isNull()) {
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        QTest::keyClick(box, key);
    });
}
}  // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT

private slots:
    void keysAnswer_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK: Return") << int(Buttons::Ok) << int(Qt::Key_Return) << int(Answer::Ok);
        QTest::newRow("OK: Esc") << int(Buttons::Ok) << int(Qt::Key_Escape) << int(Answer::Ok);
        QTest::newRow("OK/Cancel: Return") << int(Buttons::OkCancel) << int(Qt::Key_Return) << int(Answer::Ok);
        QTest::newRow("OK/Cancel: Esc") << int(Buttons::OkCancel) << int(Qt::Key_Escape) << int(Answer::Cancel);
        QTest::newRow("Yes/No: Return") << int(Buttons::YesNo) << int(Qt::Key_Return) << int(Answer::Yes);
        QTest::newRow("Yes/No: Esc is No") << int(Buttons::YesNo) << int(Qt::Key_Escape) << int(Answer::No);
        QTest::newRow("Yes/No/Cancel: Esc") << int(Buttons::YesNoCancel) << int(Qt::Key_Escape) << int(Answer::Cancel);
        QTest::newRow("Yes/No/Cancel: N") << int(Buttons::YesNoCancel) << int(Qt::Key_N) << int(Answer::No);
    }
    void keysAnswer()
    {
        QFETCH(int, buttons);
        QFETCH(int, key);
        QtDialogs dialogs;
        for (Icon icon : {Icon::None, Icon::Exclamation, Icon::Question, Icon::Information}) {
            pressOnBox(Qt::Key(key));
            QTEST(int(dialogs.messageBox("Line one\r\nline two", Buttons(buttons), icon, {})), "answer");
        }
    }

    void inputBox()
    {
        QtDialogs dialogs;
        pressOnBox(Qt::Key_Return, "Memory 7");
        QCOMPARE(dialogs.inputBox("Description\r\nof memory 7", {}, "old"), std::optional<QString>("Memory 7"));
        pressOnBox(Qt::Key_Escape, "ignored");
        QCOMPARE(dialogs.inputBox("Description", "Title", "old"), std::nullopt);
    }

    // A box shown while the program is busy shows the normal pointer, and the
    // busy pointer comes back after it.
    void boxLiftsTheBusyPointer()
    {
        QtDialogs dialogs;
        dialogs.setBusy(true);
        dialogs.setBusy(true);
        bool pointerDuringBox = true;
        QTimer::singleShot(0, [&] {
            pointerDuringBox = QApplication::overrideCursor() != nullptr;
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);
        });
        dialogs.messageBox("Working", Buttons::Ok, Icon::Information, {});
        QVERIFY(!pointerDuringBox);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        dialogs.setBusy(false);
        QVERIFY(QApplication::overrideCursor());
        dialogs.setBusy(false);
        dialogs.setBusy(false);  // one too many changes nothing
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
