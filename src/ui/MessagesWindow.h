#pragma once
// The messages window (frmErrorList) over the program's MessageLog: opens with
// the first line, shows the log text, and offers copy, clear, save position and
// close.
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace mv {

class MessageLog;
class SettingsStore;

class MessagesWindow : public QWidget {
    Q_OBJECT
public:
    MessagesWindow(MessageLog &log, SettingsStore &settings, QWidget *parent = nullptr);

    // Design geometry in twips, used when no "ErrorList..." keys are stored.
    static constexpr int kDesignLeft = 2760, kDesignTop = 0, kDesignWidth = 8130, kDesignHeight = 3060;
    static constexpr int kMinimumHeightTwips = 2000;
    // The top of the button line above the inner bottom, and the space between
    // the text and the buttons and at the ends of the button line.
    static constexpr int kButtonLineTwips = 410, kGapTwips = 60;

    QPlainTextEdit *textArea() const { return m_text; }

    // "&Force windows onto the primary desktop": normal state at the design place.
    void forceOntoPrimaryDesktop();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void onOpened();
    void onTextChanged();
    void onRaiseRequested();
    void copyToClipboard();
    void savePosition();
    void layoutControls();
    void restoreGeometryFromSettings();

    MessageLog &m_log;
    SettingsStore &m_settings;
    QPlainTextEdit *m_text;
    QPushButton *m_copy, *m_clear, *m_save, *m_close;
    qsizetype m_mirrored = 0;  // characters of the log shown so far
};

}  // namespace mv
