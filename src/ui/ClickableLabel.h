#pragma once
// A label that reports a left click (the click-to-cancel messages of the transfer
// wait window, the link of the about window).
#include <QLabel>
#include <QMouseEvent>

namespace mv {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

}  // namespace mv
