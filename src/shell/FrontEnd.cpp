#include "shell/FrontEnd.h"

#include <QSemaphore>
#include <QThread>

#include <exception>
#include <memory>

namespace mv {

bool FrontEndThread::call(const std::function<void()> &f)
{
    if (m_shut)
        return false;
    if (QThread::currentThread() == thread()) {
        f();
        return true;
    }
    // Not a blocking queued connection: a front end that waits for this worker
    // to end (shutting down) must not wait for ever on a call it will never run.
    // `f` refers to the caller's stack, so it runs only while the caller waits;
    // the front end shuts before it waits for the worker and runs no events after.
    auto done = std::make_shared<QSemaphore>();
    std::exception_ptr error;
    QMetaObject::invokeMethod(
        this,
        [this, &f, &error, done] {
            if (!m_shut) {
                // A failure belongs to the caller, not to the front end's event loop.
                try {
                    f();
                } catch (...) {
                    error = std::current_exception();
                }
            }
            done->release();
        },
        Qt::QueuedConnection);
    while (!done->tryAcquire(1, 20)) {
        if (m_shut)
            return false;
    }
    if (error)
        std::rethrow_exception(error);
    return true;
}

void FrontEndThread::post(std::function<void()> f)
{
    if (m_shut)
        return;
    if (QThread::currentThread() == thread()) {
        f();
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, f = std::move(f)] {
            if (!m_shut)
                f();
        },
        Qt::QueuedConnection);
}

Answer FrontEndDialogs::messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    Answer answer = buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    m_frontEnd.call([&] { answer = m_inner.messageBox(text, buttons, icon, title); });
    return answer;
}

std::optional<QString> FrontEndDialogs::inputBox(const QString &prompt, const QString &title,
                                                 const QString &defaultText)
{
    std::optional<QString> text;
    m_frontEnd.call([&] { text = m_inner.inputBox(prompt, title, defaultText); });
    return text;
}

FileChoice FrontEndDialogs::openFile(const FileDialogRequest &request)
{
    FileChoice choice;
    m_frontEnd.call([&] { choice = m_inner.openFile(request); });
    return choice;
}

FileChoice FrontEndDialogs::saveFile(const FileDialogRequest &request)
{
    FileChoice choice;
    m_frontEnd.call([&] { choice = m_inner.saveFile(request); });
    return choice;
}

QString FrontEndDialogs::browseForFolder(const QString &title)
{
    QString folder;
    m_frontEnd.call([&] { folder = m_inner.browseForFolder(title); });
    return folder;
}

void FrontEndDialogs::setBusy(bool on)
{
    m_frontEnd.call([&] { m_inner.setBusy(on); });
}

}  // namespace mv
