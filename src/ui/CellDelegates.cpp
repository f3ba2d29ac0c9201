#include "ui/CellDelegates.h"

#include "core/MemoryTable.h"
#include "editing/EditingCommands.h"
#include "ui/PickListEditor.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace mv {

namespace {
// A pick list on a cell whose text is none of its choices ("?? " from an
// unreadable record) opens with no choice; confirming no choice changes nothing.
bool hasNoChoice(const QWidget *editor)
{
    const auto *box = qobject_cast<const QComboBox *>(editor);
    return box && box->currentIndex() < 0;
}
}  // namespace

CellDelegate::CellDelegate(EditingCommands &commands, ViewKind kind, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_commands(commands)
    , m_commandsAlive(commands.lifetime())
    , m_kind(kind)
{
}

void CellDelegate::setDeleteAction(QAction *action) { m_deleteAction = action; }

QWidget *CellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int column = index.column();
    QWidget *editor = nullptr;
    const QStringList choices = EditingCommands::PickListChoices(column);
    if (!choices.isEmpty()) {
        // The lists' trailing empty choice is left out: it would only be refused.
        auto *box = new PickListEditor(parent);
        box->addItems(choices);
        box->setFrame(false);
        // A choice made in the open list confirms at once, as Enter does.
        connect(box, &PickListEditor::picked, this, [this, box]() {
            const_cast<CellDelegate *>(this)->submit(box, QAbstractItemDelegate::SubmitModelCache);
        });
        editor = box;
    } else if (column == MemoryTable::ColFrequency || column == MemoryTable::ColDescription) {
        auto *line = new QLineEdit(parent);
        line->setFrame(false);
        if (column == MemoryTable::ColDescription)
            line->setMaxLength(MemoryTable::kDescriptionLimit);
        editor = line;
    } else {
        return nullptr;  // the number column is never edited
    }
    editor->setObjectName(QLatin1String(kEditorName));
    OpenEditor info;
    info.index = index;
    info.view = qobject_cast<QAbstractItemView *>(const_cast<QWidget *>(option.widget));
    m_editors.insert(editor, info);
    connect(editor, &QObject::destroyed, this, [this, editor]() { forget(editor); });
    if (m_deleteAction)
        m_deleteAction->setEnabled(false);
    return editor;
}

void CellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // The view calls this again for every change signal that covers the cell
    // (a colour refresh after a refused edit, say): once open, the editor keeps
    // what the user typed.
    const auto it = m_editors.find(editor);
    if (it != m_editors.end()) {
        if (it->initialised)
            return;
        it->initialised = true;
    }
    QString text = index.data(Qt::EditRole).toString();
    if (m_reopenIndex.isValid() && m_reopenIndex == index) {
        text = m_reopenText;
        m_reopenIndex = QPersistentModelIndex();
        m_reopenText.clear();
    }
    if (auto *box = qobject_cast<QComboBox *>(editor))
        box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));  // -1: no choice
    else if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(text);
}

QString CellDelegate::editorText(const QWidget *editor)
{
    if (auto *box = qobject_cast<const QComboBox *>(editor))
        return box->currentText();
    if (auto *line = qobject_cast<const QLineEdit *>(editor))
        return line->text();
    return {};
}

bool CellDelegate::confirm(QWidget *editor) const
{
    // A window that is being destroyed hides its open editor, which commits: by
    // then the commands and the table may be gone, and there is nothing to keep.
    if (m_commandsAlive.expired())
        return true;
    const auto it = m_editors.constFind(editor);
    if (it == m_editors.constEnd() || !it->index.isValid())
        return true;
    const QModelIndex index = it->index;
    const QString text = editorText(editor);
    if (hasNoChoice(editor) || text == index.data(Qt::EditRole).toString())
        return true;  // nothing was chosen or changed: nothing to check or store
    // The checks may show a message box; the focus it takes is not a commit.
    m_confirming = true;
    const bool accepted = m_kind == ViewKind::Memories
                              ? m_commands.ConfirmMemoryEdit(index.row() + 1, index.column(), text)
                              : m_commands.ConfirmPmsEdit(index.row() + 1, index.column(), text);
    m_confirming = false;
    // The status refresh after a refused edit re-enables the menu items; the
    // editor is still open, so Del stays with it.
    if (!accepted && m_deleteAction)
        m_deleteAction->setEnabled(false);
    return accepted;
}

void CellDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &) const
{
    auto it = m_editors.find(editor);
    if (it == m_editors.end() || it->finished)
        return;
    it->finished = true;
    const OpenEditor info = *it;
    const QString text = editorText(editor);
    if (!confirm(editor))
        reopen(info, text);
}

bool CellDelegate::submit(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    auto it = m_editors.find(editor);
    if (it == m_editors.end() || it->finished)
        return true;
    if (hasNoChoice(editor)) {
        // The same as Esc (Tab still moves on).
        it->finished = true;
        emit closeEditor(
            editor, hint == QAbstractItemDelegate::SubmitModelCache ? QAbstractItemDelegate::RevertModelCache : hint);
        return true;
    }
    if (!confirm(editor)) {
        editor->setFocus();
        return false;  // refused: the editor stays open on the text
    }
    it = m_editors.find(editor);
    if (it != m_editors.end())
        it->finished = true;
    emit closeEditor(editor, hint);
    return true;
}

bool CellDelegate::submitOpenEditor()
{
    // Copied: the submit closes the editor, and the view may forget it at once.
    const QList<QWidget *> open = m_editors.keys();
    for (QWidget *editor : open) {
        const auto it = m_editors.constFind(editor);
        if (it == m_editors.constEnd() || it->finished || !editor->isVisible())
            continue;
        if (!submit(editor, QAbstractItemDelegate::SubmitModelCache))
            return false;
    }
    return true;
}

void CellDelegate::reopen(const OpenEditor &info, const QString &text) const
{
    if (!info.view || !info.index.isValid())
        return;
    m_reopenIndex = info.index;
    m_reopenText = text;
    QPointer<QAbstractItemView> view = info.view;
    const QPersistentModelIndex index = info.index;
    // After the view has closed the old editor.
    QTimer::singleShot(0, view, [view, index]() {
        if (!view || !index.isValid())
            return;
        view->setCurrentIndex(index);
        view->edit(index);
    });
}

void CellDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    forget(editor);
    QStyledItemDelegate::destroyEditor(editor, index);
}

void CellDelegate::forget(QWidget *editor) const
{
    if (!m_editors.remove(editor))
        return;
    if (m_editors.isEmpty() && m_deleteAction)
        m_deleteAction->setEnabled(true);
}

bool CellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    auto it = editor ? m_editors.find(editor) : m_editors.end();
    if (it == m_editors.end())
        return QStyledItemDelegate::eventFilter(object, event);

    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Del (main or keypad) belongs to the editor, never to a menu shortcut.
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
            event->accept();
            return false;
        }
        break;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        QAbstractItemDelegate::EndEditHint hint;
        switch (key->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
            hint = QAbstractItemDelegate::SubmitModelCache;
            break;
        case Qt::Key_Tab:
            hint = QAbstractItemDelegate::EditNextItem;
            break;
        case Qt::Key_Backtab:
            hint = QAbstractItemDelegate::EditPreviousItem;
            break;
        case Qt::Key_Escape:
            it->finished = true;  // abandoned: checks nothing, changes nothing
            return QStyledItemDelegate::eventFilter(object, event);
        default:
            return QStyledItemDelegate::eventFilter(object, event);
        }
        submit(editor, hint);
        return true;
    }
    case QEvent::FocusOut:
        if (m_confirming)
            return true;
        break;
    default:
        break;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace mv
