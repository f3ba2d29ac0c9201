#pragma once
// The boxes and file choosers that the logic shows. The windows implement this
// with Qt dialogs; tests and the command line plug in their own versions.
#include <QString>
#include <QStringList>
#include <optional>

namespace mv {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Exclamation, Question, Information };
enum class Answer { Ok, Cancel, Yes, No };

// Outcome of a file dialog: cancelled is distinct from an empty name.
struct FileChoice {
    bool cancelled = true;
    QString path;
};

struct FileDialogRequest {
    QString title;
    QString filter;  // "Name (*.x)|*.x|Other (*.*)|*.*"
    QString startFolder;
    QString suggestedName;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // title empty means the program's title.
    virtual Answer messageBox(const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                              const QString &title = {})
        = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title, const QString &defaultText)
        = 0;
    virtual FileChoice openFile(const FileDialogRequest &request) = 0;
    virtual FileChoice saveFile(const FileDialogRequest &request) = 0;
    // Empty text when cancelled.
    virtual QString browseForFolder(const QString &title) = 0;
    // Busy pointer on / off around long operations.
    virtual void setBusy(bool) { }
};

// "Name (*.x)|*.x|All Files (*.*)|*.*" -> Qt's ";;"-separated filter list.
QStringList filterListToQt(const QString &filter);

// Answers every box with its first (affirmative) button and every file dialog with
// a cancel; used where nobody can be asked (command line). The texts go to a sink.
class NonInteractiveDialogs : public Dialogs {
public:
    using Sink = void (*)(const QString &text);
    explicit NonInteractiveDialogs(Sink sink = nullptr)
        : m_sink(sink)
    {
    }
    Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> inputBox(const QString &, const QString &, const QString &defaultText) override
    {
        return defaultText;
    }
    FileChoice openFile(const FileDialogRequest &) override { return {}; }
    FileChoice saveFile(const FileDialogRequest &) override { return {}; }
    QString browseForFolder(const QString &) override { return {}; }
    QStringList shown;  // every box text, in order

private:
    Sink m_sink;
};

}  // namespace mv
