#pragma once
// A Dialogs that records every box and answers from queues, for tests.
#include "shell/Dialogs.h"

#include <QList>
#include <QQueue>

namespace mv::test {

struct ShownBox {
    QString text;
    QString title;
    Buttons buttons;
    Icon icon;
};

class ScriptedDialogs : public Dialogs {
public:
    Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    FileChoice openFile(const FileDialogRequest &request) override;
    FileChoice saveFile(const FileDialogRequest &request) override;
    QString browseForFolder(const QString &title) override;

    // Answers, used in order; when a queue is empty the first button answers
    // (Ok / Yes), an input box returns its default and file dialogs cancel.
    QQueue<Answer> answers;
    QQueue<std::optional<QString>> inputs;
    QQueue<FileChoice> files;
    QQueue<QString> folders;

    QList<ShownBox> boxes;
    QList<FileDialogRequest> fileRequests;
    QStringList inputPrompts;
    QStringList folderTitles;

    QStringList texts() const;
    void clear();
};

}  // namespace mv::test
