#pragma once
// The program's running text: transfer traces, decode errors, duplicate lists,
// import reports. Lives only while its window is open; the window listens to the
// signals below, the command line prints lines as they come.
#include <QObject>
#include <QString>

namespace mv {

// Message lines are always shown; trace lines (the CAT traffic, each record a
// load decodes) only while logging is switched on.
enum class LogLevel { Message, Trace };

class MessageLog : public QObject {
    Q_OBJECT
public:
    static constexpr int kCapacity = 64000;

    explicit MessageLog(QObject *parent = nullptr)
        : QObject(parent)
    {
    }

    // May be called from any thread; the line is added on the log's own.
    void LogMessage(const QString &message, LogLevel level = LogLevel::Message);

    bool loggingEnabled() const { return m_logging; }
    void setLoggingEnabled(bool on) { m_logging = on; }

    bool isOpen() const { return m_open; }
    const QString &text() const { return m_text; }

    // Opens the window without a line (the window-recovery command); nothing
    // happens when it is open already.
    void open();
    // "Clear messages": the window stays open.
    void clear();
    // The window was closed: its text is discarded; the next line opens a fresh one.
    void close();
    // "Copy to clipboard": logs the stamped entry and returns the whole text to
    // put on the clipboard.
    QString copyToClipboardText();

    // The version line of the copy entry: " MEMVAULT V1.0.0\r\n".
    static QString versionLine();

signals:
    void opened();  // the window is to be shown (first line after a close)
    void lineAdded(const QString &line);
    void textChanged();  // any change of text(): added, cleared, reset
    void raiseRequested();  // bring the window to the top, restore if minimised
    void closed();

private:
    QString m_text;
    bool m_open = false;
    bool m_logging = false;
};

}  // namespace mv
