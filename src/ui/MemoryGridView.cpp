#include "ui/MemoryGridView.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace mv {

MemoryGridView::MemoryGridView(Kind kind, QWidget *parent)
    : QTableView(parent)
    , m_kind(kind)
{
    setObjectName(kind == Kind::Memories ? QStringLiteral("grdMemoriesL") : QStringLiteral("grdMemoriesPMS"));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // No editor on a second click of the current cell: a click only selects, so
    // that Del, Ctrl+C and Ctrl+V after it act on memories.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    if (kind == Kind::Memories) {
        // A memory is moved by dragging its number onto another memory.
        setDragEnabled(true);
        setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::InternalMove);
        setDragDropOverwriteMode(true);
        setDropIndicatorShown(true);
        setDefaultDropAction(Qt::MoveAction);
    }
}

void MemoryGridView::keyPressEvent(QKeyEvent *event)
{
    if (state() != EditingState) {
        if (event->key() == Qt::Key_Insert && (event->modifiers() & Qt::ShiftModifier)) {
            emit pasteIntoCellRequested();
            event->accept();
            return;
        }
        if (m_kind == Kind::Pms && event->key() == Qt::Key_Delete) {
            emit deletePmsPairRequested();
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

}  // namespace mv
