#pragma once
// The pick-list cell editor of every editable table (memories, PMS, repeater
// rules). Arrow keys, letters (the list's prefix search) and the wheel move its
// choice; QComboBox reports those moves as `activated` too, which is why they
// are told apart here: only a choice made in the open list (a click on an item,
// or Enter there) is reported as `picked`.
#include <QComboBox>
#include <QKeyEvent>
#include <QWheelEvent>

#include <utility>

namespace mv {

class PickListEditor : public QComboBox {
    Q_OBJECT
public:
    explicit PickListEditor(QWidget *parent = nullptr)
        : QComboBox(parent)
    {
        connect(this, &QComboBox::activated, this, [this](int index) {
            if (!m_moving)
                emit picked(index);
        });
    }

signals:
    // The user chose the item at `index` in the open list.
    void picked(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool was = std::exchange(m_moving, true);
        QComboBox::keyPressEvent(event);
        m_moving = was;
    }
    void wheelEvent(QWheelEvent *event) override
    {
        const bool was = std::exchange(m_moving, true);
        QComboBox::wheelEvent(event);
        m_moving = was;
    }

private:
    bool m_moving = false;  // a key or the wheel is moving the choice
};

}  // namespace mv
