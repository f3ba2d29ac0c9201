#pragma once
// The cell editors of the memory and PMS views: pick lists for mode, shift,
// encoding and tone (the radio's lists), free text for the frequency and the
// description (at most 100 characters). A confirmed text goes through the
// editing commands' checks; a refused text keeps its editor open. A pick list
// stores only a choice: Enter, a click on an item of its open list, or leaving
// the cell; keys and the wheel merely move the choice, and Esc keeps the cell.
#include <QHash>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>
#include <memory>

class QAbstractItemView;
class QAction;

namespace mv {

class EditingCommands;

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum class ViewKind { Memories, Pms };
    // Object name of every editor this delegate opens.
    static constexpr const char *kEditorName = "cellEditor";

    CellDelegate(EditingCommands &commands, ViewKind kind, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    // The commit of a view (the current cell moved, or the editor lost the focus).
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;

    // "&Delete memory" (Del) is disabled while an editor is open, so that Del
    // edits the text instead of clearing memories.
    void setDeleteAction(QAction *action);

    // Confirms the open editor as Enter does and closes it. False when its text
    // is refused: the check has shown its message and the editor stays open.
    bool submitOpenEditor();

    // The text an editor holds now.
    static QString editorText(const QWidget *editor);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    struct OpenEditor {
        QPersistentModelIndex index;
        QPointer<QAbstractItemView> view;
        bool finished = false;  // confirmed or abandoned: no second commit
        bool initialised = false;  // holds its first text; the user's from then on
    };
    // Runs the checks of the cell; true when the table took the text (or the text
    // is the cell's own, which needs no confirming).
    bool confirm(QWidget *editor) const;
    // Enter, Tab or a choice in the open list: confirms and closes the editor
    // with `hint`; a pick list with no choice closes as with Esc. False when the
    // text is refused (the editor stays open).
    bool submit(QWidget *editor, QAbstractItemDelegate::EndEditHint hint);
    void forget(QWidget *editor) const;
    // Opens the editor of a refused commit again, on the refused text.
    void reopen(const OpenEditor &info, const QString &text) const;

    EditingCommands &m_commands;
    std::weak_ptr<const int> m_commandsAlive;
    ViewKind m_kind;
    QPointer<QAction> m_deleteAction;
    mutable QHash<QWidget *, OpenEditor> m_editors;
    mutable bool m_confirming = false;
    mutable QPersistentModelIndex m_reopenIndex;
    mutable QString m_reopenText;
};

}  // namespace mv
