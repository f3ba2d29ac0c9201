#pragma once
// The boxes and file choosers of the logic, shown with Qt's standard dialogs.
#include "shell/Dialogs.h"

class QWidget;

namespace mv {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }

    Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    FileChoice openFile(const FileDialogRequest &request) override;
    FileChoice saveFile(const FileDialogRequest &request) override;
    QString browseForFolder(const QString &title) override;
    void setBusy(bool on) override;

private:
    QWidget *m_parent;
    int m_busyDepth = 0;
};

}  // namespace mv
