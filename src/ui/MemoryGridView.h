#pragma once
// The table view of the memory and PMS tabs: fixed-height rows, rows dragged by
// their number, and the keys the views handle themselves (Shift+Insert pastes
// the clipboard into the cell; Delete in the PMS view deletes a PMS pair).
#include <QTableView>

namespace mv {

class MemoryGridView : public QTableView {
    Q_OBJECT
public:
    enum class Kind { Memories, Pms };
    explicit MemoryGridView(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }

signals:
    void pasteIntoCellRequested();
    void deletePmsPairRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Kind m_kind;
};

}  // namespace mv
