#include "ui/QtDialogs.h"

#include "Version.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace mv {

namespace {

QString titleOr(const QString &title) { return title.isEmpty() ? QString::fromLatin1(kProgramTitle) : title; }

QString startPath(const FileDialogRequest &request)
{
    if (request.suggestedName.isEmpty())
        return request.startFolder;
    const QFileInfo info(request.suggestedName);
    if (info.isAbsolute() || request.startFolder.isEmpty())
        return request.suggestedName;
    return QDir(request.startFolder).filePath(request.suggestedName);
}

}  // namespace

Answer QtDialogs::messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(titleOr(title));
    // The texts use CR LF; a CR on its own would show as a blank line on Qt.
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    // A busy pointer must not hide the box's buttons.
    const bool busy = m_busyDepth > 0;
    if (busy)
        QApplication::restoreOverrideCursor();
    const int result = box.exec();
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    switch (result) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        // The close box of a window without Cancel counts as its safe answer.
        if (buttons == Buttons::YesNo)
            return Answer::No;
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return Answer::Cancel;
    }
}

std::optional<QString> QtDialogs::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, titleOr(title),
                                               QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

FileChoice QtDialogs::openFile(const FileDialogRequest &request)
{
    const QStringList filters = filterListToQt(request.filter);
    QString selected = filters.value(0);
    const QString path = QFileDialog::getOpenFileName(m_parent, request.title, startPath(request),
                                                      filters.join(QStringLiteral(";;")), &selected);
    FileChoice choice;
    choice.cancelled = path.isNull();
    choice.path = path;
    return choice;
}

FileChoice QtDialogs::saveFile(const FileDialogRequest &request)
{
    const QStringList filters = filterListToQt(request.filter);
    QString selected = filters.value(0);
    // The program asks itself before replacing a file (and only for "Save As").
    const QString path
        = QFileDialog::getSaveFileName(m_parent, request.title, startPath(request), filters.join(QStringLiteral(";;")),
                                       &selected, QFileDialog::DontConfirmOverwrite);
    FileChoice choice;
    choice.cancelled = path.isNull();
    choice.path = path;
    return choice;
}

QString QtDialogs::browseForFolder(const QString &title) { return QFileDialog::getExistingDirectory(m_parent, title); }

void QtDialogs::setBusy(bool on)
{
    if (on) {
        if (m_busyDepth++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busyDepth > 0) {
        if (--m_busyDepth == 0)
            QApplication::restoreOverrideCursor();
    }
}

}  // namespace mv
