#include "shell/MessageLog.h"

#include "Version.h"

#include <QDateTime>
#include <QLocale>
#include <QThread>

namespace mv {

void MessageLog::LogMessage(const QString &message, LogLevel level)
{
    // A line from the radio's worker thread joins the text on the log's own
    // thread, in the order the lines were written.
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, message, level] { LogMessage(message, level); }, Qt::QueuedConnection);
        return;
    }
    if (level == LogLevel::Trace && !m_logging)
        return;
    if (!m_open) {
        m_open = true;
        m_text.clear();
        emit opened();
    }
    if (m_text.size() > kCapacity)
        m_text.clear();
    m_text += message;
    m_text += QStringLiteral("\r\n");
    emit lineAdded(message);
    emit textChanged();
    emit raiseRequested();
}

void MessageLog::open()
{
    if (m_open)
        return;
    m_open = true;
    m_text.clear();
    emit opened();
    emit textChanged();
}

void MessageLog::clear()
{
    m_text.clear();
    emit textChanged();
}

void MessageLog::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_text.clear();
    emit textChanged();
    emit closed();
}

QString MessageLog::versionLine()
{
    return QStringLiteral(" %1 V%2.%3.%4\r\n")
        .arg(QLatin1String(kProgramTitle))
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

QString MessageLog::copyToClipboardText()
{
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp
        = locale.toString(now.date(), QLocale::ShortFormat) + " " + locale.toString(now.time(), QLocale::ShortFormat);
    LogMessage("Copied to Clipboard " + stamp + versionLine());
    return m_text;
}

}  // namespace mv
