#pragma once
// The thread the windows (or the command line) live on, as seen from a worker
// thread: the radio transfer runs on its own thread, but the table, the views
// and every box belong to the front end's. Calls made on the front end's own
// thread run at once, so the same code serves a worker and a plain synchronous
// caller.
#include "shell/Dialogs.h"

#include <QObject>
#include <atomic>
#include <functional>

namespace mv {

class FrontEndThread : public QObject {
    Q_OBJECT
public:
    // Lives on the thread that creates it.
    explicit FrontEndThread(QObject *parent = nullptr)
        : QObject(parent)
    {
    }

    // Runs `f` on the front end's thread and waits for it. Returns false, without
    // running `f`, once the front end has been shut.
    bool call(const std::function<void()> &f);
    // Queues `f` behind everything queued before it, without waiting. Calls and
    // posts from one worker run in the order they were made.
    void post(std::function<void()> f);
    // The front end is going away: every waiting call returns false and nothing
    // queued from now on runs. Called on the front end's thread.
    void shut() { m_shut = true; }
    bool isShut() const { return m_shut; }

private:
    std::atomic<bool> m_shut{false};
};

// Boxes and file choosers asked from any thread, shown on the front end's.
// After the front end is shut every box is answered Cancel (No for Yes/No).
class FrontEndDialogs : public Dialogs {
public:
    FrontEndDialogs(Dialogs &inner, FrontEndThread &frontEnd)
        : m_inner(inner)
        , m_frontEnd(frontEnd)
    {
    }

    Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    FileChoice openFile(const FileDialogRequest &request) override;
    FileChoice saveFile(const FileDialogRequest &request) override;
    QString browseForFolder(const QString &title) override;
    void setBusy(bool on) override;

private:
    Dialogs &m_inner;
    FrontEndThread &m_frontEnd;
};

}  // namespace mv
