#pragma once
// The transfer wait window "Read/write instructions" (frmMessages): a progress
// bar and a click-to-cancel message for reading or for writing the radio.
#include "core/AppState.h"

#include <QDialog>

class QFrame;
class QProgressBar;

namespace mv {

class ClickableLabel;

class TransferWaitWindow : public QDialog {
    Q_OBJECT
public:
    explicit TransferWaitWindow(QWidget *parent = nullptr);

    static QString readMessage();
    static QString writeMessage();

    void showFor(TransferKind kind);
    void hideAll();
    void setProgress(int value, int maximum);

signals:
    void readCancelClicked();
    void writeCancelClicked();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QFrame *m_frame;
    QProgressBar *m_bar;
    ClickableLabel *m_read;
    ClickableLabel *m_write;
};

}  // namespace mv
