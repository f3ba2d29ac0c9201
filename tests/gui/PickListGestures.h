#pragma once
// One gesture on an open pick-list cell editor, made as a user makes it, for
// the window tests of every grid that has pick lists.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QWheelEvent>
#include <QtTest>

namespace mv::test {

// "Down", "Esc", "Return": the key, to the open list when it shows, else to the
// editor; "Wheel": one notch towards the user over the closed list;
// "Click:<item>": a click on that item of the open list; anything else: letters
// typed into the editor. Opening the list and leaving the cell are the caller's.
inline void pickListGesture(QComboBox *box, const QString &g)
{
    QAbstractItemView *list = box->view();
    QWidget *target = list->isVisible() ? static_cast<QWidget *>(list) : box;
    const QMap<QString, Qt::Key> keys{{"Down", Qt::Key_Down}, {"Esc", Qt::Key_Escape}, {"Return", Qt::Key_Return}};
    if (keys.contains(g)) {
        QTest::keyClick(target, keys[g]);
    } else if (g == "Wheel") {
        const QPointF at = QRectF(box->rect()).center();
        QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
    } else if (g.startsWith("Click:")) {
        const QModelIndex item = list->model()->index(box->findText(g.mid(6)), 0);
        list->scrollTo(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    } else {
        QTest::keyClicks(box, g);
    }
}

}  // namespace mv::test
