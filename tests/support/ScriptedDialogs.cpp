#include "ScriptedDialogs.h"

namespace mv::test {

Answer ScriptedDialogs::messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    boxes.append({text, title, buttons, icon});
    if (!answers.isEmpty())
        return answers.dequeue();
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    default:
        return Answer::Yes;
    }
}

std::optional<QString> ScriptedDialogs::inputBox(const QString &prompt, const QString &, const QString &defaultText)
{
    inputPrompts << prompt;
    if (!inputs.isEmpty())
        return inputs.dequeue();
    return defaultText;
}

FileChoice ScriptedDialogs::openFile(const FileDialogRequest &request)
{
    fileRequests << request;
    return files.isEmpty() ? FileChoice{} : files.dequeue();
}

FileChoice ScriptedDialogs::saveFile(const FileDialogRequest &request)
{
    fileRequests << request;
    return files.isEmpty() ? FileChoice{} : files.dequeue();
}

QString ScriptedDialogs::browseForFolder(const QString &title)
{
    folderTitles << title;
    return folders.isEmpty() ? QString() : folders.dequeue();
}

QStringList ScriptedDialogs::texts() const
{
    QStringList t;
    for (const ShownBox &b : boxes)
        t << b.text;
    return t;
}

void ScriptedDialogs::clear()
{
    answers.clear();
    inputs.clear();
    files.clear();
    folders.clear();
    boxes.clear();
    fileRequests.clear();
    inputPrompts.clear();
    folderTitles.clear();
}

}  // namespace mv::test
